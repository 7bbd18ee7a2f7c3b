// Which characters of an inserted text a keyboard can type through the portal, and which must be
// reported as left out.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include "core/TextUtil.h"
#include "platform/portal/KeymapCoverage.h"

namespace vorbix::portal {
namespace {

TEST(KeymapCoverage, ReportsTheCharactersTheLayoutLacksEachOnce) {
    struct Case {
        const char* layout;
        const char* text;
        const char* missing;
    };
    const Case cases[] = {
        {"us", "Hello, World! 1+1=2 @#", ""},
        {"us", "Grüße aus Köln, Grüße", "üßö"},
        {"de", "Grüße aus Köln", ""},
        {"de", "Straße\tTab\nZeile", ""},
        {"us", "price: 5 €", ""},
        {"de", "smile 😀 or ☃", "😀☃"},
        {"us", "bell\x07here", "\x07"},
        {"", "a", ""},  // the rules' default layout carries plain letters
    };
    for (const Case& c : cases) {
        const KeymapCoverage coverage = KeymapCoverage::fromLayout(c.layout);
        ASSERT_TRUE(coverage.known()) << c.layout;
        EXPECT_EQ(toUtf8(coverage.missing(toUtf32(c.text))), c.missing)
            << c.layout << ": " << c.text;
    }
}

TEST(KeymapCoverage, WithoutAKeymapOnlyCharactersWithoutKeysymsAreMissing) {
    for (const char* keymap : {"", "this is no keymap"}) {
        const KeymapCoverage coverage{std::string(keymap)};
        EXPECT_FALSE(coverage.known());
        EXPECT_EQ(toUtf8(coverage.missing(toUtf32("Grüße\x01"))), "\x01");
    }
}

TEST(KeymapCoverage, LineBreaksAndTabsAreTypedAsTheirKeys) {
    struct Case {
        const char* text;
        std::u32string typed;
    };
    const Case cases[] = {
        {"a\r\nb", U"a\nb"},
        {"a\rb\nc", U"a\nb\nc"},
        {"\r\n\r\n", U"\n\n"},
        {"tab\there", U"tab\there"},
    };
    for (const Case& c : cases) EXPECT_EQ(charactersToType(c.text), c.typed) << c.text;
    EXPECT_EQ(keysymForCharacter(U'\n'), uint32_t(XKB_KEY_Return));
    EXPECT_EQ(keysymForCharacter(U'\t'), uint32_t(XKB_KEY_Tab));
    EXPECT_EQ(keysymForCharacter(U'ü'), uint32_t(XKB_KEY_udiaeresis));
    EXPECT_EQ(keysymForCharacter(U'€'), uint32_t(XKB_KEY_EuroSign));
    EXPECT_EQ(keysymForCharacter(0x1B), 0u);
}

}  // namespace
}  // namespace vorbix::portal
