// Text helpers shared by the core and the storage layer. All text is UTF-8 in std::string;
// "characters" are Unicode code points, and no helper ever cuts a UTF-8 sequence.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorbix {

// Decodes UTF-8; an invalid byte becomes U+FFFD.
std::u32string toUtf32(std::string_view text);
// The code point at text[i] (U+FFFD for an invalid byte); advances i past it. i < text.size().
char32_t nextCodePoint(std::string_view text, size_t& i);
std::string toUtf8(std::u32string_view text);
void appendUtf8(std::string& out, char32_t c);

// Number of code points.
size_t utf8Length(std::string_view text);
// The code points [start, start + count) of text (fewer at the end, empty past the end).
std::string utf8Substr(std::string_view text, size_t start, size_t count = std::string::npos);

// Case folding of ASCII and the Latin-1 letters, which covers German and English.
char32_t foldCase(char32_t c);
std::string foldCase(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);
// Letters and digits of ASCII and Latin-1 (what a whole-word test looks at).
bool isLetterOrDigit(char32_t c);

// Removes leading and trailing blanks and control characters (code points up to U+0020).
std::string trim(std::string_view text);
// The same without a copy: a view into `text`.
std::string_view trimmed(std::string_view text);

// Every occurrence of `from` (letter case ignored) replaced by `to`.
std::string replaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to);
// Like replaceAllIgnoreCase, but only where the occurrence is a whole word: the characters just
// before and after it, when there are any, are neither letters nor digits.
std::string replaceWholeWordsIgnoreCase(std::string_view text, std::string_view from,
                                        std::string_view to);
// Every occurrence of `from` (exact) replaced by `to`.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);
// A language text with its first placeholder ("%d", "%s") filled in; unchanged without one.
std::string fillPlaceholder(std::string text, std::string_view placeholder, std::string_view value);

// An integer as the files write them: optional sign and decimal digits, or "$", "0x" or "0X"
// followed by hexadecimal digits. Nothing else may follow. Values outside 32 bits are refused.
std::optional<int32_t> parseInteger(std::string_view text);
int32_t parseIntegerOr(std::string_view text, int32_t fallback);

}  // namespace vorbix
