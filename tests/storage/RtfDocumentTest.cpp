#include "storage/RtfDocument.h"

#include <gtest/gtest.h>

#include <string>

using namespace vorbix;

namespace {

// The header a Windows rich-text control writes.
const std::string kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fswiss\\fcharset0 "
    "Arial;}{\\f1\\fnil\\fcharset0 Tahoma;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;"
    "\\red0\\green0\\blue255;}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 ";

std::string doc(const std::string& body) {
    return kHeader + body + "}";
}

}  // namespace

TEST(RtfReader, ReadsWhatARichTextControlWrites) {
    const RtfDocument d =
        parseRtf(doc("Gr\\'fc\\'dfe \\cf1\\b rot\\cf0\\b0\\tab 5 \\u8364?\\par\r\n"
                     "\\f1\\fs28\\i Zeile\\i0  zwei\\par\r\n"));
    EXPECT_EQ(d.plainText(), "Grüße rot\t5 €\r\nZeile zwei");
    ASSERT_EQ(d.paragraphs.size(), 2u);
    const auto& runs = d.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "Grüße ");
    EXPECT_EQ(runs[0].format.fontName, "Arial");
    EXPECT_EQ(runs[0].format.sizeHalfPoints, 20);
    EXPECT_FALSE(runs[0].format.color.has_value());
    EXPECT_EQ(runs[1].text, "rot");
    EXPECT_TRUE(runs[1].format.bold);
    EXPECT_EQ(runs[1].format.color, (RtfColor{255, 0, 0}));
    EXPECT_EQ(runs[2].text, "\t5 €");
    const auto& second = d.paragraphs[1].runs;
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].format.fontName, "Tahoma");
    EXPECT_EQ(second[0].format.sizeHalfPoints, 28);
    EXPECT_TRUE(second[0].format.italic);
    EXPECT_FALSE(second[1].format.italic);
}

TEST(RtfReader, FinalParagraphMarkBelongsToTheLastParagraph) {
    EXPECT_EQ(rtfPlainText(doc("abc\\par\r\n")), "abc");
    EXPECT_EQ(rtfPlainText(doc("abc")), "abc");
    EXPECT_EQ(rtfPlainText(doc("abc\\par\r\n\\par\r\n")), "abc\r\n");
    EXPECT_EQ(rtfPlainText(doc("\\par\r\n\\par\r\nx\\par\r\n")), "\r\n\r\nx");
    EXPECT_EQ(rtfPlainText(doc("\\par\r\n")), "");
    EXPECT_EQ(parseRtf(doc("")).paragraphs.size(), 1u);
    EXPECT_EQ(rtfPlainText(doc("a\\line b\\par c")), "a\r\nb\r\nc");
    EXPECT_EQ(rtfPlainText(doc("a\\line b"), "|"), "a|b");
}

TEST(RtfReader, SpecialCharactersAndEscapes) {
    EXPECT_EQ(rtfPlainText(doc("\\emdash\\endash\\bullet\\lquote x\\rquote\\ldblquote "
                               "y\\rdblquote")),
              "—–•‘x’“y”");
    EXPECT_EQ(rtfPlainText(doc("a\\~b\\-c\\_d \\{\\}\\\\")), "a\u00a0b\u00adc\u2011d {}\\");
    // Line breaks in the RTF source are no text; a backslash before one is a paragraph end.
    EXPECT_EQ(rtfPlainText(doc("a\r\nb\\\r\nc")), "ab\r\nc");
    EXPECT_EQ(rtfPlainText(doc("\\'e4\\'C4\\'80\\'9f")), "äÄ€Ÿ");
    // Characters outside ASCII that already stand in the text are kept.
    EXPECT_EQ(rtfPlainText(doc("Öl")), "Öl");
}

TEST(RtfReader, BytesFollowTheCodePageOfFontOrDocument) {
    EXPECT_EQ(rtfPlainText("{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1\\'e2}"), "Абв");
    EXPECT_EQ(rtfPlainText("{\\rtf1\\ansi\\ansicpg932 \\'e4}"), "ä");
    const std::string fonts =
        "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset238 Arial CE;}"
        "{\\f1\\fcharset0 Arial;}{\\f2 Arial;}{\\f3\\fcharset161 Arial Greek;}}";
    EXPECT_EQ(rtfPlainText(fonts + "\\f0\\'b9\\f1\\'b9\\f2\\'b9\\f3\\'e1}"), "ą¹№α");
    EXPECT_EQ(parseRtf(fonts + "\\f3 x}").paragraphs[0].runs[0].format.fontCharset, 161);
}

TEST(RtfReader, UnicodeFallbacksAreSkippedPerUc) {
    EXPECT_EQ(rtfPlainText(doc("\\u8364?x")), "€x");
    EXPECT_EQ(rtfPlainText(doc("\\u8364\\'80x")), "€x");
    EXPECT_EQ(rtfPlainText(doc("\\uc2\\u8364 EURx")), "€Rx");
    EXPECT_EQ(rtfPlainText(doc("\\uc0\\u8364 x")), "€x");
    EXPECT_EQ(rtfPlainText(doc("{\\uc3\\u8364 abc}\\u8364 de")), "€€e");
    // A group ends the fallback early.
    EXPECT_EQ(rtfPlainText(doc("\\uc4\\u8364 a{b}c")), "€bc");
    EXPECT_EQ(rtfPlainText(doc("\\u-4064?")), "\uf020");
    // A character outside the basic plane arrives as two halves.
    EXPECT_EQ(rtfPlainText(doc("\\u-10179?\\u-8704?!")), "😀!");
    EXPECT_EQ(rtfPlainText(doc("\\u-10179?x")), "\ufffdx");
}

TEST(RtfReader, SkipsTablesAndIgnorableGroups) {
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman{\\*\\panose 02020603050405020304}Times New "
        "Roman;}}{\\stylesheet{\\s0 Normal;}}{\\info{\\author Somebody}}"
        "{\\*\\generator Riched20 10.0.19041}{\\*\\unknowndest hidden}"
        "{\\pict\\wmetafile8\\picw100 0123456789abcdef}{\\*\\listtable{\\list x}}"
        "\\pard a{\\b b{\\i c}d}e{\\pict\\bin4 }}}}}f}";
    const RtfDocument d = parseRtf(rtf);
    EXPECT_EQ(d.plainText(), "abcdef");
    const auto& runs = d.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].format.fontName, "Times New Roman");
    EXPECT_TRUE(runs[1].format.bold);
    EXPECT_TRUE(runs[2].format.bold && runs[2].format.italic);
    EXPECT_EQ(runs[2].text, "c");
    EXPECT_TRUE(runs[3].format.bold && !runs[3].format.italic);
    EXPECT_FALSE(runs[4].format.bold);
    EXPECT_EQ(runs[4].text, "ef") << "text after \\bin data";
    // \plain resets character formatting; font table entries without groups.
    const RtfDocument p =
        parseRtf("{\\rtf1{\\fonttbl\\f0\\fswiss Arial;\\f1\\fmodern Courier;}\\f1\\b x\\plain y}");
    ASSERT_EQ(p.paragraphs[0].runs.size(), 2u);
    EXPECT_EQ(p.paragraphs[0].runs[0].format.fontName, "Courier");
    EXPECT_EQ(p.paragraphs[0].runs[1].format.fontName, "Arial");
    EXPECT_FALSE(p.paragraphs[0].runs[1].format.bold);
}

TEST(RtfReader, ParagraphAlignmentAndBullets) {
    const RtfDocument d = parseRtf(
        doc("\\qc mitte\\par\r\n\\pard\\qr rechts\\par\r\n\\pard\\qj block\\par\r\n"
            "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}"
            "\\fi-720\\li720 eins\\par\r\n{\\pntext\\f2\\'B7\\tab}zwei\\par\r\n"
            "\\pard links\\par\r\n"));
    ASSERT_EQ(d.paragraphs.size(), 6u);
    EXPECT_EQ(d.plainText(), "mitte\r\nrechts\r\nblock\r\neins\r\nzwei\r\nlinks");
    EXPECT_EQ(d.paragraphs[0].alignment, RtfAlignment::Center);
    EXPECT_EQ(d.paragraphs[1].alignment, RtfAlignment::Right);
    EXPECT_EQ(d.paragraphs[2].alignment, RtfAlignment::Justify);
    EXPECT_TRUE(d.paragraphs[3].bullet);
    EXPECT_TRUE(d.paragraphs[4].bullet);
    EXPECT_FALSE(d.paragraphs[5].bullet);
    EXPECT_EQ(d.paragraphs[5].alignment, RtfAlignment::Left);
}

TEST(RtfReader, HyperlinkFieldsKeepTheirTarget) {
    const RtfDocument d =
        parseRtf(doc("Siehe {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/a?b=1\"}}"
                     "{\\fldrslt{\\ul\\cf2 Beispiel}}} und "
                     "{\\field{\\*\\fldinst{ HYPERLINK \\\\l \"anker\" }}{\\fldrslt mehr}}"
                     "{\\field{\\*\\fldinst{PAGE}}{\\fldrslt 3}}."));
    EXPECT_EQ(d.plainText(), "Siehe Beispiel und mehr3.");
    const auto& runs = d.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[1].text, "Beispiel");
    EXPECT_EQ(runs[1].format.link, "https://example.org/a?b=1");
    EXPECT_TRUE(runs[1].format.underline);
    EXPECT_EQ(runs[1].format.color, (RtfColor{0, 0, 255}));
    EXPECT_EQ(runs[2].text, " und ");
    EXPECT_EQ(runs[2].format.link, "");
    EXPECT_EQ(runs[3].format.link, "#anker");
    EXPECT_EQ(runs[4].text, "3.");
}

TEST(RtfReader, GarbageAndBrokenDocumentsGiveAResult) {
    // Missing closing braces: the text up to the end counts.
    EXPECT_EQ(rtfPlainText("{\\rtf1 abc{\\b def"), "abcdef");
    // Text after the closing brace of the document is not part of it.
    EXPECT_EQ(rtfPlainText("{\\rtf1 abc}def}{x}"), "abc");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\"), "a");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\'4"), "a");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\'zzb"), "azzb");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\u"), "a");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\bin999999999 b}"), "a");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\fs-99999999999999999999 b}"), "ab");
    EXPECT_EQ(rtfPlainText("{\\rtf1 \\verylongcontrolwordthatgoesonandonandonandon1 x}"), "x");
    // Deep nesting neither overflows the stack nor keeps text from too deep a group.
    const std::string deep =
        "{\\rtf1 a" + std::string(100000, '{') + "x" + std::string(100000, '}') + "b}";
    EXPECT_EQ(rtfPlainText(deep), "ab");
    const std::string nested =
        "{\\rtf1 a" + std::string(50, '{') + "x" + std::string(50, '}') + "b}";
    EXPECT_EQ(rtfPlainText(nested), "axb");
    // Invalid UTF-8 becomes the replacement character instead of travelling on.
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\xff\xc3}"), "a\ufffd\ufffd");
    // Not RTF at all: the text as it stands.
    EXPECT_EQ(rtfPlainText("just text\r\nline two"), "just text\r\nline two");
    EXPECT_EQ(rtfPlainText(""), "");
    EXPECT_TRUE(looksLikeRtf("  {\\rtf1}"));
    EXPECT_FALSE(looksLikeRtf("{\\rt"));
}

TEST(RtfLinks, MarkupBecomesLinkRuns) {
    RtfCharFormat plain;
    plain.fontName = "Arial";
    RtfCharFormat bold = plain;
    bold.bold = true;
    RtfDocument d;
    RtfParagraph p;
    p.append("Visit <URL=http://x>he", plain);
    p.append("re</url>! <url=a</url> <url=y.de></url>.", bold);
    d.paragraphs = {p, RtfParagraph{}};
    const RtfDocument linked = withLinksFromMarkup(d);
    EXPECT_EQ(linked.plainText(), "Visit here! <url=a</url> y.de.\r\n");
    const auto& runs = linked.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_EQ(runs[1].text, "he");
    EXPECT_EQ(runs[1].format.link, "http://x");
    EXPECT_FALSE(runs[1].format.bold);
    EXPECT_EQ(runs[2].text, "re");
    EXPECT_EQ(runs[2].format.link, "http://x");
    EXPECT_TRUE(runs[2].format.bold);
    EXPECT_EQ(runs[3].text, "! <url=a</url> ");
    EXPECT_EQ(runs[3].format.link, "");
    EXPECT_EQ(runs[4].text, "y.de");
    EXPECT_EQ(runs[4].format.link, "y.de");
    EXPECT_EQ(runs[5].format.link, "");
    std::string many;
    for (int i = 0; i < 20000; ++i) many += "<url=</url>";
    const RtfDocument manyLinks =
        withLinksFromMarkup(RtfDocument::fromPlainText(many + "<url=a>b</url>", plain));
    ASSERT_EQ(manyLinks.paragraphs[0].runs.size(), 2u);
    EXPECT_EQ(manyLinks.paragraphs[0].runs[1].format.link, "a");
    // The links reach the clipboard flavours.
    EXPECT_NE(writeHtml(linked).find("<a href=\"http://x\">"), std::string::npos);
    EXPECT_EQ(parseRtf(writeRtf(linked)), linked);
}

namespace {

RtfDocument sampleDocument() {
    RtfCharFormat arial;
    arial.fontName = "Arial";
    arial.sizeHalfPoints = 20;
    RtfCharFormat bold = arial;
    bold.bold = true;
    bold.color = RtfColor{255, 0, 0};
    RtfCharFormat greek = arial;
    greek.fontName = "Times New Roman";
    greek.fontCharset = 161;
    greek.italic = true;
    greek.sizeHalfPoints = 25;
    RtfCharFormat link = arial;
    link.underline = true;
    link.color = RtfColor{0, 0, 255};
    link.link = "http://example.org/?q=a&b=<1>";

    RtfDocument d;
    RtfParagraph p1;
    p1.append("Grüße {x} \\ ", arial);
    p1.append("fett", bold);
    p1.append("\tαβγ € 😀 “q”\u000bzweite", greek);
    RtfParagraph p2;
    p2.alignment = RtfAlignment::Center;
    p2.append("Link: ", arial);
    p2.append("hier", link);
    RtfParagraph p3;
    p3.bullet = true;
    p3.append("Punkt\u00a0eins\u00ad\u2011", arial);
    RtfParagraph p4 = p3;
    p4.alignment = RtfAlignment::Right;
    RtfParagraph p5;
    p5.alignment = RtfAlignment::Justify;
    d.paragraphs = {p1, p2, p3, p4, p5, p1};
    return d;
}

}  // namespace

TEST(RtfWriter, RoundTripsTheModel) {
    const RtfDocument d = sampleDocument();
    const std::string rtf = writeRtf(d);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0", 0), 0u) << rtf;
    EXPECT_EQ(rtf.back(), '}');
    EXPECT_NE(rtf.find("\\par\r\n"), std::string::npos);
    EXPECT_NE(rtf.find("Gr\\'fc\\'dfe \\{x\\} \\\\ "), std::string::npos) << rtf;
    EXPECT_EQ(parseRtf(rtf), d) << rtf;
    // Written twice, the same text.
    EXPECT_EQ(writeRtf(parseRtf(rtf)), rtf);
    // Plain text survives a round trip, empty paragraphs included.
    const RtfDocument plain = RtfDocument::fromPlainText("a\r\n\r\nb\nc\r");
    EXPECT_EQ(plain.paragraphs.size(), 5u);
    EXPECT_EQ(parseRtf(writeRtf(plain)).plainText(), "a\r\n\r\nb\r\nc\r\n");
    EXPECT_EQ(parseRtf(writeRtf(RtfDocument{})).plainText(), "");
    EXPECT_EQ(parseRtf(writeRtf(RtfDocument::fromPlainText(""))).paragraphs.size(), 1u);
}

TEST(RtfWriter, ReadsBackWhatTheControlWrote) {
    // Written by a rich-text control; our writer must give a document that reads the same.
    const std::string original = doc("\\qc\\b Titel\\b0\\par\r\n\\pard x\\cf1  rot\\cf0\\par\r\n");
    const RtfDocument d = parseRtf(original);
    EXPECT_EQ(parseRtf(writeRtf(d)), d);
}

TEST(HtmlWriter, RendersFormattingAndEscapesText) {
    const std::string html = writeHtml(sampleDocument());
    EXPECT_NE(html.find("Grüße {x} \\ "), std::string::npos);
    EXPECT_NE(html.find("font-weight:bold;"), std::string::npos);
    EXPECT_NE(html.find("color:#ff0000;"), std::string::npos);
    EXPECT_NE(html.find("font-size:12.5pt;"), std::string::npos);
    EXPECT_NE(html.find("font-family:'Times New Roman'"), std::string::npos);
    EXPECT_NE(html.find("“q”<br>zweite"), std::string::npos);
    EXPECT_NE(html.find("<a href=\"http://example.org/?q=a&amp;b=&lt;1&gt;\">"), std::string::npos)
        << html;
    EXPECT_NE(html.find("text-align:center;"), std::string::npos);
    // Two bullet paragraphs form one list.
    EXPECT_EQ(html.find("<ul"), html.rfind("<ul"));
    EXPECT_NE(html.find("<li"), std::string::npos);
    EXPECT_NE(html.find("</ul>"), std::string::npos);
    EXPECT_NE(html.find("<br></p>"), std::string::npos);

    RtfDocument hostile = RtfDocument::fromPlainText("<script>alert('&')</script>");
    hostile.paragraphs[0].runs[0].format.fontName = "x';}</style><b>";
    hostile.paragraphs[0].runs[0].format.link = "\"><script>";
    const std::string h = writeHtml(hostile);
    EXPECT_EQ(h.find("<script>"), std::string::npos) << h;
    EXPECT_EQ(h.find("<b>"), std::string::npos) << h;
    EXPECT_NE(h.find("&lt;script&gt;alert('&amp;')"), std::string::npos) << h;
}
