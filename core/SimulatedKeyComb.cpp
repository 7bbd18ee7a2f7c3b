#include "core/SimulatedKeyComb.h"

namespace vorbix {

KeyCombCheck checkSimulatedKeyComb(uint16_t shortCut, const HotKeyTable& table,
                                   const ReservedCombinations& reserved,
                                   const KeyNameSource& names) {
    if (ShortCutToKeyText(shortCut, false, names).empty()) return KeyCombCheck::Incomplete;
    if (shortCut == reserved.symbolHotKey || shortCut == reserved.deActivateHotKey) {
        return KeyCombCheck::SpecialHotKey;
    }
    for (const HotKeyEntry& row : table.rows()) {
        if (simulatedKeyCombOf(row.HotKeyText, names) == shortCut) return KeyCombCheck::RowHotKey;
    }
    return KeyCombCheck::Accepted;
}

std::string simulatedKeyCombText(uint16_t shortCut, const KeyNameSource& names) {
    return KeyTextToDisplay(ShortCutToKeyText(shortCut, false, names), names);
}

uint16_t simulatedKeyCombOf(std::string_view stored, const KeyNameSource& names) {
    if (stored.empty()) return 0;
    return KeyTextToShortCut(KeyTextFromDisplay(stored, names), names);
}

}  // namespace vorbix
