// Splits the bytes of an RTF document into what the reader acts on: group braces, control words
// with their numeric parameter, control symbols, \'hh bytes and text characters. Text outside
// ASCII is taken as UTF-8. The binary data after \bin is stepped over here; line ends and other
// control bytes in the text are no characters, and a broken \'hh escape gives no token.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorbix {

struct RtfToken {
    enum class Kind { OpenGroup, CloseGroup, Word, Binary, Symbol, Byte, Text };
    Kind kind = Kind::Text;
    std::string_view word;      // Word: the name, cut to its first 32 letters
    bool hasParameter = false;  // Word, Binary
    int parameter = 0;          // Word, Binary
    char symbol = 0;            // Symbol: the character after the backslash
    unsigned char byte = 0;     // Byte: the value of \'hh
    // Text: characters in a row, up to the next brace or backslash or a few hundred of them (a
    // broken UTF-8 sequence stands as U+FFFD). Valid until the next token is read.
    std::u32string_view text;
};

class RtfTokenizer {
public:
    // Blanks and control bytes before the document are skipped.
    explicit RtfTokenizer(std::string_view rtf);

    // Reads the next token into `token`; false at the end of the input.
    bool next(RtfToken& token);

private:
    bool controlSequence(RtfToken& token);
    void controlWord(RtfToken& token);
    bool text(RtfToken& token);

    std::string_view in_;
    size_t pos_ = 0;
    std::u32string text_;  // the characters of the last text token
};

}  // namespace vorbix
