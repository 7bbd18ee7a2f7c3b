#include "core/LanguageCatalogue.h"

namespace vorbix {

namespace {

// The German design texts of the two command lists; the first two media commands are not
// translated.
constexpr std::array<std::string_view, kBrowserCommandCount> kBrowserDesign = {
    "Zurück", "Vorwärts", "Startseite", "Favoriten", "Neu laden", "Stop"};
constexpr std::array<std::string_view, kMediaCommandCount> kMediaDesign = {"Play/Pause", "Stop",
                                                                           "Vorwärts", "Rückwärts"};
// The volume editor's mute text in the shipped languages, known also when a file lacks it.
constexpr std::string_view kMuteWords[] = {"Stumm/Laut", "Mute/Unmute"};
constexpr std::string_view kMaximizedWords[] = {"Maximiert", "Maximized"};
constexpr std::string_view kMinimizedWords[] = {"Minimiert", "Minimized"};

template <size_t N>
std::optional<size_t> indexIn(const std::array<std::string, N>& words, std::string_view text) {
    for (size_t i = 0; i < N; ++i) {
        if (!words[i].empty() && words[i] == text) return i;
    }
    return std::nullopt;
}

template <size_t N>
std::optional<size_t> indexIn(const std::array<std::string_view, N>& words, std::string_view text) {
    for (size_t i = 0; i < N; ++i) {
        if (words[i] == text) return i;
    }
    return std::nullopt;
}

}  // namespace

const LanguageCatalogue& LanguageCatalogue::builtIn() {
    static const LanguageCatalogue catalogue;
    return catalogue;
}

void LanguageCatalogue::add(LanguageWords words) {
    languages_.push_back(std::move(words));
}

const LanguageWords* LanguageCatalogue::find(std::string_view language) const {
    for (const LanguageWords& words : languages_) {
        if (words.main.language == language) return &words;
    }
    return nullptr;
}

std::optional<ActionKind> LanguageCatalogue::kindOf(std::string_view actionText,
                                                    const LanguageTexts* current) const {
    if (actionText.empty()) return std::nullopt;
    if (current) {
        if (auto kind = current->kindOf(actionText)) return kind;
    }
    for (const LanguageWords& words : languages_) {
        if (auto kind = words.main.kindOf(actionText)) return kind;
    }
    for (const ActionInfo& info : actionCatalogue()) {
        if (info.germanCaption == actionText) return info.kind;
    }
    return std::nullopt;
}

bool LanguageCatalogue::isPlaceholder(Placeholder p, std::string_view text,
                                      const LanguageTexts* current) const {
    if (text.empty() || p == Placeholder::None) return false;
    if (current && current->placeholder(p) == text) return true;
    for (const LanguageWords& words : languages_) {
        if (words.main.placeholder(p) == text) return true;
    }
    return false;
}

WindowMode LanguageCatalogue::windowModeOf(std::string_view howToOpen,
                                           const LanguageTexts* current) const {
    if (howToOpen.empty()) return WindowMode::Normal;
    auto names = [&](const LanguageTexts& texts) -> std::optional<WindowMode> {
        if (texts.sMaximized == howToOpen) return WindowMode::Maximized;
        if (texts.sMinimized == howToOpen) return WindowMode::Minimized;
        return std::nullopt;
    };
    if (current) {
        if (auto mode = names(*current)) return *mode;
    }
    for (const LanguageWords& words : languages_) {
        if (auto mode = names(words.main)) return *mode;
    }
    for (std::string_view word : kMaximizedWords) {
        if (word == howToOpen) return WindowMode::Maximized;
    }
    for (std::string_view word : kMinimizedWords) {
        if (word == howToOpen) return WindowMode::Minimized;
    }
    return WindowMode::Normal;
}

std::optional<BrowserCommand> LanguageCatalogue::browserCommandOf(std::string_view text) const {
    if (text.empty()) return std::nullopt;
    std::optional<size_t> i = indexIn(kBrowserDesign, text);
    for (auto it = languages_.begin(); !i && it != languages_.end(); ++it) {
        i = indexIn(it->browserCommands, text);
    }
    if (!i) return std::nullopt;
    return static_cast<BrowserCommand>(*i);
}

std::optional<MediaCommand> LanguageCatalogue::mediaCommandOf(std::string_view text) const {
    static constexpr MediaCommand kCommands[] = {MediaCommand::PlayPause, MediaCommand::Stop,
                                                 MediaCommand::Next, MediaCommand::Previous};
    if (text.empty()) return std::nullopt;
    std::optional<size_t> i = indexIn(kMediaDesign, text);
    for (auto it = languages_.begin(); !i && it != languages_.end(); ++it) {
        i = indexIn(it->mediaCommands, text);
    }
    if (!i) return std::nullopt;
    return kCommands[*i];
}

bool LanguageCatalogue::isMuteWord(std::string_view text) const {
    if (text.empty()) return false;
    for (std::string_view word : kMuteWords) {
        if (word == text) return true;
    }
    for (const LanguageWords& words : languages_) {
        if (words.mute == text) return true;
    }
    return false;
}

}  // namespace vorbix
