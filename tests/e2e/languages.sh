#!/usr/bin/env bash
# End-to-end cases of rows across languages, run inside tests/support/run-in-desktop.sh:
#   languages.sh CASE VORBIX
# A German table with a row of every kind that has properties is loaded, the program speaks
# English, and after SIGTERM the saved table is the same file byte for byte; a row still fires.
#   flag_click_to_english   the English flag is clicked while the program runs
#   without_english_file    the program starts in English and its English.lng is missing
set -u
case_name=$1 vorbix=$2
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }

work=$VORBIX_TEST_TMP/$case_name
mkdir -p "$work/config/Vorbix"
export XDG_CONFIG_HOME=$work/config
data=$XDG_CONFIG_HOME/Vorbix
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; }
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
# wait_for SECONDS COMMAND...: polls the command every 50 ms.
wait_for() {
    local limit=$1; shift
    local end=$((SECONDS + limit))
    while ! "$@" 2>/dev/null; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}
main_window() { xdotool search --onlyvisible --name '^Pellmarr - Vorbix$' | head -n1; }
has_main_window() { [ -n "$(main_window)" ]; }

# The table as the Windows version writes it (CR LF, Windows-1252), in the writer's own layout,
# so that saving it again must give the same bytes. The last row's caption no language knows.
rows=(
    '[Hot Key1]' 'Hot Key=Strg+F1' 'Action=Bestimmte Fenster verstecken' 'Window=Editor|Rechner|'
    '[Hot Key2]' 'Hot Key=Strg+F2' 'Action=Verstecke Fenster einblenden' 'Window=Notepad|'
    '[Hot Key3]' 'Hot Key=Strg+F3' 'Action=Benutzerdefiniertes Programm'
    'Program=/usr/bin/touch<~F~>' "Parameter=$work/fired" 'HowToOpen=Maximiert'
    '[Hot Key4]' 'Hot Key=Strg+Alt+F4' 'Action=DVD-Laufwerk öffnen/schließen' 'OpenCloseDrives=D:'
    '[Hot Key5]' 'Hot Key=Strg+F5' 'Action=Tastenkombination simulieren' 'KeyComb=Strg+Alt+X'
    '[Hot Key6]' 'Hot Key=Strg+F6' 'Action=Text einfügen'
    "Text1=<~T~><~NoFo~>$(printf 'x%.0s' $(seq 87))" 'Text2=<~Spa~>Grüße<~Re~>Ende' 'Count=2'
    'TextTail=9'
    '[Hot Key7]' 'Hot Key=Strg+F7' 'Action=Lautstärke regeln' 'Volume=Stumm/Laut'
    'Settings=alsa_output.pci.analog-stereo'
    '[Hot Key8]' 'Hot Key=Strg+F8' 'Action=Audio/Video-Wiedergabe steuern' 'AudioVideo=Vorwärts'
    '[Hot Key9]' 'Hot Key=Strg+F9' 'Action=Browser steuern' 'BrowserControl=Neu laden'
    '[Hot Key10]' 'Hot Key=Strg+F10' 'Action=Im Internet suchen' 'Provider=Google'
    '[Hot Key11]' 'Hot Key=Strg+F11' 'Action=Datum/Zeit einfügen' 'DateTime=DD.MM.YYYY'
    '[Hot Key12]' 'Hot Key=Strg+F12' 'Action=Webseite' 'URL=https://example.org/?a=1'
    'HowToOpen=Minimiert'
    '[Hot Key13]' 'Action=Zaubern' 'Hot Key=Win+Z' 'Zauberspruch=Abra kadabra' 'Stärke=9'
    '[General]' 'Count=13'
)
printf '%s\r\n' "${rows[@]}" | iconv -f UTF-8 -t WINDOWS-1252 >"$work/table.hkv"
cp "$work/table.hkv" "$data/HotKeys.hkv"

start() {
    "$1" >"$work/vorbix.log" 2>&1 &
    pid=$!
    wait_for 10 grep -q '^Active=' "$data/Config.ini" || fail "vorbix did not start: $(cat "$work/vorbix.log")"
    sleep 0.3
}
fires() {
    rm -f "$work/fired"
    xdotool key ctrl+F3
    wait_for 5 test -e "$work/fired"
}
stop_and_compare() {
    kill -TERM "$pid"
    wait "$pid"
    local status=$?
    pid=
    [ $status -eq 0 ] || fail "exit status $status after SIGTERM"
    cmp "$work/table.hkv" "$data/HotKeys.hkv" ||
        fail "properties lost: $(diff <(iconv -f WINDOWS-1252 -t UTF-8 "$work/table.hkv") <(iconv -f WINDOWS-1252 -t UTF-8 "$data/HotKeys.hkv"))"
}

case $case_name in
flag_click_to_english)
    printf '[Settings]\r\nLanguage=German\r\nWelcome=0\r\n' >"$data/Config.ini"
    start "$vorbix"
    wait_for 5 has_main_window || fail "main window not shown"
    fires || fail "the program row did not fire in German"
    w=$(main_window)
    xdotool windowactivate --sync "$w" 2>/dev/null
    X=$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print $4}')
    Y=$(xwininfo -id "$w" | awk '/Absolute upper-left Y/ {print $4}')
    # The English flag: 18 x 12 at (743, 5) in the menu strip at (1, 1), at 96 ppi.
    xdotool mousemove $((X + 753)) $((Y + 12)) click 1
    wait_for 5 grep -q $'^Language=English\r$' "$data/Config.ini" ||
        fail "the flag did not switch to English: $(cat "$data/Config.ini")"
    fires || fail "the German program row did not fire after the switch to English"
    stop_and_compare
    ;;
without_english_file)
    # A program folder of its own, with the German language file only.
    prog=$work/program
    mkdir -p "$prog/System/Localization"
    cp "$vorbix" "$prog/"
    cp -r "$(dirname "$vorbix")/Images" "$prog/" 2>/dev/null
    cp "$(dirname "$vorbix")/System/Localization/German.lng" "$prog/System/Localization/"
    printf '[Settings]\r\nLanguage=English\r\nWelcome=0\r\n' >"$data/Config.ini"
    start "$prog/vorbix"
    fires || fail "the German program row did not fire without English.lng"
    stop_and_compare
    # And with no language file at all: the captions built into the program carry the rows.
    rm "$prog/System/Localization/German.lng"
    start "$prog/vorbix"
    fires || fail "the German program row did not fire without any language file"
    stop_and_compare
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
