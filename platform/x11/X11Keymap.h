// A snapshot of the X server's keyboard mapping (keycode -> keysyms) and modifier mapping, as
// the grabs and the synthetic strokes need them. Internal to platform/x11.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vorbix::x11 {

class X11Keymap {
public:
    explicit X11Keymap(xcb_connection_t* connection);

    // Reads both mappings from the server again (two round trips).
    void refresh();

    // The keycode that carries the keysym, 0 when none. A keycode where it is the unshifted
    // symbol wins over one where it needs Shift or another group.
    uint8_t keycodeOf(uint32_t keysym, bool* unshifted = nullptr) const;
    // The keycode for a virtual key: the first of its keysyms that the keyboard carries
    // unshifted, else the first it carries at all; 0 when the keyboard lacks the key.
    uint8_t keycodeOfVirtualKey(uint8_t virtualKey) const;
    // The keysym at a column of the core mapping (0 unshifted, 1 shifted, ...); 0 when none.
    uint32_t keysymAt(uint8_t keycode, int column) const;
    // Every keycode whose first two columns hold one of the keysyms.
    std::vector<uint8_t> keycodesWith(std::initializer_list<uint32_t> keysyms) const;
    // Every keycode that holds one of the keysyms in any column (any group, any level).
    std::vector<uint8_t> keycodesCarrying(std::initializer_list<uint32_t> keysyms) const;
    // The modifier bits (Mod1..Mod5) that the modifier mapping gives to any of the keycodes.
    uint16_t modifiersOf(const std::vector<uint8_t>& keycodes) const;
    // A keycode without any symbol, usable for a temporary binding; 0 when there is none.
    uint8_t spareKeycode() const;

    // Modifier masks of the keys, read from the modifier mapping (0 when no key has the
    // keysym). The usual Mod1/Mod2/Mod4 stand in when the mapping lacks Alt or Super.
    uint16_t numLockMask() const { return numLockMask_; }
    uint16_t altMask() const { return altMask_; }
    uint16_t superMask() const { return superMask_; }

    uint8_t minKeycode() const { return minKeycode_; }
    uint8_t maxKeycode() const { return maxKeycode_; }
    int keysymsPerKeycode() const { return perKeycode_; }

private:
    uint16_t maskOfKeycodes(const std::vector<uint8_t>& keycodes,
                            const std::vector<uint8_t>& modifierMap, int perModifier) const;

    xcb_connection_t* connection_;
    uint8_t minKeycode_ = 8;
    uint8_t maxKeycode_ = 255;
    int perKeycode_ = 0;
    std::vector<uint32_t> keysyms_;     // (maxKeycode_ - minKeycode_ + 1) * perKeycode_
    std::vector<uint8_t> modifierMap_;  // 8 * perModifier_ keycodes, Shift to Mod5
    int perModifier_ = 0;
    uint16_t numLockMask_ = 0;
    uint16_t altMask_ = XCB_MOD_MASK_1;
    uint16_t superMask_ = XCB_MOD_MASK_4;
};

}  // namespace vorbix::x11
