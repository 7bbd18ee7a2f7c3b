// What the portal tests share: a Qt application, waiting on the event loop, and a private
// session bus (dbus-daemon) that a test starts for itself and a stand-in portal joins.
#pragma once

#include <unistd.h>

#include <QCoreApplication>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/platform_linux/TestSupport.h"

namespace vorbix::portal::test_support {

using Lines = std::vector<std::string>;

inline bool inPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && ::access((folder + "/" + name).c_str(), X_OK) == 0) return true;
    return false;
}

inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "platform_portal_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

// Runs the event loop until `done` holds (at most five seconds).
template <typename F>
bool waitFor(F done) {
    for (int i = 0; i < 500 && !done(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// A dbus-daemon on a socket in `folder`; address() is empty when it did not start.
class PrivateBus {
public:
    explicit PrivateBus(const std::string& folder) {
        const std::string socket = folder + "/bus";
        daemon_ = std::make_unique<test::TestProcess>(Lines{"dbus-daemon", "--session", "--nofork",
                                                            "--nopidfile",
                                                            "--address=unix:path=" + socket});
        for (int i = 0; i < 500 && !test::fs::exists(socket); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (test::fs::exists(socket)) address_ = "unix:path=" + socket;
    }
    const std::string& address() const { return address_; }

private:
    std::unique_ptr<test::TestProcess> daemon_;
    std::string address_;
};

// The lines a stand-in recorded at `path` since the last call; the file starts anew.
inline Lines takeRecord(const std::string& path) {
    Lines lines;
    std::stringstream in(test::readFile(path));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    test::fs::remove(path);
    return lines;
}

}  // namespace vorbix::portal::test_support
