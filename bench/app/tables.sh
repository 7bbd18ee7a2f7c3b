# Hot key tables for the app benchmark. Row 1 of each is a program row on Strg+F5 that starts
# `touch FIRED`; the other rows get combinations of their own, as in a real table (a combination
# that is taken twice would not be registered twice).

# bench_key R: the combination of row R (R >= 2): six modifier sets times 48 keys.
bench_key() {
    local i=$(($1 - 2))
    local mods=("Strg+Alt+" "Strg+Shift+Alt+" "Shift+Alt+" "Win+Alt+" "Win+Strg+" "Win+Shift+")
    local keys=({A..Z} {0..9} F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12)
    echo "${mods[$((i / 48 % 6))]}${keys[$((i % 48))]}"
}

program_row() {
    printf '[Hot Key1]\r\nHot Key=Strg+F5\r\nAction=Benutzerdefiniertes Programm\r\n'
    printf 'Program=/usr/bin/touch<~F~>\r\nParameter=%s\r\nHowToOpen=Normal\r\n' "$1"
}

# plain_table FILE ROWS FIRED: the program row and ROWS-1 rows that copy (no properties).
plain_table() {
    local file=$1 rows=$2 fired=$3 r
    {
        printf '[General]\r\nCount=%d\r\n' "$rows"
        program_row "$fired"
        for ((r = 2; r <= rows; r++)); do
            printf '[Hot Key%d]\r\nHot Key=%s\r\nAction=Kopieren\r\n' "$r" "$(bench_key "$r")"
        done
    } >"$file"
}

# full_table FILE ROWS FIRED: the program row and ROWS-1 insert-text rows whose texts are
# formatted documents stored in about 8.5 KB each, as the program stores them: one line with
# "<~Spa~>" for spaces and "<~Re~>" for line breaks, cut into pieces of at most 100 characters.
# 256 rows make about 2.2 MB, the largest table the format holds in practice.
full_table() {
    local file=$1 rows=$2 fired=$3 r
    {
        printf '[General]\r\nCount=%d\r\n' "$rows"
        program_row "$fired"
        for ((r = 2; r <= rows; r++)); do echo "$(bench_key "$r")"; done |
            awk -v first=2 'BEGIN { ORS = "\r\n"; r = first - 1 } {
            r++
            rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}{\\f1\\fnil\\fcharset0 Arial;}}\n{\\colortbl ;\\red255\\green0\\blue0;}\n\\viewkind4\\uc1"
            for (p = 0; length(rtf) * 2.1 < 8500; p++)
                rtf = rtf "\\pard\\f0\\fs20 Absatz " p " von Zeile " r ": \\b fett\\b0 , \\i kursiv\\i0 , \\cf1 rot\\cf0 und Umlaute \\'"'"'e4\\'"'"'f6\\'"'"'fc\\'"'"'df mit etwas mehr Text, damit die Zeile lang wird.\\par\n"
            rtf = rtf "}"
            gsub(/\n/, "\r\n", rtf)
            value = "<~Form~>" rtf
            gsub(/\r\n/, "<~Re~>", value)
            gsub(/ /, "<~Spa~>", value)
            print "[Hot Key" r "]"
            print "Hot Key=" $0
            print "Action=Text einfügen"
            n = 0
            for (i = 1; i <= length(value); i += 100) print "Text" (++n) "=" substr(value, i, 100)
            print "Count=" n
        }' | iconv -f UTF-8 -t WINDOWS-1252
    } >"$file"
}
