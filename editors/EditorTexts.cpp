#include "editors/EditorTexts.h"

namespace vorbix {

bool EditorTexts::anyLanguageHas(std::string_view value, std::string LanguageTexts::*which) const {
    if (value.empty()) return false;
    if (current.*which == value) return true;
    for (const LanguageWords& words : languages->languages()) {
        if (words.main.*which == value) return true;
    }
    return false;
}

}  // namespace vorbix
