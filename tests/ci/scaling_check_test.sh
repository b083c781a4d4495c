#!/usr/bin/env bash
# The scaling guard's verdict (scripts/scaling.sh --check) over made-up benchmark results: a
# cost ten times as large at ten times N passes, one a hundred times as large fails, and so does
# a calculation timed at only one of its sizes or a run with no results.
#   scaling_check_test.sh (from the source directory)
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

results() { # name:N:ms ...
    local rows=() row
    for row in "$@"; do
        IFS=: read -r name n ms <<<"$row"
        rows+=("{\"name\": \"BM_Scaling/$name/N:$n/real_time\", \"run_type\": \"iteration\", \"real_time\": $ms}")
    done
    local IFS=,
    echo "{\"benchmarks\": [${rows[*]}]}" >"$work/run.json"
}

failures=0
expect() { # exit-code rows...
    local want=$1
    shift
    results "$@"
    bash scripts/scaling.sh --check "$work/run.json" >"$work/out" 2>&1
    local got=$?
    if [ "$got" -ne "$want" ]; then
        echo "FAILED: $* gave exit $got, not $want:"
        cat "$work/out"
        failures=$((failures + 1))
    fi
}

expect 0 "stozek/most_divisions:200:1.0" "stozek/most_divisions:2000:10.0" \
    "kolanosegm/most_divisions:200:0.5" "kolanosegm/most_divisions:2000:12.0"
expect 1 "stozek/most_divisions:200:1.0" "stozek/most_divisions:2000:10.0" \
    "kolanosegm/most_divisions:200:1.2" "kolanosegm/most_divisions:2000:120.0"
expect 1 "stozek/most_divisions:2000:10.0"
echo '{"benchmarks": []}' >"$work/run.json"
bash scripts/scaling.sh --check "$work/run.json" >/dev/null 2>&1 && {
    echo "FAILED: a run with no results passed"
    failures=$((failures + 1))
}
[ "$failures" -eq 0 ] && echo "scaling guard: every verdict as expected"
exit "$failures"
