#!/usr/bin/env bash
# End-to-end: the sound component starts on first use. A hidden start whose table has no volume
# row maps no sound library; a volume row in the table (at start or added later) starts it, and
# the row's first press changes the null sink's volume. Run inside run-in-desktop.sh:
#   sound_on_demand.sh CASE VORBIX
# Without the sound libraries (hidden in a mount namespace of the program's own) a volume row
# tells why it cannot run, and the other rows work.
set -u
case_name=$1 vorbix=$2
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }
command -v pactl >/dev/null && pactl info >/dev/null 2>&1 ||
    { echo "SKIPPED: no PulseAudio server"; exit 77; }

source "$(dirname "$(realpath "$0")")/../support/e2e-helpers.sh"
case_folders "$case_name"

volume_of() { pactl get-sink-volume "$1" | grep -o '[0-9]*%' | tr -d % | xargs; }
volume_is() { [ "$(volume_of "$1")" = "$2" ]; }
# The sound libraries the running program has mapped (none: empty).
sound_libraries() {
    grep -oE '(libpulse|libpulsecommon|libsndfile|libasound)[^/ ]*$' "/proc/$vorbix_pid/maps" |
        sort -u | xargs
}
no_sound_library() { [ -z "$(sound_libraries)" ]; }
maps_pulse() { sound_libraries | grep -q 'libpulse\.so'; }
stored() { grep -aq "^$1"$'\r$' "$data/HotKeys.hkv"; }
program_row=('[Hot Key1]' 'Hot Key=Strg+Umsch+F9' 'Action=Benutzerdefiniertes Programm'
    'Program=/usr/bin/touch<~F~>' "Parameter=$work/fired" 'HowToOpen=Normal')
fired() { [ -e "$work/fired" ]; }

pactl set-default-sink a
for s in a b; do pactl set-sink-volume $s 50%; pactl set-sink-mute $s 0; done

case $case_name in
hidden_without_volume_row)
    write_table '[General]' 'Count=1' "${program_row[@]}"
    start_vorbix hide
    sleep 0.5
    no_sound_library || fail "a hidden start without volume rows mapped: $(sound_libraries)"
    grep -q 'vorbix.audio' "$work/vorbix.log" && fail "the sound component started: $(cat "$work/vorbix.log")"
    xdotool key ctrl+shift+F9
    wait_for 5 fired || fail "the program row did not fire"
    no_sound_library || fail "the program row mapped: $(sound_libraries)"
    ;;
without_sound_libraries)
    pulse=$(readlink -f /usr/lib/x86_64-linux-gnu/libpulse.so.0 2>/dev/null)
    alsa=$(readlink -f /usr/lib/x86_64-linux-gnu/libasound.so.2 2>/dev/null)
    [ -f "$pulse" ] && [ -f "$alsa" ] || { echo "SKIPPED: the sound libraries are not where expected"; exit 77; }
    unshare -m true 2>/dev/null || { echo "SKIPPED: no mount namespace for this user"; exit 77; }
    write_table '[General]' 'Count=2' "${program_row[@]}" '[Hot Key2]' 'Hot Key=Strg+F5' \
        'Action=Lautstärke regeln' 'Volume=+5%' 'Settings=a'
    # The program sees empty files in place of the libraries; the process id stays its own.
    unshare -m sh -c 'mount --bind /dev/null "$1" && mount --bind /dev/null "$2" && shift 2 && exec "$@"' \
        sh "$pulse" "$alsa" "$vorbix" hide >"$work/vorbix.log" 2>&1 &
    vorbix_pid=$!
    pids+=("$vorbix_pid")
    wait_for 10 grep -q '^Active=' "$data/Config.ini" || fail "vorbix did not start: $(cat "$work/vorbix.log")"
    sleep 0.3
    xdotool key ctrl+F5
    told='vorbix: told in the tray: Die Aktion konnte nicht ausgeführt werden: Das Soundsystem lässt sich nicht laden (libpulse.so.0, libasound.so.2).'
    wait_for 5 grep -qF "$told" "$work/vorbix.log" || fail "no notice on the volume row: $(cat "$work/vorbix.log")"
    volume_is a "50 50" || fail "a changed: $(volume_of a)"
    xdotool key ctrl+shift+F9
    wait_for 5 fired || fail "the program row did not fire without the sound libraries"
    kill -0 "$vorbix_pid" || fail "vorbix ended: $(cat "$work/vorbix.log")"
    ;;
hidden_with_volume_row)
    write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F5' \
        'Action=Lautstärke regeln' 'Volume=+5%' 'Settings=a'
    start_vorbix hide
    # Started with the table, before the first press.
    maps_pulse || fail "the volume row did not start the sound component: $(sound_libraries)"
    xdotool key ctrl+F5
    wait_for 5 volume_is a "55 55" || fail "the first press gave a: $(volume_of a)"
    volume_is b "50 50" || fail "b changed: $(volume_of b)"
    ;;
volume_row_added)
    write_table '[General]' 'Count=1' "${program_row[@]}"
    # The hot key page at once, and the one-time notice on properties shown before.
    printf '[Settings]\r\nWelcome=0\r\nPropertiesNotice=1\r\n' >"$data/Config.ini"
    start_vorbix_shown
    w=$(main_window)
    xdotool windowactivate --sync "$w" 2>/dev/null
    read -r X Y _ < <(client_area "$w")
    no_sound_library || fail "mapped before any volume row: $(sound_libraries)"
    add_row ctrl+F10 Lautst
    wait_for 5 grep -aqE '^Hot Key=(Strg|Ctrl)\+F10' "$data/HotKeys.hkv" ||
        fail "no row on Ctrl+F10: $(tr -d '\r' <"$data/HotKeys.hkv")"
    # The new row got the default device's id, which started the component.
    wait_for 5 maps_pulse || fail "adding a volume row did not start the sound component"
    wait_for 5 stored 'Settings=a' || fail "the new row without sink a: $(tr -d '\r' <"$data/HotKeys.hkv")"
    # Its editor, opened on the second row of the list: +5 %, one step of the bar to the right.
    caption='^Eigenschaften von "Lautstärke regeln"$'
    xdotool mousemove $((X + 60)) $((Y + 154)) click 1
    sleep 0.3
    xdotool key Down Return
    wait_for 5 has_window "$caption" || fail "the volume editor did not open"
    sleep 0.2
    xdotool key Tab Tab Right Return
    wait_for 5 no_window "$caption" || fail "Enter did not store"
    wait_for 5 stored 'Volume=+5%' || fail "not stored: $(tr -d '\r' <"$data/HotKeys.hkv")"
    sleep 0.3
    xdotool key ctrl+F10
    wait_for 5 volume_is a "55 55" || fail "the first press gave a: $(volume_of a)"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
exit 0
