#include "core/TextUtil.h"

#include <gtest/gtest.h>

namespace vorbix {
namespace {

TEST(TextUtil, CodePointsNeverCutASequence) {
    EXPECT_EQ(utf8Length("Größe"), 5u);
    EXPECT_EQ(utf8Substr("Größe", 2, 2), "öß");
    EXPECT_EQ(utf8Substr("Größe", 4), "e");
    EXPECT_EQ(utf8Substr("Größe", 9), "");
    EXPECT_EQ(toUtf8(toUtf32("\xC3")), "\xEF\xBF\xBD");  // a cut sequence becomes U+FFFD
}

TEST(TextUtil, CaseFoldingCoversLatin1) {
    EXPECT_TRUE(equalsIgnoreCase("ÄPFEL", "äpfel"));
    EXPECT_TRUE(startsWithIgnoreCase("strg+A", "STRG+"));
    EXPECT_FALSE(startsWithIgnoreCase("St", "Strg+"));
    EXPECT_FALSE(equalsIgnoreCase("ab", "abc"));
    // ASCII and other characters side by side: an umlaut never equals a plain letter, whatever
    // the lengths, and malformed bytes equal only themselves.
    EXPECT_FALSE(equalsIgnoreCase("Größe", "GRÖSSE"));
    EXPECT_TRUE(equalsIgnoreCase("größe", "GRÖßE"));
    EXPECT_FALSE(equalsIgnoreCase("a", "ä"));
    EXPECT_FALSE(equalsIgnoreCase("ä", "a"));
    EXPECT_FALSE(equalsIgnoreCase("ab", "\xC3"));
    EXPECT_TRUE(equalsIgnoreCase("x\xC3", "X\xC3"));
    EXPECT_TRUE(startsWithIgnoreCase("ÄRGER", "är"));
    EXPECT_FALSE(startsWithIgnoreCase("Ab", "ä"));
}

TEST(TextUtil, WholeWordReplacementLeavesPartsOfWordsAlone) {
    EXPECT_EQ(replaceWholeWordsIgnoreCase("Umsch+Tab", "Ab", "Down"), "Umsch+Tab");
    EXPECT_EQ(replaceWholeWordsIgnoreCase("Strg+ab", "Ab", "Down"), "Strg+Down");
    EXPECT_EQ(replaceWholeWordsIgnoreCase("Eingabe", "Ab", "Down"), "Eingabe");
    EXPECT_EQ(replaceWholeWordsIgnoreCase("Num 1", "Num", "ZEHNERTASTATUR"), "ZEHNERTASTATUR 1");
    EXPECT_EQ(replaceAllIgnoreCase("a<~SPA~>b<~spa~>", "<~Spa~>", " "), "a b ");
    // Texts with and without characters beyond ASCII, and malformed ones, take the same rules.
    EXPECT_EQ(replaceWholeWordsIgnoreCase("Strg+Umsch+A", "umsch", "Shift"), "Strg+Shift+A");
    EXPECT_EQ(replaceWholeWordsIgnoreCase("Strg+Ä", "umsch", "Shift"), "Strg+Ä");
    EXPECT_EQ(replaceWholeWordsIgnoreCase("Ä+Umsch", "umsch", "Shift"), "Ä+Shift");
    EXPECT_EQ(replaceWholeWordsIgnoreCase("\xC3+A", "umsch", "Shift"), "\xEF\xBF\xBD+A");
}

TEST(TextUtil, IntegersInTheFormsTheFilesUse) {
    EXPECT_EQ(parseInteger("42"), 42);
    EXPECT_EQ(parseInteger("-2"), -2);
    EXPECT_EQ(parseInteger("0x1F"), 31);
    EXPECT_EQ(parseInteger("$1F1F1F"), 0x1F1F1F);
    EXPECT_EQ(parseInteger("$FF000000"), static_cast<int32_t>(0xFF000000u));
    EXPECT_EQ(parseInteger("12a"), std::nullopt);
    EXPECT_EQ(parseInteger("0x"), std::nullopt);
    EXPECT_EQ(parseInteger(""), std::nullopt);
    EXPECT_EQ(parseInteger("99999999999"), std::nullopt);
    EXPECT_EQ(parseIntegerOr("yes", 7), 7);
}

}  // namespace
}  // namespace vorbix
