// Bytes of a file <-> UTF-8 text. Files without a byte-order mark are Windows-1252 (the ANSI code
// page of the Windows version); a mark selects UTF-8, UTF-16 LE or UTF-16 BE.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorbix {

enum class TextEncoding { Windows1252, Utf8Bom, Utf16LE, Utf16BE };

struct DecodedText {
    std::string text;  // UTF-8
    TextEncoding encoding = TextEncoding::Windows1252;
};

DecodedText decodeText(std::string_view bytes);

// Encodes UTF-8 text in `preferred`. Windows-1252 is used only when every character fits;
// otherwise the text is written as UTF-8 with a byte-order mark, so that nothing is lost.
// `used` receives the encoding actually written.
std::string encodeText(std::string_view text, TextEncoding preferred,
                       TextEncoding* used = nullptr);

std::string windows1252ToUtf8(std::string_view bytes);
std::optional<unsigned char> toWindows1252(char32_t c);
bool fitsWindows1252(std::string_view text);

}  // namespace vorbix
