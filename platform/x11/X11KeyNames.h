// Key names and the layout test on X11. The names are the built-in Windows-style names of the
// German or the English group, chosen by the active XKB layout, so stored key texts read the
// same here and on Windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/KeyNotation.h"

struct xcb_connection_t;

namespace vorbix::x11 {

class X11Keymap;

class X11KeyNames : public KeyNameSource {
public:
    // Uses the running QGuiApplication's X connection; without one the layout is not German.
    X11KeyNames();
    explicit X11KeyNames(xcb_connection_t* connection);

    std::string keyName(uint8_t virtualKey) const override;
    // German when the active XKB group's layout is "de" or Swiss German ("ch" and its German
    // variants). An unreadable name counts as not German. The answer is read from the server
    // at most every kCacheMs, as one key text asks for many names in a row.
    bool isGermanLayout() const override;

    static constexpr int kCacheMs = 50;

private:
    xcb_connection_t* connection_ = nullptr;
    mutable int64_t readAt_ = -1000;
    mutable bool german_ = false;
};

// Whether the layout of `group` (0-based) in an XKB symbols name such as
// "pc+us+de(nodeadkeys):2+inc(evdev)" is a German one.
bool isGermanSymbolsGroup(std::string_view symbols, int group);

// The virtual key of a key event, for the capture field: from its keysym (Qt's
// nativeVirtualKey) and, when that symbol has no virtual key (a shifted symbol such as "!"),
// from the unshifted symbol of its keycode (Qt's nativeScanCode). 0 when neither has one.
uint8_t virtualKeyOfKeyEvent(uint32_t keysym, uint32_t keycode);

// The Windows key on this keyboard, as the capture field needs it: the keycodes that carry Super
// or Hyper at any level (a keyboard may have several, and a tool may press one that carries it
// only on a shifted level), and the modifier bits those keycodes set per the modifier map.
// Modifiers that Alt or Meta keys share are left out, so Alt is never taken for Win.
struct WinKeys {
    std::vector<uint8_t> keycodes;
    uint16_t modifiers = 0;
};
WinKeys winKeysOf(const X11Keymap& keymap);
// The same for the application's X connection, read anew on every call (the capture field asks
// for the few keys typed into it); nothing without a connection.
bool isWinKeycode(uint32_t keycode);
bool winHeldInState(uint32_t state);

}  // namespace vorbix::x11
