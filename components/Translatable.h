// How windows get their texts: each window takes its section of the current language file when
// it is created and again after every change of language (SetLanguage). The file is read once
// when its language is chosen and held in memory, so opening a window (a hot key that shows the
// search window, say) never waits for the disk.
#pragma once

#include <string>

#include "storage/LanguageFile.h"

namespace vorbix {

class Translatable {
public:
    virtual ~Translatable() = default;
    // Sets every caption, list entry and held text of the window from `section` of the current
    // language file; a missing key gives an empty text.
    virtual void SetLanguage(const std::string& section) = 0;
};

// The current language and its file.
class LanguageSource {
public:
    virtual ~LanguageSource() = default;
    // "German" or "English".
    virtual std::string language() const = 0;
    // The file of the current language, read when the language was chosen; the reference stays
    // valid until the next choice.
    virtual const LanguageFile& file() const = 0;
};

}  // namespace vorbix
