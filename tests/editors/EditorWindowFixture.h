// The main window on the recording platform with a table written as the Windows version writes
// it, for the editor window tests: open a row's editor as a double click does, read the file.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "editors/EditorDialog.h"
#include "shell/EditorHub.h"
#include "shell/ShellCore.h"
#include "storage/AtomicFile.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix::test {

class EditorWindowTest : public ::testing::Test {
protected:
    // The table (CR LF lines, Windows-1252) and, when not empty, the configuration file.
    void prepare(const std::string& table, const std::string& config = {}) {
        offscreenApp();
        env = fakeEnvironment(dir, platform);
        QDir().mkpath(QString::fromStdString(env.dataFolder));
        ASSERT_TRUE(writeFileAtomically(path(), table));
        if (!config.empty()) {
            ASSERT_TRUE(writeFileAtomically(configPath(), config));
        }
    }
    void start() {
        main = std::make_unique<TMain>(env);
        main->startUp();
        main->ShowMyHotKeys();
        main->show();
        platform.take();
    }
    std::string path() const { return env.dataFolder + "HotKeys.hkv"; }
    std::string configPath() const { return env.dataFolder + "Config.ini"; }
    std::string file() const { return readWholeFile(path()).value_or("<missing>"); }
    bool fileHas(const std::string& text) const { return file().find(text) != std::string::npos; }
    void removeFile() { QFile::remove(QString::fromStdString(path())); }
    // Opens the editor of `row` as a double click does.
    template <typename Editor>
    Editor* open(int row) {
        main->selectRow(row);
        main->ListView1DblClick();
        return dynamic_cast<Editor*>(main->editors().openedEditor());
    }
    HotKeyEntry& row(size_t i) { return main->table().at(i); }
    std::vector<std::string> messages() { return platform.take(); }

    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env;
    std::unique_ptr<TMain> main;
};

}  // namespace vorbix::test
