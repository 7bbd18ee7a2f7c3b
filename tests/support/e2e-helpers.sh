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
# The first visible window whose title matches a pattern; whether there is one.
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window_named "$1")" ]; }
no_window() { [ -z "$(window_named "$1")" ]; }
# The client area's left, top, width and height of a window.
client_area() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}'
}
