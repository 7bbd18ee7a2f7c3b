#include "storage/RtfTokenizer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/TextUtil.h"
#include "storage/RtfColorTable.h"
#include "storage/RtfFontTable.h"
#include "storage/RtfHyperlinkField.h"

using namespace vorbix;

namespace {

// The tokens of `rtf`, one word each: { } \name[param] bin sym:c byte:hh, and the text of
// consecutive text tokens in quotes.
std::string tokensOf(const std::string& rtf) {
    RtfTokenizer tokenizer(rtf);
    RtfToken token;
    std::string out;
    bool inText = false;
    auto separate = [&] {
        if (inText) out += '"';
        inText = false;
        if (!out.empty()) out += ' ';
    };
    while (tokenizer.next(token)) {
        if (token.kind == RtfToken::Kind::Text) {
            if (!inText) {
                separate();
                out += '"';
                inText = true;
            }
            for (char32_t c : token.text) appendUtf8(out, c);
            continue;
        }
        separate();
        switch (token.kind) {
            case RtfToken::Kind::OpenGroup:
                out += '{';
                break;
            case RtfToken::Kind::CloseGroup:
                out += '}';
                break;
            case RtfToken::Kind::Word:
                out += "\\" + std::string(token.word);
                if (token.hasParameter) out += std::to_string(token.parameter);
                break;
            case RtfToken::Kind::Binary:
                out += "bin";
                break;
            case RtfToken::Kind::Symbol:
                out += std::string("sym:") + token.symbol;
                break;
            case RtfToken::Kind::Byte: {
                char hex[8];
                std::snprintf(hex, sizeof hex, "byte:%02x", token.byte);
                out += hex;
                break;
            }
            case RtfToken::Kind::Text:
                break;
        }
    }
    if (inText) out += '"';
    return out;
}

}  // namespace

TEST(RtfTokenizer, SplitsTheInputIntoTokens) {
    const struct {
        std::string rtf;
        std::string tokens;
    } cases[] = {
        {" \t\r\n{\\rtf1 ab}", "{ \\rtf1 \"ab\" }"},
        // One blank after a word belongs to it; a minus counts only before a digit.
        {"\\par  x\\fs-20y\\fs- z", "\\par \" x\" \\fs-20 \"y\" \\fs \"- z\""},
        {"\\b0\\i", "\\b0 \\i"},
        {"\\abcdefghijklmnopqrstuvwxyzabcdefghijklmn7 x",
         "\\abcdefghijklmnopqrstuvwxyzabcdef7 \"x\""},
        // Binary data is stepped over, braces in it included, also past the end.
        {"\\bin3 {}}x", "bin \"x\""},
        {"\\bin99 ab", "bin"},
        {"\\bin x", "bin \"x\""},
        {"\\'e4\\'C4", "byte:e4 byte:c4"},
        {"\\'e\\'zzx", "\"zzx\""},
        {"\\~\\*\\{\\\\\\\r", "sym:~ sym:* sym:{ sym:\\ sym:\r"},
        {"a\\", "\"a\""},
        // Line ends and control bytes in the text are no characters; a tab is one.
        {"a\r\nb\x01"
         "c\td\x7f",
         "\"abc\td\x7f\""},
        {"\xc3\xa4\xe2\x82\xac", "\"ä€\""},
        // A broken UTF-8 sequence never swallows a brace.
        {"\xc3{\xe2\x82}", "\"\uFFFD\" { \"\uFFFD\" }"},
        // Long text comes in pieces, no character lost.
        {std::string(300, 'x') + "\xc3\xa4", "\"" + std::string(300, 'x') + "ä\""},
    };
    for (const auto& c : cases) EXPECT_EQ(tokensOf(c.rtf), c.tokens) << c.rtf;
}

TEST(RtfHyperlinkField, TargetOfTheInstruction) {
    const struct {
        const char* instruction;
        const char* target;
    } cases[] = {
        {"HYPERLINK \"https://example.org/a b\"", "https://example.org/a b"},
        {"hyperlink https://example.org", "https://example.org"},
        {"HYPERLINK \\l \"anchor\"", "#anchor"},
        {"HYPERLINK \"https://a.example\" \\l \"part\"", "https://a.example#part"},
        {"HYPERLINK \\o \"tip\" \\t \"_blank\" \"https://b.example\"", "https://b.example"},
        {"HYPERLINK \"https://c.example", "https://c.example"},
        {"HYPERLINK", ""},
        {"PAGE \\* MERGEFORMAT", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rtfHyperlinkTarget(c.instruction), c.target) << c.instruction;
}

TEST(RtfFontTable, FontsCharacterSetsAndDefaults) {
    RtfFontTable fonts;
    fonts.setCodePage(1251);
    fonts.beginEntry(0);
    for (char c : std::string(" Arial ")) fonts.addToEntryName(static_cast<unsigned char>(c));
    fonts.beginEntry(1);  // ends the entry before
    fonts.setEntryCharset(161);
    fonts.endEntry();
    fonts.setDefaultFont(0);

    ASSERT_NE(fonts.find(-1), nullptr);
    EXPECT_EQ(fonts.find(-1)->name, "Arial");
    EXPECT_EQ(fonts.find(0)->charset, RtfFontTable::kDefaultCharset);
    EXPECT_EQ(fonts.find(1)->charset, 161);
    EXPECT_EQ(fonts.find(7), nullptr);
    EXPECT_EQ(fonts.findOrDefault(7), fonts.find(0));
    // A byte follows the font's character set, or the document's code page without one.
    EXPECT_EQ(fonts.byteToChar(0xE1, fonts.charsetOf(1)), U'α');
    EXPECT_EQ(fonts.byteToChar(0xE1, fonts.charsetOf(0)), U'б');
    EXPECT_EQ(fonts.byteToChar(0xE1, fonts.charsetOf(7)), U'б');
}

TEST(RtfColorTable, EntriesAndTheAutomaticColour) {
    RtfColorTable colors;
    colors.endEntry();  // ";" alone: the automatic colour
    colors.setRed(300);
    colors.setBlue(-4);
    colors.endEntry();
    colors.setGreen(9);
    colors.endEntry();
    EXPECT_EQ(colors.color(0), std::nullopt);
    EXPECT_EQ(colors.color(1), (RtfColor{255, 0, 0}));
    EXPECT_EQ(colors.color(2), (RtfColor{0, 9, 0}));
    EXPECT_EQ(colors.color(3), std::nullopt);
    EXPECT_EQ(colors.color(-1), std::nullopt);
}
