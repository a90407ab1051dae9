#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed program
# once: the program folder must be complete and the program must come up.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
for f in bidwarden help.html icons/bidwarden.svg share/applications/bidwarden.desktop \
         share/icons/hicolor/scalable/apps/bidwarden.svg share/icons/hicolor/16x16/apps/bidwarden.png \
         share/icons/hicolor/256x256/apps/bidwarden.png; do
    [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
grep -qx "Exec=\"$prefix/bidwarden\"" "$prefix/share/applications/bidwarden.desktop" \
    || { echo "the menu entry does not name the installed program"; exit 1; }
grep -qx "Icon=bidwarden" "$prefix/share/applications/bidwarden.desktop" \
    || { echo "the menu entry does not name its icon by the theme's name"; exit 1; }
desktop-file-validate "$prefix/share/applications/bidwarden.desktop" || { echo "the menu entry is not valid"; exit 1; }

"$prefix/bidwarden" &
pid=$!
# Up for three seconds means it got past start-up; then end it.
for _ in 1 2 3; do
    sleep 1
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; echo "the installed program exited early: $?"; exit 1; }
done
kill "$pid"
wait "$pid" 2>/dev/null || true
# Nothing was written beside the program: it has no settings until the user saves some.
[ ! -e "$prefix/pd1.txt" ] && [ ! -e "$prefix/homepage.txt" ] || { echo "settings files appeared"; exit 1; }
echo "installed and started from $prefix"
