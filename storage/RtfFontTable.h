// The fonts an RTF document declares in its font table, its default font (\deff) and its code
// page (\ansicpg): the name and character set a font number stands for, and the character a
// byte (\'hh) stands for in the code page of a character set.
#pragma once

#include <map>
#include <string>

namespace vorbix {

struct RtfFont {
    std::string name;
    int charset = 0;
};

class RtfFontTable {
public:
    // The character set of a font that names none: the document's code page.
    static constexpr int kDefaultCharset = 1;

    void setDefaultFont(int number) { defaultFont_ = number; }
    void setCodePage(int codePage) { codePage_ = codePage; }

    // An entry of the table is read in steps: \f starts it (ending one still open), \fcharset
    // sets its character set, its text is the name, and ';' or the end of its group ends it.
    void beginEntry(int number);
    void setEntryCharset(int charset) { entryCharset_ = charset; }
    void addToEntryName(char32_t c);
    void endEntry();
    bool entryOpen() const { return entryOpen_; }
    int entryCharset() const { return entryCharset_; }

    // The font that a group's font number names (-1: the default font); null when the table
    // has none of that number.
    const RtfFont* find(int font) const;
    // As find, but a number the table lacks falls back to the default font.
    const RtfFont* findOrDefault(int font) const;
    // The character set of find(font), kDefaultCharset without one.
    int charsetOf(int font) const;

    // The character of `byte` in the code page of `charset` (the document's code page for
    // kDefaultCharset and the character sets without a code page of their own).
    char32_t byteToChar(unsigned char byte, int charset) const;

private:
    std::map<int, RtfFont> fonts_;
    int defaultFont_ = 0;
    int codePage_ = 1252;

    int entryNumber_ = 0;
    int entryCharset_ = kDefaultCharset;
    std::string entryName_;
    bool entryOpen_ = false;
};

}  // namespace vorbix
