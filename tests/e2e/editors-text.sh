#!/usr/bin/env bash
# End-to-end cases of the insert-text editor, run inside tests/support/run-in-desktop.sh:
#   editors-text.sh CASE VORBIX TEXT_TARGET
# The real program opens the editor from its list; xdotool types into it; the file holds the
# text and the hot key inserts it into a real text field. Every case has its own
# XDG_CONFIG_HOME and stops what it started by process id.
set -u
case_name=$1 vorbix=$2 text_target=$3
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }

source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"
# Clicks the first row of the list (designed at 60, 154 in the client area) and presses Enter.
open_first_row() {
    local x y w h
    read -r x y w h < <(client_area "$(window_named '^Pellmarr - Vorbix$')")
    xdotool windowactivate --sync "$(window_named '^Pellmarr - Vorbix$')" 2>/dev/null
    xdotool mousemove $((x + 60)) $((y + 154)) click 1
    sleep 0.3
    xdotool key Return
}
# Clicks a point given from the editor's bottom right corner (the OK button sits there).
click_from_bottom_right() {
    local x y w h
    read -r x y w h < <(client_area "$(window_named "$caption")")
    xdotool mousemove $((x + w - $1)) $((y + h - $2)) click 1
}
# Clicks a point of the editor's client area given from its top left corner.
click_at() {
    local x y w h
    read -r x y w h < <(client_area "$(window_named "$caption")")
    xdotool mousemove $((x + $1)) $((y + $2)) click 1
}
# The rows as the program's own tool lists them.
listed() { "$(dirname "$vorbix")/vorbix-hkv" list "$data/HotKeys.hkv"; }

caption='^Eigenschaften von "Text einf.*gen"$'
printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"

case $case_name in
formatted_text)
    # A new row: no text yet.
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F7' 'Action=Text einfügen'
    start_vorbix_shown

    # Esc writes nothing.
    before=$(md5sum <"$data/HotKeys.hkv")
    open_first_row
    wait_for 5 has_window "$caption" || fail "the editor did not open"
    sleep 0.3
    xdotool type --delay 20 "cancelled"
    xdotool key Escape
    wait_for 5 no_window "$caption" || fail "Esc did not close the editor"
    [ "$(md5sum <"$data/HotKeys.hkv")" = "$before" ] || fail "Esc changed the file"

    # Typed, part of it made bold with Ctrl+Shift+Left and the bold button, confirmed with OK.
    open_first_row
    wait_for 5 has_window "$caption" || fail "the editor did not open again"
    sleep 0.3
    type_german "Grüße aus Vorbix"
    xdotool key ctrl+shift+Left
    click_at 35 104  # the bold button, the first on the tool bar
    xdotool key End
    click_from_bottom_right 165 21  # OK
    wait_for 5 no_window "$caption" || fail "OK did not close the editor"
    wait_for 5 grep -q '^Text1=<~Form~>{\\rtf1' "$data/HotKeys.hkv" ||
        fail "no formatted text stored: $(cat "$data/HotKeys.hkv")"
    listed | grep -q "Grüße aus Vorbix" || fail "the file holds another text: $(listed)"
    tr -d '\r\n' <"$data/HotKeys.hkv" | sed 's/Text[0-9]*=//g' | grep -q '\\b<~Spa~>Vorbix' ||
        fail "the last word is not bold: $(cat "$data/HotKeys.hkv")"

    # The hot key inserts the new text into a real text field.
    start_text_target
    xdotool key ctrl+F7
    wait_for 5 field_is "Grüße aus Vorbix" || fail "inserted: '$(cat "$work/text" 2>/dev/null)'"
    ;;
plain_text)
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F7' 'Action=Text einfügen' \
        'Text1=<~Form~>{\rtf1\ansi{\fonttbl{\f0<~Spa~>Tahoma;}}\f0\b<~Spa~>alt\par<~Re~>}' 'Count=1'
    start_vorbix_shown
    open_first_row
    wait_for 5 has_window "$caption" || fail "the editor did not open"
    sleep 0.3
    click_at 170 74  # the plain text choice
    xdotool key ctrl+End
    xdotool type --delay 20 " und neu"
    click_from_bottom_right 165 21
    wait_for 5 no_window "$caption" || fail "OK did not close the editor"
    wait_for 5 grep -q $'^Text1=<~NoFo~>alt<~Spa~>und<~Spa~>neu\r$' "$data/HotKeys.hkv" ||
        fail "not stored: $(cat "$data/HotKeys.hkv")"
    start_text_target
    xdotool key ctrl+F7
    wait_for 5 field_is "alt und neu" || fail "inserted: '$(cat "$work/text" 2>/dev/null)'"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
