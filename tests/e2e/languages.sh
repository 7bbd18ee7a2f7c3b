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

here=$(dirname "$(realpath "$0")")
source "$here/../support/e2e-helpers.sh"
source "$here/../support/every-kind-table.sh"

# The table as the Windows version writes it (CR LF, Windows-1252); the program row touches a
# file.
every_kind_table /usr/bin/touch "$work/fired" | iconv -f UTF-8 -t WINDOWS-1252 >"$work/table.hkv"
cp "$work/table.hkv" "$data/HotKeys.hkv"

start() {
    "$1" >"$work/vorbix.log" 2>&1 &
    pid=$!
    wait_for 10 grep -q '^Active=' "$data/Config.ini" || fail "vorbix did not start: $(cat "$work/vorbix.log")"
    sleep 0.3
}
# The row fires: pressed again every half second, since a start that found an existing
# Config.ini gives no sign of when its hot keys are registered.
fires() {
    rm -f "$work/fired"
    local i j
    for i in $(seq 20); do
        xdotool key ctrl+F3
        for j in $(seq 10); do
            [ -e "$work/fired" ] && return 0
            sleep 0.05
        done
    done
    return 1
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
