#!/usr/bin/env bash
# Rows whose action cannot do its work, inside tests/support/run-in-desktop.sh:
#   failed_actions.sh tray|box VORBIX
# The program runs with a PATH that holds only an xdg-open that exits with status 3 (a required
# tool is missing): no browser, no settings program. Each press of a row that opens the browser,
# the control panel or the software dialog, of a folder row naming a missing folder, and of a
# folder and a website row that xdg-open fails to open, tells the user once, in German, and logs
# the reason: in the tray with a tray host (the window hidden), in a message box without one.
set -u
mode=$1 vorbix=$2
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }
source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "failed-$mode"

mkdir -p "$work/bin" "$work/folder"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/opened"\nexit 3\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

write_table '[General]' 'Count=6' \
    '[Hot Key1]' 'Hot Key=Strg+Umsch+F1' 'Action=Browser öffnen' \
    '[Hot Key2]' 'Hot Key=Strg+Umsch+F2' 'Action=Systemsteuerung öffnen' \
    '[Hot Key3]' 'Hot Key=Strg+Umsch+F3' 'Action=Software (Dialog)' \
    '[Hot Key4]' 'Hot Key=Strg+Umsch+F4' 'Action=Benutzerdefiniertes Programm' \
    "Program=$work/missing<~D~>" 'Parameter=' 'HowToOpen=Normal' \
    '[Hot Key5]' 'Hot Key=Strg+Umsch+F5' 'Action=Benutzerdefiniertes Programm' \
    "Program=$work/folder<~D~>" 'Parameter=' 'HowToOpen=Normal' \
    '[Hot Key6]' 'Hot Key=Strg+Umsch+F6' 'Action=Webseite' 'URL=example.org' 'HowToOpen=Normal'
printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"

# With a tray host the window waits hidden; without one it is shown (hidden, it would be
# minimised with a notice of its own).
start_args=(hide)
[ "$mode" = box ] && start_args=()
PATH=$work/bin "$vorbix" "${start_args[@]}" >"$work/vorbix.log" 2>&1 &
vorbix_pid=$!
pids+=("$vorbix_pid")
wait_for 10 grep -q '^Active=' "$data/Config.ini" || fail "vorbix did not start: $(cat "$work/vorbix.log")"
sleep 0.5

told() { grep -c '^vorbix: told ' "$work/vorbix.log"; }
told_at_least() { [ "$(told)" -ge "$1" ]; }
message_box() { xdotool search --onlyvisible --name '^Vorbix$' 2>/dev/null | head -n1 | grep .; }
lead='Die Aktion konnte nicht ausgeführt werden: '
# press N KEYS TEXT: presses KEYS and expects the N-th message, TEXT, told in the right way.
press() {
    local n=$1 keys=$2 text=$3 line
    key_until 10 "$keys" told_at_least "$n" ||
        fail "no message for $keys: $(cat "$work/vorbix.log")"
    sleep 0.5
    [ "$(told)" -eq "$n" ] || fail "told more than once for $keys: $(cat "$work/vorbix.log")"
    line=$(grep '^vorbix: told ' "$work/vorbix.log" | tail -n1)
    case $mode in
    tray) [ "$line" = "vorbix: told in the tray: $lead$text" ] || fail "$keys: $line" ;;
    box)
        [ "$line" = "vorbix: told in a message box: $lead$text" ] || fail "$keys: $line"
        wait_for 5 message_box >/dev/null || fail "$keys: no message box"
        sleep 0.3
        import -window root "$work/message$n.png" 2>/dev/null
        close_box() {
            local box
            box=$(message_box) || return 0
            xdotool windowactivate --sync "$box" 2>/dev/null
            xdotool key --window "$box" Return
            sleep 0.3
            ! message_box >/dev/null
        }
        wait_for 8 close_box || fail "$keys: the message box did not close"
        ;;
    esac
    [ "$mode" = tray ] && import -window root "$work/message$n.png" 2>/dev/null
}

press 1 ctrl+shift+F1 'Es ist kein passendes Programm installiert.'
press 2 ctrl+shift+F2 'Es ist kein passendes Programm installiert.'
press 3 ctrl+shift+F3 'Es ist kein passendes Programm installiert.'
press 4 ctrl+shift+F4 "Nicht gefunden: $work/missing"
press 5 ctrl+shift+F5 "$work/folder konnte nicht geöffnet werden."
press 6 ctrl+shift+F6 'http://example.org konnte nicht geöffnet werden.'
# Pressed again, the same row tells again, once.
press 7 ctrl+shift+F1 'Es ist kein passendes Programm installiert.'
[ "$(grep -c '^vorbix: an action could not run: ' "$work/vorbix.log")" -eq 7 ] ||
    fail "the reasons are not logged once each: $(cat "$work/vorbix.log")"
grep -q "^vorbix: an action could not run: xdg-open ended with status 3 (a required tool is missing) opening $work/folder\$" \
    "$work/vorbix.log" || fail "the reason of xdg-open is not logged: $(cat "$work/vorbix.log")"
[ "$(cat "$work/opened")" = "$work/folder"$'\n'"http://example.org" ] ||
    fail "xdg-open was not asked as expected: $(cat "$work/opened")"
echo "PASS: failed_actions $mode"
