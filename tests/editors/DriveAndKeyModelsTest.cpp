// The values of the drive-door and key-simulation editors without widgets.
#include <gtest/gtest.h>

#include "editors/OpenCloseDriveModel.h"
#include "editors/SimulateKeyCombModel.h"
#include "tests/editors/ModelTestSupport.h"

namespace vorbix {
namespace {

using Strings = std::vector<std::string>;
using E = DriveEntry;

LanguageWords words(const char* language, const char* drive, const char* keys) {
    LanguageWords w;
    w.main.language = language;
    w.main.sNewDrive = drive;
    w.main.sNewKeyComb = keys;
    return w;
}

const LanguageWords kGerman =
    words("German", "(Kein Laufwerk gewählt)", "(Keine Tastenkombination festgelegt)");
const LanguageWords kEnglish = words("English", "(No drive chosen)", "(No key combination set)");

const LanguageCatalogue& bothLanguages() {
    static const LanguageCatalogue catalogue = test::catalogueOf({kGerman, kEnglish});
    return catalogue;
}

EditorTexts current(const LanguageWords& w) {
    return {w.main, &bothLanguages()};
}

using test::rowWith;

TEST(OpenCloseDriveModel, TicksStoredLettersAndKeepsThoseNotPresent) {
    const Strings present = {"D:\\", "E:\\", "G:\\"};
    struct Case {
        const char* stored;
        std::vector<E> entries;
        const char* storedOnOk;  // with the ticks as shown
    } cases[] = {
        {"D:, E:", {{'D', true, true}, {'E', true, true}, {'G', true, false}}, "D:, E:"},
        {"e:,d", {{'D', true, true}, {'E', true, true}, {'G', true, false}}, "D:, E:"},
        {"DE", {{'D', true, true}, {'E', true, true}, {'G', true, false}}, "D:, E:"},
        // F is not present now: listed as unavailable, ticked, and stored again.
        {"F:, D:",
         {{'D', true, true}, {'E', true, false}, {'F', false, true}, {'G', true, false}},
         "D:, F:"},
        {"K:",
         {{'D', true, false}, {'E', true, false}, {'G', true, false}, {'K', false, true}},
         "K:"},
        {"(Kein Laufwerk gewählt)",
         {{'D', true, false}, {'E', true, false}, {'G', true, false}},
         "(No drive chosen)"},
        {"(No drive chosen)",
         {{'D', true, false}, {'E', true, false}, {'G', true, false}},
         "(No drive chosen)"},
    };
    for (const Case& c : cases) {
        OpenCloseDriveModel m;
        HotKeyEntry row = rowWith(c.stored);
        m.decode(row, present, current(kGerman));
        EXPECT_EQ(m.entries, c.entries) << c.stored;
        m.encode(row, kEnglish.main);
        EXPECT_EQ(row.PropertiesText, c.storedOnOk) << c.stored;
    }
}

TEST(OpenCloseDriveModel, UntickingEverythingStoresThePlaceholder) {
    OpenCloseDriveModel m;
    HotKeyEntry row = rowWith("D:, F:");
    m.decode(row, {"D:\\"}, current(kEnglish));
    ASSERT_EQ(m.entries.size(), 2u);
    m.entries[1].ticked = false;  // the drive no longer there is dropped on purpose
    m.encode(row, kGerman.main);
    EXPECT_EQ(row.PropertiesText, "D:");
    m.entries[0].ticked = false;
    m.encode(row, kGerman.main);
    EXPECT_EQ(row.PropertiesText, "(Kein Laufwerk gewählt)");
    // No drive present and nothing stored: an empty list.
    m.decode(row, {}, current(kGerman));
    EXPECT_TRUE(m.entries.empty());
}

TEST(SimulateKeyCombModel, ShowsStoresAndChecksTheCombination) {
    const BuiltinKeyNames german(BuiltinKeyNames::Group::German);
    const BuiltinKeyNames english(BuiltinKeyNames::Group::English);
    struct Case {
        const char* stored;
        uint16_t shortCut;
    } cases[] = {
        {"Strg+Shift+A", 0x6041},
        {"Win+E", 0x1045},
        {"(Keine Tastenkombination festgelegt)", 0},
        {"(No key combination set)", 0},
        {"Strg+", 0},
        {"nonsense", 0},
    };
    for (const Case& c : cases) {
        SimulateKeyCombModel m;
        m.shortCut = 0x4041;
        m.decode(rowWith(c.stored), current(kEnglish), german);
        EXPECT_EQ(m.shortCut, c.shortCut) << c.stored;
    }
    SimulateKeyCombModel m;
    m.shortCut = 0x6041;
    HotKeyEntry row;
    m.encode(row, german);
    EXPECT_EQ(row.PropertiesText, "Strg+Shift+A");
    m.encode(row, english);
    EXPECT_EQ(row.PropertiesText, "Ctrl+Shift+A");

    HotKeyTable table;
    HotKeyEntry taken;
    taken.HotKeyText = "Strg+Shift+A";
    ASSERT_TRUE(table.append(taken));
    EXPECT_EQ(m.check(table, {}, german), KeyCombCheck::RowHotKey);
    EXPECT_EQ(m.check(HotKeyTable{}, {0, 0x6041}, german), KeyCombCheck::SpecialHotKey);
    EXPECT_EQ(m.check(HotKeyTable{}, {}, german), KeyCombCheck::Accepted);
}

}  // namespace
}  // namespace vorbix
