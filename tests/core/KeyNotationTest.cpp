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
    // A name of the other group reads too (tables travel between layouts).
    EXPECT_EQ(parseDisplay("Strg+1 (Num)", kEnglish), 0x4061);
}

// A table written on a layout of one group works on a layout of the other: every text is read
// with the words of both groups, whichever layout is active.
TEST(KeyNotation, TextsOfBothLayoutGroupsReadOnEveryLayout) {
    struct Case {
        const char* text;
        uint16_t word;
    };
    const Case cases[] = {
        // Written on a US layout.
        {"Ctrl+Alt+T", 0xC054},
        {"Ctrl+Shift+PgUp", 0x6021},
        {"Shift+Home", 0x2024},
        {"Ctrl+End", 0x4023},
        {"Alt+Left", 0x8025},
        {"Win+Up", 0x1026},
        {"Ctrl+Ins", 0x402D},
        {"Ctrl+Alt+Del", 0xC02E},
        {"Ctrl+Num 5", 0x400C},
        {"Alt+Num Del", 0x806E},
        {"Ctrl+Num Lock", 0x4090},
        {"Ctrl+Right Shift", 0x40A1},
        {"Volume Up", 0x00AF},
        {"Ctrl+;", 0x40BA},
        {"ctrl+shift+pgdn", 0x6022},
        // Written on a German layout.
        {"Strg+Alt+T", 0xC054},
        {"Strg+Shift+BildAuf", 0x6021},
        {"Umsch+Pos1", 0x2024},
        {"Strg+Ende", 0x4023},
        {"Alt+Links", 0x8025},
        {"Win+Auf", 0x1026},
        {"Strg+Einfg", 0x402D},
        {"Strg+Alt+Entf", 0xC02E},
        {"Strg+5 (Num)", 0x400C},
        {"Strg+5 (ZEHNERTASTATUR)", 0x400C},
        {"Alt+KOMMA (Num)", 0x806E},
        {"Strg+NUM-FESTSTELL", 0x4090},
        {"Strg+UMSCHALT RECHTS", 0x40A1},
        {"LAUTER", 0x00AF},
        {"Strg+Ü", 0x40BA},
        {"^Ä", 0x40DE},
        // Both groups' words in one text, and texts that name nothing in either.
        {"Ctrl+Umsch+Pos1", 0x6024},
        {"Strg+Nonsense", 0},
        {"Shift+", 0},
        {"Ctrl+Num", 0},
    };
    for (const KeyNameSource* names : {static_cast<const KeyNameSource*>(&kGerman),
                                       static_cast<const KeyNameSource*>(&kEnglish)}) {
        const CachedKeyNames cached(*names);
        for (const Case& c : cases) {
            EXPECT_EQ(parseDisplay(c.text, *names), c.word)
                << c.text << (names->isGermanLayout() ? " on German" : " on US");
            EXPECT_EQ(parseDisplay(c.text, cached), c.word) << c.text << " through the cache";
        }
    }
}

// Whatever layout a row was written on, reading it on either layout gives a key of the same
// name: every key of both groups, with and without modifiers.
TEST(KeyNotation, EveryKeyWrittenOnOneGroupReadsBackOnTheOther) {
    for (const BuiltinKeyNames* written : {&kGerman, &kEnglish}) {
        for (const BuiltinKeyNames* reading : {&kGerman, &kEnglish}) {
            for (int code = 8; code <= 0xFF; ++code) {
                for (const uint16_t modifiers : {0x0000, 0x2000, 0xD000}) {
                    const uint16_t word = static_cast<uint16_t>(code | modifiers);
                    const std::string text = displayOf(word, *written);
                    if (text.empty()) continue;
                    const uint16_t read = parseDisplay(text, *reading);
                    EXPECT_EQ(displayOf(read, *written), text)
                        << text << " read on the " << (reading->isGermanLayout() ? "German" : "US")
                        << " layout";
                }
            }
        }
    }
}

TEST(KeyNotation, WritingKeepsTheActiveLayoutsForm) {
    // A text read from the other group is written again in the words of the active layout.
    EXPECT_EQ(displayOf(parseDisplay("Ctrl+Shift+Home", kGerman), kGerman), "Strg+Shift+Pos1");
    EXPECT_EQ(displayOf(parseDisplay("Strg+Shift+Pos1", kEnglish), kEnglish), "Ctrl+Shift+Home");
    EXPECT_EQ(displayOf(parseDisplay("Alt+Num Del", kGerman), kGerman), "Alt+KOMMA (Num)");
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
