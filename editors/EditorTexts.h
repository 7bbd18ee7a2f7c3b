// The language texts an editor model compares stored values with: those of the current
// language, and those of every language the program ships, since a row keeps the words of the
// language it was stored in (a placeholder or a window-mode word of another language).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/LanguageCatalogue.h"
#include "core/LanguageTexts.h"

namespace vorbix {

struct EditorTexts {
    LanguageTexts current;
    // The words of every language the program knows (read once at start).
    const LanguageCatalogue* languages = &LanguageCatalogue::builtIn();

    // Whether `value` is the text `which` (a placeholder, a mode word) of any language; never for
    // an empty text.
    bool anyLanguageHas(std::string_view value, std::string LanguageTexts::*which) const;
};

}  // namespace vorbix
