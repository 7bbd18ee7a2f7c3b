#!/usr/bin/env bash
# The X server dies under the running program: it ends at once with status 1 and a one-line
# reason, without a core dump, leaves its files as they were, and keeps the list of the windows
# it had hidden. The next start checks that list against the X server it runs on: windows of the
# dead server are gone, so none is offered back and no window of the new server is mapped by a
# stale entry.
#   lost_display.sh VORBIX TEXT_TARGET   (inside tests/support/run-in-desktop.sh)
set -u
vorbix=$1 text_target=$2
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing"; exit 77; }
[ -n "${VORBIX_TEST_XVFB_PID:-}" ] || { echo "SKIPPED: no X server pid"; exit 77; }

work=$VORBIX_TEST_TMP/lost_display
data=$work/config/Vorbix
mkdir -p "$data"
export XDG_CONFIG_HOME=$work/config
pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
}
trap cleanup EXIT
. "$(dirname "$0")/../support/e2e-helpers.sh"
# A row that hides the text field's window.
printf '%s\r\n' '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F9' \
    'Action=Bestimmte Fenster verstecken' 'Window=vorbix-text-target|' >"$data/HotKeys.hkv"
"$text_target" "$work/text" >/dev/null 2>&1 &
pids+=($!)
wait_for 10 xdotool search --onlyvisible --name '^vorbix-text-target$' || fail "no text field"

ulimit -c unlimited
cd "$work" || exit 1
"$vorbix" hide >"$work/out" 2>"$work/err" &
vorbix_pid=$!
pids+=("$vorbix_pid")
wait_for 10 grep -q '^Active=' "$data/Config.ini" || fail "vorbix did not start: $(cat "$work/err")"
sleep 0.3
xdotool key ctrl+F9
wait_for 5 test -s "$data/HiddenWindows.txt" || fail "the window was not hidden"
sleep 0.3
cp "$data/Config.ini" "$data/HotKeys.hkv" "$data/HiddenWindows.txt" "$work/"
logged=$(wc -c <"$work/err")

kill -KILL "$VORBIX_TEST_XVFB_PID"
# The program notices at once; a few seconds is generous.
for _ in $(seq 100); do kill -0 "$vorbix_pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$vorbix_pid" 2>/dev/null && fail "still running after the X server died"
wait "$vorbix_pid"
status=$?
[ $status -eq 1 ] || fail "exit status $status, expected 1"
# What the program logged while it ran is not part of the reason.
tail -c +$((logged + 1)) "$work/err" >"$work/reason"
[ "$(wc -l <"$work/reason")" -eq 1 ] || fail "not one line on standard error: $(cat "$work/reason")"
ls "$work"/core* >/dev/null 2>&1 && fail "a core dump was written"
for f in Config.ini HotKeys.hkv HiddenWindows.txt; do
    cmp -s "$work/$f" "$data/$f" || fail "$f changed: $(cat "$data/$f")"
done

# The next start on a new X server: nothing of the old list is offered back, the list is emptied.
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "second X server did not start"
export DISPLAY=":$(head -n1 "$work/display")"
"$vorbix" hide >"$work/out2" 2>&1 &
pids+=($!)
second=$!
sleep 2
kill -0 "$second" 2>/dev/null || fail "the next start ended: $(cat "$work/out2")"
xdotool search --onlyvisible --name '^Vorbix$' >/dev/null 2>&1 && fail "windows of the dead server offered back"
grep -q 'vorbix-text-target' "$data/HiddenWindows.txt" 2>/dev/null && fail "stale entries kept"
echo "PASS: lost_display"
