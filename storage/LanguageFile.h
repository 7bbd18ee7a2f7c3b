// The language files: "System/Localization/German.lng" and "English.lng" below the program
// folder, INI-style text that supplies every text the user sees. A window reads its section
// anew each time it applies the language; a missing file, section or key gives the empty text
// and is never reported to the user.
#pragma once

#include <string>
#include <string_view>

#include "core/LanguageCatalogue.h"
#include "core/LanguageTexts.h"
#include "storage/IniFile.h"

namespace vorbix {

class LanguageFile {
public:
    LanguageFile() = default;

    // The file of `language` below `programFolder` (which ends in "/"): "English" selects
    // English.lng, every other text German.lng, as only "English" selects English.
    static std::string pathFor(std::string_view programFolder, std::string_view language);

    // Reads and decodes the whole file (a byte-order mark selects UTF-8 or UTF-16, otherwise
    // Windows-1252). A missing or unreadable file gives a file without sections; `error()` then
    // tells why, for diagnostics only.
    static LanguageFile load(const std::string& path);
    static LanguageFile load(std::string_view programFolder, std::string_view language);
    static LanguageFile fromText(std::string_view text);

    // The value of `key` in `section` (names compared without regard to case, the first of two
    // equal sections or keys counts); "" when the section or key is missing.
    std::string text(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const { return ini_.hasSection(section); }

    // The program-wide texts of section "Main": action captions, placeholders and window-mode
    // words, for `language`.
    LanguageTexts mainTexts(std::string_view language) const;
    // Every word of the file that rows store: the texts of section "Main", the browser and
    // media command lists and the mute text.
    LanguageWords storedWords(std::string_view language) const;

    const IniFile& ini() const { return ini_; }
    // Empty unless the file existed but could not be read.
    const std::string& error() const { return error_; }

    // The words of every language file in "System/Localization/" below `programFolder`, read
    // once: German.lng, English.lng, then any further ".lng" in the order of their names, each
    // named after its file. A missing or unreadable file is left out; the catalogue still knows
    // the words built into the program.
    static LanguageCatalogue loadCatalogue(std::string_view programFolder);

private:
    IniFile ini_;
    std::string error_;
};

}  // namespace vorbix
