# Whether CI runs the Windows phase. Building Qt for Windows from source takes about an hour,
# which with the other phases does not fit in CI's 90 minutes; so the phase runs only where
# scripts/windows.sh has already cross-built Qt into the cache, and only when it can still end
# in time. Sourced by .ci/run after environment.sh and qt.sh.

BLACHORYS_CI_BUDGET_SECONDS=${BLACHORYS_CI_BUDGET_SECONDS:-$((90 * 60))}
# The Windows phase's wall time with Qt, Highway and GoogleTest cached and the programs and tests
# compiled afresh, on the build machine's two shared cores (843 s when last measured).
BLACHORYS_WINDOWS_WARM_SECONDS=900

# Succeeds, printing nothing, when the Windows phase runs; otherwise prints why not and fails.
# ELAPSED: the seconds CI has taken so far. Twice the phase's usual time must be left.
windows_phase_fits() {
    local elapsed=$1 qt
    if ! qt=$(windows_qt_cached); then
        echo "$qt; building it from source takes about an hour, beyond CI's" \
            "$((BLACHORYS_CI_BUDGET_SECONDS / 60)) minutes"
        return 1
    fi
    local left=$((BLACHORYS_CI_BUDGET_SECONDS - elapsed))
    if [ "$left" -lt $((2 * BLACHORYS_WINDOWS_WARM_SECONDS)) ]; then
        echo "CI has $left s left of its $((BLACHORYS_CI_BUDGET_SECONDS / 60)) minutes, and the" \
            "Windows phase takes about $BLACHORYS_WINDOWS_WARM_SECONDS s even with Qt cached"
        return 1
    fi
}
