// Files loaded as a hot key table, a configuration or a language: what is taken and what is
// refused (and why), reading without reading too much, the backup and the set-aside file.
#include "storage/FileKind.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "storage/AtomicFile.h"

namespace vorbix {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string randomBytes(size_t n) {
    std::mt19937 gen(21);
    std::string bytes(n, '\0');
    for (char& c : bytes) c = static_cast<char>(gen() & 0xFF);
    return bytes;
}

// A text made of `n` copies of `line`.
std::string repeated(std::string_view line, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += line;
    return text;
}

TEST(FileKind, VerdictOnTheBytes) {
    const std::string table = "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+C\r\n";
    const std::string tableRow = "[Hot Key1]\r\nHot Key=Strg+C\r\nAction=Kopieren\r\n";
    const std::string utf16Table = "\xFF\xFE[\0G\0e\0n\0e\0r\0a\0l\0]\0\r\0\n\0"s;
    const std::string elfStart =
        "\x7F"
        "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0[General]\r\n"s;
    const struct {
        const char* name;
        std::string bytes;
        FileKind kind;
        FileRefusal expected;
    } cases[] = {
        {"table", table, FileKind::HotKeys, FileRefusal::None},
        {"rows without [General]", tableRow, FileKind::HotKeys, FileRefusal::None},
        {"section names in any case", "[GENERAL]\r\nCount=0\r\n", FileKind::HotKeys,
         FileRefusal::None},
        {"LF line ends, comment first", "; mine\n[General]\nCount=0\n", FileKind::HotKeys,
         FileRefusal::None},
        {"umlauts in Windows-1252", "[Hot Key1]\r\nHot Key=Win+\xC4\r\n", FileKind::HotKeys,
         FileRefusal::None},
        {"UTF-16 with its mark", utf16Table, FileKind::HotKeys, FileRefusal::None},
        {"UTF-8 with its mark", "\xEF\xBB\xBF[General]\r\nCount=0\r\n", FileKind::HotKeys,
         FileRefusal::None},
        {"one stray control among many characters",
         repeated("[General]\r\nCount=0\r\n", 10) + "\x01", FileKind::HotKeys, FileRefusal::None},
        {"configuration as configuration", "[Settings]\r\nLanguage=English\r\n", FileKind::Config,
         FileRefusal::None},
        {"editor window of the configuration", "[Insert Text]\r\nState=Normal\r\n",
         FileKind::Config, FileRefusal::None},
        {"language file as language", "[Main]\r\nAction5=Copy\r\n", FileKind::Language,
         FileRefusal::None},
        // Refused.
        {"random bytes", randomBytes(20000), FileKind::HotKeys, FileRefusal::Binary},
        {"a program", elfStart, FileKind::HotKeys, FileRefusal::Binary},
        {"a NUL inside a table", "[General]\r\nCount=0\0\r\n"s, FileKind::HotKeys,
         FileRefusal::Binary},
        {"many control characters", "[General]\r\n" + repeated("\x02\x03x", 30), FileKind::HotKeys,
         FileRefusal::Binary},
        {"random bytes as configuration", randomBytes(3000), FileKind::Config, FileRefusal::Binary},
        {"random bytes as language", randomBytes(3000), FileKind::Language, FileRefusal::Binary},
        {"UTF-8 mark, then no UTF-8", "\xEF\xBB\xBF[General]\r\nA=\xFF\xFE\r\n", FileKind::HotKeys,
         FileRefusal::NotText},
        {"UTF-16 of an odd length", utf16Table + "x", FileKind::HotKeys, FileRefusal::NotText},
        {"UTF-16 with a lone surrogate", utf16Table + "\x00\xD8"s, FileKind::HotKeys,
         FileRefusal::NotText},
        {"empty file", "", FileKind::HotKeys, FileRefusal::NoKnownSection},
        {"text without sections", "just a note\r\n", FileKind::HotKeys,
         FileRefusal::NoKnownSection},
        {"row section without a number", "[Hot Key]\r\nHot Key=F5\r\n", FileKind::HotKeys,
         FileRefusal::NoKnownSection},
        {"configuration as table", "[Settings]\r\nLanguage=English\r\n", FileKind::HotKeys,
         FileRefusal::NoKnownSection},
        {"table as configuration", table, FileKind::Config, FileRefusal::NoKnownSection},
        {"language file as table", "[Main]\r\nAction5=Copy\r\n", FileKind::HotKeys,
         FileRefusal::NoKnownSection},
        {"table as language", table, FileKind::Language, FileRefusal::NoKnownSection},
        {"larger than any table", std::string(kLargestLoadedFile + 1, 'a'), FileKind::HotKeys,
         FileRefusal::TooLarge},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkFileKind(c.bytes, c.kind), c.expected) << c.name;
    }
}

TEST(FileKind, EveryRefusalHasATextAndAReason) {
    for (FileRefusal r : {FileRefusal::TooLarge, FileRefusal::Binary, FileRefusal::NotText,
                          FileRefusal::NoKnownSection}) {
        EXPECT_FALSE(fileRefusalTextKey(r).empty());
        EXPECT_FALSE(fileRefusalReason(r).empty());
    }
    EXPECT_FALSE(notOfKindTextKey(FileKind::HotKeys).empty());
    EXPECT_FALSE(notOfKindTextKey(FileKind::Config).empty());
}

class KindFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("kind-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        return readWholeFile(path(name)).value_or("<none>");
    }

    fs::path dir_;
};

TEST_F(KindFiles, ReadsWholeFilesAndRefusesWhatCannotBeOne) {
    write("table.hkv", "[General]\r\nCount=0\r\n");
    write("random.hkv", randomBytes(4096));
    fs::create_directory(path("folder.hkv"));
    // Sparse: refused by its size, never read.
    write("huge.hkv", "");
    ASSERT_EQ(::truncate(path("huge.hkv").c_str(), off_t(kLargestLoadedFile) + 1), 0);

    const KindCheckedFile table = readFileOfKind(path("table.hkv"), FileKind::HotKeys);
    EXPECT_TRUE(table.usable());
    EXPECT_EQ(table.bytes, "[General]\r\nCount=0\r\n");

    const KindCheckedFile random = readFileOfKind(path("random.hkv"), FileKind::HotKeys);
    EXPECT_EQ(random.refusal, FileRefusal::Binary);
    EXPECT_TRUE(random.bytes.empty());

    const KindCheckedFile huge = readFileOfKind(path("huge.hkv"), FileKind::HotKeys);
    EXPECT_EQ(huge.refusal, FileRefusal::TooLarge);

    const KindCheckedFile missing = readFileOfKind(path("absent.hkv"), FileKind::HotKeys);
    EXPECT_TRUE(missing.missing);
    EXPECT_FALSE(missing.usable());

    const KindCheckedFile folder = readFileOfKind(path("folder.hkv"), FileKind::HotKeys);
    EXPECT_NE(folder.error.find("folder.hkv"), std::string::npos) << folder.error;

    const KindCheckedFile device = readFileOfKind("/dev/zero", FileKind::HotKeys);
    EXPECT_FALSE(device.error.empty());
}

TEST_F(KindFiles, BackupKeepsOneGenerationPrivately) {
    write("HotKeys.hkv", "first");
    ::chmod(path("HotKeys.hkv").c_str(), 0644);
    ASSERT_TRUE(keepBackup(path("HotKeys.hkv")));
    EXPECT_EQ(read("HotKeys.hkv.bak"), "first");
    struct stat st {};
    ASSERT_EQ(::stat(path("HotKeys.hkv.bak").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    write("HotKeys.hkv", "second");
    ASSERT_TRUE(keepBackup(path("HotKeys.hkv")));
    EXPECT_EQ(read("HotKeys.hkv.bak"), "second");
    EXPECT_EQ(read("HotKeys.hkv"), "second");

    // No file: nothing to keep, and the backup there is not touched.
    fs::remove(path("HotKeys.hkv"));
    EXPECT_TRUE(keepBackup(path("HotKeys.hkv")));
    EXPECT_EQ(read("HotKeys.hkv.bak"), "second");
}

TEST_F(KindFiles, RefusedFileIsSetAsideWhole) {
    const std::string bytes = randomBytes(1000);
    write("Config.ini", bytes);
    ASSERT_TRUE(setAsideRefusedFile(path("Config.ini")));
    EXPECT_FALSE(fileExists(path("Config.ini")));
    EXPECT_EQ(read("Config.ini.refused"), bytes);
    EXPECT_FALSE(setAsideRefusedFile(path("Config.ini")).ok);
}

}  // namespace
}  // namespace vorbix
