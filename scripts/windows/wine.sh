# Running the Windows programs under wine64 on an X server of their own (Xvfb), in a wine
# prefix made afresh inside the build tree.

BLACHORYS_WINE=/usr/lib/wine/wine64

start_wine_session() {
    export WINEPREFIX="$BLACHORYS_WINDOWS_BUILD/wine"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer prompts
    # Arguments reach the programs as UTF-16 from this locale: Polish letters survive.
    export LANG=C.UTF-8
    rm -rf "$WINEPREFIX"
    export DISPLAY=:${BLACHORYS_WINE_DISPLAY:-93}
    Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    BLACHORYS_XVFB=$!
    sleep 1
    openbox >/dev/null 2>&1 &
    BLACHORYS_WM=$!
    "$BLACHORYS_WINE" wineboot -i >/dev/null 2>&1
}

stop_wine_session() {
    "$BLACHORYS_WINE" wineboot -k >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    kill "$BLACHORYS_WM" "$BLACHORYS_XVFB" 2>/dev/null || true
    wait "$BLACHORYS_WM" "$BLACHORYS_XVFB" 2>/dev/null || true
}

wine_run() {
    "$BLACHORYS_WINE" "$@"
}

# The Windows path of a Unix one, as the programs see it.
windows_path() {
    "$BLACHORYS_WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'
}
