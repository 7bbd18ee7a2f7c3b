#!/usr/bin/env bash
# Measures the running program, inside tests/support/run-in-desktop.sh:
#   - time from process start to the first fired hot key (a Ctrl+F5 program row that starts
#     `touch`), the median of five starts, and the resident memory after start with its
#     breakdown by mapping (each shared library, heap, stack, the program, anonymous memory) from
#     /proc/PID/smaps: for a one-row table and a full table of 256 insert-text rows (about
#     2.2 MB), hidden in the tray and after the window was shown once; beside them, in the same
#     run, the minimal grab daemon with the same Ctrl+F5 row; 256 plain rows also without a sound
#     server when the desktop has one,
#   - wake-ups (voluntary context switches of all threads) and CPU time while hidden in the
#     tray: in the first 60 s after a program row has fired, and over IDLE_SECONDS after that.
#   app-bench.sh VORBIX [IDLE_SECONDS [MINIMAL_DAEMON]]
# BENCH_SKIP_IDLE=1 leaves out the idle part.
set -u
vorbix=$1 idle=${2:-30} daemon=${3:-}
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

# The resident memory of PID by mapping: Rss summed per mapped file (its base name), [heap],
# [stack], the program itself and anonymous memory, largest first; mappings under 100 kB are
# summed as one line.
memory_breakdown() {
    local exe
    exe=$(readlink "/proc/$1/exe")
    awk -v exe="$exe" '
        /^[0-9a-f]+-[0-9a-f]+ / {
            name = "[anonymous]"
            if (NF >= 6) { name = $6; for (i = 7; i <= NF; i++) name = name " " $i }
            if (name == exe) name = "[program]"
            else if (name ~ /^\//) { n = split(name, part, "/"); name = part[n] }
            next
        }
        /^Rss:/ { rss[name] += $2 }
        END { for (n in rss) if (rss[n] > 0) printf "%d\t%s\n", rss[n], n }' "/proc/$1/smaps" |
        sort -rn | awk -F'\t' '
            $1 >= 100 { line = line sprintf("  %6.1f %-28s", $1 / 1024, $2); if (++k % 3 == 0) { print line; line = "" } ; next }
            { rest += $1; count++ }
            END {
                if (count) line = line sprintf("  %6.1f %-28s", rest / 1024, count " smaller mappings")
                if (line != "") print line
            }'
}
# memory LABEL PID: VmRSS, the Qt libraries summed, and the breakdown (MB).
memory() {
    local qt
    qt=$(awk '/^[0-9a-f]+-[0-9a-f]+ / { qt = ($6 ~ /libQt6/) } /^Rss:/ && qt { t += $2 } END { print t + 0 }' "/proc/$2/smaps")
    local rss
    rss=$(rss_kb "$2")
    # MB here and below: 1024 kB, as /proc counts them.
    printf '%-46s resident %6d kB = %.1f MB (Qt libraries %d kB), by mapping in MB:\n' "$1" "$rss" \
        "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')" "$qt"
    memory_breakdown "$2"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Start-up to the first fired hot key: press Ctrl+F5 repeatedly until the program it starts runs.
# measure_start LABEL TABLE [COMMAND...]: five starts of COMMAND (vorbix hide by default), then
# the resident memory of the last one 2 s after its start (when the work left for idle time is
# done); the last one keeps running (pid in $pid).
runs=5
measure_start() {
    local label=$1 table=$2 r t0 t1 times=() cpu=()
    shift 2
    local command=("$@")
    [ ${#command[@]} -gt 0 ] || command=("$vorbix" hide)
    for r in $(seq $runs); do
        cp "$table" "$data/HotKeys.hkv"
        rm -f "$work/fired"
        t0=$(clock_ms)
        "${command[@]}" >/dev/null 2>&1 &
        pid=$!
        # One presser, a press every 2 ms: the first press after the registration fires.
        xdotool key --repeat 100000 --delay 2 ctrl+F5 &
        presser=$!
        until [ -e "$work/fired" ]; do
            sleep 0.001
            [ $(($(clock_ms) - t0)) -gt 20000 ] && { echo "no hot key after 20 s"; kill "$pid" "$presser"; exit 1; }
        done
        t1=$(clock_ms)
        # The processor time all its threads had taken by then (less noisy on a busy machine).
        cpu+=($(cat /proc/$pid/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { print int(t / 1e6) }'))
        kill "$presser"
        wait "$presser" 2>/dev/null
        # Stopped between a press and its release, it may leave keys down.
        xdotool keyup ctrl+F5
        times+=($((t1 - t0)))
        if [ "$r" -lt $runs ]; then kill "$pid"; wait "$pid"; fi
    done
    sleep $((2 - (t1 - t0) / 1000))
    printf '%-46s start to the first hot key %4d ms (median of %d: %s), processor time %d ms\n' \
        "$label:" "$(printf '%s\n' "${times[@]}" | median)" $runs "${times[*]}" \
        "$(printf '%s\n' "${cpu[@]}" | median)"
    memory "  $label, hidden:" "$pid"
}
# show_once LABEL: a second start shows the window of the running one; its memory once shown.
show_once() {
    "$vorbix" >/dev/null 2>&1
    local end=$((SECONDS + 10))
    until [ -n "$(xdotool search --onlyvisible --name '^Pellmarr - Vorbix$' 2>/dev/null)" ]; do
        [ $SECONDS -ge $end ] && { echo "the window did not show"; return 1; }
        sleep 0.05
    done
    sleep 1
    memory "  $1, after showing the window:" "$pid"
}
stop() { kill "$pid"; wait "$pid"; }

if [ -n "$daemon" ]; then
    measure_start "minimal grab daemon, Ctrl+F5 row" "$one" "$daemon" Vorbix-none /usr/bin/touch "$work/fired"
    stop
fi
measure_start "one row" "$one"; show_once "one row"; stop
measure_start "full table (256 insert-text rows)" "$full"; show_once "full table"; stop
# Without a sound server the program finds none and takes the sound cards' mixers.
if [ -n "${PULSE_SERVER:-}" ]; then
    (unset PULSE_SERVER; measure_start "256 rows, no sound server" "$plain"; stop)
    measure_start "256 rows, PulseAudio server" "$plain"
else
    measure_start "256 rows, no sound server" "$plain"
fi

[ "${BENCH_SKIP_IDLE:-0}" = 1 ] && { stop; exit 0; }
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
