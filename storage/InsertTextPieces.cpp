#include "storage/InsertTextPieces.h"

#include <algorithm>
#include <cstdint>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

// Characters that reading a value trims away at its ends. All are single bytes in UTF-8, and no
// byte of a longer sequence is one, so the text is cut on bytes.
bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offset `count` characters after `at` (or the end).
size_t advance(std::string_view text, size_t at, size_t count) {
    while (count > 0 && at < text.size()) {
        ++at;
        while (at < text.size() && isContinuation(text[at])) ++at;
        --count;
    }
    return at;
}

// The byte offset of the character before `at`.
size_t back(std::string_view text, size_t at) {
    while (at > 0 && isContinuation(text[--at])) {
    }
    return at;
}

std::string blankCodes(std::string_view blanks) {
    std::string out;
    for (char c : blanks) {
        if (!out.empty()) out += ',';
        out += std::to_string(static_cast<unsigned char>(c));
    }
    return out;
}

// The pieces of a text without blanks at its ends, each cut where neither side is a blank.
std::vector<std::string> piecesOf(std::string_view body) {
    std::vector<std::string> pieces;
    const size_t n = body.size();
    auto cutsCleanly = [&](size_t at) {
        return at == n || (!isBlank(body[at - 1]) && !isBlank(body[at]));
    };
    size_t start = 0;
    while (start < n) {
        const size_t full = advance(body, start, kTextPieceLength);
        const size_t first = advance(body, start, 1);
        size_t end = full;
        while (end > first && !cutsCleanly(end)) end = back(body, end);
        if (!cutsCleanly(end)) {
            // A run of blanks longer than a piece: this piece goes on past it.
            end = advance(body, full, 1);
            while (!cutsCleanly(end)) end = advance(body, end, 1);
        }
        pieces.emplace_back(body.substr(start, end - start));
        start = end;
    }
    return pieces;
}

}  // namespace

InsertTextPieces splitInsertText(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return {piecesOf(text.substr(begin, end - begin)), blankCodes(text.substr(0, begin)),
            blankCodes(text.substr(end))};
}

std::string blanksFromCodes(std::string_view codes) {
    std::string out;
    size_t start = 0;
    while (start < codes.size()) {
        size_t comma = codes.find(',', start);
        if (comma == std::string_view::npos) comma = codes.size();
        const std::optional<int32_t> code = parseInteger(codes.substr(start, comma - start));
        if (!code || *code < 0 || *code > 0x20) return {};
        out += static_cast<char>(*code);
        start = comma + 1;
    }
    return out;
}

}  // namespace vorbix
