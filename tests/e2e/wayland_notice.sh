#!/usr/bin/env bash
# The notice of a Wayland session, run inside tests/support/run-in-desktop.sh:
#   wayland_notice.sh tray|box VORBIX
# The program starts with WAYLAND_DISPLAY set (and Qt told to use Wayland, which it must not
# follow), says once that its hot keys work only while an X11 window has the focus (a tray
# message with a tray host, a message box without one), records that in Config.ini, keeps its
# hot keys, and says nothing on the next start.
set -u
mode=$1 vorbix=$2
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }
work=$VORBIX_TEST_TMP/wayland-$mode
export XDG_CONFIG_HOME=$work/config
data=$XDG_CONFIG_HOME/Vorbix
mkdir -p "$data"
export WAYLAND_DISPLAY=wayland-vorbix-test-absent
export QT_QPA_PLATFORM=wayland
pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
}
trap cleanup EXIT
source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
notices() { grep -c '^vorbix.session: Wayland session' "$1" 2>/dev/null; }
start() {
    "$vorbix" hide >"$1" 2>&1 &
    vorbix_pid=$!
    pids+=("$vorbix_pid")
    wait_for 10 grep -q '^Active=' "$data/Config.ini" || fail "vorbix did not start: $(cat "$1")"
}
stop() {
    kill -TERM "$vorbix_pid"
    wait "$vorbix_pid"
}

write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F5' \
    'Action=Benutzerdefiniertes Programm' 'Program=/usr/bin/touch<~F~>' \
    "Parameter=$work/fired" 'HowToOpen=Normal'

start "$work/first.log"
wait_for 10 grep -q '^vorbix.session: Wayland session' "$work/first.log" ||
    fail "no notice: $(cat "$work/first.log")"
case $mode in
tray)
    grep -q 'told in the tray' "$work/first.log" || fail "not told in the tray: $(cat "$work/first.log")"
    ;;
box)
    grep -q 'told in a message box' "$work/first.log" || fail "no message box: $(cat "$work/first.log")"
    wait_for 10 xdotool search --onlyvisible --name '^Vorbix$' || fail "the message box is not shown"
    box=$(xdotool search --onlyvisible --name '^Vorbix$' | head -n1)
    xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
    xdotool key --window "$box" Return
    wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Vorbix\$' >/dev/null" ||
        fail "the message box did not close"
    ;;
esac
grep -q $'^WaylandNotice=1\r$' "$data/Config.ini" || fail "the notice was not recorded"
# The program runs on as an X11 client: its hot key still fires.
sleep 0.3
xdotool key ctrl+F5
wait_for 5 test -e "$work/fired" || fail "the hot key did not fire after the notice"
sleep 0.5
[ "$(notices "$work/first.log")" -eq 1 ] || fail "told more than once: $(cat "$work/first.log")"
stop

# The next start says nothing.
start "$work/second.log"
sleep 1
[ "$(notices "$work/second.log")" -eq 0 ] || fail "told again on the next start"
xdotool search --onlyvisible --name '^Vorbix$' >/dev/null 2>&1 && fail "a message box on the next start"
stop
echo "PASS: wayland_notice $mode"
