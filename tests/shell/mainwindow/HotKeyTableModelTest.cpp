// The table model follows every table command with Qt's row signals: views, the selection and
// persistent indexes (an open editor's row) stay on the right row.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "components/HotkeyEx.h"
#include "platform/fake/FakeDesktop.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/HotKeyTableModel.h"
#include "shell/mainwindow/MainWindow.h"
#include "storage/AtomicFile.h"
#include "storage/StorageLocations.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

constexpr uint16_t kCtrl = 0x4000;

class HotKeyTableModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::offscreenApp();
        env = test::fakeEnvironment(dir, platform);
        main = std::make_unique<TMain>(env);
        main->startUp();
        tester = std::make_unique<QAbstractItemModelTester>(
            &main->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        main->ShowMyHotKeys();
    }
    void add(char letter) {
        main->hotkeyField()->setHotKey(kCtrl | uint16_t(letter));
        main->actionBox()->setCurrentIndex(toIndex(ActionKind::Copy));
        main->LabelAddHotKeyClick();
    }
    QString shown(int row) const { return main->list()->model()->index(row, 0).data().toString(); }

    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env;
    std::unique_ptr<TMain> main;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(HotKeyTableModelTest, RowsFollowAddMoveDeleteAndLoad) {
    for (char c : {'A', 'B', 'C'}) add(c);
    ASSERT_EQ(main->list()->model()->rowCount(), 3);
    EXPECT_EQ(shown(2), "Strg+C");
    const QPersistentModelIndex first(main->model().index(0, 0));
    const QPersistentModelIndex last(main->model().index(2, 0));

    // Moving the last row up: the selection and the persistent index move with it.
    main->selectRow(2);
    main->ButtonUpClick();
    EXPECT_EQ(shown(1), "Strg+C");
    EXPECT_EQ(main->selectedRow(), 1);
    EXPECT_EQ(last.row(), 1);
    EXPECT_EQ(main->model().row(last)->HotKeyText, "Strg+C");

    // Deleting the first row invalidates its index; the others shift up.
    main->selectRow(0);
    main->MenuDeleteSelectedExecute();
    EXPECT_FALSE(first.isValid());
    EXPECT_EQ(main->model().row(first), nullptr);
    EXPECT_EQ(last.row(), 0);
    EXPECT_EQ(main->statusCountLabel()->text(), "2 Hot Keys");

    // Loading a file (a reset) leaves no index pointing at a row of the old table.
    const std::string file = dir.path().toStdString() + "/other.hkv";
    ASSERT_TRUE(writeFileAtomically(file,
                                    "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\n"
                                    "Action=Kopieren\r\n"));
    main->core().commands.load(file);
    EXPECT_FALSE(last.isValid());
    EXPECT_EQ(shown(0), "Strg+F5");
    EXPECT_EQ(main->statusCountLabel()->text(), "1 Hot Key");

    platform.prompter.answer = true;
    main->MenuDeleteAllExecute();
    EXPECT_EQ(main->list()->model()->rowCount(), 0);
    EXPECT_EQ(main->statusCountLabel()->text(), "0 Hot Keys");
}

// Long texts are digested after the start, a few rows per turn of the event loop, so the hot keys
// are registered first; a row shown or edited before that gets its digest at once.
TEST(HotKeyTableModelDigests, TextRowsAreFinishedAfterTheStartOrWhenShown) {
    test::offscreenApp();
    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env = test::fakeEnvironment(dir, platform);
    ASSERT_TRUE(prepareDataFolder(env.dataFolder));
    std::string file = "[General]\r\nCount=12\r\n";
    for (int i = 1; i <= 12; ++i) {
        file += "[Hot Key" + std::to_string(i) + "]\r\nHot Key=Strg+F" + std::to_string(i) +
                "\r\nAction=Text einf\xFCgen\r\nText1=<~NoFo~>Zeile<~Spa~>" + std::to_string(i) +
                "\r\nCount=1\r\n";
    }
    ASSERT_TRUE(writeFileAtomically(env.dataFolder + "HotKeys.hkv", file));
    TMain main(env);
    main.startUp();
    const HotKeyTable& table = main.core().table;
    ASSERT_EQ(table.size(), 12u);
    EXPECT_TRUE(table.at(11).TextDigestPending);
    EXPECT_NE(table.at(11).HotKeyId, 0);  // registered before any digest
    // Shown before its turn: made at once.
    EXPECT_EQ(main.model().index(11, HotKeyTableModel::PropertiesColumn).data().toString(),
              "Zeile 12");
    EXPECT_FALSE(table.at(11).TextDigestPending);
    for (int turn = 0; turn < 10; ++turn) QCoreApplication::processEvents();
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_FALSE(table.at(i).TextDigestPending) << i;
        EXPECT_EQ(table.at(i).PropertiesText, "Zeile " + std::to_string(i + 1));
    }
}

TEST_F(HotKeyTableModelTest, TheSelectionEnablesTheCommandsThatNeedARow) {
    for (char c : {'A', 'B'}) add(c);
    main->selectRow(-1);
    EXPECT_FALSE(main->action("MenuDeleteSelected")->isEnabled());
    EXPECT_FALSE(main->action("MenuEditSelected")->isEnabled());
    // Selecting a row in the list is enough for Del to delete it.
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    main->list()->setFocus();
    main->list()->setCurrentIndex(main->list()->model()->index(1, 0));
    EXPECT_TRUE(main->action("MenuEditSelected")->isEnabled());
    QTest::keyClick(main->list(), Qt::Key_Delete);
    ASSERT_EQ(main->list()->model()->rowCount(), 1);
    EXPECT_EQ(shown(0), "Strg+A");
}

TEST_F(HotKeyTableModelTest, ColumnsHeadersAndLanguage) {
    add('A');
    QAbstractItemModel* m = main->list()->model();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "Hot Key");
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "Aktion");
    EXPECT_EQ(m->index(0, 1).data().toString(), "Kopieren");
    EXPECT_FALSE(m->index(0, 1).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(m->index(0, 0).data(Qt::DecorationRole).isValid()) << "no image in column 0";

    // In English the headers change; the row keeps its stored caption.
    main->switchLanguage("English");
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "Action");
    EXPECT_EQ(m->index(0, 1).data().toString(), "Kopieren");
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "Hot Key");

    // A changed row is shown at once.
    HotKeyEntry row = *main->model().row(m->index(0, 0));
    row.PropertiesText = "neu";
    EXPECT_TRUE(main->model().setRow(m->index(0, 0), row));
    EXPECT_EQ(m->index(0, 2).data().toString(), "neu");
    EXPECT_FALSE(main->model().setRow(m->index(5, 0), row)) << "no such row";
}

}  // namespace
}  // namespace vorbix
