// Language texts for tests that need no language file: the German captions of the catalogue and
// recognisable placeholders.
#pragma once

#include <string>

#include "core/LanguageTexts.h"

namespace vorbix::testing {

inline LanguageTexts germanTestTexts() {
    LanguageTexts t;
    t.language = "German";
    for (const ActionInfo& info : actionCatalogue()) {
        t.actionCaptions[toIndex(info.kind)] = std::string(info.germanCaption);
    }
    t.sNewProgramDir = "<Programm wählen>";
    t.sNewDrive = "<Laufwerk wählen>";
    t.sNewKeyComb = "<Tasten wählen>";
    t.sNewWebsite = "<Webseite wählen>";
    t.sNewText = "<Text eingeben>";
    t.sNewVolume = "<Lautstärke wählen>";
    t.sNewAudioVideo = "<Befehl wählen>";
    t.sNewBrowserControl = "<Browserbefehl wählen>";
    t.sNewProvider = "<Anbieter wählen>";
    t.sNewDateTime = "<Format wählen>";
    t.sNewHide = "<Fenster verstecken>";
    t.sNewShow = "<Fenster zeigen>";
    return t;
}

}  // namespace vorbix::testing
