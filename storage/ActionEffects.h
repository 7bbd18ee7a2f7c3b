// The effects of the insert-text and insert-date/time actions: what goes on the clipboard and
// into the focused window when their hot key is pressed.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "core/HotKeyTable.h"
#include "core/LanguageTexts.h"
#include "core/Ports.h"

namespace vorbix {

// The current date or time in a stored format: "DD", "MM", "YYYY" of a date format, or
// "hh", "mm", "ss" of a time format; every other character stands as it is.
std::string formatDateTime(std::string_view format, const std::tm& time);

void runInsertText(const HotKeyEntry& row, const LanguageTexts& texts, ClipboardInserter& clipboard,
                   bool keepClipboard);
void runInsertDateTime(const HotKeyEntry& row, const LanguageTexts& texts,
                       ClipboardInserter& clipboard, bool keepClipboard, std::time_t now);

}  // namespace vorbix
