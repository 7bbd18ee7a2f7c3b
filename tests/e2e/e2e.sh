#!/usr/bin/env bash
# One end-to-end case of the vorbix program, run inside tests/support/run-in-desktop.sh:
#   e2e.sh CASE VORBIX TEXT_TARGET
# Every case has its own XDG_CONFIG_HOME and stops what it started by process id.
set -u
case_name=$1 vorbix=$2 text_target=$3
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }

# xfwm4 holds Ctrl+F1 … Ctrl+F12 (workspaces) and Ctrl+Alt+D (show the desktop) for itself:
# under it the rows take Ctrl+Shift with those keys instead.
if [ "${VORBIX_TEST_WM:-openbox}" = xfwm4 ]; then
    fkey=ctrl+shift fkey_text=Strg+Umsch fkey_re='(Strg|Ctrl)\+(Umsch|Shift)'
    switch_key=ctrl+alt+shift+d switch_text=Strg+Alt+Umsch+D
else
    fkey=ctrl fkey_text=Strg fkey_re='(Strg|Ctrl)' switch_key=ctrl+alt+d switch_text=Strg+Alt+D
fi

source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"

case $case_name in
first_run)
    start_vorbix
    # The empty table, byte for byte, and the configuration written back.
    printf '[General]\r\nCount=0\r\n' | cmp - "$data/HotKeys.hkv" || fail "HotKeys.hkv differs"
    grep -q "^ProgramDir=$(dirname "$vorbix")/"$'\r'"$" "$data/Config.ini" || fail "no ProgramDir"
    grep -q $'^Active=1\r$' "$data/Config.ini" || fail "no Active=1"
    wait_for 5 has_main_window || fail "main window not shown"
    ;;
program_row)
    write_table '[General]' 'Count=1' '[Hot Key1]' "Hot Key=$fkey_text+F5" \
        'Action=Benutzerdefiniertes Programm' "Program=/usr/bin/touch<~F~>" \
        "Parameter=$work/started" 'HowToOpen=Normal'
    start_vorbix
    start_text_target
    xdotool key $fkey+F5
    wait_for 5 test -e "$work/started" || fail "the program was not started"
    ;;
typed_under_ctrl_alt)
    # Rows on Ctrl+Alt combinations: the held modifiers are lifted before the program types, and
    # stored texts and dates arrive through the clipboard.
    write_table '[General]' 'Count=3' '[Hot Key1]' 'Hot Key=Strg+Alt+K' 'Action=Kopieren' \
        '[Hot Key2]' 'Hot Key=Strg+Alt+T' 'Action=Text einfügen' 'Text1=<~NoFo~>Grüße<~Spa~>aus' \
        'Count=1' '[Hot Key3]' 'Hot Key=Strg+Alt+J' 'Action=Datum/Zeit einfügen' 'DateTime=YYYY'
    start_vorbix
    start_text_target
    xdotool type --delay 20 hello
    wait_for 5 field_is hello || fail "typing did not reach the field: $(field_text)"
    xdotool key ctrl+a
    xdotool key ctrl+alt+k
    sleep 0.3
    xdotool key End
    xdotool key ctrl+v
    wait_for 5 field_is hellohello || fail "copy under Ctrl+Alt: '$(field_text)'"
    xdotool key ctrl+alt+t
    wait_for 5 field_is "hellohelloGrüße aus" || fail "inserted text: '$(field_text)'"
    xdotool key ctrl+alt+j
    wait_for 5 field_is "hellohelloGrüße aus$(date +%Y)" || fail "inserted date: '$(field_text)'"
    ;;
clipboard_strokes)
    write_table '[General]' 'Count=3' '[Hot Key1]' "Hot Key=$fkey_text+F5" 'Action=Kopieren' \
        '[Hot Key2]' "Hot Key=$fkey_text+F6" 'Action=Einfügen' '[Hot Key3]' "Hot Key=$fkey_text+F7" \
        'Action=Ausschneiden'
    start_vorbix
    start_text_target
    xdotool type --delay 20 hello
    wait_for 5 field_is hello || fail "typing did not reach the field: $(field_text)"
    xdotool key ctrl+a
    xdotool key $fkey+F5
    sleep 0.3
    xdotool key End
    xdotool key $fkey+F6
    wait_for 5 field_is hellohello || fail "paste: '$(field_text)'"
    xdotool key ctrl+a
    xdotool key $fkey+F7
    wait_for 5 field_is "" || fail "cut: '$(field_text)'"
    xdotool key $fkey+F6
    wait_for 5 field_is hellohello || fail "paste after cut: '$(field_text)'"
    ;;
deactivate_hotkey)
    printf '[Settings]\r\nDeActivateHotKey=%s\r\n' "$switch_text" >"$data/Config.ini"
    write_table '[General]' 'Count=1' '[Hot Key1]' "Hot Key=$fkey_text+F5" \
        'Action=Benutzerdefiniertes Programm' "Program=/usr/bin/touch<~F~>" \
        "Parameter=$work/fired" 'HowToOpen=Normal'
    start_vorbix
    start_text_target
    xdotool key $switch_key
    sleep 0.5
    xdotool key $fkey+F5
    sleep 1
    [ -e "$work/fired" ] && fail "row fired while switched off"
    xdotool key $switch_key
    sleep 0.5
    xdotool key $fkey+F5
    wait_for 5 test -e "$work/fired" || fail "row did not fire after switching on"
    ;;
add_in_window)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    start_vorbix
    wait_for 5 has_main_window || fail "main window not shown"
    w=$(main_window)
    xdotool windowactivate --sync "$w" 2>/dev/null
    # The client area's origin on the screen (xdotool's own position is off by the frame).
    X=$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print $4}')
    Y=$(xwininfo -id "$w" | awk '/Absolute upper-left Y/ {print $4}')
    # The capture field (82, 87) and "Hinzufügen" (686, 91) in the designed 96 ppi layout.
    xdotool mousemove $((X + 150)) $((Y + 99)) click 1
    sleep 0.3
    xdotool key $fkey+F6
    sleep 0.2
    # The action box comes next in the focus order; "Kommandozeile" opens a terminal.
    xdotool key Tab
    sleep 0.2
    xdotool type --delay 30 Kommandoz
    sleep 0.3
    xdotool mousemove $((X + 715)) $((Y + 99)) click 1
    wait_for 5 grep -Eq "Hot Key=$fkey_re\\+F6"$'\r' "$data/HotKeys.hkv" || fail "row not stored: $(cat "$data/HotKeys.hkv")"
    grep -q 'Action=Kommandozeile' "$data/HotKeys.hkv" || fail "wrong action: $(cat "$data/HotKeys.hkv")"
    before=$(terminals | wc -l)
    more_terminals() { [ "$(terminals | wc -l)" -gt "$before" ]; }
    xdotool key $fkey+F6
    wait_for 10 more_terminals ||
        fail "the added row did not fire"
    ;;
start_hidden)
    start_vorbix hide
    sleep 0.5
    has_main_window && fail "main window shown despite hide"
    # The tray icon is embedded in the tray host.
    wait_for 5 sh -c 'xwininfo -root -tree | grep -qi "vorbix"' || fail "no tray icon"
    xwininfo -root -tree | grep -i -A2 trayer | grep -q '16x16\|22x22\|24x24\|32x32' ||
        xwininfo -root -tree | grep -qi '"vorbix"' || fail "tray icon not embedded"
    ;;
second_start)
    start_vorbix hide
    has_main_window && fail "shown at start"
    timeout 10 "$vorbix" >"$work/second.log" 2>&1
    status=$?
    [ $status -eq 0 ] || fail "second start exited with $status"
    wait_for 5 has_main_window || fail "the first instance did not show its window"
    kill -0 "$vorbix_pid" || fail "the first instance ended"
    ;;
sigterm_saves)
    start_vorbix
    rm -f "$data/Config.ini" "$data/HotKeys.hkv"
    kill -TERM "$vorbix_pid"
    wait "$vorbix_pid"
    status=$?
    [ $status -eq 0 ] || fail "exit status $status after SIGTERM"
    test -s "$data/Config.ini" || fail "Config.ini not saved"
    printf '[General]\r\nCount=0\r\n' | cmp - "$data/HotKeys.hkv" || fail "HotKeys.hkv not saved"
    ;;
hidden_start_window_later)
    # Hidden in the tray, the program has made no window of its own; the hot keys work, and a
    # second start shows the window made then, at its full size.
    write_table '[General]' 'Count=2' '[Hot Key1]' "Hot Key=$fkey_text+F5" \
        'Action=Benutzerdefiniertes Programm' 'Program=/usr/bin/touch<~F~>' \
        "Parameter=$work/fired" 'HowToOpen=Normal' '[Hot Key2]' "Hot Key=$fkey_text+F6" \
        'Action=Kopieren'
    start_vorbix hide
    key_until 10 "$fkey+F5" test -e "$work/fired" || fail "the program row did not fire"
    [ -z "$(xdotool search --name '^Pellmarr - Vorbix$' 2>/dev/null)" ] ||
        fail "a hidden start made the main window"
    timeout 10 "$vorbix" >"$work/second.log" 2>&1 || fail "second start failed"
    wait_for 5 has_main_window || fail "the window did not show"
    read -r width height < <(xdotool getwindowgeometry "$(main_window)" |
        awk '/Geometry/ { split($2, g, "x"); print g[1], g[2] }')
    [ "$width" -ge 600 ] && [ "$height" -ge 400 ] || fail "window of ${width}x$height"
    ;;
sigterm_hidden_saves)
    # Ended while its window was never made, the program saves the table and the window's
    # settings as it read them.
    write_table '[General]' 'Count=2' '[Hot Key1]' "Hot Key=$fkey_text+F5" 'Action=Kopieren' \
        '[Hot Key2]' "Hot Key=$fkey_text+F6" 'Action=Einfügen'
    printf '[Settings]\r\nCol0=150\r\nCol1=250\r\nCol2=350\r\n' >"$data/Config.ini"
    start_vorbix hide
    rm -f "$data/HotKeys.hkv"
    kill -TERM "$vorbix_pid"
    wait "$vorbix_pid" || fail "exit status $? after SIGTERM"
    grep -q $'^Count=2\r$' "$data/HotKeys.hkv" || fail "HotKeys.hkv not saved: $(cat "$data/HotKeys.hkv")"
    grep -q "^Action=Einf" "$data/HotKeys.hkv" || fail "second row lost"
    for col in 'Col0=150' 'Col1=250' 'Col2=350'; do
        grep -q "^$col"$'\r$' "$data/Config.ini" || fail "$col not kept: $(cat "$data/Config.ini")"
    done
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
