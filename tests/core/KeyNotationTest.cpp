#include "core/KeyNotation.h"

#include <gtest/gtest.h>

namespace vorbix {
namespace {

const BuiltinKeyNames kGerman(BuiltinKeyNames::Group::German);
const BuiltinKeyNames kEnglish(BuiltinKeyNames::Group::English);

std::string displayOf(uint16_t w, const KeyNameSource& names) {
    return KeyTextToDisplay(ShortCutToKeyText(w, false, names), names);
}
uint16_t parseDisplay(std::string_view text, const KeyNameSource& names) {
    return KeyTextToShortCut(KeyTextFromDisplay(text, names), names);
}

TEST(KeyNotation, CaptureTextUsesFixedVocabularyAndModifierOrder) {
    EXPECT_EQ(ShortCutToKeyText(0x4074, false, kEnglish), "Strg+F5");
    EXPECT_EQ(ShortCutToKeyText(0x104D, false, kEnglish), "Win+M");
    EXPECT_EQ(ShortCutToKeyText(0xF021, false, kGerman), "Win+Strg+Umsch+Alt+BildAuf");
    EXPECT_EQ(ShortCutToKeyText(0x0087, false, kGerman), "F24");
    EXPECT_EQ(ShortCutToKeyText(0x0030, false, kGerman), "0");
    // Modifiers without a key: nothing, unless the capture field paints them while held.
    EXPECT_EQ(ShortCutToKeyText(0x6000, false, kGerman), "");
    EXPECT_EQ(ShortCutToKeyText(0x6000, true, kGerman), "Strg+Umsch+");
    EXPECT_EQ(ShortCutToKeyText(0x0007, false, kGerman), "");
}

TEST(KeyNotation, DisplayFormFollowsTheLayoutAndRoundTrips) {
    EXPECT_EQ(displayOf(0x4074, kGerman), "Strg+F5");
    EXPECT_EQ(displayOf(0x4074, kEnglish), "Ctrl+F5");
    EXPECT_EQ(displayOf(0x6021, kGerman), "Strg+Shift+BildAuf");
    EXPECT_EQ(displayOf(0x6021, kEnglish), "Ctrl+Shift+PgUp");
    EXPECT_EQ(displayOf(0x2009, kEnglish), "Shift+Tab");  // "Ab" inside "Tab" stays
    EXPECT_EQ(displayOf(0x0026, kEnglish), "Up");
    EXPECT_EQ(displayOf(0x0028, kEnglish), "Down");
    EXPECT_EQ(displayOf(0x000D, kEnglish), "Eingabe");
    for (uint16_t w : {0x4074, 0x104D, 0x2009, 0x0026, 0x6021, 0x406F, 0x80BD, 0x0013}) {
        EXPECT_EQ(parseDisplay(displayOf(w, kGerman), kGerman), w) << std::hex << w;
        EXPECT_EQ(parseDisplay(displayOf(w, kEnglish), kEnglish), w) << std::hex << w;
    }
}

TEST(KeyNotation, ParsingPrefixesCaseAndFailures) {
    EXPECT_EQ(KeyTextToShortCut("^A", kGerman), 0x4041);
    EXPECT_EQ(KeyTextToShortCut("strg+a", kGerman), 0x4041);
    EXPECT_EQ(KeyTextToShortCut("alt+win+umsch+x", kGerman), 0xB058);
    EXPECT_EQ(KeyTextToShortCut("Strg+", kGerman), 0);
    EXPECT_EQ(KeyTextToShortCut("", kGerman), 0);
    EXPECT_EQ(KeyTextToShortCut("Strg+Nonsense", kGerman), 0);
    EXPECT_EQ(KeyTextToShortCut("Strg+F25", kGerman), 0);
    EXPECT_EQ(ShortCutToHotKey(0), (TWinHotKey{0, 0}));
}

TEST(KeyNotation, LayoutNamesOfNumericPadPunctuationAndMediaKeys) {
    EXPECT_EQ(displayOf(0xC065, kEnglish), "Ctrl+Alt+Num 5");
    EXPECT_EQ(displayOf(0xC065, kGerman), "Strg+Alt+5 (Num)");
    // Num 5 without NumLock (Clear) comes first with the same name; both are the same key.
    EXPECT_EQ(parseDisplay("Ctrl+Alt+Num 5", kEnglish), 0xC00C);
    EXPECT_EQ(displayOf(0x40BD, kGerman), "Strg+-");
    EXPECT_EQ(parseDisplay("Strg+-", kGerman), 0x40BD);  // not Num /, which has its own name
    EXPECT_EQ(parseDisplay("Strg+Ü", kGerman), 0x40BA);
    EXPECT_EQ(parseDisplay("Ctrl+;", kEnglish), 0x40BA);
    // Names holding words of the display translation still find their key.
    EXPECT_EQ(parseDisplay(displayOf(0x006E, kEnglish), kEnglish), 0x006E);
    EXPECT_EQ(parseDisplay(displayOf(0x00AF, kEnglish), kEnglish), 0x00AF);
    EXPECT_EQ(parseDisplay(displayOf(0x00A1, kEnglish), kEnglish), 0x00A1);
    // A name of the other group does not parse.
    EXPECT_EQ(parseDisplay("Strg+1 (Num)", kEnglish), 0);
}

TEST(KeyNotation, RegistrationForm) {
    EXPECT_EQ(ShortCutToHotKey(0x4074), (TWinHotKey{0x74, MOD_CONTROL}));
    EXPECT_EQ(ShortCutToHotKey(0xF041),
              (TWinHotKey{0x41, MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN}));
    EXPECT_EQ(hotKeyOfText("Ctrl+Shift+PgUp", kEnglish),
              (TWinHotKey{0x21, MOD_CONTROL | MOD_SHIFT}));
    EXPECT_EQ(hotKeyOfText("Strg+Shift+BildAuf", kGerman),
              (TWinHotKey{0x21, MOD_CONTROL | MOD_SHIFT}));
}

TEST(KeyNotation, CachedNamesReadEveryKeyTextAsTheirSourceDoes) {
    for (const auto group : {BuiltinKeyNames::Group::German, BuiltinKeyNames::Group::English}) {
        const BuiltinKeyNames names(group);
        const CachedKeyNames cached(names);
        EXPECT_EQ(cached.isGermanLayout(), names.isGermanLayout());
        for (int code = 8; code <= 0xFF; ++code) {
            for (const uint16_t modifiers : {0x0000, 0x6000, 0x9000}) {
                const uint16_t word = static_cast<uint16_t>(code | modifiers);
                const std::string text = ShortCutToKeyText(word, false, names);
                EXPECT_EQ(ShortCutToKeyText(word, false, cached), text);
                EXPECT_EQ(KeyTextToShortCut(text, cached), KeyTextToShortCut(text, names)) << text;
            }
        }
        // Texts written by hand: other letter case, umlauts, names no key has.
        for (const char* text : {"strg+ä", "STRG+Ö", "Alt+zehnertastatur 1", "Strg+num 1",
                                 "Shift+f5", "Alt+Nix", "Strg+\xC3", "Win+", "Umsch+ende"}) {
            EXPECT_EQ(KeyTextToShortCut(text, cached), KeyTextToShortCut(text, names)) << text;
        }
    }
}

}  // namespace
}  // namespace vorbix
