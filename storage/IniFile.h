// One INI engine for the three file kinds: the configuration file, the hot key file and the
// language files. Reading is the same for all of them: lines are trimmed, empty lines, comment
// lines (";") and lines before the first section are dropped, a key is the text before the first
// "=" and both sides are trimmed, names match without regard to letter case and the first of
// two equal sections or keys counts. They differ in writing, which `IniStyle` selects.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/AtomicFile.h"
#include "storage/TextCodec.h"

namespace vorbix {

enum class IniStyle {
    // Configuration file: an empty line after every section; lines the program does not know
    // (other keys, lines without "=") survive in place.
    Config,
    // Hot key file: sections one after the other without empty lines; lines without "=" are
    // dropped.
    HotKeys,
};

class IniFile {
public:
    struct Line {
        std::string key;  // the whole line when !hasValue
        std::string value;
        bool hasValue = true;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
        // The first value of the key (letter case ignored); nullopt when there is none.
        std::optional<std::string> value(std::string_view key) const;
    };

    IniFile() = default;
    static IniFile parse(std::string_view text);
    // Reads and decodes a file. A missing file gives an empty document and is not an error;
    // an unreadable one gives nullopt and the system's message in `error`.
    static std::optional<IniFile> load(const std::string& path, std::string* error = nullptr);

    // The value, or nullopt when the section or key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback = {}) const;
    bool hasSection(std::string_view section) const;

    // Sets the value of the first matching key; a new key goes to the end of its section, a new
    // section to the end of the file.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void eraseKey(std::string_view section, std::string_view key);

    std::string serialize(IniStyle style) const;
    // Serialises, encodes in the document's encoding and writes atomically.
    FileResult save(const std::string& path, IniStyle style,
                    const WriteOptions& options = {}) const;

    const std::vector<Section>& sections() const { return sections_; }
    TextEncoding encoding() const { return encoding_; }
    void setEncoding(TextEncoding encoding) { encoding_ = encoding; }

private:
    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);

    std::vector<Section> sections_;
    TextEncoding encoding_ = TextEncoding::Windows1252;
};

}  // namespace vorbix
