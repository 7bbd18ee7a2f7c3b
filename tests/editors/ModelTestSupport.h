// Shared pieces of the editor model tests: a catalogue of languages and a row with a stored value.
#pragma once

#include <initializer_list>
#include <string>

#include "core/HotKeyTable.h"
#include "editors/EditorTexts.h"

namespace vorbix::test {

inline LanguageCatalogue catalogueOf(std::initializer_list<LanguageWords> languages) {
    LanguageCatalogue c;
    for (const LanguageWords& words : languages) c.add(words);
    return c;
}

inline HotKeyEntry rowWith(const std::string& properties) {
    HotKeyEntry row;
    row.PropertiesText = properties;
    return row;
}

}  // namespace vorbix::test
