// Actions that cannot do their work, as the user learns of them: once per press, in the user's
// language, whether the launcher knows at once (nothing installed, a missing folder) or only
// when the opener it started ends with an error.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "platform/fake/FakeDesktop.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/MainWindow.h"
#include "storage/AtomicFile.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

class FailedActions : public test::TraylessWindowTest {
protected:
    void SetUp() override {
        startWithoutTray();
        const std::string file = dir.path().toStdString() + "/rows.hkv";
        EXPECT_TRUE(writeFileAtomically(
            file,
            "[General]\r\nCount=4\r\n"
            "[Hot Key1]\r\nHot Key=Strg+F1\r\nAction=Browser öffnen\r\n"
            "[Hot Key2]\r\nHot Key=Strg+F2\r\nAction=Systemsteuerung öffnen\r\n"
            "[Hot Key3]\r\nHot Key=Strg+F3\r\nAction=Software (Dialog)\r\n"
            "[Hot Key4]\r\nHot Key=Strg+F4\r\nAction=Benutzerdefiniertes Programm\r\n"
            "Program=/nowhere/folder<~D~>\r\nParameter=\r\nHowToOpen=Normal\r\n"));
        main->core().commands.load(file);
        ASSERT_EQ(main->table().size(), 4u);
        platform.take();
    }
    void press(int row) { main->WMHotKey(kRowHotKeyIdBase + row); }
    // The messages shown since the last call.
    std::vector<std::string> told() {
        QCoreApplication::processEvents();
        return platform.takeMessages();
    }
};

TEST_F(FailedActions, AStartThatFailsAtOnceIsToldOncePerPressInTheUsersLanguage) {
    struct Case {
        int row;
        LaunchResult failure;
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {0, LaunchResult::failure("No web browser found", LaunchError::NoProgram),
         "Es ist kein passendes Programm installiert.", "No suitable program is installed."},
        {1, LaunchResult::failure("No settings program found", LaunchError::NoProgram),
         "Es ist kein passendes Programm installiert.", "No suitable program is installed."},
        {2,
         LaunchResult::failure("Could not start gnome-software", LaunchError::StartFailed,
                               "gnome-software"),
         "gnome-software konnte nicht gestartet werden.", "gnome-software could not be started."},
        {3,
         LaunchResult::failure("Folder not found: /nowhere/folder", LaunchError::NotFound,
                               "/nowhere/folder"),
         "Nicht gefunden: /nowhere/folder", "Not found: /nowhere/folder"},
    };
    for (const char* language : {"German", "English"}) {
        main->switchLanguage(language);
        const std::string lead = std::string(language) == "German"
                                     ? "error: Die Aktion konnte nicht ausgeführt werden: "
                                     : "error: The action could not run: ";
        for (const Case& c : cases) {
            platform.launcher.failure = c.failure;
            for (int pressCount = 0; pressCount < 2; ++pressCount) {
                press(c.row);
                EXPECT_EQ(told(),
                          (std::vector<std::string>{
                              lead + (std::string(language) == "German" ? c.german : c.english)}))
                    << language << " row " << c.row;
            }
        }
    }
}

TEST_F(FailedActions, AnOpenerThatFailsAfterItStartedIsToldOnce) {
    press(3);
    EXPECT_TRUE(told().empty());
    // The opener ends with an error; the launcher learns of it on a thread of its own.
    platform.launcher.failLater(LaunchResult::failure(
        "xdg-open ended with status 3", LaunchError::OpenFailed, "/home/user/Folder"));
    EXPECT_EQ(told(), (std::vector<std::string>{"error: Die Aktion konnte nicht ausgeführt "
                                                "werden: /home/user/Folder konnte nicht "
                                                "geöffnet werden."}));
    EXPECT_TRUE(told().empty());
    main->switchLanguage("English");
    platform.launcher.failLater(
        LaunchResult::failure("firefox ended with status 1", LaunchError::StartFailed, "firefox"));
    EXPECT_EQ(told(), (std::vector<std::string>{
                          "error: The action could not run: firefox could not be started."}));

    // Once the window is gone, a late failure reaches nothing.
    main.reset();
    platform.launcher.failLater(LaunchResult::failure("late", LaunchError::OpenFailed, "/x"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(told().empty());
}

}  // namespace
}  // namespace vorbix
