# Sourced. Stores a service login through the program's own dialog, as a user
# does it with the keyboard, in a running program on $DISPLAY:
#   store_password_through_dialog "WINDOW TITLE" USER PASSWORD
# Needs xdotool. Tools › Store Bidwarden password is the menu's last item; the
# dialog opens with Save focused, then Tab goes to the user name, the
# password, Cancel, and round to Save.
store_password_through_dialog() {
    local window=$1 user=$2 password=$3
    xdotool search --sync --name "$window" windowfocus --sync
    sleep 0.5
    xdotool key alt+t
    sleep 0.5
    xdotool key Up Return
    xdotool search --sync --name "Save Password" windowfocus --sync
    sleep 0.5
    xdotool key Tab
    xdotool type --delay 30 "$user"
    xdotool key Tab
    xdotool type --delay 30 "$password"
    xdotool key Tab Tab space
}
