#!/usr/bin/env bash
# The Windows program from this source, made on Debian 12: installs what it needs, cross-builds
# Qt (cached outside the clone, in /var/cache/blachorys), Highway and GoogleTest for
# x86_64-w64-mingw32, cross-compiles both programs and the tests, deploys them into a portable
# folder, tests them under wine (the core and io suites, the command line's goldens, the window
# on Xvfb with screenshots), and makes dist/blachorys-<version>-windows-x64.zip and
# dist/blachorys-<version>-setup.exe, whose silent install and uninstall are checked too.
# Prints the wine summary and how long each phase took.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
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
    echo "=== Windows phase timings"
    printf '  %s\n' "${timings[@]}"
    printf '  %-44s %5d s\n' "all" "$SECONDS"
    if [ ${#failed_checks[@]} -gt 0 ]; then
        printf 'FAILED under wine: %s\n' "${failed_checks[@]}"
        status=1
    fi
    exit $status
}
trap finish EXIT

phase "packages (apt-get)" install_missing_packages "${BLACHORYS_WINDOWS_PACKAGES[@]}"
phase "Qt for Windows (cached)" ensure_windows_qt
phase "Highway and GoogleTest for Windows (cached)" ensure_windows_thirdparty
phase "cross-compile (programs and tests)" configure_and_build_windows
phase "deploy the portable folder" deploy_windows
phase "zip and installer" package_windows
phase "wine: start (Xvfb, prefix)" start_wine_session
make_build_tree_runnable
check "wine: core_tests" run_wine_suite core_tests
check "wine: io_tests" run_wine_suite io_tests
check "wine: command-line goldens" check_wine_goldens
check "wine: window, every calculator" check_wine_window
check "wine: saved inputs in %APPDATA%" check_wine_appdata_fallback
check "wine: installer /S, uninstaller /S" check_wine_installer
