#!/usr/bin/env bash
# Runs a command inside a private headless Plasma Wayland session: a session bus and kwin_wayland
# on a virtual output (software rendering, no input devices) with a rootless XWayland. The desktop
# portal (xdg-desktop-portal with its KDE back end) starts by D-Bus activation on that bus;
# kglobalaccel lives inside kwin. Every piece is a child of this script, known by its process id
# and stopped by it afterwards; the home folder is a fresh one per run, so no binding of an
# earlier run is left in kglobalshortcutsrc.
#
#   run-in-plasma.sh -- COMMAND [ARGS...]
#
# The command sees WAYLAND_DISPLAY, DISPLAY (the XWayland display), DBUS_SESSION_BUS_ADDRESS,
# XDG_RUNTIME_DIR, XDG_CURRENT_DESKTOP=KDE, XDG_SESSION_TYPE=wayland, VORBIX_TEST_SESSION_HOME (the
# desktop's fresh home), VORBIX_TEST_TMP (a private temporary folder, removed afterwards) and
# VORBIX_TEST_KWIN_PID; its HOME stays the caller's. Exit status: the
# command's; 77 (skipped) when the session cannot start (kwin, the portal or python3 missing, or
# kwin failing to come up).
set -u

[ "${1:-}" = "--" ] && shift
[ $# -gt 0 ] || { echo "usage: run-in-plasma.sh -- COMMAND [ARGS...]" >&2; exit 2; }

skip() { echo "SKIPPED: $*" >&2; exit 77; }
kwin=$(command -v kwin_wayland) || skip "kwin_wayland is not installed (package kwin-wayland)"
command -v dbus-daemon >/dev/null || skip "dbus-daemon is not installed"
command -v python3 >/dev/null || skip "python3 is not installed"
portal=""
for p in /usr/libexec/xdg-desktop-portal /usr/lib/xdg-desktop-portal; do [ -x "$p" ] && portal=$p; done
[ -n "$portal" ] || skip "xdg-desktop-portal is not installed"
[ -e /usr/share/xdg-desktop-portal/portals/kde.portal ] || skip "xdg-desktop-portal-kde is not installed"

tmp=$(mktemp -d /tmp/vorbix-plasma.XXXXXX)
pids=()
own_files=()
cleanup() {
    local i
    for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[$i]}" 2>/dev/null; done
    for ((i=${#pids[@]}-1; i>=0; i--)); do wait "${pids[$i]}" 2>/dev/null; done
    for i in "${own_files[@]}"; do rm -f "$i"; done
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
export VORBIX_TEST_TMP="$tmp/work"
mkdir -p "$VORBIX_TEST_TMP"
user_home=${HOME:-}
export HOME="$tmp/home"
mkdir -p "$HOME/.config" "$HOME/.local/share" "$HOME/.cache"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland XDG_SESSION_DESKTOP=KDE KDE_FULL_SESSION=true
export QT_QPA_PLATFORMTHEME="" NO_AT_BRIDGE=1 GTK_A11Y=none KDE_DEBUG=1
unset SESSION_MANAGER DISPLAY WAYLAND_DISPLAY WAYLAND_SOCKET QT_QPA_PLATFORM

# The session bus first: the portal, its KDE back end and kglobalaccel's clients find it there.
dbus-daemon --session --nofork --nopidfile --address="unix:path=$tmp/bus" --print-address=3 \
    3>"$tmp/bus-address" >"$tmp/dbus.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/bus-address" ] && break; sleep 0.02; done
[ -s "$tmp/bus-address" ] || skip "the session bus did not start: $(cat "$tmp/dbus.log")"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/bus"

# kwin_wayland carries a file capability (cap_sys_resource); a container that refuses it makes
# exec fail with EPERM. A copy of the binary carries none.
if ! "$kwin" --version >/dev/null 2>&1; then
    cp "$kwin" "$tmp/kwin_wayland" && kwin="$tmp/kwin_wayland"
    "$kwin" --version >/dev/null 2>&1 || skip "kwin_wayland cannot run here"
fi

# XWayland gets a display of its own: the X socket (and its abstract twin) and the lock file are
# made here and handed to kwin as listening sockets, so kwin never takes :0 or a display in use.
# The launcher picks the first free display from 60 on, writes its number, then becomes kwin.
wayland_socket="wayland-vorbix-$$"
mkdir -p /tmp/.X11-unix
python3 - "$tmp/xdisplay" "$kwin" "$wayland_socket" >"$tmp/kwin.log" 2>&1 <<'PY' &
import os, socket, sys
out, kwin, wl = sys.argv[1:4]
for n in range(60, 200):
    lock = f"/tmp/.X{n}-lock"
    path = f"/tmp/.X11-unix/X{n}"
    if os.path.exists(path):
        continue
    try:
        fd = os.open(lock, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o444)
    except FileExistsError:
        continue
    os.write(fd, b"%10d\n" % os.getpid())
    os.close(fd)
    socks = []
    try:
        for name in (path, "\0" + path):
            s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            s.bind(name)
            s.listen(128)
            socks.append(s)
    except OSError:
        for s in socks:
            s.close()
        if socks:
            os.unlink(path)
        os.unlink(lock)
        continue
    with open(out + ".tmp", "w") as f:
        f.write(f"{n}\n")
    os.rename(out + ".tmp", out)
    args = [kwin, "--virtual", "--socket", wl, "--width", "1280", "--height", "1024",
            "--no-lockscreen", "--xwayland", "--xwayland-display", f":{n}"]
    for s in socks:
        os.set_inheritable(s.fileno(), True)
        args += ["--xwayland-fd", str(s.fileno())]
    os.execv(kwin, args)
sys.exit("no free X display")
PY
kwin_pid=$!
pids+=("$kwin_pid")
for _ in $(seq 250); do [ -s "$tmp/xdisplay" ] && break; kill -0 "$kwin_pid" 2>/dev/null || break; sleep 0.02; done
[ -s "$tmp/xdisplay" ] || skip "no X display for XWayland: $(cat "$tmp/kwin.log")"
xn=$(head -n1 "$tmp/xdisplay")
own_files+=("/tmp/.X11-unix/X$xn" "/tmp/.X$xn-lock")
export WAYLAND_DISPLAY=$wayland_socket DISPLAY=":$xn"
export VORBIX_TEST_KWIN_PID=$kwin_pid

# Ready when the Wayland socket answers, kglobalaccel is on the bus, and XWayland takes clients.
bus_has() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}
up=0
for _ in $(seq 300); do
    kill -0 "$kwin_pid" 2>/dev/null || break
    if [ -S "$XDG_RUNTIME_DIR/$wayland_socket" ] && bus_has org.kde.kglobalaccel; then up=1; break; fi
    sleep 0.05
done
[ $up -eq 1 ] || skip "kwin_wayland did not start: $(tail -n 20 "$tmp/kwin.log")"
# Services the bus starts from now on (the portal and its KDE back end) reach kwin and XWayland.
dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE \
    XDG_RUNTIME_DIR HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME >/dev/null 2>&1 ||
    skip "dbus-update-activation-environment is missing"
# Start the portal now: its KDE back end learns kwin's output a moment after it connects, and
# refuses a RemoteDesktop session until then.
for iface in RemoteDesktop GlobalShortcuts; do
    dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop /org/freedesktop/portal/desktop \
        org.freedesktop.DBus.Properties.Get string:org.freedesktop.portal.$iface string:version >/dev/null 2>&1 ||
        skip "the desktop portal offers no $iface: $(tail -n 20 "$tmp/dbus.log")"
done
sleep 0.5
if command -v xdpyinfo >/dev/null; then
    for _ in $(seq 200); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
fi

# The command keeps the user's home (a program run as root refuses a home that is not root's);
# the desktop's own files are in the session's home, VORBIX_TEST_SESSION_HOME.
export VORBIX_TEST_SESSION_HOME=$HOME
HOME=$user_home "$@" &
child=$!
pids+=("$child")
wait "$child"
status=$?
unset 'pids[-1]'
exit $status
