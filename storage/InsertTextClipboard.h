// What the insert-text action puts on the clipboard for a stored value: a formatted text goes as
// RTF, HTML and plain text, with its link markup turned into real links; a plain text goes as
// plain text alone, each link markup replaced by its address. Line breaks of the plain flavour
// are LF, as X11 programs expect.
#pragma once

#include <string_view>

#include "core/Ports.h"

namespace vorbix {

struct InsertTextInsertion {
    ClipboardContent content;
    bool tabAfter = false;  // press Tab after pasting
};

InsertTextInsertion insertTextInsertion(std::string_view storedText);

}  // namespace vorbix
