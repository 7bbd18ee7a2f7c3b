#include "editors/WindowModeWords.h"

#include "core/HotKeyTable.h"

namespace vorbix {

WindowModeEntry windowModeOfWord(std::string_view word, const EditorTexts& texts) {
    if (word.empty()) return WindowModeEntry::Normal;
    if (texts.anyLanguageHas(word, &LanguageTexts::sMaximized)) return WindowModeEntry::Maximized;
    if (texts.anyLanguageHas(word, &LanguageTexts::sMinimized)) return WindowModeEntry::Minimized;
    return WindowModeEntry::Normal;
}

std::string windowModeWord(WindowModeEntry mode, const LanguageTexts& current) {
    switch (mode) {
        case WindowModeEntry::Maximized:
            return current.sMaximized;
        case WindowModeEntry::Minimized:
            return current.sMinimized;
        case WindowModeEntry::Normal:
            break;
    }
    return std::string(kNormalMode);
}

}  // namespace vorbix
