# Whether CI runs the Windows phase, and how. Warm, with Qt cross-built in the cache, the phase
# is a matter of minutes; cold, scripts/windows.sh builds Qt first, which makes it some half an
# hour. CI has 90 minutes: a warm phase runs when twice its time is left, a cold one when 45
# minutes are (a quarter of an hour to spare). Sourced by .ci/run after environment.sh and qt.sh.

BLACHORYS_CI_BUDGET_SECONDS=${BLACHORYS_CI_BUDGET_SECONDS:-$((90 * 60))}
# The Windows phase's wall time with Qt, Highway and GoogleTest cached and the programs and tests
# compiled afresh, on the build machine's two shared cores (843 s when last measured).
BLACHORYS_WINDOWS_WARM_SECONDS=900
# The same from a cold cache, Qt, Highway and GoogleTest built too (1,954 s when last measured),
# and what must be left of CI's time to start it.
BLACHORYS_WINDOWS_COLD_SECONDS=1954
BLACHORYS_WINDOWS_COLD_LEFT_SECONDS=$((45 * 60))

# ELAPSED: the seconds CI has taken so far. When the Windows phase runs, prints "warm: ..." or
# "cold: ..." (what it finds and how much time is left) and succeeds; otherwise prints why not
# and fails.
windows_phase_fits() {
    local elapsed=$1 qt
    local left=$((BLACHORYS_CI_BUDGET_SECONDS - elapsed))
    local time_left="CI has $left s left of its $((BLACHORYS_CI_BUDGET_SECONDS / 60)) minutes"
    if qt=$(windows_qt_cached); then
        if [ "$left" -lt $((2 * BLACHORYS_WINDOWS_WARM_SECONDS)) ]; then
            echo "$time_left, and the Windows phase takes about $BLACHORYS_WINDOWS_WARM_SECONDS s" \
                "even with Qt cached"
            return 1
        fi
        echo "warm: Qt cached at $qt; $time_left"
        return 0
    fi
    local cold="scripts/windows.sh builds Qt first (about $BLACHORYS_WINDOWS_COLD_SECONDS s in all)"
    if [ "$left" -lt "$BLACHORYS_WINDOWS_COLD_LEFT_SECONDS" ]; then
        echo "$qt; $cold; $time_left, fewer than the" \
            "$((BLACHORYS_WINDOWS_COLD_LEFT_SECONDS / 60)) minutes a cold phase needs"
        return 1
    fi
    echo "cold: $qt; $cold; $time_left"
}
