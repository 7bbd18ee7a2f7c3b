#include "storage/InsertTextPieces.h"

#include <algorithm>
#include <cstdint>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

// Characters that reading a value trims away at its ends.
bool isBlank(char32_t c) {
    return c <= 0x20;
}

std::string blankCodes(std::u32string_view blanks) {
    std::string out;
    for (char32_t c : blanks) {
        if (!out.empty()) out += ',';
        out += std::to_string(static_cast<uint32_t>(c));
    }
    return out;
}

// The pieces of a text without blanks at its ends, each cut where neither side is a blank.
std::vector<std::string> piecesOf(std::u32string_view body) {
    std::vector<std::string> pieces;
    const size_t n = body.size();
    auto cutsCleanly = [&](size_t at) {
        return at == n || (!isBlank(body[at - 1]) && !isBlank(body[at]));
    };
    size_t start = 0;
    while (start < n) {
        size_t end = std::min(n, start + kTextPieceLength);
        while (end > start + 1 && !cutsCleanly(end)) --end;
        if (!cutsCleanly(end)) {
            // A run of blanks longer than a piece: this piece goes on past it.
            end = std::min(n, start + kTextPieceLength + 1);
            while (!cutsCleanly(end)) ++end;
        }
        pieces.push_back(toUtf8(body.substr(start, end - start)));
        start = end;
    }
    return pieces;
}

}  // namespace

InsertTextPieces splitInsertText(std::string_view text) {
    const std::u32string characters = toUtf32(text);
    const std::u32string_view whole(characters);
    size_t begin = 0;
    size_t end = whole.size();
    while (begin < end && isBlank(whole[begin])) ++begin;
    while (end > begin && isBlank(whole[end - 1])) --end;
    return {piecesOf(whole.substr(begin, end - begin)), blankCodes(whole.substr(0, begin)),
            blankCodes(whole.substr(end))};
}

std::string blanksFromCodes(std::string_view codes) {
    std::string out;
    size_t start = 0;
    while (start < codes.size()) {
        size_t comma = codes.find(',', start);
        if (comma == std::string_view::npos) comma = codes.size();
        const std::optional<int32_t> code = parseInteger(codes.substr(start, comma - start));
        if (!code || *code < 0 || !isBlank(static_cast<char32_t>(*code))) return {};
        out += static_cast<char>(*code);
        start = comma + 1;
    }
    return out;
}

}  // namespace vorbix
