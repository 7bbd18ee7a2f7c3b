// The way between the stored RTF and the editor's QTextDocument: a document with every
// attribute the model holds survives the round trip, edits made with Qt's commands arrive in the
// model, pasted HTML is reduced to what the model holds, characters Qt reserves stay text, and
// random RTF never breaks the way.
#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <random>

#include "editors/RichTextConverter.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

void guiApp() {
    test::offscreenApp();
}

QFont tahoma10() {
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(10);
    return f;
}

RtfDocument roundTrip(const RtfDocument& model) {
    QTextDocument doc;
    doc.setDefaultFont(tahoma10());
    RichTextConverter::toDocument(model, doc);
    return RichTextConverter::toModel(doc);
}

// Every attribute, both kinds of line break, a tab, bullets, every alignment, non-Latin text
// and a link.
RtfDocument everyAttribute() {
    RtfCharFormat base;
    base.fontName = "Tahoma";
    base.sizeHalfPoints = 20;
    RtfCharFormat bold = base;
    bold.bold = true;
    RtfCharFormat italicRed = base;
    italicRed.italic = true;
    italicRed.color = RtfColor{200, 0, 0};
    RtfCharFormat underlinedArial = base;
    underlinedArial.underline = true;
    underlinedArial.fontName = "Arial";
    underlinedArial.sizeHalfPoints = 28;
    RtfCharFormat cyrillic = base;
    cyrillic.fontName = "Times New Roman";
    cyrillic.fontCharset = 204;
    cyrillic.sizeHalfPoints = 25;
    RtfCharFormat link = base;
    link.link = "https://example.org/a?b=c&d=\"e\"";
    link.underline = true;
    link.color = RtfColor{0, 0, 255};

    auto paragraph = [](RtfAlignment a, bool bullet,
                        std::vector<std::pair<std::string, RtfCharFormat>> runs) {
        RtfParagraph p;
        p.alignment = a;
        p.bullet = bullet;
        for (auto& [text, format] : runs) p.append(text, format);
        return p;
    };
    RtfDocument d;
    d.paragraphs = {
        paragraph(RtfAlignment::Left, false,
                  {{"plain ", base},
                   {"bold", bold},
                   {" italic red", italicRed},
                   {"\tunderlined", underlinedArial}}),
        paragraph(RtfAlignment::Center, false, {{"line one\x0Bline two", base}}),
        paragraph(RtfAlignment::Right, true, {{"Grüße Привет 日本 😀", cyrillic}}),
        paragraph(RtfAlignment::Left, true, {{"see ", base}, {"the site", link}}),
        paragraph(RtfAlignment::Justify, false, {}),
        paragraph(RtfAlignment::Left, true, {{"a new list", bold}}),
        paragraph(RtfAlignment::Left, false, {{"end {\\}", base}}),
    };
    return d;
}

TEST(RichTextConverter, EveryAttributeSurvivesTheRoundTrip) {
    guiApp();
    const RtfDocument d = everyAttribute();
    EXPECT_EQ(roundTrip(d), d);

    // The Qt document has what the editor shows.
    QTextDocument doc;
    doc.setDefaultFont(tahoma10());
    RichTextConverter::toDocument(d, doc);
    EXPECT_EQ(doc.blockCount(), 7);
    EXPECT_EQ(doc.findBlockByNumber(1).text(), QString::fromUtf8("line one\u2028line two"));
    EXPECT_EQ(doc.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
    const QTextList* list = doc.findBlockByNumber(2).textList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(doc.findBlockByNumber(3).textList(), list) << "adjacent bullets share a list";
    EXPECT_EQ(doc.findBlockByNumber(4).textList(), nullptr);
    EXPECT_NE(doc.findBlockByNumber(5).textList(), nullptr);
    EXPECT_NE(doc.findBlockByNumber(5).textList(), list);

    // Through the stored RTF as well, written the same each time.
    const std::string rtf = writeRtf(d);
    EXPECT_EQ(writeRtf(roundTrip(parseRtf(rtf))), rtf);
}

TEST(RichTextConverter, QtEditsArriveInTheModel) {
    guiApp();
    QTextDocument doc;
    doc.setDefaultFont(tahoma10());
    doc.setPlainText(QStringLiteral("abc\nsecond"));
    // Nothing set: every run names the default font and size.
    RtfDocument m = RichTextConverter::toModel(doc);
    ASSERT_EQ(m.paragraphs.size(), 2u);
    ASSERT_EQ(m.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(m.paragraphs[0].runs[0].format.fontName, "Tahoma");
    EXPECT_EQ(m.paragraphs[0].runs[0].format.sizeHalfPoints, 20);
    EXPECT_FALSE(m.paragraphs[0].runs[0].format.color.has_value());

    QTextCursor c(&doc);
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(1, 2, 3));
    c.mergeCharFormat(bold);
    c.movePosition(QTextCursor::NextBlock);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    c.setBlockFormat(right);
    c.createList(QTextListFormat::ListDecimal);  // numbering is kept as a bullet
    c.insertText(QStringLiteral("x\u2028y"));
    m = RichTextConverter::toModel(doc);
    ASSERT_EQ(m.paragraphs[0].runs.size(), 3u);
    EXPECT_EQ(m.paragraphs[0].runs[1].text, "b");
    EXPECT_TRUE(m.paragraphs[0].runs[1].format.bold);
    EXPECT_EQ(m.paragraphs[0].runs[1].format.color, (RtfColor{1, 2, 3}));
    EXPECT_FALSE(m.paragraphs[0].runs[2].format.bold);
    EXPECT_EQ(m.paragraphs[1].alignment, RtfAlignment::Right);
    EXPECT_TRUE(m.paragraphs[1].bullet);
    EXPECT_EQ(m.paragraphs[1].plainText("|"), "x|ysecond");
}

TEST(RichTextConverter, PastedHtmlKeepsOnlyWhatTheModelHolds) {
    guiApp();
    QTextDocument doc;
    doc.setDefaultFont(tahoma10());
    doc.setHtml(QStringLiteral(
        "<p style=\"text-align:center\"><img src=\"none.png\">pic <a href=\"http://h.example\">"
        "link</a> <span style=\"font-size:14pt;color:#ff0000;font-family:'Arial',sans-serif\">"
        "big</span> <span style=\"font-size:20px\">px</span></p>"
        "<table><tr><td>cell</td></tr></table><ol><li>one</li></ol><h1>head</h1>"));
    const RtfDocument m = RichTextConverter::toModel(doc);
    const std::string text = m.plainText("|");
    EXPECT_EQ(text.find("\xEF\xBF\xBC"), std::string::npos) << "no object character";
    EXPECT_NE(text.find("pic link big px"), std::string::npos) << text;
    EXPECT_NE(text.find("cell"), std::string::npos) << text;
    EXPECT_NE(text.find("head"), std::string::npos) << text;
    const RtfParagraph& first = m.paragraphs[0];
    EXPECT_EQ(first.alignment, RtfAlignment::Center);
    bool sawLink = false, sawBig = false, sawPixels = false;
    for (const RtfRun& r : first.runs) {
        if (r.text == "link") sawLink = r.format.link == "http://h.example";
        if (r.text == "big") {
            sawBig = r.format.sizeHalfPoints == 28 && r.format.fontName == "Arial" &&
                     r.format.color == RtfColor{255, 0, 0};
        }
        if (r.text == "px") sawPixels = r.format.sizeHalfPoints == 30;  // 20 px = 15 pt
    }
    EXPECT_TRUE(sawLink && sawBig && sawPixels) << writeRtf(m);
    bool bulletOne = false;
    for (const RtfParagraph& p : m.paragraphs) bulletOne |= p.bullet && p.plainText() == "one";
    EXPECT_TRUE(bulletOne);
}

// Characters with a meaning of their own in a QTextDocument: U+FFFC typed as text is text (only
// an image's is dropped), Qt's frame marks U+FDD0 and U+FDD1 show as U+FFFD instead of splitting
// the paragraph.
TEST(RichTextConverter, CharactersQtReservesStayInTheirParagraph) {
    guiApp();
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"a\xEF\xBF\xBCz", "a\xEF\xBF\xBCz"},
        {"a\xEF\xB7\x90z", "a\xEF\xBF\xBDz"},
        {"a\xEF\xB7\x91z\xEF\xB7\x90", "a\xEF\xBF\xBDz\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        const RtfDocument m = roundTrip(RtfDocument::fromPlainText(c.text));
        ASSERT_EQ(m.paragraphs.size(), 1u) << c.text;
        EXPECT_EQ(m.plainText(), c.shown);
    }
}

// Random RTF made of the control words the reader knows, groups, text in several scripts and
// broken pieces.
std::string randomRtf(std::mt19937& rng) {
    static const char* const pieces[] = {
        "\\b ",
        "\\b0 ",
        "\\i ",
        "\\i0 ",
        "\\ul ",
        "\\ulnone ",
        "\\par\r\n",
        "\\line ",
        "\\tab ",
        "\\pard ",
        "\\qc ",
        "\\qr ",
        "\\qj ",
        "\\ql ",
        "\\fs0 ",
        "\\fs7 ",
        "\\fs24 ",
        "\\fs99999 ",
        "\\f0 ",
        "\\f1 ",
        "\\f7 ",
        "\\cf0 ",
        "\\cf1 ",
        "\\cf2 ",
        "\\cf9 ",
        "{",
        "}",
        "{\\*\\x ",
        "{\\pntext\\f1\\'b7\\tab}",
        "{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}",
        "\\fi-720\\li720 ",
        "{\\field{\\*\\fldinst{HYPERLINK \"http://a.b/?q\"}}{\\fldrslt{link}}}",
        "{\\field{\\*\\fldinst{HYPERLINK ",
        "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil"
        "\\fcharset204 Times;}}",
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green9\\blue9;}",
        "\\'e4",
        "\\'",
        "\\u1055?",
        "\\u-3913?",
        "\\u26085?",
        "\\uc0 ",
        "\\~",
        "\\-",
        "\\_",
        "\\\\",
        "\\{",
        "\\}",
        "Hello ",
        "Grüße ",
        "Привет ",
        "日本 ",
        " ",
        "\t",
        "\r\n",
        "\\",
        "<url=http://x>t</url>",
        "\\highlight3 ",
        "\\strike ",
        "\\sa200 ",
        "\x01",
        "\xff"};
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 60);
    std::string out = (rng() % 8) ? "{\\rtf1\\ansi\\ansicpg1252\\deff0" : "";
    for (int i = length(rng); i > 0; --i) out += pieces[pick(rng)];
    if (rng() % 4) out += "}";
    return out;
}

TEST(RichTextConverter, RandomRtfNeverBreaksTheWayThrough) {
    guiApp();
    std::mt19937 rng(20240917);
    for (int i = 0; i < 400; ++i) {
        const std::string input = randomRtf(rng);
        // Read, shown, stored: what is stored then comes back the same every time.
        const RtfDocument stored = parseRtf(writeRtf(roundTrip(parseRtf(input))));
        const RtfDocument again = roundTrip(stored);
        ASSERT_EQ(again, stored) << input;
        ASSERT_EQ(writeRtf(again), writeRtf(stored)) << input;
        ASSERT_FALSE(again.paragraphs.empty());
    }
}

}  // namespace
}  // namespace vorbix
