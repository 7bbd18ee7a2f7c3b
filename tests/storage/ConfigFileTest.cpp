#include "storage/ConfigFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "storage/AtomicFile.h"

namespace vorbix {
namespace {

std::string freshFolder() {
    std::string pattern = ::testing::TempDir() + "configfile-XXXXXX";
    if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp";
    return pattern + "/";
}

TEST(ConfigFile, AbsentKeysGiveDefaultsEmptyValuesStayEmpty) {
    const ConfigFile file = ConfigFile::fromBytes(
        "x.ini",
        "[settings]\r\nLanguage=\r\nWelcome=0\r\ncol0=$10\r\nCol1=0x20\r\nCol2=abc\r\n"
        "ClientWidth=-5\r\nClientHeight=\r\nColor1=clRed\r\nColor2=255\r\nColor3=rubbish\r\n"
        "Color4=$FF00000F\r\n");
    EXPECT_EQ(file.read(config::kLanguage), "");  // present, empty: not the default
    EXPECT_EQ(file.read(config::kWelcome), "0");
    EXPECT_EQ(file.read(config::kImprovement), "1");  // absent: the default
    EXPECT_EQ(file.read(config::kSymbolHotKey), "");
    EXPECT_FALSE(file.has(config::kSettings, "SymbolHotKey"));
    EXPECT_TRUE(file.has(config::kSettings, "language"));

    EXPECT_EQ(file.read(config::kCol0), 16);
    EXPECT_EQ(file.read(config::kCol1), 32);
    EXPECT_EQ(file.read(config::kCol2), 290);       // not a number: the default
    EXPECT_EQ(file.read(config::kCol2, 144), 435);  // ... scaled to the screen
    EXPECT_EQ(file.read(config::kClientWidth), -5);
    EXPECT_EQ(file.read(config::kClientHeight, 120), 665);  // empty is not a number either
    EXPECT_EQ(file.read(config::kPositionX, 144), 0);

    EXPECT_EQ(file.read(config::kColor1), 0x0000FFu);
    EXPECT_EQ(file.read(config::kColor2), 255u);
    EXPECT_EQ(file.read(config::kColor3), 0x2D2D2Du);  // unreadable colour: the key's default
    EXPECT_EQ(file.read(config::kColor4), kClBtnFace);
}

TEST(ConfigFile, WritesKeepOtherKeysOrderAndSections) {
    const std::string path = freshFolder() + "Config.ini";
    ASSERT_TRUE(writeFileAtomically(
        path, "; made by hand\n[Settings]\nForeign=kept\nActive=0\n[Other]\nX=1\n"));
    std::optional<ConfigFile> file = ConfigFile::open(path);
    ASSERT_TRUE(file);
    file->writeFlag(config::kActive, true);
    file->write(config::kColor2, 0x1F1F1F);
    file->write(config::kColor1, kClBlack);
    file->write(config::kCol0, -2);
    file->write(config::kProgramDir, "/opt/vorbix/");
    file->erase(config::kSettings, "foreign");
    file->write(config::kInsertTextState, "Normal");
    ASSERT_TRUE(file->save());
    EXPECT_EQ(readWholeFile(path),
              "[Settings]\r\nActive=1\r\nColor2=$001F1F1F\r\nColor1=clBlack\r\nCol0=-2\r\n\r\n"
              "[Other]\r\nX=1\r\n\r\n[Misc]\r\nProgramDir=/opt/vorbix/\r\n\r\n"
              "[Insert Text]\r\nState=Normal\r\n\r\n");

    // Single-key writers change their key and leave everything else.
    ASSERT_TRUE(writeConfigValue(path, "settings", "active", "0"));
    ASSERT_TRUE(writeConfigValue(path, config::kSettings, "LastUpdateSearch", "09.12.2026"));
    const std::optional<ConfigFile> again = ConfigFile::open(path);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->read(config::kActive), "0");
    EXPECT_EQ(again->read(config::kLastUpdateSearch), "09.12.2026");
    EXPECT_EQ(again->read(config::kProgramDir), "/opt/vorbix/");
    EXPECT_EQ(again->readString("Other", "X", ""), "1");
}

TEST(ConfigFile, MissingFileIsCreatedUnreadableFileIsNeverWritten) {
    const std::string folder = freshFolder();
    EXPECT_TRUE(writeConfigValue(folder + "Config.ini", config::kSettings, "Return", "1"));
    EXPECT_EQ(readWholeFile(folder + "Config.ini"), "[Settings]\r\nReturn=1\r\n\r\n");

    // A folder in the file's place cannot be read: an error with the system's message.
    ASSERT_EQ(::mkdir((folder + "Blocked.ini").c_str(), 0700), 0);
    std::string error;
    EXPECT_FALSE(ConfigFile::open(folder + "Blocked.ini", &error));
    EXPECT_NE(error.find("Blocked.ini"), std::string::npos);
    const FileResult refused = writeConfigValue(folder + "Blocked.ini", "Settings", "A", "1");
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.empty());
    EXPECT_TRUE(directoryExists(folder + "Blocked.ini"));

    const FileResult noFolder = writeConfigValue(folder + "none/Config.ini", "Settings", "A", "1");
    EXPECT_FALSE(noFolder.ok);
    EXPECT_NE(noFolder.error.find("No such file"), std::string::npos);
}

TEST(ConfigFile, KeepsTheEncodingOfTheFile) {
    const std::string folder = freshFolder();
    // Windows-1252 without mark stays so while everything fits.
    ASSERT_TRUE(writeFileAtomically(folder + "ansi.ini",
                                    "[Settings]\r\nName=Gr\xF6\xDF"
                                    "e\r\n"));
    ASSERT_TRUE(writeConfigValue(folder + "ansi.ini", "Settings", "Other", "\xC3\x84"));
    EXPECT_EQ(readWholeFile(folder + "ansi.ini"),
              "[Settings]\r\nName=Gr\xF6\xDF"
              "e\r\nOther=\xC4\r\n\r\n");
    // A character outside Windows-1252 makes it UTF-8 with a mark, losing nothing.
    ASSERT_TRUE(writeConfigValue(folder + "ansi.ini", "Settings", "Other", "\xCE\xA9"));
    EXPECT_EQ(readWholeFile(folder + "ansi.ini"),
              "\xEF\xBB\xBF[Settings]\r\nName=Gr\xC3\xB6\xC3\x9F"
              "e\r\nOther=\xCE\xA9\r\n\r\n");
    // A file with a mark keeps it, also when everything would fit Windows-1252.
    ASSERT_TRUE(
        writeFileAtomically(folder + "utf16.ini", std::string("\xFF\xFE[\0S\0]\0\r\0\n\0", 12)));
    ASSERT_TRUE(writeConfigValue(folder + "utf16.ini", "S", "K", "v"));
    EXPECT_EQ(readWholeFile(folder + "utf16.ini"),
              std::string("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0v\0\r\0\n\0\r\0\n\0", 26));
}

}  // namespace
}  // namespace vorbix
