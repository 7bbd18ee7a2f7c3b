#include "storage/Colors.h"

#include <cstdio>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

constexpr ColorValue sys(int n) {
    return kSystemColorBase + static_cast<ColorValue>(n);
}

constexpr std::array<ColorName, 52> kColorNames{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clScrollBar", sys(0)},
    {"clBackground", sys(1)},
    {"clActiveCaption", sys(2)},
    {"clInactiveCaption", sys(3)},
    {"clMenu", sys(4)},
    {"clWindow", sys(5)},
    {"clWindowFrame", sys(6)},
    {"clMenuText", sys(7)},
    {"clWindowText", sys(8)},
    {"clCaptionText", sys(9)},
    {"clActiveBorder", sys(10)},
    {"clInactiveBorder", sys(11)},
    {"clAppWorkSpace", sys(12)},
    {"clHighlight", sys(13)},
    {"clHighlightText", sys(14)},
    {"clBtnFace", sys(15)},
    {"clBtnShadow", sys(16)},
    {"clGrayText", sys(17)},
    {"clBtnText", sys(18)},
    {"clInactiveCaptionText", sys(19)},
    {"clBtnHighlight", sys(20)},
    {"cl3DDkShadow", sys(21)},
    {"cl3DLight", sys(22)},
    {"clInfoText", sys(23)},
    {"clInfoBk", sys(24)},
    {"clHotLight", sys(26)},
    {"clGradientActiveCaption", sys(27)},
    {"clGradientInactiveCaption", sys(28)},
    {"clMenuHighlight", sys(29)},
    {"clMenuBar", sys(30)},
    {"clNone", kClNone},
    {"clDefault", kClDefault},
}};

constexpr std::array<ColorScheme, 3> kSchemes{{
    {"Standard", {0x000000, 0x1F1F1F, 0x2D2D2D, 0xFFFFFF}},
    {"Vorbix 8", {0x73352D, 0xA66838, 0x73352D, 0xFFFFFF}},
    {"Windows Classic", {kClBtnFace, kClBtnFace, 0x808080, 0x000000}},
}};

}  // namespace

const std::array<ColorName, 52>& colorNameTable() {
    return kColorNames;
}

const std::array<ColorScheme, 3>& colorSchemes() {
    return kSchemes;
}

std::optional<ColorValue> colorFromString(std::string_view text) {
    for (const ColorName& entry : kColorNames) {
        if (equalsIgnoreCase(entry.name, text)) return entry.value;
    }
    // parseInteger takes a sign, decimal digits or "$"/"0x" with hexadecimal digits; a negative
    // decimal names the same 32-bit pattern as its hexadecimal form.
    const std::optional<int32_t> number = parseInteger(text);
    if (!number) return std::nullopt;
    return static_cast<ColorValue>(*number);
}

std::string colorToString(ColorValue color) {
    for (const ColorName& entry : kColorNames) {
        if (entry.value == color) return std::string(entry.name);
    }
    char buffer[12];
    std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(color));
    return buffer;
}

std::optional<int> schemeIndexFromValue(std::string_view value, std::string_view customEntryText) {
    if (value == kCustomSchemeValue) return kCustomSchemeIndex;
    for (size_t i = 0; i < kSchemes.size(); ++i) {
        if (equalsIgnoreCase(kSchemes[i].name, value)) return static_cast<int>(i);
    }
    if (!customEntryText.empty() && equalsIgnoreCase(customEntryText, value)) {
        return kCustomSchemeIndex;
    }
    return std::nullopt;
}

std::string schemeValueForIndex(std::optional<int> index) {
    if (!index) return {};
    if (*index == kCustomSchemeIndex) return std::string(kCustomSchemeValue);
    if (*index >= 0 && *index < static_cast<int>(kSchemes.size())) {
        return std::string(kSchemes[static_cast<size_t>(*index)].name);
    }
    return {};
}

}  // namespace vorbix
