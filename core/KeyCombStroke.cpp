#include "core/KeyCombStroke.h"

#include <array>
#include <utility>

#include "core/SimulatedKeyComb.h"

namespace vorbix {

bool strokeShortCut(uint16_t shortCut, KeyboardOutput& keys) {
    const auto key = static_cast<uint8_t>(shortCut & kShortCutKeyMask);
    if (key == 0) return false;
    static constexpr std::array<std::pair<uint16_t, uint8_t>, 4> kModifiers{{
        {kShortCutCtrl, kVkControl},
        {kShortCutAlt, kVkAlt},
        {kShortCutShift, kVkShift},
        {kShortCutWin, kVkLeftWin},
    }};
    keys.releaseModifiers();
    for (const auto& [bit, vk] : kModifiers) {
        if (shortCut & bit) keys.keyDown(vk);
    }
    keys.keyDown(key);
    keys.keyUp(key);
    for (auto it = kModifiers.rbegin(); it != kModifiers.rend(); ++it) {
        if (shortCut & it->first) keys.keyUp(it->second);
    }
    return true;
}

bool simulateKeyComb(const std::string& keyText, const KeyNameSource& names, KeyboardOutput& keys) {
    return strokeShortCut(simulatedKeyCombOf(keyText, names), keys);
}

}  // namespace vorbix
