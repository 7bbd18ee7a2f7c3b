// The autostart entry as the desktop starts it: for program paths with characters that mean
// something in an Exec line, the desktop's launcher (gio launch) starts exactly that program,
// with "hide" when the value carries it.
#include <gtest/gtest.h>

#include "platform/linux/Autostart.h"
#include "platform/linux/ChildProcess.h"
#include "tests/platform_linux/TestSupport.h"

namespace vorbix {
namespace {

TEST(AutostartLaunch, AwkwardProgramPathsStartThroughTheDesktopLauncher) {
    const std::string gio = findProgram("gio");
    if (gio.empty()) GTEST_SKIP() << "gio (libglib2.0-bin) is not installed";
    test::TempDir tmp;
    test::ScopedEnv config("XDG_CONFIG_HOME", tmp / "config");
    // gio must not start a session bus of its own for the launch.
    test::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "disabled:");

    const std::string folders[] = {
        "quote\"d",   "per%cent",   "per%%d%U",    "dollar$HOME",
        "with space", "back`tick`", "back\\slash", "all \"%$`\\ 'at;once&|<>*?#()~",
    };
    int launch = 0;
    for (const std::string& folder : folders) {
        const std::string dir = tmp / folder;
        test::fs::create_directories(dir);
        const std::string program = dir + "/vorbix";
        test::fs::create_symlink(RECORD_ARGS, program);
        for (const bool hide : {false, true}) {
            const std::string value = hide ? "\"" + program + "\" hide" : program;
            ASSERT_TRUE(writeAutostartValue(value)) << value;
            EXPECT_EQ(readAutostartValue(), value);

            const std::string records = tmp / ("records" + std::to_string(++launch));
            test::fs::create_directories(records);
            test::ScopedEnv recordTo("VORBIX_RECORD_DIR", records);
            EXPECT_EQ(runAndWait({gio, "launch", autostartFilePath()}, tmp.path().string()), 0)
                << test::readFile(autostartFilePath());
            const std::vector<test::Record> started = test::waitForRecords(records);
            ASSERT_EQ(started.size(), 1u) << test::readFile(autostartFilePath());
            const std::vector<std::string> expected =
                hide ? std::vector<std::string>{program, "hide"}
                     : std::vector<std::string>{program};
            EXPECT_EQ(started[0].argv, expected) << test::readFile(autostartFilePath());
        }
    }
    // env, which carries a path with "%" past those launchers, would read "=" as a variable.
    EXPECT_FALSE(writeAutostartValue("\"/opt/a%b=c/vorbix\" hide"));
    test::writeFile(autostartFilePath(), "[Desktop Entry]\nExec=env A=1 /x/vorbix hide\n");
    EXPECT_EQ(readAutostartValue(), "\"env\" A=1 /x/vorbix hide");
}

}  // namespace
}  // namespace vorbix
