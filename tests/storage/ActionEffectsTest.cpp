#include "storage/ActionEffects.h"

#include <gtest/gtest.h>

#include "platform/fake/FakeDesktop.h"

namespace vorbix {
namespace {

TEST(ActionEffects, DateAndTimeFormats) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_hour = 7;
    t.tm_min = 5;
    t.tm_sec = 3;
    EXPECT_EQ(formatDateTime("DD.MM.YYYY", t), "09.12.2026");
    EXPECT_EQ(formatDateTime("YYYY-MM-DD", t), "2026-12-09");
    EXPECT_EQ(formatDateTime("MM/DD/YYYY", t), "12/09/2026");
    EXPECT_EQ(formatDateTime("hh:mm:ss", t), "07:05:03");
    EXPECT_EQ(formatDateTime("mm:ss", t), "05:03");
    EXPECT_EQ(formatDateTime("ss", t), "03");
}

TEST(ActionEffects, PlaceholdersInsertNothing) {
    fake::Log log;
    fake::FakeClipboard clipboard(log);
    LanguageTexts texts;
    texts.sNewText = "<Text>";
    texts.sNewDateTime = "<Datum>";
    HotKeyEntry row;
    row.Text = "<~Form~>";
    row.PropertiesText = "<Text>";
    runInsertText(row, texts, clipboard, false);
    // Empty texts also where the row shows another language's placeholder.
    for (const char* empty : {"<~Form~>", "<~T~><~Form~>", "<~NoFo~>", "<~Form~>{\\rtf1 }"}) {
        row.Text = empty;
        row.PropertiesText = "(No text entered)";
        runInsertText(row, texts, clipboard, false);
    }
    row.PropertiesText = "<Datum>";
    runInsertDateTime(row, texts, clipboard, false, 0);
    EXPECT_TRUE(log.empty());
    row.Text = "<~NoFo~>abc";
    row.PropertiesText = "abc";
    runInsertText(row, texts, clipboard, true);
    EXPECT_EQ(log, (fake::Log{"insert abc keep"}));
}

}  // namespace
}  // namespace vorbix
