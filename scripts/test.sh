#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless; ctest prints the summary.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${BLACHORYS_PACKAGES[@]}"
build_blachorys
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 300
