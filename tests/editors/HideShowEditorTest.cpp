// The hide/show editor opened from the main window: the keywords OK stores for both kinds in both
// languages, refused keywords, Enter, Del and the list's menu, dragging, the take-over of another
// row's keywords, the first-time notice, and Cancel, Esc and the close box writing nothing.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "editors/HideShow.h"
#include "editors/KeywordListBox.h"
#include "tests/editors/EditorWindowFixture.h"

namespace vorbix {
namespace {

using Items = std::vector<std::string>;

// Two rows share a key text (a table made elsewhere may hold that).
constexpr const char* kTable =
    "[General]\r\nCount=5\r\n"
    "[Hot Key1]\r\nHot Key=Strg+F1\r\nAction=Bestimmte Fenster verstecken\r\n"
    "Window=Editor|Rechner|\r\n"
    "[Hot Key2]\r\nHot Key=Strg+F2\r\nAction=Verstecke Fenster einblenden\r\n"
    "Window=(Keine Schlagw\xF6rter angegeben)\r\n"
    "[Hot Key3]\r\nHot Key=Strg+F3\r\nAction=Bestimmte Fenster verstecken\r\nWindow=Mail|Chat|\r\n"
    "[Hot Key4]\r\nHot Key=Strg+F3\r\nAction=Verstecke Fenster einblenden\r\nWindow=Rechner|\r\n"
    "[Hot Key5]\r\nHot Key=Strg+F5\r\nAction=Kopieren\r\n";
// The notice has been shown before.
constexpr const char* kNoticeShown = "[Settings]\r\nHideShowNotice=1\r\n";

Items itemsOf(const KeywordListBox* list) {
    return list->keywords().items;
}

class HideShowEditorTest : public test::EditorWindowTest {
protected:
    void SetUp() override { prepare(kTable, kNoticeShown); }
    THideShow* open(int r) { return EditorWindowTest::open<THideShow>(r); }
    void type(THideShow* e, const char* keyword) {
        e->keywordBox()->setText(QString::fromUtf8(keyword));
        QTest::keyClick(e->keywordBox(), Qt::Key_Return);
    }
};

TEST_F(HideShowEditorTest, OkStoresTheKeywordsForBothKindsInBothLanguages) {
    start();
    const struct {
        const char* language;
        const char* placeholder;
    } languages[] = {{"German", "(Keine Schlagwörter angegeben)"},
                     {"English", "(No keywords given)"}};
    for (const auto& l : languages) {
        main->switchLanguage(l.language);
        for (int r : {0, 1}) {  // a hide row and a show row
            THideShow* editor = open(r);
            ASSERT_NE(editor, nullptr);
            EXPECT_EQ(editor->showVariant(), r == 1);
            editor->keywordList()->setKeywords({});
            type(editor, "Editor");
            type(editor, "Größe");
            EXPECT_EQ(itemsOf(editor->keywordList()), (Items{"Editor", "Größe"}));
            QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
            ASSERT_FALSE(editor->isVisible());
            EXPECT_EQ(row(size_t(r)).Window, "Editor|Größe|");
            EXPECT_EQ(row(size_t(r)).PropertiesText, "Editor|Größe");
            EXPECT_TRUE(
                fileHas("Window=Editor|Gr\xF6\xDF"
                        "e|\r\n"));

            // No keywords: the hide placeholder of the current language, for both kinds.
            editor = open(r);
            editor->keywordList()->setKeywords({});
            QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
            EXPECT_EQ(row(size_t(r)).Window, "");
            EXPECT_EQ(row(size_t(r)).PropertiesText, l.placeholder);
        }
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(HideShowEditorTest, EachKindShowsItsOwnCaptionTitleAndExplanation) {
    start();
    for (const char* language : {"German", "English"}) {
        main->switchLanguage(language);
        const bool german = std::string(language) == "German";
        THideShow* editor = open(0);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->windowTitle(), german
                                             ? "Eigenschaften von \"Bestimmte Fenster verstecken\""
                                             : "Properties of \"Hide certain windows\"");
        EXPECT_TRUE(editor->explanation()->text().startsWith(german ? "Es werden alle Fenster"
                                                                    : "All windows"));
        editor->close();
        editor = open(1);
        EXPECT_EQ(editor->windowTitle(), german
                                             ? "Eigenschaften von \"Verstecke Fenster einblenden\""
                                             : "Properties of \"Show hidden windows\"");
        EXPECT_TRUE(editor->explanation()->text().startsWith(german ? "Es werden alle versteckten"
                                                                    : "All hidden windows"));
        auto* header = editor->findChild<QLabel*>(QStringLiteral("LabelHeader"));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->text(), german ? QStringLiteral("Versteckte Fenster einblenden")
                                         : QStringLiteral("Show hidden windows"));
        editor->close();
    }
}

TEST_F(HideShowEditorTest, RefusedKeywordsAreSaidAndNotAdded) {
    start();
    THideShow* editor = open(0);
    ASSERT_NE(editor, nullptr);
    const struct {
        const char* typed;
        const char* message;  // empty: added
    } cases[] = {
        {"ab", "error: Ein Schlagwort muss mindestens drei Zeichen lang sein."},
        {"Vorbix",
         "error: Vorbix kann sich nicht selbst verstecken. Bitte geben Sie ein anderes "
         "Schlagwort ein."},
        {"Edi|tor",
         "error: Ein Schlagwort darf kein \"|\" enthalten, da es sonst in mehrere "
         "Schlagwörter zerfällt."},
        {"vorbix", ""},
        {"abc", ""},
    };
    Items expected{"Editor", "Rechner"};
    for (const auto& c : cases) {
        editor->keywordBox()->setText(QString::fromUtf8(c.typed));
        QTest::mouseClick(editor->addButton(), Qt::LeftButton);
        EXPECT_EQ(editor->keywordBox()->text(), "") << "the box is emptied in every case";
        const auto said = messages();
        if (*c.message) {
            EXPECT_EQ(said, std::vector<std::string>{c.message}) << c.typed;
        } else {
            EXPECT_TRUE(said.empty()) << c.typed;
            expected.push_back(c.typed);
        }
        EXPECT_EQ(itemsOf(editor->keywordList()), expected) << c.typed;
    }
    editor->close();
}

TEST_F(HideShowEditorTest, EnterAddsOrStoresAndIsNoDefaultElsewhere) {
    start();
    THideShow* editor = open(0);
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->saveButton()->isDefault());
    // Enter in the list does nothing.
    editor->keywordList()->setFocus();
    QTest::keyClick(editor->keywordList(), Qt::Key_Return);
    EXPECT_TRUE(editor->isVisible());
    // Enter in the keyword box adds the keyword; in the empty box it stores the list.
    type(editor, "Terminal");
    EXPECT_TRUE(editor->isVisible());
    QTest::keyClick(editor->keywordBox(), Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(row(0).Window, "Editor|Rechner|Terminal|");
    // Enter in the take-over list stores as well.
    editor = open(0);
    QTest::keyClick(editor->takeOverBox(), Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(messages().empty());
}

TEST_F(HideShowEditorTest, DelAndTheListMenuDeleteTheSelectedEntries) {
    start();
    THideShow* editor = open(0);
    ASSERT_NE(editor, nullptr);
    KeywordListBox* list = editor->keywordList();
    for (const char* k : {"Terminal", "Browser", "Player"}) type(editor, k);
    // Editor Rechner Terminal Browser Player: delete Rechner and Browser, Browser focused.
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    list->setFocus();
    list->setCurrentRow(3, QItemSelectionModel::ClearAndSelect);
    list->item(1)->setSelected(true);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(itemsOf(list), (Items{"Editor", "Terminal", "Player"}));
    EXPECT_EQ(list->currentRow(), 2) << "the entry after the focused one";
    // Del in the keyword box edits the text.
    editor->keywordBox()->setText(QStringLiteral("xyz"));
    editor->keywordBox()->setFocus();
    editor->keywordBox()->setCursorPosition(0);
    QTest::keyClick(editor->keywordBox(), Qt::Key_Delete);
    EXPECT_EQ(editor->keywordBox()->text(), "yz");
    EXPECT_EQ(itemsOf(list).size(), 3u);
    // The list's menu entry: the last two, the focus stays inside the list.
    list->setCurrentRow(2, QItemSelectionModel::ClearAndSelect);
    list->item(1)->setSelected(true);
    editor->deleteAction()->trigger();
    EXPECT_EQ(itemsOf(list), Items{"Editor"});
    EXPECT_EQ(list->currentRow(), 0);
    editor->deleteAction()->trigger();
    EXPECT_TRUE(itemsOf(list).empty());
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(row(0).Window, "");
    EXPECT_EQ(row(0).PropertiesText, "(Keine Schlagwörter angegeben)");
}

TEST_F(HideShowEditorTest, DraggingReordersTheSelectedEntries) {
    start();
    THideShow* editor = open(0);
    ASSERT_NE(editor, nullptr);
    KeywordListBox* list = editor->keywordList();
    for (const char* k : {"Terminal", "Browser"}) type(editor, k);
    QWidget* viewport = list->viewport();
    auto centre = [&](int r) { return list->visualItemRect(list->item(r)).center(); };
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, viewport->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(viewport, &e);
    };
    // Editor Rechner Terminal Browser: Editor dragged over Terminal.
    send(QEvent::MouseButtonPress, centre(0), Qt::LeftButton);
    send(QEvent::MouseMove, centre(2), Qt::LeftButton);
    EXPECT_EQ(itemsOf(list), (Items{"Rechner", "Terminal", "Editor", "Browser"}));
    send(QEvent::MouseMove, centre(3), Qt::LeftButton);
    EXPECT_EQ(itemsOf(list), (Items{"Rechner", "Terminal", "Browser", "Editor"}));
    send(QEvent::MouseButtonRelease, centre(3), Qt::NoButton);
    // Two selected entries keep their distance; a press on a selected entry keeps the others.
    list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    list->item(2)->setSelected(true);
    send(QEvent::MouseButtonPress, centre(2), Qt::LeftButton);
    send(QEvent::MouseMove, centre(3), Qt::LeftButton);
    EXPECT_EQ(itemsOf(list), (Items{"Terminal", "Rechner", "Editor", "Browser"}));
    send(QEvent::MouseButtonRelease, centre(3), Qt::NoButton);
    EXPECT_EQ(list->selectedItems().size(), 2);
    // A click without a drag on a selected entry selects it alone.
    send(QEvent::MouseButtonPress, centre(1), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, centre(1), Qt::NoButton);
    EXPECT_EQ(list->selectedItems().size(), 1);
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(row(0).Window, "Terminal|Rechner|Editor|Browser|");
}

TEST_F(HideShowEditorTest, TakesOverTheRowItOffered) {
    start();
    THideShow* editor = open(0);
    ASSERT_NE(editor, nullptr);
    QComboBox* box = editor->takeOverBox();
    // The other hide and show rows with keywords, the same key text twice.
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), "Strg+F3");
    EXPECT_EQ(box->itemText(1), "Strg+F3");
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_TRUE(box->isVisibleTo(editor));
    editor->keywordBox()->setText(QStringLiteral("typed"));
    box->setCurrentIndex(1);
    emit box->activated(1);
    EXPECT_EQ(itemsOf(editor->keywordList()), Items{"Rechner"});
    EXPECT_EQ(editor->keywordBox()->text(), "");
    box->setCurrentIndex(0);
    emit box->activated(0);
    EXPECT_EQ(itemsOf(editor->keywordList()), (Items{"Mail", "Chat"}));
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(row(0).Window, "Mail|Chat|");
    EXPECT_EQ(row(2).Window, "Mail|Chat|");
    EXPECT_EQ(row(3).Window, "Rechner|");
}

TEST_F(HideShowEditorTest, WithoutOtherRowsTheListTakesTheTakeOversRoom) {
    start();
    THideShow* editor = open(0);
    ASSERT_NE(editor, nullptr);
    const int withTakeOver = editor->keywordList()->height();
    editor->close();
    main->core().commands.select(2);
    main->core().commands.deleteSelected();
    main->core().commands.select(2);
    main->core().commands.deleteSelected();
    editor = open(0);
    EXPECT_FALSE(editor->takeOverBox()->isVisibleTo(editor));
    EXPECT_FALSE(editor->takeOverLabel()->isVisibleTo(editor));
    EXPECT_EQ(editor->keywordList()->height(), withTakeOver + 48);
    EXPECT_EQ(editor->keywordBox()->geometry().bottom(),
              editor->takeOverBox()->geometry().bottom());
    editor->close();
}

TEST_F(HideShowEditorTest, CancelEscAndTheCloseBoxWriteNothing) {
    start();
    const HotKeyEntry before = row(0);
    const std::string bytes = file();
    const std::function<void(THideShow*)> ways[] = {
        [](THideShow* e) { QTest::mouseClick(e->cancelButton(), Qt::LeftButton); },
        [](THideShow* e) { QTest::keyClick(e->keywordBox(), Qt::Key_Escape); },
        [](THideShow* e) { e->close(); },
    };
    for (const auto& closeIt : ways) {
        THideShow* editor = open(0);
        ASSERT_NE(editor, nullptr);
        type(editor, "Terminal");
        emit editor->takeOverBox()->activated(0);
        closeIt(editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(row(0), before);
        EXPECT_EQ(file(), bytes);
    }
    EXPECT_TRUE(messages().empty());
}

class HideShowNoticeTest : public test::EditorWindowTest {
protected:
    void SetUp() override { prepare(kTable, "[Settings]\r\nWelcome=0\r\n"); }
};

TEST_F(HideShowNoticeTest, TheNoticeIsShownOnceAndRemembered) {
    start();
    auto* editor = open<THideShow>(0);
    ASSERT_NE(editor, nullptr);
    const auto said = messages();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].rfind("info: Geben Sie Schlagw\xC3\xB6rter ein", 0), 0u) << said[0];
    EXPECT_NE(said[0].find(".\r\n\r\nVersteckte Fenster holen"), std::string::npos) << said[0];
    const std::string config = readWholeFile(configPath()).value_or("");
    EXPECT_NE(config.find("HideShowNotice=1\r\n"), std::string::npos) << config;
    EXPECT_NE(config.find("Welcome=0\r\n"), std::string::npos) << "other keys stay";
    editor->close();
    open<THideShow>(1)->close();
    EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace vorbix
