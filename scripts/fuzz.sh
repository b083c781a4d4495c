#!/usr/bin/env bash
# Fuzzes the program's untrusted inputs with libFuzzer (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer): the saved-input loader, the job file's reader, the field reading
# and calculation of every calculator, and the command line's parsing.
#
#     scripts/fuzz.sh [SECONDS] [BUILD_DIR]      # defaults: 60 build-sanitized
#
# Builds the harnesses in BUILD_DIR (the sanitizer build), then runs each harness for SECONDS,
# as many at once as there are cores, from its committed seed corpus (tests/fuzz/corpus/NAME)
# and the inputs found in earlier runs (BUILD_DIR/fuzz/work/NAME). Prints each harness's
# executions and crashes. A crash leaves its input in BUILD_DIR/fuzz/crashes/: add it to the
# seed corpus with its fix. Exits 1 when any harness crashed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
seconds=${1:-60}
build=${2:-build-sanitized}
harnesses=(saved_inputs read_fields cli_args job_file)
# The longest input each takes: a file several kilobytes long, 10,000-character field texts.
declare -A max_len=([saved_inputs]=16384 [read_fields]=24000 [cli_args]=4096 [job_file]=32768)

if [ ! -f "$build/build.ninja" ]; then
    build_sanitized "$build"
else
    cmake --build "$build" --parallel "$(nproc)" --target "${harnesses[@]/#/fuzz_}"
fi
sanitizer_environment
# Crash inputs of earlier runs belong in the seed corpus by now.
rm -rf "$build/fuzz/crashes"
mkdir -p "$build/fuzz/crashes"

run_one() {
    local name=$1
    local work="$build/fuzz/work/$name"
    local status=0
    mkdir -p "$work"
    # New inputs go to the work directory; the committed corpus is only read.
    "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=30 \
        -max_len="${max_len[$name]}" -print_final_stats=1 \
        -artifact_prefix="$build/fuzz/crashes/$name-" \
        "$work" "tests/fuzz/corpus/$name" >"$build/fuzz/$name.log" 2>&1 || status=$?
    echo "$status" >"$build/fuzz/$name.status"
}

for name in "${harnesses[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do
        sleep 1
    done
    run_one "$name" &
done
wait

failed=0
for name in "${harnesses[@]}"; do
    status=$(cat "$build/fuzz/$name.status")
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz/$name.log" | tail -1)
    crashes=$(find "$build/fuzz/crashes" -name "$name-*" | wc -l)
    echo "fuzz $name: ${runs:-?} executions in $seconds s, $crashes crash input(s), exit $status"
    if [ "$status" -ne 0 ]; then
        failed=1
        grep -m 20 -E "ERROR|runtime error|fuzz check failed|SUMMARY|Test unit written" \
            "$build/fuzz/$name.log" || true
    fi
done
exit "$failed"
