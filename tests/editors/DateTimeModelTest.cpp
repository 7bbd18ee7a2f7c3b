// The date/time editor's values, and that every format it can store is one the date/time row
// inserts as it should.
#include <gtest/gtest.h>

#include "editors/DateTimeModel.h"
#include "storage/ActionEffects.h"
#include "tests/editors/TwoLanguages.h"

namespace vorbix {
namespace {

using K = DateTimeKind;

TEST(DateTimeModel, ReadsTheStoredFormat) {
    struct Case {
        const char* stored;
        K kind;
        std::array<int, 3> parts;
        int separator;
        int time;
        const char* stores;  // what OK stores without a change
    } cases[] = {
        {"(Kein Format gewählt)", K::Date, {0, 1, 2}, 0, 0, "DD.MM.YYYY"},
        {"(No format chosen)", K::Date, {0, 1, 2}, 0, 0, "DD.MM.YYYY"},  // the other language's
        {"", K::Date, {0, 1, 2}, 0, 0, "DD.MM.YYYY"},
        {"DD.MM.YYYY", K::Date, {0, 1, 2}, 0, 0, "DD.MM.YYYY"},
        {"YYYY-MM-DD", K::Date, {2, 1, 0}, 2, 0, "YYYY-MM-DD"},
        {"MM/DD/YYYY", K::Date, {1, 0, 2}, 1, 0, "MM/DD/YYYY"},
        {"DD.DD.DD", K::Date, {0, 0, 0}, 0, 0, "DD.DD.DD"},  // repeats are allowed
        // Blanks around parts and separators are skipped.
        {" DD . MM . YYYY", K::Date, {0, 1, 2}, 0, 0, "DD.MM.YYYY"},
        // The first separator decides.
        {"DD/MM-YYYY", K::Date, {0, 1, 2}, 1, 0, "DD/MM/YYYY"},
        // A part that is no entry, or missing, takes its default.
        {"DD.XX.YYYY", K::Date, {0, 1, 2}, 0, 0, "DD.MM.YYYY"},
        {"yyyy-dd-mm", K::Date, {0, 1, 2}, 2, 0, "DD-MM-YYYY"},
        {"YYYY", K::Date, {2, 1, 2}, 0, 0, "YYYY.MM.YYYY"},
        {"MM.", K::Date, {1, 1, 2}, 0, 0, "MM.MM.YYYY"},
        {"DD.MM.YYYY.MM", K::Date, {0, 1, 2}, 0, 0, "DD.MM.YYYY"},
        {"hh:mm:ss", K::Time, {0, 1, 2}, 0, 0, "hh:mm:ss"},
        {"hh:mm", K::Time, {0, 1, 2}, 0, 1, "hh:mm"},
        {"ss", K::Time, {0, 1, 2}, 0, 5, "ss"},
        // A time format that is no entry is kept as it is.
        {"hh.mm", K::Time, {0, 1, 2}, 0, -1, "hh.mm"},
        {"mm:hh", K::Time, {0, 1, 2}, 0, -1, "mm:hh"},
        // Upper case "H" is no time format.
        {"HH:MM", K::Date, {0, 1, 2}, 0, 0, "DD.MM.YYYY"},
    };
    for (const LanguageTexts& language : {test::germanTexts(), test::englishTexts()}) {
        for (const Case& c : cases) {
            DateTimeModel m;
            // What another row showed before may not remain.
            m.kind = K::Time;
            m.parts = {2, 2, 2};
            m.separator = 2;
            m.time = 4;
            m.keptTime = "left over";
            m.decode(c.stored, test::editorTexts(language));
            const std::string what = language.language + ": " + c.stored;
            EXPECT_EQ(m.kind, c.kind) << what;
            EXPECT_EQ(m.parts, c.parts) << what;
            EXPECT_EQ(m.separator, c.separator) << what;
            EXPECT_EQ(m.time, c.time) << what;
            EXPECT_EQ(m.format(), c.stores) << what;
        }
    }
}

TEST(DateTimeModel, SwitchingBetweenDateAndTimeStartsTheSeparatorOver) {
    DateTimeModel m;
    m.decode("YYYY-MM-DD", test::editorTexts(test::germanTexts()));
    m.setKind(K::Time);
    EXPECT_EQ(m.format(), "hh:mm:ss");
    m.setKind(K::Date);
    EXPECT_EQ(m.separator, 0);
    EXPECT_EQ(m.format(), "YYYY.MM.DD") << "the date lists keep their parts";
    // A kept time format stays kept until an entry is chosen.
    m.decode("h", test::editorTexts(test::germanTexts()));
    m.setKind(K::Date);
    m.setKind(K::Time);
    EXPECT_EQ(m.format(), "h");
    m.time = 3;
    EXPECT_EQ(m.format(), "hh");
}

// Every format the editor can store, inserted at 2026-12-09 07:05:03: each part becomes its
// number and the separators stay.
TEST(DateTimeModel, EveryStorableFormatInsertsWhatItShows) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_hour = 7;
    t.tm_min = 5;
    t.tm_sec = 3;
    const std::array<std::string, 3> values{"09", "12", "2026"};
    DateTimeModel m;
    m.kind = K::Date;
    int formats = 0;
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            for (int c = 0; c < 3; ++c) {
                for (int s = 0; s < 3; ++s) {
                    m.parts = {a, b, c};
                    m.separator = s;
                    const char sep = kDateSeparators[size_t(s)];
                    const std::string expected =
                        values[size_t(a)] + sep + values[size_t(b)] + sep + values[size_t(c)];
                    EXPECT_EQ(formatDateTime(m.format(), t), expected) << m.format();
                    ++formats;
                }
            }
        }
    }
    EXPECT_EQ(formats, 81);
    const char* times[] = {"07:05:03", "07:05", "05:03", "07", "05", "03"};
    m.kind = K::Time;
    for (int i = 0; i < 6; ++i) {
        m.time = i;
        EXPECT_EQ(formatDateTime(m.format(), t), times[i]) << m.format();
    }
}

}  // namespace
}  // namespace vorbix
