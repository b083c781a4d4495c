#!/usr/bin/env bash
# wait_for_window (scripts/xwindow.sh) against a stand-in xdotool that answers each search in
# turn from a script: an X error (a window vanished as it looked), nothing yet, or window ids.
# The window is found through errors and empty answers, the first id wins, and with no window
# the wait gives up in its time.
#   xwindow_test.sh (from the source directory)
set -euo pipefail
source scripts/xwindow.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/xdotool" <<'FAKE'
#!/usr/bin/env bash
# The answers, one line per search (the last one repeats): error, none, or ids (a,b).
[ "$1 $2" = "search --name" ] && [ "$3" = "Blachorys - trabo" ] || exit 2
count=$(cat "$XWINDOW_TEST_DIR/count")
echo $((count + 1)) >"$XWINDOW_TEST_DIR/count"
answer=$(sed -n "$((count + 1))p" "$XWINDOW_TEST_DIR/answers")
[ -n "$answer" ] || answer=$(tail -n 1 "$XWINDOW_TEST_DIR/answers")
case $answer in
error) echo "X Error of failed request:  BadWindow (invalid Window parameter)" >&2; exit 1 ;;
none) exit 1 ;;
*) tr ',' '\n' <<<"$answer" ;;
esac
FAKE
chmod +x "$work/bin/xdotool"
export PATH="$work/bin:$PATH" XWINDOW_TEST_DIR=$work

failures=0
# row NAME ANSWERS(space-separated) TIMEOUT EXPECTED_ID(or "none") EXPECTED_SEARCHES
row() {
    local name=$1 answers=$2 timeout=$3 expected=$4 searches=$5
    tr ' ' '\n' <<<"$answers" >"$work/answers"
    echo 0 >"$work/count"
    local got status=0
    got=$(wait_for_window "Blachorys - trabo" "$timeout" 2>&1) || status=$?
    [ $status -eq 0 ] || got=none
    local asked
    asked=$(cat "$work/count")
    if [ "$got" != "$expected" ] || { [ "$searches" != any ] && [ "$asked" != "$searches" ]; }; then
        echo "FAIL $name: got '$got' after $asked searches, expected '$expected' after $searches"
        failures=$((failures + 1))
    else
        echo "ok   $name: $got after $asked searches"
    fi
}

row at_once          "4194307"             10 4194307 1
row first_of_two     "4194307,4194312"     10 4194307 1
row through_x_errors "error error 4194307" 10 4194307 3
row not_yet_there    "none none 88080391"  10 88080391 3
row never            "none"                2  none    any
row errors_forever   "error"               2  none    any

[ "$failures" -eq 0 ] || { echo "$failures row(s) failed"; exit 1; }
echo "every row as expected"
