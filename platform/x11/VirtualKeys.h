// The one table between the program's key vocabulary (Windows virtual-key codes, as stored in
// shortcut words and key texts) and X keysyms.
#pragma once

#include <cstdint>
#include <vector>

namespace vorbix::x11 {

// Virtual-key codes the X11 code refers to by name.
namespace vk {
inline constexpr uint8_t Back = 0x08, Tab = 0x09, Clear = 0x0C, Return = 0x0D, Shift = 0x10,
                         Control = 0x11, Menu = 0x12, Pause = 0x13, Capital = 0x14, Escape = 0x1B,
                         Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24,
                         Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28, Snapshot = 0x2C,
                         Insert = 0x2D, Delete = 0x2E, LWin = 0x5B, RWin = 0x5C, Apps = 0x5D,
                         Numpad0 = 0x60, Numpad5 = 0x65, F1 = 0x70, F5 = 0x74, F24 = 0x87,
                         NumLock = 0x90, Scroll = 0x91, BrowserBack = 0xA6, BrowserHome = 0xAC,
                         VolumeMute = 0xAD, MediaPlayPause = 0xB3, LaunchMail = 0xB4, Oem1 = 0xBA,
                         OemPlus = 0xBB, OemComma = 0xBC, OemMinus = 0xBD, OemPeriod = 0xBE,
                         Oem2 = 0xBF, Oem3 = 0xC0, Oem4 = 0xDB, Oem5 = 0xDC, Oem6 = 0xDD,
                         Oem7 = 0xDE, Oem102 = 0xE2;
}  // namespace vk

// The keysyms that stand for a virtual key, the usual one first. Keys whose symbol depends on
// the layout (the punctuation keys) list the US symbol and then the German one; the keymap
// decides which of them a keyboard carries. Empty for a code without a key.
std::vector<uint32_t> keysymsFromVirtualKey(uint8_t virtualKey);

// The usual keysym of a virtual key, 0 when there is none.
uint32_t keysymFromVirtualKey(uint8_t virtualKey);

// The virtual key a keysym belongs to, 0 when none. Upper- and lower-case letters, the numeric
// pad without NumLock (KP_Home is Home) and the keypad Enter map like Windows maps them.
uint8_t virtualKeyFromKeysym(uint32_t keysym);

}  // namespace vorbix::x11
