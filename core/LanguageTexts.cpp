#include "core/LanguageTexts.h"

namespace vorbix {

const std::string& LanguageTexts::placeholder(Placeholder p) const {
    static const std::string empty;
    switch (p) {
        case Placeholder::None:
            return empty;
        case Placeholder::NewHide:
            return sNewHide;
        case Placeholder::NewShow:
            return sNewShow;
        case Placeholder::NewProgramDir:
            return sNewProgramDir;
        case Placeholder::NewDrive:
            return sNewDrive;
        case Placeholder::NewKeyComb:
            return sNewKeyComb;
        case Placeholder::NewText:
            return sNewText;
        case Placeholder::NewVolume:
            return sNewVolume;
        case Placeholder::NewAudioVideo:
            return sNewAudioVideo;
        case Placeholder::NewBrowserControl:
            return sNewBrowserControl;
        case Placeholder::NewProvider:
            return sNewProvider;
        case Placeholder::NewDateTime:
            return sNewDateTime;
        case Placeholder::NewWebsite:
            return sNewWebsite;
    }
    return empty;
}

std::optional<ActionKind> LanguageTexts::kindOf(std::string_view actionText) const {
    if (actionText.empty()) return std::nullopt;
    for (int i = 0; i < kActionKindCount; ++i) {
        if (actionCaptions[i] == actionText) return static_cast<ActionKind>(i);
    }
    return std::nullopt;
}

LanguageTexts LanguageTexts::fromSection(
    std::string_view language, const std::function<std::string(std::string_view)>& lookup) {
    LanguageTexts t;
    t.language = std::string(language);
    for (const ActionInfo& info : actionCatalogue()) {
        t.actionCaptions[toIndex(info.kind)] = lookup(info.languageKey);
    }
    t.sNewProgramDir = lookup("sNewProgramDir");
    t.sNewDrive = lookup("sNewDrive");
    t.sNewKeyComb = lookup("sNewKeyComb");
    t.sNewWebsite = lookup("sNewWebsite");
    t.sNewText = lookup("sNewText");
    t.sNewVolume = lookup("sNewVolume");
    t.sNewAudioVideo = lookup("sNewAudioVideo");
    t.sNewBrowserControl = lookup("sNewBrowserControl");
    t.sNewProvider = lookup("sNewProvider");
    t.sNewDateTime = lookup("sNewDateTime");
    t.sNewHide = lookup("sNewHide");
    t.sNewShow = lookup("sNewShow");
    t.sMaximized = lookup("sMaximized");
    t.sMinimized = lookup("sMinimized");
    return t;
}

}  // namespace vorbix
