#!/usr/bin/env bash
# run-on-private-desktop.sh GUI SCRIPT: runs the Python SCRIPT against the calculator program GUI
# on a private X display (Xvfb) and a private D-Bus session, whose accessibility bus the script
# reads as a screen reader does. Settings and runtime files go to a temporary folder. Exits 77
# (skipped) with a message when a tool is missing.
set -u
GUI=$1
SCRIPT=$2

skip() {
    echo "SKIPPED: $1 is missing (Debian package: $2)"
    exit 77
}
command -v Xvfb >/dev/null || skip Xvfb xvfb
command -v xdotool >/dev/null || skip xdotool xdotool
command -v dbus-run-session >/dev/null || skip dbus-run-session dbus
[ -x /usr/libexec/at-spi-bus-launcher ] || skip at-spi-bus-launcher at-spi2-core
# Debian's own interpreter: the module is a Debian package, not one of another Python's.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "Python's pyatspi" python3-pyatspi

dir=$(mktemp -d)
xvfb_pid=
cleanup() {
    # The server is gone, its display free again, before this script ends.
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$dir"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it accepts connections. Without -noreset
# it would start over each time its last client leaves (the readiness check below is one), and a
# client connecting meanwhile is refused or cut off.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" \
    2>"$dir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
done
[ -s "$dir/display" ] || { echo "Xvfb did not start:"; cat "$dir/xvfb.log"; exit 1; }

export DISPLAY=":$(head -n1 "$dir/display")"
# A server on its way out may still answer for the same number: wait until this one does.
for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
if ! xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "display $DISPLAY does not answer; Xvfb said:"
    cat "$dir/xvfb.log"
    exit 1
fi
export XDG_CONFIG_HOME="$dir/config" XDG_CONFIG_DIRS="$dir/machine-config"
export XDG_DATA_HOME="$dir/data" XDG_RUNTIME_DIR="$dir/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CONFIG_DIRS" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS
# The scripts share a module; its compiled form stays out of the source tree.
export PYTHONDONTWRITEBYTECODE=1
dbus-run-session -- /usr/bin/python3 "$SCRIPT" "$GUI" 2> >(grep -v '^dbus-daemon' >&2)
status=$?
[ "$status" -eq 0 ] || { echo "Xvfb said:"; cat "$dir/xvfb.log"; }
exit "$status"
