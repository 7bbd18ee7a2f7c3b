#!/usr/bin/env bash
# End-to-end cases of the vorbix program about whom it runs for, inside run-in-desktop.sh:
#   security.sh CASE VORBIX
# Every case has its own folders and stops what it started by process id.
set -u
case_name=$1 vorbix=$2
work=$VORBIX_TEST_TMP/security-$case_name
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

case $case_name in
root_with_user_home)
    [ "$(id -u)" -eq 0 ] || { echo "SKIPPED: needs root"; exit 77; }
    # sudo -E keeps the caller's HOME (and maybe XDG_CONFIG_HOME): the window must not start,
    # and nothing may be written in the user's folders (here one that belongs to nobody).
    for setting in "HOME=$work/user" "HOME=$work/user XDG_CONFIG_HOME=$work/user/.config" \
                   "HOME=$work/root XDG_CONFIG_HOME=$work/user/.config"; do
        rm -rf "$work/user"
        mkdir -p "$work/user" "$work/root"
        chown nobody "$work/user"
        env -u XDG_CONFIG_HOME $setting timeout 10 "$vorbix" hide >"$work/out" 2>&1
        status=$?
        [ $status -ne 0 ] && [ $status -ne 124 ] || fail "$setting: exit status $status"
        grep -q "sudo -H vorbix" "$work/out" || fail "$setting: no advice: $(cat "$work/out")"
        [ -z "$(ls -A "$work/user")" ] || fail "$setting: wrote into the user's home"
    done
    # Root's own home with a configuration folder elsewhere (as every other test runs) starts.
    root_home=$(getent passwd 0 | cut -d: -f6)
    HOME=$root_home XDG_CONFIG_HOME=$work/config "$vorbix" hide >"$work/out" 2>&1 &
    pid=$!
    for _ in $(seq 200); do grep -qs '^Active=' "$work/config/Vorbix/Config.ini" && break; sleep 0.05; done
    kill "$pid" 2>/dev/null
    wait "$pid"
    grep -qs '^Active=' "$work/config/Vorbix/Config.ini" || fail "root's own start: $(cat "$work/out")"
    # A root-owned home of its own (a container, a kiosk, a CI job) starts, in both settings.
    for setting in "HOME=$work/kiosk" "HOME=$work/kiosk XDG_CONFIG_HOME=$work/kiosk/.config"; do
        rm -rf "$work/kiosk"
        mkdir -m 0700 -p "$work/kiosk"
        env -u XDG_CONFIG_HOME $setting "$vorbix" hide >"$work/out" 2>&1 &
        pid=$!
        ini=$work/kiosk/.config/Vorbix/Config.ini
        for _ in $(seq 200); do grep -qs '^Active=' "$ini" && break; sleep 0.05; done
        kill "$pid" 2>/dev/null
        wait "$pid"
        grep -qs '^Active=' "$ini" || fail "$setting: a root-owned home did not start: $(cat "$work/out")"
    done
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
