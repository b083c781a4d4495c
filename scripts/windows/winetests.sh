# The Windows build tested under wine: the core, io and cnc suites, and the command line's
# goldens and CNC DXF byte for byte.

BLACHORYS_WINE_SUMMARY=()
BLACHORYS_WINE_FAILURES=()

# The test programs run from the build tree, beside the deployed DLLs and plugins, so that
# the command line io_tests starts finds them too.
make_build_tree_runnable() {
    local folder="$BLACHORYS_WINDOWS_BUILD/deploy/Blachorys" beside
    for beside in "$BLACHORYS_WINDOWS_BUILD" "$BLACHORYS_WINDOWS_BUILD/tests"; do
        cp "$folder"/*.dll "$folder/qt.conf" "$beside/"
        cp -r "$folder/platforms" "$folder/lib" "$beside/"
    done
}

# Runs a GoogleTest program from the build tree, its output in a log; the rest are its options.
run_wine_tests() {
    local name=$1 log=$2
    shift 2
    (cd "$BLACHORYS_WINDOWS_BUILD/tests" && wine_run "./$name.exe" --gtest_brief=1 "$@") >"$log" 2>&1
}

# What failed, where the end of CI's log shows it: each failed test and the first lines of what
# it said.
record_wine_failures() {
    local name=$1 log=$2 status=$3 failed
    failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below:/\1/p' "$log")
    BLACHORYS_WINE_FAILURES+=("$name: ${failed:-no test reported as} failed, exit $status:")
    mapfile -t -O "${#BLACHORYS_WINE_FAILURES[@]}" BLACHORYS_WINE_FAILURES < <(
        grep -B1 -A6 -m 6 -E '(^|[^A-Za-z])Failure$|^\[  FAILED  \] [A-Za-z]' "$log" |
            cut -c1-200 | head -n 18)
}

# Runs one GoogleTest program; its own summary lines go to the summary. The tests that fail are
# run once more on their own, and the suite passes if they pass then: a suite has failed once
# under wine on a fresh machine and passed on every run after, the same programs. Both runs are
# in the summary, and what failed is printed at the end whatever the second run gave.
run_wine_suite() {
    local name=$1 log="$BLACHORYS_WINDOWS_BUILD/wine-$1.log"
    local status=0
    run_wine_tests "$name" "$log" || status=$?
    tail -n 3 "$log"
    local passed summary
    passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log")
    summary=$(printf '%-10s %s passed, exit %d' "$name" "${passed:-0}" "$status")
    if [ "$status" -ne 0 ]; then
        record_wine_failures "$name" "$log" "$status"
        local failed_tests
        failed_tests=$(sed -n '/, listed below:$/,$p' "$log" |
            sed -n '/, listed below:$/!s/^\[  FAILED  \] \([^ ,]*\).*/\1/p' | paste -sd: -)
        if [ -n "$failed_tests" ]; then
            local again="$BLACHORYS_WINDOWS_BUILD/wine-$1-again.log" again_status=0
            run_wine_tests "$name" "$again" --gtest_filter="$failed_tests" || again_status=$?
            summary+=", the failed run again alone: exit $again_status"
            if [ "$again_status" -eq 0 ]; then
                status=0
            else
                record_wine_failures "$name, run again" "$again" "$again_status"
            fi
        fi
    fi
    BLACHORYS_WINE_SUMMARY+=("$summary")
    [ "$status" -eq 0 ]
}

# The development names of every calculator, from the goldens' folder: KEY/NAME.txt (the
# folder's own files, such as the list of calculators, are no calculator's).
golden_cases() {
    find tests/golden -mindepth 2 -name '*.txt' | sort | sed 's|tests/golden/||; s|\.txt$||'
}

# blachorys-cli.exe of the portable folder writes every golden: the same bytes.
check_wine_goldens() {
    local folder="$BLACHORYS_WINDOWS_BUILD/deploy/Blachorys"
    local out="$BLACHORYS_WINDOWS_BUILD/wine-goldens"
    rm -rf "$out"
    mkdir -p "$out"
    local case key development arguments same=0 differ=0 extension
    for case in $(golden_cases); do
        key=${case%/*}
        development=${case#*/}
        arguments=("$key")
        [ "$development" != defaults ] && arguments+=(--development "$development")
        (cd "$out" && wine_run "$folder/blachorys-cli.exe" "${arguments[@]}" --date 08-12-2026 \
            --txt "$key-$development.txt" --dxf "$key-$development.dxf" >/dev/null)
        for extension in txt dxf; do
            if cmp "tests/golden/$case.$extension" "$out/$key-$development.$extension"; then
                same=$((same + 1))
            else
                differ=$((differ + 1))
            fi
        done
    done
    # The command as a user types it, with another date: only the footer's date differs.
    (cd "$out" && wine_run "$folder/blachorys-cli.exe" rurarura --txt r.txt --dxf r.dxf \
        --date 2026-01-01 >/dev/null)
    local expected="$out/expected-r.txt"
    sed 's/ 08-12-2026 / 2026-01-01 /' tests/golden/rurarura/mniejsza.txt >"$expected"
    if cmp "$expected" "$out/r.txt" && cmp tests/golden/rurarura/mniejsza.dxf "$out/r.dxf"; then
        same=$((same + 2))
    else
        differ=$((differ + 2))
    fi
    # A Polish file name is written under exactly that name, and the template is drawn.
    (cd "$out" && wine_run "$folder/blachorys-cli.exe" rurarura --date 08-12-2026 \
        --txt "raport_łódź.txt" --template-pdf "szablon_żółw.pdf" >/dev/null)
    local named=ok
    cmp tests/golden/rurarura/mniejsza.txt "$out/raport_łódź.txt" || named=missing
    head -c 5 "$out/szablon_żółw.pdf" | grep -q '%PDF-' || named=missing
    BLACHORYS_WINE_SUMMARY+=("$(printf '%-10s %d files identical, %d differ' goldens "$same" "$differ")")
    BLACHORYS_WINE_SUMMARY+=("$(printf '%-10s raport_łódź.txt and szablon_żółw.pdf: %s' names "$named")")
    ls "$out"
    [ "$differ" -eq 0 ] && [ "$named" = ok ]
}

# The DXF version a file declares ($ACADVER): AC1015 for R2000, AC1009 for R12.
dxf_version_declared() {
    sed -n '/^\$ACADVER$/{n;n;p;q}' "$1"
}

# blachorys-cli.exe of the portable folder writes the CNC DXF of every calculator and
# development of the goldens, R2000 (the default) and R12, with the bytes the Linux
# blachorys-cli writes for the same arguments; each file declares the version asked for.
check_wine_cnc_dxf() {
    local folder="$BLACHORYS_WINDOWS_BUILD/deploy/Blachorys"
    local out="$BLACHORYS_WINDOWS_BUILD/wine-cnc"
    rm -rf "$out"
    mkdir -p "$out/windows" "$out/linux"
    local case key development arguments version file same=0 differ=0
    for case in $(golden_cases); do
        key=${case%/*}
        development=${case#*/}
        arguments=("$key")
        [ "$development" != defaults ] && arguments+=(--development "$development")
        arguments+=(--date 1-1-2026)
        for version in R2000 R12; do
            file="$key-$development-$version.dxf"
            local chosen=()
            [ "$version" = R12 ] && chosen=(--dxf-version R12)
            (cd "$out/windows" && wine_run "$folder/blachorys-cli.exe" "${arguments[@]}" \
                --cnc-dxf "$file" "${chosen[@]}" >/dev/null) || true
            (cd "$out/linux" && QT_QPA_PLATFORM=offscreen "$BLACHORYS_LINUX_CLI" "${arguments[@]}" \
                --cnc-dxf "$file" "${chosen[@]}" >/dev/null) || true
            local declared
            declared=$(dxf_version_declared "$out/linux/$file" 2>/dev/null) || true
            if [ "$declared" = "$([ "$version" = R12 ] && echo AC1009 || echo AC1015)" ] &&
                cmp "$out/linux/$file" "$out/windows/$file"; then
                same=$((same + 1))
            else
                echo "$file: the Linux file declares '${declared}'; or the two differ" >&2
                differ=$((differ + 1))
            fi
        done
    done
    BLACHORYS_WINE_SUMMARY+=("$(printf '%-10s %d CNC DXF (R2000, R12) identical to Linux'"'"'s, %d differ' \
        cnc-dxf "$same" "$differ")")
    [ "$differ" -eq 0 ] && [ "$same" -gt 0 ]
}
