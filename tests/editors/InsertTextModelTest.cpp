// The insert-text editor's values: what OK stores for each combination of mode, Tab box and
// text, that an unchanged text keeps its stored bytes, and the link markup of the link prompts.
#include <gtest/gtest.h>

#include "editors/InsertTextModel.h"
#include "storage/InsertTextClipboard.h"
#include "storage/InsertTextDigest.h"

namespace vorbix {
namespace {

LanguageTexts german() {
    LanguageTexts t;
    t.sNewText = "(Kein Text eingegeben)";
    return t;
}

HotKeyEntry rowWithText(std::string text) {
    HotKeyEntry row;
    row.Text = std::move(text);
    return row;
}

TEST(InsertTextModel, OkStoresTheValueOfEachCombination) {
    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs20 a b\\par\r\nc\\par\r\n}";
    struct Case {
        bool formatted, tab;
        std::string body;
        std::string text, properties;
    } cases[] = {
        {true, false, "", "<~Form~>", "(Kein Text eingegeben)"},
        {false, false, "", "<~NoFo~>", "(Kein Text eingegeben)"},
        {true, true, "", "<~T~><~Form~>", "(Kein Text eingegeben)"},
        {false, true, "a b\r\nc", "<~T~><~NoFo~>a<~Spa~>b<~Re~>c", "a b c"},
        {false, false, " lead\r\n\r\ntrail ", "<~NoFo~><~Spa~>lead<~Re~><~Re~>trail<~Spa~>",
         " lead  trail "},
        {false, false, "😀\r\nline2\ttab", "<~NoFo~>😀<~Re~>line2\ttab", "😀 line2 tab"},
        {true, false, rtf,
         "<~Form~>{\\rtf1\\ansi{\\fonttbl{\\f0<~Spa~>Tahoma;}}\\f0\\fs20<~Spa~>a<~Spa~>b\\par<~Re~>"
         "c\\par<~Re~>}",
         "a b c"},
        {false, false, "Visit <url=http://x>here</url>",
         "<~NoFo~>Visit<~Spa~><url=http://x>here</url>", "Visit http://x"},
        {false, false, "Grüße, Привет", "<~NoFo~>Grüße,<~Spa~>Привет", "Grüße, Привет"},
    };
    for (const Case& c : cases) {
        InsertTextModel model;
        model.decode(rowWithText("<~Form~>"));
        HotKeyEntry row = rowWithText("<~Form~>");
        model.encode(row, {c.formatted, c.tab, true, c.body}, german());
        EXPECT_EQ(row.Text, c.text) << c.body;
        EXPECT_EQ(row.PropertiesText, c.properties) << c.body;
        // Opened again, the editor shows what was stored.
        model.decode(row);
        EXPECT_EQ(model.formatted, c.formatted) << c.body;
        EXPECT_EQ(model.tabAfter, c.tab) << c.body;
        EXPECT_EQ(model.body, c.body) << c.body;
    }
}

TEST(InsertTextModel, AnUnchangedTextKeepsItsStoredBytes) {
    // RTF with what the document model drops (highlight, strike-through, spacing) and markers
    // in other letter cases, as other writers store them.
    const std::string stored =
        "<~form~>{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss<~spa~>Arial;}}\\highlight2\\strike"
        "\\sa200<~Spa~>x\\par<~RE~>}";
    struct Case {
        std::string stored;
        bool formatted, tab;
        std::string text;
        std::string properties;  // the digest of the kept value
    } cases[] = {
        {stored, true, false, stored, "x"},
        {stored, true, true, "<~T~>" + stored, "x"},            // only the Tab box ticked
        {"<~t~>" + stored, true, false, stored, "x"},           // only the Tab box cleared
        {"<~t~>" + stored, true, true, "<~t~>" + stored, "x"},  // nothing changed at all
        {"<~NoFo~>a<~Spa~><~T~>b", false, false, "<~NoFo~>a<~Spa~><~T~>b", "a b"},
        {"plain without marker", false, false, "plain without marker", "plain without marker"},
        {"", false, false, "", "(Kein Text eingegeben)"},
    };
    for (const Case& c : cases) {
        InsertTextModel model;
        HotKeyEntry row = rowWithText(c.stored);
        model.decode(row);
        model.encode(row, {c.formatted, c.tab, false, "ignored"}, german());
        EXPECT_EQ(row.Text, c.text) << c.stored;
        EXPECT_EQ(row.PropertiesText, c.properties) << c.stored;
    }
    // The mode switched without any edit: the text is written anew in the new mode.
    InsertTextModel model;
    HotKeyEntry row = rowWithText(stored);
    model.decode(row);
    model.encode(row, {false, false, false, "x"}, german());
    EXPECT_EQ(row.Text, "<~NoFo~>x");
}

TEST(InsertTextModel, LinkMarkupFromThePrompts) {
    struct Case {
        const char* address;
        const char* text;
        std::optional<std::string> markup;
    } cases[] = {
        {"x", "here", "<url=http://x>here</url>"},
        {"https://x", "here", "<url=https://x>here</url>"},
        {"http://x", "", "<url=http://x></url>"},
        {"HTTP://x", "t", "<url=HTTP://x>t</url>"},  // the scheme in any letter case
        {"HttpS://x", "t", "<url=HttpS://x>t</url>"},
        {"  example.org/a b ", "t", "<url=http://example.org/a b>t</url>"},
        {"mailto:a@b", "t", "<url=http://mailto:a@b>t</url>"},
        {"x.org/?a>b<c", "t", "<url=http://x.org/?a%3Eb%3Cc>t</url>"},
        {"", "t", std::nullopt},
        {"   ", "t", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(linkMarkup(c.address, c.text), c.markup) << c.address;

    // A ">" in the address leaves the markup whole: the list shows the address, and the
    // inserted text carries the link with its text.
    const std::string markup = *linkMarkup("a.org/x>y", "Link");
    const std::string stored = encodeInsertText({false, false, "see " + markup});
    EXPECT_EQ(insertTextDigest(stored), "see http://a.org/x%3Ey");
    const InsertTextInsertion plain = insertTextInsertion(stored);
    EXPECT_EQ(plain.content.plain, "see http://a.org/x%3Ey");
}

TEST(InsertTextModel, WhatTheEditorStoresIsWhatTheHotKeyInserts) {
    // A formatted text with link markup: the clipboard gets the text with a real link; the Tab
    // flag and line breaks survive the markers.
    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs20 Hi <url=http://x.org>site</url>\\par\r\n"
        "two  spaces\\par\r\n}";
    InsertTextModel model;
    HotKeyEntry row = rowWithText("<~Form~>");
    model.decode(row);
    model.encode(row, {true, true, true, rtf}, german());
    EXPECT_EQ(row.PropertiesText, "Hi http://x.org two  spaces");
    EXPECT_EQ(row.Text.find(' '), std::string::npos);
    const InsertTextInsertion insertion = insertTextInsertion(row.Text);
    EXPECT_TRUE(insertion.tabAfter);
    EXPECT_EQ(insertion.content.plain, "Hi site\ntwo  spaces");
    EXPECT_NE(insertion.content.html.find("href=\"http://x.org\""), std::string::npos);
    EXPECT_NE(insertion.content.rtf.find("HYPERLINK \"http://x.org\""), std::string::npos);
}

}  // namespace
}  // namespace vorbix
