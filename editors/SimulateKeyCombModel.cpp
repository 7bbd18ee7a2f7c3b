#include "editors/SimulateKeyCombModel.h"

namespace vorbix {

void SimulateKeyCombModel::decode(const HotKeyEntry& row, const EditorTexts& texts,
                                  const KeyNameSource& names) {
    const bool unset = texts.anyLanguageHas(row.PropertiesText, &LanguageTexts::sNewKeyComb);
    shortCut = unset ? 0 : simulatedKeyCombOf(row.PropertiesText, names);
}

KeyCombCheck SimulateKeyCombModel::check(const HotKeyTable& table,
                                         const ReservedCombinations& reserved,
                                         const KeyNameSource& names) const {
    return checkSimulatedKeyComb(shortCut, table, reserved, names);
}

void SimulateKeyCombModel::encode(HotKeyEntry& row, const KeyNameSource& names) const {
    row.PropertiesText = simulatedKeyCombText(shortCut, names);
}

}  // namespace vorbix
