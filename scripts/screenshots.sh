#!/usr/bin/env bash
# Runs the program under Xvfb, drives its menus with xdotool and saves screenshots:
# start-up, the pipe-pipe calculator, a calculation, tiled and cascaded windows, the window
# menu. Output: ./out/screenshots (or the directory given as $1).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${BLACHORYS_PACKAGES[@]}" xvfb xauth xdotool imagemagick
build_blachorys

out="${1:-out/screenshots}"
mkdir -p "$out"
export DISPLAY=:97
Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
# Saved inputs of this run stay out of the build directory's way.
work=$(mktemp -d)
cp build/blachorys "$work/"
"$work/blachorys" &
program=$!
trap 'kill $program $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 3

shot() { sleep 1; import -window root "$out/$1.png"; echo "$out/$1.png"; }
window=$(xdotool search --sync --name "Blachorys - trabo" | head -n 1)
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
shot 01-start
xdotool key --window "$window" alt+b
shot 02-product-menu
xdotool key --window "$window" Return
shot 03-pipe-pipe
# From the development selector: nine fields, then "Licz".
xdotool key --window "$window" Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
shot 04-calculated
xdotool key --window "$window" alt+o
shot 05-window-menu
xdotool key --window "$window" Return
shot 06-tiled
xdotool key --window "$window" alt+o Down Return
shot 07-cascaded
