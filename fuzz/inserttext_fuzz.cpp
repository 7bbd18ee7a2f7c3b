// The stored insert-text value on arbitrary bytes: decoding accepts anything, and the pieces the
// hot key file keeps a text in give the text back whole, none of them beginning or ending with a
// blank that reading would trim away.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/TextUtil.h"
#include "storage/InsertTextClipboard.h"
#include "storage/InsertTextDigest.h"
#include "storage/InsertTextPieces.h"

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

bool isBlank(unsigned char c) {
    return c <= 0x20;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorbix;
    // The value as a file holds it: valid UTF-8 on one line.
    std::string text = toUtf8(toUtf32(std::string(reinterpret_cast<const char*>(data), size)));

    const InsertTextValue value = decodeInsertText(text);
    check(encodeInsertText(value).find_first_of(" \r\n") == std::string::npos);
    (void)insertTextInsertion(text);
    (void)insertTextDigest(text);

    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    const InsertTextPieces pieces = splitInsertText(text);
    std::string joined = blanksFromCodes(pieces.headCodes);
    for (const std::string& piece : pieces.pieces) {
        check(!piece.empty() && !isBlank(piece.front()) && !isBlank(piece.back()));
        joined += piece;
    }
    joined += blanksFromCodes(pieces.tailCodes);
    check(joined == text);
    return 0;
}
