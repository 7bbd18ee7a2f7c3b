#include "storage/HotKeyTranslation.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "core/HotKeyTable.h"
#include "core/KeyNotation.h"
#include "core/TextUtil.h"
#include "storage/TextCodec.h"

namespace vorbix {

namespace {

// A line of the text, without its '\n', and the part of it that is not blanks.
struct Line {
    size_t begin = 0;
    size_t end = 0;
    size_t trimmedBegin = 0;
    size_t trimmedEnd = 0;
};

// The lines between a section's header and the next header.
struct Section {
    std::string name;
    size_t firstLine = 0;
    size_t endLine = 0;
};

// A value as the file holds it: its bytes in the text and the value itself.
struct Value {
    size_t begin = 0;
    size_t end = 0;
    std::string text;
};

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// The text cut into sections and key lines the way the INI reader reads it (trimmed lines,
// comments skipped, the first of two equal names counts), keeping the byte offsets so that a
// value can be replaced without touching anything around it.
class FileView {
public:
    explicit FileView(std::string_view text) : text_(text) {
        size_t pos = 0;
        while (pos <= text.size()) {
            size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) end = text.size();
            Line line{pos, end, pos, end};
            while (line.trimmedBegin < end && isBlank(text[line.trimmedBegin])) ++line.trimmedBegin;
            while (line.trimmedEnd > line.trimmedBegin && isBlank(text[line.trimmedEnd - 1])) {
                --line.trimmedEnd;
            }
            const std::string_view content = trimmedOf(line);
            if (content.size() >= 2 && content.front() == '[' && content.back() == ']') {
                if (!sections_.empty()) sections_.back().endLine = lines_.size();
                sections_.push_back(
                    {trim(content.substr(1, content.size() - 2)), lines_.size() + 1, 0});
            }
            lines_.push_back(line);
            pos = end + 1;
        }
        if (!sections_.empty()) sections_.back().endLine = lines_.size();
    }

    const Section* section(std::string_view name) const {
        for (const Section& s : sections_) {
            if (equalsIgnoreCase(s.name, name)) return &s;
        }
        return nullptr;
    }

    std::optional<Value> value(const Section& section, std::string_view key) const {
        for (size_t i = section.firstLine; i < section.endLine; ++i) {
            const Line& line = lines_[i];
            const std::string_view content = trimmedOf(line);
            if (content.empty() || content.front() == ';') continue;
            const size_t eq = content.find('=');
            if (eq == std::string_view::npos ||
                !equalsIgnoreCase(trim(content.substr(0, eq)), key)) {
                continue;
            }
            size_t begin = line.trimmedBegin + eq + 1;
            while (begin < line.trimmedEnd && isBlank(text_[begin])) ++begin;
            return Value{begin, line.trimmedEnd,
                         std::string(text_.substr(begin, line.trimmedEnd - begin))};
        }
        return std::nullopt;
    }

private:
    std::string_view trimmedOf(const Line& line) const {
        return text_.substr(line.trimmedBegin, line.trimmedEnd - line.trimmedBegin);
    }

    std::string_view text_;
    std::vector<Line> lines_;
    std::vector<Section> sections_;
};

struct Edit {
    size_t begin = 0;
    size_t end = 0;
    std::string text;
};

using Group = BuiltinKeyNames::Group;

// The combination a key text stands for when read with the names of `group` (the display form
// of that group, or the capture form); nullopt when it names none.
std::optional<uint16_t> shortCutIn(std::string_view text, Group group) {
    const BuiltinKeyNames names(group);
    const uint16_t shortCut = KeyTextToShortCut(KeyTextFromDisplay(text, names), names);
    if (shortCut == 0) return std::nullopt;
    return shortCut;
}

// The text the program writes for the combination with the names of `group`.
std::string displayIn(uint16_t shortCut, Group group) {
    const BuiltinKeyNames names(group);
    return KeyTextToDisplay(ShortCutToKeyText(shortCut, false, names), names);
}

// The words of a key text between its "+" signs (empty ones, as around the "+" key, included).
std::vector<std::string> plusWords(std::string_view text) {
    std::vector<std::string> words(1);
    for (const char c : text) {
        if (c == '+') {
            words.emplace_back();
        } else {
            words.back() += c;
        }
    }
    return words;
}

// The words (between the "+") of every key text the program writes with the names of `group`,
// display and capture form, in folded case.
const std::set<std::string>& wordsOf(Group group) {
    static const auto make = [](Group g) {
        std::set<std::string> words;
        const BuiltinKeyNames names(g);
        for (uint16_t code = 8; code <= 0xFF; ++code) {
            for (const uint16_t modifiers : {uint16_t(0), uint16_t(kShortCutWin | kShortCutShift |
                                                                   kShortCutCtrl | kShortCutAlt)}) {
                const std::string capture = ShortCutToKeyText(code | modifiers, false, names);
                for (const std::string& text : {capture, KeyTextToDisplay(capture, names)}) {
                    for (const std::string& word : plusWords(text)) {
                        if (!word.empty()) words.insert(foldCase(word));
                    }
                }
            }
        }
        return words;
    };
    static const std::set<std::string> german = make(Group::German);
    static const std::set<std::string> english = make(Group::English);
    return group == Group::German ? german : english;
}

// Whether the text uses a word that only the other group writes ("Ctrl" for the German group):
// every layout reads such a text, but it is not in the target's own words.
bool usesWordsOfOtherGroupOnly(std::string_view text, Group target) {
    const Group other = target == Group::German ? Group::English : Group::German;
    for (const std::string& word : plusWords(text)) {
        if (word.empty()) continue;
        const std::string folded = foldCase(word);
        if (!wordsOf(target).count(folded) && wordsOf(other).count(folded)) return true;
    }
    return false;
}

// A key text for a file in the language of `target`. The program writes the display form of
// the layout group ("Strg+Shift+A" for German, "Ctrl+Shift+A" for English); the text written so
// in the other group becomes the one of the target, and the way back turns it into the original
// again. Every other spelling that the target reads as the same combination (the capture form
// "Strg+Umsch+A", which both groups read, another letter case or order of the modifiers) stays
// as it is, so that translating there and back gives the original text. A text only the other
// group reads becomes the target's display form. nullopt when it names no combination in either.
std::optional<std::string> translateKeyText(std::string_view text, Group target) {
    const Group other = target == Group::German ? Group::English : Group::German;
    const std::optional<uint16_t> inTarget = shortCutIn(text, target);
    const std::optional<uint16_t> inOther = shortCutIn(text, other);
    if (inTarget && displayIn(*inTarget, target) == text) return std::string(text);
    if (inOther && displayIn(*inOther, other) == text) return displayIn(*inOther, target);
    if (inTarget && !usesWordsOfOtherGroupOnly(text, target)) return std::string(text);
    if (inOther) return displayIn(*inOther, target);
    if (inTarget) return std::string(text);
    return std::nullopt;
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Collects the edits of one row; a reason when the row cannot be translated as a whole.
class RowTranslator {
public:
    RowTranslator(const FileView& file, const Section& row, const LanguageWords& target,
                  const LanguageCatalogue& languages)
        : file_(file), row_(row), target_(target), languages_(languages) {}

    std::optional<std::string> run() {
        const std::optional<Value> action = file_.value(row_, "Action");
        const std::string caption = action ? action->text : std::string();
        const std::optional<ActionKind> kind = languages_.kindOf(caption);
        if (!kind) return "action " + quoted(caption) + " names no action of any language";
        if (!replaceWith(*action, target_.main.caption(*kind))) {
            return "no caption for " + quoted(caption) + " in " + target_.main.language;
        }
        const Group group = target_.main.language == kGerman ? Group::German : Group::English;
        if (const std::optional<Value> key = file_.value(row_, "Hot Key");
            key && !key->text.empty()) {
            const std::optional<std::string> text = translateKeyText(key->text, group);
            if (!text) return "key text " + quoted(key->text) + " names no key combination";
            replaceWith(*key, *text);
        }
        return properties(*kind, group);
    }

    const std::vector<Edit>& edits() const { return edits_; }

private:
    // Replaces the value; false when the replacement is empty (the target has no such word).
    bool replaceWith(const Value& value, const std::string& text) {
        if (text.empty()) return false;
        if (text != value.text) edits_.push_back({value.begin, value.end, text});
        return true;
    }

    std::optional<std::string> missingWord(std::string_view key, const Value& value) const {
        return std::string(key) + " " + quoted(value.text) + " has no word in " +
               target_.main.language;
    }

    // A property that holds the placeholder `p` or a value of the user's.
    std::optional<std::string> placeholderOrUserValue(std::string_view key, Placeholder p) {
        const std::optional<Value> value = file_.value(row_, key);
        if (!value || !languages_.isPlaceholder(p, value->text)) return std::nullopt;
        if (!replaceWith(*value, target_.main.placeholder(p))) return missingWord(key, *value);
        return std::nullopt;
    }

    // A property that holds the placeholder or one of a list of words; anything else cannot be
    // translated.
    template <typename Lookup>
    std::optional<std::string> placeholderOrWord(std::string_view key, Placeholder p,
                                                 Lookup wordIn) {
        const std::optional<Value> value = file_.value(row_, key);
        if (!value || value->text.empty()) return std::nullopt;
        if (languages_.isPlaceholder(p, value->text)) {
            if (!replaceWith(*value, target_.main.placeholder(p))) return missingWord(key, *value);
            return std::nullopt;
        }
        const std::optional<std::string> word = wordIn(value->text);
        if (!word) return std::string(key) + " " + quoted(value->text) + " names no command";
        if (!replaceWith(*value, *word)) return missingWord(key, *value);
        return std::nullopt;
    }

    std::optional<std::string> windowMode() {
        const std::optional<Value> value = file_.value(row_, "HowToOpen");
        if (!value) return std::nullopt;
        switch (languages_.windowModeOf(value->text)) {
            case WindowMode::Maximized:
                if (!replaceWith(*value, target_.main.sMaximized)) {
                    return missingWord("HowToOpen", *value);
                }
                break;
            case WindowMode::Minimized:
                if (!replaceWith(*value, target_.main.sMinimized)) {
                    return missingWord("HowToOpen", *value);
                }
                break;
            case WindowMode::Normal:
                break;
        }
        return std::nullopt;
    }

    std::optional<std::string> program() {
        const std::optional<Value> value = file_.value(row_, "Program");
        if (!value) return std::nullopt;
        const std::string shown = programWithoutMarker(value->text);
        if (!languages_.isPlaceholder(Placeholder::NewProgramDir, shown)) return std::nullopt;
        const std::string marker = value->text.substr(shown.size());
        if (!replaceWith(*value, target_.main.sNewProgramDir.empty()
                                     ? std::string()
                                     : target_.main.sNewProgramDir + marker)) {
            return missingWord("Program", *value);
        }
        return std::nullopt;
    }

    std::optional<std::string> properties(ActionKind kind, Group group) {
        switch (kind) {
            case ActionKind::HideWindows:
            case ActionKind::ShowWindows: {
                // Both kinds store the hide placeholder; a show placeholder is carried over too.
                const std::optional<Value> value = file_.value(row_, "Window");
                if (!value) return std::nullopt;
                for (Placeholder p : {Placeholder::NewHide, Placeholder::NewShow}) {
                    if (languages_.isPlaceholder(p, value->text)) {
                        if (!replaceWith(*value, target_.main.placeholder(p))) {
                            return missingWord("Window", *value);
                        }
                        break;
                    }
                }
                return std::nullopt;
            }
            case ActionKind::OpenProgramDir:
                if (auto why = program()) return why;
                return windowMode();
            case ActionKind::Website:
                if (auto why = placeholderOrUserValue("URL", Placeholder::NewWebsite)) return why;
                return windowMode();
            case ActionKind::OpenCloseDrive:
                return placeholderOrUserValue("OpenCloseDrives", Placeholder::NewDrive);
            case ActionKind::SearchInternet:
                return placeholderOrUserValue("Provider", Placeholder::NewProvider);
            case ActionKind::InsertDateTime:
                return placeholderOrUserValue("DateTime", Placeholder::NewDateTime);
            case ActionKind::SimulateKeyComb:
                return placeholderOrWord(
                    "KeyComb", Placeholder::NewKeyComb,
                    [group](std::string_view text) { return translateKeyText(text, group); });
            case ActionKind::ControlBrowser:
                return placeholderOrWord(
                    "BrowserControl", Placeholder::NewBrowserControl,
                    [this](std::string_view text) -> std::optional<std::string> {
                        const auto command = languages_.browserCommandOf(text);
                        if (!command) return std::nullopt;
                        return target_.browserCommands[static_cast<size_t>(*command)];
                    });
            case ActionKind::ControlAudioVideo:
                return placeholderOrWord(
                    "AudioVideo", Placeholder::NewAudioVideo,
                    [this](std::string_view text) -> std::optional<std::string> {
                        const auto command = languages_.mediaCommandOf(text);
                        if (!command) return std::nullopt;
                        return target_.mediaCommands[static_cast<size_t>(*command)];
                    });
            case ActionKind::AdjustVolume: {
                const std::optional<Value> value = file_.value(row_, "Volume");
                if (!value) return std::nullopt;
                if (languages_.isPlaceholder(Placeholder::NewVolume, value->text)) {
                    if (!replaceWith(*value, target_.main.sNewVolume)) {
                        return missingWord("Volume", *value);
                    }
                } else if (languages_.isMuteWord(value->text)) {
                    if (!replaceWith(*value, target_.mute)) return missingWord("Volume", *value);
                }
                // Anything else is a change in points, the same in every language.
                return std::nullopt;
            }
            default:
                return std::nullopt;
        }
    }

    const FileView& file_;
    const Section& row_;
    const LanguageWords& target_;
    const LanguageCatalogue& languages_;
    std::vector<Edit> edits_;
};

}  // namespace

TranslationResult translateHotKeyFile(std::string_view bytes, std::string_view targetLanguage,
                                      const LanguageCatalogue& languages) {
    TranslationResult result;
    const LanguageWords* target = languages.find(targetLanguage);
    if (!target) {
        result.ok = false;
        result.error = "no language file for " + std::string(targetLanguage);
        return result;
    }
    const DecodedText decoded = decodeText(bytes);
    // A file whose bytes do not all decode (malformed UTF-8 or UTF-16) would lose them.
    if (decoded.encoding != TextEncoding::Windows1252 &&
        encodeText(decoded.text, decoded.encoding) != bytes) {
        result.ok = false;
        result.error =
            "the file holds bytes its encoding cannot decode; translating it would "
            "change them";
        return result;
    }

    const std::string& text = decoded.text;
    const FileView file(text);
    const Section* general = file.section("General");
    const std::optional<Value> countValue =
        general ? file.value(*general, "Count") : std::optional<Value>{};
    const int32_t count = std::max(0, parseIntegerOr(countValue ? countValue->text : "", 0));

    std::vector<Edit> edits;
    for (int32_t r = 1; r <= count; ++r) {
        const std::string name = "Hot Key" + std::to_string(r);
        const Section* row = file.section(name);
        if (!row) continue;
        RowTranslator translator(file, *row, *target, languages);
        if (const std::optional<std::string> why = translator.run()) {
            result.keptRows.push_back(name + ": " + *why);
            continue;
        }
        edits.insert(edits.end(), translator.edits().begin(), translator.edits().end());
    }

    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return a.begin > b.begin; });
    std::string translated = text;
    for (const Edit& edit : edits) translated.replace(edit.begin, edit.end - edit.begin, edit.text);
    result.bytes = edits.empty() ? std::string(bytes) : encodeText(translated, decoded.encoding);
    return result;
}

}  // namespace vorbix
