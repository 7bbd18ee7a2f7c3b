#include <gtest/gtest.h>

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <utility>

#include "platform/x11/VirtualKeys.h"
#include "platform/x11/X11KeyNames.h"

namespace vorbix::x11 {
namespace {

TEST(VirtualKeys, EveryKeyWithASymbolMapsBackToItself) {
    int mapped = 0;
    for (int code = 1; code <= 0xFF; ++code) {
        const auto vk = static_cast<uint8_t>(code);
        for (uint32_t keysym : keysymsFromVirtualKey(vk)) {
            ++mapped;
            const uint8_t back = virtualKeyFromKeysym(keysym);
            // The left/right modifier codes share their symbols with the generic codes.
            const bool generic = (vk >= 0xA0 && vk <= 0xA5) && back >= 0x10 && back <= 0x12;
            const bool altGr = vk == 0xA5 && back == 0xA5;
            EXPECT_TRUE(back == vk || generic || altGr) << std::hex << code << " " << keysym;
        }
        if (!keysymsFromVirtualKey(vk).empty())
            EXPECT_EQ(keysymFromVirtualKey(vk), keysymsFromVirtualKey(vk).front());
        else
            EXPECT_EQ(keysymFromVirtualKey(vk), 0u);
    }
    EXPECT_GT(mapped, 150);
}

TEST(VirtualKeys, RangesAndNamedKeys) {
    const std::pair<uint8_t, uint32_t> expected[] = {
        {'A', XK_a},
        {'Z', XK_z},
        {'0', XK_0},
        {0x70, XK_F1},
        {0x87, XK_F24},
        {0x60, XK_KP_0},
        {0x69, XK_KP_9},
        {0x0C, XK_KP_Begin},
        {0x13, XK_Pause},
        {0x2C, XK_Print},
        {0x91, XK_Scroll_Lock},
        {0x5B, XK_Super_L},
        {0x5C, XK_Super_R},
        {0x5D, XK_Menu},
        {0x12, XK_Alt_L},
        {0xA6, XF86XK_Back},
        {0xAC, XF86XK_HomePage},
        {0xAD, XF86XK_AudioMute},
        {0xB3, XF86XK_AudioPlay},
        {0xB4, XF86XK_Mail},
        {0x00, 0},
        {0x07, 0},
        {0xFF, 0},  // codes without a key
    };
    for (const auto& [vk, keysym] : expected)
        EXPECT_EQ(keysymFromVirtualKey(vk), keysym) << std::hex << int(vk);
}

TEST(VirtualKeys, SymbolsTheKeyboardProducesMapLikeWindowsKeys) {
    EXPECT_EQ(virtualKeyFromKeysym(XK_A), 'A');  // Shift held
    EXPECT_EQ(virtualKeyFromKeysym(XK_q), 'Q');
    EXPECT_EQ(virtualKeyFromKeysym(XK_Shift_R), 0x10);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Control_R), 0x11);
    EXPECT_EQ(virtualKeyFromKeysym(XK_ISO_Left_Tab), 0x09);  // Shift+Tab
    EXPECT_EQ(virtualKeyFromKeysym(XK_KP_Enter), 0x0D);
    // The numeric pad without NumLock gives the navigation keys, with it the digits.
    EXPECT_EQ(virtualKeyFromKeysym(XK_KP_Home), 0x24);
    EXPECT_EQ(virtualKeyFromKeysym(XK_KP_Delete), 0x2E);
    EXPECT_EQ(virtualKeyFromKeysym(XK_KP_Begin), 0x0C);
    EXPECT_EQ(virtualKeyFromKeysym(XK_KP_7), 0x67);
    EXPECT_EQ(virtualKeyFromKeysym(XK_KP_Decimal), 0x6E);
    EXPECT_EQ(virtualKeyFromKeysym(XF86XK_AudioPause), 0xB3);
    EXPECT_EQ(virtualKeyFromKeysym(XK_exclam), 0);  // a shifted symbol: the keycode decides
    EXPECT_EQ(virtualKeyFromKeysym(0), 0);
}

TEST(VirtualKeys, PunctuationOfTheUsAndTheGermanLayout) {
    struct Row {
        uint8_t vk;
        uint32_t us, german;
    };
    const Row rows[] = {
        {0xBA, XK_semicolon, XK_udiaeresis},    {0xBB, XK_equal, XK_plus},
        {0xBF, XK_slash, XK_numbersign},        {0xC0, XK_grave, XK_odiaeresis},
        {0xDB, XK_bracketleft, XK_ssharp},      {0xDC, XK_backslash, XK_dead_circumflex},
        {0xDD, XK_bracketright, XK_dead_acute}, {0xDE, XK_apostrophe, XK_adiaeresis},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(keysymsFromVirtualKey(row.vk), (std::vector<uint32_t>{row.us, row.german}));
        EXPECT_EQ(virtualKeyFromKeysym(row.us), row.vk);
        EXPECT_EQ(virtualKeyFromKeysym(row.german), row.vk);
    }
    EXPECT_EQ(virtualKeyFromKeysym(XK_Udiaeresis), 0xBA);
    for (uint8_t vk : {0xBC, 0xBD, 0xBE, 0xE2}) EXPECT_EQ(keysymsFromVirtualKey(vk).size(), 1u);
    EXPECT_EQ(virtualKeyFromKeysym(XK_comma), 0xBC);
    EXPECT_EQ(virtualKeyFromKeysym(XK_minus), 0xBD);
    EXPECT_EQ(virtualKeyFromKeysym(XK_period), 0xBE);
    EXPECT_EQ(virtualKeyFromKeysym(XK_less), 0xE2);
}

TEST(GermanLayout, ReadFromTheSymbolsOfTheActiveGroup) {
    EXPECT_TRUE(isGermanSymbolsGroup("pc+de+inc(evdev)", 0));
    EXPECT_TRUE(isGermanSymbolsGroup("pc+de(nodeadkeys)+inc(evdev)", 0));
    EXPECT_FALSE(isGermanSymbolsGroup("pc+us+inc(evdev)", 0));
    EXPECT_FALSE(isGermanSymbolsGroup("pc+at+inc(evdev)", 0));
    // Swiss: German unless a French variant.
    EXPECT_TRUE(isGermanSymbolsGroup("pc+ch+inc(evdev)", 0));
    EXPECT_TRUE(isGermanSymbolsGroup("pc+ch(de_nodeadkeys)+inc(evdev)", 0));
    EXPECT_FALSE(isGermanSymbolsGroup("pc+ch(fr)+inc(evdev)", 0));
    // Several groups: the group number picks the layout; options are not layouts.
    EXPECT_FALSE(isGermanSymbolsGroup("pc+us+de:2+inc(evdev)+group(alt_shift_toggle)", 0));
    EXPECT_TRUE(isGermanSymbolsGroup("pc+us+de:2+inc(evdev)+group(alt_shift_toggle)", 1));
    EXPECT_FALSE(isGermanSymbolsGroup("pc+de+us:2+inc(evdev)", 1));
    EXPECT_FALSE(isGermanSymbolsGroup("pc+us+de:2", 2));
    // Unreadable names are not German.
    for (const char* bad : {"", "+", "de:9", "pc+(de)", "pc+:2+de:", "pc+inc(evdev)"})
        EXPECT_FALSE(isGermanSymbolsGroup(bad, 1)) << bad;
    EXPECT_FALSE(isGermanSymbolsGroup("pc+de", -1));
    EXPECT_FALSE(isGermanSymbolsGroup("pc+de", 4));
}

}  // namespace
}  // namespace vorbix::x11
