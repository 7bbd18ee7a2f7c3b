#!/usr/bin/env bash
# Black-box tests of "vorbix-hkv translate" with the shipped language files: a German table of
# every kind goes to English and back to the same bytes, rows it cannot translate are named and
# kept, and mistakes end with status 2 and one line. Usage: vorbix-hkv-translate-test.sh TOOL DATA
set -u
tool=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$(realpath "$0")")/../support/every-kind-table.sh"
tmp=$(mktemp -d "${VORBIX_TEST_TMP:-${TMPDIR:-/tmp}}/vorbix-hkv-translate.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
failures=0
run() {
    "$tool" --program-folder "$data" "$@" >"$tmp/out" 2>"$tmp/err"
    rc=$?
    err=$(cat "$tmp/err")
}
fail() {
    echo "FAIL ($1): $2" >&2
    failures=$((failures + 1))
}
expect_rc() { [ "$rc" -eq "$2" ] || fail "$1" "exit status $rc, expected $2; stderr: $err"; }
utf8() { iconv -f WINDOWS-1252 -t UTF-8 "$1" | tr -d '\r'; }

# The table of every kind, as the Windows version writes it; its last row names no action.
every_kind_table /usr/bin/touch /tmp/x | iconv -f UTF-8 -t WINDOWS-1252 >de.hkv
run translate de.hkv --to English -o en.hkv
expect_rc "to English" 1
[ "$err" = 'vorbix-hkv: Hot Key13: action "Zaubern" names no action of any language; kept as it is' ] ||
    fail "to English" "stderr: $err"
for line in 'Hot Key=Ctrl+F1' 'Action=Hide certain windows' 'Action=Custom program' \
    'HowToOpen=Maximized' 'Program=/usr/bin/touch<~F~>' 'Parameter=/tmp/x' \
    'KeyComb=Ctrl+Alt+X' 'Volume=Mute/Unmute' 'AudioVideo=Next' 'BrowserControl=Reload' \
    'HowToOpen=Minimized' 'Window=Editor|Rechner|' 'URL=https://example.org/?a=1' \
    'Settings=alsa_output.pci.analog-stereo' 'Action=Zaubern' 'Zauberspruch=Abra kadabra'; do
    utf8 en.hkv | grep -qxF -- "$line" || fail "to English" "no line $line"
done
run translate en.hkv --to German -o back.hkv
expect_rc "back to German" 1
cmp -s de.hkv back.hkv || fail "back to German" "not the original bytes: $(diff <(utf8 de.hkv) <(utf8 back.hkv))"

# Translating into the language a file is in changes nothing; a table without unknown rows is
# translated with status 0, in place when -o names the file itself.
run translate de.hkv --to German -o same.hkv
cmp -s de.hkv same.hkv || fail "German to German" "the file changed"
printf '[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+Shift+A\r\nAction=Kopieren\r\n' >one.hkv
cp one.hkv one-orig.hkv
run translate one.hkv --to English -o one.hkv
expect_rc "in place" 0
[ -z "$err" ] || fail "in place" "stderr: $err"
[ "$(utf8 one.hkv)" = $'[General]\nCount=1\n[Hot Key1]\nHot Key=Ctrl+Shift+A\nAction=Copy' ] ||
    fail "in place" "$(utf8 one.hkv)"
run translate one.hkv --to German -o one.hkv
cmp -s one.hkv one-orig.hkv || fail "in place back" "$(utf8 one.hkv)"

# Key texts in the capture form, which both languages read, come back as they were; the output
# is written as the program saves its table: a new file for its owner only, an existing one
# keeping its permissions.
printf '[General]\r\nCount=2\r\n[Hot Key1]\r\nHot Key=Strg+Umsch+F1\r\nAction=Kopieren\r\n[Hot Key2]\r\nHot Key=Strg+Shift+F2\r\nAction=Tastenkombination simulieren\r\nKeyComb=Strg+Umsch+Z\r\n' >capture.hkv
rm -f capture-en.hkv capture-de.hkv
run translate capture.hkv --to English -o capture-en.hkv
expect_rc "capture form to English" 0
utf8 capture-en.hkv | grep -qxF 'Hot Key=Ctrl+Shift+F2' || fail "capture form to English" "$(utf8 capture-en.hkv)"
run translate capture-en.hkv --to German -o capture-de.hkv
cmp -s capture.hkv capture-de.hkv || fail "capture form back" "$(diff <(utf8 capture.hkv) <(utf8 capture-de.hkv))"
for f in capture-en.hkv capture-de.hkv; do
    [ "$(stat -c %a "$f")" = 600 ] || fail "mode of $f" "$(stat -c %a "$f")"
done
chmod 644 capture-de.hkv
run translate capture-en.hkv --to German -o capture-de.hkv
[ "$(stat -c %a capture-de.hkv)" = 644 ] || fail "existing file keeps its mode" "$(stat -c %a capture-de.hkv)"
rm -f normal.hkv
run normalize capture.hkv -o normal.hkv
[ "$(stat -c %a normal.hkv)" = 600 ] || fail "mode of normalize output" "$(stat -c %a normal.hkv)"

# Mistakes: one line on standard error, status 2, no output file.
for args in "translate de.hkv -o x.hkv" "translate de.hkv --to French -o x.hkv" \
    "translate de.hkv --to English" "list de.hkv --to English" \
    "translate missing.hkv --to English -o x.hkv" "translate de.hkv --to English -o nodir/x.hkv"; do
    # shellcheck disable=SC2086
    run $args
    expect_rc "$args" 2
    [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "$args" "not one line: $err"
    [ -e x.hkv ] && fail "$args" "an output file was written"
done
run translate de.hkv --to English -o x.hkv --program-folder "$tmp/none"
expect_rc "no language files" 2

[ $failures -eq 0 ] && echo "PASS: vorbix-hkv translate"
exit $((failures > 0))
