#!/usr/bin/env bash
# The window actions of the vorbix program end to end, under the window manager that
# tests/support/run-in-desktop.sh started (VORBIX_TEST_WM): a row's hot key pressed with
# xdotool, the effect checked on real xterm windows through the window manager's view.
#   window_actions.sh CASE VORBIX
# Every case has its own XDG_CONFIG_HOME and stops what it started by process id. The rows use
# Ctrl+Shift with F5 … F9, which none of the window managers holds for itself.
set -u
case_name=$1 vorbix=$2
source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }
command -v xterm >/dev/null || { echo "SKIPPED: xterm missing"; exit 77; }
wm=${VORBIX_TEST_WM:-openbox}

case_folders "windows-$case_name"

vorbix_alive() { kill -0 "$vorbix_pid" 2>/dev/null || fail "vorbix ended: $(cat "$work/vorbix.log")"; }
# row N KEY ACTION: the lines of row N on Ctrl+Shift+KEY, as one argument of write_table.
row() { printf '[Hot Key%s]\r\nHot Key=Strg+Umsch+%s\r\nAction=%s' "$1" "$2" "$3"; }

# window_of TITLE: the viewable window with exactly this title.
window_of() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 | grep .; }
declare -A window
# open_window TITLE: an xterm with this title, known afterwards as ${window[TITLE]}.
open_window() {
    xterm -T "$1" -e sleep 600 >/dev/null 2>&1 &
    pids+=($!)
    wait_for 10 window_of "$1" >/dev/null || fail "the window '$1' did not appear"
    window[$1]=$(window_of "$1")
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
gone() { ! xwininfo -id "$1" >/dev/null 2>&1; }
has_state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q "$2"; }
managed() { xprop -root _NET_CLIENT_LIST | grep -qi "$(printf '0x%x' "$1")"; }
# The first value: xfwm4 appends a second one.
active_window() { xprop -root -notype _NET_ACTIVE_WINDOW | sed -n 's/.*# \(0x[0-9a-f]*\).*/\1/p'; }
is_active() { [ "$(( $(active_window) ))" -eq "$1" ]; }
activate() {
    xdotool windowactivate "$1" 2>/dev/null
    wait_for 5 is_active "$1" || fail "window $1 did not become active"
}
press() { xdotool key "ctrl+shift+$1"; }

case $case_name in
minimise_all)
    write_table '[General]' 'Count=1' "$(row 1 F5 'Alles minimieren')"
    open_window "First window"
    open_window "Second window"
    start_vorbix hide
    press F5
    if [ "$wm" = i3 ]; then
        # i3 has no minimised state and ignores the request: the windows stay as they are, and
        # the program goes on.
        sleep 0.5
        for t in "First window" "Second window"; do viewable "${window[$t]}" || fail "'$t' went away"; done
        vorbix_alive
    else
        for t in "First window" "Second window"; do
            wait_for 5 has_state "${window[$t]}" _NET_WM_STATE_HIDDEN || fail "'$t' was not minimised"
        done
    fi
    ;;
hide_show)
    write_table '[General]' 'Count=2' "$(row 1 F6 'Bestimmte Fenster verstecken')" 'Window=notes|' \
        "$(row 2 F7 'Verstecke Fenster einblenden')" 'Window=notes|'
    open_window "Alpha Notes"
    open_window "Other window"
    start_vorbix hide
    hidden=${window[Alpha Notes]}
    key_until 5 ctrl+shift+F6 eval '! viewable $hidden && ! managed $hidden' ||
        fail "the window with the keyword was not hidden"
    viewable "${window[Other window]}" || fail "the other window was hidden too"
    grep -q 'Alpha Notes' "$data/HiddenWindows.txt" || fail "the hidden window is not on the kept list"
    press F7
    wait_for 5 viewable "$hidden" || fail "the hidden window was not shown again"
    wait_for 5 managed "$hidden" || fail "the shown window is not managed again"
    ;;
close_below)
    write_table '[General]' 'Count=1' "$(row 1 F8 'Alle Fenster schließen')"
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    open_window "Below one"
    open_window "Below two"
    start_vorbix
    wait_for 5 has_main_window || fail "main window not shown"
    main=$(main_window)
    activate "$main"
    open_window "Above"
    press F8
    for t in "Below one" "Below two"; do wait_for 5 gone "${window[$t]}" || fail "'$t' was not closed"; done
    sleep 0.3
    viewable "${window[Above]}" || fail "the window above the main window was closed"
    has_main_window && fail "the main window was not hidden"
    vorbix_alive
    ;;
close_active)
    write_table '[General]' 'Count=1' "$(row 1 F9 'Programm schließen')"
    open_window "Stays open"
    open_window "To be closed"
    start_vorbix hide
    activate "${window[To be closed]}"
    press F9
    wait_for 5 gone "${window[To be closed]}" || fail "the active window was not closed"
    sleep 0.3
    viewable "${window[Stays open]}" || fail "another window was closed too"
    vorbix_alive
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name ($wm)"
