// How windows get their texts: each window reads its section of the current language file when
// it is created and again after every change of language (SetLanguage). The file is read anew
// on each call, so a window always shows the file as it is now.
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
    virtual LanguageFile file() const = 0;
};

}  // namespace vorbix
