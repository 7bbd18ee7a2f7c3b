// Files without a byte-order mark in UTF-8, as Linux editors save them: read as UTF-8 and written
// back in UTF-8, in all three file kinds; everything else without a mark stays Windows-1252.
#include <gtest/gtest.h>

#include <filesystem>

#include "storage/AtomicFile.h"
#include "storage/ConfigFile.h"
#include "storage/HotKeyFile.h"
#include "storage/LanguageFile.h"
#include "storage/TextCodec.h"
#include "tests/support/TestTexts.h"

namespace vorbix {
namespace {

namespace fs = std::filesystem;

TEST(Utf8WithoutMark, DetectedOnlyForValidUtf8WithNonAscii) {
    struct Case {
        std::string_view bytes;
        TextEncoding encoding;
        std::string_view text;
    };
    const Case cases[] = {
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         TextEncoding::Utf8, "Grüße"},
        {"\xE2\x82\xAC \xF0\x9F\x98\x80", TextEncoding::Utf8, "€ 😀"},
        {"plain ascii", TextEncoding::Windows1252, "plain ascii"},
        {"Gr\xFC\xDF"
         "e",
         TextEncoding::Windows1252, "Grüße"},
        // Broken or overlong sequences, surrogates and code points past U+10FFFF are no UTF-8.
        {"\xC3", TextEncoding::Windows1252, "Ã"},
        {"\xC3\xBC\xFC", TextEncoding::Windows1252, "Ã¼ü"},
        {"\xC0\xAF", TextEncoding::Windows1252, "À¯"},
        {"\xE0\x80\xAF", TextEncoding::Windows1252, "à€¯"},
        {"\xED\xA0\x80", TextEncoding::Windows1252, "í\u00A0€"},
        {"\xF4\x90\x80\x80", TextEncoding::Windows1252, "ô\u0090€€"},
        {"\x80", TextEncoding::Windows1252, "€"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(detectEncoding(c.bytes), c.encoding) << c.bytes;
        const DecodedText decoded = decodeText(c.bytes);
        EXPECT_EQ(decoded.encoding, c.encoding) << c.bytes;
        EXPECT_EQ(decoded.text, c.text) << c.bytes;
        // Written back in the encoding read, byte for byte.
        EXPECT_EQ(encodeText(decoded.text, decoded.encoding), c.bytes);
    }
    // UTF-8 without a mark keeps characters Windows-1252 lacks, and adds no mark.
    EXPECT_EQ(encodeText("Ω", TextEncoding::Utf8), "\xCE\xA9");
}

class Utf8Files : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) / "utf8-files";
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "System/Localization");
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(Utf8Files, EveryFileKindReadsAndKeepsUtf8) {
    // Hot key file: umlauts read right, the row keeps its properties, saving keeps UTF-8.
    const std::string table =
        "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+\xC3\x84\r\n"
        "Action=Datum/Zeit einf\xC3\xBCgen\r\nDateTime=DD.MM. \xE2\x80\x93 hh\r\n";
    ASSERT_TRUE(writeFileAtomically(path("t.hkv"), table));
    HotKeyTable rows;
    const LanguageTexts de = testing::germanTestTexts();
    const LoadResult loaded = LoadHotKeys(path("t.hkv"), rows, de, "");
    EXPECT_EQ(loaded.encoding, TextEncoding::Utf8);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.at(0).HotKeyText, "Strg+Ä");
    EXPECT_EQ(rows.at(0).PropertiesText, "DD.MM. – hh");
    ASSERT_TRUE(SaveHotKeys(path("t.hkv"), rows, de, ""));
    EXPECT_EQ(readWholeFile(path("t.hkv")), std::string("[Hot Key1]\r\nHot Key=Strg+\xC3\x84\r\n"
                                                        "Action=Datum/Zeit einf\xC3\xBC"
                                                        "gen\r\nDateTime=DD.MM. \xE2\x80\x93 hh\r\n"
                                                        "[General]\r\nCount=1\r\n"));

    // Configuration file: read as UTF-8, written back in UTF-8 with the other keys kept.
    ASSERT_TRUE(writeFileAtomically(path("Config.ini"),
                                    "[Settings]\r\nLanguage=German\r\nNote=S\xC3\xBC\xC3\x9F\r\n"));
    std::optional<ConfigFile> config = ConfigFile::open(path("Config.ini"));
    ASSERT_TRUE(config);
    EXPECT_EQ(config->value("Settings", "Note"), "Süß");
    config->write(config::kLanguage, "English");
    ASSERT_TRUE(config->save());
    EXPECT_EQ(readWholeFile(path("Config.ini")),
              "[Settings]\r\nLanguage=English\r\nNote=S\xC3\xBC\xC3\x9F\r\n\r\n");

    // Language file: a UTF-8 file supplies its texts and its captions.
    ASSERT_TRUE(writeFileAtomically(path("System/Localization/German.lng"),
                                    "[Main]\r\nAction17=Datum einf\xC3\xBCgen\r\n"));
    const LanguageFile lng = LanguageFile::load(path("System/Localization/German.lng"));
    EXPECT_EQ(lng.text("Main", "Action17"), "Datum einfügen");
    EXPECT_EQ(LanguageFile::loadCatalogue(dir_.string()).kindOf("Datum einfügen"),
              ActionKind::InsertDateTime);
}

}  // namespace
}  // namespace vorbix
