// A main window on the recording platform with a private data folder whose table holds one row
// (Strg+F5, copy), started as the program starts it; and the message boxes and questions the
// window showed.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "storage/AtomicFile.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix::test {

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        offscreenApp();
        env = fakeEnvironment(dir, platform);
        QDir().mkpath(QString::fromStdString(env.dataFolder));
        writeFileAtomically(env.dataFolder + "HotKeys.hkv",
                            "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\n"
                            "Action=Kopieren\r\n");
    }
    // Starts the window as the program does (shown), forgetting what the start logged.
    void start() {
        main = std::make_unique<TMain>(env);
        main->startUp();
        main->showAtStart();
        platform.take();
    }
    // The message boxes and questions since the last call ("info: ", "error: ", "ask: ").
    std::vector<std::string> said() {
        std::vector<std::string> out;
        for (const std::string& l : platform.take()) {
            if (l.rfind("info: ", 0) == 0 || l.rfind("error: ", 0) == 0 || l.rfind("ask: ", 0) == 0)
                out.push_back(l);
        }
        return out;
    }
    std::string config() const {
        return readWholeFile(env.dataFolder + "Config.ini").value_or("<missing>");
    }

    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env;
    std::unique_ptr<TMain> main;
};

}  // namespace vorbix::test
