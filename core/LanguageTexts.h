// The program-wide texts of the current language that the table and the dispatcher compare
// against: the 33 action captions, the placeholders and the window-mode words. The main window's
// language step fills them from section "Main" of the language file.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/ActionCatalogue.h"

namespace vorbix {

inline constexpr std::string_view kGerman = "German";
inline constexpr std::string_view kEnglish = "English";

struct LanguageTexts {
    std::string language = std::string(kGerman);  // "German" or "English"
    std::array<std::string, kActionKindCount> actionCaptions;
    std::string sNewProgramDir, sNewDrive, sNewKeyComb, sNewWebsite, sNewText, sNewVolume,
        sNewAudioVideo, sNewBrowserControl, sNewProvider, sNewDateTime, sNewHide, sNewShow;
    std::string sMaximized, sMinimized;

    bool isGerman() const { return language == kGerman; }
    const std::string& placeholder(Placeholder p) const;
    const std::string& caption(ActionKind kind) const { return actionCaptions[toIndex(kind)]; }
    // The first kind whose caption equals the text exactly; none for an empty text.
    std::optional<ActionKind> kindOf(std::string_view actionText) const;

    // Fills every text from section "Main" through `lookup` (key -> value, empty when missing).
    static LanguageTexts fromSection(std::string_view language,
                                     const std::function<std::string(std::string_view)>& lookup);
};

}  // namespace vorbix
