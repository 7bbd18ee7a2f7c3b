// The words of every language the program knows, held in memory: what a row may carry in its
// caption and stored values whatever language was current when it was stored. A row's kind, its
// placeholders, its window mode, its browser and media commands and the mute word are recognised
// in any of them, so switching the language or losing a language file never costs a row its
// meaning. The storage layer fills the catalogue from the language files once at start; looking
// a word up never reads a file.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ActionCatalogue.h"
#include "core/LanguageTexts.h"
#include "core/Ports.h"

namespace vorbix {

enum class BrowserCommand { Back, Forward, Home, Favorites, Reload, Stop };

inline constexpr size_t kBrowserCommandCount = 6;
inline constexpr size_t kMediaCommandCount = 4;

// The stored words of one language.
struct LanguageWords {
    // Captions, placeholders and window-mode words of section "Main".
    LanguageTexts main;
    // The browser editor's command list, entries 1 to 6 (Back ... Stop).
    std::array<std::string, kBrowserCommandCount> browserCommands;
    // The media editor's command list: Play/Pause, Stop, Next, Previous.
    std::array<std::string, kMediaCommandCount> mediaCommands;
    // The volume editor's stored mute text.
    std::string mute;
};

class LanguageCatalogue {
public:
    // Knows only the words built into the program: the German design captions of the action
    // catalogue and of the two command lists, and the window-mode words of both languages.
    LanguageCatalogue() = default;
    static const LanguageCatalogue& builtIn();

    // Adds a language; languages added first win when two of them use one word differently.
    void add(LanguageWords words);
    const std::vector<LanguageWords>& languages() const { return languages_; }
    // The words of a language by its name ("German", "English", ...); null when unknown.
    const LanguageWords* find(std::string_view language) const;

    // The kind whose caption equals the text exactly: in `current` first (the texts the window
    // speaks now, may be null), then in every language in the order added, then among the
    // design captions. None for an empty text or a caption no language knows.
    std::optional<ActionKind> kindOf(std::string_view actionText,
                                     const LanguageTexts* current = nullptr) const;
    // Whether the text is the placeholder `p` of `current` or of any language. An empty text
    // never is.
    bool isPlaceholder(Placeholder p, std::string_view text,
                       const LanguageTexts* current = nullptr) const;
    // The window mode a stored word names; Normal for every other text.
    WindowMode windowModeOf(std::string_view howToOpen,
                            const LanguageTexts* current = nullptr) const;
    std::optional<BrowserCommand> browserCommandOf(std::string_view text) const;
    std::optional<MediaCommand> mediaCommandOf(std::string_view text) const;
    bool isMuteWord(std::string_view text) const;

private:
    std::vector<LanguageWords> languages_;
};

}  // namespace vorbix
