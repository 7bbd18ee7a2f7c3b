#!/usr/bin/env bash
# End-to-end cases of inserted text, program parameters and addresses as they reach other
# programs, run inside tests/support/run-in-desktop.sh:
#   insert-and-launch.sh CASE VORBIX TEXT_TARGET
# Every case has its own XDG_CONFIG_HOME and stops what it started by process id.
set -u
case_name=$1 vorbix=$2 text_target=$3
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }

source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"

# An xterm with the resources it is installed with, whose shell copies every typed or pasted
# character into $work/term at once.
start_xterm() {
    LC_ALL=C.UTF-8 xterm -T vorbix-xterm -e sh -c "stty -icanon -echo; exec cat > '$work/term'" \
        >/dev/null 2>&1 &
    pids+=($!)
    wait_for 10 has_window '^vorbix-xterm$' || fail "no xterm"
    focus_xterm
    wait_for 5 test -e "$work/term" || fail "the shell in the xterm did not start"
}
focus_xterm() {
    xdotool windowactivate --sync "$(window_named '^vorbix-xterm$')" 2>/dev/null
    sleep 0.3
}
term_is() { [ "$(cat "$work/term" 2>/dev/null)" = "$1" ]; }
# Copies TEXT from the text field to the clipboard, then empties the field.
copy_from_field() {
    focus_text_target
    xdotool type --delay 20 "$1"
    wait_for 5 field_is "$1" || fail "typing did not reach the field: $(field_text)"
    xdotool key ctrl+a ctrl+c
    sleep 0.2
    xdotool key BackSpace
    wait_for 5 field_is "" || fail "the field was not emptied"
}
# Pastes the clipboard into the emptied text field by hand.
paste_into_field() {
    focus_text_target
    xdotool key ctrl+a BackSpace
    wait_for 5 field_is "" || fail "the field was not emptied"
    xdotool key ctrl+v
}

# A formatted text: "Grüße" bold. Terminals get it as plain text.
inserted='Grüße aus Vorbix'
# insert_into_xterm SAVE: the formatted text inserted into an xterm, with SaveClipBoard=SAVE and
# "vorher" on the clipboard before.
insert_into_xterm() {
    command -v xterm >/dev/null || { echo "SKIPPED: xterm missing"; exit 77; }
    printf '[Settings]\r\nWelcome=0\r\nSaveClipBoard=%s\r\n' "$1" >"$data/Config.ini"
    insert_table
    start_vorbix hide
    start_text_target
    copy_from_field vorher
    start_xterm
    key_until 10 ctrl+F7 test -s "$work/term" || fail "nothing reached the xterm"
    sleep 1
    term_is "$inserted" || fail "the xterm got '$(cat "$work/term")'"
}
insert_table() {
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F7' 'Action=Text einfügen' \
        "Text1=<~Form~>{\\rtf1\\ansi{\\fonttbl{\\f0<~Spa~>Tahoma;}}\\f0\\b<~Spa~>Gr\\'fc\\'dfe\\b0<~Spa~><~Spa~>aus<~Spa~>Vorbix}" \
        'Count=1'
}

case $case_name in
terminal_keeps_clipboard)
    insert_into_xterm 1
    # The clipboard holds what it held before.
    sleep 1
    paste_into_field
    wait_for 5 field_is vorher || fail "the clipboard was not kept: '$(field_text)'"
    # A Qt text field gets the text with Ctrl+V, and the clipboard comes back again.
    xdotool key ctrl+a BackSpace
    xdotool key ctrl+F7
    wait_for 5 field_is "$inserted" || fail "the text field got '$(field_text)'"
    sleep 1
    xdotool key ctrl+v
    wait_for 5 field_is "${inserted}vorher" || fail "the clipboard was not kept: '$(field_text)'"
    ;;
terminal_clears_clipboard)
    insert_into_xterm 0
    sleep 1
    paste_into_field
    sleep 1
    field_is "" || fail "the clipboard was not emptied: '$(field_text)'"
    xdotool key ctrl+F7
    wait_for 5 field_is "$inserted" || fail "the text field got '$(field_text)'"
    sleep 1
    xdotool key ctrl+v
    sleep 1
    field_is "$inserted" || fail "the clipboard was not emptied: '$(field_text)'"
    ;;
program_parameters)
    # The table in UTF-8, as a Linux editor saves it (the emoji has no Windows-1252 form).
    cat >"$work/args.sh" <<SCRIPT
#!/bin/sh
for a in "\$@"; do printf '[%s]\n' "\$a"; done >"$work/args.tmp" && mv "$work/args.tmp" "$work/args"
SCRIPT
    chmod +x "$work/args.sh"
    printf '%s\r\n' '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F7' \
        'Action=Benutzerdefiniertes Programm' "Program=$work/args.sh<~F~>" \
        'Parameter="hello world" it'"'"'s ümläut 😀 $HOME a\"b' 'HowToOpen=Normal' \
        >"$data/HotKeys.hkv"
    start_vorbix hide
    start_text_target
    key_until 10 ctrl+F7 test -e "$work/args" || fail "the program was not started"
    expected=$(printf '%s\n' '[hello world]' "[it's]" '[ümläut]' '[😀]' '[$HOME]' '[a"b]')
    [ "$(cat "$work/args")" = "$expected" ] || fail "the program got: $(cat "$work/args")"
    ;;
addresses)
    # A stand-in for xdg-open, first on PATH, logs what it is asked to open.
    mkdir -p "$work/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$work/opened" >"$work/bin/xdg-open"
    chmod +x "$work/bin/xdg-open"
    export PATH="$work/bin:$PATH"
    write_table '[General]' 'Count=3' '[Hot Key1]' 'Hot Key=Strg+F7' 'Action=Webseite' \
        'URL=tel:+4930123456' 'HowToOpen=Normal' '[Hot Key2]' 'Hot Key=Strg+F8' 'Action=Webseite' \
        'URL=javascript:alert(1)' 'HowToOpen=Normal' '[Hot Key3]' 'Hot Key=Strg+F9' \
        'Action=Webseite' 'URL=localhost:8080/x' 'HowToOpen=Normal'
    start_vorbix hide
    start_text_target
    key_until 10 ctrl+F7 test -e "$work/opened" || fail "xdg-open was not started"
    [ "$(cat "$work/opened")" = "tel:+4930123456" ] || fail "xdg-open got: $(cat "$work/opened")"
    xdotool key ctrl+F8
    sleep 1
    xdotool key ctrl+F9
    wait_for 5 grep -q localhost "$work/opened" || fail "the third row did not open"
    expected=$(printf '%s\n' 'tel:+4930123456' 'http://localhost:8080/x')
    [ "$(cat "$work/opened")" = "$expected" ] || fail "xdg-open got: $(cat "$work/opened")"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
