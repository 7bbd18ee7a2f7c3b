// The values of the date/time editor (TDateTime): a date format of three parts joined by one
// separator, or one of six time formats. The row's PropertiesText is the format itself.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/HotKeyTable.h"
#include "editors/EditorTexts.h"

namespace vorbix {

// The entries of the editor's lists, in list order.
inline constexpr std::array<std::string_view, 3> kDateParts{"DD", "MM", "YYYY"};
inline constexpr std::array<char, 3> kDateSeparators{'.', '/', '-'};
inline constexpr std::array<std::string_view, 6> kTimeFormats{"hh:mm:ss", "hh:mm", "mm:ss",
                                                              "hh",       "mm",    "ss"};
// The parts a new format starts with: DD, MM, YYYY.
inline constexpr std::array<int, 3> kDefaultDateParts{0, 1, 2};

enum class DateTimeKind { Date = 0, Time = 1 };

class DateTimeModel {
public:
    DateTimeKind kind = DateTimeKind::Date;
    std::array<int, 3> parts = kDefaultDateParts;  // indices into kDateParts
    int separator = 0;                             // index into kDateSeparators
    // Index into kTimeFormats; -1 while a stored time format that is none of them is kept.
    int time = 0;
    std::string keptTime;  // that stored format

    // Every value comes from the stored format: the placeholder of any language (or nothing)
    // gives the defaults; a format beginning with "h", "m" or "s" is a time; anything else is
    // read as a date whose parts end at ".", "/" or "-" (blanks skipped), where a part that is
    // no entry, or missing, takes its default. What the format does not give keeps its default.
    void decode(std::string_view stored, const EditorTexts& texts);
    // The format OK stores.
    std::string format() const;
    void encode(HotKeyEntry& row) const { row.PropertiesText = format(); }
    // The user switches between date and time: the separator starts over with ".".
    void setKind(DateTimeKind k);
    char separatorChar() const { return kDateSeparators[size_t(separator)]; }
};

}  // namespace vorbix
