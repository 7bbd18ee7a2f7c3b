// What happens when a registered combination is pressed: the two special identifiers first,
// then, while the hot keys are active, the effect of the row behind the identifier.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/HotKeyTable.h"
#include "core/LanguageTexts.h"
#include "core/Ports.h"
#include "core/Registration.h"

namespace vorbix {

struct VolumeOutcome;

// What the dispatcher needs from the program around it.
class ShellHooks {
public:
    virtual ~ShellHooks() = default;
    // The DeActivateHotKey combination: switch all hot keys off or on (with its permission check).
    virtual void activationSwitch() = 0;
    // The SymbolHotKey combination: show the hidden program or hide it.
    virtual void toggleMainWindow() = 0;
    // "Close all windows": hides the main window (the tray icon shows unless the user hid it)
    // and gives the window below which every visible window is closed.
    virtual WindowId hideMainWindowForCloseAll() = 0;
    // The kinds whose effects belong to their editors' rules: insert text, internet search and
    // date/time.
    virtual void runEditorEffect(ActionKind kind, const HotKeyEntry& row) = 0;
    // An action that could not run, with a short reason for the user.
    virtual void actionFailed(const std::string& reason) = 0;
};

enum class BrowserCommand { Back, Forward, Home, Favorites, Reload, Stop };

// Language texts of either language: (language, section, key) -> value.
using LanguageLookup =
    std::function<std::string(std::string_view, std::string_view, std::string_view)>;

std::optional<BrowserCommand> browserCommandOf(std::string_view text, const LanguageLookup& lookup);
std::optional<MediaCommand> mediaCommandOf(std::string_view text, const LanguageLookup& lookup);
// The window mode word of either language.
WindowMode windowModeOf(std::string_view howToOpen);
// The keywords of a hide/show row: every piece that a "|" ends.
std::vector<std::string> windowKeywords(std::string_view window);
// A web address as the user typed it, with "http://" added when it names no scheme.
std::string webAddressOf(std::string_view url);

class Dispatcher {
public:
    Dispatcher(HotKeyTable& table, const LanguageTexts& texts, const HotKeyRegistry& registry,
               const KeyNameSource& names, Desktop desktop, ShellHooks& shell,
               LanguageLookup lookup)
        : table_(table),
          texts_(texts),
          registry_(registry),
          names_(names),
          desktop_(desktop),
          shell_(shell),
          lookup_(std::move(lookup)) {}

    void WMHotKey(int32_t id);
    // Runs the effect of one row (the row's kind in the current language).
    void runAction(const HotKeyEntry& row);
    void ToggleDriveDoor(char letter);
    // The reason of a failed start in the user's language (the English reason without texts).
    std::string failureText(const LaunchResult& result) const;
    // Why a volume row could not run, in the user's language.
    std::string volumeFailureText(const VolumeOutcome& outcome) const;

    bool LastDoorOpened = false;

private:
    void combinationStroke(uint8_t modifier, uint8_t key);
    void strokeKeys(std::initializer_list<uint8_t> modifiers, uint8_t key);
    void report(const LaunchResult& result);
    // Text `key` of section "Main" in the user's language with its "%s" replaced by `subject`;
    // empty when the language has no such text.
    std::string messageText(std::string_view key, const std::string& subject) const;
    static std::string withSubject(std::string text, const std::string& subject);
    void adjustVolume(const HotKeyEntry& row);
    // The mute words of every language (a row keeps the word of the language it was stored in).
    const std::vector<std::string>& muteWords() const;

    HotKeyTable& table_;
    const LanguageTexts& texts_;
    const HotKeyRegistry& registry_;
    const KeyNameSource& names_;
    Desktop desktop_;
    ShellHooks& shell_;
    LanguageLookup lookup_;
    mutable std::vector<std::string> muteWords_;
    mutable std::string muteWordsLanguage_;
};

}  // namespace vorbix
