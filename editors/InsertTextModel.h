// The values of the insert-text editor (TInsertText): the mode (formatted or plain), the Tab
// flag and the text, decoded from a row when the editor is shown and encoded into it on OK; and
// the link markup the link button inserts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/HotKeyTable.h"
#include "core/LanguageTexts.h"

namespace vorbix {

// What the link prompts offer before the user types.
inline constexpr std::string_view kLinkExampleAddress = "https://www.example.com";
inline constexpr std::string_view kLinkDefaultText = "Website";

class InsertTextModel {
public:
    bool formatted = true;  // the body is an RTF document, else plain text
    bool tabAfter = false;
    std::string body;  // lines joined by CR LF

    // What the dialog holds when OK is pressed.
    struct Edit {
        bool formatted = true;
        bool tabAfter = false;
        // Whether the text (or its formatting) was changed since the editor was shown.
        bool textChanged = false;
        std::string body;  // an RTF document (formatted) or the plain text, lines joined by CR LF
    };

    // Takes the row's stored `Text` apart; the value itself is kept for encode.
    void decode(const HotKeyEntry& row);
    // `Text` and `PropertiesText` from the edit. A text that was neither changed nor switched to
    // the other mode keeps the stored bytes (only the Tab flag in front may change), since the
    // document model does not hold everything another writer may have put into the RTF.
    void encode(HotKeyEntry& row, const Edit& edit, const LanguageTexts& current) const;

private:
    std::string stored_;
};

// The link markup for an address and a link text as the prompts gave them: "<url=" address ">"
// text "</url>". An address without "http://" or "https://" in front (any letter case) gets
// "http://"; "<" and ">" in the address are percent-encoded so that the markup stays whole.
// Nothing for an address that is empty or blank.
std::optional<std::string> linkMarkup(std::string_view address, std::string_view text);

}  // namespace vorbix
