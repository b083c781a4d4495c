# Finding a window on the X display by its title, asked for again until it is there: one
# `xdotool search --sync` ends in an X error when a window it meets vanishes as it looks (wine's
# short-lived windows do that), and it never gives up by itself. Sourced by the scripts that
# drive the window program.

# Prints the id of the first window whose title matches $1; fails after $2 seconds (120).
wait_for_window() {
    local name=$1 deadline=$((SECONDS + ${2:-120})) window
    while [ $SECONDS -lt $deadline ]; do
        window=$(xdotool search --name "$name" 2>/dev/null | head -n 1) || true
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        sleep 1
    done
    return 1
}
