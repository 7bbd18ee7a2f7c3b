#!/usr/bin/env bash
# End-to-end cases of the program/folder, date/time, hide/show and volume editors, run inside
# tests/support/run-in-desktop.sh:
#   editors-actions.sh CASE VORBIX TEXT_TARGET
# The real program opens an editor from its list; xdotool fills it in; the file and the hot key
# show the result. Every case has its own XDG_CONFIG_HOME and stops what it started by process id.
set -u
case_name=$1 vorbix=$2 text_target=$3
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }

source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"
mkdir -p "$work/bin"
modules=()
stop_all() {
    local m
    for m in "${modules[@]}"; do pactl unload-module "$m" 2>/dev/null; done
    stop_started
}
trap stop_all EXIT

window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window_named "$1")" ]; }
no_window() { [ -z "$(window_named "$1")" ]; }
stored() { grep -q "^$1"$'\r$' "$data/HotKeys.hkv"; }
stored_or_fail() {
    wait_for 5 stored "$1" || fail "not stored: $1 in $(tr -d '\r' <"$data/HotKeys.hkv")"
}
# The program on its hot key page.
start_on_list() {
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    start_vorbix_shown
}
start_text_target() {
    "$text_target" "$work/text" >/dev/null 2>&1 &
    pids+=($!)
    wait_for 10 has_window '^vorbix-text-target$' || fail "no text field"
}
# Selects row N (0-based) of the list with a click on the first row and Down, presses Enter and
# waits for the editor's caption.
open_row() {
    local w X Y i
    w=$(window_named '^Pellmarr - Vorbix$')
    xdotool windowactivate --sync "$w" 2>/dev/null
    X=$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print $4}')
    Y=$(xwininfo -id "$w" | awk '/Absolute upper-left Y/ {print $4}')
    xdotool mousemove $((X + 60)) $((Y + 154)) click 1
    sleep 0.3
    for ((i = 0; i < $1; i++)); do xdotool key Down; done
    xdotool key Return
    [ $# -lt 2 ] || wait_for 5 has_window "$2" || fail "the editor $2 did not open"
    sleep 0.2
}
# A box of the program (caption "Vorbix") appears; KEY answers it.
answer_box() {
    wait_for 5 has_window '^Vorbix$' || fail "no message box ($2)"
    sleep 0.2
    xdotool key "$1"
    wait_for 5 no_window '^Vorbix$' || fail "the message box stayed ($2)"
}

case $case_name in
program_editor)
    # A program found in PATH that records its arguments.
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s/started"\n' "$work" >"$work/bin/recorder"
    chmod +x "$work/bin/recorder"
    export PATH=$work/bin:$PATH
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F7' \
        'Action=Benutzerdefiniertes Programm' 'Program=/bin/false<~F~>' 'Parameter=' \
        'HowToOpen=Normal'
    start_on_list
    caption='^Eigenschaften von "Benutzerdefiniertes Programm"$'
    before=$(md5sum <"$data/HotKeys.hkv")
    # A path the launcher cannot find is questioned; No keeps the editor open, writing nothing.
    open_row 0 "$caption"
    xdotool key Tab ctrl+a
    xdotool type --delay 20 "$work/bin/missing"
    xdotool key Return
    answer_box Escape "the path question"
    has_window "$caption" || fail "No closed the editor"
    [ "$(md5sum <"$data/HotKeys.hkv")" = "$before" ] || fail "No changed the file"

    # A bare name found in PATH counts as existing: no question; Enter stores.
    xdotool key ctrl+a
    xdotool type --delay 20 "recorder"
    xdotool key Tab Tab
    xdotool type --delay 20 -- "-x 'a b'"
    xdotool key Return
    wait_for 5 no_window "$caption" || fail "Enter did not store (a question?)"
    stored_or_fail 'Program=recorder<~F~>'
    stored_or_fail "Parameter=-x 'a b'"
    stored_or_fail 'HowToOpen=Normal'
    sleep 0.3
    xdotool key ctrl+F7
    wait_for 5 test -s "$work/started" || fail "the hot key did not start the new program"
    [ "$(cat "$work/started")" = "$(printf -- '-x\na b')" ] ||
        fail "started with: $(cat "$work/started")"
    ;;
datetime_editor)
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F8' \
        'Action=Datum/Zeit einfügen' 'DateTime=DD.MM.YYYY'
    start_on_list
    caption='^Eigenschaften von "Datum/Zeit einfügen"$'
    # Time, second entry (hh:mm); Enter in the list stores it.
    open_row 0 "$caption"
    xdotool key Down Tab Down Return
    wait_for 5 no_window "$caption" || fail "Enter did not store the time"
    stored_or_fail 'DateTime=hh:mm'
    # Back to a date: the separator starts over with the dot; the slash chosen is stored at once.
    open_row 0 "$caption"
    xdotool key Up Tab Tab Tab Tab Down Return
    wait_for 5 no_window "$caption" || fail "Enter did not store the date"
    stored_or_fail 'DateTime=DD/MM/YYYY'
    # The hot key inserts the date in that format.
    start_text_target
    xdotool windowactivate --sync "$(window_named '^vorbix-text-target$')" 2>/dev/null
    sleep 0.3
    xdotool key ctrl+F8
    wait_for 5 grep -qx "$(date +%d/%m/%Y)" "$work/text" ||
        fail "inserted: '$(cat "$work/text" 2>/dev/null)'"
    ;;
hideshow_editor)
    write_table '[General]' 'Count=2' \
        '[Hot Key1]' 'Hot Key=Strg+F9' 'Action=Bestimmte Fenster verstecken' 'Window=Neverseen|' \
        '[Hot Key2]' 'Hot Key=Strg+F10' 'Action=Verstecke Fenster einblenden' \
        'Window=(Keine Schlagwörter angegeben)'
    start_on_list
    start_text_target
    hide_caption='^Eigenschaften von "Bestimmte Fenster verstecken"$'
    show_caption='^Eigenschaften von "Verstecke Fenster einblenden"$'
    # The first opening shows the notice once.
    open_row 0
    answer_box Return "the first-time notice"
    wait_for 5 has_window "$hide_caption" || fail "the hide editor did not open"
    grep -q $'^HideShowNotice=1\r$' "$data/Config.ini" || fail "the notice is not remembered"
    # A short keyword is refused; Enter adds a keyword, Enter in the empty box stores the list.
    xdotool type --delay 20 "ab"
    xdotool key Return
    answer_box Return "the refusal"
    xdotool type --delay 20 "text-target"
    xdotool key Return
    sleep 0.2
    xdotool key Return
    wait_for 5 no_window "$hide_caption" || fail "Enter in the empty box did not store"
    stored_or_fail 'Window=Neverseen|text-target|'
    # The show row takes over the hide row's keywords through the take-over list.
    open_row 1 "$show_caption"
    has_window '^Vorbix$' && fail "the notice came a second time"
    xdotool key Tab Tab Down Return
    wait_for 5 no_window "$show_caption" || fail "Enter in the take-over list did not store"
    stored_or_fail 'Window=Neverseen|text-target|'
    [ "$(grep -c $'^Window=Neverseen|text-target|\r$' "$data/HotKeys.hkv")" = 2 ] ||
        fail "the show row did not take over the keywords"
    # The hot keys hide and show the window whose title holds the keyword.
    sleep 0.3
    xdotool key ctrl+F9
    wait_for 5 no_window '^vorbix-text-target$' || fail "the hide hot key did not hide the window"
    xdotool key ctrl+F10
    wait_for 5 has_window '^vorbix-text-target$' || fail "the show hot key did not show it again"
    ;;
volume_editor)
    command -v pactl >/dev/null && pactl info >/dev/null 2>&1 ||
        { echo "SKIPPED: no PulseAudio server"; exit 77; }
    volume_of() { pactl get-sink-volume "$1" | grep -o '[0-9]*%' | tr -d % | xargs; }
    volume_is() { [ "$(volume_of "$1")" = "$2" ]; }
    pactl set-default-sink a
    for s in a b; do pactl set-sink-volume $s 50%; pactl set-sink-mute $s 0; done
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F11' \
        'Action=Lautstärke regeln' 'Volume=+5%' 'Settings=a'
    start_on_list
    caption='^Eigenschaften von "Lautstärke regeln"$'
    # Device B, the bar two steps further right: +15 %.
    open_row 0 "$caption"
    xdotool key Down Tab Tab Right Right Return
    wait_for 5 no_window "$caption" || fail "Enter did not store"
    stored_or_fail 'Volume=+15%'
    stored_or_fail 'Settings=b'
    sleep 0.3
    xdotool key ctrl+F11
    wait_for 5 volume_is b "65 65" || fail "the hot key gave b: $(volume_of b)"
    volume_is a "50 50" || fail "a changed: $(volume_of a)"
    # The mute switch.
    open_row 0 "$caption"
    xdotool key Tab Down Return
    wait_for 5 no_window "$caption" || fail "Enter did not store the mute switch"
    stored_or_fail 'Volume=Stumm/Laut'
    sleep 0.3
    xdotool key ctrl+F11
    wait_for 5 sh -c '[ "$(pactl get-sink-mute b)" = "Mute: yes" ]' || fail "b was not muted"
    # A device plugged in while the program runs is listed at the next opening.
    modules+=("$(pactl load-module module-null-sink sink_name=c sink_properties=device.description=C)")
    sleep 0.5
    open_row 0 "$caption"
    xdotool key End Return
    wait_for 5 no_window "$caption" || fail "Enter did not store the new device"
    stored_or_fail 'Settings=c'
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
