# Helpers shared by the end-to-end scripts (sourced).

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
# The table as the Windows version writes it: CR LF lines in Windows-1252; $data is the data folder.
write_table() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t WINDOWS-1252 >"$data/HotKeys.hkv"; }
# start_vorbix [ARGS...]: starts $vorbix (its output in $work/vorbix.log, its process id in
# vorbix_pid and pids) and waits until it has written its configuration in $data.
start_vorbix() {
    "$vorbix" "$@" >"$work/vorbix.log" 2>&1 &
    vorbix_pid=$!
    pids+=("$vorbix_pid")
    wait_for 10 grep -q '^Active=' "$data/Config.ini" || fail "vorbix did not start: $(cat "$work/vorbix.log")"
    sleep 0.3
}
# start_vorbix_shown [ARGS...]: start_vorbix, then waits for the main window.
start_vorbix_shown() {
    start_vorbix "$@"
    wait_for 10 has_main_window || fail "no main window: $(cat "$work/vorbix.log")"
}
# key_until SECONDS KEYS CONDITION...: presses KEYS until the condition holds, for the first press
# after a start, which may come before the program has registered its hot keys.
key_until() {
    local end=$((SECONDS + $1)) keys=$2
    shift 2
    while :; do
        xdotool key "$keys"
        wait_for 1 "$@" && return 0
        [ $SECONDS -ge $end ] && return 1
    done
}
# case_folders NAME: the case's own folder $work below $VORBIX_TEST_TMP, with $data, the data
# folder of a private XDG_CONFIG_HOME; stop_started runs when the case ends.
case_folders() {
    work=$VORBIX_TEST_TMP/$1
    mkdir -p "$work/config/Vorbix"
    export XDG_CONFIG_HOME=$work/config
    data=$XDG_CONFIG_HOME/Vorbix
    pids=()
    trap stop_started EXIT
}
terminals() { xdotool search --class "[Xx][Tt]erm" 2>/dev/null; }
# Closes the terminals on this private display (a row's action may have opened them) and stops
# what the case put into pids.
stop_started() {
    local p t
    for t in $(terminals); do xdotool windowclose "$t" 2>/dev/null; done
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
}
# The program's message box or question, when one is up.
message_box() { xdotool search --onlyvisible --name '^Vorbix$' 2>/dev/null | head -n1 | grep .; }
# add_row KEYS ACTION_PREFIX: captures KEYS in the hot key field of the main window whose client
# area starts at $X, $Y, picks the action by typing the start of its caption, and clicks
# "Hinzufügen" (designed positions at 96 ppi).
add_row() {
    xdotool mousemove $((X + 150)) $((Y + 99)) click 1
    sleep 0.3
    xdotool key "$1"
    sleep 0.2
    xdotool key Tab
    sleep 0.2
    xdotool type --delay 30 "$2"
    sleep 0.3
    xdotool mousemove $((X + 715)) $((Y + 99)) click 1
}
# The first visible window whose title matches a pattern; whether there is one.
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window_named "$1")" ]; }
# The text field of the tests ($text_target, the case's TEXT_TARGET), which writes its text to
# $work/text: started and focused; focused again; its text; whether its text is TEXT.
start_text_target() {
    "$text_target" "$work/text" >/dev/null 2>&1 &
    pids+=($!)
    wait_for 10 has_window '^vorbix-text-target$' || fail "no text field"
    focus_text_target
}
focus_text_target() {
    local w
    w=$(window_named '^vorbix-text-target$')
    xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowfocus --sync "$w"
    sleep 0.3
}
field_text() { cat "$work/text" 2>/dev/null; }
field_is() { [ "$(field_text)" = "$1" ]; }
no_window() { [ -z "$(window_named "$1")" ]; }
# The client area's left, top, width and height of a window.
client_area() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}'
}
# type_german TEXT: types TEXT on a German layout, then goes back to the layout before. There
# xdotool finds ä, ö, ü and ß on keys of their own; for a character outside the layout it maps a
# spare key just before pressing it and back just after, and a client that reads the mapping
# only when it handles the press may read it already reverted and lose the character.
type_german() {
    local layout
    layout=$(setxkbmap -query | awk '/^layout:/ {print $2}')
    setxkbmap de
    sleep 0.3
    xdotool type --delay 30 "$1"
    setxkbmap "$layout"
    sleep 0.3
}
