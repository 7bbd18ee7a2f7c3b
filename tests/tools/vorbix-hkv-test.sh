#!/usr/bin/env bash
# Black-box tests of vorbix-hkv: runs the binary on files written here and checks standard
# output, standard error and the exit status. Usage: vorbix-hkv-test.sh PATH/TO/vorbix-hkv
set -u
tool=$(realpath "$1")
source "$(dirname "$(realpath "$0")")/../support/every-kind-table.sh"
tmp=$(mktemp -d "${VORBIX_TEST_TMP:-${TMPDIR:-/tmp}}/vorbix-hkv-test.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
failures=0

# run ARGS...: runs the tool, leaving $out, $err and $rc.
run() {
    "$tool" "$@" >"$tmp/out" 2>"$tmp/err"
    rc=$?
    out=$(cat "$tmp/out")
    err=$(cat "$tmp/err")
}
fail() {
    echo "FAIL ($1): $2" >&2
    failures=$((failures + 1))
}
expect_rc() { [ "$rc" -eq "$2" ] || fail "$1" "exit status $rc, expected $2; stderr: $err"; }
expect_out() { [ "$out" == "$2" ] || fail "$1" "stdout was [$out], expected [$2]"; }
expect_err() { [ "$err" == "$2" ] || fail "$1" "stderr was [$err], expected [$2]"; }
expect_err_has() { [[ "$err" == *"$2"* ]] || fail "$1" "stderr [$err] lacks [$2]"; }
expect_one_error_line() {
    expect_rc "$1" 2
    [ -z "$out" ] || fail "$1" "stdout not empty: [$out]"
    [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "$1" "not one line on stderr: [$err]"
}
expect_file() { cmp -s "$2" "$3" || fail "$1" "$2 differs from $3: $(od -c "$2" | head -20)"; }

# A program folder with small language files (Windows-1252, as the program ships them).
mkdir -p prog/System/Localization
printf '[Main]\r\nAction5=Kopieren\r\nAction10=Text einf\374gen\r\nAction17=Datum/Zeit einf\374gen\r\nAction21=Webseite\r\nsNewText=(Kein Text)\r\nsNewDateTime=(Kein Format)\r\nsNewWebsite=(Keine Webseite)\r\n' \
    >prog/System/Localization/German.lng
printf '[Main]\r\nAction5=Copy\r\nAction10=Insert text\r\nsNewText=(No text)\r\n' \
    >prog/System/Localization/English.lng
de=(--program-folder prog)
en=(--program-folder prog --language English)

# A file as another program may leave it: comments, blanks, LF only, umlauts in Windows-1252.
printf '; exchanged table\n[General]\n Count = 4 \n[Hot Key1]\nHot Key=Strg+C\nAction=Kopieren\n\n[Hot Key2]\nHot Key=Win+\304\nAction=Text einf\374gen\nText1=<~NoFo~>Gr\374\337e<~Spa~>&<~Re~>\nCount=1\n[Hot Key3]\nHot Key=Alt+F4\nAction=Webseite\nURL=http://a.b/?x=<y>\nHowToOpen=Normal\nstray\n[Hot Key4]\nHot Key=F9\nAction=Datum/Zeit einf\374gen\n' >table.hkv
cp table.hkv table.orig

echo "== help and arguments"
run --help
expect_rc help 0
for word in list resave normalize html check --language --layout --program-folder; do
    [[ "$out" == *"$word"* ]] || fail help "no $word in the help text"
done
run
expect_one_error_line no-command
run frobnicate table.hkv
expect_one_error_line unknown-command
run --verbose list table.hkv
expect_one_error_line unknown-option
run "${de[@]}" resave table.hkv
expect_one_error_line missing-output
run --language French list table.hkv
expect_one_error_line bad-language

echo "== missing and unreadable files"
run "${de[@]}" list absent.hkv
expect_one_error_line missing-file
expect_err_has missing-file "absent.hkv"
mkdir folder.hkv
run "${de[@]}" list folder.hkv
expect_one_error_line folder-as-file
run "${de[@]}" normalize absent.hkv -o x.hkv
expect_one_error_line normalize-missing
[ ! -e x.hkv ] || fail normalize-missing "output written"
run --program-folder "$tmp/nowhere" list table.hkv
expect_one_error_line no-language-file
expect_err_has no-language-file "German.lng"
run "${de[@]}" resave table.hkv -o no/such/dir/out.hkv
expect_one_error_line unwritable-output

echo "== list"
run "${de[@]}" list table.hkv
expect_rc list 0
expect_err list ""
expect_out list "$(printf 'Strg+C\tKopieren\t\nWin+Ä\tText einfügen\tGrüße & \nAlt+F4\tWebseite\thttp://a.b/?x=<y> | Normal\nF9\tDatum/Zeit einfügen\t(Kein Format)')"
expect_file list-leaves-file table.hkv table.orig
# Rows keep their properties in another language; a missing value shows that language's
# placeholder (none in this English file).
run "${en[@]}" list table.hkv
expect_rc list-english 0
expect_out list-english "$(printf 'Strg+C\tKopieren\t\nWin+Ä\tText einfügen\tGrüße & \nAlt+F4\tWebseite\thttp://a.b/?x=<y> | Normal\nF9\tDatum/Zeit einfügen\t')"

echo "== resave, normalize, html"
run "${de[@]}" resave table.hkv -o resaved.hkv
expect_rc resave 0
printf '[Hot Key1]\r\nHot Key=Strg+C\r\nAction=Kopieren\r\n[Hot Key2]\r\nHot Key=Win+\304\r\nAction=Text einf\374gen\r\nText1=<~NoFo~>Gr\374\337e<~Spa~>&<~Re~>\r\nCount=1\r\n[Hot Key3]\r\nHot Key=Alt+F4\r\nAction=Webseite\r\nURL=http://a.b/?x=<y>\r\nHowToOpen=Normal\r\n[Hot Key4]\r\nHot Key=F9\r\nAction=Datum/Zeit einf\374gen\r\nDateTime=(Kein Format)\r\n[General]\r\nCount=4\r\n' >resaved.expected
expect_file resave resaved.hkv resaved.expected

run "${de[@]}" normalize table.hkv -o normal.hkv
expect_rc normalize 0
printf '[General]\r\nCount=4\r\n[Hot Key1]\r\nHot Key=Strg+C\r\nAction=Kopieren\r\n[Hot Key2]\r\nHot Key=Win+\304\r\nAction=Text einf\374gen\r\nText1=<~NoFo~>Gr\374\337e<~Spa~>&<~Re~>\r\nCount=1\r\n[Hot Key3]\r\nHot Key=Alt+F4\r\nAction=Webseite\r\nURL=http://a.b/?x=<y>\r\nHowToOpen=Normal\r\n[Hot Key4]\r\nHot Key=F9\r\nAction=Datum/Zeit einf\374gen\r\n' >normal.expected
expect_file normalize normal.hkv normal.expected
expect_file normalize-leaves-file table.hkv table.orig
# A UTF-16 file stays UTF-16.
printf '\377\376[\0G\0e\0n\0e\0r\0a\0l\0]\0\n\0' >u16.hkv
printf '\377\376[\0G\0e\0n\0e\0r\0a\0l\0]\0\r\0\n\0' >u16.expected
run normalize u16.hkv -o u16.out
expect_rc normalize-utf16 0
expect_file normalize-utf16 u16.out u16.expected

run "${de[@]}" html table.hkv -o table.html
expect_rc html 0
grep -q '<title>Hot Key-Verteilung</title>' table.html || fail html "German title missing"
grep -q 'http://a.b/?x=&lt;y&gt; | Normal</font></td>' table.html || fail html "escaped URL missing"
grep -q $'Gr\374\337e &amp; </font></td>\r$' table.html || fail html "Windows-1252 row text missing"

# A text (UTF-8) with line breaks, a Tab and an emoji reads as the editor shows it: one line, one space
# for each break and Tab, so the listing keeps its three columns.
printf '[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+T\r\nAction=Text einf\303\274gen\r\nText1=<~NoFo~><~Spa~>\360\237\230\200<~Re~>line2\ttab<~Spa~>\r\nCount=1\r\n' >digest.hkv
run "${de[@]}" list digest.hkv
expect_rc list-digest 0
expect_out list-digest "$(printf 'Strg+T\tText einfügen\t \360\237\230\200 line2 tab ')"
run "${de[@]}" html digest.hkv -o digest.html
grep -q $'> \360\237\230\200 line2 tab </font></td>\r$' digest.html || fail html-digest "$(grep -a line2 digest.html)"

echo "== check"
run "${de[@]}" check table.hkv
expect_rc check-clean 0
expect_err check-clean ""
expect_out check-clean ""
printf '[General]\r\nCount=6\r\n[Hot Key1]\r\nHot Key=Strg+C\r\nAction=Kopieren\r\n[Hot Key2]\r\nHot Key=Ctrl+X\r\nAction=Kopieren\r\n[Hot Key3]\r\nHot Key=strg+c\r\nAction=Copy\r\n[Hot Key4]\r\nHot Key=Win+M\r\nAction=Kopieren\r\n[Hot Key5]\r\nHot Key=\r\nAction=\r\n[Hot Key6]\r\nHot Key=Win+K\r\nAction=Kopie\r\n' >bad.hkv
run "${de[@]}" check bad.hkv
expect_rc check-problems 1
expect_out check-problems ""
# "Copy" is a caption of the English file: known whatever the language.
# Key texts of both layout groups read without --layout: Ctrl+X is a combination of its own.
expect_err check-problems "$(printf '%s\n' \
    'Hot Key3: "strg+c" is the same combination as Hot Key1 ("Strg+C")' \
    'Hot Key5: key text "" does not parse' \
    'Hot Key5: action "" names no action of any language' \
    'Hot Key6: action "Kopie" names no action of any language')"
# A table written on a US layout beside one written on a German layout: nothing to report,
# and the same combination in the words of each group is found twice.
printf '[General]\r\nCount=5\r\n[Hot Key1]\r\nHot Key=Ctrl+Alt+T\r\nAction=Kopieren\r\n[Hot Key2]\r\nHot Key=Ctrl+Shift+PgUp\r\nAction=Kopieren\r\n[Hot Key3]\r\nHot Key=Alt+Num Del\r\nAction=Kopieren\r\n[Hot Key4]\r\nHot Key=Strg+Shift+Pos1\r\nAction=Kopieren\r\n[Hot Key5]\r\nHot Key=Strg+Shift+BildAuf\r\nAction=Kopieren\r\n' >groups.hkv
for options in "${de[*]}" "${en[*]}"; do
    # shellcheck disable=SC2086
    run $options check groups.hkv
    expect_rc "check-groups $options" 1
    expect_err "check-groups $options" 'Hot Key5: "Strg+Shift+BildAuf" is the same combination as Hot Key2 ("Ctrl+Shift+PgUp")'
done
# --layout is still taken.
run "${de[@]}" --layout english check bad.hkv
expect_rc check-layout 1
[[ "$err" != *'"Ctrl+X" does not parse'* ]] || fail check-layout "Ctrl+X refused with English keys"
expect_err_has check-layout 'Hot Key6: action "Kopie" names no action of any language'
run "${en[@]}" check bad.hkv
[[ "$err" != *'"Ctrl+X" does not parse'* ]] || fail check-english "Ctrl+X refused with English keys"
[[ "$err" != *'"Kopieren"'* ]] || fail check-english "a German caption reported in English: $err"
expect_err_has check-english 'Hot Key6: action "Kopie" names no action of any language'
{
    printf '[General]\r\nCount=300\r\n'
    for i in $(seq 1 300); do printf '[Hot Key%d]\r\nHot Key=Strg+Alt+F%d\r\nAction=Kopieren\r\n' "$i" $((i % 24 + 1)); done
} >big.hkv
run "${de[@]}" check big.hkv
expect_rc check-capacity 1
expect_err_has check-capacity "44 rows beyond 256 are left out"
run "${de[@]}" list big.hkv
[ "$(wc -l <"$tmp/out")" -eq 256 ] || fail list-capacity "not 256 lines"

echo "== language files beside the executable"
printf '[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Win+M\r\nAction=Alles minimieren\r\n' >shipped.hkv
run check shipped.hkv
expect_rc shipped-language-file 0
expect_err shipped-language-file ""

echo "== every property in every language"
every_kind_table /usr/bin/xterm '-e top' | iconv -f UTF-8 -t WINDOWS-1252 >german.hkv
run --language English resave german.hkv -o english.hkv
expect_rc resave-english 0
expect_file resave-english english.hkv german.hkv
run --language English list german.hkv
expect_rc list-all-english 0
[[ "$out" == *$'Strg+F3\tBenutzerdefiniertes Programm\t/usr/bin/xterm -e top | Maximiert'* ]] ||
    fail list-all-english "program row without properties: $out"
[[ "$out" == *$'Win+Z\tZaubern\t'* ]] || fail list-all-english "unknown row missing: $out"
# Without the English file the German rows are still known, by the German file and by the
# captions built into the program.
mkdir -p noenglish/System/Localization
run --program-folder noenglish --language English resave german.hkv -o x.hkv
expect_one_error_line no-english-file
cp "$(dirname "$tool")/System/Localization/German.lng" noenglish/System/Localization/
run --program-folder noenglish resave german.hkv -o nogerman-file.hkv
expect_rc resave-german-only 0
expect_file resave-german-only nogerman-file.hkv german.hkv
# The same table as UTF-8 without a mark, as a Linux editor saves it: umlauts read right,
# properties kept, and written back in UTF-8.
every_kind_table /usr/bin/xterm '-e top' >utf8.hkv
run --language English list utf8.hkv
expect_rc list-utf8 0
[[ "$out" == *$'Strg+Alt+F4\tDVD-Laufwerk öffnen/schließen\tD:'* ]] || fail list-utf8 "umlauts or properties lost: $out"
run resave utf8.hkv -o utf8-resaved.hkv
expect_rc resave-utf8 0
expect_file resave-utf8 utf8-resaved.hkv utf8.hkv

echo "== files that are no hot key table"
# name|bytes (printf format)|reason check names
head -c 20000 /dev/urandom >random.bin
cp "$(command -v ls)" program.bin
printf '[Settings]\r\nLanguage=English\r\n' >config.ini
printf '\357\273\277[General]\r\nCount=0\r\nHot Key=\377\376\r\n' >broken-utf8.hkv
printf 'just a note, no sections\r\n' >note.txt
truncate -s 17M huge.hkv
while IFS='|' read -r name reason; do
    cp "$name" "$name.orig"
    run "${de[@]}" check "$name"
    expect_rc "check-$name" 1
    expect_err_has "check-$name" "$name: not a hot key table ($reason)"
    for command in list resave normalize html translate; do
        out_args=(-o "out-$name")
        [ "$command" = list ] && out_args=()
        [ "$command" = translate ] && out_args+=(--to English)
        run "${de[@]}" "$command" "$name" "${out_args[@]}"
        expect_one_error_line "$command-$name"
        expect_err_has "$command-$name" "not a hot key table"
        [ -e "out-$name" ] && fail "$command-$name" "wrote out-$name"
    done
    expect_file "unchanged-$name" "$name" "$name.orig"
done <<'CASES'
random.bin|binary data, not text
program.bin|binary data, not text
config.ini|no section of its kind
broken-utf8.hkv|not text in an encoding that can be read
note.txt|no section of its kind
huge.hkv|larger than 16 MB
CASES
# An empty table is still a table.
printf '[General]\r\nCount=0\r\n' >empty.hkv
run "${de[@]}" check empty.hkv
expect_rc check-empty-table 0
run "${de[@]}" list empty.hkv
expect_rc list-empty-table 0

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all vorbix-hkv checks passed"
