// The value of the drive-door editor (TOpenCloseDrive): the ticked drives of its list. The list
// holds the optical drives present and, as unavailable entries, the drives a row names that are
// not present now, so that OK stores them again unless the user unticks them.
#pragma once

#include <string>
#include <vector>

#include "core/HotKeyTable.h"
#include "editors/EditorTexts.h"

namespace vorbix {

struct DriveEntry {
    char letter;
    bool present;  // false: named by the row, not present now
    bool ticked;
    bool operator==(const DriveEntry&) const = default;
};

class OpenCloseDriveModel {
public:
    std::vector<DriveEntry> entries;  // in ascending letters

    // `presentRoots`: the drives present ("D:\"). The row's letters are ticked, whatever their
    // case and separators; the placeholder of any language ticks none.
    void decode(const HotKeyEntry& row, const std::vector<std::string>& presentRoots,
                const EditorTexts& texts);
    // The ticked letters in list order ("D:, E:"), or the placeholder when none is ticked.
    void encode(HotKeyEntry& row, const LanguageTexts& current) const;
    // The entry's text in the list: its root ("D:\").
    static std::string rootOf(char letter);
};

}  // namespace vorbix
