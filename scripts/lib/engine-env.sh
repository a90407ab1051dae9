# Sourced by the scripts that start the browser engine (the program, the
# tests, the benchmarks): the environment it needs on this kind of machine.
# The program itself reads none of it.

# The engine refuses to run as root with its sandbox on.
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
# Without a session bus (a virtual display, a login over ssh) the toolkit's
# D-Bus client forks to autolaunch one; in a many-threaded process that fork
# can hang the program for good. Seen with Debian's Qt 6.4.2; a desktop
# session's bus is kept.
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-disabled:}"
