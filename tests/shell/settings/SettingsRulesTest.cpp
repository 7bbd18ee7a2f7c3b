// The settings dialog's rules without widgets: what OK refuses or asks about the two special
// combinations, the autostart entry's value for the two boxes and back, and the defaults.
#include <gtest/gtest.h>

#include "shell/settings/SettingsRules.h"

namespace vorbix {
namespace {

const BuiltinKeyNames kNames(BuiltinKeyNames::Group::German);

HotKeyTable tableWith(std::initializer_list<const char*> keys) {
    HotKeyTable table;
    for (const char* key : keys) {
        HotKeyEntry row;
        row.HotKeyText = key;
        row.ActionText = "Kopieren";
        EXPECT_TRUE(table.append(row));
    }
    return table;
}

TEST(SettingsRules, SpecialCombinationsAreCheckedInOrder) {
    // Rows: Strg+F5 and, in the display form of the layout, Strg+Alt+Entf.
    const HotKeyTable table = tableWith({"Strg+F5", "Strg+Alt+Entf"});
    struct Case {
        bool symbolOn;
        std::string symbol;
        bool deActivateOn;
        std::string deActivate;
        std::string_view refusal;
        bool untick;
    } cases[] = {
        {false, "", false, "", "", false},
        {true, "Strg+F6", false, "", "", false},
        {true, "", false, "", "MessageSymbolHotKeyError1", false},
        {true, "Quatsch", false, "", "MessageSymbolHotKeyError1", false},
        {true, "Strg+F5", false, "", "MessageSymbolHotKeyError2", false},
        {true, "Strg+Alt+Entf", false, "", "MessageSymbolHotKeyError2", false},
        {true, "Strg+F6", true, "Strg+F6", "MessageSymbolHotKeyError2", false},
        // The tray combination is checked first: its refusal wins over the switch's.
        {true, "", true, "Strg+F5", "MessageSymbolHotKeyError1", false},
        {false, "", true, "Strg+F5", "MessageDeactivateHotKeyError", false},
        {true, "Strg+F6", true, "Strg+F5", "MessageDeactivateHotKeyError", false},
        // A ticked switch box with an empty field is unticked, not refused.
        {true, "Strg+F6", true, "", "", true},
        {false, "", true, "Strg+F7", "", false},
        // Unticked boxes ignore what their fields held.
        {false, "Strg+F5", false, "Strg+F5", "", false},
    };
    for (const Case& c : cases) {
        SettingsConfig s;
        s.symbolHotKeyOn = c.symbolOn;
        s.symbolHotKey = c.symbol;
        s.deActivateHotKeyOn = c.deActivateOn;
        s.deActivateHotKey = c.deActivate;
        const SpecialCombinationCheck check = checkSpecialCombinations(s, table, kNames);
        EXPECT_EQ(check.refusalKey, c.refusal) << c.symbol << " / " << c.deActivate;
        EXPECT_EQ(check.untickDeActivate, c.untick) << c.symbol << " / " << c.deActivate;
    }
}

TEST(SettingsRules, CombinationTextsTravelBothWays) {
    for (const char* text : {"Strg+F5", "Strg+Alt+D", "Win+Umsch+E", "Alt+Pos1"}) {
        const uint16_t word = specialCombinationWord(text, kNames);
        EXPECT_NE(word, 0) << text;
        EXPECT_EQ(specialCombinationText(word, kNames), text);
    }
    EXPECT_EQ(specialCombinationWord("", kNames), 0);
    EXPECT_EQ(specialCombinationText(0, kNames), "");
    EXPECT_FALSE(tableHolds(tableWith({"Strg+F5"}), 0, kNames));
}

TEST(SettingsRules, CombinationsThatTypeACharacterAreAskedAboutOrRefused) {
    using enum TypingClash;
    constexpr uint16_t kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000, kWin = 0x1000;
    // The words of the show/hide and the switch combination (0: box unticked), those switched
    // on before OK, and what OK makes of them.
    struct Case {
        uint16_t symbol, deActivate, symbolBefore, deActivateBefore;
        TypingClash clash;
    } cases[] = {
        {'E', 0, 0, 0, Character},
        {0, '7', 0, 0, Character},
        {0x20, 0, 0, 0, Character},            // Space
        {0xBD, 0, 0, 0, Character},            // the minus key
        {0xE2, 0, 0, 0, Character},            // < beside the left Shift
        {kCtrl | 0x74, 'E', 0, 0, Character},  // the switch's counts as well
        {kShift | 'A', 0, 0, 0, ShiftCharacter},
        {0, kShift | '1', 0, 0, ShiftCharacter},
        {'E', kShift | 0xBE, 0, 0, ShiftCharacter},  // a refusal wins over a question
        {kShift | 'A', 0, kShift | 'A', 0, ShiftCharacter},
        {0x74, 0, 0, 0, None},           // F5
        {kShift | 0x74, 0, 0, 0, None},  // Shift+F5
        {0x65, 0, 0, 0, None},           // Num 5
        {0, kShift | 0x6B, 0, 0, None},  // Shift+Num +
        {0xB3, 0, 0, 0, None},           // Play/Pause
        {0, 0xAF, 0, 0, None},           // Volume Up
        {kShift | 0x24, 0, 0, 0, None},  // Shift+Home
        {kCtrl | 'E', kAlt | 'E', 0, 0, None},
        {kWin | 'E', kCtrl | kShift | 'A', 0, 0, None},
        // A combination taken before is not asked about again, in either field.
        {'E', 0, 'E', 0, None},
        {0, 'E', 'E', 0, None},
        {'E', '7', 'E', 0, Character},
    };
    auto settingsOf = [](uint16_t symbol, uint16_t deActivate) {
        SettingsConfig s;
        s.symbolHotKeyOn = symbol != 0;
        s.symbolHotKey = specialCombinationText(symbol, kNames);
        s.deActivateHotKeyOn = deActivate != 0;
        s.deActivateHotKey = specialCombinationText(deActivate, kNames);
        return s;
    };
    for (const Case& c : cases) {
        const SettingsConfig now = settingsOf(c.symbol, c.deActivate);
        SCOPED_TRACE(now.symbolHotKey + " / " + now.deActivateHotKey);
        EXPECT_EQ(
            specialCombinationsTyping(now, settingsOf(c.symbolBefore, c.deActivateBefore), kNames),
            c.clash);
    }
    // Unticked boxes count for nothing, now or before.
    SettingsConfig now = settingsOf('E', kShift | 'A');
    SettingsConfig before = now;
    now.deActivateHotKeyOn = false;
    before.symbolHotKeyOn = false;
    EXPECT_EQ(specialCombinationsTyping(now, before, kNames), Character);
    now.symbolHotKeyOn = false;
    EXPECT_EQ(specialCombinationsTyping(now, before, kNames), None);
}

TEST(SettingsRules, AutostartValueAndBoxes) {
    const std::string exe = "/opt/Vorbix Tools/vorbix";
    struct Case {
        std::optional<std::string> value;
        AutostartChoice boxes;
    } read[] = {
        {std::nullopt, {false, false}},
        {exe, {true, false}},
        {"\"" + exe + "\" hide", {true, true}},
        // Only exactly the quoted path and " hide" counts as hidden.
        {"\"" + exe + "\"", {true, false}},
        {exe + " hide", {true, false}},
        {"\"" + exe + "\" Hide", {true, false}},
        {"\"/usr/bin/other\" hide", {true, false}},
        {"", {true, false}},
    };
    for (const Case& c : read) {
        EXPECT_EQ(autostartChoiceOf(c.value, exe), c.boxes) << c.value.value_or("<none>");
    }
    EXPECT_EQ(autostartValueFor({false, false}, exe), std::nullopt);
    EXPECT_EQ(autostartValueFor({false, true}, exe), std::nullopt) << "hidden needs start";
    EXPECT_EQ(autostartValueFor({true, false}, exe), exe);
    EXPECT_EQ(autostartValueFor({true, true}, exe), "\"" + exe + "\" hide");
    for (const AutostartChoice& c : {AutostartChoice{true, false}, AutostartChoice{true, true}}) {
        EXPECT_EQ(autostartChoiceOf(autostartValueFor(c, exe), exe), c);
    }
}

TEST(SettingsRules, DefaultsKeepTheLanguageAndSwitchAutostartOn) {
    SettingsConfig s;
    s.language = "English";
    s.welcomeCheckBoxTicked = true;
    s.improvement = false;
    s.symbolHotKeyOn = true;
    s.symbolHotKey = "Strg+F9";
    s.deActivateHotKeyOn = true;
    s.deActivateHotKey = "Strg+F10";
    s.autoUpdate = false;
    s.updateIntervalDays = 14;
    s.hideByMinimize = true;
    s.schemeIndex = 3;
    s.colors = {1, 2, 3, 4};
    s.pathCheck = false;
    s.saveClipboard = true;
    AutostartChoice autostart;
    resetToDefaults(s, autostart);
    EXPECT_EQ(s.language, "English");
    EXPECT_FALSE(s.welcomeCheckBoxTicked);
    EXPECT_TRUE(s.improvement);
    EXPECT_FALSE(s.symbolHotKeyOn);
    EXPECT_FALSE(s.deActivateHotKeyOn);
    EXPECT_TRUE(s.autoUpdate);
    EXPECT_EQ(s.updateIntervalDays, 1);
    EXPECT_FALSE(s.hideByMinimize);
    EXPECT_EQ(s.schemeIndex, 0);
    EXPECT_EQ(s.colors, colorSchemes()[0].colors);
    EXPECT_TRUE(s.pathCheck);
    EXPECT_FALSE(s.saveClipboard);
    EXPECT_EQ(autostart, (AutostartChoice{true, true}));
}

}  // namespace
}  // namespace vorbix
