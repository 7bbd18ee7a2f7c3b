#include "storage/InsertTextDigest.h"

#include <gtest/gtest.h>

#include <cctype>

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
    // Paragraph breaks and tabs show as one space, bullets draw nothing, links show their address.
    EXPECT_EQ(insertTextDigest(kStoredRtf), "Schöne Grüße € Siehe http://x.de");
    EXPECT_EQ(insertTextDigest("<~T~>" + kStoredRtf), "Schöne Grüße € Siehe http://x.de");
    // The value as the hot key file joins it: pieces split anywhere, CR LF removed first.
    std::string split = kStoredRtf;
    split.insert(100, "\r\n");
    split.insert(40, "\r\n");
    EXPECT_EQ(insertTextDigest(split), "Schöne Grüße € Siehe http://x.de");
    // Markers in any letter case.
    EXPECT_EQ(insertTextDigest("<~t~><~FORM~>{\\rtf1<~SPA~>a\\par<~rE~>b}"), "a b");
    // A new row holds the marker alone: nothing to show, the caller shows its placeholder.
    EXPECT_EQ(insertTextDigest("<~Form~>"), "");
    EXPECT_EQ(insertTextDigest("<~Form~>{\\rtf1\\ansi\\par<~Re~>}"), "");
    EXPECT_EQ(insertTextDigest(""), "");
    // A formatted value that holds no RTF shows its text.
    EXPECT_EQ(insertTextDigest("<~Form~>plain<~Spa~>words"), "plain words");
}

TEST(InsertTextDigest, PlainValuesLoseTheirMarkers) {
    EXPECT_EQ(insertTextDigest("<~T~><~NoFo~>a<~Spa~>b<~Re~>c"), "a b c");
    EXPECT_EQ(insertTextDigest("<~NoFo~><~Spa~><~Spa~>"), "  ");
    EXPECT_EQ(insertTextDigest("<~nofo~>x<~NoFo~>y"), "xy");
    // Only the leading mode counts; a "<~Form~>" later in a plain text stays.
    EXPECT_EQ(insertTextDigest("<~NoFo~>a<~Form~>"), "a<~Form~>");
    // No mode marker at all.
    EXPECT_EQ(insertTextDigest("just<~Spa~>this"), "just this");
    EXPECT_EQ(insertTextDigest("<~NoFo~>Visit<~Spa~><url=http://x>here</url>"), "Visit http://x");
    EXPECT_EQ(insertTextDigest("<~NoFo~><~Re~><~T~>"), " ");
    EXPECT_EQ(insertTextDigest("<~NoFo~><~T~>"), "");
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
    EXPECT_EQ(insertTextDigest(stored), "Zwei Zeilen mit Text");
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

TEST(InsertTextValue, DigestTurnsLineBreaksIntoSpaces) {
    const auto plain = [](std::string body) {
        return insertTextDigest(encodeInsertText({false, false, std::move(body)}));
    };
    EXPECT_EQ(plain("a b\r\nc"), "a b c");
    EXPECT_EQ(plain("a\nb\r\n\r\nc"), "a b  c");
    EXPECT_EQ(plain("Visit <url=http://x>here</url>"), "Visit http://x");
    EXPECT_EQ(plain(""), "");
}

// The digest of one text, whichever way the row reaches the table: the value the editor stores
// (plain or as a document), the same value split into the file's pieces and read back, and the
// joined value with its markers in other letter cases, as other writers store them.
TEST(InsertTextValue, OneDigestWhereverTheRowComesFrom) {
    struct Case {
        const char* text;  // the text as the editor's box holds it
        const char* digest;
    };
    const Case cases[] = {
        {"😀\r\nline2\ttab", "😀 line2 tab"},
        {"a\nb\rc", "a b c"},
        {"  lead and trail  ", "  lead and trail  "},
        {"\r\n\r\nafter two breaks", "  after two breaks"},
        {"before a break\r\n", "before a break "},
        {"\t\ttabs\t", "  tabs "},
        {"Grüße, Привет, 你好 🎉\r\nzweite Zeile", "Grüße, Привет, 你好 🎉 zweite Zeile"},
        {"see <url=http://x.org>here</url>\r\nand more", "see http://x.org and more"},
        {"", ""},
    };
    for (const Case& c : cases) {
        const std::string plain = encodeInsertText({false, true, c.text});
        const std::string formatted =
            encodeInsertText({true, false, writeRtf(RtfDocument::fromPlainText(c.text))});
        EXPECT_EQ(insertTextDigest(plain), c.digest) << c.text;
        EXPECT_EQ(insertTextDigest(formatted), c.digest) << c.text;
        // Pieces of the file, joined with the line breaks between them.
        for (const std::string& value : {plain, formatted}) {
            std::string joined;
            for (size_t at = 0; at < value.size(); at += 7) joined += value.substr(at, 7) + "\r\n";
            EXPECT_EQ(insertTextDigest(joined), c.digest) << c.text;
        }
        std::string lower = plain;
        for (const std::string_view marker : {"<~Re~>", "<~Spa~>", "<~NoFo~>"}) {
            for (size_t at = lower.find(marker); at != std::string::npos;
                 at = lower.find(marker, at + 1)) {
                for (size_t k = 0; k < marker.size(); ++k)
                    lower[at + k] = static_cast<char>(std::tolower(lower[at + k]));
            }
        }
        EXPECT_EQ(insertTextDigest(lower), c.digest) << c.text;
    }
}
