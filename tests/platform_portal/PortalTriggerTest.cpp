// The portal's trigger notation of every combination the table can hold: the modifiers in the
// desktop's spelling and order, and a key name the desktop parses back to the same key.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <sstream>

#include "platform/portal/PortalTrigger.h"
#include "platform/x11/VirtualKeys.h"

namespace vorbix::portal {
namespace {

TEST(PortalTrigger, SpellsModifiersAndKeysAsTheDesktopParsesThem) {
    struct Case {
        TWinHotKey combination;
        const char* trigger;
    };
    const Case cases[] = {
        {{'H', MOD_CONTROL | MOD_ALT}, "CTRL+ALT+h"},
        {{'Z', MOD_WIN | MOD_SHIFT}, "LOGO+SHIFT+z"},
        {{0x0D, MOD_CONTROL | MOD_SHIFT}, "CTRL+SHIFT+Return"},
        {{0x74, MOD_WIN}, "LOGO+F5"},
        {{0x87, 0}, "F24"},
        {{'7', MOD_ALT | MOD_SHIFT | MOD_CONTROL | MOD_WIN}, "LOGO+CTRL+ALT+SHIFT+7"},
        {{0x65, MOD_CONTROL}, "CTRL+KP_5"},
        {{0x20, MOD_CONTROL}, "CTRL+space"},
        {{0x2E, MOD_CONTROL | MOD_ALT}, "CTRL+ALT+Delete"},
        {{0xAD, 0}, "XF86AudioMute"},
        {{0xB3, MOD_SHIFT}, "SHIFT+XF86AudioPlay"},
        // A punctuation key: the US symbol unless the keyboard says otherwise.
        {{0xBA, MOD_CONTROL}, "CTRL+semicolon"},
        // No key, or a code outside the virtual keys: nothing the desktop could bind.
        {{0, MOD_CONTROL}, ""},
        {{0x07, MOD_CONTROL}, ""},
        {{0x174, MOD_CONTROL}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(portalTrigger(c.combination), c.trigger)
            << "key 0x" << std::hex << c.combination.Key << " modifiers "
            << c.combination.Modifiers;
    }
}

// Of the symbols a punctuation key stands for, the one the keyboard carries is named.
TEST(PortalTrigger, TakesTheSymbolTheKeyboardCarries) {
    const uint32_t udiaeresis = xkb_keysym_from_name("udiaeresis", XKB_KEYSYM_NO_FLAGS);
    const auto german = [&](uint32_t keysym) { return keysym == udiaeresis; };
    const auto none = [](uint32_t) { return false; };
    EXPECT_EQ(portalTrigger({0xBA, MOD_CONTROL}, german), "CTRL+udiaeresis");
    EXPECT_EQ(portalTrigger({0xBA, MOD_CONTROL}, none), "CTRL+semicolon");
}

// Every key of the key table whose symbol has an XKB name: the trigger ends with that name,
// the name leads back to the same symbol, and the modifiers come first.
TEST(PortalTrigger, EveryNamedKeyOfTheKeyTableRoundTrips) {
    int named = 0;
    for (int vk = 1; vk <= 0xFF; ++vk) {
        const uint32_t keysym = x11::keysymFromVirtualKey(uint8_t(vk));
        if (keysym == 0) {
            EXPECT_EQ(portalTrigger({uint16_t(vk), MOD_CONTROL}), "") << "vk 0x" << std::hex << vk;
            continue;
        }
        const std::string name = xkbKeyName(keysym);
        if (name.empty()) continue;
        ++named;
        SCOPED_TRACE("vk 0x" + (std::stringstream() << std::hex << vk).str() + " " + name);
        EXPECT_EQ(portalTrigger({uint16_t(vk), 0}), name);
        EXPECT_EQ(portalTrigger({uint16_t(vk), MOD_SHIFT | MOD_CONTROL}), "CTRL+SHIFT+" + name);
        EXPECT_EQ(xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS), keysym);
        // Only letters, digits, underscores: '+' would split the trigger.
        EXPECT_EQ(name.find_first_not_of(
                      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_"),
                  std::string::npos);
    }
    // Letters, digits, F1-F24, the numeric pad and the named keys: well over a hundred.
    EXPECT_GT(named, 120);
}

TEST(PortalTrigger, KeysymsWithoutANameGiveNoTrigger) {
    EXPECT_EQ(xkbKeyName(0), "");
    EXPECT_EQ(xkbKeyName(0x0000FFFF + 1), "");  // beyond the named range, no Unicode keysym
    EXPECT_EQ(xkbKeyName(xkb_keysym_from_name("Return", XKB_KEYSYM_NO_FLAGS)), "Return");
}

}  // namespace
}  // namespace vorbix::portal
