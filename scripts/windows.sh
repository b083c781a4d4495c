#!/usr/bin/env bash
# The Windows program from this source, made on Debian 12: installs what it needs, cross-builds
# Qt (cached outside the clone, in /var/cache/blachorys), Highway and GoogleTest for
# x86_64-w64-mingw32, cross-compiles both programs and the tests, deploys them into a portable
# folder, tests them under wine (the core, io and cnc suites, the command line's goldens, its
# CNC DXF against the Linux blachorys-cli's, the window on Xvfb with screenshots), and makes
# dist/blachorys-<version>-windows-x64.zip and dist/blachorys-<version>-setup.exe, whose silent
# install and uninstall are checked too. Prints the wine summary and how long each phase took;
# with BLACHORYS_WINDOWS_TIMINGS set (CI), writes those timings to that file as well.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/xwindow.sh
for part in environment debsources qt thirdparty build deploy package wine winetests winegui \
    installercheck; do
    source "scripts/windows/$part.sh"
done

timings=()
phase() {
    local name=$1
    shift
    local start=$SECONDS
    echo "=== windows: ${name}"
    "$@"
    timings+=("$(printf '%-44s %5d s' "$name" $((SECONDS - start)))")
    echo "=== windows: ${name}: $((SECONDS - start)) s"
}
# A check under wine that fails is reported and the others still run; the script fails at the
# end. The checks return their own status (errexit does not reach into them here).
failed_checks=()
check() {
    local name=$1
    shift
    local start=$SECONDS status=0
    echo "=== windows: ${name}"
    "$@" || status=$?
    timings+=("$(printf '%-44s %5d s' "$name" $((SECONDS - start)))")
    echo "=== windows: ${name}: $((SECONDS - start)) s, $([ $status -eq 0 ] && echo passed || echo FAILED)"
    [ $status -eq 0 ] || failed_checks+=("$name")
}
finish() {
    local status=$?
    [ -n "${WINEPREFIX:-}" ] && stop_wine_session
    if [ ${#BLACHORYS_WINE_SUMMARY[@]} -gt 0 ]; then
        echo "=== Windows under wine"
        printf '  %s\n' "${BLACHORYS_WINE_SUMMARY[@]}"
    fi
    timings+=("$(printf '%-44s %5d s' "all" "$SECONDS")")
    echo "=== Windows phase timings"
    printf '  %s\n' "${timings[@]}"
    [ -n "${BLACHORYS_WINDOWS_TIMINGS:-}" ] && printf '%s\n' "${timings[@]}" >"$BLACHORYS_WINDOWS_TIMINGS"
    if [ ${#BLACHORYS_WINE_FAILURES[@]} -gt 0 ]; then
        echo "=== Tests that failed under wine"
        printf '  %s\n' "${BLACHORYS_WINE_FAILURES[@]}"
    fi
    if [ ${#failed_checks[@]} -gt 0 ]; then
        printf 'FAILED under wine: %s\n' "${failed_checks[@]}"
        status=1
    fi
    exit $status
}
trap finish EXIT

# The Linux packages too: the third parties' sources follow their versions, and the CNC DXF is
# compared with the Linux program's.
phase "packages (apt-get)" install_missing_packages "${BLACHORYS_WINDOWS_PACKAGES[@]}" \
    "${BLACHORYS_PACKAGES[@]}"
phase "Qt for Windows (cached)" ensure_windows_qt
phase "Highway and GoogleTest for Windows (cached)" ensure_windows_thirdparty
phase "cross-compile (programs and tests)" configure_and_build_windows
phase "deploy the portable folder" deploy_windows
phase "zip and installer" package_windows
phase "Linux blachorys-cli (the CNC DXF's reference)" build_linux_cli
phase "wine: start (Xvfb, prefix)" start_wine_session
make_build_tree_runnable
check "wine: core_tests" run_wine_suite core_tests
check "wine: io_tests" run_wine_suite io_tests
check "wine: cnc_tests" run_wine_suite cnc_tests
check "wine: command-line goldens" check_wine_goldens
check "wine: command-line CNC DXF against Linux's" check_wine_cnc_dxf
check "wine: window, every calculator" check_wine_window
check "wine: saved inputs in %APPDATA%" check_wine_appdata_fallback
check "wine: installer /S, uninstaller /S" check_wine_installer
