// Shared set-up of the widget tests: one offscreen QApplication for the test program, and the
// main window's environment on the recording platform with a private data folder.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "platform/fake/FakeDesktop.h"
#include "shell/mainwindow/MainWindow.h"
#include "storage/StorageLocations.h"

namespace vorbix::test {

inline QApplication& offscreenApp() {
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit Qt's own globals are gone before a static object would be.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// The program folder is the test program's (the build folder, beside the language files); the
// data folder lies in `dir`; the user may change everything.
inline ShellEnvironment fakeEnvironment(const QTemporaryDir& dir, fake::FakePlatform& platform) {
    ShellEnvironment env;
    env.programFolder = ProgramFolder();
    env.dataFolder = dir.path().toStdString() + "/Vorbix/";
    env.hotKeys = &platform.hotKeys;
    env.desktop = platform.desktop();
    env.prompter = &platform.prompter;
    env.permissions.isAdministrator = true;
    // The offscreen platform has no tray; the tests stand for a desktop with a tray host.
    env.trayAvailable = [] { return true; };
    return env;
}

// A main window started on a desktop without a tray host, so that what it tells the user comes
// as message boxes, which the recording platform's log holds.
class TraylessWindowTest : public ::testing::Test {
protected:
    void startWithoutTray() {
        offscreenApp();
        env = fakeEnvironment(dir, platform);
        env.trayAvailable = [] { return false; };
        main = std::make_unique<TMain>(env);
        main->startUp();
    }

    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env;
    std::unique_ptr<TMain> main;
};

}  // namespace vorbix::test
