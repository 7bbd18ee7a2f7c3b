#include "storage/InsertTextDigest.h"

#include <gtest/gtest.h>

#include "storage/RtfDocument.h"

using namespace vorbix;

namespace {

// A formatted value as the editor stores it: the control's RTF with blanks and line breaks
// turned into markers.
const std::string kStoredRtf =
    "<~Form~>{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fswiss\\fcharset0<~Spa~"
    ">"
    "Arial;}}<~Re~>{\\colortbl<~Spa~>;\\red255\\green0\\blue0;}<~Re~>\\viewkind4\\uc1\\pard\\f0"
    "\\fs20<~Spa~>Sch\\'f6ne<~Spa~>\\cf1\\b Gr\\'fc\\'dfe\\cf0\\b0\\tab<~Spa~>\\u8364?\\par<~Re~>"
    "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}Siehe<~Spa~>"
    "<url=http://x.de>hier</url>\\par<~Re~>}";

}  // namespace

TEST(InsertTextDigest, FormattedValuesShowThePlainTextOfTheirDocument) {
    // Paragraph breaks vanish, a tab stays, bullets draw nothing, links show their address.
    EXPECT_EQ(insertTextDigest(kStoredRtf), "Schöne Grüße\t€Siehe http://x.de");
    EXPECT_EQ(insertTextDigest("<~T~>" + kStoredRtf), "Schöne Grüße\t€Siehe http://x.de");
    // The value as the hot key file joins it: pieces split anywhere, CR LF removed first.
    std::string split = kStoredRtf;
    split.insert(100, "\r\n");
    split.insert(40, "\r\n");
    EXPECT_EQ(insertTextDigest(split), "Schöne Grüße\t€Siehe http://x.de");
    // Markers in any letter case.
    EXPECT_EQ(insertTextDigest("<~t~><~FORM~>{\\rtf1<~SPA~>a\\par<~rE~>b}"), "ab");
    // A new row holds the marker alone: nothing to show, the caller shows its placeholder.
    EXPECT_EQ(insertTextDigest("<~Form~>"), "");
    EXPECT_EQ(insertTextDigest("<~Form~>{\\rtf1\\ansi\\par<~Re~>}"), "");
    EXPECT_EQ(insertTextDigest(""), "");
    // A formatted value that holds no RTF shows its text.
    EXPECT_EQ(insertTextDigest("<~Form~>plain<~Spa~>words"), "plain words");
}

TEST(InsertTextDigest, PlainValuesLoseTheirMarkers) {
    EXPECT_EQ(insertTextDigest("<~T~><~NoFo~>a<~Spa~>b<~Re~>c"), "a bc");
    EXPECT_EQ(insertTextDigest("<~NoFo~><~Spa~><~Spa~>"), "  ");
    EXPECT_EQ(insertTextDigest("<~nofo~>x<~NoFo~>y"), "xy");
    // Only the leading mode counts; a "<~Form~>" later in a plain text stays.
    EXPECT_EQ(insertTextDigest("<~NoFo~>a<~Form~>"), "a<~Form~>");
    // No mode marker at all.
    EXPECT_EQ(insertTextDigest("just<~Spa~>this"), "just this");
    EXPECT_EQ(insertTextDigest("<~NoFo~>Visit<~Spa~><url=http://x>here</url>"), "Visit http://x");
    EXPECT_EQ(insertTextDigest("<~NoFo~><~Re~><~T~>"), "");
}

TEST(InsertTextDigest, LinkMarkupIsReplacedByItsAddress) {
    EXPECT_EQ(replaceLinkMarkup("Visit <url=http://x>here</url>"), "Visit http://x");
    EXPECT_EQ(replaceLinkMarkup("<url=a>1</url> <url=b>2</url> <url=a>1</url>"), "a b a");
    EXPECT_EQ(replaceLinkMarkup("<URL=a>x</Url> <url=A>X</url>"), "a a");
    EXPECT_EQ(replaceLinkMarkup("<url=http://ä.de>Ärger</url>!"), "http://ä.de!");
    // Incomplete markup stays as it is.
    EXPECT_EQ(replaceLinkMarkup("<url=abc"), "<url=abc");
    EXPECT_EQ(replaceLinkMarkup("<url=abc>text"), "<url=abc>text");
    EXPECT_EQ(replaceLinkMarkup("</url><url=abc>"), "</url><url=abc>");
    EXPECT_EQ(replaceLinkMarkup("<url=abc</url>"), "<url=abc</url>");
    // ... while a complete markup after it is still replaced.
    EXPECT_EQ(replaceLinkMarkup("<url=a</url> <url=b>c</url>"), "<url=a</url> b");
    // Markup inside an address resolves step by step.
    EXPECT_EQ(replaceLinkMarkup("<url=<url=x>y</url>z</url>"), "<url=xz</url>");
    EXPECT_EQ(replaceLinkMarkup("<url=>empty</url>|"), "|");
    EXPECT_EQ(replaceLinkMarkup("no links"), "no links");
    // Many incomplete markups before one ">" (each start looks up the same ">").
    std::string many;
    for (int i = 0; i < 20000; ++i) many += "<url=</url>";
    EXPECT_EQ(replaceLinkMarkup(many + ">"), many + ">");
    EXPECT_EQ(replaceLinkMarkup(many + "<url=a>b</url>"), many + "a");
}

TEST(InsertTextValue, EncodesAsTheEditorStoresIt) {
    EXPECT_EQ(encodeInsertText({false, true, "a b\r\nc"}), "<~T~><~NoFo~>a<~Spa~>b<~Re~>c");
    EXPECT_EQ(encodeInsertText({true, false, ""}), "<~Form~>");
    EXPECT_EQ(encodeInsertText({false, false, ""}), "<~NoFo~>");
    // A document without text is stored as the marker alone.
    EXPECT_EQ(encodeInsertText({true, false, writeRtf(RtfDocument::fromPlainText(""))}),
              "<~Form~>");
    // Lone line breaks never reach the one-line value.
    EXPECT_EQ(encodeInsertText({false, false, "a\nb\rc"}), "<~NoFo~>a<~Re~>b<~Re~>c");

    const std::string rtf = writeRtf(RtfDocument::fromPlainText("Zwei Zeilen\nmit Text"));
    const std::string stored = encodeInsertText({true, false, rtf});
    EXPECT_EQ(stored.find(' '), std::string::npos);
    EXPECT_EQ(stored.find('\n'), std::string::npos);
    EXPECT_EQ(insertTextDigest(stored), "Zwei Zeilenmit Text");
}

TEST(InsertTextValue, DecodesAsTheEditorOpensIt) {
    const InsertTextValue rich{true, true, writeRtf(RtfDocument::fromPlainText("a b\r\nc"))};
    EXPECT_EQ(decodeInsertText(encodeInsertText(rich)), rich);
    const InsertTextValue plain{false, false, "x  y\r\n\r\nz "};
    EXPECT_EQ(decodeInsertText(encodeInsertText(plain)), plain);

    EXPECT_EQ(decodeInsertText("<~Form~>"), (InsertTextValue{true, false, ""}));
    EXPECT_EQ(decodeInsertText("<~t~><~nofo~>a<~spa~>b"), (InsertTextValue{false, true, "a b"}));
    // No mode marker: plain text, the value as it is.
    EXPECT_EQ(decodeInsertText("hello"), (InsertTextValue{false, false, "hello"}));
    // Markers the user typed come back changed.
    EXPECT_EQ(decodeInsertText(encodeInsertText({false, false, "1<~Re~>2<~Spa~>3<~T~>4<~NoFo~>"})),
              (InsertTextValue{false, false, "1\r\n2 34"}));
    EXPECT_EQ(decodeInsertText("<~NoFo~>a<~Form~>").body, "a<~Form~>");
}

TEST(InsertTextValue, EditorDigestTurnsLineBreaksIntoSpaces) {
    EXPECT_EQ(insertTextEditorDigest("a b\r\nc"), "a b c");
    EXPECT_EQ(insertTextEditorDigest("a\nb\r\n\r\nc"), "a b  c");
    EXPECT_EQ(insertTextEditorDigest("Visit <url=http://x>here</url>"), "Visit http://x");
    EXPECT_EQ(insertTextEditorDigest(""), "");
}
