#include "storage/ConfigFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

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
        "[settings]\r\nLanguage=\r\ncol0=$10\r\nCol1=0x20\r\nCol2=abc\r\nClientHeight=\r\n"
        "Color1=clRed\r\nColor3=rubbish\r\n");
    EXPECT_EQ(file.read(config::kLanguage), "");      // present, empty: not the default
    EXPECT_EQ(file.read(config::kImprovement), "1");  // absent: the default
    EXPECT_EQ(file.read(config::kCol0), 16);
    EXPECT_EQ(file.read(config::kCol1), 32);
    EXPECT_EQ(file.read(config::kCol2, 144), 435);          // not a number: the default, scaled
    EXPECT_EQ(file.read(config::kClientHeight, 120), 665);  // empty is not a number either
    EXPECT_EQ(file.read(config::kPositionX, 144), 0);
    EXPECT_EQ(file.read(config::kColor1), 0x0000FFu);
    EXPECT_EQ(file.read(config::kColor3), 0x2D2D2Du);  // unreadable colour: the key's default
}

TEST(ConfigFile, WritersKeepEachOthersKeysOrderAndEncoding) {
    const std::string path = freshFolder() + "Config.ini";
    ASSERT_TRUE(writeFileAtomically(
        path,
        "; by hand\n[Settings]\nForeign=kept\nActive=0\n[Other]\nName=Gr\xF6\xDF"
        "e\n"));
    std::optional<ConfigFile> file = ConfigFile::open(path);
    ASSERT_TRUE(file);
    file->writeFlag(config::kActive, true);
    file->write(config::kColor2, 0x1F1F1F);
    file->write(config::kColor1, kClBlack);
    file->write(config::kProgramDir, "/opt/vorbix/");
    ASSERT_TRUE(file->save());
    ASSERT_TRUE(writeConfigValue(path, "settings", "LastUpdateSearch", "09.12.2026"));
    EXPECT_EQ(readWholeFile(path),
              "[Settings]\r\nForeign=kept\r\nActive=1\r\nColor2=$001F1F1F\r\nColor1=clBlack\r\n"
              "LastUpdateSearch=09.12.2026\r\n\r\n[Other]\r\nName=Gr\xF6\xDF"
              "e\r\n\r\n"
              "[Misc]\r\nProgramDir=/opt/vorbix/\r\n\r\n");
    // A character outside Windows-1252 makes it UTF-8 with a mark, losing nothing.
    ASSERT_TRUE(writeConfigValue(path, "Other", "Sign", "\xCE\xA9"));
    EXPECT_EQ(readWholeFile(path)->substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ConfigFile::open(path)->readString("Other", "Name", ""),
              "Gr\xC3\xB6\xC3\x9F"
              "e");

    // A write-back that changes nothing leaves the file itself alone (same inode).
    struct stat before {
    }, after{};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    ASSERT_TRUE(ConfigFile::open(path)->save());
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
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
    EXPECT_FALSE(writeConfigValue(folder + "Blocked.ini", "Settings", "A", "1"));
    EXPECT_TRUE(directoryExists(folder + "Blocked.ini"));
    const FileResult noFolder = writeConfigValue(folder + "none/Config.ini", "Settings", "A", "1");
    EXPECT_NE(noFolder.error.find("No such file"), std::string::npos);
}

}  // namespace
}  // namespace vorbix
