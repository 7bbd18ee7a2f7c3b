// The German and English words the editor models compare stored values with, as the language
// files give them, without reading the files.
#pragma once

#include "editors/EditorTexts.h"

namespace vorbix::test {

inline LanguageTexts germanTexts() {
    LanguageTexts t;
    t.language = "German";
    t.actionCaptions[2] = "Bestimmte Fenster verstecken";
    t.actionCaptions[3] = "Verstecke Fenster einblenden";
    t.actionCaptions[4] = "Benutzerdefiniertes Programm";
    t.actionCaptions[11] = "Lautstärke regeln";
    t.actionCaptions[17] = "Datum/Zeit einfügen";
    t.sNewProgramDir = "(Kein Programm/Verzeichnis gewählt)";
    t.sNewVolume = "(Keine Lautstärkeänderung festgelegt)";
    t.sNewDateTime = "(Kein Format gewählt)";
    t.sNewHide = "(Keine Schlagwörter angegeben)";
    t.sNewShow = "(Keine Schlagwörter zum Einblenden angegeben)";
    t.sMaximized = "Maximiert";
    t.sMinimized = "Minimiert";
    return t;
}

inline LanguageTexts englishTexts() {
    LanguageTexts t;
    t.language = "English";
    t.actionCaptions[2] = "Hide certain windows";
    t.actionCaptions[3] = "Show hidden windows";
    t.actionCaptions[4] = "Custom program";
    t.actionCaptions[11] = "Adjust volume";
    t.actionCaptions[17] = "Insert date/time";
    t.sNewProgramDir = "(No program or folder chosen)";
    t.sNewVolume = "(No volume change set)";
    t.sNewDateTime = "(No format chosen)";
    t.sNewHide = "(No keywords given)";
    t.sNewShow = "(No keywords given for showing)";
    t.sMaximized = "Maximized";
    t.sMinimized = "Minimized";
    return t;
}

inline const LanguageCatalogue& twoLanguages() {
    static const LanguageCatalogue catalogue = [] {
        LanguageCatalogue c;
        LanguageWords german;
        german.main = germanTexts();
        german.mute = "Stumm/Laut";
        c.add(german);
        LanguageWords english;
        english.main = englishTexts();
        english.mute = "Mute/Unmute";
        c.add(english);
        return c;
    }();
    return catalogue;
}

// The texts an editor sees while `current` is the language.
inline EditorTexts editorTexts(const LanguageTexts& current) {
    return {current, &twoLanguages()};
}

}  // namespace vorbix::test
