#!/usr/bin/env bash
# vorbix --help and --version answer and exit 0 with no display at all; unknown options are
# refused with one line on standard error and status 2, before any display is needed.
#   vorbix-cli-test.sh VORBIX
set -u
vorbix=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# No display, no session bus, a data folder that must stay untouched.
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS XDG_CONFIG_HOME="$tmp/config" \
    QT_QPA_PLATFORM=xcb "$vorbix" "$@" >"$tmp/out" 2>"$tmp/err"; }

run --help; status=$?
[ $status -eq 0 ] || fail "--help: status $status: $(cat "$tmp/err")"
head -n1 "$tmp/out" | grep -q '^Usage: vorbix \[hide\]' || fail "--help printed: $(head -n3 "$tmp/out")"
[ -s "$tmp/err" ] && fail "--help wrote to standard error: $(cat "$tmp/err")"

run --version; status=$?
[ $status -eq 0 ] || fail "--version: status $status"
grep -qxE 'vorbix [0-9]+\.[0-9]+\.[0-9]+\.[0-9]+' "$tmp/out" || fail "--version printed: $(cat "$tmp/out")"

# "hide" before --help does not start the program.
run hide -h; status=$?
[ $status -eq 0 ] && grep -q '^Usage:' "$tmp/out" || fail "hide -h: status $status"

for args in "--bogus" "hide --hidden" "-x" "--nope --help" "-platform"; do
    # shellcheck disable=SC2086
    run $args; status=$?
    [ $status -eq 2 ] || fail "$args: status $status, expected 2"
    [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "$args: not one line: $(cat "$tmp/err")"
    grep -q '^vorbix: ' "$tmp/err" || fail "$args: $(cat "$tmp/err")"
    [ -s "$tmp/out" ] && fail "$args: wrote to standard output"
done

[ -e "$tmp/config" ] && fail "the data folder was created"
echo "PASS: vorbix_cli"
