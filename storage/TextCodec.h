// Bytes of a file <-> UTF-8 text. A byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE. Without
// one, bytes that are valid UTF-8 and hold non-ASCII characters are UTF-8 (a file saved by a Linux
// editor); everything else is Windows-1252 (the ANSI code page of the Windows version).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorbix {

// Utf8 is UTF-8 without a byte-order mark.
enum class TextEncoding { Windows1252, Utf8Bom, Utf16LE, Utf16BE, Utf8 };

struct DecodedText {
    std::string text;  // UTF-8
    TextEncoding encoding = TextEncoding::Windows1252;
};

DecodedText decodeText(std::string_view bytes);
// The encoding decodeText would find, without decoding.
TextEncoding detectEncoding(std::string_view bytes);

// Encodes UTF-8 text in `preferred`. Windows-1252 is used only when every character fits and the
// bytes read back as Windows-1252; otherwise the text is written as UTF-8 with a byte-order mark,
// so that nothing is lost.
// `used` receives the encoding actually written.
std::string encodeText(std::string_view text, TextEncoding preferred, TextEncoding* used = nullptr);

std::string windows1252ToUtf8(std::string_view bytes);
// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing past
// U+10FFFF.
bool isValidUtf8(std::string_view bytes);
std::optional<unsigned char> toWindows1252(char32_t c);
bool fitsWindows1252(std::string_view text);

}  // namespace vorbix
