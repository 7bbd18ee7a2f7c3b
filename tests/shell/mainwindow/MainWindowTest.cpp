#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <algorithm>

#include "components/HotkeyEx.h"
#include "components/LinkLabel.h"
#include "platform/fake/FakeDesktop.h"
#include "shell/mainwindow/MainWindow.h"
#include "storage/AtomicFile.h"
#include "storage/StorageLocations.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

constexpr uint16_t kCtrl = 0x4000, kAlt = 0x8000, kWin = 0x1000;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::offscreenApp();
        ASSERT_TRUE(dir.isValid());
        env = test::fakeEnvironment(dir, platform);
    }
    void start() {
        main = std::make_unique<TMain>(env);
        main->startUp();
        platform.take();
    }
    std::string file(const std::string& name) const {
        return readWholeFile(env.dataFolder + name).value_or("<missing>");
    }
    bool add(uint16_t word, ActionKind kind) {
        const size_t before = main->table().size();
        main->hotkeyField()->setHotKey(word);
        main->actionBox()->setCurrentIndex(toIndex(kind));
        main->LabelAddHotKeyClick();
        return main->table().size() == before + 1;
    }
    // The messages shown since the last call, by their first words.
    std::vector<std::string> messages() { return platform.take(); }
    bool logHas(const std::vector<std::string>& log, const std::string& start) {
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& l) { return l.rfind(start, 0) == 0; });
    }

    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env;
    std::unique_ptr<TMain> main;
};

TEST_F(MainWindowTest, FirstRunPreparesFilesAndShowsTheDesignedState) {
    start();
    EXPECT_EQ(file("HotKeys.hkv"), "[General]\r\nCount=0\r\n");
    const std::string config = file("Config.ini");
    EXPECT_NE(config.find("ProgramDir=" + env.programFolder + "\r\n"), std::string::npos);
    EXPECT_NE(config.find("Active=1\r\n"), std::string::npos);
    EXPECT_EQ(main->statusCountLabel()->text(), "0 Hot Keys");
    EXPECT_TRUE(main->welcomeShown());
    EXPECT_TRUE(main->activeIconShown());
    EXPECT_EQ(main->activationText(), "Aktiviert");
    EXPECT_EQ(main->windowTitle(), "Pellmarr - Vorbix");
    EXPECT_EQ(main->hotkeyField()->HotKey(), 113);
    EXPECT_EQ(main->actionBox()->count(), 33);
    EXPECT_EQ(main->actionBox()->currentText(), "Alles minimieren");

    // A second start keeps the table file as it is.
    writeFileAtomically(env.dataFolder + "HotKeys.hkv",
                        "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\n"
                        "Action=Kopieren\r\n");
    start();
    EXPECT_EQ(main->table().size(), 1u);
    EXPECT_EQ(main->statusCountLabel()->text(), "1 Hot Key");
    EXPECT_EQ(platform.hotKeys.registered.count(30000), 1u);
}

TEST_F(MainWindowTest, AddChecksEveryRuleWithItsMessage) {
    start();
    EXPECT_FALSE(add(0, ActionKind::Copy));
    EXPECT_TRUE(logHas(messages(), "info: ")) << "an empty field is refused";

    EXPECT_TRUE(add(kCtrl | 0x74, ActionKind::MinimizeAll));
    EXPECT_EQ(main->table().at(0).HotKeyText, "Strg+F5");
    EXPECT_EQ(platform.hotKeys.registered.count(30000), 1u);
    EXPECT_NE(file("HotKeys.hkv").find("Hot Key=Strg+F5"), std::string::npos);
    EXPECT_EQ(main->statusCountLabel()->text(), "1 Hot Key");
    EXPECT_EQ(main->list()->model()->rowCount(), 1);
    EXPECT_FALSE(
        main->list()->model()->index(0, 1).data(Qt::DecorationRole).value<QIcon>().isNull())
        << "the action image";
    messages();

    EXPECT_FALSE(add(kCtrl | 0x74, ActionKind::Copy)) << "a duplicate";
    EXPECT_TRUE(logHas(messages(), "info: Diese Tastenkombination ist bereits"));

    EXPECT_FALSE(add(kAlt | 0x74, ActionKind::InsertText));
    EXPECT_FALSE(add(kCtrl | 0x56, ActionKind::InsertText));
    EXPECT_EQ(main->table().size(), 1u);
    messages();
    EXPECT_TRUE(add(kCtrl | 0x56, ActionKind::Copy)) << "Ctrl+V is fine for other kinds";

    platform.prompter.answer = false;
    EXPECT_FALSE(add(kWin | 0x45, ActionKind::Copy));
    EXPECT_TRUE(logHas(messages(), "ask: "));
    platform.prompter.answer = true;
    EXPECT_TRUE(add(kWin | 0x45, ActionKind::Copy));
    EXPECT_TRUE(logHas(messages(), "ask: "));
    EXPECT_TRUE(add(kWin | kCtrl | 0x45, ActionKind::Copy));
    EXPECT_FALSE(logHas(messages(), "ask: ")) << "Win+Ctrl+E asks nothing";

    // The properties notice comes once.
    EXPECT_TRUE(add(kCtrl | 0x31, ActionKind::OpenProgramDir));
    EXPECT_TRUE(logHas(messages(), "info: "));
    EXPECT_NE(file("Config.ini").find("PropertiesNotice=1"), std::string::npos);
    EXPECT_TRUE(add(kCtrl | 0x32, ActionKind::Website));
    EXPECT_FALSE(logHas(messages(), "info: "));

    // A refused change policy.
    env.permissions = {false, false, true};
    start();
    EXPECT_FALSE(add(kCtrl | 0x33, ActionKind::Copy));
    EXPECT_TRUE(logHas(messages(), "error: "));
}

TEST_F(MainWindowTest, ANewRowIsSelectedAndScrolledIntoView) {
    start();
    main->resize(800, 560);
    main->show();
    QTreeView* list = main->list();
    auto inView = [list](int row) {
        const QRect shown = list->visualRect(list->model()->index(row, 0));
        return shown.isValid() && list->viewport()->rect().contains(shown);
    };
    for (int i = 0; i < 40; ++i) {
        const uint16_t key = uint16_t(i < 26 ? 0x41 + i : 0x70 + (i - 26) % 12);
        ASSERT_TRUE(add(uint16_t((i < 38 ? kCtrl | kAlt : kCtrl) | key), ActionKind::Copy)) << i;
        EXPECT_EQ(main->selectedRow(), i) << "the new row is selected";
        EXPECT_TRUE(inView(i)) << "row " << i << " is scrolled into view";
    }
    // From the top of a long list, too.
    main->selectRow(0);
    list->scrollToTop();
    ASSERT_FALSE(inView(39));
    ASSERT_TRUE(add(kWin | kCtrl | 0x45, ActionKind::Copy));
    EXPECT_EQ(main->selectedRow(), 40);
    EXPECT_TRUE(inView(40));
    // A refused row changes nothing of the selection.
    main->selectRow(3);
    EXPECT_FALSE(add(kWin | kCtrl | 0x45, ActionKind::Copy));
    EXPECT_EQ(main->selectedRow(), 3);
}

TEST_F(MainWindowTest, DeleteAndMoveKeepSelectionRegistrationsAndMenus) {
    start();
    ASSERT_TRUE(add(kCtrl | 0x41, ActionKind::Copy));
    ASSERT_TRUE(add(kCtrl | 0x42, ActionKind::Paste));
    ASSERT_TRUE(add(kCtrl | 0x43, ActionKind::Cut));

    // Moving the selected last row up, then the first row up (no change, file still written).
    main->selectRow(2);
    main->ButtonUpClick();
    EXPECT_EQ(main->table().at(1).HotKeyText, "Strg+C");
    EXPECT_EQ(main->selectedRow(), 1);
    main->selectRow(0);
    QFile::remove(QString::fromStdString(env.dataFolder + "HotKeys.hkv"));
    main->ButtonUpClick();
    EXPECT_EQ(main->table().at(0).HotKeyText, "Strg+A");
    EXPECT_NE(file("HotKeys.hkv"), "<missing>");

    // Deleting the last row selects the new last one; identifiers follow the row order.
    main->selectRow(2);
    main->MenuDeleteSelectedExecute();
    EXPECT_EQ(main->table().size(), 2u);
    EXPECT_EQ(main->selectedRow(), 1);
    EXPECT_EQ(main->table().at(0).HotKeyId, 30000);
    EXPECT_EQ(main->table().at(1).HotKeyId, 30001);
    EXPECT_EQ(main->statusCountLabel()->text(), "2 Hot Keys");

    // Delete all answered No keeps the rows and still rewrites the file.
    platform.prompter.answer = false;
    QFile::remove(QString::fromStdString(env.dataFolder + "HotKeys.hkv"));
    main->MenuDeleteAllExecute();
    EXPECT_EQ(main->table().size(), 2u);
    EXPECT_NE(file("HotKeys.hkv").find("Count=2"), std::string::npos);
    platform.prompter.answer = true;
    main->MenuDeleteAllExecute();
    EXPECT_EQ(main->table().size(), 0u);
    EXPECT_EQ(file("HotKeys.hkv"), "[General]\r\nCount=0\r\n");
    EXPECT_FALSE(main->action("MenuDeleteSelected")->isEnabled());
    EXPECT_FALSE(main->action("MenuDeleteAll")->isEnabled());
    EXPECT_FALSE(main->action("MenuSaveAs")->isEnabled());
    EXPECT_EQ(main->statusCountLabel()->text(), "0 Hot Keys");
}

TEST_F(MainWindowTest, ActivationSwitchFollowsStateEvenWithoutIconFiles) {
    // A program folder with the language files but without the tray icons.
    QTemporaryDir program;
    QDir().mkpath(program.path() + "/System/Localization");
    for (const char* f : {"German.lng", "English.lng"}) {
        QFile::copy(QString::fromStdString(env.programFolder) + "System/Localization/" + f,
                    program.path() + "/System/Localization/" + f);
    }
    env.programFolder = program.path().toStdString() + "/";
    start();
    ASSERT_TRUE(add(kCtrl | 0x41, ActionKind::Copy));
    main->PopupDeactivateExecute();
    EXPECT_FALSE(main->active());
    EXPECT_FALSE(main->activeIconShown());
    EXPECT_EQ(main->activationText(), "Deaktiviert");
    EXPECT_TRUE(platform.hotKeys.registered.empty());
    EXPECT_FALSE(main->trayIcon()->icon().isNull());
    main->PopupDeactivateExecute();
    EXPECT_TRUE(main->active());
    EXPECT_TRUE(main->activeIconShown());
    EXPECT_EQ(platform.hotKeys.registered.count(30000), 1u);

    // Qt's own texts (message box buttons) speak the program's language too (Qt's translations
    // are installed with the test dependencies).
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    EXPECT_EQ(yes(), "&Ja");

    // Switched off, the language switch keeps the switched-off texts; the state is stored.
    main->PopupDeactivateExecute();
    main->switchLanguage("English");
    EXPECT_EQ(yes(), "&Yes");
    EXPECT_EQ(main->activationText(), "Deactivated");
    EXPECT_EQ(main->actionBox()->itemText(0), "Minimize all");
    EXPECT_NE(file("Config.ini").find("Language=English"), std::string::npos);
    main->saveState();
    EXPECT_NE(file("Config.ini").find("Active=0"), std::string::npos);
}

TEST_F(MainWindowTest, CloseBoxHidesWithOneNoticeAndSaves) {
    start();
    main->show();
    ASSERT_TRUE(add(kCtrl | 0x41, ActionKind::Copy));
    QFile::remove(QString::fromStdString(env.dataFolder + "HotKeys.hkv"));
    messages();
    main->close();
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(logHas(messages(), "info: "));
    EXPECT_NE(file("HotKeys.hkv").find("Count=1"), std::string::npos);
    EXPECT_NE(file("Config.ini").find("SymbolNotice=1"), std::string::npos);
    main->show();
    main->close();
    EXPECT_FALSE(logHas(messages(), "info: ")) << "the notice comes once";
}

}  // namespace
}  // namespace vorbix

namespace vorbix {
namespace {

TEST_F(MainWindowTest, ConfigurationExportImportAndHtmlExport) {
    std::string chosen;
    env.chooseFile = [&chosen](bool, const std::string&, const std::string&) { return chosen; };
    QDir().mkpath(QString::fromStdString(env.dataFolder));
    writeFileAtomically(env.dataFolder + "Config.ini",
                        "[Settings]\r\nDeActivateHotKey=Strg+Alt+D\r\n");
    start();
    EXPECT_EQ(platform.hotKeys.registered.count(20000), 1u) << "the special combination";
    ASSERT_TRUE(add(kCtrl | 0x41, ActionKind::Copy));

    // Export: the window's keys and the settings' keys together; the notices count as shown.
    chosen = dir.path().toStdString() + "/export";
    main->MenuSaveConfigExecute();
    const std::string exported = readWholeFile(chosen + ".ini").value_or("");
    EXPECT_NE(exported.find("DeActivateHotKey=Strg+Alt+D"), std::string::npos);
    EXPECT_NE(exported.find("PropertiesNotice=1"), std::string::npos);
    EXPECT_NE(exported.find("Active=1"), std::string::npos);

    // Import of a file in English, switched off, without the special combination.
    chosen = dir.path().toStdString() + "/import.ini";
    writeFileAtomically(chosen, "[Settings]\r\nLanguage=English\r\nActive=0\r\n");
    main->MenuLoadConfigExecute();
    EXPECT_EQ(main->language(), "English");
    EXPECT_FALSE(main->active());
    EXPECT_FALSE(main->activeIconShown()) << "the presentation follows the imported state";
    EXPECT_EQ(platform.hotKeys.registered.count(20000), 0u);
    EXPECT_EQ(platform.hotKeys.registered.count(30000), 0u);
    EXPECT_NE(file("Config.ini").find("Language=English"), std::string::npos);

    // The HTML export writes the rows and changes nothing else.
    chosen = dir.path().toStdString() + "/table.html";
    const std::string tableBefore = file("HotKeys.hkv");
    main->MenuSave2Execute();
    const std::string html = readWholeFile(chosen).value_or("");
    EXPECT_NE(html.find("<title>Hot Keys</title>"), std::string::npos);
    EXPECT_NE(html.find("Strg+A"), std::string::npos);
    EXPECT_EQ(file("HotKeys.hkv"), tableBefore);

    // Cancel in a file dialog does nothing.
    chosen.clear();
    main->MenuSaveConfigExecute();
    main->MenuLoadConfigExecute();
    EXPECT_EQ(main->language(), "English");
}

}  // namespace
}  // namespace vorbix

namespace vorbix {
namespace {

TEST_F(MainWindowTest, PagesKeysAndLinkColours) {
    start();
    main->showAtStart();
    EXPECT_TRUE(main->welcomeShown());
    EXPECT_FALSE(main->action("MenuWelcome")->isEnabled());
    EXPECT_FALSE(main->hotkeyField()->isVisible()) << "no capture field behind the welcome page";
    main->ShowMyHotKeys();
    EXPECT_FALSE(main->welcomeShown());
    EXPECT_TRUE(main->action("MenuWelcome")->isEnabled());
    EXPECT_FALSE(main->action("MenuMyHotKeys")->isEnabled());
    EXPECT_TRUE(main->hotkeyField()->isVisible());

    // Enter in the action box adds the field's combination (F2 at start).
    main->actionBox()->setCurrentIndex(toIndex(ActionKind::Copy));
    QTest::keyClick(main->actionBox(), Qt::Key_Return);
    ASSERT_EQ(main->table().size(), 1u);
    EXPECT_EQ(main->table().at(0).HotKeyText, "F2");
    // Showing the window again starts the action box at its first entry.
    main->hide();
    main->show();
    EXPECT_EQ(main->actionBox()->currentIndex(), 0);

    // The add image colours the label's text, not itself; leaving restores the rest colour.
    const QColor rest = main->addLabel()->currentColor();
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(main->addImage(), &enter);
    EXPECT_EQ(main->addLabel()->currentColor(), QColor(0x59, 0xA3, 0xFF));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(main->addImage(), &leave);
    EXPECT_EQ(main->addLabel()->currentColor(), rest);
    EXPECT_EQ(rest, QColor(Qt::white)) << "the text colour of the standard scheme";

    // The window cannot shrink below its designed size, unless the screen is smaller still.
    main->resize(100, 100);
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_GE(main->width(), std::min(807, room.width()));
    EXPECT_GE(main->height(), std::min(532, room.height()));
}

}  // namespace
}  // namespace vorbix

namespace vorbix {
namespace {

TEST_F(MainWindowTest, HotKeysDispatchThroughTheWindow) {
    QDir().mkpath(QString::fromStdString(env.dataFolder));
    // A table from the Windows version (Windows-1252): a stored text and a placeholder row.
    writeFileAtomically(
        env.dataFolder + "HotKeys.hkv",
        "[General]\r\nCount=2\r\n[Hot Key1]\r\nHot Key=Strg+F8\r\n"
        "Action=Text einf\xFCgen\r\nCount=1\r\nText1=<~T~><~NoFo~>Hallo<~Spa~>Welt\r\n"
        "[Hot Key2]\r\nHot Key=Strg+F9\r\nAction=Text einf\xFCgen\r\n");
    start();
    ASSERT_EQ(main->table().size(), 2u);
    main->WMHotKey(30000);
    main->WMHotKey(30001);
    const auto log = platform.take();
    EXPECT_EQ(std::count(log.begin(), log.end(), "insert Hallo Welt +tab"), 1) << log.size();
    EXPECT_FALSE(logHas(log, "insert (")) << "a row without text inserts nothing";

    // Switched off, rows run nothing.
    main->PopupDeactivateExecute();
    platform.take();
    main->WMHotKey(30000);
    EXPECT_FALSE(logHas(platform.take(), "insert"));
}

}  // namespace
}  // namespace vorbix
