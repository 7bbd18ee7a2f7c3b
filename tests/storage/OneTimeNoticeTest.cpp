// One-time notices recorded in Config.ini: shown once, other keys kept, never on a file that
// cannot be read.
#include "storage/OneTimeNotice.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "storage/AtomicFile.h"

namespace vorbix {
namespace {

std::string freshFolder() {
    std::string pattern = ::testing::TempDir() + "notice-XXXXXX";
    if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp";
    return pattern + "/";
}

TEST(OneTimeNotice, ShownOnceAndRecordedBesideTheOtherKeys) {
    const std::string folder = freshFolder();
    const std::string path = folder + "Config.ini";
    ASSERT_TRUE(writeFileAtomically(
        path, "[Settings]\r\nLanguage=English\r\nSymbolNotice=1\r\n[Misc]\r\nProgramDir=/x/\r\n"));

    EXPECT_TRUE(takeOneTimeNotice(path, config::kWaylandNotice));
    EXPECT_FALSE(takeOneTimeNotice(path, config::kWaylandNotice));
    EXPECT_EQ(readWholeFile(path),
              "[Settings]\r\nLanguage=English\r\nSymbolNotice=1\r\nWaylandNotice=1\r\n\r\n"
              "[Misc]\r\nProgramDir=/x/\r\n\r\n");
    // Flags are kept apart: another notice is still to be shown.
    EXPECT_TRUE(takeOneTimeNotice(path, config::kHideShowNotice));
}

TEST(OneTimeNotice, OnlyAnOffFlagShows) {
    struct Case {
        const char* file;
        bool shown;
    };
    const Case cases[] = {
        {"", true},                                   // a new file
        {"[Settings]\r\nWaylandNotice=0\r\n", true},  // recorded as not shown
        {"[Settings]\r\nWaylandNotice=1\r\n", false},
        // A value the program never writes is not "0": nothing is shown, as for the other
        // one-time notices.
        {"[Settings]\r\nWaylandNotice=\r\n", false},
        {"[Settings]\r\nWaylandNotice=yes\r\n", false},
    };
    for (const Case& c : cases) {
        const std::string path = freshFolder() + "Config.ini";
        if (*c.file) {
            ASSERT_TRUE(writeFileAtomically(path, c.file));
        }
        EXPECT_EQ(takeOneTimeNotice(path, config::kWaylandNotice), c.shown) << c.file;
    }
}

TEST(OneTimeNotice, UnreadableFileShowsNothingAndStaysAsItWas) {
    const std::string folder = freshFolder();
    // A folder where the file should be cannot be read as a file.
    ASSERT_EQ(::mkdir((folder + "Config.ini").c_str(), 0700), 0);
    EXPECT_FALSE(takeOneTimeNotice(folder + "Config.ini", config::kWaylandNotice));
    EXPECT_TRUE(directoryExists(folder + "Config.ini"));
}

}  // namespace
}  // namespace vorbix
