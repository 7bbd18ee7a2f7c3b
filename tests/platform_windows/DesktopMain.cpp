// Entry point of the desktop tests: a QApplication on the test desktop, then the test cases.
// Started as "--hide-and-die KEYWORD FILE", it hides the windows titled with KEYWORD through a
// window control that keeps FILE and ends at once without cleaning up, as a crash would.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>

#include "platform/x11/WindowControlX11.h"

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--hide-and-die") == 0) {
        QCoreApplication app(argc, argv);
        auto* control = new vorbix::X11WindowControl(argv[3]);
        const int hidden = control->hideWindows({argv[2]});
        std::_Exit(hidden == 1 ? 3 : 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
