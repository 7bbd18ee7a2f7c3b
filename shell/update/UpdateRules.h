// The rules of the update check, without Qt: reading a version text, deciding whether an offered
// version is newer than ours, and what one tick of the automatic check does for the day of the
// last check, today and the interval in days.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorbix {

// A version of up to four decimal numbers joined by "." ("10.4.0.0"); parts left out count as 0.
using VersionNumber = std::array<uint32_t, 4>;

// The version a text names: blanks around it are ignored; anything else than one to four parts
// of at most nine digits each gives nullopt.
std::optional<VersionNumber> parseVersion(std::string_view text);

// True only when both texts are versions and `offered` is numerically greater than `own`
// (10.10 is newer than 10.9); an empty, garbled, equal or older text is not.
bool isNewerVersion(std::string_view offered, std::string_view own);

// The first line of a downloaded text, without a byte-order mark and the line end.
std::string firstLineOf(std::string_view text);

// What one tick of the automatic check does. Days are counted as whole days (day numbers).
struct UpdateTick {
    enum class Kind {
        RecordFirstDay,  // never checked (or the stored day is unusable): store today, no download
        NotDue,          // the interval has not passed: nothing is downloaded
        Download,        // the interval has passed: download and compare
    };
    Kind kind = Kind::NotDue;
    int64_t daysUntilDue = 0;  // for NotDue: whole days until the check is due (at least 1)
};

// `lastCheckDay` is nullopt when no check was recorded or the stored date cannot be read; a day
// after today counts the same (a clock set back must not block the check for years). An
// interval below one day counts as one.
UpdateTick decideUpdateTick(std::optional<int64_t> lastCheckDay, int64_t today, int intervalDays);

}  // namespace vorbix
