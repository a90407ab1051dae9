# Sourced. Stores a service login through the program's own dialog, as a user
# does it with the keyboard, in a running program on $DISPLAY:
#   store_password_through_dialog "WINDOW TITLE" USER PASSWORD
# Needs xdotool. Waits up to a minute for the window (the engine's first
# start is slow), then for the dialog; fails naming what did not come.
# Tools › Store Bidwarden password is the menu's third item (the menu opens
# from the keyboard with its first item chosen); the dialog opens
# with Save focused, then Tab goes to the user name, the password, Cancel,
# and round to Save.
# shellcheck source=wait.sh
. "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

store_password_through_dialog() {
    local window=$1 user=$2 password=$3
    focus_window "$window" 60 || return 1
    sleep 0.5
    xdotool key alt+t
    sleep 0.5
    xdotool key Down Down Return
    focus_window "Save Password" 20 || return 1
    sleep 0.5
    xdotool key Tab
    xdotool type --delay 30 "$user"
    xdotool key Tab
    xdotool type --delay 30 "$password"
    xdotool key Tab Tab space
}
