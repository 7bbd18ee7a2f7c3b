#!/usr/bin/env bash
# Opens every window, editor and dialog of the program in German and English at 96 and 144 dots
# per inch in a private X desktop (tests/support/run-in-desktop.sh) and writes one PNG of each
# into the folder OUT, named LANGUAGE-DPI-NAME.png (de-144-editor-datetime.png).
#
#   scripts/screenshots.sh [--lang de,en] [--dpi 96,144] [--only REGEX] OUT
#
# --only keeps the shots whose NAME matches the extended regular expression (the program still
# walks through every window, but writes only those files). The program is taken from
# $VORBIX_BUILD_DIR (default build/); when it is missing there it is built first. 144 dpi is the
# desktop's font resolution (the X resource Xft.dpi), as desktops set it for large screens.
# A tool for looking at the windows, not a test: it fails only when the program cannot be driven.
set -u

here=$(cd "$(dirname "$(realpath "$0")")" && pwd)
root=$(dirname "$here")

if [ "${1:-}" != --inside ]; then
    langs=de,en dpis=96,144 only=.
    while [ $# -gt 0 ]; do
        case $1 in
        --lang) langs=$2; shift ;;
        --dpi) dpis=$2; shift ;;
        --only) only=$2; shift ;;
        -h | --help) sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        -*) echo "unknown option $1 (see --help)" >&2; exit 2 ;;
        *) break ;;
        esac
        shift
    done
    [ $# -eq 1 ] || { echo "usage: screenshots.sh [--lang de,en] [--dpi 96,144] [--only REGEX] OUT" >&2; exit 2; }
    out=$(mkdir -p "$1" && cd "$1" && pwd) || exit 2
    for tool in Xvfb openbox xdotool xwininfo xrdb import iconv; do
        command -v $tool >/dev/null ||
            { echo "$tool is missing: scripts/install-deps.sh installs it" >&2; exit 2; }
    done
    build=${VORBIX_BUILD_DIR:-$root/build}
    if [ ! -x "$build/vorbix" ] || [ ! -x "$build/vorbix-hkv" ]; then
        launcher=()
        command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null &&
            cmake --build "$build" -j2 --target vorbix vorbix-hkv || exit 2
    fi
    exec "$root/tests/support/run-in-desktop.sh" -- "$0" --inside "$build" "$out" "$langs" "$dpis" "$only"
fi

build=$2 out=$3 langs=$4 dpis=$5 only=$6
vorbix=$build/vorbix
source "$root/tests/support/e2e-helpers.sh"
source "$root/tests/support/every-kind-table.sh"

# The table: a row of every kind that has properties (rows 1 to 12, in the order of
# every_kind_table), then one row of each other kind, so that every caption is in the list.
german_table() {
    every_kind_table /usr/bin/true "" | sed -n '/^\[Hot Key13\]/q;p'
    local captions=("Alles minimieren" "Alle Fenster schließen" "Kopieren" "Einfügen"
        "Ausschneiden" "E-Mail-Programm öffnen" "Browser öffnen" "Kommandozeile"
        "Programm schließen" "Neuer Ordner" "Windows herunterfahren" "Windows neustarten"
        "Windows abmelden" "Windows in Standby versetzen" "Systemsteuerung öffnen"
        "Bildschirmeigenschaften (Dialog)" "Datum/Zeit (Dialog)" "Ländereinstellungen (Dialog)"
        "Multimediaoptionen (Dialog)" "Software (Dialog)" "Systemeigenschaften (Dialog)")
    local i=13 letters=(A B C D E G H I J K L M N O P Q R S T U W)
    for caption in "${captions[@]}"; do
        printf '%s\r\n' "[Hot Key$i]" "Hot Key=Strg+Umsch+${letters[$((i - 13))]}" "Action=$caption"
        i=$((i + 1))
    done
    printf '%s\r\n' '[General]' "Count=$((i - 1))"
}

# Design pixels (96 dpi) to screen pixels.
px() { echo $((($1 * dpi + 48) / 96)); }
# Clicks at a designed place of a window's client area (button 1 unless a third argument).
click_at() {
    local x y _
    read -r x y _ < <(client_area "$1")
    xdotool mousemove $((x + $(px "$2"))) $((y + $(px "$3"))) click "${4:-1}"
    sleep 0.4
}
# The same from the right edge of the client area.
click_from_right() {
    local x y w _
    read -r x y w _ < <(client_area "$1")
    xdotool mousemove $((x + w - $(px "$2"))) $((y + $(px "$3"))) click 1
    sleep 0.4
}
# The top-level frame (the window manager's) around a client window.
frame_of() {
    local w=$1 parent rootid
    rootid=$(xwininfo -root | awk '/Window id:/ {print $4}')
    while :; do
        parent=$(xwininfo -children -id "$w" | awk '/Parent window id:/ {print $4}')
        [ -z "$parent" ] || [ "$parent" = "$rootid" ] && break
        w=$parent
    done
    echo "$w"
}
wanted() { [[ $1 =~ $only ]]; }
# shot NAME [WINDOW]: the window with its frame, or the whole screen.
shot() {
    local name=$lang-$dpi-$1 file
    file=$out/$name.png
    wanted "$1" || return 0
    sleep 0.4
    if [ -n "${2:-}" ]; then
        local x y w h
        read -r x y w h < <(client_area "$(frame_of "$2")")
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file"
    else
        import -window root "$file"
    fi
    echo "  $name.png"
}
active() { xdotool getactivewindow 2>/dev/null; }
# Waits until a window other than $main is active and prints it.
new_active() {
    local end=$((SECONDS + 8)) a
    while [ $SECONDS -lt $end ]; do
        a=$(active)
        if [ -n "$a" ] && [ "$a" != "$main" ]; then
            echo "$a"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
main_active() { [ "$(active)" = "$main" ]; }
is_active() { [ "$(active)" = "$1" ]; }
# Waits until a window other than $main and WINDOW is active and prints it.
new_active_besides() {
    local end=$((SECONDS + 8)) a
    while [ $SECONDS -lt $end ]; do
        a=$(active)
        if [ -n "$a" ] && [ "$a" != "$main" ] && [ "$a" != "$1" ]; then
            echo "$a"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
# Closes the dialog in front with KEY (Escape) and waits for the main window.
dismiss() {
    xdotool key "${1:-Escape}"
    wait_for 5 main_active || { xdotool key Escape; wait_for 3 main_active; } ||
        fail "a dialog stayed open after ${1:-Escape}"
    sleep 0.2
}
# Opens the editor of list row ROW (0-based) and prints its window.
open_row() {
    xdotool windowactivate --sync "$main" 2>/dev/null
    click_at "$main" 60 154
    xdotool key Home
    local i
    for ((i = 0; i < $1; i++)); do xdotool key Down; done
    xdotool key Return
    new_active || fail "row $1 opened no editor"
}
tray_menu() {
    local tx ty
    read -r tx ty < <(xwininfo -root -tree | grep '("vorbix" "Vorbix")' | grep -v Pellmarr |
        sed -E 's/.*[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2/' | head -n1)
    [ -n "$tx" ] || return 1
    xdotool mousemove $((tx + 8)) $((ty + 8)) click 3
    sleep 1
}

session() {
    echo "$lang, $dpi dpi:"
    printf 'Xft.dpi: %s\n' "$dpi" | xrdb -merge
    case_folders "$lang-$dpi"
    local language=German
    [ "$lang" = en ] && language=English
    printf '[Settings]\r\nLanguage=%s\r\nWelcome=0\r\n' "$language" >"$data/Config.ini"
    german_table | iconv -f UTF-8 -t WINDOWS-1252 >"$work/table.hkv"
    if [ "$lang" = en ]; then
        "$build/vorbix-hkv" translate "$work/table.hkv" --to English -o "$data/HotKeys.hkv" ||
            fail "the table could not be translated"
    else
        cp "$work/table.hkv" "$data/HotKeys.hkv"
    fi
    start_vorbix_shown
    main=$(main_window)
    xdotool windowactivate --sync "$main" 2>/dev/null
    sleep 0.5

    # The main window and its pages.
    shot main-hotkeys "$main"
    click_at "$main" 110 54
    shot main-welcome "$main"
    click_at "$main" 300 54
    click_at "$main" 500 100
    shot main-action-box
    xdotool key Escape
    click_at "$main" 60 154 3
    shot main-list-menu
    xdotool key Escape
    click_from_right "$main" 20 12
    shot main-help-menu
    xdotool key Escape
    sleep 0.3
    click_at "$main" 20 12
    local menu
    for menu in file edit goto help; do
        shot "main-menu-$menu"
        xdotool key Right
        sleep 0.3
    done
    xdotool key Escape Escape
    sleep 0.3
    click_from_right "$main" 50 520
    shot main-deactivated "$main"
    click_from_right "$main" 50 520
    if tray_menu; then
        shot tray-menu
        xdotool key Escape
    fi

    # Message boxes of the help menu.
    click_from_right "$main" 20 12
    xdotool key Return
    shot message-keycomb "$(new_active)"
    dismiss Return
    click_from_right "$main" 20 12
    xdotool key Down Return
    shot message-location "$(new_active)"
    dismiss Return
    # The about box: the last entry of the help menu.
    click_from_right "$main" 20 12
    xdotool key Up Return
    shot about "$(new_active)"
    dismiss

    # The settings dialog, page by page, then OK (the menu bar must look the same after).
    click_at "$main" 20 12
    xdotool key Down Down Down Down Down Return
    local d page
    d=$(new_active) || fail "no settings dialog"
    shot settings-1 "$d"
    for page in 2 3 4; do
        click_at "$d" 268 93
        xdotool key Down Return
        shot "settings-$page" "$d"
    done
    click_at "$d" 268 93
    shot settings-categories
    xdotool key Escape
    sleep 0.3
    click_at "$d" 372 524
    wait_for 5 main_active || fail "OK did not close the settings dialog"
    shot main-after-settings "$main"
    # A bare letter as the switch combination (the dialog opens again on its last page, the
    # other settings): OK asks first; No keeps the dialog open.
    click_at "$main" 20 12
    xdotool key Down Down Down Down Down Return
    d=$(new_active) || fail "no settings dialog"
    click_at "$d" 50 278
    click_at "$d" 180 316
    xdotool key e
    sleep 0.3
    click_at "$d" 372 524
    new_active_besides "$d" >/dev/null || fail "OK with a bare letter asked nothing"
    shot settings-typing-question
    xdotool key Escape
    wait_for 5 is_active "$d" || fail "No to the question closed the settings dialog"
    dismiss

    # The editors, by their rows.
    local editors=(hide show program drive keycomb text volume media browser search datetime website)
    local row w
    for row in "${!editors[@]}"; do
        w=$(open_row "$row")
        shot "editor-${editors[$row]}" "$w"
        case ${editors[$row]} in
        text)
            # Formatted: the tool bar with the font and size boxes, then the link prompt.
            click_at "$w" 30 74
            shot editor-text-formatted "$w"
            click_at "$w" 275 104
            if p=$(new_active) && [ "$p" != "$w" ]; then
                shot editor-text-link "$p"
                xdotool key Escape
                sleep 0.3
            fi
            ;;
        datetime)
            click_at "$w" 233 266
            shot editor-datetime-abbreviations
            ;;
        esac
        dismiss
    done

    # The search window, from its row's hot key.
    key_until 5 ctrl+F10 sh -c '[ "$(xdotool getactivewindow)" != "'"$main"'" ]' &&
        shot search-window "$(active)" && dismiss

    # The file dialog of "load hot key set" and the question before deleting every row.
    click_at "$main" 20 12
    xdotool key Return
    shot file-open "$(new_active)"
    dismiss
    click_at "$main" 20 12
    xdotool key Right Down Down Down Return
    shot message-delete-all "$(new_active)"
    dismiss Escape

    stop_started
    trap - EXIT
}

for lang in ${langs//,/ }; do
    for dpi in ${dpis//,/ }; do
        session
    done
done
