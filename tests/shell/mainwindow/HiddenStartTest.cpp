// A start hidden in the tray makes the window's pages only when the window is first shown: until
// then the tray, the hot keys, saving and the session's end work without them, and what changed
// meanwhile (language, activation, table, settings) is what the window shows once made.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTreeView>
#include <functional>

#include "core/Registration.h"
#include "shell/common/ShellCore.h"
#include "shell/tray/TrayController.h"
#include "storage/AtomicFile.h"
#include "tests/shell/WindowFixture.h"

namespace vorbix {
namespace {

class HiddenStartTest : public test::WindowFixture {
protected:
    // Starts as `vorbix hide` does.
    void startHidden() {
        env.deferWidgets = true;
        main = std::make_unique<TMain>(env);
        main->startUp();
        main->startHidden();
        platform.take();
    }
    // A window started shown, for comparison.
    std::unique_ptr<TMain> startShown() {
        ShellEnvironment shown = env;
        shown.deferWidgets = false;
        auto window = std::make_unique<TMain>(shown);
        window->startUp();
        window->showAtStart();
        platform.take();
        return window;
    }
    std::string hotKeys() const {
        return readWholeFile(env.dataFolder + "HotKeys.hkv").value_or("<missing>");
    }
    // A table of two rows to load.
    std::string twoRowTable() const {
        const std::string path = dir.path().toStdString() + "/two.hkv";
        EXPECT_TRUE(writeFileAtomically(path,
                                        "[General]\r\nCount=2\r\n[Hot Key1]\r\nHot Key=Strg+F7\r\n"
                                        "Action=Kopieren\r\n[Hot Key2]\r\nHot Key=Strg+F8\r\n"
                                        "Action=Einfügen\r\n"));
        return path;
    }
};

TEST_F(HiddenStartTest, OnlyTheTrayAndTheHotKeysAreMade) {
    startHidden();
    EXPECT_FALSE(main->widgetsBuilt());
    EXPECT_FALSE(main->isVisible());
    // Seen from outside the window: no list, no combination field, no native window.
    EXPECT_TRUE(main->findChildren<QTreeView*>().isEmpty());
    EXPECT_TRUE(main->findChildren<QComboBox*>().isEmpty());
    EXPECT_FALSE(main->testAttribute(Qt::WA_WState_Created));
    EXPECT_TRUE(main->trayIcon()->isVisible());
    EXPECT_EQ(platform.hotKeys.registered.count(kRowHotKeyIdBase), 1u);
    EXPECT_EQ(main->table().size(), 1u);
    // The tray menu's entries speak the language already.
    EXPECT_FALSE(main->trayMenu()->actions().first()->text().isEmpty());
}

// The one-line digest of a stored text is made for the list: hidden, the rows wait, and the
// list shows it once the window is made.
TEST_F(HiddenStartTest, InsertTextDigestsWaitForTheList) {
    ASSERT_TRUE(
        writeFileAtomically(env.dataFolder + "HotKeys.hkv",
                            "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F7\r\n"
                            "Action=Text einfügen\r\nText1=Guten<~Spa~>Tag\r\nCount=1\r\n"));
    startHidden();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_TRUE(main->table().at(0).TextDigestPending);
    main->tray().PopupStartExecute();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_FALSE(main->table().at(0).TextDigestPending);
    EXPECT_EQ(main->table().at(0).PropertiesText, "Guten Tag");
}

TEST_F(HiddenStartTest, EveryWayOfShowingMakesTheWindowWithItsTable) {
    const struct {
        const char* way;
        std::function<void(TMain&)> show;
    } cases[] = {
        {"tray entry", [](TMain& m) { m.tray().PopupStartExecute(); }},
        {"second start", [](TMain& m) { m.InstanceCreated(); }},
        {"special hot key", [](TMain& m) { m.toggleMainWindow(); }},
        {"tray icon's show", [](TMain& m) { m.tray().showApplication(); }},
    };
    for (const auto& c : cases) {
        startHidden();
        ASSERT_FALSE(main->widgetsBuilt()) << c.way;
        c.show(*main);
        EXPECT_TRUE(main->widgetsBuilt()) << c.way;
        EXPECT_TRUE(main->isVisible()) << c.way;
        EXPECT_EQ(main->list()->model()->rowCount(), 1) << c.way;
        EXPECT_TRUE(main->statusCountLabel()->text().contains('1')) << c.way;
        EXPECT_TRUE(main->welcomeShown()) << c.way;
        main.reset();
    }
}

TEST_F(HiddenStartTest, WhatChangedMeanwhileIsWhatTheWindowShows) {
    const std::string table = twoRowTable();
    // The same steps on a window started shown and on one whose pieces are made afterwards.
    auto steps = [&](TMain& m) {
        m.switchLanguage("English");
        m.PopupDeactivateExecute();
        m.setImprovementVisible(false);
        m.ShowMyHotKeys();
        m.core().commands.load(table);
    };
    platform.prompter.answer = true;
    std::unique_ptr<TMain> shown = startShown();
    steps(*shown);
    ASSERT_TRUE(writeFileAtomically(env.dataFolder + "HotKeys.hkv",
                                    "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\n"
                                    "Action=Kopieren\r\n"));
    QFile::remove(QString::fromStdString(env.dataFolder + "Config.ini"));
    startHidden();
    steps(*main);
    ASSERT_FALSE(main->widgetsBuilt());
    main->tray().showApplication();
    ASSERT_TRUE(main->widgetsBuilt());

    EXPECT_EQ(main->activationText(), shown->activationText());
    EXPECT_FALSE(main->activeIconShown());
    EXPECT_EQ(main->statusCountLabel()->text(), shown->statusCountLabel()->text());
    EXPECT_EQ(main->list()->model()->rowCount(), 2);
    EXPECT_EQ(main->welcomeShown(), shown->welcomeShown());
    EXPECT_FALSE(main->welcomeShown());
    EXPECT_EQ(main->actionBox()->currentText(), shown->actionBox()->currentText());
    // The same pieces shown (the improvement advice hidden on both).
    auto visiblePieces = [](TMain& m) {
        int n = 0;
        for (QWidget* w : m.findChildren<QWidget*>()) n += w->isVisibleTo(&m) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(visiblePieces(*main), visiblePieces(*shown));
    for (const char* name : {"MenuOpen", "MenuDeleteAll", "MenuWelcome", "PopupDeactivate"}) {
        EXPECT_EQ(main->action(name)->text(), shown->action(name)->text()) << name;
        EXPECT_EQ(main->action(name)->isEnabled(), shown->action(name)->isEnabled()) << name;
    }
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(main->list()->columnWidth(column), shown->list()->columnWidth(column)) << column;
    }
    EXPECT_EQ(main->list()->model()->headerData(0, Qt::Horizontal),
              shown->list()->model()->headerData(0, Qt::Horizontal));
}

TEST_F(HiddenStartTest, SavingAndEndingNeedNoWindow) {
    ASSERT_TRUE(writeFileAtomically(env.dataFolder + "Config.ini",
                                    "[Settings]\r\nCol0=150\r\nCol1=250\r\nCol2=350\r\n"
                                    "Welcome=0\r\n"));
    const struct {
        const char* way;
        std::function<void(TMain&)> save;
        bool ends;
    } cases[] = {
        {"session manager's save", [](TMain& m) { m.commitData(); }, false},
        {"SIGTERM", [](TMain& m) { m.sessionEnding(); }, true},
    };
    for (const auto& c : cases) {
        startHidden();
        QFile::remove(QString::fromStdString(env.dataFolder + "HotKeys.hkv"));
        c.save(*main);
        EXPECT_NE(hotKeys().find("Hot Key=Strg+F5"), std::string::npos) << c.way;
        const std::string cfg = config();
        for (const char* kept : {"Col0=150\r\n", "Col1=250\r\n", "Col2=350\r\n", "Welcome=0\r\n"})
            EXPECT_NE(cfg.find(kept), std::string::npos) << c.way << ": " << kept;
        EXPECT_EQ(main->closedForGood(), c.ends) << c.way;
        // Ending is no reason to make the window.
        EXPECT_FALSE(main->widgetsBuilt()) << c.way;
        EXPECT_TRUE(said().empty()) << c.way;
        main.reset();
    }
}

TEST_F(HiddenStartTest, TheLogoIsReadOnlyForAWindowThatShows) {
    startHidden();
    // Showing the tray menu polishes it, a window of its own.
    main->trayMenu()->ensurePolished();
    main->trayMenu()->popup(QPoint(0, 0));
    main->trayMenu()->hide();
    EXPECT_TRUE(main->windowIcon().isNull());
    // A dialog of the hidden program (a message box, an editor opened by a hot key).
    auto* dialog = new QDialog(main.get());
    dialog->show();
    EXPECT_FALSE(dialog->windowIcon().isNull());
    EXPECT_FALSE(main->widgetsBuilt());
    delete dialog;
    // The window started shown has it as well.
    main.reset();
    EXPECT_FALSE(startShown()->windowIcon().isNull());
}

TEST_F(HiddenStartTest, TheWindowIsMadeOnceAndSaysSo) {
    startHidden();
    int made = 0;
    QObject::connect(main.get(), &TMain::widgetsCreated, [&made] { ++made; });
    main->tray().showApplication();
    main->tray().hideApplication();
    main->tray().showApplication();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(main->findChildren<QTreeView*>().size(), 1);
}

}  // namespace
}  // namespace vorbix
