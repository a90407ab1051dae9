#!/usr/bin/env bash
# Makes the Debian package from this build the way scripts/release does,
# checks what it holds, installs it with apt-get, uses it as a user of the
# machine would and purges it again:
#   check_package.sh BUILD_DIR SOURCE_DIR [PACKAGE]      (on an X display)
# PACKAGE: use that .deb instead of making one from BUILD_DIR.
#
# It installs the package system-wide, so it runs only where that was asked
# for, with BIDWARDEN_SYSTEM_INSTALL_TEST=1 (.ci/run sets it, for this machine
# and for the Debian 13 root it makes), as root, and where no bidwarden is
# installed already; otherwise it says why and exits 77 (skipped). So
# scripts/test on a desktop leaves the system alone.
#
# The user is an unprivileged one (uid 65534) with a home folder of its own.
# It starts the program as the menu entry does, stores a password through the
# dialog (it must land in its ~/.config/Bidwarden), ends the program as the
# session's end does, starts it again and the demo service must receive that
# login. An administrator's homepage.txt beside the program points it at the
# demo site's own home page whatever the build's auction address.
set -euo pipefail
build=$1
source=$2
given_package=${3:-}
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "${BIDWARDEN_SYSTEM_INSTALL_TEST:-}" = 1 ] \
    || skip "installs bidwarden system-wide with apt-get and purges it again; set BIDWARDEN_SYSTEM_INSTALL_TEST=1 where that is wanted (.ci/run does)"
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
if dpkg-query -W -f='${Status}' bidwarden 2>/dev/null | grep -q "installed"; then
    skip "bidwarden is installed on this machine already; this test would replace it"
fi

# One at a time on a machine: two would install and purge under each other.
exec 9>/tmp/bidwarden-package-test.lock
flock -w 900 9 || fail "another run of this test held the machine's package for 15 minutes"

# shellcheck source=../../scripts/lib/wait.sh
. "$source/scripts/lib/wait.sh"
# shellcheck source=../../scripts/lib/store-password.sh
. "$source/scripts/lib/store-password.sh"
# shellcheck source=../../scripts/lib/package-list
. "$source/scripts/lib/package-list"

loopback_port() {
    sed -n -E "s#^$1:STRING=http://(127\.[0-9]+\.[0-9]+\.[0-9]+|localhost):([0-9]+)(/.*)?\$#\2#p" "$build/CMakeCache.txt"
}
service_port=$(loopback_port BIDWARDEN_SERVICE_URL)
auction_port=$(loopback_port BIDWARDEN_AUCTION_HOME)
[ -n "$service_port" ] && [ -n "$auction_port" ] \
    || skip "the build's fixed addresses are not on loopback ports, so no demo peer can answer for them"

work=$(mktemp -d)
chmod 755 "$work"
program=""
peers=""
installed=0
admin_default=/usr/lib/bidwarden/homepage.txt
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300)
cleanup() {
    [ -z "$program" ] || end_process "$program" "the installed program" || true
    [ -z "$peers" ] || end_process "$peers" "the demo peers" || true
    rm -f "$admin_default"
    [ "$installed" -eq 0 ] || "${apt[@]}" purge bidwarden >/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# --- the package as made ---------------------------------------------------
if [ -n "$given_package" ]; then
    package=$given_package
else
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/cpack" >/dev/null
    package=$(ls "$work"/cpack/bidwarden_*.deb)
fi
[ -f "$package" ] || fail "no package $package"
version=$(dpkg-deb -f "$package" Version)
tree=$work/tree
dpkg-deb -x "$package" "$tree"
for f in usr/lib/bidwarden/bidwarden usr/lib/bidwarden/help.html usr/share/applications/bidwarden.desktop \
         usr/share/icons/hicolor/scalable/apps/bidwarden.svg usr/share/metainfo/com.bidwarden.bidwarden.metainfo.xml \
         usr/share/doc/bidwarden/copyright usr/share/doc/bidwarden/changelog.gz usr/share/man/man1/bidwarden.1.gz; do
    [ -f "$tree/$f" ] || fail "the package has no /$f"
done
for dictionary in "$build"/bin/qtwebengine_dictionaries/*.bdic; do
    [ -f "$dictionary" ] || continue
    cmp -s "$dictionary" "$tree/usr/lib/bidwarden/qtwebengine_dictionaries/$(basename "$dictionary")" \
        || fail "the package has no /usr/lib/bidwarden/qtwebengine_dictionaries/$(basename "$dictionary")"
done
for size in 16 24 32 48 64 128 256; do
    file -b "$tree/usr/share/icons/hicolor/${size}x${size}/apps/bidwarden.png" | grep -q "PNG image data, $size x $size" \
        || fail "no $size-pixel icon"
done
[ "$(readlink "$tree/usr/bin/bidwarden")" = ../lib/bidwarden/bidwarden ] || fail "/usr/bin/bidwarden is no link to the program"
file -b "$tree/usr/lib/bidwarden/bidwarden" | grep -q ", stripped" || fail "the program is not stripped"
[ "$(dpkg-deb -f "$package" Section)" = web ] || fail "the package's section is not web"
depends=$(dpkg-deb -f "$package" Depends)
# What Qt loads while running, which dpkg-shlibdeps cannot see.
loaded=$(sed -e 's/#.*//' "$source/scripts/lib/runtime-packages" | awk -v release="$(this_release)" '
    $1 ~ /:$/ { if ($1 != release ":") next; $1 = ""; $0 = $0 }
    $2 == "loaded" { print $1 }')
[ -n "$loaded" ] || fail "no package in the run-time list is marked loaded"
for name in $loaded; do
    grep -qE "(^|, )$name( |,|$)" <<<"$depends" || fail "the package does not depend on $name, which Qt loads"
done
desktop-file-validate "$tree/usr/share/applications/bidwarden.desktop" || fail "the menu entry is not valid"
grep -qx "Icon=bidwarden" "$tree/usr/share/applications/bidwarden.desktop" || fail "the menu entry's icon is no theme name"
appstreamcli validate --no-net "$tree/usr/share/metainfo/com.bidwarden.bidwarden.metainfo.xml" \
    || fail "the AppStream file is not valid"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$tree/usr/share/metainfo/com.bidwarden.bidwarden.metainfo.xml" \
    || fail "the AppStream file names no GPL-3.0-or-later"
grep -q "<release version=\"$version\"" "$tree/usr/share/metainfo/com.bidwarden.bidwarden.metainfo.xml" \
    || fail "the AppStream file has no release $version"
zcat "$tree/usr/share/doc/bidwarden/changelog.gz" | head -n 1 | grep -q "^bidwarden ($version) " \
    || fail "the changelog does not begin with version $version"
head -n 1 "$tree/usr/share/doc/bidwarden/copyright" | grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    || fail "the copyright file is not in Debian's machine-readable format"
grep -qx "License: GPL-3+" "$tree/usr/share/doc/bidwarden/copyright" || fail "the copyright file names no GPL-3+"

# --- installed -------------------------------------------------------------
"${apt[@]}" install "$(realpath "$package")" >"$work/apt-install.log" 2>&1 \
    || { cat "$work/apt-install.log" >&2; fail "apt-get could not install the package"; }
installed=1
dpkg-query -L bidwarden >"$work/files"
printf 'http://127.0.0.1:%s/\r\n' "$auction_port" >"$admin_default"

"$build/bin/bidwarden-demo" --service-port "$service_port" --auction-port "$auction_port" \
    --log "$work/requests.jsonl" >"$work/peers.out" &
peers=$!
wait_for 20 "the demo peers to listen" grep -q auction-url "$work/peers.out" || fail "the demo peers did not start"

user=65534
home=$work/home
mkdir "$home"
chown "$user:$user" "$home"
as_user=(setpriv --reuid="$user" --regid="$user" --clear-groups --)
user_environment=(env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8
                  DBUS_SESSION_BUS_ADDRESS=disabled: ASAN_OPTIONS="${ASAN_OPTIONS:-}")
# The engine's sandbox needs user namespaces, which the kernel refuses in a
# chroot (the Debian 13 root): there it runs without.
if ! "${as_user[@]}" unshare --user true 2>/dev/null; then
    echo "no user namespaces here: the engine runs without its sandbox"
    user_environment+=(QTWEBENGINE_DISABLE_SANDBOX=1)
fi
command_line=$(sed -n 's/^Exec=//p' /usr/share/applications/bidwarden.desktop)
[ "$command_line" = bidwarden ] || fail "the menu entry starts \"$command_line\""
start_program() {
    (cd "$home" && exec "${as_user[@]}" "${user_environment[@]}" "$command_line" >>"$work/program.log" 2>&1) &
    program=$!
}

start_program
store_password_through_dialog "Demo Auctions" jo secret || { cat "$work/program.log" >&2; fail "no password stored"; }
settings=$home/.config/Bidwarden
wait_for 20 "pd1.txt in the user's $settings" test -s "$settings/pd1.txt" \
    || { cat "$work/program.log" >&2; fail "pd1.txt did not appear in the user's settings folder"; }
[ "$(stat -c '%u %a' "$settings")" = "$user 700" ] || fail "$settings is $(stat -c '%u %a' "$settings")"
[ "$(stat -c '%u %a %s' "$settings/pd1.txt")" = "$user 600 12" ] || fail "pd1.txt is $(stat -c '%u %a %s' "$settings/pd1.txt")"
beside='bidwarden\nhelp.html\nhomepage.txt'
if compgen -G "$build/bin/qtwebengine_dictionaries/*.bdic" >/dev/null; then
    beside='bidwarden\nhelp.html\nhomepage.txt\nqtwebengine_dictionaries'
fi
[ "$(ls /usr/lib/bidwarden)" = "$(printf "$beside")" ] \
    || fail "beside the installed program: $(ls /usr/lib/bidwarden)"
end_process "$program" "the installed program" || fail "the installed program did not end as Exit does on SIGTERM"
program=""

# The next start logs in with what was stored: the bytes the service got.
start_program
login=$(printf 'UserLogin=jo&UserPassword=secret' | od -An -tx1 | tr -d ' \n')
logged_in() { grep -F '"path":"/cl/logincheck.cfm"' "$work/requests.jsonl" | grep -qF "\"body\":\"$login\""; }
wait_for 60 "the demo service to receive the stored login" logged_in \
    || { cat "$work/program.log" >&2; fail "the stored password did not log in at the next start"; }
end_process "$program" "the installed program" || fail "the installed program did not end as Exit does on SIGTERM"
program=""

# --- purged ----------------------------------------------------------------
rm -f "$admin_default"
"${apt[@]}" purge bidwarden >"$work/apt-purge.log" 2>&1 || { cat "$work/apt-purge.log" >&2; fail "apt-get could not purge the package"; }
installed=0
! dpkg-query -W -f='${Status}' bidwarden 2>/dev/null | grep -q . || fail "dpkg still knows bidwarden: $(dpkg-query -W -f='${Status}' bidwarden)"
left=""
while read -r path; do
    # Folders the package shares with others (/usr/share/icons/...) stay.
    if { [ -e "$path" ] || [ -L "$path" ]; } && { [ ! -d "$path" ] || [[ $path == */bidwarden ]]; }; then
        left+="$path"$'\n'
    fi
done <"$work/files"
[ -z "$left" ] || fail "purging left behind:
$left"
echo "the Debian package $(basename "$package") installed, used by an unprivileged user and purged without a trace"
