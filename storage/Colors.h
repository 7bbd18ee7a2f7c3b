// Colour notation of the configuration file and the colour schemes of the settings dialog.
//
// A colour is a 32-bit value $00BBGGRR (blue, green, red). System colours are $FF000000 + n,
// where n is the system's colour number; the widgets resolve them against the current palette.
// In the file a colour is either a name of the colour-name table ("clBlack", "clBtnFace", ...)
// or a number: decimal, or "$"/"0x" with hexadecimal digits naming the 32-bit pattern.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorbix {

using ColorValue = uint32_t;

inline constexpr ColorValue kClBlack = 0x000000;
inline constexpr ColorValue kClGray = 0x808080;
inline constexpr ColorValue kClWhite = 0xFFFFFF;
inline constexpr ColorValue kSystemColorBase = 0xFF000000;
inline constexpr ColorValue kClBtnFace = kSystemColorBase + 15;
inline constexpr ColorValue kClNone = 0x1FFFFFFF;
inline constexpr ColorValue kClDefault = 0x20000000;

struct ColorName {
    std::string_view name;
    ColorValue value;
};

// The whole name table: the 20 plain colours, the system colours, clNone and clDefault.
const std::array<ColorName, 52>& colorNameTable();

// True for $FF000000 + n; `systemColorNumber` gives n.
constexpr bool isSystemColor(ColorValue c) {
    return (c & 0xFF000000u) == kSystemColorBase;
}
constexpr int systemColorNumber(ColorValue c) {
    return static_cast<int>(c & 0xFFu);
}

// A name of the table (letter case ignored) or a number; nullopt for anything else.
std::optional<ColorValue> colorFromString(std::string_view text);
// The name when the value is in the table, else "$" and eight upper-case hexadecimal digits.
std::string colorToString(ColorValue color);

// The colour schemes offered by the settings dialog. Entries 0 to 2 set the four colours of the
// main window (background, panel fill, panel outline, text); entry 3 keeps what the user picked.
struct ColorScheme {
    std::string_view name;  // also the value of `Scheme` in the configuration file
    std::array<ColorValue, 4> colors;
};

inline constexpr int kCustomSchemeIndex = 3;
inline constexpr std::string_view kCustomSchemeValue = "Custom";
const std::array<ColorScheme, 3>& colorSchemes();

// The scheme entry a `Scheme` value selects: exactly "Custom" is entry 3; any other value selects
// the entry whose text equals it, letter case ignored. `customEntryText` is the translated text
// of entry 3 shown in the box ("Benutzerdefiniert" in German). nullopt: no entry matches.
std::optional<int> schemeIndexFromValue(std::string_view value,
                                        std::string_view customEntryText = {});
// The value written for an entry: the scheme's name for 0 to 2, "Custom" for 3; empty when the
// box has no selection.
std::string schemeValueForIndex(std::optional<int> index);

}  // namespace vorbix
