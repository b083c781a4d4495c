#!/usr/bin/env bash
# CI's choice about the Windows phase (scripts/windows/ci.sh), over a cache made up in a
# temporary directory and the package facts it depends on: the phase runs exactly when the Qt
# that scripts/windows.sh would use is complete in the cache and there is time left, and then
# scripts/windows.sh reuses that very Qt instead of building one.
#   windows_phase_test.sh (from the source directory)
set -euo pipefail
source scripts/windows/environment.sh
source scripts/windows/qt.sh
source scripts/windows/ci.sh

# The facts each row sets.
qt_installed=true
mingw_installed=true
gcc=10.3.0-14+25.2
package_installed() {
    case $1 in
    qt6-base-dev) $qt_installed ;;
    g++-mingw-w64-x86-64-posix) $mingw_installed ;;
    *) return 1 ;;
    esac
}
installed_version() { echo "6.4.2+dfsg-21.1"; }
windows_gcc_version() { echo "$gcc"; }
build_windows_qt() { echo "BUILT"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The cache as a run of scripts/windows.sh with compiler $1 leaves it: complete, or cut short.
make_cache() {
    local prefix
    prefix=$(gcc=$1 qt_installed=true mingw_installed=true windows_qt_prefix)
    mkdir -p "$prefix"
    [ "$2" = partial ] || touch "$prefix/.complete"
}

failures=0
# row NAME QT MINGW CACHE ELAPSED EXPECTED [REASON_PART]
#   CACHE: none, complete (this compiler), partial, other_compiler (complete, another version)
row() {
    local name=$1 cache=$4 elapsed=$5 expected=$6 reason_part=${7:-}
    qt_installed=$2
    mingw_installed=$3
    export BLACHORYS_WINDOWS_CACHE="$work/$name"
    mkdir -p "$BLACHORYS_WINDOWS_CACHE"
    case $cache in
    complete) make_cache "$gcc" complete ;;
    partial) make_cache "$gcc" partial ;;
    other_compiler) make_cache "9.0-1" complete ;;
    esac
    local said status=0 got used=
    said=$(windows_phase_fits "$elapsed") || status=$?
    got=$([ $status -eq 0 ] && echo runs || echo skipped)
    [ "$got" = runs ] && used=$(ensure_windows_qt)
    if [ "$got" != "$expected" ] || [[ "$said" != *"$reason_part"* ]] ||
        { [ "$got" = runs ] && [ "$used" != "Reusing $(windows_qt_cached)" ]; }; then
        echo "FAIL $name: the Windows phase $got, expected $expected; said: $said; the build: $used"
        failures=$((failures + 1))
    else
        echo "ok   $name: $got${said:+ ($said)}"
    fi
}

late=$((BLACHORYS_CI_BUDGET_SECONDS - 2 * BLACHORYS_WINDOWS_WARM_SECONDS + 1))
row cached_early        true  true  complete       1061    runs
row cached_just_in_time true  true  complete       $((late - 1)) runs
row cached_too_late     true  true  complete       $late   skipped "s left of its 90 minutes"
row fresh_machine       true  false none           1061    skipped "cross compiler"
row empty_cache         true  true  none           1061    skipped "no complete cross-built Qt at"
row interrupted_build   true  true  partial        1061    skipped "no complete cross-built Qt at"
row other_compiler      true  true  other_compiler 1061    skipped "no complete cross-built Qt at"
row no_host_qt          false true  complete       1061    skipped "qt6-base-dev is not installed"

[ "$failures" -eq 0 ] || { echo "$failures row(s) failed"; exit 1; }
echo "every row as expected"
