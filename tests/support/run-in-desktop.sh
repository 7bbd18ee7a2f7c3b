#!/usr/bin/env bash
# Runs a command inside a private desktop session: a session bus, an X server (Xvfb), a window
# manager, a tray host (trayer) and a PulseAudio server with two null sinks. Every piece is a
# child of this script, known by its process id and stopped by it afterwards.
#
#   run-in-desktop.sh [--no-tray] [--no-audio] [--no-wm | --wm NAME] -- COMMAND [ARGS...]
#
# NAME is the window manager: openbox (the default), xfwm4 (with its settings daemon xfconfd,
# which the private session bus starts on demand), metacity or i3. Each runs with its own
# defaults, key bindings included, except openbox and i3, whose configuration binds no keys.
# The command sees DISPLAY, DBUS_SESSION_BUS_ADDRESS, XDG_RUNTIME_DIR, PULSE_SERVER,
# VORBIX_TEST_TMP (a private temporary folder, removed afterwards), VORBIX_TEST_XVFB_PID and
# VORBIX_TEST_WM (the window manager's name, "none" without one). Exit status: the command's;
# 77 (skipped) when Xvfb cannot start at all or the window manager asked for is not installed.
set -u

tray=1 audio=1 wm=openbox
while [ $# -gt 0 ]; do
    case "$1" in
        --no-tray) tray=0 ;;
        --no-audio) audio=0 ;;
        --no-wm) wm=none ;;
        --wm) shift; wm=${1:-} ;;
        --) shift; break ;;
        *) break ;;
    esac
    shift
done
usage="usage: run-in-desktop.sh [--no-tray] [--no-audio] [--no-wm | --wm openbox|xfwm4|metacity|i3] -- COMMAND"
[ $# -gt 0 ] || { echo "$usage" >&2; exit 2; }
case $wm in
    openbox | xfwm4 | metacity | i3 | none) ;;
    *) echo "unknown window manager '$wm'; $usage" >&2; exit 2 ;;
esac

tmp=$(mktemp -d /tmp/vorbix-desktop.XXXXXX)
pids=()
cleanup() {
    local i
    for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[$i]}" 2>/dev/null; done
    for ((i=${#pids[@]}-1; i>=0; i--)); do wait "${pids[$i]}" 2>/dev/null; done
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
export VORBIX_TEST_TMP="$tmp/work"
mkdir -p "$VORBIX_TEST_TMP"
export VORBIX_TEST_WM=$wm
unset SESSION_MANAGER
# The desktop's own programs (and the services the bus starts for them) keep their settings
# and caches in the private folder, never in the user's.
desktop_env=(XDG_CONFIG_HOME="$tmp/desktop-config" XDG_CACHE_HOME="$tmp/desktop-cache"
    XDG_DATA_HOME="$tmp/desktop-data" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 GTK_A11Y=none)

# Session bus first, so that no X client starts a bus of its own.
if command -v dbus-daemon >/dev/null; then
    env "${desktop_env[@]}" dbus-daemon --session --nofork --nopidfile --address="unix:path=$tmp/bus" --print-address=3 3>"$tmp/bus-address" &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$tmp/bus-address" ] && break; sleep 0.02; done
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/bus"
fi

if ! command -v Xvfb >/dev/null; then
    echo "SKIPPED: Xvfb is not installed, the desktop tests cannot run" >&2
    exit 77
fi
exec 4>"$tmp/display"
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 250); do [ -s "$tmp/display" ] && break; kill -0 "${pids[-1]}" 2>/dev/null || break; sleep 0.02; done
if [ ! -s "$tmp/display" ]; then
    echo "SKIPPED: Xvfb could not start:" >&2
    cat "$tmp/xvfb.log" >&2
    exit 77
fi
export DISPLAY=":$(head -n1 "$tmp/display")"
# A test that takes the X server away from under the program needs its process id.
export VORBIX_TEST_XVFB_PID=${pids[-1]}

# The window manager is ready when it has claimed the screen: the root names a check window
# that names itself. Each of the four has set up its own key grabs by then, so a test's grab
# made afterwards meets them.
wm_claimed() {
    local check
    check=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/ {print $NF}')
    [ -n "$check" ] && xprop -id "$check" -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "$check"
}
start_wm() {
    case $wm in
    openbox)
        cat >"$tmp/openbox-rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy></placement>
  <desktops><number>1</number></desktops>
  <keyboard/>
  <mouse/>
</openbox_config>
XML
        openbox --sm-disable --config-file "$tmp/openbox-rc.xml" >"$tmp/wm.log" 2>&1 &
        ;;
    xfwm4)
        env "${desktop_env[@]}" xfwm4 --compositor=off --sm-client-disable >"$tmp/wm.log" 2>&1 &
        ;;
    metacity)
        env "${desktop_env[@]}" metacity --sm-disable --no-composite >"$tmp/wm.log" 2>&1 &
        ;;
    i3)
        # No bar, no bindings: a window manager and nothing else.
        printf '%s\n' 'font pango:DejaVu Sans 8' 'focus_on_window_activation focus' \
            'default_border normal' >"$tmp/i3.config"
        env "${desktop_env[@]}" i3 -c "$tmp/i3.config" >"$tmp/wm.log" 2>&1 &
        ;;
    esac
    pids+=($!)
    local pid=$! _
    for _ in $(seq 500); do
        wm_claimed && return 0
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.02
    done
    echo "FAIL: the window manager $wm did not start:" >&2
    cat "$tmp/wm.log" >&2
    return 1
}

if [ "$wm" != none ]; then
    if ! command -v "$wm" >/dev/null; then
        echo "SKIPPED: the window manager $wm is not installed" >&2
        exit 77
    fi
    start_wm || exit 1
fi

if [ $tray -eq 1 ] && command -v trayer >/dev/null; then
    trayer --edge top --align right --widthtype pixel --width 200 --height 32 >"$tmp/trayer.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 250); do
        xdotool search --classname trayer >/dev/null 2>&1 && break
        sleep 0.02
    done
fi

if [ $audio -eq 1 ] && command -v pulseaudio >/dev/null; then
    mkdir -p "$tmp/pulse-home"
    HOME="$tmp/pulse-home" pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 \
        --disallow-exit -L "module-native-protocol-unix socket=$tmp/pulse-socket" \
        -L "module-null-sink sink_name=a sink_properties=device.description=A" \
        -L "module-null-sink sink_name=b sink_properties=device.description=B" \
        -L "module-always-sink" >"$tmp/pulse.log" 2>&1 &
    pids+=($!)
    export PULSE_SERVER="unix:$tmp/pulse-socket"
    for _ in $(seq 250); do [ -S "$tmp/pulse-socket" ] && break; sleep 0.02; done
fi

"$@" &
child=$!
pids+=("$child")
wait "$child"
status=$?
unset 'pids[-1]'
exit $status
