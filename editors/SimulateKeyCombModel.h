// The value of the key-simulation editor (TSimulateKeyComb): the combination in its capture
// field, decoded from the row's key text when the editor is shown, checked and encoded on OK.
#pragma once

#include <cstdint>

#include "core/HotKeyTable.h"
#include "core/SimulatedKeyComb.h"
#include "editors/EditorTexts.h"

namespace vorbix {

class SimulateKeyCombModel {
public:
    uint16_t shortCut = 0;  // 0: the field is empty

    // The placeholder of any language, and a text that names no combination, give 0.
    void decode(const HotKeyEntry& row, const EditorTexts& texts, const KeyNameSource& names);
    KeyCombCheck check(const HotKeyTable& table, const ReservedCombinations& reserved,
                       const KeyNameSource& names) const;
    // The key text in the display form of the active layout.
    void encode(HotKeyEntry& row, const KeyNameSource& names) const;
};

}  // namespace vorbix
