#include "storage/TextCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

// Code points of the bytes 0x80..0x9F; the five bytes Windows leaves undefined map to the C1
// control of the same number, as MultiByteToWideChar does.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string decodeUtf16(std::string_view bytes, bool littleEndian) {
    std::u32string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](size_t i) -> char16_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(littleEndian ? (a | (b << 8)) : ((a << 8) | b));
    };
    size_t i = 0;
    while (i + 1 < bytes.size()) {
        const char16_t u = unit(i);
        i += 2;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < bytes.size()) {
            const char16_t low = unit(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                i += 2;
                out.push_back(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        out.push_back((u >= 0xD800 && u <= 0xDFFF) ? 0xFFFD : u);
    }
    return toUtf8(out);
}

std::string encodeUtf16(std::string_view text, bool littleEndian) {
    std::string out = littleEndian ? std::string("\xFF\xFE") : std::string("\xFE\xFF");
    auto put = [&](char16_t u) {
        const char hi = static_cast<char>(u >> 8);
        const char lo = static_cast<char>(u & 0xFF);
        if (littleEndian) {
            out.push_back(lo);
            out.push_back(hi);
        } else {
            out.push_back(hi);
            out.push_back(lo);
        }
    };
    for (char32_t c : toUtf32(text)) {
        if (c >= 0x10000) {
            c -= 0x10000;
            put(static_cast<char16_t>(0xD800 + (c >> 10)));
            put(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            put(static_cast<char16_t>(c));
        }
    }
    return out;
}

}  // namespace

namespace {

// The length of the run of ASCII bytes at text[i].
size_t asciiRun(std::string_view text, size_t i) {
    size_t end = i;
    // Eight bytes at a time while none of them has its high bit set.
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    for (uint64_t chunk; end + 8 <= text.size(); end += 8) {
        std::memcpy(&chunk, text.data() + end, 8);
        if (chunk & kHighBits) break;
    }
    while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80) ++end;
    return end - i;
}

}  // namespace

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    size_t i = 0;
    while (i < bytes.size()) {
        const size_t run = asciiRun(bytes, i);
        out.append(bytes, i, run);
        i += run;
        if (i == bytes.size()) break;
        const auto b = static_cast<unsigned char>(bytes[i++]);
        appendUtf8(out, b < 0xA0 ? kHigh[b - 0x80] : char32_t{b});
    }
    return out;
}

std::optional<unsigned char> toWindows1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

namespace {

// The text in Windows-1252 bytes, in one pass that copies ASCII as it is; none when a character
// does not fit.
std::optional<std::string> windows1252Bytes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t run = asciiRun(text, i);
        out.append(text, i, run);
        i += run;
        if (i == text.size()) break;
        const std::optional<unsigned char> b = toWindows1252(nextCodePoint(text, i));
        if (!b) return std::nullopt;
        out.push_back(static_cast<char>(*b));
    }
    return out;
}

}  // namespace

bool fitsWindows1252(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        i += asciiRun(text, i);
        if (i < text.size() && !toWindows1252(nextCodePoint(text, i))) return false;
    }
    return true;
}

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        i += asciiRun(bytes, i);
        if (i == bytes.size()) break;
        const auto b = static_cast<unsigned char>(bytes[i]);
        size_t length = 0;
        char32_t min = 0;
        char32_t c = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2, min = 0x80, c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3, min = 0x800, c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4, min = 0x10000, c = b & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto cont = static_cast<unsigned char>(bytes[i + k]);
            if ((cont & 0xC0) != 0x80) return false;
            c = (c << 6) | (cont & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

TextEncoding detectEncoding(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return TextEncoding::Utf8Bom;
    if (bytes.starts_with("\xFF\xFE")) return TextEncoding::Utf16LE;
    if (bytes.starts_with("\xFE\xFF")) return TextEncoding::Utf16BE;
    const bool ascii = asciiRun(bytes, 0) == bytes.size();
    return !ascii && isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

DecodedText decodeText(std::string_view bytes) {
    const TextEncoding encoding = detectEncoding(bytes);
    switch (encoding) {
        case TextEncoding::Utf8Bom:
            // Re-encode so that invalid sequences become U+FFFD instead of travelling on.
            return {toUtf8(toUtf32(bytes.substr(3))), encoding};
        case TextEncoding::Utf16LE:
            return {decodeUtf16(bytes.substr(2), true), encoding};
        case TextEncoding::Utf16BE:
            return {decodeUtf16(bytes.substr(2), false), encoding};
        case TextEncoding::Utf8:
            return {std::string(bytes), encoding};
        case TextEncoding::Windows1252:
            break;
    }
    return {windows1252ToUtf8(bytes), TextEncoding::Windows1252};
}

std::string encodeText(std::string_view text, TextEncoding preferred, TextEncoding* used) {
    TextEncoding encoding = preferred;
    if (encoding == TextEncoding::Windows1252) {
        // Bytes that a reader would take for UTF-8 or a byte-order mark ("Ã¤", "ï»¿", "ÿþ" at
        // the start) would not read back as this text: such a text, like one with a character
        // Windows-1252 lacks, is written as UTF-8 with a mark.
        std::optional<std::string> bytes = windows1252Bytes(text);
        if (bytes && detectEncoding(*bytes) == TextEncoding::Windows1252) {
            if (used) *used = encoding;
            return std::move(*bytes);
        }
        encoding = TextEncoding::Utf8Bom;
    }
    if (used) *used = encoding;
    switch (encoding) {
        case TextEncoding::Utf8Bom:
            return "\xEF\xBB\xBF" + std::string(text);
        case TextEncoding::Utf8:
            return std::string(text);
        case TextEncoding::Utf16LE:
            return encodeUtf16(text, true);
        case TextEncoding::Utf16BE:
            return encodeUtf16(text, false);
        case TextEncoding::Windows1252:
            break;
    }
    return {};
}

}  // namespace vorbix
