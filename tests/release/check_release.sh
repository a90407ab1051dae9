#!/usr/bin/env bash
# Makes the release archive from this build the way scripts/release does,
# unpacks it into a folder of its own and uses it as a user would: starts the
# unpacked program against the demo peers (the test build's fixed addresses),
# on the demo site's own home page whatever the build's auction address,
# stores a password through the dialog, adds and removes the menu entry.
# Every wait has a time limit and names what it waited for.
#   check_release.sh BUILD_DIR SOURCE_DIR [ARCHIVE]      (on an X display)
# ARCHIVE: use that archive, made elsewhere (on another Debian release) from a
# build with the same fixed addresses, instead of making one from BUILD_DIR.
# Exits 77 (skipped) when the build's fixed addresses are not on loopback,
# where no demo peer can stand in for them.
set -euo pipefail
build=$1
source=$2
given_archive=${3:-}
work=$(mktemp -d)
program=""
peers=""
cleanup() {
    [ -z "$program" ] || end_process "$program" "the unpacked program" || true
    [ -z "$peers" ] || end_process "$peers" "the demo peers" || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=../../scripts/lib/wait.sh
. "$source/scripts/lib/wait.sh"

# The demo peers stand in for the build's fixed addresses: any loopback
# address with a port, with or without a path.
loopback_port() {
    sed -n -E "s#^$1:STRING=http://(127\.[0-9]+\.[0-9]+\.[0-9]+|localhost):([0-9]+)(/.*)?\$#\2#p" "$build/CMakeCache.txt"
}
service_port=$(loopback_port BIDWARDEN_SERVICE_URL)
auction_port=$(loopback_port BIDWARDEN_AUCTION_HOME)
if [ -z "$service_port" ] || [ -z "$auction_port" ]; then
    echo "SKIP: the build's fixed addresses are not on loopback ports, so no demo peer can answer for them:"
    grep -E '^BIDWARDEN_(SERVICE_URL|AUCTION_HOME):' "$build/CMakeCache.txt" || true
    exit 77
fi

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$version" ] || fail "no version in the CPack configuration"
if [ -n "$given_archive" ]; then
    archive=$given_archive
    [ -f "$archive" ] || fail "no archive $archive"
else
    cpack --config "$build/CPackConfig.cmake" -G TGZ -B "$work/cpack" >/dev/null
    archive=$work/cpack/bidwarden-$version-linux-x86_64.tar.gz
    [ -f "$archive" ] || fail "no archive named $(basename "$archive")"
    # Kept for a run on another release (.ci/run starts it on Debian 13).
    cp "$archive" "$build/"
fi

# One folder, holding exactly the program and what goes with it.
top=bidwarden-$version
listing=$(tar tzf "$archive" | sed 's|/$||' | sort)
# The spelling dictionaries the build made (none where it had no converter).
dictionaries=()
for dictionary in "$build"/bin/qtwebengine_dictionaries/*.bdic; do
    [ -f "$dictionary" ] || continue
    [ ${#dictionaries[@]} -gt 0 ] || dictionaries+=("$top/qtwebengine_dictionaries")
    dictionaries+=("$top/qtwebengine_dictionaries/$(basename "$dictionary")")
done
expected=$(printf '%s\n' "$top" "$top/LICENSE" "$top/README" "$top/add-menu-entry" "$top/bidwarden" "$top/help.html" \
    "$top/icons" "$top/icons/bidwarden.svg" "${dictionaries[@]}" | sort)
[ "$listing" = "$expected" ] || fail "the archive holds:
$listing"

mkdir "$work/unpacked"
tar xzf "$archive" -C "$work/unpacked"
folder=$work/unpacked/$top
grep -q "Version $version" "$folder/help.html" || fail "help.html does not name version $version"
# shellcheck source=../../scripts/lib/package-list
. "$source/scripts/lib/package-list"
for release in bookworm trixie; do
    for package in $(package_list "$release" "$source/scripts/lib/runtime-packages"); do
        grep -qw -- "$package" "$folder/README" || fail "the README does not list $package ($release)"
    done
done

# The demo peers where the test build's fixed addresses point.
"$build/bin/bidwarden-demo" --service-port "$service_port" --auction-port "$auction_port" >"$work/peers.out" &
peers=$!
wait_for 20 "the demo peers to listen" grep -q auction-url "$work/peers.out" || fail "the demo peers did not start"

# The demo site's own home page, whatever path the build's address has: the
# page's title is what the dialog's driver waits for.
printf 'http://127.0.0.1:%s/\r\n' "$auction_port" >"$folder/homepage.txt"
(cd "$work" && exec "$folder/bidwarden" >"$work/program.log" 2>&1) &
program=$!
# shellcheck source=../../scripts/lib/store-password.sh
. "$source/scripts/lib/store-password.sh"
store_password_through_dialog "Demo Auctions" jo secret || { cat "$work/program.log" >&2; fail "no password stored"; }
wait_for 20 "pd1.txt beside the unpacked program" test -s "$folder/pd1.txt" \
    || { cat "$work/program.log" >&2; fail "pd1.txt did not appear beside the unpacked program"; }
[ "$(stat -c %a "$folder/pd1.txt")" = 600 ] || fail "pd1.txt has mode $(stat -c %a "$folder/pd1.txt")"
# "jo,secret," scrambled and CR LF.
[ "$(stat -c %s "$folder/pd1.txt")" = 12 ] || fail "pd1.txt has $(stat -c %s "$folder/pd1.txt") bytes"
[ ! -e "$work/pd1.txt" ] || fail "pd1.txt was written where the program was started"
end_process "$program" "the unpacked program" || fail "the unpacked program did not end as Exit does on SIGTERM"
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
