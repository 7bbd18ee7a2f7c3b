// Shared set-up of the widget tests: one offscreen QApplication for the test program.
#pragma once

#include <QApplication>

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

}  // namespace vorbix::test
