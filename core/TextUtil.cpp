#include "core/TextUtil.h"

#include <algorithm>
#include <limits>

namespace vorbix {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[i]; advances i past it.
char32_t decodeOne(std::string_view text, size_t& i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        c = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        c = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        c = b0 & 0x07;
        min = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + extra >= text.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        c = (c << 6) | (b & 0x3F);
    }
    i += extra + 1;
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
    return c;
}

size_t byteOffsetOf(std::string_view text, size_t codePoints) {
    size_t i = 0;
    while (codePoints > 0 && i < text.size()) {
        decodeOne(text, i);
        --codePoints;
    }
    return i;
}

}  // namespace

void appendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

char32_t nextCodePoint(std::string_view text, size_t& i) {
    return decodeOne(text, i);
}

std::u32string toUtf32(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) out.push_back(decodeOne(text, i));
    return out;
}

std::string toUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) appendUtf8(out, c);
    return out;
}

size_t utf8Length(std::string_view text) {
    size_t n = 0;
    size_t i = 0;
    while (i < text.size()) {
        decodeOne(text, i);
        ++n;
    }
    return n;
}

std::string utf8Substr(std::string_view text, size_t start, size_t count) {
    const size_t from = byteOffsetOf(text, start);
    if (count == std::string::npos) return std::string(text.substr(from));
    const size_t len = byteOffsetOf(text.substr(from), count);
    return std::string(text.substr(from, len));
}

char32_t foldCase(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    return c;
}

std::string foldCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) appendUtf8(out, foldCase(decodeOne(text, i)));
    return out;
}

namespace {

// Compares the characters at a[i] and b[j] without regard to case and moves past both. Folding
// never turns a character outside ASCII into one inside it, so two ASCII bytes are compared as
// bytes and an ASCII byte never equals anything else; only two multi-byte characters are decoded.
bool isAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

inline bool sameFoldedCharacter(std::string_view a, size_t& i, std::string_view b, size_t& j) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[j]);
    if (x < 0x80 || y < 0x80) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 0x20 : int(c); };
        if (x >= 0x80 || y >= 0x80 || lower(x) != lower(y)) return false;
        ++i;
        ++j;
        return true;
    }
    return foldCase(decodeOne(a, i)) == foldCase(decodeOne(b, j));
}

}  // namespace

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    // An ASCII character only ever equals an ASCII character, byte for byte, so an all-ASCII
    // text can only equal a text of its own length.
    if (a.size() != b.size() && (isAscii(a) || isAscii(b))) return false;
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (!sameFoldedCharacter(a, i, b, j)) return false;
    }
    return i == a.size() && j == b.size();
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    size_t i = 0;
    size_t j = 0;
    while (j < prefix.size()) {
        if (i >= text.size()) return false;
        if (!sameFoldedCharacter(text, i, prefix, j)) return false;
    }
    return true;
}

bool isLetterOrDigit(char32_t c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    if (c == 0xAA || c == 0xB5 || c == 0xBA) return true;
    if (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) return true;
    return false;
}

std::string_view trimmed(std::string_view text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 0x20) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20) --e;
    return text.substr(b, e - b);
}

std::string trim(std::string_view text) {
    return std::string(trimmed(text));
}

namespace {

// Whether the ASCII text holds the ASCII needle anywhere (letter case ignored when asked).
bool containsAscii(std::string_view text, std::string_view needle, bool ignoreCase) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 0x20) : c; };
    auto same = [&](char a, char b) { return ignoreCase ? lower(a) == lower(b) : a == b; };
    return std::search(text.begin(), text.end(), needle.begin(), needle.end(), same) != text.end();
}

std::string replaceImpl(std::string_view text, std::string_view from, std::string_view to,
                        bool ignoreCase, bool wholeWords) {
    if (from.empty()) return std::string(text);
    if (isAscii(text) && isAscii(from) && !containsAscii(text, from, ignoreCase)) {
        return std::string(text);
    }
    const std::u32string hay = toUtf32(text);
    const std::u32string needle = toUtf32(from);
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < hay.size()) {
        bool match = i + needle.size() <= hay.size();
        for (size_t k = 0; match && k < needle.size(); ++k) {
            const char32_t a = hay[i + k];
            const char32_t b = needle[k];
            match = ignoreCase ? foldCase(a) == foldCase(b) : a == b;
        }
        if (match && wholeWords) {
            const bool before = i > 0 && isLetterOrDigit(hay[i - 1]);
            const size_t end = i + needle.size();
            const bool after = end < hay.size() && isLetterOrDigit(hay[end]);
            match = !before && !after;
        }
        if (match) {
            out.append(to);
            i += needle.size();
        } else {
            appendUtf8(out, hay[i]);
            ++i;
        }
    }
    return out;
}

}  // namespace

std::string replaceAllIgnoreCase(std::string_view text, std::string_view from,
                                 std::string_view to) {
    return replaceImpl(text, from, to, true, false);
}

std::string replaceWholeWordsIgnoreCase(std::string_view text, std::string_view from,
                                        std::string_view to) {
    return replaceImpl(text, from, to, true, true);
}

std::string fillPlaceholder(std::string text, std::string_view placeholder,
                            std::string_view value) {
    if (const size_t at = text.find(placeholder); at != std::string::npos)
        text.replace(at, placeholder.size(), value);
    return text;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    size_t pos = 0;
    while (true) {
        const size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::optional<int32_t> parseInteger(std::string_view text) {
    if (text.empty()) return std::nullopt;
    bool negative = false;
    size_t i = 0;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        i = 1;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return std::nullopt;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        int digit = -1;
        if (ch >= '0' && ch <= '9')
            digit = ch - '0';
        else if (base == 16 && ch >= 'a' && ch <= 'f')
            digit = ch - 'a' + 10;
        else if (base == 16 && ch >= 'A' && ch <= 'F')
            digit = ch - 'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 16) {
        // Hexadecimal numbers name the 32-bit pattern, as "$FF000000" does for a colour.
        const auto bits = static_cast<uint32_t>(value);
        const auto v = static_cast<int32_t>(bits);
        return negative ? static_cast<int32_t>(0u - bits) : v;
    }
    if (negative) {
        if (value > 0x80000000ull) return std::nullopt;
        return static_cast<int32_t>(-static_cast<int64_t>(value));
    }
    if (value > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t parseIntegerOr(std::string_view text, int32_t fallback) {
    return parseInteger(text).value_or(fallback);
}

}  // namespace vorbix
