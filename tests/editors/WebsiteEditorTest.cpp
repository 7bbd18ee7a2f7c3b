// The editor framework, proved with the website editor: opened from the main window for a row,
// OK writes the row and the whole file, Cancel, Esc and the close box write nothing, and a row
// that moves or goes away while the editor is open is never written wrongly.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <algorithm>

#include "editors/Website.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/EditorHub.h"
#include "shell/mainwindow/HotKeyTableModel.h"
#include "storage/AtomicFile.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

// Rows as the Windows version writes them (Windows-1252): an address maximised, the English
// placeholder with the English word for minimised, a row without properties, an unknown mode.
constexpr const char* kTable =
    "[General]\r\nCount=4\r\n"
    "[Hot Key1]\r\nHot Key=Strg+F5\r\nAction=Webseite\r\nURL=https://one.example\r\n"
    "HowToOpen=Maximiert\r\n"
    "[Hot Key2]\r\nHot Key=Strg+F6\r\nAction=Webseite\r\nURL=(No website given)\r\n"
    "HowToOpen=Minimized\r\n"
    "[Hot Key3]\r\nHot Key=Strg+F7\r\nAction=Kopieren\r\n"
    "[Hot Key4]\r\nHot Key=Strg+F8\r\nAction=Webseite\r\nURL=https://four.example\r\n"
    "HowToOpen=Vollbild\r\n";

// The stored values of two rows agree (the registration follows the row's place).
bool sameValues(HotKeyEntry a, HotKeyEntry b) {
    a.HotKeyId = b.HotKeyId = 0;
    return a == b;
}

class WebsiteEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::offscreenApp();
        env = test::fakeEnvironment(dir, platform);
        QDir().mkpath(QString::fromStdString(env.dataFolder));
        ASSERT_TRUE(writeFileAtomically(path(), kTable));
    }
    void start() {
        main = std::make_unique<TMain>(env);
        main->startUp();
        main->ShowMyHotKeys();
        main->show();
        platform.take();
    }
    std::string path() const { return env.dataFolder + "HotKeys.hkv"; }
    std::string file() const { return readWholeFile(path()).value_or("<missing>"); }
    // Opens the editor of `row` as a double click does.
    TWebsite* open(int row) {
        main->selectRow(row);
        main->ListView1DblClick();
        return dynamic_cast<TWebsite*>(main->editors().openedEditor());
    }
    std::vector<std::string> messages() { return platform.take(); }

    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env;
    std::unique_ptr<TMain> main;
};

TEST_F(WebsiteEditorTest, CancelEscAndTheCloseBoxWriteNothing) {
    start();
    const HotKeyEntry before = main->table().at(0);
    const std::string bytes = file();
    const std::function<void(TWebsite*)> ways[] = {
        [](TWebsite* e) { QTest::mouseClick(e->cancelButton(), Qt::LeftButton); },
        [](TWebsite* e) { QTest::keyClick(e->addressBox(), Qt::Key_Escape); },
        [](TWebsite* e) { e->close(); },
    };
    for (const auto& closeIt : ways) {
        // No write at all: a missing file stays missing.
        QFile::remove(QString::fromStdString(path()));
        TWebsite* editor = open(0);
        ASSERT_NE(editor, nullptr);
        editor->addressBox()->setText(QStringLiteral("changed"));
        editor->modeBox()->setCurrentIndex(2);
        closeIt(editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(main->table().at(0), before);
        EXPECT_EQ(file(), "<missing>");
        ASSERT_TRUE(writeFileAtomically(path(), bytes));
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(WebsiteEditorTest, OkWritesTheRowAndTheWholeFile) {
    start();
    TWebsite* editor = open(0);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowModality(), Qt::WindowModal);
    EXPECT_EQ(editor->addressBox()->text(), "https://one.example");
    EXPECT_EQ(editor->modeBox()->currentIndex(), 1);

    // OK without a change rewrites the whole file, each time with the same content.
    QFile::remove(QString::fromStdString(path()));
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(editor->isVisible());
    const std::string bytes = file();
    EXPECT_NE(bytes.find("URL=https://one.example\r\nHowToOpen=Maximiert\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Count=4"), std::string::npos);
    QFile::remove(QString::fromStdString(path()));
    QTest::mouseClick(open(0)->saveButton(), Qt::LeftButton);
    EXPECT_EQ(file(), bytes);

    // Typed values, confirmed with Enter in the address box.
    editor = open(0);
    editor->addressBox()->setText(QString::fromUtf8("zwei Wörter"));
    editor->modeBox()->setCurrentIndex(2);
    QTest::keyClick(editor->addressBox(), Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    const HotKeyEntry& row = main->table().at(0);
    EXPECT_EQ(row.URL, "zwei Wörter");
    EXPECT_EQ(row.HowToOpen, "Minimiert");
    EXPECT_EQ(row.PropertiesText, "zwei Wörter | Minimiert");
    EXPECT_EQ(row.HotKeyText, "Strg+F5");
    EXPECT_NE(file().find("URL=zwei W\xF6rter\r\nHowToOpen=Minimiert\r\n"), std::string::npos);
    EXPECT_EQ(main->list()->model()->index(0, 2).data().toString(),
              QString::fromUtf8("zwei Wörter | Minimiert"));

    // An empty address stores the placeholder's properties text; the next opening is empty.
    editor = open(0);
    editor->addressBox()->clear();
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(main->table().at(0).PropertiesText, "(Keine Webseite angegeben) | Minimiert");
    EXPECT_NE(file().find("URL=(Keine Webseite angegeben)\r\n"), std::string::npos);
    editor = open(0);
    EXPECT_EQ(editor->addressBox()->text(), "");
    editor->close();
    EXPECT_TRUE(messages().empty());
}

TEST_F(WebsiteEditorTest, RowsOpenedInTurnShowTheirOwnValues) {
    start();
    struct Expected {
        int row;
        const char* address;
        int mode;
    } expected[] = {
        {0, "https://one.example", 1},
        {1, "", 2},  // the English placeholder is no address; the English word still counts
        {3, "https://four.example", 0},  // an unknown word: the default, not the last one
        {0, "https://one.example", 1},
    };
    for (const Expected& e : expected) {
        TWebsite* editor = open(e.row);
        ASSERT_NE(editor, nullptr) << e.row;
        EXPECT_EQ(editor->addressBox()->text().toStdString(), e.address) << e.row;
        EXPECT_EQ(editor->modeBox()->currentIndex(), e.mode) << e.row;
        editor->close();
    }
    // A row without properties opens nothing.
    main->selectRow(2);
    main->ListView1DblClick();
    EXPECT_EQ(main->editors().openedEditor(), nullptr);
}

TEST_F(WebsiteEditorTest, AFailedSaveSaysWhyAndKeepsTheEditorOpen) {
    start();
    const HotKeyEntry before = main->table().at(0);
    TWebsite* editor = open(0);
    ASSERT_NE(editor, nullptr);
    editor->addressBox()->setText(QStringLiteral("https://new.example"));
    // A folder where the file should be: the system refuses to replace it.
    QFile::remove(QString::fromStdString(path()));
    QDir().mkpath(QString::fromStdString(path()));
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_TRUE(editor->isVisible());
    const auto log = messages();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("error: ", 0), 0u) << log[0];
    EXPECT_NE(log[0].find("HotKeys.hkv"), std::string::npos) << log[0];
    EXPECT_EQ(main->table().at(0), before) << "the row keeps its values until the file is saved";

    // Once the file can be written, OK succeeds with what the editor still shows.
    QDir().rmdir(QString::fromStdString(path()));
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(main->table().at(0).URL, "https://new.example");
    EXPECT_NE(file().find("URL=https://new.example"), std::string::npos);
}

TEST_F(WebsiteEditorTest, ARowMovedOrDeletedMeanwhileIsNeverWrittenWrongly) {
    start();
    // Moved: the second row goes up while its editor is open; OK writes it where it is now.
    TWebsite* editor = open(1);
    ASSERT_NE(editor, nullptr);
    const HotKeyEntry first = main->table().at(0);
    main->core().commands.select(1);
    main->core().commands.moveUp();
    editor->addressBox()->setText(QStringLiteral("https://moved.example"));
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(main->table().at(0).URL, "https://moved.example");
    EXPECT_EQ(main->table().at(0).HotKeyText, "Strg+F6");
    EXPECT_TRUE(sameValues(main->table().at(1), first));

    // Deleted: the editor closes and nothing is written into the row that takes its place.
    editor = open(0);
    ASSERT_NE(editor, nullptr);
    editor->addressBox()->setText(QStringLiteral("https://typed.example"));
    const HotKeyEntry next = main->table().at(1);
    main->core().commands.select(0);
    main->core().commands.deleteSelected();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(sameValues(main->table().at(0), next));
    EXPECT_EQ(file().find("typed.example"), std::string::npos);

    // The table replaced by a loaded file: the same.
    editor = open(0);
    ASSERT_NE(editor, nullptr);
    const std::string other = dir.path().toStdString() + "/other.hkv";
    ASSERT_TRUE(writeFileAtomically(other, kTable));
    main->core().commands.load(other);
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(WebsiteEditorTest, TheSessionEndClosesAnOpenEditorWithoutWriting) {
    start();
    TWebsite* editor = open(0);
    ASSERT_NE(editor, nullptr);
    editor->addressBox()->setText(QStringLiteral("https://typed.example"));
    main->sessionEnding();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(main->table().at(0).URL, "https://one.example");
    EXPECT_NE(file().find("URL=https://one.example"), std::string::npos);
    EXPECT_EQ(file().find("typed.example"), std::string::npos);
}

TEST_F(WebsiteEditorTest, TheTraysExitClosesAnOpenEditorWithoutWriting) {
    start();
    TWebsite* editor = open(0);
    ASSERT_NE(editor, nullptr);
    editor->addressBox()->setText(QStringLiteral("https://typed.example"));
    QFile::remove(QString::fromStdString(path()));
    // The tray menu's last entry ends the program (that the menu is not blocked by the editor
    // is shown end to end; offscreen test clicks pass modality by).
    QMenu* menu = main->trayMenu();
    menu->popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QAction* exit = menu->actions().last();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(exit).center());
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(main->isVisible());
    // Closing saved the table as it was, without what the editor showed.
    EXPECT_NE(file().find("URL=https://one.example"), std::string::npos);
    EXPECT_EQ(file().find("typed.example"), std::string::npos);
}

TEST_F(WebsiteEditorTest, CreatedOnFirstUseTranslatedAndScaled) {
    env.ppi = 120;
    start();
    EXPECT_EQ(main->editors().createdEditor(ActionKind::Website), nullptr);
    EXPECT_TRUE(main->findChildren<QDialog*>().isEmpty()) << "no editor before the first edit";

    // Enter in the list opens the selected row's editor.
    main->selectRow(0);
    QTest::keyClick(main->list(), Qt::Key_Return);
    auto* editor = dynamic_cast<TWebsite*>(main->editors().openedEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Eigenschaften von \"Webseite\"");
    EXPECT_EQ(editor->modeBox()->itemText(1), "Maximiert");
    EXPECT_EQ(editor->cancelButton()->text(), "Abbrechen");
    // 498 x 287 designed at 96 pixels per inch, at 120: 622.5 rounds to the even 622.
    EXPECT_EQ(editor->minimumSize(), QSize(622, 359));
    editor->close();

    // The Edit menu opens it as well, and needs a selected row.
    main->action("MenuEditSelected")->trigger();
    EXPECT_EQ(main->editors().openedEditor(), editor);
    EXPECT_EQ(editor->modeBox()->currentIndex(), 1);
    editor->close();

    // A change of language reaches the editor created before.
    main->switchLanguage("English");
    EXPECT_EQ(editor->windowTitle(), "Properties of \"Website\"");
    EXPECT_EQ(editor->modeBox()->itemText(1), "Maximized");
    EXPECT_EQ(editor->cancelButton()->text(), "Cancel");
    main->selectRow(-1);
    main->UpdateMenuState();
    EXPECT_FALSE(main->action("MenuEditSelected")->isEnabled());
    EXPECT_EQ(main->findChildren<QDialog*>().size(), 1) << "one editor, reused";
}

}  // namespace
}  // namespace vorbix
