// The key-simulation value: what OK refuses, and the stored text of a combination under a
// German and an English layout.
#include <gtest/gtest.h>

#include "core/SimulatedKeyComb.h"

namespace vorbix {
namespace {

const BuiltinKeyNames kGerman(BuiltinKeyNames::Group::German);
const BuiltinKeyNames kEnglish(BuiltinKeyNames::Group::English);

HotKeyTable tableWithHotKeys(std::initializer_list<const char*> hotKeys) {
    HotKeyTable table;
    for (const char* text : hotKeys) {
        HotKeyEntry row;
        row.HotKeyText = text;
        EXPECT_TRUE(table.append(row));
    }
    return table;
}

TEST(SimulatedKeyComb, OkRefusesWhatIsIncompleteOrFiresTheProgram) {
    // Rows stored under a German layout, one under an English one, one that names nothing.
    const HotKeyTable table = tableWithHotKeys({"Strg+F5", "Win+E", "Ctrl+Shift+PgUp", "Kaputt"});
    const ReservedCombinations reserved{0xC053 /* Ctrl+Alt+S */, 0x107B /* Win+F12 */};
    struct Case {
        uint16_t shortCut;
        KeyCombCheck expected;
    } cases[] = {
        {0x0000, KeyCombCheck::Incomplete},
        {0x6000, KeyCombCheck::Incomplete},  // Ctrl and Shift alone
        {0x1000, KeyCombCheck::Incomplete},  // the Windows key alone
        {0xC053, KeyCombCheck::SpecialHotKey},
        {0x107B, KeyCombCheck::SpecialHotKey},
        {0x4074, KeyCombCheck::RowHotKey},  // Strg+F5
        {0x1045, KeyCombCheck::RowHotKey},  // Win+E
        {0x4075, KeyCombCheck::Accepted},   // Strg+F6
        {0x8053, KeyCombCheck::Accepted},   // Alt+S: only part of a special combination
        {0x0045, KeyCombCheck::Accepted},   // E alone: only part of a row's combination
        {0x5045, KeyCombCheck::Accepted},   // Win+Ctrl+E
    };
    for (const KeyNameSource* names : {static_cast<const KeyNameSource*>(&kGerman),
                                       static_cast<const KeyNameSource*>(&kEnglish)}) {
        for (const Case& c : cases) {
            EXPECT_EQ(checkSimulatedKeyComb(c.shortCut, table, reserved, *names), c.expected)
                << std::hex << c.shortCut << " German " << names->isGermanLayout();
        }
    }
    // A row's text is read as the registration reads it: the English key names under either
    // layout, since a table written on one layout fires on the other.
    EXPECT_EQ(checkSimulatedKeyComb(0x6021, table, reserved, kEnglish), KeyCombCheck::RowHotKey);
    EXPECT_EQ(checkSimulatedKeyComb(0x6021, table, reserved, kGerman), KeyCombCheck::RowHotKey);
    // Without special combinations in force (0) nothing counts as one.
    EXPECT_EQ(checkSimulatedKeyComb(0xC053, table, {}, kGerman), KeyCombCheck::Accepted);
    EXPECT_EQ(checkSimulatedKeyComb(0x4074, HotKeyTable{}, reserved, kGerman),
              KeyCombCheck::Accepted);
}

TEST(SimulatedKeyComb, StoredTextFollowsTheLayoutAndReadsBack) {
    struct Case {
        uint16_t shortCut;
        const char* german;
        const char* english;
    } cases[] = {
        {0x6041, "Strg+Shift+A", "Ctrl+Shift+A"},
        {0x1045, "Win+E", "Win+E"},
        {0xF021, "Win+Strg+Shift+Alt+BildAuf", "Win+Ctrl+Shift+Alt+PgUp"},
        {0x0074, "F5", "F5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(simulatedKeyCombText(c.shortCut, kGerman), c.german);
        EXPECT_EQ(simulatedKeyCombText(c.shortCut, kEnglish), c.english);
        EXPECT_EQ(simulatedKeyCombOf(c.german, kGerman), c.shortCut) << c.german;
        EXPECT_EQ(simulatedKeyCombOf(c.english, kEnglish), c.shortCut) << c.english;
    }
    // Stored under a German layout and read under an English one: "Strg" stays a German word of
    // the key text, so the combination is the same.
    EXPECT_EQ(simulatedKeyCombOf("Strg+Shift+A", kEnglish), 0x6041);
    EXPECT_EQ(simulatedKeyCombOf("", kGerman), 0);
    EXPECT_EQ(simulatedKeyCombOf("(Keine Tastenkombination festgelegt)", kGerman), 0);
    EXPECT_EQ(simulatedKeyCombOf("Strg+", kGerman), 0);
    EXPECT_EQ(simulatedKeyCombText(0x6000, kGerman), "");
}

}  // namespace
}  // namespace vorbix
