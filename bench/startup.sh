#!/usr/bin/env bash
# Time from starting the program to its main window painted: offscreen and, where Xvfb is
# installed, on a virtual X display. Prints each run and the median, in milliseconds.
#   bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="${1:-build}"
runs="${2:-15}"
probe="$build/bench/startup_probe"

measure() {
    local label="$1"
    local times=()
    for _ in $(seq "$runs"); do
        local start shown
        start=$(date +%s%N)
        shown=$("$probe" 2>/dev/null | tail -n 1)
        times+=($(( (shown - start) / 1000000 )))
    done
    local sorted
    sorted=$(printf '%s\n' "${times[@]}" | sort -n)
    echo "$label: ${times[*]} ms; median $(echo "$sorted" | sed -n "$(( (runs + 1) / 2 ))p") ms"
}

QT_QPA_PLATFORM=offscreen measure "offscreen"
if command -v Xvfb >/dev/null; then
    Xvfb :93 -screen 0 1280x800x24 >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    sleep 1
    DISPLAY=:93 QT_QPA_PLATFORM=xcb measure "Xvfb"
fi
