#include "platform/portal/PortalTrigger.h"

#include <xkbcommon/xkbcommon.h>

#include "platform/x11/VirtualKeys.h"

namespace vorbix::portal {

std::string xkbKeyName(uint32_t keysym) {
    if (keysym == 0) return {};
    char name[64];
    const int length = xkb_keysym_get_name(keysym, name, sizeof name);
    if (length <= 0 || size_t(length) >= sizeof name) return {};
    // Keysyms without a name come back as a number ("0x1001f600", "U20AC" for Unicode ones);
    // a number is no key name the desktop parses back reliably.
    const std::string text(name, size_t(length));
    if (text.rfind("0x", 0) == 0) return {};
    return text;
}

std::string portalTrigger(const TWinHotKey& combination, const KeysymOnKeyboard& onKeyboard) {
    if (combination.Key == 0 || combination.Key > 0xFF) return {};
    const std::vector<uint32_t> keysyms = x11::keysymsFromVirtualKey(uint8_t(combination.Key));
    if (keysyms.empty()) return {};
    uint32_t keysym = keysyms.front();
    if (onKeyboard) {
        for (uint32_t candidate : keysyms) {
            if (onKeyboard(candidate)) {
                keysym = candidate;
                break;
            }
        }
    }
    const std::string key = xkbKeyName(keysym);
    if (key.empty()) return {};
    static constexpr std::pair<uint32_t, const char*> kModifiers[] = {
        {MOD_WIN, "LOGO"},
        {MOD_CONTROL, "CTRL"},
        {MOD_ALT, "ALT"},
        {MOD_SHIFT, "SHIFT"},
    };
    std::string trigger;
    for (const auto& [bit, name] : kModifiers) {
        if (combination.Modifiers & bit) {
            trigger += name;
            trigger += '+';
        }
    }
    return trigger + key;
}

}  // namespace vorbix::portal
