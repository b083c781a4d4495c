# The installer under wine: a silent per-user install, the installed programs run (the
# command line writes a golden, the window appears), a silent uninstall removes them.

check_wine_installer() {
    local setup
    setup=$(ls "$BLACHORYS_WINDOWS_DIST"/blachorys-*-setup.exe)
    wine_run "$setup" /S
    local programs="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Blachorys"
    [ -d "$programs" ] || programs=$(find "$WINEPREFIX/drive_c/users" -type d -path '*Programs/Blachorys' | head -n 1)
    local shortcut
    shortcut=$(find "$WINEPREFIX/drive_c" -name 'Blachorys.lnk' | head -n 1)
    local result="installed in ${programs#"$WINEPREFIX/"}, Start-menu shortcut "
    if [ -n "$shortcut" ]; then result+="${shortcut#"$WINEPREFIX/"}"; else result+=MISSING; fi
    local status=0
    [ -f "$programs/blachorys.exe" ] && [ -n "$shortcut" ] || status=1
    # The installed command line writes the golden report.
    local out="$BLACHORYS_WINDOWS_BUILD/wine-installed"
    rm -rf "$out"
    mkdir -p "$out"
    (cd "$out" && wine_run "$programs/blachorys-cli.exe" stozek --date 08-12-2026 --txt s.txt >/dev/null) || status=1
    cmp tests/golden/stozek/defaults.txt "$out/s.txt" && result+=", its blachorys-cli wrote the golden" || status=1
    # The installed window starts.
    (cd "$programs" && exec "$BLACHORYS_WINE" ./blachorys.exe) &
    local program=$!
    if wine_main_window >/dev/null; then
        import -window root "$BLACHORYS_WINDOWS_BUILD/screenshots/installed.png"
        result+=", its window started"
    else
        result+=", its window did NOT start"
        status=1
    fi
    kill "$program" 2>/dev/null || true
    "$BLACHORYS_WINE" wineboot -k >/dev/null 2>&1 || true
    wine_run "$programs/odinstaluj.exe" /S
    # The uninstaller copies itself away and returns at once: wait for it to finish.
    local waited=0
    while [ -e "$programs/blachorys.exe" ] && [ $waited -lt 60 ]; do sleep 1; waited=$((waited + 1)); done
    if [ ! -e "$programs/blachorys.exe" ] && [ -z "$(find "$WINEPREFIX/drive_c" -name 'Blachorys.lnk')" ]; then
        result+=", uninstalled (program and shortcut gone)"
    else
        result+=", NOT uninstalled"
        status=1
    fi
    BLACHORYS_WINE_SUMMARY+=("$(printf '%-10s %s' installer "$result")")
    return $status
}
