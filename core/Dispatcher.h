// What happens when a registered combination is pressed: the two special identifiers first,
// then, while the hot keys are active, the effect of the row behind the identifier.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DriveDoors.h"
#include "core/HotKeyTable.h"
#include "core/LanguageCatalogue.h"
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

// A message text of section "Main" in the current language, from memory; empty when missing.
using MessageLookup = std::function<std::string(std::string_view key)>;

// The keywords of a hide/show row: every piece that a "|" ends.
std::vector<std::string> windowKeywords(std::string_view window);

class Dispatcher {
public:
    // `languages`: the words of every language (null: those built into the program). Nothing
    // on the way from a key press to its effect reads a file.
    Dispatcher(HotKeyTable& table, const LanguageTexts& texts, const HotKeyRegistry& registry,
               const KeyNameSource& names, Desktop desktop, ShellHooks& shell,
               MessageLookup message, const LanguageCatalogue* languages = nullptr)
        : table_(table),
          texts_(texts),
          languages_(languages ? *languages : LanguageCatalogue::builtIn()),
          registry_(registry),
          names_(names),
          desktop_(desktop),
          shell_(shell),
          message_(std::move(message)) {}

    void WMHotKey(int32_t id);
    // Runs the effect of one row, whatever language its caption and stored words are in. A row
    // whose properties are still a placeholder runs nothing.
    void runAction(const HotKeyEntry& row);
    // Opens or closes the door of each drive after its tray state, in order, away from the
    // interface thread when the desktop has a background.
    void toggleDriveDoors(std::vector<char> letters);
    // The reason of a failed start in the user's language (the English reason without texts).
    std::string failureText(const LaunchResult& result) const;
    // Tells the user once that a start failed, and logs the reason on standard error; nothing
    // for a success. Also for failures the launcher learns of later.
    void report(const LaunchResult& result);
    // Why a volume row could not run, in the user's language.
    std::string volumeFailureText(const VolumeOutcome& outcome) const;

private:
    void combinationStroke(uint8_t modifier, uint8_t key);
    void strokeKeys(std::initializer_list<uint8_t> modifiers, uint8_t key);
    static void logFailure(const std::string& reason);
    bool isPlaceholder(Placeholder p, std::string_view text) const {
        return languages_.isPlaceholder(p, text, &texts_);
    }
    // Text `key` of section "Main" in the user's language with its "%s" replaced by `subject`;
    // empty when the language has no such text.
    std::string messageText(std::string_view key, const std::string& subject) const;
    static std::string withSubject(std::string text, const std::string& subject);
    void adjustVolume(const HotKeyEntry& row);

    HotKeyTable& table_;
    const LanguageTexts& texts_;
    const LanguageCatalogue& languages_;
    const HotKeyRegistry& registry_;
    const KeyNameSource& names_;
    Desktop desktop_;
    ShellHooks& shell_;
    MessageLookup message_;
    // Touched only by the drive jobs, which run one after another.
    std::shared_ptr<DoorMemory> doors_ = std::make_shared<DoorMemory>();
};

}  // namespace vorbix
