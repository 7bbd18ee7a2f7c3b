#!/usr/bin/env bash
# End-to-end cases of the search window and the key-simulation rows, run inside
# tests/support/run-in-desktop.sh:
#   search-and-keys.sh CASE VORBIX TEXT_TARGET KEY_RECORDER
# Every case has its own XDG_CONFIG_HOME and stops what it started by process id.
set -u
case_name=$1 vorbix=$2 text_target=$3 key_recorder=$4
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }

source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"
mkdir -p "$work/bin"
# Starts a window by its command and gives it the focus; its title is $1.
start_focused() {
    local title=$1 w
    shift
    "$@" &
    pids+=($!)
    wait_for 10 xdotool search --onlyvisible --name "^$title\$" || fail "no window $title"
    w=$(xdotool search --onlyvisible --name "^$title\$" | head -n1)
    xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowfocus --sync "$w"
    sleep 0.2
}
active_name() { xdotool getactivewindow getwindowname 2>/dev/null; }
active_is() { [ "$(active_name)" = "$1" ]; }

case $case_name in
search_window)
    # Addresses are opened through xdg-open; this stand-in records each one on a line of its own.
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened"\n' "$work" >"$work/bin/xdg-open"
    chmod +x "$work/bin/xdg-open"
    export PATH=$work/bin:$PATH
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_table '[General]' 'Count=2' '[Hot Key1]' 'Hot Key=Strg+F7' 'Action=Im Internet suchen' \
        'Provider=Wikipedia' '[Hot Key2]' 'Hot Key=Strg+F8' 'Action=Im Internet suchen' \
        'Provider=(Kein Anbieter gewählt)'
    start_vorbix hide
    start_focused vorbix-text-target "$text_target" "$work/text"

    # The hot key brings the window to the front over the focused one, with the focus in its box.
    key_until 5 ctrl+F7 active_is "Im Internet suchen" ||
        fail "the search window is not in front: $(active_name)"
    type_german 'AC/DC & "Co" #1+ä% x'

    xdotool key Return
    wait_for 5 test -s "$work/opened" || fail "nothing was opened: $(cat "$work/vorbix.log")"
    wait_for 5 no_window '^Im Internet suchen$' || fail "the window stayed after the search"
    sleep 0.5
    printf '%s\n' 'https://de.wikipedia.org/wiki/AC%2FDC%20%26%20%22Co%22%20%231%2B%C3%A4%25%20x' |
        cmp - "$work/opened" || fail "opened: $(cat "$work/opened")"
    [ -e "$work/text" ] && fail "the term reached the window behind: $(cat "$work/text")"

    # Esc hides without searching; a row never edited searches with the first provider.
    xdotool key ctrl+F8
    wait_for 5 active_is "Im Internet suchen" || fail "not in front the second time: $(active_name)"
    xdotool type --delay 30 'not searched'
    xdotool key Escape
    wait_for 5 no_window '^Im Internet suchen$' || fail "Esc did not hide the window"
    xdotool key ctrl+F8
    wait_for 5 active_is "Im Internet suchen" || fail "not in front the third time: $(active_name)"
    xdotool type --delay 30 'a b'
    xdotool key Return
    wait_for 5 grep -q 'google' "$work/opened" || fail "no second search: $(cat "$work/opened")"
    sleep 0.5
    printf '%s\n' 'https://de.wikipedia.org/wiki/AC%2FDC%20%26%20%22Co%22%20%231%2B%C3%A4%25%20x' \
        'https://www.google.de/search?q=a%20b' | cmp - "$work/opened" ||
        fail "opened: $(cat "$work/opened")"
    ;;
simulate_each_other)
    # Two rows, each pressing the other's combination: each fires once per press of its own
    # combination, its stroke reaches the focused window, and nothing fires in a loop.
    command -v "$key_recorder" >/dev/null || { echo "SKIPPED: no key recorder"; exit 77; }
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_table '[General]' 'Count=2' '[Hot Key1]' 'Hot Key=Strg+Alt+1' \
        'Action=Tastenkombination simulieren' 'KeyComb=Strg+Alt+2' '[Hot Key2]' \
        'Hot Key=Strg+Alt+2' 'Action=Tastenkombination simulieren' 'KeyComb=Strg+Alt+1'
    start_vorbix hide
    start_focused vorbix-key-recorder sh -c "exec '$key_recorder' >'$work/keys'"
    presses() { grep -c "^press $1 " "$work/keys"; }
    xdotool key ctrl+alt+1
    wait_for 5 sh -c "grep -q '^press 32 ' '$work/keys'" || fail "row 1 did not press Ctrl+Alt+2: $(cat "$work/keys")"
    sleep 1
    [ "$(presses 32)" = 1 ] && [ "$(presses 31)" = 0 ] || fail "after Ctrl+Alt+1: $(cat "$work/keys")"
    xdotool key ctrl+alt+2
    wait_for 5 sh -c "grep -q '^press 31 ' '$work/keys'" || fail "row 2 did not press Ctrl+Alt+1: $(cat "$work/keys")"
    sleep 1
    [ "$(presses 32)" = 1 ] && [ "$(presses 31)" = 1 ] || fail "after Ctrl+Alt+2: $(cat "$work/keys")"
    # Both hot keys still work afterwards: they were lifted only for the strokes.
    xdotool key ctrl+alt+1
    wait_for 5 sh -c "[ \$(grep -c '^press 32 ' '$work/keys') = 2 ]" || fail "row 1 no longer fires: $(cat "$work/keys")"
    grep -q '^press 32 c$' "$work/keys" || fail "the stroke lost its modifiers: $(cat "$work/keys")"
    ;;
key_editor)
    # The combination pressed in the editor's field is stored; once the editor is gone, by Enter
    # or by Esc, the field holds the keyboard no more and the row's hot key presses it.
    command -v "$key_recorder" >/dev/null || { echo "SKIPPED: no key recorder"; exit 77; }
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F7' \
        'Action=Tastenkombination simulieren' 'KeyComb=(Keine Tastenkombination festgelegt)'
    start_vorbix
    wait_for 10 has_main_window || fail "no main window"
    caption='^Eigenschaften von "Tastenkombination simulieren"$'
    open_first_row() {
        local w X Y
        w=$(main_window)
        xdotool windowactivate --sync "$w" 2>/dev/null
        X=$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print $4}')
        Y=$(xwininfo -id "$w" | awk '/Absolute upper-left Y/ {print $4}')
        xdotool mousemove $((X + 60)) $((Y + 154)) click 1
        sleep 0.3
        xdotool key Return
        wait_for 5 xdotool search --onlyvisible --name "$caption" || fail "the editor did not open"
        sleep 0.3
    }
    open_first_row
    # The Windows key too: the field holds the whole keyboard.
    xdotool keydown super
    sleep 0.2
    xdotool key ctrl+y
    sleep 0.2
    xdotool keyup super
    xdotool key Return
    wait_for 5 no_window "$caption" || fail "Enter did not close the editor"
    wait_for 5 grep -q -E $'^KeyComb=Win\+(Strg|Ctrl)\+Y\r$' "$data/HotKeys.hkv" ||
        fail "not stored: $(cat "$data/HotKeys.hkv")"
    start_focused vorbix-key-recorder sh -c "exec '$key_recorder' >'$work/keys'"
    xdotool key ctrl+F7
    wait_for 5 sh -c "grep -q '^press 79 ' '$work/keys'" || fail "the hot key did not fire after Enter: $(cat "$work/keys")"
    grep -q '^press 79 44$' "$work/keys" || fail "not Win+Ctrl+Y: $(cat "$work/keys")"

    open_first_row
    xdotool key ctrl+alt+z
    xdotool key Escape
    wait_for 5 no_window "$caption" || fail "Esc did not close the editor"
    grep -q -E $'^KeyComb=Win\+(Strg|Ctrl)\+Y\r$' "$data/HotKeys.hkv" || fail "Esc changed the row"
    w=$(xdotool search --onlyvisible --name '^vorbix-key-recorder$' | head -n1)
    xdotool windowactivate --sync "$w" 2>/dev/null
    sleep 0.2
    xdotool key ctrl+F7
    wait_for 5 sh -c "[ \$(grep -c '^press 79 ' '$work/keys') = 2 ]" || fail "the hot key did not fire after Esc: $(cat "$work/keys")"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
