// Volume rows in the program: the start gathers the audio endpoints so new rows get the default
// device, and a row whose key is pressed changes the volume or says why it could not.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTemporaryDir>

#include "components/HotkeyEx.h"
#include "platform/fake/FakeDesktop.h"
#include "shell/mainwindow/MainWindow.h"
#include "storage/AtomicFile.h"
#include "storage/StorageLocations.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

class VolumeRows : public ::testing::Test {
protected:
    void SetUp() override {
        test::offscreenApp();
        ASSERT_TRUE(dir.isValid());
        env = test::fakeEnvironment(dir, platform);
        env.trayAvailable = nullptr;  // whatever the offscreen platform says
        platform.audio.list = {{"A", "a"}, {"B", "b"}, {"C", "c"}};
        platform.audio.defaultId = "b";
        platform.audio.volume = {{"a", 0.5f}, {"b", 0.5f}, {"c", 0.5f}};
    }
    // The table is written as the Windows version writes it, in Windows-1252.
    void start(const std::string& table) {
        writeFileAtomically(env.dataFolder + "HotKeys.hkv", table);
        main = std::make_unique<TMain>(env);
        main->startUp();
    }
    // The audio calls and the messages since the last call.
    std::vector<std::string> audioLog() {
        std::vector<std::string> out;
        for (std::string& line : platform.take()) {
            for (const char* start : {"select ", "volume ", "mute ", "error: ", "info: "}) {
                if (line.rfind(start, 0) == 0) out.push_back(line);
            }
        }
        return out;
    }
    HotKeyEntry addVolumeRow() {
        main->hotkeyField()->setHotKey(0x4000 | 0x75);  // Ctrl+F6
        main->actionBox()->setCurrentIndex(toIndex(ActionKind::AdjustVolume));
        main->LabelAddHotKeyClick();
        return main->table().rows().back();
    }

    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env;
    std::unique_ptr<TMain> main;
};

TEST_F(VolumeRows, StartGathersTheDefaultDeviceForNewRowsAndEndsOnTheLastDevice) {
    std::filesystem::create_directories(env.dataFolder);
    start(
        "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\n"
        "Action=Lautst\xe4rke regeln\r\n");
    // The default device first, then the last one as the start's final choice.
    EXPECT_EQ(audioLog(), (std::vector<std::string>{"select b", "select c"}));
    EXPECT_EQ(main->table().at(0).DeviceId, "b") << "a stored row without a device";
    EXPECT_EQ(addVolumeRow().DeviceId, "b");
    EXPECT_EQ(main->table().at(1).PropertiesText, main->texts().sNewVolume);
}

TEST_F(VolumeRows, PressedKeysChangeTheVolumeOrSayWhyNot) {
    std::filesystem::create_directories(env.dataFolder);
    start(
        "[General]\r\nCount=2\r\n"
        "[Hot Key1]\r\nHot Key=Strg+F5\r\nAction=Lautst\xe4rke regeln\r\n"
        "Volume=+10%\r\nSettings=a\r\n"
        "[Hot Key2]\r\nHot Key=Strg+F7\r\nAction=Lautst\xe4rke regeln\r\n"
        "Volume=Mute/Unmute\r\nSettings=\r\n");
    audioLog();
    main->WMHotKey(30000);
    main->WMHotKey(30001);
    EXPECT_EQ(audioLog(),
              (std::vector<std::string>{"select a", "volume a 0.60", "select b", "mute b on"}));

    // Without devices the notice says so, in the user's language.
    platform.audio.list.clear();
    main->WMHotKey(30000);
    const std::vector<std::string> shown = audioLog();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("Es ist kein Wiedergabeger\xc3\xa4t verf\xc3\xbcgbar."),
              std::string::npos)
        << shown[0];
}

// The sound component starts with the first volume row: at start when the table holds one (also
// one with a device of its own, so that its first press finds the component ready), else when
// one is added; a table without volume rows never starts it.
TEST_F(VolumeRows, TheSoundComponentStartsWithTheFirstVolumeRow) {
    std::filesystem::create_directories(env.dataFolder);
    const std::vector<std::string> started{"select b", "select c"};
    start(
        "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\n"
        "Action=Lautst\xe4rke regeln\r\nVolume=+10%\r\nSettings=a\r\n");
    EXPECT_EQ(audioLog(), started);
    main.reset();

    start("[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\nAction=Kopieren\r\n");
    EXPECT_TRUE(audioLog().empty());
    main->WMHotKey(30000);
    EXPECT_TRUE(audioLog().empty());
    EXPECT_EQ(addVolumeRow().DeviceId, "b");
    std::vector<std::string> log = audioLog();
    ASSERT_GE(log.size(), 2u);
    log.resize(2);  // the notice on properties follows
    EXPECT_EQ(log, started);
    // Once started, later rows change nothing of the selection.
    main->table().rows().back().PropertiesText = "+10%";
    main->WMHotKey(30001);
    EXPECT_EQ(audioLog(), (std::vector<std::string>{"select b", "volume b 0.60"}));
}

TEST_F(VolumeRows, WithoutSoundSystemNewRowsKeepAnEmptyDevice) {
    platform.audio.list.clear();
    platform.audio.ready = false;
    std::filesystem::create_directories(env.dataFolder);
    start("[General]\r\nCount=0\r\n");
    EXPECT_TRUE(audioLog().empty());
    EXPECT_EQ(addVolumeRow().DeviceId, "");
}

}  // namespace
}  // namespace vorbix
