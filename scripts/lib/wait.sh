# Sourced. Every wait of the scripts and the release tests has a time limit
# and, when it runs out, says what it waited for:
#   wait_for SECONDS "WHAT" COMMAND [ARGS...]
# runs the command every fifth of a second until it succeeds; returns 1 with
# "gave up after SECONDS s waiting for WHAT" on stderr when it never did.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "gave up after $seconds s waiting for $what" >&2
            return 1
        fi
        sleep 0.2
    done
}

# A window with that title (a regular expression) is on $DISPLAY.
window_shown() {
    xdotool search --name "$1" >/dev/null 2>&1
}

# Waits for a window with that title and gives it the keyboard focus.
focus_window() {
    local title=$1 seconds=${2:-60}
    wait_for "$seconds" "a window titled \"$title\"" window_shown "$title" || return 1
    timeout 20 xdotool search --name "$title" windowfocus --sync \
        || { echo "gave up after 20 s waiting for the window titled \"$title\" to take the focus" >&2; return 1; }
}

# The process has ended (gone, or a zombie not yet waited for).
process_gone() {
    local state
    state=$(sed -n 's/^.*) \(.\).*$/\1/p' "/proc/$1/stat" 2>/dev/null)
    [ -z "$state" ] || [ "$state" = Z ]
}

# Ends a child process as the desktop session's end does (SIGTERM) and waits
# for it:   end_process PID "WHAT" [SECONDS]
# Returns its exit status; 1, saying so, when it has not ended in time (it is
# then killed).
end_process() {
    local pid=$1 what=$2 seconds=${3:-60} status=0
    kill -TERM "$pid" 2>/dev/null || true
    if ! wait_for "$seconds" "$what to end on SIGTERM" process_gone "$pid"; then
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        return 1
    fi
    wait "$pid" || status=$?
    return "$status"
}
