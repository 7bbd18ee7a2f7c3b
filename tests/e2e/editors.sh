#!/usr/bin/env bash
# End-to-end cases of the property editors, run inside tests/support/run-in-desktop.sh:
#   editors.sh CASE VORBIX
# The real program opens an editor from its list; xdotool fills it in; the file and the hot key
# show the result. Every case has its own XDG_CONFIG_HOME and stops what it started by process id.
set -u
case_name=$1 vorbix=$2
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }

source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"
mkdir -p "$work/bin"
# Clicks the first row of the list (designed at 60, 154 in the client area) and presses Enter.
open_first_row() {
    local w X Y
    w=$(window_named '^Pellmarr - Vorbix$')
    xdotool windowactivate --sync "$w" 2>/dev/null
    X=$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print $4}')
    Y=$(xwininfo -id "$w" | awk '/Absolute upper-left Y/ {print $4}')
    xdotool mousemove $((X + 60)) $((Y + 154)) click 1
    sleep 0.3
    xdotool key Return
}

case $case_name in
website_editor)
    # Addresses are opened through xdg-open; this one records what it was given.
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s/opened"\n' "$work" >"$work/bin/xdg-open"
    chmod +x "$work/bin/xdg-open"
    export PATH=$work/bin:$PATH
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F7' 'Action=Webseite' \
        'URL=https://old.example' 'HowToOpen=Normal'
    start_vorbix_shown
    caption='^Eigenschaften von "Webseite"$'

    # Esc writes nothing.
    before=$(md5sum <"$data/HotKeys.hkv")
    open_first_row
    wait_for 5 has_window "$caption" || fail "the editor did not open"
    xdotool key ctrl+a
    xdotool type --delay 20 "https://cancelled.example"
    xdotool key Escape
    wait_for 5 no_window "$caption" || fail "Esc did not close the editor"
    [ "$(md5sum <"$data/HotKeys.hkv")" = "$before" ] || fail "Esc changed the file"

    # Typed and confirmed with Enter: the file holds it and the hot key opens it.
    open_first_row
    wait_for 5 has_window "$caption" || fail "the editor did not open again"
    xdotool key ctrl+a
    xdotool type --delay 20 "https://new.example/e2e"
    xdotool key Return
    wait_for 5 no_window "$caption" || fail "Enter did not close the editor"
    wait_for 5 grep -q $'^URL=https://new.example/e2e\r$' "$data/HotKeys.hkv" ||
        fail "not stored: $(cat "$data/HotKeys.hkv")"
    sleep 0.3
    xdotool key ctrl+F7
    wait_for 5 grep -qx "https://new.example/e2e" "$work/opened" ||
        fail "the hot key did not open the new address: $(cat "$work/opened" 2>/dev/null)"
    ;;
tray_exit_with_editor_open)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F7' 'Action=Webseite' \
        'URL=https://old.example' 'HowToOpen=Normal'
    start_vorbix_shown
    open_first_row
    wait_for 5 has_window '^Eigenschaften von "Webseite"$' || fail "the editor did not open"
    xdotool key ctrl+a
    xdotool type --delay 20 "https://typed.example"
    # The tray icon, embedded in the tray host: its absolute place from the window tree.
    read -r tx ty < <(xwininfo -root -tree | grep '("vorbix" "Vorbix")' | grep -v Pellmarr |
        sed -E 's/.*[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2/' | head -n1)
    [ -n "$tx" ] || fail "no tray icon"
    xdotool mousemove $((tx + 8)) $((ty + 8)) click 3
    sleep 0.5
    # The last entry of the tray menu ends the program, though the editor is open.
    xdotool key Up Return
    wait_for 10 sh -c "! kill -0 ${pids[0]} 2>/dev/null" || fail "the tray's Exit did not end the program"
    grep -q $'^URL=https://old.example\r$' "$data/HotKeys.hkv" || fail "the row changed"
    ! grep -q typed "$data/HotKeys.hkv" || fail "the open editor wrote its values"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
