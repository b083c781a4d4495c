# The window program under wine on the windows platform: started from a copy of the portable
# folder, every calculator opened from the "Blachorys" menu and calculated (Enter in its first
# field), a screenshot of each and of all of them tiled; then closed from the menu, which saves
# each calculator's inputs beside the executable.

BLACHORYS_SCREENSHOTS=

# The main window's id, asked for again while wine's short-lived windows come and go
# (scripts/xwindow.sh); nothing after two minutes.
wine_main_window() {
    wait_for_window "Blachorys - trabo" 120
}

wine_gui_shot() {
    sleep 1.5
    import -window root "$BLACHORYS_SCREENSHOTS/$1.png"
}

check_wine_window() {
    local copy="$BLACHORYS_WINDOWS_BUILD/wine-gui/Blachorys"
    BLACHORYS_SCREENSHOTS="$BLACHORYS_WINDOWS_BUILD/screenshots"
    rm -rf "$BLACHORYS_WINDOWS_BUILD/wine-gui" "$BLACHORYS_SCREENSHOTS"
    mkdir -p "$BLACHORYS_SCREENSHOTS" "$(dirname "$copy")"
    cp -r "$BLACHORYS_WINDOWS_BUILD/deploy/Blachorys" "$copy"
    (cd "$copy" && exec "$BLACHORYS_WINE" ./blachorys.exe) &
    local program=$!
    local window
    window=$(wine_main_window) || true
    if [ -z "$window" ]; then
        echo "the main window did not appear" >&2
        kill "$program" 2>/dev/null || true
        return 1
    fi
    timeout 10 xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    # Keys sent before the window takes them are lost.
    sleep 2
    wine_gui_shot 00-start
    # The calculators in menu order, as the program lists them.
    local names i
    mapfile -t names < <(wine_run "$copy/blachorys-cli.exe" --list | tr -d '\r' | grep -v '^ ')
    [ ${#names[@]} -gt 0 ] || { echo "blachorys-cli.exe --list named no calculator" >&2; return 1; }
    for i in "${!names[@]}"; do
        xdotool key alt+b
        sleep 0.7
        for _ in $(seq "$i"); do xdotool key Down; done
        xdotool key Return
        sleep 1.5
        xdotool key Return
        wine_gui_shot "$(printf '%02d' $((i + 1)))-${names[$i]}"
    done
    xdotool key alt+o
    sleep 0.7
    xdotool key Return
    wine_gui_shot 07-tiled
    # "Pliki" > "Koniec" (its mnemonic, below the job's commands): every calculator window
    # closes and saves its inputs.
    xdotool key alt+p
    sleep 0.7
    xdotool key k
    local status=0
    timeout 60 tail --pid="$program" -f /dev/null || status=$?
    kill "$program" 2>/dev/null || true
    local saved
    saved=$(cd "$copy" && ls -- *.dat 2>/dev/null | tr '\n' ' ')
    BLACHORYS_WINE_SUMMARY+=("$(printf '%-10s closed (%s), saved inputs: %s' window \
        "$([ $status -eq 0 ] && echo by itself || echo "NOT by itself")" "${saved:-none}")")
    BLACHORYS_WINE_SUMMARY+=("$(printf '%-10s %s' screenshots "$BLACHORYS_SCREENSHOTS")")
    [ "$status" -eq 0 ] && [ "$(echo "$saved" | wc -w)" -eq ${#names[@]} ]
}

# An installed program's folder that cannot be written: the saved inputs go to
# %APPDATA%\Blachorys instead. The folder is made immutable (chattr +i), which stops root too;
# where the file system has no such flag the check says so and is skipped.
check_wine_appdata_fallback() {
    local copy="$BLACHORYS_WINDOWS_BUILD/wine-readonly/Blachorys"
    local appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Blachorys"
    rm -rf "$(dirname "$copy")" "$appdata"
    mkdir -p "$(dirname "$copy")"
    cp -r "$BLACHORYS_WINDOWS_BUILD/deploy/Blachorys" "$copy"
    if ! chattr +i "$copy" 2>/dev/null; then
        BLACHORYS_WINE_SUMMARY+=("$(printf '%-10s skipped: no immutable flag on this file system' appdata)")
        return 0
    fi
    (cd "$copy" && exec "$BLACHORYS_WINE" ./blachorys.exe) &
    local program=$! window status=0
    window=$(wine_main_window) || true
    if [ -n "$window" ]; then
        timeout 10 xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
        sleep 2
        xdotool key alt+b
        sleep 0.7
        xdotool key Return
        sleep 1.5
        xdotool key alt+p
        sleep 0.7
        xdotool key k
        timeout 60 tail --pid="$program" -f /dev/null || status=1
    else
        status=1
    fi
    kill "$program" 2>/dev/null || true
    chattr -i "$copy"
    local beside
    beside=$(cd "$copy" && ls -- *.dat 2>/dev/null | tr '\n' ' ')
    if [ -f "$appdata/danetmp.dat" ] && [ -z "$beside" ]; then
        BLACHORYS_WINE_SUMMARY+=("$(printf '%-10s folder not writable: danetmp.dat in %%APPDATA%%\\Blachorys' appdata)")
    else
        BLACHORYS_WINE_SUMMARY+=("$(printf '%-10s NOT in %%APPDATA%%\\Blachorys (beside the program: %s)' appdata "${beside:-none}")")
        status=1
    fi
    return $status
}
