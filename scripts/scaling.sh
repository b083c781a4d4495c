#!/usr/bin/env bash
# The scaling guard: every calculation's time at its largest N against the same calculation at a
# tenth of that N, in one run of build/bench/core_bench (BM_Scaling/...). A cost that grows with
# N takes some 10 times as long; one that grows with its square, 100 times. More than 25 times
# fails. A ratio of two sizes timed side by side, so a busy machine slows both alike.
#   scripts/scaling.sh [BUILD_DIR] [REPETITIONS]
#   scripts/scaling.sh --check FILE.json   (only the comparison, of a run saved as JSON)
set -euo pipefail
cd "$(dirname "$0")/.."

check() {
    python3 - "$1" <<'PY'
import json, re, sys
from collections import defaultdict

LIMIT = 25.0
try:
    runs = json.load(open(sys.argv[1]))["benchmarks"]
except (OSError, ValueError, KeyError) as error:
    sys.exit(f"scaling: no benchmark results in {sys.argv[1]}: {error}")
times = defaultdict(dict)  # calculation -> N -> least real time over the repetitions
for run in runs:
    if run.get("run_type", "iteration") != "iteration":
        continue
    found = re.match(r"BM_Scaling/(.+)/N:(\d+)", run["name"])
    if found:
        calculation, n = found.group(1), int(found.group(2))
        t = run["real_time"]
        times[calculation][n] = min(t, times[calculation].get(n, t))
if not times:
    sys.exit("scaling: no BM_Scaling benchmark ran")
failed = False
for calculation, at in sorted(times.items()):
    if len(at) != 2:
        print(f"scaling: {calculation} lacks one of its two sizes ({sorted(at)})")
        failed = True
        continue
    small, large = sorted(at)
    ratio = at[large] / at[small]
    verdict = "ok" if ratio <= LIMIT else f"FAILED: over {LIMIT:.0f}x"
    failed = failed or ratio > LIMIT
    print(f"{calculation:45s} N {small:4d}: {at[small]:8.3f} ms  N {large:4d}: {at[large]:8.3f} ms"
          f"  {ratio:6.1f}x  {verdict}")
sys.exit(1 if failed else 0)
PY
}

if [ "${1:-}" = "--check" ]; then
    check "$2"
    exit
fi
build="${1:-build}"
repetitions="${2:-3}"
results=$(mktemp)
trap 'rm -f "$results"' EXIT
"$build/bench/core_bench" --benchmark_filter='^BM_Scaling/' --benchmark_min_time=0.05 \
    --benchmark_repetitions="$repetitions" --benchmark_format=json >"$results"
check "$results"
