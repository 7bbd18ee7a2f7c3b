// How the hot key file holds an insert text: in pieces under "Text1", "Text2", ... that reading
// trims, so a piece must neither begin nor end with a blank (a character up to U+0020). Pieces
// are cut every hundred characters where that is clean and earlier where it is not; only a run
// of blanks longer than a piece makes one longer. The blanks at the very start and end of the
// text, which no piece can hold, are kept apart as decimal character codes ("9,32").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorbix {

// Rows of kind 10 keep their text in pieces of at most this many characters (code points).
inline constexpr size_t kTextPieceLength = 100;

struct InsertTextPieces {
    std::vector<std::string> pieces;
    std::string headCodes;  // the blanks before the first piece, as codes; empty when none
    std::string tailCodes;  // the blanks after the last piece
};

InsertTextPieces splitInsertText(std::string_view text);
// The blanks named by codes; empty for anything else (a broken or foreign value).
std::string blanksFromCodes(std::string_view codes);

}  // namespace vorbix
