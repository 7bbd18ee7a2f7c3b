#!/usr/bin/env bash
# Measures the running program, inside tests/support/run-in-desktop.sh:
#   - time from process start to registered hot keys (the first Ctrl+F5 that starts its program)
#     and resident memory after start, for three tables: one row, 256 plain rows, and a full
#     table of 256 insert-text rows (about 2.2 MB); with 256 rows also without a sound server
#     when the desktop has one,
#   - wake-ups (voluntary context switches of all threads) and CPU time while hidden in the
#     tray: in the first 60 s after a program row has fired, and over IDLE_SECONDS after that.
#   app-bench.sh VORBIX [IDLE_SECONDS]
set -u
vorbix=$1 idle=${2:-30}
work=$VORBIX_TEST_TMP/bench
export XDG_CONFIG_HOME=$work/config
data=$XDG_CONFIG_HOME/Vorbix
mkdir -p "$data"
source "$(dirname "$0")/tables.sh"
one=$work/one.hkv plain=$work/plain.hkv full=$work/full.hkv
{
    printf '[General]\r\nCount=1\r\n'
    program_row "$work/fired"
} >"$one"
plain_table "$plain" 256 "$work/fired"
full_table "$full" 256 "$work/fired"

clock_ms() { date +%s%3N; }
rss_kb() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }

# Start-up to registered hot keys: press Ctrl+F5 repeatedly until the program it starts runs.
# measure_start LABEL TABLE: five starts, then the resident memory of the last one 2 s after its
# start (when the work left for idle time is done); the last one keeps running (pid in $pid).
runs=5
measure_start() {
    local label=$1 table=$2 total=0 r t0 t1
    for r in $(seq $runs); do
        cp "$table" "$data/HotKeys.hkv"
        rm -f "$work/fired"
        t0=$(clock_ms)
        "$vorbix" hide >/dev/null 2>&1 &
        pid=$!
        # One presser, a press every 2 ms: the first press after the registration fires.
        xdotool key --repeat 100000 --delay 2 ctrl+F5 &
        presser=$!
        until [ -e "$work/fired" ]; do
            sleep 0.001
            [ $(($(clock_ms) - t0)) -gt 20000 ] && { echo "no hot key after 20 s"; kill "$pid" "$presser"; exit 1; }
        done
        t1=$(clock_ms)
        kill "$presser"
        wait "$presser" 2>/dev/null
        # Stopped between a press and its release, it may leave keys down.
        xdotool keyup ctrl+F5
        total=$((total + t1 - t0))
        if [ "$r" -lt $runs ]; then kill "$pid"; wait "$pid"; fi
    done
    sleep $((2 - (t1 - t0) / 1000))
    printf '%-36s start to registered hot keys %4d ms (mean of %d), resident %6d kB\n' \
        "$label:" $((total / runs)) $runs "$(rss_kb "$pid")"
}
stop() { kill "$pid"; wait "$pid"; }

measure_start "one row" "$one"; stop
measure_start "full table (256 insert-text rows)" "$full"; stop
# Without a sound server the program finds none and takes the sound cards' mixers.
if [ -n "${PULSE_SERVER:-}" ]; then
    (unset PULSE_SERVER; measure_start "256 rows, no sound server" "$plain"; stop)
    measure_start "256 rows, PulseAudio server" "$plain"
else
    measure_start "256 rows, no sound server" "$plain"
fi

# Wake-ups of every thread (the X event reader, D-Bus and child reaper threads too), not only
# of the main thread that /proc/PID/status describes.
read_stat() {
    local v n u s
    v=$(cat /proc/$pid/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {t += $2} END {print t}')
    n=$(cat /proc/$pid/task/*/status 2>/dev/null | awk '/^nonvoluntary_ctxt_switches/ {t += $2} END {print t}')
    read -r u s < <(awk '{print $14, $15}' /proc/$pid/stat)
    echo "$v $n $u $s"
}
ticks=$(getconf CLK_TCK)
# idle_window LABEL SECONDS: wake-ups and CPU time of the hidden program over SECONDS.
idle_window() {
    local v0 n0 u0 s0 v1 n1 u1 s1
    read -r v0 n0 u0 s0 < <(read_stat)
    sleep "$2"
    read -r v1 n1 u1 s1 < <(read_stat)
    echo "hidden in the tray, $1: $((v1 - v0)) voluntary and $((n1 - n0)) involuntary context switches (wake-ups), CPU time $(((u1 - u0 + s1 - s0) * 1000 / ticks)) ms"
}
# The program row fired to end the start measurement: fire it once more, then watch.
rm -f "$work/fired"
xdotool key ctrl+F5
until [ -e "$work/fired" ]; do sleep 0.01; done
idle_window "the first 60 s after a program row fired" 60
idle_window "the $idle s after that" "$idle"
stop
