#!/usr/bin/env bash
# Keys as Linux users type them, inside tests/support/run-in-desktop.sh:
#   keys-and-layouts.sh CASE VORBIX KEY_GRABBER
# us_table_on_german, german_table_on_us: a table written on one layout group fires on the
#   other (setxkbmap in the test's own X server).
# capture_super_and_shift: Super+E and Shift+F5 pressed into the capture field as xdotool sends
#   them make rows on Win+E and Shift+F5, and Shift+F5 fires.
# bare_letter_asks: a letter without modifier asks first; Shift with a letter is refused.
# let_go_fires_after_show: a row whose combination another client held fires once that client
#   has let it go and the window is shown.
set -u
case_name=$1 vorbix=$2 grabber=$3
source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }
command -v setxkbmap >/dev/null || { echo "SKIPPED: setxkbmap missing"; exit 77; }

case_folders "keys-$case_name"

no_message_box() { ! message_box >/dev/null; }
# program_row N KEY_TEXT FILE: row N of a table, starting touch FILE.
program_row() {
    printf '%s\n' "[Hot Key$1]" "Hot Key=$2" 'Action=Benutzerdefiniertes Programm' \
        'Program=/usr/bin/touch<~F~>' "Parameter=$3" 'HowToOpen=Normal'
}
# table ROWS...: the table file of the rows given as program_row output.
table() {
    local rows=$#
    mapfile -t lines < <(printf '%s\n' "$@")
    write_table '[General]' "Count=$rows" "${lines[@]}"
}
# shown_window_origin [ARGS...]: starts the program with its window shown and sets X and Y to
# the origin of its client area.
shown_window_origin() {
    start_vorbix_shown "$@"
    w=$(main_window)
    xdotool windowactivate --sync "$w" 2>/dev/null
    read -r X Y _ < <(client_area "$w")
}
rows_of() { grep -c '^\[Hot Key[0-9]' "$data/HotKeys.hkv"; }
has_row() { grep -q "^Hot Key=$1"$'\r' "$data/HotKeys.hkv"; }
# answer KEY: presses KEY (Return: Yes or OK, Escape: No) in the message box that is up.
answer() {
    local box
    box=$(message_box) || fail "no message box to answer"
    xdotool windowactivate --sync "$box" 2>/dev/null
    xdotool key "$1"
    wait_for 5 no_message_box || fail "the message box did not close"
    sleep 0.2
}

case $case_name in
us_table_on_german | german_table_on_us)
    if [ "$case_name" = us_table_on_german ]; then
        layout=de
        table "$(program_row 1 'Ctrl+Alt+End' "$work/first")" \
            "$(program_row 2 'Ctrl+Shift+PgDn' "$work/second")"
    else
        layout=us
        table "$(program_row 1 'Strg+Alt+Ende' "$work/first")" \
            "$(program_row 2 'Strg+Shift+BildAb' "$work/second")"
    fi
    setxkbmap "$layout" || fail "setxkbmap $layout"
    start_vorbix hide
    key_until 10 ctrl+alt+End test -e "$work/first" || fail "the first row did not fire on $layout"
    xdotool key ctrl+shift+Next
    wait_for 5 test -e "$work/second" || fail "the second row did not fire on $layout"
    ;;
capture_super_and_shift)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    shown_window_origin
    # xdotool lets Super go before the E (and Shift before the F5): the combination keeps them.
    add_row super+e Kommandoz
    # Win+E is one the desktop uses itself: asked, and taken on Yes.
    wait_for 5 message_box >/dev/null || fail "Win+E was not asked for: $(cat "$data/HotKeys.hkv")"
    answer Return
    wait_for 5 has_row 'Win+E' || fail "no row on Win+E: $(cat "$data/HotKeys.hkv")"
    add_row shift+F5 Kommandoz
    wait_for 5 has_row 'Shift+F5' || fail "no row on Shift+F5: $(cat "$data/HotKeys.hkv")"
    no_message_box || fail "a message on adding Shift+F5"
    [ "$(rows_of)" -eq 2 ] || fail "other rows than two: $(cat "$data/HotKeys.hkv")"
    before=$(terminals | wc -l)
    more_terminals() { [ "$(terminals | wc -l)" -gt "$before" ]; }
    xdotool key shift+F5
    wait_for 10 more_terminals || fail "the row on Shift+F5 did not fire"
    ;;
bare_letter_asks)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    shown_window_origin
    add_row x Kopieren
    wait_for 5 message_box >/dev/null || fail "a bare X was added without a question"
    answer Escape
    [ "$(rows_of)" -eq 0 ] || fail "a row after No: $(cat "$data/HotKeys.hkv")"
    add_row shift+a Kopieren
    wait_for 5 message_box >/dev/null || fail "Shift+A was taken without a word"
    answer Return
    [ "$(rows_of)" -eq 0 ] || fail "a row on Shift+A: $(cat "$data/HotKeys.hkv")"
    add_row x Kopieren
    wait_for 5 message_box >/dev/null || fail "the second X was not asked for"
    answer Return
    wait_for 5 has_row X || fail "no row on X after Yes: $(cat "$data/HotKeys.hkv")"
    ;;
let_go_fires_after_show)
    # Ctrl+Shift+F9 (keysym ffc6, Shift 0x1 with Control 0x4) held by another client. (The X
    # server keeps Ctrl+Alt with the F keys for switching terminals.)
    "$grabber" ffc6 5 >"$work/grabber.out" 2>&1 &
    grabber_pid=$!
    pids+=("$grabber_pid")
    wait_for 5 grep -q grabbed "$work/grabber.out" || fail "the grabber did not grab: $(cat "$work/grabber.out")"
    table "$(program_row 1 'Strg+Shift+F9' "$work/fired")"
    start_vorbix hide
    kill "$grabber_pid"
    wait "$grabber_pid" 2>/dev/null
    # Nothing has tried again yet: the combination reaches no one.
    xdotool key ctrl+shift+F9
    sleep 1
    [ -e "$work/fired" ] && fail "fired before the window was shown"
    # A second start shows the window, which tries the refused row again.
    "$vorbix" >/dev/null 2>&1
    wait_for 10 has_main_window || fail "the window was not shown"
    key_until 5 ctrl+shift+F9 test -e "$work/fired" || fail "the row let go did not fire after the window was shown: $(cat "$work/vorbix.log")"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
