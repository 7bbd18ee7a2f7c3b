// The value of the browser and media control editors (TControlBrowser, TControlAudioVideo): the
// chosen entry of their command list. The row stores the entry's text in the language current
// at OK; a text stored in another language still selects its command's entry.
#pragma once

#include <string>
#include <vector>

#include "core/HotKeyTable.h"
#include "editors/EditorTexts.h"

namespace vorbix {

enum class CommandList { Browser, Media };

class ControlCommandModel {
public:
    explicit ControlCommandModel(CommandList list) : list_(list) {}

    int entry = 0;

    // `entries` are the texts the list shows now. The entry whose text equals the stored one
    // (letter case counts; the last of equal ones), else the entry of the command the text
    // names in any language, else entry 0 (also for the placeholders).
    void decode(const HotKeyEntry& row, const std::vector<std::string>& entries,
                const EditorTexts& texts);
    void encode(HotKeyEntry& row, const std::vector<std::string>& entries) const;

private:
    CommandList list_;
};

}  // namespace vorbix
