#include "platform/x11/VirtualKeys.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <algorithm>

namespace vorbix::x11 {
namespace {

enum class Way : uint8_t {
    Both,     // the virtual key's keysym, and the keysym's virtual key
    FromSym,  // only the keysym's virtual key (an alias the keyboard may produce)
};

struct Pair {
    uint8_t vk;
    uint32_t keysym;
    Way way;
};

// Ranges (letters, digits, F keys, numeric pad digits) are generated; this holds the rest. For a
// virtual key the entries appear in order of preference.
constexpr Pair kPairs[] = {
    {0x08, XK_BackSpace, Way::Both},
    {0x09, XK_Tab, Way::Both},
    {0x09, XK_ISO_Left_Tab, Way::FromSym},
    {0x0C, XK_KP_Begin, Way::Both},
    {0x0C, XK_Clear, Way::FromSym},
    {0x0D, XK_Return, Way::Both},
    {0x0D, XK_KP_Enter, Way::FromSym},
    {0x10, XK_Shift_L, Way::Both},
    {0x10, XK_Shift_R, Way::FromSym},
    {0x11, XK_Control_L, Way::Both},
    {0x11, XK_Control_R, Way::FromSym},
    {0x12, XK_Alt_L, Way::Both},
    {0x12, XK_Alt_R, Way::FromSym},
    {0x12, XK_Meta_L, Way::FromSym},
    {0x13, XK_Pause, Way::Both},
    {0x13, XK_Break, Way::FromSym},
    {0x14, XK_Caps_Lock, Way::Both},
    {0x1B, XK_Escape, Way::Both},
    {0x20, XK_space, Way::Both},
    {0x20, XK_KP_Space, Way::FromSym},
    {0x21, XK_Prior, Way::Both},
    {0x21, XK_KP_Prior, Way::FromSym},
    {0x22, XK_Next, Way::Both},
    {0x22, XK_KP_Next, Way::FromSym},
    {0x23, XK_End, Way::Both},
    {0x23, XK_KP_End, Way::FromSym},
    {0x24, XK_Home, Way::Both},
    {0x24, XK_KP_Home, Way::FromSym},
    {0x25, XK_Left, Way::Both},
    {0x25, XK_KP_Left, Way::FromSym},
    {0x26, XK_Up, Way::Both},
    {0x26, XK_KP_Up, Way::FromSym},
    {0x27, XK_Right, Way::Both},
    {0x27, XK_KP_Right, Way::FromSym},
    {0x28, XK_Down, Way::Both},
    {0x28, XK_KP_Down, Way::FromSym},
    {0x29, XK_Select, Way::Both},
    {0x2B, XK_Execute, Way::Both},
    {0x2C, XK_Print, Way::Both},
    {0x2C, XK_Sys_Req, Way::FromSym},
    {0x2D, XK_Insert, Way::Both},
    {0x2D, XK_KP_Insert, Way::FromSym},
    {0x2E, XK_Delete, Way::Both},
    {0x2E, XK_KP_Delete, Way::FromSym},
    {0x2F, XK_Help, Way::Both},
    {0x5B, XK_Super_L, Way::Both},
    {0x5C, XK_Super_R, Way::Both},
    {0x5D, XK_Menu, Way::Both},
    {0x5F, XF86XK_Sleep, Way::Both},
    {0x6A, XK_KP_Multiply, Way::Both},
    {0x6B, XK_KP_Add, Way::Both},
    {0x6C, XK_KP_Separator, Way::Both},
    {0x6D, XK_KP_Subtract, Way::Both},
    {0x6E, XK_KP_Decimal, Way::Both},
    {0x6F, XK_KP_Divide, Way::Both},
    {0x90, XK_Num_Lock, Way::Both},
    {0x91, XK_Scroll_Lock, Way::Both},
    {0xA0, XK_Shift_L, Way::Both},
    {0xA1, XK_Shift_R, Way::Both},
    {0xA2, XK_Control_L, Way::Both},
    {0xA3, XK_Control_R, Way::Both},
    {0xA4, XK_Alt_L, Way::Both},
    {0xA5, XK_Alt_R, Way::Both},
    {0xA5, XK_ISO_Level3_Shift, Way::Both},
    {0xA6, XF86XK_Back, Way::Both},
    {0xA7, XF86XK_Forward, Way::Both},
    {0xA8, XF86XK_Refresh, Way::Both},
    {0xA9, XF86XK_Stop, Way::Both},
    {0xAA, XF86XK_Search, Way::Both},
    {0xAB, XF86XK_Favorites, Way::Both},
    {0xAC, XF86XK_HomePage, Way::Both},
    {0xAD, XF86XK_AudioMute, Way::Both},
    {0xAE, XF86XK_AudioLowerVolume, Way::Both},
    {0xAF, XF86XK_AudioRaiseVolume, Way::Both},
    {0xB0, XF86XK_AudioNext, Way::Both},
    {0xB1, XF86XK_AudioPrev, Way::Both},
    {0xB2, XF86XK_AudioStop, Way::Both},
    {0xB3, XF86XK_AudioPlay, Way::Both},
    {0xB3, XF86XK_AudioPause, Way::FromSym},
    {0xB4, XF86XK_Mail, Way::Both},
    {0xB5, XF86XK_AudioMedia, Way::Both},
    {0xB6, XF86XK_MyComputer, Way::Both},
    {0xB7, XF86XK_Calculator, Way::Both},
    // Punctuation: the US symbol, then the German one.
    {0xBA, XK_semicolon, Way::Both},
    {0xBA, XK_udiaeresis, Way::Both},
    {0xBA, XK_Udiaeresis, Way::FromSym},
    {0xBB, XK_equal, Way::Both},
    {0xBB, XK_plus, Way::Both},
    {0xBC, XK_comma, Way::Both},
    {0xBD, XK_minus, Way::Both},
    {0xBE, XK_period, Way::Both},
    {0xBF, XK_slash, Way::Both},
    {0xBF, XK_numbersign, Way::Both},
    {0xC0, XK_grave, Way::Both},
    {0xC0, XK_odiaeresis, Way::Both},
    {0xC0, XK_Odiaeresis, Way::FromSym},
    {0xDB, XK_bracketleft, Way::Both},
    {0xDB, XK_ssharp, Way::Both},
    {0xDC, XK_backslash, Way::Both},
    {0xDC, XK_dead_circumflex, Way::Both},
    {0xDC, XK_asciicircum, Way::FromSym},
    {0xDD, XK_bracketright, Way::Both},
    {0xDD, XK_dead_acute, Way::Both},
    {0xDD, XK_acute, Way::FromSym},
    {0xDE, XK_apostrophe, Way::Both},
    {0xDE, XK_adiaeresis, Way::Both},
    {0xDE, XK_Adiaeresis, Way::FromSym},
    {0xE2, XK_less, Way::Both},
};

uint8_t rangeVirtualKey(uint32_t keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return static_cast<uint8_t>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z) return static_cast<uint8_t>(keysym);
    if (keysym >= XK_0 && keysym <= XK_9) return static_cast<uint8_t>(keysym);
    if (keysym >= XK_F1 && keysym <= XK_F24) return static_cast<uint8_t>(0x70 + (keysym - XK_F1));
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return static_cast<uint8_t>(0x60 + (keysym - XK_KP_0));
    return 0;
}

uint32_t rangeKeysym(uint8_t vk) {
    if (vk >= 'A' && vk <= 'Z') return XK_a + (vk - 'A');
    if (vk >= '0' && vk <= '9') return XK_0 + (vk - '0');
    if (vk >= 0x70 && vk <= 0x87) return XK_F1 + (vk - 0x70);
    if (vk >= 0x60 && vk <= 0x69) return XK_KP_0 + (vk - 0x60);
    return 0;
}

}  // namespace

std::vector<uint32_t> keysymsFromVirtualKey(uint8_t virtualKey) {
    std::vector<uint32_t> result;
    if (uint32_t sym = rangeKeysym(virtualKey)) result.push_back(sym);
    for (const Pair& p : kPairs)
        if (p.vk == virtualKey && p.way == Way::Both) result.push_back(p.keysym);
    return result;
}

uint32_t keysymFromVirtualKey(uint8_t virtualKey) {
    if (uint32_t sym = rangeKeysym(virtualKey)) return sym;
    for (const Pair& p : kPairs)
        if (p.vk == virtualKey && p.way == Way::Both) return p.keysym;
    return 0;
}

uint8_t virtualKeyFromKeysym(uint32_t keysym) {
    if (uint8_t vk = rangeVirtualKey(keysym)) return vk;
    // First entry wins, so Shift_L gives the generic Shift rather than the left Shift.
    auto it = std::find_if(std::begin(kPairs), std::end(kPairs),
                           [keysym](const Pair& p) { return p.keysym == keysym; });
    return it == std::end(kPairs) ? 0 : it->vk;
}

}  // namespace vorbix::x11
