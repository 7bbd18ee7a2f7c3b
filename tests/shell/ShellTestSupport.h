// Shared set-up of the widget tests: one offscreen QApplication for the test program, and the
// main window's environment on the recording platform with a private data folder.
#pragma once

#include <QApplication>
#include <QTemporaryDir>

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

}  // namespace vorbix::test
