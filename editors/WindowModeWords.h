// The window modes of the program and website editors and the words a row stores for them:
// "Normal", and the words for maximised and minimised of the language current when the row was
// stored ("Maximiert" or "Maximized", "Minimiert" or "Minimized").
#pragma once

#include <string>
#include <string_view>

#include "editors/EditorTexts.h"

namespace vorbix {

// The entries of the editors' window mode lists, in list order.
enum class WindowModeEntry { Normal = 0, Maximized = 1, Minimized = 2 };

// The mode a stored word names in any language; Normal for an empty or unknown word.
WindowModeEntry windowModeOfWord(std::string_view word, const EditorTexts& texts);
// The word OK stores for `mode`: that of the current language.
std::string windowModeWord(WindowModeEntry mode, const LanguageTexts& current);

}  // namespace vorbix
