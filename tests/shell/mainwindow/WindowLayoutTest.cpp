// The main window as it is drawn, at 96 and 144 pixels per inch in both languages: the menu bar
// keeps its look when settings are applied, every action caption fits its column and the action
// box's drop-down, the drop-down shows 20 entries, the status strip's texts fit, and an open
// editor keeps the keyboard and goes with the window into the tray and back.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTreeView>

#include "components/HotkeyEx.h"
#include "editors/EditorDialog.h"
#include "shell/mainwindow/EditorHub.h"
#include "shell/mainwindow/SettingsHub.h"
#include "shell/settings/SettingsDialog.h"
#include "shell/tray/TrayController.h"
#include "tests/shell/WindowFixture.h"

namespace vorbix {
namespace {

class WindowLayoutTest : public test::WindowFixture {
protected:
    void startAt(int ppi, const char* language) {
        env.ppi = ppi;
        writeFileAtomically(
            env.dataFolder + "Config.ini",
            std::string("[Settings]\r\nWelcome=0\r\nLanguage=") + language + "\r\n");
        start();
        QApplication::processEvents();
    }
    std::string where(int ppi, const char* language) const {
        return std::string(language) + " at " + std::to_string(ppi) + " ppi";
    }
};

struct Setting {
    int ppi;
    const char* language;
};
constexpr Setting kSettings[] = {
    {96, "German"}, {96, "English"}, {144, "German"}, {144, "English"}};

TEST_F(WindowLayoutTest, TheMenuBarLooksTheSameAfterTheSettingsDialogsOk) {
    for (const Setting& s : kSettings) {
        startAt(s.ppi, s.language);
        auto* bar = main->findChild<QMenuBar*>();
        ASSERT_TRUE(bar);
        auto items = [bar] {
            std::vector<QRect> r{bar->geometry()};
            for (QAction* a : bar->actions()) r.push_back(bar->actionGeometry(a));
            return r;
        };
        const std::vector<QRect> before = items();
        main->action("MenuSettings")->trigger();
        TSettings* d = main->settingsWindow().dialog();
        ASSERT_TRUE(d && d->isVisible());
        d->ButtonSaveClick();
        QApplication::processEvents();
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(items(), before) << where(s.ppi, s.language);
        // Another colour scheme applied: new colours, the same places.
        main->setMainColors({0xFFFFFF, 0xEEEEEE, 0x999999, 0x000000});
        QApplication::processEvents();
        EXPECT_EQ(items(), before) << where(s.ppi, s.language) << ", other colours";
        main.reset();
    }
}

constexpr uint16_t kCtrl = 0x4000, kAlt = 0x8000;

// A row of every action kind, added in the window (Strg+Alt+0 to 9, A to W).
void addEveryKind(TMain& main) {
    for (int kind = 0; kind < kActionKindCount; ++kind) {
        const int key = kind < 10 ? '0' + kind : 'A' + kind - 10;
        main.hotkeyField()->setHotKey(uint16_t(kCtrl | kAlt | key));
        main.actionBox()->setCurrentIndex(kind);
        main.LabelAddHotKeyClick();
    }
}

// The width the view's delegate asks for to show the item whole (not elided).
int wholeWidth(QAbstractItemView& view, const QModelIndex& index) {
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.font = view.font();
    option.fontMetrics = QFontMetrics(view.font());
    option.decorationSize = view.iconSize();
    return view.itemDelegate()->sizeHint(option, index).width();
}

TEST_F(WindowLayoutTest, EveryActionCaptionFitsItsColumnAndTheActionBoxList) {
    for (const Setting& s : kSettings) {
        startAt(s.ppi, s.language);
        main->move(0, 0);
        addEveryKind(*main);
        QTreeView* list = main->list();
        const int column = list->columnWidth(1);
        ASSERT_EQ(main->table().size(), size_t(kActionKindCount) + 1) << where(s.ppi, s.language);
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            const QModelIndex cell = list->model()->index(row, 1);
            EXPECT_LE(wholeWidth(*list, cell), column)
                << where(s.ppi, s.language) << ": \"" << cell.data().toString().toStdString()
                << "\" is cut in the table";
        }

        QComboBox* box = main->actionBox();
        box->showPopup();
        QAbstractItemView* drop = box->view();
        ASSERT_TRUE(drop->isVisible());
        int shown = 0;
        for (int row = 0; row < box->count(); ++row) {
            const QModelIndex entry = drop->model()->index(row, 0);
            EXPECT_LE(wholeWidth(*drop, entry), drop->viewport()->width())
                << where(s.ppi, s.language) << ": \"" << entry.data().toString().toStdString()
                << "\" is cut in the action box";
            if (drop->viewport()->rect().contains(drop->visualRect(entry))) ++shown;
        }
        EXPECT_EQ(shown, 20) << where(s.ppi, s.language);
        EXPECT_TRUE(drop->verticalScrollBar()->isVisible()) << where(s.ppi, s.language);
        box->hidePopup();
        main.reset();
    }
}

TEST_F(WindowLayoutTest, TheStatusStripAndTheWelcomePageKeepTheirTextsInside) {
    int closingGap[2] = {};
    for (const Setting& s : kSettings) {
        startAt(s.ppi, s.language);
        const auto* word = main->findChild<QLabel*>("LabelDeactivated");
        ASSERT_TRUE(word);
        for (bool on : {false, true}) {
            main->switchHotKeys(on);
            EXPECT_LE(word->fontMetrics().horizontalAdvance(word->text()), word->width())
                << where(s.ppi, s.language) << ": \"" << word->text().toStdString() << "\" is cut";
            EXPECT_LT(word->geometry().right(), word->parentWidget()->width());
        }
        // The closing line of the welcome page ends as far from the page's edge in both
        // languages.
        main->ShowWelcome();
        const auto* page = main->findChild<QWidget*>("Panel1");
        QLabel* closing = nullptr;
        for (QLabel* l : page->findChildren<QLabel*>()) {
            if (l->alignment() & Qt::AlignRight) closing = l;
        }
        ASSERT_TRUE(closing);
        const int textRight = closing->geometry().right();
        EXPECT_LE(closing->fontMetrics().horizontalAdvance(closing->text()), closing->width());
        closingGap[std::string(s.language) == "English"] = page->width() - textRight;
        if (std::string(s.language) == "English") {
            EXPECT_EQ(closingGap[1], closingGap[0]) << s.ppi << " ppi";
        }
        main.reset();
    }
}

TEST_F(WindowLayoutTest, TheFontSizeBoxShowsItsNumbersWhole) {
    writeFileAtomically(env.dataFolder + "HotKeys.hkv",
                        "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\n"
                        "Action=Text einf\xFCgen\r\nText1=<~T~>Hallo\r\nCount=1\r\n");
    for (const Setting& s : kSettings) {
        startAt(s.ppi, s.language);
        main->selectRow(0);
        main->ListView1DblClick();
        EditorDialog* editor = main->editors().openedEditor();
        ASSERT_TRUE(editor) << where(s.ppi, s.language);
        // Formatted text: the tool bar with the two boxes shows.
        editor->findChild<QRadioButton*>("RadioInsertText1")->click();
        QApplication::processEvents();
        auto* fonts = editor->findChild<QComboBox*>("ComboBox1");
        auto* sizes = editor->findChild<QComboBox*>("ComboBox2");
        ASSERT_TRUE(fonts && sizes);
        EXPECT_GE(sizes->width(), sizes->minimumSizeHint().width()) << where(s.ppi, s.language);
        EXPECT_LT(fonts->geometry().right(), sizes->geometry().left());
        editor->reject();
        main.reset();
    }
}

// Whether `w` becomes the active window within a second.
bool becomesActive(QWidget* w) {
    return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }, 1000);
}

// The open editor, opened for the table's only row (a website).
EditorDialog* openWebsiteEditor(TMain& main) {
    main.selectRow(0);
    main.ListView1DblClick();
    QApplication::processEvents();
    return main.editors().openedEditor();
}

TEST_F(WindowLayoutTest, ActivatingTheWindowGivesTheKeyboardBackToTheOpenEditor) {
    for (const char* language : {"German", "English"}) {
        writeFileAtomically(env.dataFolder + "HotKeys.hkv",
                            "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\n"
                            "Action=Webseite\r\nURL=https://example.org\r\nHowToOpen=Normal\r\n");
        startAt(96, language);
        EditorDialog* editor = openWebsiteEditor(*main);
        ASSERT_TRUE(editor) << language;
        EXPECT_TRUE(becomesActive(editor));
        // The window manager activates the main window (a click on it); the editor takes the
        // keyboard back.
        QApplication::setActiveWindow(main.get());
        EXPECT_TRUE(becomesActive(editor));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(editor->isVisible()) << language << ": Esc did not reach the editor";
        main.reset();
    }
}

TEST_F(WindowLayoutTest, HidingTheWindowToTheTrayTakesTheOpenEditorAlong) {
    writeFileAtomically(env.dataFolder + "HotKeys.hkv",
                        "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\n"
                        "Action=Webseite\r\nURL=https://example.org\r\nHowToOpen=Normal\r\n");
    startAt(96, "German");
    EditorDialog* editor = openWebsiteEditor(*main);
    ASSERT_TRUE(editor);
    main->tray().toggle();
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(editor->isVisible()) << "the editor stayed alone on the screen";
    main->tray().toggle();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(editor->isVisible()) << "the editor did not come back with the window";
    EXPECT_TRUE(becomesActive(editor));
    // Still the same editing: OK writes the row.
    editor->saveButton()->click();
    EXPECT_FALSE(editor->isVisible());
}

}  // namespace
}  // namespace vorbix
