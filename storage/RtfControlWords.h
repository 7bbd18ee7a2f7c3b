// The RTF control words the reader acts on, by what they do: destinations it reads or skips,
// font and colour table entries, document settings, special characters, paragraph and character
// formatting. Every other word is Unknown and skipped.
#pragma once

#include <string_view>

namespace vorbix {

enum class RtfWord {
    Unknown,
    FontTable,
    ColorTable,
    Field,
    FieldInstruction,
    FieldResult,
    ListDefinition,
    SkippedDestination,
    UnicodeSkip,
    Unicode,
    Font,
    FontCharset,
    Red,
    Green,
    Blue,
    DefaultFont,
    CodePage,
    Ansi,
    Character,
    ParagraphEnd,
    ParagraphDefault,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    ListOverride,
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    FontSize,
    Color,
};

struct RtfWordInfo {
    RtfWord kind = RtfWord::Unknown;
    char32_t character = 0;  // Character: the character the word stands for
};

// What the control word `word` (its name without backslash and parameter) does.
RtfWordInfo lookUpRtfWord(std::string_view word);

}  // namespace vorbix
