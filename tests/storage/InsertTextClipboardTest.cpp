#include "storage/InsertTextClipboard.h"

#include <gtest/gtest.h>

#include "storage/InsertTextDigest.h"
#include "storage/RtfDocument.h"

using namespace vorbix;

TEST(InsertTextInsertion, FormattedTextGoesWithLinksInEveryFlavour) {
    RtfCharFormat bold;
    bold.fontName = "Tahoma";
    bold.bold = true;
    RtfDocument d = RtfDocument::fromPlainText("Hallo\nSiehe <url=http://x.de>hier</url>", bold);
    const std::string stored = encodeInsertText({true, true, writeRtf(d)});

    const InsertTextInsertion insertion = insertTextInsertion(stored);
    EXPECT_TRUE(insertion.tabAfter);
    EXPECT_EQ(insertion.content.plain, "Hallo\nSiehe hier");
    EXPECT_NE(insertion.content.html.find("<a href=\"http://x.de\">"), std::string::npos);
    const RtfDocument pasted = parseRtf(insertion.content.rtf);
    ASSERT_EQ(pasted.paragraphs.size(), 2u);
    ASSERT_EQ(pasted.paragraphs[1].runs.size(), 2u);
    EXPECT_EQ(pasted.paragraphs[1].runs[1].text, "hier");
    EXPECT_EQ(pasted.paragraphs[1].runs[1].format.link, "http://x.de");
    EXPECT_TRUE(pasted.paragraphs[1].runs[1].format.bold);
}

TEST(InsertTextInsertion, PlainTextGoesAsPlainTextAlone) {
    const InsertTextInsertion insertion =
        insertTextInsertion("<~NoFo~>a<~Spa~><url=http://x>b</url><~Re~>c");
    EXPECT_FALSE(insertion.tabAfter);
    EXPECT_EQ(insertion.content.plain, "a http://x\nc");
    EXPECT_TRUE(insertion.content.html.empty());
    EXPECT_TRUE(insertion.content.rtf.empty());
    // A new row, and a formatted value that holds no RTF.
    EXPECT_EQ(insertTextInsertion("<~Form~>").content.plain, "");
    EXPECT_EQ(insertTextInsertion("<~Form~>x<~Re~>y").content.plain, "x\ny");
}
