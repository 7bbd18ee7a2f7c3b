// The key-simulation action's value: the combination the user pressed in its editor, stored as
// key text in display form, and the checks OK makes before storing it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/HotKeyTable.h"
#include "core/KeyNotation.h"

namespace vorbix {

// The two special combinations of the settings as shortcut words; 0 when not in force.
struct ReservedCombinations {
    uint16_t symbolHotKey = 0;      // shows and hides the program
    uint16_t deActivateHotKey = 0;  // switches all hot keys off and on
};

enum class KeyCombCheck {
    Accepted,
    Incomplete,     // nothing pressed, or modifiers only
    SpecialHotKey,  // one of the special combinations
    RowHotKey,      // the hot key of a row of the table (the edited row's own included)
};

// Whether `shortCut` may be stored: a complete combination that fires nothing of the program, so
// simulating it can never run a row or a special combination.
KeyCombCheck checkSimulatedKeyComb(uint16_t shortCut, const HotKeyTable& table,
                                   const ReservedCombinations& reserved,
                                   const KeyNameSource& names);

// The stored text of a combination: its key text in the display form of the active layout.
std::string simulatedKeyCombText(uint16_t shortCut, const KeyNameSource& names);
// The combination a stored text names; 0 when it names none.
uint16_t simulatedKeyCombOf(std::string_view stored, const KeyNameSource& names);

}  // namespace vorbix
