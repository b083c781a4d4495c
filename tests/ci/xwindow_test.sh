#!/usr/bin/env bash
# wait_for_window (scripts/xwindow.sh) against a stand-in xdotool that answers each search with
# the next of its answers (the last repeats): an X error (a window vanished as it looked),
# nothing yet, or window ids. The first id is found through errors and empty answers, nothing
# of the errors leaks out, and with no window the wait gives up in its time.
#   xwindow_test.sh (from the source directory)
set -euo pipefail
source scripts/xwindow.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/xdotool" <<'FAKE'
#!/usr/bin/env bash
[ "$*" = "search --name Blachorys - trabo" ] || exit 2
count=$(($(cat "$WORK/count") + 1))
echo "$count" >"$WORK/count"
answer=$(sed -n "${count}p;\$p" "$WORK/answers" | head -n 1)
case $answer in
error) echo "X Error of failed request:  BadWindow (invalid Window parameter)" >&2; exit 1 ;;
none) exit 1 ;;
*) tr ',' '\n' <<<"$answer" ;;
esac
FAKE
chmod +x "$work/bin/xdotool"
export PATH="$work/bin:$PATH" WORK=$work

failures=0
# row NAME ANSWERS TIMEOUT EXPECTED_ID(or none) SEARCHES(- when it depends on the clock)
row() {
    tr ' ' '\n' <<<"$2" >"$work/answers"
    echo 0 >"$work/count"
    local got
    got=$(wait_for_window "Blachorys - trabo" "$3" 2>&1) || got=none
    if [ "$got" != "$4" ] || { [ "$5" != - ] && [ "$(cat "$work/count")" != "$5" ]; }; then
        echo "FAIL $1: got '$got' after $(cat "$work/count") searches, expected '$4' after $5"
        failures=$((failures + 1))
    else
        echo "ok   $1: $got"
    fi
}
row first_of_two     "4194307,4194312"     10 4194307  1
row through_x_errors "error error 4194307" 10 4194307  3
row not_yet_there    "none none 88080391"  10 88080391 3
row never            "none"                2  none     -
row errors_forever   "error"               2  none     -

[ "$failures" -eq 0 ] || { echo "$failures row(s) failed"; exit 1; }
echo "every row as expected"
