#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${BLACHORYS_PACKAGES[@]}"
build_blachorys
exec ./build/blachorys
