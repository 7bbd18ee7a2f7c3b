#!/usr/bin/env bash
# The main window's size and place from Config.ini, inside tests/support/run-in-desktop.sh (one
# 1280 x 1024 screen):
#   window_geometry.sh CASE VORBIX
# absurd: a file with ClientWidth=99999 and Position_x=-50000 opens the window wholly on the
#         screen, and what the program saves then is sane.
# scaled: Xft.dpi 144 and QT_SCALE_FACTOR=1.5 together (2.25 device pixels per pixel): the window
#         opens wholly on the screen, is saved so, and opens the same way from that file again.
# travel: sizes and places are kept in device pixels: the same file opens the same window at 96
#         and at 144 dots per inch, and is saved unchanged.
# Every case has its own XDG_CONFIG_HOME and stops what it started by process id.
set -u
case_name=$1 vorbix=$2
source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
for tool in xdotool xwininfo xprop xrdb; do
    command -v $tool >/dev/null || { echo "SKIPPED: $tool missing"; exit 77; }
done

case_folders "geometry-$case_name"

# The work area: left, top, width, height (the screen less the panels).
work_area() { xprop -root -notype _NET_WORKAREA | sed 's/.*= *//; s/,/ /g' | tr -s ' ' | cut -d' ' -f1-4; }
# frame_area WINDOW: left, top, width and height of the window with the window manager's frame.
frame_area() {
    local x y w h l r t b
    read -r x y w h <<<"$(client_area "$1")"
    read -r l r t b <<<"$(xprop -id "$1" -notype _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,/ /g')"
    echo $((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))
}
# wholly_on_screen WINDOW: the frame lies inside the work area.
wholly_on_screen() {
    local x y w h ax ay aw ah
    read -r x y w h <<<"$(frame_area "$1")"
    read -r ax ay aw ah <<<"$(work_area)"
    [ "$x" -ge "$ax" ] && [ "$y" -ge "$ay" ] && [ $((x + w)) -le $((ax + aw)) ] &&
        [ $((y + h)) -le $((ay + ah)) ]
}
# The window is framed (the manager has placed it) and no longer moves.
settled() {
    local before
    xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '=' || return 1
    before=$(frame_area "$1")
    sleep 0.3
    [ "$(frame_area "$1")" = "$before" ]
}
# The main window's value of a key (the first section, Settings, holds it).
value() { sed -n "s/^$1=\\([-0-9]*\\)\\r\$/\\1/p" "$data/Config.ini" | head -n1; }
geometry() { echo "$(value ClientWidth) $(value ClientHeight) $(value Position_x) $(value Position_y)"; }
# open_checked: starts the program shown and checks that its window lies wholly on the screen.
open_checked() {
    start_vorbix_shown
    local w
    w=$(main_window)
    wait_for 10 settled "$w" || fail "the window did not settle"
    wholly_on_screen "$w" || fail "not wholly on the screen: frame $(frame_area "$w") in $(work_area): $(cat "$work/vorbix.log")"
}
stop_saving() {
    kill -TERM "$vorbix_pid"
    wait "$vorbix_pid"
}
# saved_sane: the saved geometry lies on the 1280 x 1024 screen.
saved_sane() {
    local cw ch px py
    read -r cw ch px py <<<"$(geometry)"
    [ -n "$py" ] || fail "no geometry saved: $(cat "$data/Config.ini")"
    [ "$cw" -gt 0 ] && [ "$cw" -le 1280 ] && [ "$ch" -gt 0 ] && [ "$ch" -le 1024 ] &&
        [ "$px" -ge 0 ] && [ "$py" -ge 0 ] && [ $((px + cw)) -le 1280 ] &&
        [ $((py + ch)) -le 1024 ] || fail "saved geometry $cw x $ch at $px,$py"
}
config() { printf '[Settings]\r\nWelcome=0\r\n' >"$data/Config.ini"; printf '%s\r\n' "$@" >>"$data/Config.ini"; }

case $case_name in
absurd)
    config 'ClientWidth=99999' 'ClientHeight=532' 'Position_x=-50000' 'Position_y=10'
    open_checked
    stop_saving
    saved_sane
    ;;
scaled)
    echo 'Xft.dpi: 144' | xrdb -merge
    export QT_SCALE_FACTOR=1.5
    open_checked
    import -window root "$work/scaled.png" 2>/dev/null
    stop_saving
    saved_sane
    first=$(geometry)
    open_checked
    stop_saving
    [ "$(geometry)" = "$first" ] || fail "saved $first, then $(geometry)"
    ;;
travel)
    for dpi in 96 144; do
        echo "Xft.dpi: $dpi" | xrdb -merge
        config 'ClientWidth=1245' 'ClientHeight=900' 'Position_x=30' 'Position_y=60'
        open_checked
        read -r x y w h <<<"$(frame_area "$(main_window)")"
        read -r cx cy cw ch <<<"$(client_area "$(main_window)")"
        [ "$cw $ch" = "1245 900" ] || fail "$dpi dpi: client area $cw x $ch"
        [ "$x $y" = "30 60" ] || fail "$dpi dpi: placed at $x,$y"
        stop_saving
        [ "$(geometry)" = "1245 900 30 60" ] || fail "$dpi dpi: saved $(geometry)"
    done
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
