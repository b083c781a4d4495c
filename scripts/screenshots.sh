#!/usr/bin/env bash
# Runs the program under Xvfb (1280 × 800) with a window manager, opens every calculator from
# the menu, presses Enter in a field to calculate, and saves a screenshot of each; then the
# window menu, tiled and cascaded windows. Output: ./out/screenshots/<mode> (or $1/<mode>).
#   scripts/screenshots.sh [OUT_DIR] [normal|font144|scale150]
# font144 runs with QT_FONT_DPI=144 (larger fonts), scale150 with QT_SCALE_FACTOR=1.5.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/xwindow.sh
install_missing_packages "${BLACHORYS_PACKAGES[@]}" xvfb xauth xdotool imagemagick openbox
build_blachorys

mode="${2:-normal}"
out="${1:-out/screenshots}/$mode"
mkdir -p "$out"
case "$mode" in
    normal) ;;
    font144) export QT_FONT_DPI=144 ;;
    scale150) export QT_SCALE_FACTOR=1.5 ;;
    *) echo "unknown mode $mode" >&2; exit 64 ;;
esac
unset QT_QPA_PLATFORM
export DISPLAY=:97
Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
# Saved inputs of this run stay out of the build directory's way.
work=$(mktemp -d)
cp build/blachorys "$work/"
"$work/blachorys" &
program=$!
trap 'kill $program $wm $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 3

shot() { sleep 1; import -window root "$out/$1.png"; echo "$out/$1.png"; }
window=$(wait_for_window "Blachorys - trabo" 60) || { echo "the main window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
shot 00-start
# The calculators in menu order, as the program lists them.
mapfile -t names < <(build/blachorys-cli --list | grep -v '^ ')
for i in "${!names[@]}"; do
    xdotool key --window "$window" alt+b
    sleep 0.5
    for _ in $(seq "$i"); do xdotool key --window "$window" Down; done
    xdotool key --window "$window" Return
    sleep 1
    # The caret is in the first field: Enter calculates.
    xdotool key --window "$window" Return
    shot "$(printf '%02d' $((i + 1)))-${names[$i]}"
done
xdotool key --window "$window" alt+o
shot 07-window-menu
xdotool key --window "$window" Return
shot 08-tiled
xdotool key --window "$window" alt+o Down Return
shot 09-cascaded
