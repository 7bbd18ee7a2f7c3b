#include "storage/HotKeyFile.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "core/TextUtil.h"
#include "storage/IniFile.h"
#include "storage/InsertTextDigest.h"
#include "storage/InsertTextPieces.h"

namespace vorbix {

namespace {

constexpr std::string_view kGeneral = "General";
constexpr std::string_view kCount = "Count";
constexpr std::string_view kRowPrefix = "Hot Key";
constexpr std::string_view kHotKeyKey = "Hot Key";
constexpr std::string_view kActionKey = "Action";
constexpr std::string_view kTextKey = "Text";
constexpr std::string_view kTextHeadKey = "TextHead";
constexpr std::string_view kTextTailKey = "TextTail";

std::string rowSectionName(size_t number) {
    return std::string(kRowPrefix) + std::to_string(number);
}

// The sections of a parsed file by folded name; the first of two equal names counts.
class SectionIndex {
public:
    explicit SectionIndex(const IniFile& ini) {
        for (const IniFile::Section& s : ini.sections())
            sections_.try_emplace(foldCase(s.name), &s);
    }
    const IniFile::Section* find(std::string_view name) const {
        const auto it = sections_.find(foldCase(name));
        return it == sections_.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<std::string, const IniFile::Section*> sections_;
};

// A key's value in a section; empty when the section or the key is missing.
std::string valueIn(const IniFile::Section* section, std::string_view key) {
    return section ? section->value(key).value_or("") : "";
}

bool hasKey(const IniFile::Section* section, std::string_view key) {
    return section && section->value(key).has_value();
}

// The pieces "Text1" ... "Text<count>" of a kind-10 section joined in order. Only keys that are
// there are looked at, so a huge count costs nothing.
std::string joinTextPieces(const IniFile::Section* section, int32_t count) {
    if (!section || count <= 0) return {};
    // Pieces are normally stored in order; a file edited by hand may have them in any order
    // (and a number twice: the first one counts).
    std::vector<std::pair<int32_t, const std::string*>> pieces;
    size_t length = 0;
    for (const IniFile::Line& line : section->lines) {
        if (!line.hasValue || line.key.size() <= kTextKey.size() ||
            !startsWithIgnoreCase(line.key, kTextKey)) {
            continue;
        }
        const std::string_view digits = std::string_view(line.key).substr(kTextKey.size());
        // The writer numbers the pieces in plain decimal: no sign, no leading zero.
        if (digits[0] < '1' || digits[0] > '9' || digits.size() > 10 ||
            !std::all_of(digits.begin(), digits.end(),
                         [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        const std::optional<int32_t> n = parseInteger(digits);
        if (n && *n <= count) {
            pieces.emplace_back(*n, &line.value);
            length += line.value.size();
        }
    }
    auto byNumber = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (!std::is_sorted(pieces.begin(), pieces.end(), byNumber)) {
        std::stable_sort(pieces.begin(), pieces.end(), byNumber);
    }
    std::string joined;
    joined.reserve(length);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i == 0 || pieces[i].first != pieces[i - 1].first) joined += *pieces[i].second;
    }
    return joined;
}

// "Text1", "Text2", ... joined up to the first that is missing: what a section holds when its
// count cannot be used.
std::string joinPresentPieces(const IniFile::Section* section) {
    std::string joined;
    for (int32_t n = 1; section; ++n) {
        const std::optional<std::string> piece =
            section->value(std::string(kTextKey) + std::to_string(n));
        if (!piece) break;
        joined += *piece;
    }
    return joined;
}

// Reads the keys of the row's kind into the row (its key text and caption are set already).
void readProperties(HotKeyEntry& row, ActionKind kind, const IniFile::Section* section,
                    const LanguageTexts& texts, const DeviceIdSource& defaultDeviceId,
                    bool deferDigest) {
    const std::string& placeholder = texts.placeholder(actionInfo(kind).placeholder);
    auto single = [&](std::string_view key) {
        std::string v = valueIn(section, key);
        row.PropertiesText = v.empty() ? placeholder : std::move(v);
    };
    switch (kind) {
        case ActionKind::HideWindows:
        case ActionKind::ShowWindows: {
            row.Window = valueIn(section, "Window");
            if (!row.Window.empty() && row.Window.back() == '|') {
                row.PropertiesText = composeWindowProperties(row.Window);
            } else {
                // A row without keywords shows the hide placeholder, for both kinds, as the
                // editor stores it; files of the Windows version rely on the same texts.
                row.PropertiesText = texts.sNewHide;
            }
            break;
        }
        case ActionKind::OpenProgramDir: {
            std::string program = valueIn(section, "Program");
            const std::string shown = programWithoutMarker(program);
            row.HowToOpen = valueIn(section, "HowToOpen");
            if (!shown.empty()) {
                row.Program = std::move(program);
                row.Parameter = valueIn(section, "Parameter");
                row.PropertiesText = composeProgramProperties(shown, row.Parameter, row.HowToOpen);
            } else {
                row.PropertiesText = texts.sNewProgramDir + " | " + row.HowToOpen;
            }
            break;
        }
        case ActionKind::Website: {
            row.URL = valueIn(section, "URL");
            row.HowToOpen = valueIn(section, "HowToOpen");
            row.PropertiesText = composeWebsiteProperties(
                row.URL.empty() ? texts.sNewWebsite : row.URL, row.HowToOpen);
            break;
        }
        case ActionKind::OpenCloseDrive:
            single("OpenCloseDrives");
            break;
        case ActionKind::SimulateKeyComb:
            single("KeyComb");
            break;
        case ActionKind::ControlAudioVideo:
            single("AudioVideo");
            break;
        case ActionKind::ControlBrowser:
            single("BrowserControl");
            break;
        case ActionKind::SearchInternet:
            single("Provider");
            break;
        case ActionKind::InsertDateTime:
            single("DateTime");
            break;
        case ActionKind::AdjustVolume: {
            std::string volume = valueIn(section, "Volume");
            if (!volume.empty()) {
                row.PropertiesText = std::move(volume);
                row.DeviceId =
                    hasKey(section, "Settings") ? valueIn(section, "Settings") : defaultDeviceId();
            } else {
                row.PropertiesText = texts.sNewVolume;
                row.DeviceId = defaultDeviceId();
            }
            break;
        }
        case ActionKind::InsertText: {
            const std::string head = blanksFromCodes(valueIn(section, kTextHeadKey));
            const std::string tail = blanksFromCodes(valueIn(section, kTextTailKey));
            if (valueIn(section, "Text1").empty() && head.empty() && tail.empty()) {
                row.PropertiesText = texts.sNewText;
                row.Text = std::string(kInsertTextFormattedMarker);
                break;
            }
            // A count that is missing, not a number or below one cannot say how many pieces
            // there are: then the pieces that are there are the text, so that nothing of it is
            // lost when the row is saved again.
            const std::optional<int32_t> count = parseInteger(valueIn(section, kCount));
            const std::string joined = head +
                                       (count && *count >= 1 ? joinTextPieces(section, *count)
                                                             : joinPresentPieces(section)) +
                                       tail;
            row.Text =
                joined.find("\r\n") == std::string::npos ? joined : replaceAll(joined, "\r\n", "");
            row.TextDigestPending = true;
            if (!deferDigest) completeTextDigest(row, texts);
            break;
        }
        default:
            break;
    }
}

// Every key of a row's section as read, for a row of a caption no language knows.
std::vector<StoredKey> keptSection(const IniFile::Section* section) {
    std::vector<StoredKey> kept;
    if (!section) return kept;
    for (const IniFile::Line& line : section->lines) {
        if (line.hasValue) kept.push_back({line.key, line.value});
    }
    return kept;
}

LoadResult loadParsed(const IniFile& ini, HotKeyTable& table, const LanguageTexts& texts,
                      const DeviceIdSource& defaultDeviceId, const LanguageCatalogue& languages,
                      bool deferDigests = false) {
    LoadResult result;
    result.encoding = ini.encoding();
    const SectionIndex index(ini);
    const int32_t count = parseIntegerOr(valueIn(index.find(kGeneral), kCount), 0);
    if (count <= 0) return result;
    const size_t wanted = static_cast<size_t>(count);
    const size_t room = table.full() ? 0 : HotKeyTable::kCapacity - table.size();
    const size_t taken = std::min(wanted, room);
    for (size_t r = 1; r <= taken; ++r) {
        const IniFile::Section* section = index.find(rowSectionName(r));
        HotKeyEntry row;
        row.HotKeyText = valueIn(section, kHotKeyKey);
        row.ActionText = valueIn(section, kActionKey);
        if (const std::optional<ActionKind> kind = languages.kindOf(row.ActionText, &texts)) {
            readProperties(row, *kind, section, texts, defaultDeviceId, deferDigests);
        } else {
            row.KeptSection = keptSection(section);
        }
        (void)table.append(std::move(row));
    }
    result.rowsLoaded = taken;
    result.rowsLeftOut = wanted - taken;
    return result;
}

// `decodedWhole` tells whether every byte decoded to a character (malformed UTF-8 or UTF-16
// decodes to replacement characters, and a rewrite would lose the original bytes).
IniFile parseBytes(std::string_view bytes, bool* decodedWhole = nullptr,
                   std::string* decodedText = nullptr) {
    DecodedText decoded = decodeText(bytes);
    if (decodedWhole) {
        // Windows-1252 gives every byte a character, and UTF-8 without a mark is taken only
        // when it is valid.
        *decodedWhole = decoded.encoding == TextEncoding::Windows1252 ||
                        decoded.encoding == TextEncoding::Utf8 ||
                        encodeText(decoded.text, decoded.encoding) == bytes;
    }
    IniFile ini = IniFile::parse(decoded.text);
    ini.setEncoding(decoded.encoding);
    if (decodedText) *decodedText = std::move(decoded.text);
    return ini;
}

// Appends one "key=value" line; a value is single-line, so line breaks become blanks.
void appendLine(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += '=';
    const size_t start = out.size();
    out += value;
    std::replace_if(
        out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
        [](char c) { return c == '\r' || c == '\n'; }, ' ');
    out += "\r\n";
}

// The stored value of a property that may still be its placeholder.
const std::string& valueOrPlaceholder(const std::string& value, const std::string& placeholder) {
    return value.empty() || value == placeholder ? placeholder : value;
}

void writeProperties(std::string& out, const HotKeyEntry& row, ActionKind kind,
                     const LanguageTexts& texts, const DeviceIdSource& defaultDeviceId) {
    const std::string& placeholder = texts.placeholder(actionInfo(kind).placeholder);
    switch (kind) {
        case ActionKind::HideWindows:
        case ActionKind::ShowWindows:
            // The stored placeholder of both kinds is the hide placeholder.
            appendLine(out, "Window", valueOrPlaceholder(row.Window, texts.sNewHide));
            break;
        case ActionKind::OpenProgramDir:
            if (row.Program.empty() || row.Program == texts.sNewProgramDir) {
                appendLine(out, "Program", texts.sNewProgramDir + std::string(kFileMarker));
            } else {
                appendLine(out, "Program", row.Program);
            }
            appendLine(out, "Parameter", row.Parameter);
            appendLine(out, "HowToOpen", row.HowToOpen);
            break;
        case ActionKind::Website:
            appendLine(out, "URL", valueOrPlaceholder(row.URL, texts.sNewWebsite));
            appendLine(out, "HowToOpen", row.HowToOpen);
            break;
        case ActionKind::OpenCloseDrive:
        case ActionKind::SimulateKeyComb:
        case ActionKind::ControlAudioVideo:
        case ActionKind::ControlBrowser:
        case ActionKind::SearchInternet:
        case ActionKind::InsertDateTime:
            appendLine(out, actionInfo(kind).propertyKeys.front(),
                       valueOrPlaceholder(row.PropertiesText, placeholder));
            break;
        case ActionKind::AdjustVolume:
            if (row.PropertiesText.empty() || row.PropertiesText == texts.sNewVolume) {
                appendLine(out, "Volume", texts.sNewVolume);
                appendLine(out, "Settings", defaultDeviceId());
            } else {
                appendLine(out, "Volume", row.PropertiesText);
                appendLine(out, "Settings", row.DeviceId);
            }
            break;
        case ActionKind::InsertText: {
            const InsertTextPieces split = splitInsertText(row.Text);
            for (size_t i = 0; i < split.pieces.size(); ++i) {
                appendLine(out, std::string(kTextKey) + std::to_string(i + 1), split.pieces[i]);
            }
            appendLine(out, kCount, std::to_string(split.pieces.size()));
            if (!split.headCodes.empty()) appendLine(out, kTextHeadKey, split.headCodes);
            if (!split.tailCodes.empty()) appendLine(out, kTextTailKey, split.tailCodes);
            break;
        }
        default:
            break;
    }
}

// A row of a caption no language knows: its section as read, with its key text and caption as
// the row holds them now.
void writeKeptSection(std::string& out, const HotKeyEntry& row) {
    const auto isKey = [](const StoredKey& k, std::string_view name) {
        return equalsIgnoreCase(k.key, name);
    };
    const auto& kept = row.KeptSection;
    const auto firstHotKey = std::find_if(kept.begin(), kept.end(),
                                          [&](const StoredKey& k) { return isKey(k, kHotKeyKey); });
    const auto firstAction = std::find_if(kept.begin(), kept.end(),
                                          [&](const StoredKey& k) { return isKey(k, kActionKey); });
    if (firstHotKey == kept.end()) appendLine(out, kHotKeyKey, row.HotKeyText);
    if (firstAction == kept.end()) appendLine(out, kActionKey, row.ActionText);
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        if (it == firstHotKey)
            appendLine(out, it->key, row.HotKeyText);
        else if (it == firstAction)
            appendLine(out, it->key, row.ActionText);
        else
            appendLine(out, it->key, it->value);
    }
}

const LanguageCatalogue& orBuiltIn(const LanguageCatalogue* languages) {
    return languages ? *languages : LanguageCatalogue::builtIn();
}

}  // namespace

LoadResult loadHotKeysFromBytes(std::string_view bytes, HotKeyTable& table,
                                const LanguageTexts& texts, const DeviceIdSource& defaultDeviceId,
                                const LanguageCatalogue* languages) {
    return loadParsed(parseBytes(bytes), table, texts, defaultDeviceId, orBuiltIn(languages));
}

void completeTextDigest(HotKeyEntry& row, const LanguageTexts& texts) {
    if (!row.TextDigestPending) return;
    row.TextDigestPending = false;
    std::string digest = insertTextDigest(row.Text);
    row.PropertiesText = digest.empty() ? texts.sNewText : std::move(digest);
}

std::string normalizedHotKeyFile(std::string_view bytes) {
    const IniFile ini = parseBytes(bytes);
    return encodeText(ini.serialize(IniStyle::HotKeys), ini.encoding());
}

LoadResult LoadHotKeys(const std::string& path, HotKeyTable& table, const LanguageTexts& texts,
                       const DeviceIdSource& defaultDeviceId, LoadOptions options) {
    std::string error;
    const std::optional<std::string> bytes =
        options.bytes ? std::optional<std::string>() : readWholeFile(path, &error);
    if (!options.bytes && !bytes) {
        LoadResult failed;
        std::error_code ec;
        if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found) {
            failed.missing = true;
        } else {
            failed.ok = false;
            failed.error = std::move(error);
        }
        return failed;
    }
    bool decodedWhole = true;
    std::string text;
    const IniFile ini = parseBytes(options.bytes ? *options.bytes : *bytes, &decodedWhole,
                                   options.writeBack ? &text : nullptr);
    LoadResult result = loadParsed(ini, table, texts, defaultDeviceId, orBuiltIn(options.languages),
                                   options.deferTextDigests);
    if (options.writeBack && decodedWhole) {
        // The bytes decoded whole, so they are the decoded text encoded again: comparing the
        // texts tells whether the file is already as the writer would write it.
        const std::string normalized = ini.serialize(IniStyle::HotKeys);
        if (normalized != text) {
            result.writeBack = writeFileAtomically(path, encodeText(normalized, ini.encoding()));
        }
    }
    return result;
}

std::string hotKeyFileText(const HotKeyTable& table, const LanguageTexts& texts,
                           const DeviceIdSource& defaultDeviceId,
                           const LanguageCatalogue* languages) {
    std::string out;
    size_t number = 0;
    for (const HotKeyEntry& row : table.rows()) {
        ++number;
        out += '[';
        out += rowSectionName(number);
        out += "]\r\n";
        const std::optional<ActionKind> kind = orBuiltIn(languages).kindOf(row.ActionText, &texts);
        if (!kind && !row.KeptSection.empty()) {
            writeKeptSection(out, row);
            continue;
        }
        appendLine(out, kHotKeyKey, row.HotKeyText);
        appendLine(out, kActionKey, row.ActionText);
        if (kind) writeProperties(out, row, *kind, texts, defaultDeviceId);
    }
    out += '[';
    out += kGeneral;
    out += "]\r\n";
    appendLine(out, kCount, std::to_string(number));
    return out;
}

FileResult SaveHotKeys(const std::string& path, const HotKeyTable& table,
                       const LanguageTexts& texts, const DeviceIdSource& defaultDeviceId,
                       const SaveOptions& options) {
    TextEncoding encoding = options.encoding.value_or(TextEncoding::Windows1252);
    if (!options.encoding) {
        if (const std::optional<std::string> existing = readWholeFile(path)) {
            encoding = detectEncoding(*existing);
        }
    }
    const std::string text = hotKeyFileText(table, texts, defaultDeviceId, options.languages);
    return writeFileAtomically(path, encodeText(text, encoding),
                               WriteOptions{.mode = kPrivateFileMode});
}

}  // namespace vorbix
