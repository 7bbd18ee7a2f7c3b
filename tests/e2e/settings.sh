#!/usr/bin/env bash
# The settings dialog, the tray menu and a desktop without a tray host, with the real program
# (run inside tests/support/run-in-desktop.sh):
#   settings.sh CASE VORBIX
# Every case has its own XDG_CONFIG_HOME and stops what it started by process id.
set -u
case_name=$1 vorbix=$2
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }

source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window_named "$1")" ]; }
# The client area's origin of a window on the screen.
origin() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'; }
# Clicks at a designed place (96 pixels per inch) of a window's client area.
click_at() {
    local x y
    read -r x y < <(origin "$1")
    xdotool mousemove $((x + $2)) $((y + $3)) click 1
    sleep 0.3
}
# A row that touches a file, to see whether the hot keys are switched on.
write_touch_row() {
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F5' \
        'Action=Benutzerdefiniertes Programm' "Program=/usr/bin/touch<~F~>" \
        "Parameter=$work/fired" 'HowToOpen=Normal'
}
fires() {
    rm -f "$work/fired"
    xdotool key ctrl+F5
    wait_for 3 test -e "$work/fired"
}
# Opens the tray icon's menu (the icon is embedded in the tray host).
tray_menu() {
    local tx ty
    read -r tx ty < <(xwininfo -root -tree | grep '("vorbix" "Vorbix")' | grep -v Pellmarr |
        sed -E 's/.*[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2/' | head -n1)
    [ -n "$tx" ] || fail "no tray icon"
    xdotool mousemove $((tx + 8)) $((ty + 8)) click 3
    # The first time, the menu reads the desktop's icon theme for its entries.
    sleep 1
}
# WM_STATE of a window: Normal, Iconic (minimised), or nothing when withdrawn (hidden).
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state:/ {print $3}'; }

case $case_name in
settings_switch_combination)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_touch_row
    start_vorbix
    wait_for 5 has_main_window || fail "main window not shown"
    w=$(main_window)
    xdotool windowactivate --sync "$w" 2>/dev/null
    # "Datei" in the menu bar, then its sixth entry "Einstellungen ...".
    click_at "$w" 20 12
    xdotool key Down Down Down Down Down Return
    wait_for 5 has_window '^Einstellungen$' || fail "the settings dialog did not open"
    d=$(window_named '^Einstellungen$')
    # The category "Sonstige Einstellungen" (last entry), the switch's box and its capture field.
    xdotool key End
    sleep 0.3
    click_at "$d" 53 280
    click_at "$d" 120 304
    xdotool key ctrl+alt+k
    sleep 0.3
    # OK.
    click_at "$d" 372 524
    wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Einstellungen$' >/dev/null" ||
        fail "the dialog stayed open"
    grep -q $'^DeActivateHotKey=Strg+Alt+K\r$' "$data/Config.ini" || fail "not stored: $(cat "$data/Config.ini")"
    # The new combination works at once: off, the row stays still; on, it fires.
    xdotool key ctrl+alt+k
    sleep 0.5
    rm -f "$work/fired"
    xdotool key ctrl+F5
    sleep 1
    [ -e "$work/fired" ] && fail "the row fired while switched off"
    xdotool key ctrl+alt+k
    sleep 0.5
    fires || fail "the row did not fire after switching on"
    ;;
tray_menu_entries)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_touch_row
    start_vorbix
    wait_for 5 has_main_window || fail "main window not shown"
    # 1: hide, then show.
    tray_menu; xdotool key Down Return
    wait_for 5 sh -c '! xdotool search --onlyvisible --name "^Pellmarr - Vorbix$" >/dev/null' ||
        fail "the first entry did not hide the window"
    tray_menu; xdotool key Down Return
    wait_for 5 has_main_window || fail "the first entry did not show the window"
    # 2: switch all hot keys off, and on again.
    tray_menu; xdotool key Down Down Return
    sleep 0.5
    rm -f "$work/fired"; xdotool key ctrl+F5; sleep 1
    [ -e "$work/fired" ] && fail "the row fired while switched off"
    tray_menu; xdotool key Down Down Return
    sleep 0.5
    fires || fail "the row did not fire after switching on"
    # 3: load a hot key file: the file dialog.
    tray_menu; xdotool key Down Down Down Return
    wait_for 5 has_window '^(Open|Öffnen)$' || fail "no file dialog"
    xdotool key Escape
    sleep 0.5
    # 4: the settings dialog, also while the window is hidden in the tray (it stays hidden).
    tray_menu; xdotool key Down Return
    wait_for 5 sh -c '! xdotool search --onlyvisible --name "^Pellmarr - Vorbix$" >/dev/null' ||
        fail "the window did not hide"
    tray_menu; xdotool key Down Down Down Down Return
    wait_for 5 has_window '^Einstellungen$' || fail "the settings dialog did not open"
    xdotool key Escape
    wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Einstellungen$' >/dev/null" ||
        fail "Esc did not close the dialog"
    has_main_window && fail "the dialog brought the hidden window back"
    # 5: the last entry ends the program.
    tray_menu; xdotool key Up Return
    wait "$vorbix_pid"
    status=$?
    [ $status -eq 0 ] || fail "exit status $status"
    grep -q $'^Active=1\r$' "$data/Config.ini" || fail "the state was not saved"
    ;;
start_without_tray)
    # No tray host on this desktop: a start with "hide" leaves the window minimised at once, and
    # says so once no tray host has come up for a while.
    start_vorbix hide
    w=$(xdotool search --name '^Pellmarr - Vorbix$' | head -n1)
    [ -n "$w" ] || fail "no main window at all"
    wait_for 5 sh -c "xprop -id $w WM_STATE | grep -q Iconic" ||
        fail "the window is not minimised: state $(wm_state "$w")"
    wait_for 15 has_window '^Vorbix$' || fail "no notice"
    xdotool windowactivate --sync "$(window_named '^Vorbix$')" 2>/dev/null
    xdotool key Return
    sleep 0.3
    [ "$(wm_state "$w")" = "Iconic" ] || fail "the window did not stay minimised: $(wm_state "$w")"
    # Back from the window list.
    xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowmap "$w"
    wait_for 5 has_main_window || fail "the window did not come back"
    kill -0 "$vorbix_pid" || fail "the program ended"
    ;;
sigterm_during_start)
    # A table of 300 rows: the start-up stops at its message that only 256 were loaded.
    { printf '[General]\r\nCount=300\r\n'
      for i in $(seq 1 300); do printf '[Hot Key%d]\r\nHot Key=Strg+Alt+%d\r\nAction=Kopieren\r\n' "$i" "$i"; done
    } >"$data/HotKeys.hkv"
    "$vorbix" >"$work/vorbix.log" 2>&1 &
    vorbix_pid=$!
    pids+=("$vorbix_pid")
    wait_for 10 has_window '^Vorbix$' || fail "no message during the start-up"
    rm -f "$data/Config.ini" "$data/HotKeys.hkv"
    # The message does not hold the end up: the program saves and ends at once.
    started=$SECONDS
    kill -TERM "$vorbix_pid"
    wait "$vorbix_pid"
    status=$?
    [ $status -eq 0 ] || fail "exit status $status"
    [ $((SECONDS - started)) -le 2 ] || fail "SIGTERM took $((SECONDS - started)) s"
    test -s "$data/Config.ini" || fail "Config.ini not saved"
    grep -q '^Count=256' "$data/HotKeys.hkv" || fail "HotKeys.hkv not saved"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
