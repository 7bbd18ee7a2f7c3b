#include "storage/Colors.h"

#include <gtest/gtest.h>

#include "core/TextUtil.h"

namespace vorbix {
namespace {

TEST(Colors, NamesAndNumbersBothWays) {
    // Every name reads back to the value it is written for (letter case ignored on reading).
    for (const ColorName& entry : colorNameTable()) {
        EXPECT_EQ(colorToString(entry.value), entry.name);
        EXPECT_EQ(colorFromString(foldCase(entry.name)), entry.value);
    }
    EXPECT_EQ(colorFromString("clBtnFace"), 0xFF00000Fu);
    EXPECT_EQ(colorFromString("$ff00000f"), 0xFF00000Fu);
    EXPECT_EQ(colorFromString("-16777201"), 0xFF00000Fu);  // the same 32-bit pattern
    EXPECT_EQ(colorFromString("2039583"), 0x1F1F1Fu);
    for (const char* bad : {"", "clPink", "$", "$1G", "4294967296", "$100000000"}) {
        EXPECT_EQ(colorFromString(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(colorToString(0x1F1F1F), "$001F1F1F");
    EXPECT_EQ(colorToString(0xFF000019), "$FF000019");  // system colour 25 has no name
}

TEST(Colors, SchemeValuesSelectEntries) {
    EXPECT_EQ(schemeIndexFromValue("windows classic"), 2);
    EXPECT_EQ(schemeIndexFromValue("Custom"), kCustomSchemeIndex);
    // "Custom" counts only exactly; otherwise the translated entry text is matched.
    EXPECT_EQ(schemeIndexFromValue("custom", "Benutzerdefiniert"), std::nullopt);
    EXPECT_EQ(schemeIndexFromValue("BENUTZERDEFINIERT", "Benutzerdefiniert"), kCustomSchemeIndex);
    EXPECT_EQ(schemeIndexFromValue(""), std::nullopt);
    EXPECT_EQ(schemeValueForIndex(1), "Vorbix 8");
    EXPECT_EQ(schemeValueForIndex(3), "Custom");
    EXPECT_EQ(schemeValueForIndex(std::nullopt), "");
    const auto& classic = colorSchemes()[2].colors;
    EXPECT_EQ(colorToString(classic[0]) + colorToString(classic[2]) + colorToString(classic[3]),
              "clBtnFaceclGrayclBlack");
}

}  // namespace
}  // namespace vorbix
