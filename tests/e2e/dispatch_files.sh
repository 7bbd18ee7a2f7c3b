#!/usr/bin/env bash
# End-to-end: a hot key runs its action from memory. The real vorbix runs with rows whose
# captions and stored words are in the other language than its window, and strace watches every
# thread of it while xdotool presses a row of each kind that acts in-process (clipboard strokes,
# inserted text and date, browser and media commands, volume, key simulation, hiding and showing
# windows, the search window, minimising) and rows that start a program. No press may open,
# stat or otherwise touch a language file (*.lng), the hot key table or the configuration. The
# started programs are child processes: their own file accesses are left out. Run inside
# tests/support/run-in-desktop.sh:
#   dispatch_files.sh CASE VORBIX TEXT_TARGET
#   english_window   the window speaks English, the rows are German
#   german_window    the window speaks German, the rows are English
set -u
case_name=$1 vorbix=$2 text_target=$3
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }
command -v strace >/dev/null || { echo "SKIPPED: strace missing"; exit 77; }

source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"
# Addresses are opened through xdg-open; this stand-in records them.
mkdir -p "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH

# row KEY GERMAN ENGLISH [PROPERTY...]: a row whose caption is in the language the window does
# not speak; the stored words among the properties are given in both languages as "DE|EN".
rows=() n=0
row() {
    local key=$1 de=$2 en=$3 p caption
    shift 3
    n=$((n + 1))
    if [ "$case_name" = english_window ]; then caption=$de; else caption=$en; fi
    rows+=("[Hot Key$n]" "Hot Key=$key" "Action=$caption")
    for p in "$@"; do
        case $p in
        *=*' // '*)
            if [ "$case_name" = english_window ]; then p=${p% // *}; else p=${p%%=*}=${p#* // }; fi ;;
        esac
        rows+=("$p")
    done
}
case $case_name in
english_window) language=English search_title='^Search the Internet$' ;;
german_window) language=German search_title='^Im Internet suchen$' ;;
*) fail "unknown case $case_name" ;;
esac
row Strg+F1 Kopieren Copy
row Strg+F2 Einfügen Paste
row Strg+F3 Ausschneiden Cut
row Strg+F4 'Browser steuern' 'Control browser' 'BrowserControl=Neu laden // Reload'
row Strg+F5 'Audio/Video-Wiedergabe steuern' 'Control audio/video playback' \
    'AudioVideo=Vorwärts // Next'
row Strg+F6 'Lautstärke regeln' 'Adjust volume' 'Volume=Stumm/Laut // Mute/Unmute' 'Settings=a'
row Strg+F7 'Lautstärke regeln' 'Adjust volume' 'Volume=+5%' 'Settings='
row Strg+F8 'Tastenkombination simulieren' 'Simulate key combination' 'KeyComb=Umsch+Pos1 // Shift+Home'
row Strg+F9 'Bestimmte Fenster verstecken' 'Hide certain windows' 'Window=dispatch-hide|'
row Strg+F10 'Verstecke Fenster einblenden' 'Show hidden windows' 'Window=dispatch-hide|'
row Strg+F11 'Datum/Zeit einfügen' 'Insert date/time' 'DateTime=YYYY'
row Strg+F12 'Alles minimieren' 'Minimize all'
row Strg+Umsch+F1 'Text einfügen' 'Insert text' 'Text1=<~NoFo~>Hallo' 'Count=1'
row Strg+Umsch+F2 'Im Internet suchen' 'Search the Internet' 'Provider=Google'
row Strg+Umsch+F3 'Benutzerdefiniertes Programm' 'Custom program' 'Program=/usr/bin/touch<~F~>' \
    "Parameter=$work/started" 'HowToOpen=Normal'
row Strg+Umsch+F4 Webseite Website 'URL=example.org' 'HowToOpen=Normal'
row Strg+Umsch+F5 'Benutzerdefiniertes Programm' 'Custom program' \
    'Program=/nonexistent/program<~F~>' 'Parameter=' 'HowToOpen=Normal'
write_table '[General]' "Count=$n" "${rows[@]}"
printf '[Settings]\r\nLanguage=%s\r\nWelcome=0\r\n' "$language" >"$data/Config.ini"

start_vorbix hide
"$text_target" "$work/text" >/dev/null 2>&1 &
pids+=($!)
wait_for 10 has_window '^vorbix-text-target$' || fail "no text field"
xterm -T dispatch-hide >/dev/null 2>&1 &
pids+=($!)
wait_for 10 has_window '^dispatch-hide$' || fail "no window to hide"
field=$(window_named '^vorbix-text-target$')
xdotool windowactivate --sync "$field" 2>/dev/null || xdotool windowfocus --sync "$field"
sleep 0.2
mute_of_a() { pactl get-sink-mute a 2>/dev/null; }

# Every thread of vorbix, each in a file of its own (threads that start later too).
strace -f -ff -e trace=%file -o "$work/trace" -p "$vorbix_pid" 2>"$work/strace.err" &
strace_pid=$!
pids+=("$strace_pid")
if ! wait_for 10 grep -q attached "$work/strace.err"; then
    echo "SKIPPED: strace cannot attach to the program: $(cat "$work/strace.err")"
    exit 77
fi
sleep 0.3

xdotool type --delay 20 hello
wait_for 5 field_is hello || fail "typing did not reach the field: '$(field_text)'"
xdotool key ctrl+a
xdotool key ctrl+F1
sleep 0.3
xdotool key End
xdotool key ctrl+F2
wait_for 5 field_is hellohello || fail "copy and paste: '$(field_text)'"
xdotool key ctrl+a
xdotool key ctrl+F3
wait_for 5 field_is "" || fail "cut: '$(field_text)'"
xdotool key ctrl+shift+F1
wait_for 5 field_is Hallo || fail "inserted text: '$(field_text)'"
xdotool key ctrl+F11
wait_for 5 field_is "Hallo$(date +%Y)" || fail "inserted date: '$(field_text)'"
# Shift+Home selects the line: the next insertion replaces it.
xdotool key ctrl+F8
sleep 0.3
xdotool key ctrl+shift+F1
wait_for 5 field_is Hallo || fail "simulated Shift+Home: '$(field_text)'"
muted=$(mute_of_a)
for key in ctrl+F4 ctrl+F5 ctrl+F6 ctrl+F7; do
    xdotool key $key
    sleep 0.3
done
[ -z "$muted" ] || [ "$(mute_of_a)" != "$muted" ] || fail "the mute row did not toggle: $(mute_of_a)"
xdotool key ctrl+F9
wait_for 5 no_window '^dispatch-hide$' || fail "the window was not hidden"
xdotool key ctrl+F10
wait_for 5 has_window '^dispatch-hide$' || fail "the hidden window was not shown"
xdotool key ctrl+shift+F2
wait_for 5 has_window "$search_title" || fail "no search window"
xdotool key Escape
wait_for 5 no_window "$search_title" || fail "the search window stayed"
xdotool key ctrl+shift+F3
wait_for 5 test -e "$work/started" || fail "the program row did not start its program"
xdotool key ctrl+shift+F4
wait_for 5 grep -q '^http://example.org$' "$work/opened" || fail "the website was not opened"
xdotool key ctrl+shift+F5
xdotool key ctrl+F12
sleep 0.5
kill -INT "$strace_pid"
wait "$strace_pid" 2>/dev/null

# The program's own threads: every task that did not execute another program.
own=() children=0
for f in "$work"/trace.*; do
    if grep -q 'execve(' "$f"; then children=$((children + 1)); else own+=("$f"); fi
done
[ "$children" -ge 2 ] || fail "the started programs were not traced ($children)"
# Hiding writes the list of hidden windows: proof that the program's threads were traced.
grep -q 'HiddenWindows.txt' "${own[@]}" || fail "no trace of the program's own file accesses"
touched=$(grep -hE '\.lng"|HotKeys\.hkv|Config\.ini' "${own[@]}")
[ -z "$touched" ] || fail "a press touched language, table or configuration files:
$touched"
exit 0
