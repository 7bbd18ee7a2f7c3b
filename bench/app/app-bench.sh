#!/usr/bin/env bash
# Measures the running program, inside tests/support/run-in-desktop.sh:
#   - time from process start to registered hot keys (the first Ctrl+F5 that starts its program),
#     without and with a sound server when the desktop has one,
#   - resident memory after start,
#   - wake-ups (voluntary context switches) and CPU time over 30 s hidden in the tray.
#   app-bench.sh VORBIX [IDLE_SECONDS]
set -u
vorbix=$1 idle=${2:-30}
work=$VORBIX_TEST_TMP/bench
export XDG_CONFIG_HOME=$work/config
data=$XDG_CONFIG_HOME/Vorbix
mkdir -p "$data"
# A table of 256 rows: the first starts a program, the others are ordinary rows.
{
    printf '[General]\r\nCount=256\r\n'
    printf '[Hot Key1]\r\nHot Key=Strg+F5\r\nAction=Benutzerdefiniertes Programm\r\n'
    printf 'Program=/usr/bin/touch<~F~>\r\nParameter=%s\r\nHowToOpen=Normal\r\n' "$work/fired"
    for i in $(seq 2 256); do
        printf '[Hot Key%d]\r\nHot Key=Strg+Alt+Umschalt+F%d\r\nAction=Kopieren\r\n' "$i" $((i % 12 + 1))
    done
} >"$data/HotKeys.hkv"

clock_ms() { date +%s%3N; }

# Start-up to registered hot keys: press Ctrl+F5 repeatedly until the program it starts runs.
# measure_start LABEL: five starts; the last one keeps running (its process id in $pid).
runs=5
measure_start() {
    local label=$1 total=0 r t0 t1
    for r in $(seq $runs); do
        rm -f "$work/fired"
        t0=$(clock_ms)
        "$vorbix" hide >/dev/null 2>&1 &
        pid=$!
        until [ -e "$work/fired" ]; do
            xdotool key ctrl+F5
            sleep 0.01
            [ $(($(clock_ms) - t0)) -gt 20000 ] && { echo "no hot key after 20 s"; kill "$pid"; exit 1; }
        done
        t1=$(clock_ms)
        total=$((total + t1 - t0))
        echo "run $r ($label): start to registered hot keys $((t1 - t0)) ms (includes xdotool's ~15 ms)"
        if [ "$r" -lt $runs ]; then kill "$pid"; wait "$pid"; fi
    done
    echo "mean start to registered hot keys, $label: $((total / runs)) ms over $runs runs (256 rows)"
}
# Without a sound server the program finds none and takes the sound cards' mixers.
if [ -n "${PULSE_SERVER:-}" ]; then
    (unset PULSE_SERVER; measure_start "no sound server"; kill "$pid"; wait "$pid")
fi
if [ -n "${PULSE_SERVER:-}" ]; then measure_start "with a PulseAudio server"; else measure_start "no sound server"; fi

sleep 1
rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
echo "resident memory after start: $rss kB"

# Wake-ups of every thread (the X event reader, D-Bus and child reaper threads too), not only
# of the main thread that /proc/PID/status describes.
read_stat() {
    local v n u s
    v=$(cat /proc/$pid/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {t += $2} END {print t}')
    n=$(cat /proc/$pid/task/*/status 2>/dev/null | awk '/^nonvoluntary_ctxt_switches/ {t += $2} END {print t}')
    read -r u s < <(awk '{print $14, $15}' /proc/$pid/stat)
    echo "$v $n $u $s"
}
read -r v0 n0 u0 s0 < <(read_stat)
sleep "$idle"
read -r v1 n1 u1 s1 < <(read_stat)
ticks=$(getconf CLK_TCK)
echo "hidden in the tray for $idle s: $((v1 - v0)) voluntary and $((n1 - n0)) involuntary context switches (wake-ups),"
echo "  CPU time $(( (u1 - u0 + s1 - s0) * 1000 / ticks )) ms"
kill "$pid"
wait "$pid"
