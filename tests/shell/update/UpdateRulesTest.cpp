// The update check's rules without a network: versions compared as numbers, the first line of
// the answer, the stored date in the user's format, and what a tick does for the recorded day,
// today and the interval.
#include <gtest/gtest.h>

#include "shell/update/UpdateCheck.h"
#include "shell/update/UpdateRules.h"

namespace vorbix {
namespace {

TEST(UpdateRules, VersionsAreComparedAsNumbers) {
    struct Case {
        const char* offered;
        const char* own;
        bool newer;
    } cases[] = {
        {"10.4.0.1", "10.4.0.0", true},    {"10.5", "10.4.0.0", true},
        {"10.10.0.0", "10.9.0.0", true},   {"11", "10.99.99.99", true},
        {"10.4.0.0", "10.4.0.0", false},   {"10.4", "10.4.0.0", false},
        {"10.3.9.9", "10.4.0.0", false},   {"9.99", "10.4.0.0", false},
        {" 10.5.0.0\r", "10.4.0.0", true}, {"", "10.4.0.0", false},
        {"garbage", "10.4.0.0", false},    {"10.5.0.0 beta", "10.4.0.0", false},
        {"10..5", "10.4.0.0", false},      {"10.5.", "10.4.0.0", false},
        {".10.5", "10.4.0.0", false},      {"10.5.0.0.1", "10.4.0.0", false},
        {"-10.5", "10.4.0.0", false},      {"1234567890.0", "10.4.0.0", false},
        {"<html>", "10.4.0.0", false},     {"10.5.0.0", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isNewerVersion(c.offered, c.own), c.newer) << c.offered << " vs " << c.own;
    }
    EXPECT_EQ(parseVersion("10.4"), (VersionNumber{10, 4, 0, 0}));
    EXPECT_EQ(parseVersion("999999999.1.2.3"), (VersionNumber{999999999, 1, 2, 3}));
}

TEST(UpdateRules, FirstLineOfTheAnswer) {
    EXPECT_EQ(firstLineOf("10.5.0.0\r\nsecond\r\n"), "10.5.0.0");
    EXPECT_EQ(firstLineOf("10.5.0.0\nsecond"), "10.5.0.0");
    EXPECT_EQ(firstLineOf("\xEF\xBB\xBF"
                          "10.5.0.0"),
              "10.5.0.0");
    EXPECT_EQ(firstLineOf(""), "");
    EXPECT_EQ(firstLineOf("\r\n10.5"), "");
}

TEST(UpdateRules, StoredDatesInTheUsersFormat) {
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(UpdateCheck::storedDate(QDate(2024, 5, 3), german), "03.05.2024");
    EXPECT_EQ(UpdateCheck::storedDate(QDate(2024, 5, 3), us), "5/3/2024");
    struct Case {
        const char* text;
        const QLocale* locale;
        QDate date;  // invalid: no date
    } cases[] = {
        {"03.05.2024", &german, {2024, 5, 3}},
        {"3.5.2024", &german, {2024, 5, 3}},
        {"5/3/2024", &us, {2024, 5, 3}},
        {"2024-05-03", &us, {2024, 5, 3}},
        // Written by the Windows version in German, read where the format is American.
        {"03.05.2024", &us, {2024, 5, 3}},
        {" 03.05.2024 ", &german, {2024, 5, 3}},
        {"0", &german, {}},
        {"", &german, {}},
        {"31.02.2024", &german, {}},
        {"gestern", &german, {}},
        {"99/99/9999", &us, {}},
    };
    for (const Case& c : cases) {
        const std::optional<QDate> d = UpdateCheck::dateOfStored(c.text, *c.locale);
        if (c.date.isValid()) {
            ASSERT_TRUE(d.has_value()) << c.text;
            EXPECT_EQ(*d, c.date) << c.text;
        } else {
            EXPECT_FALSE(d.has_value()) << c.text;
        }
    }
}

TEST(UpdateRules, TickDecidesByDaysAndInterval) {
    using K = UpdateTick::Kind;
    const int64_t today = QDate(2024, 5, 10).toJulianDay();
    auto day = [](int y, int m, int d) {
        return std::optional<int64_t>(QDate(y, m, d).toJulianDay());
    };
    struct Case {
        std::optional<int64_t> last;
        int interval;
        K kind;
        int64_t untilDue;
    } cases[] = {
        {std::nullopt, 1, K::RecordFirstDay, 0},
        {day(2024, 5, 10), 1, K::NotDue, 1},
        {day(2024, 5, 9), 1, K::Download, 0},
        {day(2024, 5, 8), 3, K::NotDue, 1},
        {day(2024, 5, 7), 3, K::Download, 0},
        {day(2024, 5, 4), 7, K::NotDue, 1},
        {day(2024, 5, 3), 7, K::Download, 0},
        {day(2024, 4, 27), 14, K::NotDue, 1},
        {day(2024, 4, 26), 14, K::Download, 0},
        {day(2024, 5, 10), 14, K::NotDue, 14},
        {day(2023, 5, 10), 14, K::Download, 0},
        // A day after today (the clock was set back) counts as never checked.
        {day(2024, 5, 11), 1, K::RecordFirstDay, 0},
        {day(2030, 1, 1), 7, K::RecordFirstDay, 0},
        // An interval below one day counts as one.
        {day(2024, 5, 10), 0, K::NotDue, 1},
        {day(2024, 5, 9), -3, K::Download, 0},
    };
    for (const Case& c : cases) {
        const UpdateTick t = decideUpdateTick(c.last, today, c.interval);
        EXPECT_EQ(t.kind, c.kind) << (c.last ? *c.last - today : 999) << " / " << c.interval;
        EXPECT_EQ(t.daysUntilDue, c.untilDue) << (c.last ? *c.last - today : 999);
    }
}

}  // namespace
}  // namespace vorbix
