#!/usr/bin/env bash
# Files loaded through the file menu, and the end of the program while a box is open; run inside
# tests/support/run-in-desktop.sh:
#   refused_files.sh CASE VORBIX
# random_bytes, program_binary: "loaded" as a hot key table, they leave the table and HotKeys.hkv
#   byte-identical and are refused in a message box.
# real_table: a table asks first, replaces the rows on Yes and leaves HotKeys.hkv.bak (0600).
# sigterm_notice (without a tray host), sigterm_question, sigterm_editor: SIGTERM with the one-time
#   Wayland notice, a question or an editor open ends the program within a second, table saved.
set -u
case_name=$1 vorbix=$2
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }
source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"

table_rows=('[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F7' 'Action=Webseite'
    'URL=https://old.example' 'HowToOpen=Normal')
box_shown() { has_window '^Vorbix$'; }
active_is_not() { [ "$(xdotool getactivewindow 2>/dev/null)" != "$1" ]; }
window_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# load_through_menu PATH: the file menu's first entry (load a hot key table), then PATH typed
# into the file dialog's name field.
load_through_menu() {
    local w x y dialog
    w=$(main_window)
    xdotool windowactivate --sync "$w" 2>/dev/null
    read -r x y _ < <(client_area "$w")
    xdotool mousemove $((x + 20)) $((y + 11)) click 1
    sleep 0.4
    xdotool key Down Return
    wait_for 5 active_is_not "$w" || fail "no file dialog"
    dialog=$(xdotool getactivewindow)
    sleep 0.3
    xdotool type --delay 10 "$1"
    sleep 0.2
    xdotool key Return
    # A first Return may only close the name field's completion list.
    if ! wait_for 1 window_gone "$dialog"; then
        xdotool key Return
        wait_for 5 window_gone "$dialog" || fail "the file dialog did not take $1"
    fi
}

# sigterm_within_a_second: SIGTERM to the program; fails unless it ends promptly with exit
# status 0. It ends within a second on an idle machine; the check allows three, so that a
# machine loaded by the tests beside it does not fail it, while a program that waits for a box to
# be answered (the fault this catches) never ends at all.
sigterm_within_a_second() {
    local start end status
    start=$(date +%s%N)
    kill -TERM "$vorbix_pid"
    ( sleep 5; kill -KILL "$vorbix_pid" 2>/dev/null ) &
    local watchdog=$!
    wait "$vorbix_pid"
    status=$?
    end=$(date +%s%N)
    kill "$watchdog" 2>/dev/null
    wait "$watchdog" 2>/dev/null
    [ $status -eq 0 ] || fail "exit status $status after SIGTERM (killed after 5 s: 137)"
    [ $(((end - start) / 1000000)) -lt 3000 ] ||
        fail "SIGTERM took $(((end - start) / 1000000)) ms"
}

# The table of the data folder is written again from memory: gone before, there after.
expect_table_saved() {
    grep -q $'^URL=https://old.example\r$' "$data/HotKeys.hkv" ||
        fail "the table was not saved: $(cat "$data/HotKeys.hkv" 2>/dev/null)"
    test -s "$data/Config.ini" || fail "Config.ini not saved"
}

case $case_name in
random_bytes | program_binary)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_table "${table_rows[@]}"
    if [ "$case_name" = random_bytes ]; then
        head -c 20000 /dev/urandom >"$work/chosen.hkv"
    else
        cp "$(command -v ls)" "$work/chosen.hkv"
    fi
    cp "$work/chosen.hkv" "$work/chosen.orig"
    start_vorbix_shown
    cp "$data/HotKeys.hkv" "$work/table.before"
    load_through_menu "$work/chosen.hkv"
    wait_for 5 box_shown || fail "no message"
    cmp -s "$data/HotKeys.hkv" "$work/table.before" || fail "HotKeys.hkv changed"
    cmp -s "$work/chosen.hkv" "$work/chosen.orig" || fail "the chosen file changed"
    [ ! -e "$data/HotKeys.hkv.bak" ] || fail "a backup of a table that was not replaced"
    xdotool windowactivate --sync "$(window_named '^Vorbix$')" 2>/dev/null
    xdotool key Return
    wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Vorbix\$' >/dev/null" ||
        fail "the message did not close"
    # The rows in memory are the same: the save on exit writes the one row again.
    rm -f "$data/HotKeys.hkv"
    sigterm_within_a_second
    expect_table_saved
    grep -q $'^Count=1\r$' "$data/HotKeys.hkv" || fail "the table in memory changed"
    ;;
real_table)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_table "${table_rows[@]}"
    printf '[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F9\r\nAction=Kopieren\r\n' >"$work/other.hkv"
    start_vorbix_shown
    cp "$data/HotKeys.hkv" "$work/table.before"
    load_through_menu "$work/other.hkv"
    wait_for 5 box_shown || fail "not asked"
    cmp -s "$data/HotKeys.hkv" "$work/table.before" || fail "replaced before the answer"
    xdotool windowactivate --sync "$(window_named '^Vorbix$')" 2>/dev/null
    xdotool key Return
    wait_for 5 grep -q $'^Hot Key=Strg+F9\r$' "$data/HotKeys.hkv" ||
        fail "the table was not replaced: $(cat "$data/HotKeys.hkv")"
    cmp -s "$data/HotKeys.hkv.bak" "$work/table.before" || fail "HotKeys.hkv.bak is not the former table"
    [ "$(stat -c %a "$data/HotKeys.hkv.bak")" = 600 ] || fail "HotKeys.hkv.bak is not 0600"
    ;;
sigterm_notice)
    # A Wayland session on a desktop without a tray host: the notice is a message box.
    export WAYLAND_DISPLAY=wayland-vorbix-test-absent
    write_table "${table_rows[@]}"
    export QT_QPA_PLATFORM=wayland
    start_vorbix hide
    wait_for 10 box_shown || fail "no notice box: $(cat "$work/vorbix.log")"
    rm -f "$data/Config.ini" "$data/HotKeys.hkv"
    sigterm_within_a_second
    expect_table_saved
    ;;
sigterm_question)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_table "${table_rows[@]}"
    printf '[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F9\r\nAction=Kopieren\r\n' >"$work/other.hkv"
    start_vorbix_shown
    load_through_menu "$work/other.hkv"
    wait_for 5 box_shown || fail "not asked"
    rm -f "$data/Config.ini" "$data/HotKeys.hkv"
    sigterm_within_a_second
    expect_table_saved
    [ ! -e "$data/HotKeys.hkv.bak" ] || fail "the unanswered question replaced the table"
    ;;
sigterm_editor)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_table "${table_rows[@]}"
    start_vorbix_shown
    w=$(main_window)
    xdotool windowactivate --sync "$w" 2>/dev/null
    read -r x y _ < <(client_area "$w")
    xdotool mousemove $((x + 60)) $((y + 154)) click 1
    sleep 0.3
    xdotool key Return
    wait_for 5 has_window '^Eigenschaften von "Webseite"$' || fail "the editor did not open"
    rm -f "$data/Config.ini" "$data/HotKeys.hkv"
    sigterm_within_a_second
    expect_table_saved
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
