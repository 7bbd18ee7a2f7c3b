// Shared set-up of the widget tests: one offscreen QApplication for the test program.
#pragma once

#include <QApplication>

namespace vorbix::test {

inline QApplication& offscreenApp() {
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

}  // namespace vorbix::test
