#include "storage/IniFile.h"

#include <cerrno>

#include "core/TextUtil.h"

namespace vorbix {

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    Section* current = nullptr;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trimmed(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            ini.sections_.push_back({trim(line.substr(1, line.size() - 2)), {}});
            current = &ini.sections_.back();
            continue;
        }
        if (!current) continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos) {
            current->lines.push_back({std::string(line), {}, false});
        } else {
            current->lines.push_back({trim(line.substr(0, eq)), trim(line.substr(eq + 1)), true});
        }
    }
    return ini;
}

std::optional<IniFile> IniFile::load(const std::string& path, std::string* error) {
    std::string readError;
    const std::optional<std::string> bytes = readWholeFile(path, &readError);
    if (!bytes) {
        if (!fileExists(path) && !directoryExists(path)) return IniFile{};
        if (error) *error = readError;
        return std::nullopt;
    }
    DecodedText decoded = decodeText(*bytes);
    IniFile ini = parse(decoded.text);
    ini.encoding_ = decoded.encoding;
    return ini;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    for (const Section& s : sections_) {
        if (equalsIgnoreCase(s.name, name)) return &s;
    }
    return nullptr;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    for (Section& s : sections_) {
        if (equalsIgnoreCase(s.name, name)) return &s;
    }
    return nullptr;
}

std::optional<std::string> IniFile::Section::value(std::string_view key) const {
    for (const Line& line : lines) {
        if (line.hasValue && equalsIgnoreCase(line.key, key)) return line.value;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    return s ? s->value(key) : std::nullopt;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    std::optional<std::string> v = value(section, key);
    return v ? *v : std::string(fallback);
}

bool IniFile::hasSection(std::string_view section) const {
    return findSection(section) != nullptr;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    // Values are single-line: a line break would start a new line of the file.
    std::string clean(value);
    for (char& ch : clean) {
        if (ch == '\r' || ch == '\n') ch = ' ';
    }
    Section* s = findSection(section);
    if (!s) {
        sections_.push_back({std::string(section), {}});
        s = &sections_.back();
    }
    for (Line& line : s->lines) {
        if (line.hasValue && equalsIgnoreCase(line.key, key)) {
            line.value = std::move(clean);
            return;
        }
    }
    s->lines.push_back({std::string(key), std::move(clean), true});
}

void IniFile::eraseKey(std::string_view section, std::string_view key) {
    Section* s = findSection(section);
    if (!s) return;
    std::erase_if(s->lines, [&](const Line& line) {
        return line.hasValue && equalsIgnoreCase(line.key, key);
    });
}

std::string IniFile::serialize(IniStyle style) const {
    std::string out;
    for (const Section& s : sections_) {
        out += '[';
        out += s.name;
        out += "]\r\n";
        for (const Line& line : s.lines) {
            if (!line.hasValue) {
                if (style == IniStyle::Config) {
                    out += line.key;
                    out += "\r\n";
                }
                continue;
            }
            out += line.key;
            out += '=';
            out += line.value;
            out += "\r\n";
        }
        if (style == IniStyle::Config) out += "\r\n";
    }
    return out;
}

FileResult IniFile::save(const std::string& path, IniStyle style,
                         const WriteOptions& options) const {
    return writeFileAtomically(path, encodeText(serialize(style), encoding_), options);
}

}  // namespace vorbix
