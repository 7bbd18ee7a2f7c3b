#include "storage/Colors.h"

#include <gtest/gtest.h>

namespace vorbix {
namespace {

TEST(Colors, NamesAndNumbersReadBothWays) {
    EXPECT_EQ(colorFromString("clBlack"), 0x000000u);
    EXPECT_EQ(colorFromString("CLWHITE"), 0xFFFFFFu);
    EXPECT_EQ(colorFromString("clSkyBlue"), 0xF0CAA6u);
    EXPECT_EQ(colorFromString("clBtnFace"), 0xFF00000Fu);
    EXPECT_EQ(colorFromString("clMenuBar"), 0xFF00001Eu);
    EXPECT_EQ(colorFromString("clNone"), 0x1FFFFFFFu);
    EXPECT_EQ(colorFromString("clDefault"), 0x20000000u);
    EXPECT_EQ(colorFromString("$001F1F1F"), 0x1F1F1Fu);
    EXPECT_EQ(colorFromString("$ff00000f"), 0xFF00000Fu);
    EXPECT_EQ(colorFromString("2039583"), 0x1F1F1Fu);
    // A negative decimal names the same 32-bit pattern as the hexadecimal form.
    EXPECT_EQ(colorFromString("-16777201"), 0xFF00000Fu);
    for (const char* bad : {"", "clPink", "$", "$1G", "12 ", "4294967296", "$100000000"}) {
        EXPECT_EQ(colorFromString(bad), std::nullopt) << bad;
    }
}

TEST(Colors, WritesTheNameWhenOneMatchesElseEightHexDigits) {
    EXPECT_EQ(colorToString(0x000000), "clBlack");
    EXPECT_EQ(colorToString(0xFFFFFF), "clWhite");
    EXPECT_EQ(colorToString(0x808080), "clGray");
    EXPECT_EQ(colorToString(0xFF00000F), "clBtnFace");
    EXPECT_EQ(colorToString(0x1F1F1F), "$001F1F1F");
    EXPECT_EQ(colorToString(0x73352D), "$0073352D");
    EXPECT_EQ(colorToString(0xFF000019), "$FF000019");  // system colour 25 has no name
    // Every name of the table reads back to the value it is written for.
    for (const ColorName& entry : colorNameTable()) {
        EXPECT_EQ(colorToString(entry.value), entry.name);
        EXPECT_EQ(colorFromString(colorToString(entry.value)), entry.value);
    }
    EXPECT_TRUE(isSystemColor(0xFF000018));
    EXPECT_EQ(systemColorNumber(0xFF000018), 24);
    EXPECT_FALSE(isSystemColor(kClNone));
}

TEST(Colors, SchemeValuesSelectEntries) {
    EXPECT_EQ(schemeIndexFromValue("Standard"), 0);
    EXPECT_EQ(schemeIndexFromValue("VORBIX 8"), 1);
    EXPECT_EQ(schemeIndexFromValue("windows classic"), 2);
    EXPECT_EQ(schemeIndexFromValue("Custom"), kCustomSchemeIndex);
    // "Custom" counts only exactly; otherwise the translated entry text is matched.
    EXPECT_EQ(schemeIndexFromValue("custom", "Benutzerdefiniert"), std::nullopt);
    EXPECT_EQ(schemeIndexFromValue("benutzerdefiniert", "Benutzerdefiniert"), kCustomSchemeIndex);
    EXPECT_EQ(schemeIndexFromValue(""), std::nullopt);
    EXPECT_EQ(schemeIndexFromValue("Standard "), std::nullopt);

    EXPECT_EQ(schemeValueForIndex(0), "Standard");
    EXPECT_EQ(schemeValueForIndex(2), "Windows Classic");
    EXPECT_EQ(schemeValueForIndex(3), "Custom");
    EXPECT_EQ(schemeValueForIndex(std::nullopt), "");

    const auto& classic = colorSchemes()[2].colors;
    EXPECT_EQ(colorToString(classic[0]), "clBtnFace");
    EXPECT_EQ(colorToString(classic[2]), "clGray");
    EXPECT_EQ(colorToString(classic[3]), "clBlack");
    EXPECT_EQ(colorToString(colorSchemes()[1].colors[1]), "$00A66838");
}

}  // namespace
}  // namespace vorbix
