#!/usr/bin/env bash
# Renders the pipe-pipe previews, printouts and scheme dialog to PNG files for review, with no
# screen. Output: ./out/render (or the directory given as $1). BUILD_DIR picks the build
# directory (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${BLACHORYS_PACKAGES[@]}"

out="${1:-out/render}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target render_outputs

mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$build/tests/render_outputs" "$out"

# Printed pages as pictures: report_smaller-1.png, report_n2000-01.png ...
for pdf in "$out"/*.pdf; do
    pdftoppm -r 60 -png "$pdf" "${pdf%.pdf}"
done
echo "Rendered into $out"
