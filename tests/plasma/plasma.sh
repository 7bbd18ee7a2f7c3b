#!/usr/bin/env bash
# One end-to-end case in a headless Plasma Wayland session, run inside
# tests/support/run-in-plasma.sh:
#   plasma.sh CASE VORBIX TEXT_TARGET PORTAL_KEYS
# A Wayland-native text field (TEXT_TARGET on Qt's wayland platform) holds the focus, and every
# key is pressed through the RemoteDesktop portal (PORTAL_KEYS), as a person's keyboard would.
# Every case has its own XDG_CONFIG_HOME and stops what it started by process id.
set -u
case_name=$1 vorbix=$2 text_target=$3 portal_keys=$4

source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"

press() { "$portal_keys" "$@" || fail "the portal did not take the keys $*"; }
# Presses a combination until the condition holds, for the first press after a start, which may
# come before the program's shortcuts are bound.
press_until() {
    local end=$((SECONDS + $1)) keys=$2
    shift 2
    while :; do
        press "$keys"
        wait_for 1 "$@" && return 0
        [ $SECONDS -ge $end ] && return 1
    done
}
start_text_field() {
    QT_QPA_PLATFORM=wayland "$text_target" "$work/text" >"$work/text-field.log" 2>&1 &
    pids+=($!)
    # The field has the focus once a key reaches it; the x is wiped again.
    press_until 10 x field_is x || fail "the Wayland text field got no keys: $(cat "$work/text-field.log")"
    press BackSpace
    wait_for 5 field_is "" || fail "the text field was not emptied: '$(field_text)'"
}
# The Wayland-native window has the focus, not an X11 one: the program's X11 windows are hidden.
# Two message boxes would take the focus from the text field: the notice of the first start, and
# the one that tells after 10 s that neither a tray icon (the session has no tray host) nor the
# show/hide combination brings the window back. A case that is not about them has the notice
# given already and a show/hide combination, which makes one shortcut more.
settings() { printf '[Settings]\r\nPortalNotice=1\r\nSymbolHotKey=Strg+Alt+Umsch+F12\r\n%b' "$*" >"$data/Config.ini"; }
no_portal_notice() { settings; }
start_vorbix_hidden() { start_vorbix hide; }
# A table of one program row on Ctrl+Alt+H that touches $work/started, the program hidden and the
# text field focused; fails with MESSAGE unless the row fires.
program_row_fires() {
    no_portal_notice
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+Alt+H' \
        'Action=Benutzerdefiniertes Programm' "Program=/usr/bin/touch<~F~>" \
        "Parameter=$work/started" 'HowToOpen=Normal'
    start_vorbix_hidden
    start_text_field
    press_until 15 ctrl+alt+h test -e "$work/started" || fail "$1: $(cat "$work/vorbix.log")"
}

case $case_name in
portal_keys)
    # The session itself: keys pressed through the portal reach a Wayland-native window.
    start_text_field
    press a b shift+c EuroSign
    wait_for 5 field_is "abC€" || fail "typed through the portal: '$(field_text)'"
    ;;
program_row)
    program_row_fires "the program row did not fire"
    ;;
insert_text)
    # Umlauts through the Wayland clipboard, and the content before comes back afterwards.
    settings 'SaveClipBoard=1\r\n'
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+Alt+T' 'Action=Text einfügen' \
        'Text1=<~NoFo~>Grüße<~Spa~>aus<~Spa~>Köln' 'Count=1'
    start_vorbix_hidden
    start_text_field
    press o l d ctrl+a ctrl+c End
    wait_for 5 field_is old || fail "typing did not reach the field: '$(field_text)'"
    press_until 15 ctrl+alt+t field_is "oldGrüße aus Köln" ||
        fail "inserted text: '$(field_text)' $(cat "$work/vorbix.log")"
    sleep 1.2
    press ctrl+v
    wait_for 5 field_is "oldGrüße aus Kölnold" ||
        fail "the clipboard did not come back: '$(field_text)'"
    ;;
key_simulation)
    no_portal_notice
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+Alt+K' \
        'Action=Tastenkombination simulieren' 'KeyComb=Umsch+Pos1'
    start_vorbix_hidden
    start_text_field
    press h e l l o
    wait_for 5 field_is hello || fail "typing did not reach the field: '$(field_text)'"
    # Shift+Home selects the line; the next key replaces it. Pressed once, when the row is bound.
    wait_for 15 grep -q 'bound 2 of 2 shortcuts' "$work/vorbix.log" ||
        fail "the row was not bound: $(cat "$work/vorbix.log")"
    press ctrl+alt+k
    sleep 0.5
    press x
    wait_for 5 field_is x || fail "the simulated Shift+Home did not reach the field: '$(field_text)'"
    ;;
held_by_kwin)
    # kwin keeps Meta+F5 for itself: the portal's answer still names the trigger, but nothing is
    # bound, and the row is told as refused; the row beside it is bound.
    no_portal_notice
    write_table '[General]' 'Count=2' \
        '[Hot Key1]' 'Hot Key=Win+F5' 'Action=Benutzerdefiniertes Programm' \
        "Program=/usr/bin/touch<~F~>" "Parameter=$work/f5" 'HowToOpen=Normal' \
        '[Hot Key2]' 'Hot Key=Strg+Alt+H' 'Action=Benutzerdefiniertes Programm' \
        "Program=/usr/bin/touch<~F~>" "Parameter=$work/h" 'HowToOpen=Normal'
    start_vorbix_hidden
    wait_for 15 grep -q 'bound 2 of 3 shortcuts' "$work/vorbix.log" ||
        fail "not told as refused: $(cat "$work/vorbix.log")"
    grep -q 'not bound: LOGO+F5' "$work/vorbix.log" || fail "wrong row refused: $(cat "$work/vorbix.log")"
    # kglobalaccel itself: the component holds the shortcut without a key.
    dbus-send --session --print-reply --dest=org.kde.kglobalaccel /component/vorbix \
        org.kde.kglobalaccel.Component.allShortcutInfos >"$work/infos" ||
        fail "kglobalaccel has no component vorbix"
    grep -q '"LOGO+F5"' "$work/infos" || fail "LOGO+F5 not asked for: $(cat "$work/infos")"
    start_text_field
    press_until 15 ctrl+alt+h test -e "$work/h" || fail "the bound row did not fire"
    press super+F5
    sleep 1
    [ -e "$work/f5" ] && fail "the refused row fired"
    ;;
after_restart)
    # The desktop keeps the component between runs: after a restart the rows fire again.
    program_row_fires "the row did not fire on the first run"
    kill -TERM "$vorbix_pid"
    wait "$vorbix_pid"
    rm -f "$work/started"
    mv "$work/vorbix.log" "$work/first-run.log"
    start_vorbix_hidden
    wait_for 15 grep -q 'bound 2 of 2 shortcuts' "$work/vorbix.log" ||
        fail "not bound again: $(cat "$work/vorbix.log")"
    press_until 15 ctrl+alt+h test -e "$work/started" ||
        fail "the row did not fire after the restart: $(cat "$work/vorbix.log")"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
exit 0
