#!/usr/bin/env bash
# Makes the release archive from this build the way scripts/release does,
# unpacks it into a folder of its own and uses it as a user would: starts the
# unpacked program against the demo peers (the test build's fixed addresses),
# stores a password through the dialog, adds and removes the menu entry.
#   check_release.sh BUILD_DIR SOURCE_DIR        (on an X display)
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
program=""
peers=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null || true
    [ -n "$peers" ] && kill "$peers" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" >/dev/null
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$version" ] || fail "no version in the CPack configuration"
archive=$work/cpack/bidwarden-$version-linux-x86_64.tar.gz
[ -f "$archive" ] || fail "no archive named $(basename "$archive")"

# One folder, holding exactly the program and what goes with it.
top=bidwarden-$version
listing=$(tar tzf "$archive" | sed 's|/$||' | sort)
expected=$(printf '%s\n' "$top" "$top/README" "$top/add-menu-entry" "$top/bidwarden" "$top/help.html" \
    "$top/icons" "$top/icons/bidwarden.svg" | sort)
[ "$listing" = "$expected" ] || fail "the archive holds:
$listing"

mkdir "$work/unpacked"
tar xzf "$archive" -C "$work/unpacked"
folder=$work/unpacked/$top
grep -q "Version $version" "$folder/help.html" || fail "help.html does not name version $version"
sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$source/scripts/lib/runtime-packages" | while read -r package; do
    grep -qw -- "$package" "$folder/README" || fail "the README does not list $package"
done

# The demo peers where the test build's fixed addresses point.
service_port=$(sed -n 's|^BIDWARDEN_SERVICE_URL:STRING=http://127.0.0.1:\([0-9]*\)$|\1|p' "$build/CMakeCache.txt")
auction_port=$(sed -n 's|^BIDWARDEN_AUCTION_HOME:STRING=http://127.0.0.1:\([0-9]*\)/$|\1|p' "$build/CMakeCache.txt")
[ -n "$service_port" ] && [ -n "$auction_port" ] || fail "the build's fixed addresses are not on loopback"
"$build/bin/bidwarden-demo" --service-port "$service_port" --auction-port "$auction_port" >"$work/peers.out" &
peers=$!
for _ in $(seq 1 100); do grep -q auction-url "$work/peers.out" && break; sleep 0.1; done
grep -q auction-url "$work/peers.out" || fail "the demo peers did not start"

(cd "$work" && "$folder/bidwarden" >"$work/program.log" 2>&1) &
program=$!
# shellcheck source=../../scripts/lib/store-password.sh
. "$source/scripts/lib/store-password.sh"
store_password_through_dialog "Demo Auctions" jo secret
for _ in $(seq 1 100); do [ -s "$folder/pd1.txt" ] && break; sleep 0.2; done
[ -s "$folder/pd1.txt" ] || { cat "$work/program.log" >&2; fail "pd1.txt did not appear beside the unpacked program"; }
[ "$(stat -c %a "$folder/pd1.txt")" = 600 ] || fail "pd1.txt has mode $(stat -c %a "$folder/pd1.txt")"
# "jo,secret," scrambled and CR LF.
[ "$(stat -c %s "$folder/pd1.txt")" = 12 ] || fail "pd1.txt has $(stat -c %s "$folder/pd1.txt") bytes"
[ ! -e "$work/pd1.txt" ] || fail "pd1.txt was written where the program was started"
kill "$program"; wait "$program" 2>/dev/null || true
program=""

# The menu entry, in a home folder of its own.
export HOME=$work/home
unset XDG_DATA_HOME
mkdir -p "$HOME"
"$folder/add-menu-entry" >/dev/null
entry=$HOME/.local/share/applications/bidwarden.desktop
desktop-file-validate "$entry" || fail "the menu entry is not valid"
grep -qx "Exec=\"$folder/bidwarden\"" "$entry" || fail "the menu entry does not start the unpacked program"
[ -f "$HOME/.local/share/icons/hicolor/scalable/apps/bidwarden.svg" ] || fail "no icon for the menu entry"
"$folder/add-menu-entry" --remove >/dev/null
left=$(find "$HOME" -mindepth 1 ! -path "$HOME/.local" ! -path "$HOME/.local/share")
[ -z "$left" ] || fail "--remove left behind:
$left"
echo "release archive $(basename "$archive") unpacked, used and its menu entry removed"
