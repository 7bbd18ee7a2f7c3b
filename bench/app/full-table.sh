# full_table FILE ROWS: writes a hot key table of ROWS insert-text rows (Strg+Alt+Umschalt+F1 ...)
# whose texts are formatted documents stored in about 8.5 KB each, as the program stores
# them: one line with "<~Spa~>" for spaces and "<~Re~>" for line breaks, cut into pieces of at most
# 100 characters. The first row is a program row on Strg+F5 that starts `touch FIRED`.
full_table() {
    local file=$1 rows=$2 fired=$3
    awk -v rows="$rows" -v fired="$fired" 'BEGIN {
        ORS = "\r\n"
        print "[General]"; print "Count=" rows
        print "[Hot Key1]"; print "Hot Key=Strg+F5"; print "Action=Benutzerdefiniertes Programm"
        print "Program=/usr/bin/touch<~F~>"; print "Parameter=" fired; print "HowToOpen=Normal"
        for (r = 2; r <= rows; r++) {
            rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}{\\f1\\fnil\\fcharset0 Arial;}}\n{\\colortbl ;\\red255\\green0\\blue0;}\n\\viewkind4\\uc1"
            for (p = 0; length(rtf) * 2.1 < 8500; p++)
                rtf = rtf "\\pard\\f0\\fs20 Absatz " p " von Zeile " r ": \\b fett\\b0 , \\i kursiv\\i0 , \\cf1 rot\\cf0 und Umlaute \\'e4\\'f6\\'fc\\'df mit etwas mehr Text, damit die Zeile lang wird.\\par\n"
            rtf = rtf "}"
            gsub(/\n/, "\r\n", rtf)
            value = "<~Form~>" rtf
            gsub(/\r\n/, "<~Re~>", value)
            gsub(/ /, "<~Spa~>", value)
            print "[Hot Key" r "]"
            print "Hot Key=Strg+Alt+Umschalt+F" ((r % 12) + 1)
            print "Action=Text einfügen"
            n = 0
            for (i = 1; i <= length(value); i += 100) print "Text" (++n) "=" substr(value, i, 100)
            print "Count=" n
        }
    }' | iconv -f UTF-8 -t WINDOWS-1252 >"$file"
}
