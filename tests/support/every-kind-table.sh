# every_kind_table PROGRAM PARAMETER: prints, in UTF-8 with CR LF lines, a German hot key table in
# the layout the program writes: a row of every kind that has properties (the program row starts
# PROGRAM with PARAMETER on Strg+F3), then a row whose caption no language knows, with keys of its
# own in its own order. Saving it again in any language must give the same bytes.
every_kind_table() {
    local rows=(
        '[Hot Key1]' 'Hot Key=Strg+F1' 'Action=Bestimmte Fenster verstecken' 'Window=Editor|Rechner|'
        '[Hot Key2]' 'Hot Key=Strg+F2' 'Action=Verstecke Fenster einblenden' 'Window=Notepad|'
        '[Hot Key3]' 'Hot Key=Strg+F3' 'Action=Benutzerdefiniertes Programm'
        "Program=$1<~F~>" "Parameter=$2" 'HowToOpen=Maximiert'
        '[Hot Key4]' 'Hot Key=Strg+Alt+F4' 'Action=DVD-Laufwerk öffnen/schließen' 'OpenCloseDrives=D:'
        '[Hot Key5]' 'Hot Key=Strg+F5' 'Action=Tastenkombination simulieren' 'KeyComb=Strg+Alt+X'
        '[Hot Key6]' 'Hot Key=Strg+F6' 'Action=Text einfügen'
        "Text1=<~T~><~NoFo~>$(printf 'x%.0s' $(seq 87))" 'Text2=<~Spa~>Grüße<~Re~>Ende' 'Count=2'
        'TextTail=9'
        '[Hot Key7]' 'Hot Key=Strg+F7' 'Action=Lautstärke regeln' 'Volume=Stumm/Laut'
        'Settings=alsa_output.pci.analog-stereo'
        '[Hot Key8]' 'Hot Key=Strg+F8' 'Action=Audio/Video-Wiedergabe steuern' 'AudioVideo=Vorwärts'
        '[Hot Key9]' 'Hot Key=Strg+F9' 'Action=Browser steuern' 'BrowserControl=Neu laden'
        '[Hot Key10]' 'Hot Key=Strg+F10' 'Action=Im Internet suchen' 'Provider=Google'
        '[Hot Key11]' 'Hot Key=Strg+F11' 'Action=Datum/Zeit einfügen' 'DateTime=DD.MM.YYYY'
        '[Hot Key12]' 'Hot Key=Strg+F12' 'Action=Webseite' 'URL=https://example.org/?a=1'
        'HowToOpen=Minimiert'
        '[Hot Key13]' 'Action=Zaubern' 'Hot Key=Win+Z' 'Zauberspruch=Abra kadabra' 'Stärke=9'
        'Action=zweimal'
        '[General]' 'Count=13'
    )
    printf '%s\r\n' "${rows[@]}"
}
