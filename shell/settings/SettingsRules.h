// The rules of the settings dialog, without Qt: what OK refuses or asks about before anything is
// applied, the autostart entry's value for the two autostart boxes and back, and the defaults
// button.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/HotKeyTable.h"
#include "core/KeyNotation.h"
#include "storage/ConfigWindows.h"

namespace vorbix {

// The shortcut word a stored combination text stands for (0 for an empty or unknown text), and
// the text stored for a word.
uint16_t specialCombinationWord(const std::string& text, const KeyNameSource& names);
std::string specialCombinationText(uint16_t word, const KeyNameSource& names);

// The combination `word` as the user reads it (the key names of the keyboard layout).
std::string specialCombinationDisplay(uint16_t word, const KeyNameSource& names);

// The shortcut words of the two combinations, 0 for one whose box is unticked.
struct SpecialCombinations {
    uint16_t symbol = 0;
    uint16_t deActivate = 0;
};
SpecialCombinations specialCombinationsOn(const SettingsConfig& settings,
                                          const KeyNameSource& names);

// Whether a row of the table holds the combination `word`.
bool tableHolds(const HotKeyTable& table, uint16_t word, const KeyNameSource& names);

// What OK checks about the two special combinations, in this order: the tray combination is
// set, held by no row and differs from the switch combination; the switch combination is held by
// no row. A ticked switch box with an empty field is not refused: the box is unticked.
struct SpecialCombinationCheck {
    // The key of the refusal's message in section "Settings"; empty when nothing is refused.
    std::string_view refusalKey;
    // The switch box is to be unticked (it was ticked with an empty field).
    bool untickDeActivate = false;
    bool refused() const { return !refusalKey.empty(); }
};

SpecialCombinationCheck checkSpecialCombinations(const SettingsConfig& settings,
                                                 const HotKeyTable& table,
                                                 const KeyNameSource& names);

// What binding the switched-on combinations of `settings` does to typing: ShiftCharacter when one
// is Shift with a character key (refused, as for a row); Character when one is a character key
// alone that `before` did not have switched on already (the user is asked first, as for a row;
// a combination taken once is not asked about at every OK); None otherwise.
TypingClash specialCombinationsTyping(const SettingsConfig& settings, const SettingsConfig& before,
                                      const KeyNameSource& names);

// The two autostart boxes: start with the session, and start hidden ("hide").
struct AutostartChoice {
    bool start = false;
    bool hidden = false;
    bool operator==(const AutostartChoice&) const = default;
};

// The boxes for the entry's value: ticked "start" for any value, "hidden" only for exactly the
// quoted program path followed by " hide".
AutostartChoice autostartChoiceOf(const std::optional<std::string>& value,
                                  std::string_view programPath);
// The value for the boxes: the program path, or the quoted path and " hide"; nullopt (no entry)
// when "start" is not ticked.
std::optional<std::string> autostartValueFor(const AutostartChoice& choice,
                                             std::string_view programPath);

// The defaults button: every setting of the dialog back to its default, except the language.
// Autostart is switched on, hidden.
void resetToDefaults(SettingsConfig& settings, AutostartChoice& autostart);

}  // namespace vorbix
