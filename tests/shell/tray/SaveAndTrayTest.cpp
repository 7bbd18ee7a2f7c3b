// Saving that fails is said and keeps the old file; saving under a name typed without its
// extension never replaces a file unasked; the session manager's request saves and keeps the
// program running; and on a desktop without a tray host the window is never hidden beyond
// reach.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "components/HotkeyEx.h"
#include "shell/tray/TrayController.h"
#include "storage/AtomicFile.h"
#include "tests/shell/WindowFixture.h"

namespace vorbix {
namespace {

class SaveAndTrayTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        env.chooseFile = [this](bool, const std::string&, const std::string&) { return chosen; };
    }
    std::string path(const std::string& name) const {
        return dir.path().toStdString() + "/" + name;
    }
    // Puts a folder where a file of the data folder belongs, so that it cannot be written.
    void block(const std::string& name) {
        QFile::remove(QString::fromStdString(env.dataFolder + name));
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(env.dataFolder + name)));
    }

    std::string chosen;
};

TEST_F(SaveAndTrayTest, ANameTypedWithoutExtensionNeverReplacesAFileUnasked) {
    start();
    struct Case {
        const char* name;
        std::function<void()> command;
        const char* extension;
    } cases[] = {
        {"save as", [this] { main->action("MenuSave")->trigger(); }, ".hkv"},
        {"html export", [this] { main->MenuSave2Execute(); }, ".html"},
        {"configuration export", [this] { main->MenuSaveConfigExecute(); }, ".ini"},
    };
    for (const Case& c : cases) {
        const std::string target = path(std::string("backup") + c.extension);
        ASSERT_TRUE(writeFileAtomically(target, "precious"));
        chosen = path("backup");
        platform.prompter.answer = false;
        c.command();
        std::vector<std::string> asked = said();
        ASSERT_EQ(asked.size(), 1u) << c.name;
        EXPECT_EQ(asked[0], "ask: Die Datei \"" + target +
                                "\" ist bereits vorhanden. Möchten Sie "
                                "sie ersetzen?")
            << c.name;
        EXPECT_EQ(readWholeFile(target), "precious") << c.name;
        EXPECT_FALSE(fileExists(path("backup"))) << c.name;

        platform.prompter.answer = true;
        c.command();
        EXPECT_EQ(said().size(), 1u) << c.name;
        EXPECT_NE(readWholeFile(target), "precious") << c.name;

        // A new name asks nothing; a complete name is the dialog's own business.
        chosen = path(std::string("fresh"));
        c.command();
        chosen = path(std::string("fresh") + c.extension);
        c.command();
        EXPECT_TRUE(said().empty()) << c.name;
        EXPECT_TRUE(fileExists(path(std::string("fresh") + c.extension))) << c.name;
    }
}

TEST_F(SaveAndTrayTest, AFailedSaveIsSaidAndKeepsTheOldFile) {
    start();
    // After a command, while the window is up: a message box with the system's reason.
    block("Config.ini");
    main->switchLanguage("English");
    std::vector<std::string> s = said();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].rfind("error: Vorbix konnte nicht speichern; die bisherige Datei", 0), 0u)
        << s[0];
    EXPECT_NE(s[0].find("Config.ini: Is a directory"), std::string::npos) << s[0];

    // The table's own file, with the window hidden in the tray: a tray notification, no box.
    main->hide();
    main->commitData();
    EXPECT_TRUE(said().empty());
    EXPECT_TRUE(main->isHidden()) << "a commit request leaves the program running";
    EXPECT_FALSE(main->closedForGood());

    // Without a tray to notify in, the hidden window's failure is a message box.
    env.trayAvailable = [] { return false; };
    main.reset();
    start();
    block("Config.ini");
    main->hide();
    main->commitData();
    EXPECT_EQ(said().size(), 1u);
}

TEST_F(SaveAndTrayTest, AtTheEndAFailedSaveIsSaidAndTheProgramStillEnds) {
    start();
    block("HotKeys.hkv");
    main->MenuCloseExecute();
    std::vector<std::string> s = said();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_NE(s[0].find("HotKeys.hkv: Is a directory"), std::string::npos) << s[0];
    EXPECT_TRUE(main->closedForGood());

    // The session's end likewise, once, without the notice of the close box.
    start();
    block("Config.ini");
    main->sessionEnding();
    s = said();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_NE(s[0].find("Config.ini"), std::string::npos);
    EXPECT_TRUE(main->closedForGood());
}

TEST_F(SaveAndTrayTest, ACommitRequestSavesAndTheProgramGoesOn) {
    start();
    QFile::remove(QString::fromStdString(env.dataFolder + "Config.ini"));
    QFile::remove(QString::fromStdString(env.dataFolder + "HotKeys.hkv"));
    main->commitData();
    EXPECT_TRUE(fileExists(env.dataFolder + "Config.ini"));
    EXPECT_NE(readWholeFile(env.dataFolder + "HotKeys.hkv").value_or("").find("Strg+F5"),
              std::string::npos);
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(main->closedForGood());
    EXPECT_TRUE(said().empty());
}

TEST_F(SaveAndTrayTest, WithoutATrayHostTheWindowStaysWithinReach) {
    env.trayAvailable = [] { return false; };
    start();
    // The close box minimises instead of hiding, and says why once.
    main->close();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->isMinimized());
    std::vector<std::string> s = said();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].rfind("info: Auf dieser Arbeitsfläche gibt es keinen Infobereich", 0), 0u);
    main->showNormal();
    main->toggleMainWindow();
    EXPECT_TRUE(main->isMinimized()) << "the tray entry's hide likewise";
    main->showNormal();
    main->close();
    EXPECT_TRUE(said().empty()) << "said once";

    // A start with "hide": the window comes up minimised; the notice waits for a tray host
    // that may come up later (at login).
    main = std::make_unique<TMain>(env);
    main->startUp();
    platform.take();
    main->startHidden(200);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->isMinimized());
    EXPECT_TRUE(said().empty());
    QTest::qWait(500);
    EXPECT_EQ(said().size(), 1u);
    EXPECT_TRUE(main->isMinimized());

    // A tray host that comes up in time takes the window in, and nothing is said.
    bool trayUp = false;
    env.trayAvailable = [&trayUp] { return trayUp; };
    main = std::make_unique<TMain>(env);
    main->startUp();
    platform.take();
    main->startHidden(2000);
    EXPECT_TRUE(main->isMinimized());
    trayUp = true;
    QTest::qWait(600);
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(said().empty());
    env.trayAvailable = [] { return false; };

    // A working combination that shows the window is a way back: the window is hidden.
    writeFileAtomically(env.dataFolder + "Config.ini", "[Settings]\r\nSymbolHotKey=Strg+F9\r\n");
    main = std::make_unique<TMain>(env);
    main->startUp();
    main->startHidden();
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(said().empty());
    main->WMHotKey(SymbolHotKeyId);
    EXPECT_TRUE(main->isVisible());
}

TEST_F(SaveAndTrayTest, WithATrayHostTheCloseBoxHidesToTheTray) {
    start();
    main->ShowMyHotKeys();
    main->hotkeyField()->setFocus();
    main->close();
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(main->trayIcon()->isVisible());
    // Shown again, the window does not give its focus to the capture field, which would take
    // the whole keyboard.
    main->tray().PopupStartExecute();
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->focusWidget(), main->list());
}

}  // namespace
}  // namespace vorbix
