#!/usr/bin/env bash
# CI's choice about the Windows phase (scripts/windows/ci.sh), over a cache made up in a
# temporary directory and the package facts it depends on: the phase runs warm when the Qt that
# scripts/windows.sh would use is complete in the cache and twice the warm time is left, and
# then scripts/windows.sh reuses that very Qt; it runs cold, building Qt, whenever 45 minutes
# are left; otherwise it is skipped and says why.
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
# row NAME QT MINGW CACHE ELAPSED EXPECTED BUILD SAID_PART
#   CACHE: none, complete (this compiler), partial, other_compiler (complete, another version)
#   EXPECTED: warm or cold (the phase runs, and says which), or skipped
#   BUILD: what scripts/windows.sh then does about Qt, once it has installed both packages:
#   reuses (the very Qt the choice found), builds, or - (skipped)
row() {
    local name=$1 cache=$4 elapsed=$5 expected=$6 build=$7 said_part=$8
    qt_installed=$2
    mingw_installed=$3
    export BLACHORYS_WINDOWS_CACHE="$work/$name"
    mkdir -p "$BLACHORYS_WINDOWS_CACHE"
    case $cache in
    complete) make_cache "$gcc" complete ;;
    partial) make_cache "$gcc" partial ;;
    other_compiler) make_cache "9.0-1" complete ;;
    esac
    local said status=0 got=skipped built=- expected_build=-
    said=$(windows_phase_fits "$elapsed") || status=$?
    if [ $status -eq 0 ]; then
        got=${said%%:*}
        built=$(qt_installed=true mingw_installed=true ensure_windows_qt)
    fi
    case $build in
    reuses) expected_build="Reusing $(qt_installed=true mingw_installed=true windows_qt_prefix)" ;;
    builds) expected_build=BUILT ;;
    esac
    if [ "$got" != "$expected" ] || [[ "$said" != *"$said_part"* ]] || [ "$built" != "$expected_build" ]; then
        echo "FAIL $name: the Windows phase $got, expected $expected; said: $said; the build: $built"
        failures=$((failures + 1))
    else
        echo "ok   $name: $got ($said)"
    fi
}

warm_late=$((BLACHORYS_CI_BUDGET_SECONDS - 2 * BLACHORYS_WINDOWS_WARM_SECONDS + 1))
cold_late=$((BLACHORYS_CI_BUDGET_SECONDS - BLACHORYS_WINDOWS_COLD_LEFT_SECONDS + 1))
row cached_early          true  true  complete       1061               warm    reuses "s left of its 90 minutes"
row cached_after_cold_end true  true  complete       $cold_late         warm    reuses "Qt cached at"
row cached_just_in_time   true  true  complete       $((warm_late - 1)) warm    reuses "Qt cached at"
row cached_too_late       true  true  complete       $warm_late         skipped -      "even with Qt cached"
row fresh_machine         true  false none           1061               cold    builds "cross compiler"
row empty_cache           true  true  none           1061               cold    builds "no complete cross-built Qt at"
row empty_just_in_time    true  true  none           $((cold_late - 1)) cold    builds "builds Qt first"
row empty_too_late        true  true  none           $cold_late         skipped -      "fewer than the 45 minutes"
row fresh_machine_late    true  false none           $cold_late         skipped -      "cross compiler"
row interrupted_build     true  true  partial        1061               cold    builds "no complete cross-built Qt at"
row interrupted_too_late  true  true  partial        $cold_late         skipped -      "no complete cross-built Qt at"
row other_compiler        true  true  other_compiler 1061               cold    builds "no complete cross-built Qt at"
# Without the host's Qt no cached Qt can be named, so the phase counts as cold; once it is
# installed, the Qt already in the cache serves.
row no_host_qt            false true  complete       1061               cold    reuses "qt6-base-dev is not installed"

[ "$failures" -eq 0 ] || { echo "$failures row(s) failed"; exit 1; }
echo "every row as expected"
