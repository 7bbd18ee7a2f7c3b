// The stored value of the insert-text action and the plain-text digest shown for it.
//
// The value is one line without blanks: an optional "<~T~>" (press Tab after inserting), then
// "<~Form~>" followed by an RTF document or "<~NoFo~>" followed by plain text; every CR LF is
// written as "<~Re~>" and every space as "<~Spa~>". Markers are recognised in any letter case.
// Link markup inside the text is "<url=" address ">" link text "</url>".
#pragma once

#include <string>
#include <string_view>

namespace vorbix {

inline constexpr std::string_view kInsertTextTabMarker = "<~T~>";
inline constexpr std::string_view kInsertTextFormattedMarker = "<~Form~>";
inline constexpr std::string_view kInsertTextPlainMarker = "<~NoFo~>";
inline constexpr std::string_view kInsertTextReturnMarker = "<~Re~>";
inline constexpr std::string_view kInsertTextSpaceMarker = "<~Spa~>";

struct InsertTextValue {
    bool formatted = true;  // body is an RTF document; otherwise plain text
    bool tabAfter = false;  // "<~T~>": a Tab key press follows the insertion
    std::string body;       // lines joined by CR LF
    bool operator==(const InsertTextValue&) const = default;
};

// The stored value. Every line break of the body (CR LF, and a lone LF or CR too, so that no
// line break can ever reach the one-line value) becomes "<~Re~>". A formatted body whose plain
// text is empty is stored as "<~Form~>" alone.
std::string encodeInsertText(const InsertTextValue& value);

// The value as the editor opens it: markers turned back into line breaks and spaces, the Tab
// flag taken from a leading "<~T~>", the mode from a leading "<~Form~>" (anything else is plain
// text), and every remaining Tab marker and marker of the text's own mode removed.
InsertTextValue decodeInsertText(std::string_view text);

// Every complete link markup replaced by its address, repeated while complete markup is left.
std::string replaceLinkMarkup(std::string_view text);

// The one-line digest the table shows for a stored (or joined "Text1".."TextN") value, wherever
// the row comes from (the editor, a loaded file, the command-line tool): markers removed, the
// plain text of the RTF document for a formatted value, every line break and Tab shown as one
// space, blanks at either end kept, link markup replaced by its address. Empty when nothing is
// left; the caller then shows the placeholder text.
std::string insertTextDigest(std::string_view joinedText);

}  // namespace vorbix
