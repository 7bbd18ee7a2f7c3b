#!/usr/bin/env bash
# End-to-end: volume rows of the real program against the test desktop's PulseAudio server with
# the null sinks "a" and "b"; xdotool presses the keys, pactl reads the sinks.
#   volume.sh VORBIX
set -u
vorbix=$1
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }
command -v pactl >/dev/null && pactl info >/dev/null 2>&1 || { echo "SKIPPED: no PulseAudio server"; exit 77; }

work=$VORBIX_TEST_TMP/volume
mkdir -p "$work/config/Vorbix"
export XDG_CONFIG_HOME=$work/config
data=$XDG_CONFIG_HOME/Vorbix
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; }
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; cat "$work/vorbix.log" >&2; exit 1; }
wait_for() {
    local limit=$1; shift
    local end=$((SECONDS + limit))
    while ! "$@" 2>/dev/null; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}
# The channel volumes of a sink in percent, "55 55".
volume_of() { pactl get-sink-volume "$1" | grep -o '[0-9]*%' | tr -d % | xargs; }
volume_is() { [ "$(volume_of "$1")" = "$2" ]; }
muted_is() { [ "$(pactl get-sink-mute "$1")" = "Mute: $2" ]; }

pactl set-default-sink a
for s in a b; do pactl set-sink-volume $s 50%; pactl set-sink-mute $s 0; done

# Windows-1252 with CR LF, as the Windows version writes it. The fifth row was never edited and
# has no device yet.
printf '%s\r\n' '[General]' 'Count=5' \
    '[Hot Key1]' 'Hot Key=Strg+F5' 'Action=Lautstärke regeln' 'Volume=+5%' 'Settings=a' \
    '[Hot Key2]' 'Hot Key=Strg+F6' 'Action=Lautstärke regeln' 'Volume=-10%' 'Settings=' \
    '[Hot Key3]' 'Hot Key=Strg+F7' 'Action=Lautstärke regeln' 'Volume=Stumm/Laut' 'Settings=b' \
    '[Hot Key4]' 'Hot Key=Strg+F8' 'Action=Lautstärke regeln' 'Volume=Mute/Unmute' 'Settings=b' \
    '[Hot Key5]' 'Hot Key=Strg+F9' 'Action=Lautstärke regeln' |
    iconv -f UTF-8 -t WINDOWS-1252 >"$data/HotKeys.hkv"

"$vorbix" hide >"$work/vorbix.log" 2>&1 &
pid=$!
wait_for 10 grep -q '^Active=' "$data/Config.ini" || fail "vorbix did not start"
sleep 0.3

# A step of 5 points on sink a, twice; near the top the step stops at 100 %.
xdotool key ctrl+F5
wait_for 5 volume_is a "55 55" || fail "+5% gave a: $(volume_of a)"
xdotool key ctrl+F5
wait_for 5 volume_is a "60 60" || fail "second +5% gave a: $(volume_of a)"
pactl set-sink-volume a 97%
sleep 0.2
xdotool key ctrl+F5
wait_for 5 volume_is a "100 100" || fail "+5% at 97% gave a: $(volume_of a)"

# An empty device means the default device as it is when the key is pressed.
pactl set-default-sink b
sleep 0.2
xdotool key ctrl+F6
wait_for 5 volume_is b "40 40" || fail "-10% on the default gave b: $(volume_of b)"
volume_is a "100 100" || fail "a changed with the default being b: $(volume_of a)"

# The mute word of either language toggles mute.
xdotool key ctrl+F7
wait_for 5 muted_is b yes || fail "Stumm/Laut did not mute b"
xdotool key ctrl+F8
wait_for 5 muted_is b no || fail "Mute/Unmute did not unmute b"
muted_is a no || fail "a was muted"

# The row without a device got the default device found at start (sink a); the program writes
# the table when it ends.
grep -q 'vorbix.audio: sound system: PulseAudio server' "$work/vorbix.log" || fail "choice not logged"
kill "$pid"
wait "$pid"
pid=
tr -d '\r' <"$data/HotKeys.hkv" | iconv -f WINDOWS-1252 -t UTF-8 |
    awk '/^\[Hot Key5\]/ {s = 1; next} /^\[/ {s = 0} s' | grep -qx 'Settings=a' ||
    fail "new volume row without the default device: $(cat "$data/HotKeys.hkv")"
exit 0
