#!/usr/bin/env bash
# A row added through the window onto a combination the window manager holds, inside
# tests/support/run-in-desktop.sh --wm xfwm4 (xfwm4 holds Ctrl+F1 … Ctrl+F12 for its
# workspaces):
#   refused_combination.sh CASE VORBIX
# added_in_window: Ctrl+F5 is added, the user is told at once and the list marks the row;
# Ctrl+Shift+F8 is added without either and fires.
set -u
case_name=$1 vorbix=$2
source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }
command -v convert >/dev/null || { echo "SKIPPED: ImageMagick missing"; exit 77; }
[ "${VORBIX_TEST_WM:-}" = xfwm4 ] || { echo "SKIPPED: needs xfwm4, which holds Ctrl+F5"; exit 77; }

case_folders "refused-$case_name"

# warning_mark ROW: whether the first column of list row ROW (0-based) shows the amber warning
# mark. The list starts at (33, 125), its header is about 20 pixels high, rows about 20.
warning_mark() {
    local top=$((Y + 125 + 20 + $1 * 20))
    import -window root -crop 40x22+$((X + 34))+$top "$work/cell$1.png" 2>/dev/null || return 1
    # Amber: strong red, middling green, little blue; in a selected row the style blends it
    # with the highlight, which leaves it olive (red and green still well above blue).
    local amber
    amber=$(convert "$work/cell$1.png" -fx 'r>0.55 && g>0.45 && b<0.45 && r-b>0.25 ? 1 : 0' \
        -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)
    [ "${amber:-0}" -ge 8 ]
}

case $case_name in
added_in_window)
    printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"
    "$vorbix" >"$work/vorbix.log" 2>&1 &
    pids+=($!)
    wait_for 10 has_main_window || fail "main window not shown: $(cat "$work/vorbix.log")"
    w=$(main_window)
    xdotool windowactivate --sync "$w" 2>/dev/null
    X=$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print $4}')
    Y=$(xwininfo -id "$w" | awk '/Absolute upper-left Y/ {print $4}')

    add_row ctrl+F5 Kommandoz
    wait_for 5 grep -Eq $'Hot Key=(Strg|Ctrl)\\+F5\r' "$data/HotKeys.hkv" ||
        fail "the row on Ctrl+F5 was not added: $(cat "$data/HotKeys.hkv")"
    wait_for 5 message_box >/dev/null || fail "no message about the taken combination"
    import -window root "$work/message.png" 2>/dev/null
    xdotool key Return
    wait_for 5 eval '! message_box' || fail "the message did not close"
    sleep 0.3
    warning_mark 0 || fail "the refused row shows no warning mark"

    add_row ctrl+shift+F8 Kommandoz
    wait_for 5 grep -Eq $'Hot Key=(Strg|Ctrl)\\+(Umsch|Shift)\\+F8\r' "$data/HotKeys.hkv" ||
        fail "the row on Ctrl+Shift+F8 was not added: $(cat "$data/HotKeys.hkv")"
    sleep 1
    message_box >/dev/null && fail "a message for a free combination"
    warning_mark 1 && fail "the accepted row shows a warning mark"
    import -window root "$work/list.png" 2>/dev/null
    before=$(terminals | wc -l)
    more_terminals() { [ "$(terminals | wc -l)" -gt "$before" ]; }
    xdotool key ctrl+shift+F8
    wait_for 10 more_terminals || fail "the row on Ctrl+Shift+F8 did not fire"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
