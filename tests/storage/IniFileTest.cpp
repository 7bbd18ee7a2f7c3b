#include "storage/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/TextCodec.h"

namespace vorbix {
namespace {

TEST(IniFile, ReadsTrimmedCaseInsensitiveFirstWins) {
    const IniFile ini = IniFile::parse(
        "stray=before\r\n[ Main ]\r\n  Key = value with blanks  \r\n; comment=x\r\n"
        "key=second\r\nnovalue\r\nEmpty=\r\n[main]\r\nOther=1\r\n");
    EXPECT_EQ(ini.value("MAIN", "KEY"), "value with blanks");
    EXPECT_EQ(ini.value("main", "empty"), "");
    EXPECT_EQ(ini.value("main", "absent"), std::nullopt);
    EXPECT_EQ(ini.value("main", "Other"), std::nullopt);  // only the first section counts
    EXPECT_EQ(ini.value("", "stray"), std::nullopt);
    EXPECT_EQ(ini.readString("Main", "absent", "dflt"), "dflt");
}

TEST(IniFile, ConfigStyleKeepsOrderUnknownLinesAndEmptyLineAfterSections) {
    IniFile ini = IniFile::parse("[Settings]\nA=1\nodd line\nB=2\n[Misc]\nX=y\n");
    ini.writeString("settings", "b", "3");
    ini.writeString("Settings", "C", "4");
    ini.writeString("Insert Text", "State", "Normal");
    EXPECT_EQ(ini.serialize(IniStyle::Config),
              "[Settings]\r\nA=1\r\nodd line\r\nB=3\r\nC=4\r\n\r\n[Misc]\r\nX=y\r\n\r\n"
              "[Insert Text]\r\nState=Normal\r\n\r\n");
    EXPECT_EQ(
        ini.serialize(IniStyle::HotKeys),
        "[Settings]\r\nA=1\r\nB=3\r\nC=4\r\n[Misc]\r\nX=y\r\n[Insert Text]\r\nState=Normal\r\n");
}

TEST(IniFile, ValuesStaySingleLine) {
    IniFile ini;
    ini.writeString("S", "K", "two\r\nlines");
    EXPECT_EQ(IniFile::parse(ini.serialize(IniStyle::HotKeys)).value("S", "K"), "two  lines");
}

TEST(TextCodec, DetectsMarksAndFallsBackToWindows1252) {
    EXPECT_EQ(decodeText("\xC4pfel \x80").text, "Äpfel €");
    EXPECT_EQ(decodeText("\xC4pfel").encoding, TextEncoding::Windows1252);
    const DecodedText utf8 = decodeText("\xEF\xBB\xBF\xC3\x84");
    EXPECT_EQ(utf8.text, "Ä");
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8Bom);
    const DecodedText le = decodeText(std::string("\xFF\xFE\xC4\x00=\x00\x3D\xD8\x00\xDE", 10));
    EXPECT_EQ(le.text, "Ä=😀");
    EXPECT_EQ(le.encoding, TextEncoding::Utf16LE);
    const DecodedText be = decodeText(std::string("\xFE\xFF\x00\xC4\x20\xAC", 6));
    EXPECT_EQ(be.text, "Ä€");
    EXPECT_EQ(be.encoding, TextEncoding::Utf16BE);
}

TEST(TextCodec, WritesWindows1252WhenEverythingFitsElseUtf8WithMark) {
    TextEncoding used{};
    EXPECT_EQ(encodeText("Größe €", TextEncoding::Windows1252, &used),
              "Gr\xF6\xDF"
              "e \x80");
    EXPECT_EQ(used, TextEncoding::Windows1252);
    EXPECT_EQ(encodeText("Ω", TextEncoding::Windows1252, &used), "\xEF\xBB\xBF\xCE\xA9");
    EXPECT_EQ(used, TextEncoding::Utf8Bom);
    for (TextEncoding e : {TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        EXPECT_EQ(decodeText(encodeText("a=Ä😀€", e)).text, "a=Ä😀€");
        EXPECT_EQ(decodeText(encodeText("a", e)).encoding, e);
    }
    // Every byte of the code page survives a round trip.
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(encodeText(decodeText(all).text, TextEncoding::Windows1252), all);
}

TEST(AtomicFile, FailedWriteKeepsOldFileAndReportsTheSystemMessage) {
    const std::string dir = ::testing::TempDir() + "atomic";
    std::string cmd = "rm -rf '" + dir + "' && mkdir -p '" + dir + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string path = dir + "/f.ini";
    ASSERT_TRUE(writeFileAtomically(path, "old"));
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(readWholeFile(path), "new");
    const FileResult missing = writeFileAtomically(dir + "/no/such/folder/f.ini", "x");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("No such file or directory"), std::string::npos);
    const FileResult onDir = writeFileAtomically(dir, "x");
    EXPECT_FALSE(onDir.ok);
    EXPECT_EQ(readWholeFile(path), "new");
}

TEST(AtomicFile, WritesThroughLinksAndReadsOnlyRegularFiles) {
    const std::string dir = ::testing::TempDir() + "atomic-links";
    const std::string cmd = "rm -rf '" + dir + "' && mkdir -p '" + dir + "/real'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    // A data file kept elsewhere and linked in: the link stays, the file behind it changes.
    const std::string real = dir + "/real/HotKeys.hkv";
    const std::string link = dir + "/HotKeys.hkv";
    ASSERT_TRUE(writeFileAtomically(real, "old"));
    ASSERT_EQ(::symlink("real/HotKeys.hkv", link.c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(link, "new"));
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readWholeFile(real), "new");
    EXPECT_EQ(readWholeFile(link), "new");

    // A named pipe without a writer neither blocks nor reads as a file.
    const std::string fifo = dir + "/pipe.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_EQ(readWholeFile(fifo, &error), std::nullopt);
    EXPECT_NE(error.find("not a regular file"), std::string::npos);
    EXPECT_FALSE(writeFileAtomically(fifo, "x"));
    struct stat pipe {};
    ASSERT_EQ(::lstat(fifo.c_str(), &pipe), 0);
    EXPECT_TRUE(S_ISFIFO(pipe.st_mode));
    EXPECT_EQ(readWholeFile(dir, &error), std::nullopt);
    EXPECT_NE(error.find("Is a directory"), std::string::npos);
}

TEST(AtomicFile, NewFilesFollowTheCreationMaskAndReplacedFilesKeepTheirMode) {
    const std::string dir = ::testing::TempDir() + "atomic-modes";
    const std::string cmd = "rm -rf '" + dir + "' && mkdir -p '" + dir + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    auto modeOf = [](const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0u;
    };
    const mode_t previous = ::umask(077);
    const FileResult privateFile = writeFileAtomically(dir + "/private.hkv", "x");
    ::umask(022);
    const FileResult sharedFile = writeFileAtomically(dir + "/shared.hkv", "x");
    ::umask(previous);
    ASSERT_TRUE(privateFile);
    ASSERT_TRUE(sharedFile);
    EXPECT_EQ(modeOf(dir + "/private.hkv"), 0600u);
    EXPECT_EQ(modeOf(dir + "/shared.hkv"), 0644u);
    ASSERT_EQ(::chmod((dir + "/shared.hkv").c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(dir + "/shared.hkv", "y"));
    EXPECT_EQ(modeOf(dir + "/shared.hkv"), 0640u);
}

}  // namespace
}  // namespace vorbix
