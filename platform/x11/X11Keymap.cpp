#include "platform/x11/X11Keymap.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/x11/VirtualKeys.h"

namespace vorbix::x11 {
namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

}  // namespace

X11Keymap::X11Keymap(xcb_connection_t* connection) : connection_(connection) {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    minKeycode_ = setup->min_keycode;
    maxKeycode_ = setup->max_keycode;
    refresh();
}

void X11Keymap::refresh() {
    const int count = maxKeycode_ - minKeycode_ + 1;
    auto keyboardCookie = xcb_get_keyboard_mapping(connection_, minKeycode_, count);
    auto modifierCookie = xcb_get_modifier_mapping(connection_);

    Reply<xcb_get_keyboard_mapping_reply_t> keyboard(
        xcb_get_keyboard_mapping_reply(connection_, keyboardCookie, nullptr));
    Reply<xcb_get_modifier_mapping_reply_t> modifiers(
        xcb_get_modifier_mapping_reply(connection_, modifierCookie, nullptr));

    keysyms_.clear();
    perKeycode_ = 0;
    if (keyboard) {
        perKeycode_ = keyboard->keysyms_per_keycode;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(keyboard.get());
        const int length = xcb_get_keyboard_mapping_keysyms_length(keyboard.get());
        keysyms_.assign(syms, syms + length);
    }

    numLockMask_ = 0;
    altMask_ = XCB_MOD_MASK_1;
    superMask_ = XCB_MOD_MASK_4;
    modifierMap_.clear();
    perModifier_ = 0;
    if (modifiers) {
        const uint8_t* codes = xcb_get_modifier_mapping_keycodes(modifiers.get());
        const int perModifier = modifiers->keycodes_per_modifier;
        std::vector<uint8_t> map(codes, codes + 8 * perModifier);
        modifierMap_ = map;
        perModifier_ = perModifier;
        numLockMask_ = maskOfKeycodes(keycodesWith({XK_Num_Lock}), map, perModifier);
        if (uint16_t m = maskOfKeycodes(keycodesWith({XK_Alt_L, XK_Alt_R}), map, perModifier))
            altMask_ = m;
        if (uint16_t m = maskOfKeycodes(keycodesWith({XK_Super_L, XK_Super_R}), map, perModifier))
            superMask_ = m;
    }
}

uint16_t X11Keymap::maskOfKeycodes(const std::vector<uint8_t>& keycodes,
                                   const std::vector<uint8_t>& modifierMap, int perModifier) const {
    // Only Mod1..Mod5 can stand for Alt, Super or NumLock; Shift, Lock and Control keep theirs.
    for (int modifier = 3; modifier < 8; ++modifier)
        for (int i = 0; i < perModifier; ++i) {
            const uint8_t code = modifierMap[modifier * perModifier + i];
            if (code == 0) continue;
            for (uint8_t k : keycodes)
                if (k == code) return static_cast<uint16_t>(1u << modifier);
        }
    return 0;
}

uint32_t X11Keymap::keysymAt(uint8_t keycode, int column) const {
    if (keycode < minKeycode_ || keycode > maxKeycode_ || column < 0 || column >= perKeycode_)
        return 0;
    const size_t index = static_cast<size_t>(keycode - minKeycode_) * perKeycode_ + column;
    return index < keysyms_.size() ? keysyms_[index] : 0;
}

uint8_t X11Keymap::keycodeOf(uint32_t keysym, bool* unshifted) const {
    if (keysym == 0) return 0;
    // Columns 0 and 1 are the first group; later columns are other groups and levels.
    for (int column = 0; column < perKeycode_; ++column)
        for (int code = minKeycode_; code <= maxKeycode_; ++code)
            if (keysymAt(static_cast<uint8_t>(code), column) == keysym) {
                if (unshifted) *unshifted = column == 0;
                return static_cast<uint8_t>(code);
            }
    return 0;
}

uint8_t X11Keymap::keycodeOfVirtualKey(uint8_t virtualKey) const {
    uint8_t fallback = 0;
    for (uint32_t keysym : keysymsFromVirtualKey(virtualKey)) {
        bool unshifted = false;
        const uint8_t code = keycodeOf(keysym, &unshifted);
        if (code && unshifted) return code;
        if (code && !fallback) fallback = code;
    }
    return fallback;
}

std::vector<uint8_t> X11Keymap::keycodesWith(std::initializer_list<uint32_t> keysyms) const {
    std::vector<uint8_t> result;
    for (int code = minKeycode_; code <= maxKeycode_; ++code)
        for (int column = 0; column < 2 && column < perKeycode_; ++column) {
            const uint32_t sym = keysymAt(static_cast<uint8_t>(code), column);
            bool match = false;
            for (uint32_t k : keysyms) match = match || (sym != 0 && sym == k);
            if (match) {
                result.push_back(static_cast<uint8_t>(code));
                break;
            }
        }
    return result;
}

std::vector<uint8_t> X11Keymap::keycodesCarrying(std::initializer_list<uint32_t> keysyms) const {
    std::vector<uint8_t> result;
    for (int code = minKeycode_; code <= maxKeycode_; ++code) {
        bool match = false;
        for (int column = 0; column < perKeycode_ && !match; ++column) {
            const uint32_t sym = keysymAt(static_cast<uint8_t>(code), column);
            for (uint32_t k : keysyms) match = match || (sym != 0 && sym == k);
        }
        if (match) result.push_back(static_cast<uint8_t>(code));
    }
    return result;
}

uint16_t X11Keymap::modifiersOf(const std::vector<uint8_t>& keycodes) const {
    uint16_t mask = 0;
    for (int modifier = 3; modifier < 8; ++modifier)
        for (int i = 0; i < perModifier_; ++i) {
            const uint8_t code = modifierMap_[modifier * perModifier_ + i];
            if (code != 0 && std::find(keycodes.begin(), keycodes.end(), code) != keycodes.end())
                mask |= static_cast<uint16_t>(1u << modifier);
        }
    return mask;
}

uint8_t X11Keymap::spareKeycode() const {
    for (int code = maxKeycode_; code >= minKeycode_; --code) {
        bool empty = true;
        for (int column = 0; column < perKeycode_ && empty; ++column)
            empty = keysymAt(static_cast<uint8_t>(code), column) == 0;
        if (empty && perKeycode_ > 0) return static_cast<uint8_t>(code);
    }
    return 0;
}

}  // namespace vorbix::x11
