// The rules beneath the window control and the key-combination stroke, without a desktop:
// title matching, the hidden-window file text, and the strokes a stored combination produces.
#include <gtest/gtest.h>

#include "core/KeyCombStroke.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/x11/WindowHideList.h"

using namespace vorbix;

TEST(HiddenWindowRules, TitlesMatchAnyKeywordIgnoringCase) {
    EXPECT_TRUE(titleMatchesAny("Rechner - Standard", {"Editor", "rechner"}));
    EXPECT_TRUE(titleMatchesAny("ÄRGER.txt – Editor", {"ärger"}));
    EXPECT_FALSE(titleMatchesAny("Terminal", {"Editor", "Rechner"}));
    // An empty keyword would match every window; it matches none.
    EXPECT_FALSE(titleMatchesAny("Terminal", {""}));
    EXPECT_FALSE(titleMatchesAny("Terminal", {}));
    EXPECT_FALSE(titleMatchesAny("", {"abc"}));
}

TEST(HiddenWindowRules, FileTextRoundTripsAndSkipsWhatDoesNotParse) {
    const std::vector<HiddenWindow> windows{{0x1200004, 4711, "Notes\tone\nwith breaks"},
                                            {0x1400009, 0, ""}};
    const std::string text = formatHiddenWindows(windows);
    EXPECT_EQ(text, "18874372\t4711\tNotes one with breaks\n20971529\t0\t\n");
    auto back = parseHiddenWindows(text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], (HiddenWindow{0x1200004, 4711, "Notes one with breaks"}));
    EXPECT_EQ(back[1], windows[1]);

    // CR LF lines, garbage, id 0, ids beyond 32 bits, negative pids and repeated ids.
    back = parseHiddenWindows(
        "5\t1\tfive\r\nnonsense\n0\t1\tzero\n99999999999\t1\tbig\n6\t-1\tneg\n5\t2\tagain\n7\t3");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], (HiddenWindow{5, 1, "five"}));
    EXPECT_TRUE(parseHiddenWindows("").empty());
}

TEST(KeyCombStroke, StoredCombinationIsPressedAfterTheModifierRelease) {
    fake::Log log;
    fake::FakeKeyboard keys(log);
    const BuiltinKeyNames german(BuiltinKeyNames::Group::German);
    const BuiltinKeyNames english(BuiltinKeyNames::Group::English);

    EXPECT_TRUE(simulateKeyComb("Strg+Shift+A", german, keys));
    EXPECT_EQ(log,
              (fake::Log{"release", "down 17", "down 16", "down 65", "up 65", "up 16", "up 17"}));
    log.clear();
    EXPECT_TRUE(simulateKeyComb("Win+E", english, keys));
    EXPECT_EQ(log, (fake::Log{"release", "down 91", "down 69", "up 69", "up 91"}));
    log.clear();
    // All four modifiers, in the English display form.
    EXPECT_TRUE(simulateKeyComb("Win+Ctrl+Shift+Alt+PgUp", english, keys));
    EXPECT_EQ(log, (fake::Log{"release", "down 17", "down 18", "down 16", "down 91", "down 33",
                              "up 33", "up 91", "up 16", "up 18", "up 17"}));
    log.clear();
    // A text stored under a German layout still works under an English one.
    EXPECT_TRUE(simulateKeyComb("Strg+F5", english, keys));
    EXPECT_EQ(log, (fake::Log{"release", "down 17", "down 116", "up 116", "up 17"}));
    log.clear();

    // Nothing at all for texts that name no complete combination.
    EXPECT_FALSE(simulateKeyComb("", german, keys));
    // Modifiers without a key. ("Strg+Shift" names a key now: every layout reads the words of
    // both layout groups, and "Shift" is also the name of the Shift key itself.)
    EXPECT_FALSE(simulateKeyComb("Strg+", german, keys));
    EXPECT_FALSE(simulateKeyComb("Strg+Alt+", english, keys));
    EXPECT_FALSE(simulateKeyComb("<Neue Tastenkombination>", german, keys));
    EXPECT_FALSE(strokeShortCut(kShortCutCtrl, keys));
    EXPECT_TRUE(log.empty());
}
