// The insert-text editor opened from the main window on the recording platform: the stored
// fields for each way of filling it in, Cancel writing nothing, OK without a change keeping the
// stored bytes, rows shown with their own values, the tool bar, the link prompts, pasting, and
// the window's place, size, state and wrap box in the configuration.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeView>

#include "editors/InsertText.h"
#include "editors/RichTextConverter.h"
#include "editors/RichTextEdit.h"
#include "editors/RichTextToolBar.h"
#include "shell/mainwindow/EditorHub.h"
#include "storage/AtomicFile.h"
#include "storage/InsertTextDigest.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

using B = RichTextToolBar::Button;

// What the Windows control writes, with what the document model does not keep (a highlight).
const std::string kRtf =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}"
    "{\\f1\\fnil\\fcharset0 Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4"
    "\\uc1\\pard\\qc\\f0\\fs20\\b fett\\b0  \\cf1\\highlight1 rot\\cf0\\highlight0\\par\r\n"
    "\\pard\\f1\\fs28\\i kursiv\\i0\\par\r\n}";

// A row section of kind 10 with its text in pieces of 100 characters (the values are ASCII).
std::string textRow(int n, const char* key, const std::string& text) {
    std::string out =
        "[Hot Key" + std::to_string(n) + "]\r\nHot Key=" + key + "\r\nAction=Text einf\xFCgen\r\n";
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at += 100)
        out += "Text" + std::to_string(++count) + "=" + text.substr(at, 100) + "\r\n";
    return out + "Count=" + std::to_string(count) + "\r\n";
}

std::string table() {
    return "[General]\r\nCount=3\r\n" +
           textRow(1, "Strg+F5", "<~T~><~NoFo~>Hallo<~Spa~>Welt<~Re~>zwei") +
           textRow(2, "Strg+F6", encodeInsertText({true, false, kRtf})) +
           "[Hot Key3]\r\nHot Key=Strg+F7\r\nAction=Text einf\xFCgen\r\n";
}

class InsertTextEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::offscreenApp();
        env = test::fakeEnvironment(dir, platform);
        QDir().mkpath(QString::fromStdString(env.dataFolder));
        ASSERT_TRUE(writeFileAtomically(path(), table()));
    }
    void start() {
        main = std::make_unique<TMain>(env);
        main->startUp();
        main->ShowMyHotKeys();
        main->show();
        platform.take();
    }
    std::string path() const { return env.dataFolder + "HotKeys.hkv"; }
    std::string config() const { return env.dataFolder + "Config.ini"; }
    std::string file(const std::string& p) const { return readWholeFile(p).value_or("<missing>"); }
    TInsertText* open(int row) {
        main->selectRow(row);
        main->ListView1DblClick();
        return dynamic_cast<TInsertText*>(main->editors().openedEditor());
    }
    static void select(TInsertText* e, int from, int to) {
        QTextCursor c = e->textBox()->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        e->textBox()->setTextCursor(c);
    }
    // Types text key by key, letters of any script.
    static void type(TInsertText* e, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(e->textBox(), &press);
        }
    }
    static void replaceText(TInsertText* e, const QString& text) {
        e->textBox()->selectAll();
        QTest::keyClick(e->textBox(), Qt::Key_Delete);
        type(e, text);
    }
    static void ok(TInsertText* e) { QTest::mouseClick(e->saveButton(), Qt::LeftButton); }
    // The link prompt that is open now, if any.
    QInputDialog* prompt(TInsertText* e) {
        for (QInputDialog* d : e->findChildren<QInputDialog*>())
            if (d->isVisible()) return d;
        return nullptr;
    }

    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env;
    std::unique_ptr<TMain> main;
};

TEST_F(InsertTextEditorTest, OkStoresTheFieldsOfEachWayOfFillingItIn) {
    start();
    struct Case {
        int row;
        std::function<void(TInsertText*)> fill;
        std::string text;  // the stored value; "RTF:" + plain text for a formatted one
        std::string properties;
    } cases[] = {
        {2, [](TInsertText*) {}, "<~Form~>", "(Kein Text eingegeben)"},
        {2, [](TInsertText* e) { QTest::mouseClick(e->plainRadio(), Qt::LeftButton); }, "<~NoFo~>",
         "(Kein Text eingegeben)"},
        {0,
         [](TInsertText* e) {
             replaceText(e, QStringLiteral("a b"));
             QTest::keyClick(e->textBox(), Qt::Key_Return);
             QTest::keyClicks(e->textBox(), QStringLiteral("c"));
         },
         "<~T~><~NoFo~>a<~Spa~>b<~Re~>c", "a b c"},
        {0, [](TInsertText* e) { e->tabBox()->click(); }, "<~NoFo~>a<~Spa~>b<~Re~>c", "a b c"},
        {2,
         [](TInsertText* e) {
             QTest::mouseClick(e->formattedRadio(), Qt::LeftButton);
             type(e, QString::fromUtf8("x Привет"));
             select(e, 2, 8);
             e->toolBar()->button(B::Bold)->click();
             e->tabBox()->click();
         },
         "RTF:x Привет", "x Привет"},
        {1, [](TInsertText* e) { QTest::mouseClick(e->plainRadio(), Qt::LeftButton); },
         "<~NoFo~>fett<~Spa~>rot<~Re~>kursiv", "fett rot kursiv"},
    };
    for (const Case& c : cases) {
        TInsertText* editor = open(c.row);
        ASSERT_NE(editor, nullptr);
        c.fill(editor);
        ok(editor);
        ASSERT_FALSE(editor->isVisible()) << c.text;
        const HotKeyEntry& row = main->table().at(c.row);
        EXPECT_EQ(row.PropertiesText, c.properties);
        if (c.text.starts_with("RTF:")) {
            ASSERT_TRUE(row.Text.starts_with("<~T~><~Form~>{\\rtf1")) << row.Text;
            const InsertTextValue v = decodeInsertText(row.Text);
            const RtfDocument d = parseRtf(v.body);
            EXPECT_EQ(d.plainText(), c.text.substr(4));
            ASSERT_EQ(d.paragraphs[0].runs.size(), 2u);
            EXPECT_TRUE(d.paragraphs[0].runs[1].format.bold);
            EXPECT_EQ(d.paragraphs[0].runs[1].format.fontName, "Tahoma");
        } else {
            EXPECT_EQ(row.Text, c.text);
        }
        // The file holds it, and the list shows the new properties.
        EXPECT_NE(file(path()).find("Text1=" + row.Text.substr(0, 20)), std::string::npos);
        EXPECT_EQ(main->list()->model()->index(c.row, 2).data().toString().toStdString(),
                  c.properties);
    }
    EXPECT_TRUE(platform.take().empty());
}

TEST_F(InsertTextEditorTest, OkWithoutAChangeKeepsTheStoredTextByteForByte) {
    start();
    ok(open(2));  // the table as the program writes it
    const std::string bytes = file(path());
    for (int row : {1, 0, 2}) {
        const std::string stored = main->table().at(row).Text;
        TInsertText* editor = open(row);
        ASSERT_NE(editor, nullptr);
        // Moving about and selecting changes nothing.
        if (row != 2) select(editor, 1, 3);
        editor->textBox()->moveCursor(QTextCursor::End);
        ok(editor);
        EXPECT_EQ(main->table().at(row).Text, stored) << row;
    }
    EXPECT_EQ(file(path()), bytes);
    // Only the Tab box changed: only the marker in front changes.
    TInsertText* editor = open(1);
    editor->tabBox()->click();
    ok(editor);
    EXPECT_EQ(main->table().at(1).Text, "<~T~>" + encodeInsertText({true, false, kRtf}));
    // A change that is undone again counts as none.
    editor = open(1);
    editor->tabBox()->click();
    QTest::keyClicks(editor->textBox(), QStringLiteral("z"));
    editor->textBox()->undo();
    ok(editor);
    EXPECT_EQ(file(path()), bytes);
}

TEST_F(InsertTextEditorTest, CancelEscAndTheCloseBoxWriteNothing) {
    start();
    const HotKeyEntry before = main->table().at(1);
    const std::string bytes = file(path());
    const std::function<void(TInsertText*)> ways[] = {
        [](TInsertText* e) { QTest::mouseClick(e->cancelButton(), Qt::LeftButton); },
        [](TInsertText* e) { QTest::keyClick(e->textBox(), Qt::Key_Escape); },
        [](TInsertText* e) { e->close(); },
    };
    for (const auto& closeIt : ways) {
        QFile::remove(QString::fromStdString(path()));
        TInsertText* editor = open(1);
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor->textBox(), QStringLiteral("typed"));
        editor->tabBox()->click();
        QTest::mouseClick(editor->plainRadio(), Qt::LeftButton);
        closeIt(editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(main->table().at(1), before);
        EXPECT_EQ(file(path()), "<missing>");
        ASSERT_TRUE(writeFileAtomically(path(), bytes));
    }
    EXPECT_TRUE(platform.take().empty());
}

TEST_F(InsertTextEditorTest, RowsOpenedInTurnShowTheirOwnValues) {
    start();
    struct Expected {
        int row;
        bool formatted, tab;
        const char* text;
        bool firstBold;
    } expected[] = {
        {1, true, false, "fett rot\nkursiv", true},  {0, false, true, "Hallo Welt\nzwei", false},
        {1, true, false, "fett rot\nkursiv", true},  {2, true, false, "", false},
        {0, false, true, "Hallo Welt\nzwei", false},
    };
    for (const Expected& e : expected) {
        TInsertText* editor = open(e.row);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->formattedRadio()->isChecked(), e.formatted) << e.row;
        EXPECT_EQ(editor->plainRadio()->isChecked(), !e.formatted) << e.row;
        EXPECT_EQ(editor->toolBar()->isVisibleTo(editor), e.formatted) << e.row;
        EXPECT_EQ(editor->tabBox()->isChecked(), e.tab) << e.row;
        EXPECT_EQ(editor->textBox()->toPlainText(), QString::fromUtf8(e.text)) << e.row;
        EXPECT_EQ(editor->toolBar()->button(B::Bold)->isChecked(), e.firstBold) << e.row;
        EXPECT_EQ(editor->toolBar()->button(B::Center)->isChecked(), e.row == 1) << e.row;
        // Nothing of the row shown before: the whole text in the row's own format.
        editor->textBox()->selectAll();
        EXPECT_EQ(editor->toolBar()->sizeBox()->currentText(), e.row == 1 ? "" : "10") << e.row;
        EXPECT_FALSE(editor->toolBar()->button(B::Bold)->isChecked()) << e.row;
        // The mode's layout: the box takes the bar's place in plain mode.
        const int top = editor->textBox()->geometry().top();
        EXPECT_EQ(top, e.formatted ? 121 : 88) << e.row;
        editor->close();
    }
}

TEST_F(InsertTextEditorTest, TheToolBarFollowsTheSelectionAndFormatsIt) {
    start();
    TInsertText* editor = open(1);
    ASSERT_NE(editor, nullptr);
    RichTextToolBar* bar = editor->toolBar();
    struct Look {
        int from, to;
        bool bold, italic, center;
        const char* font;  // "" for no entry
        const char* size;
    } looks[] = {
        {0, 4, true, false, true, "Tahoma", "10"},
        {5, 8, false, false, true, "Tahoma", "10"},
        {9, 15, false, true, false, "Arial", "14"},
        {0, 15, false, false, true, "", ""},        // mixed fonts and sizes show no entry
        {2, 2, true, false, true, "Tahoma", "10"},  // the caret: what new text gets
    };
    for (const Look& l : looks) {
        select(editor, l.from, l.to);
        EXPECT_EQ(bar->button(B::Bold)->isChecked(), l.bold) << l.from;
        EXPECT_EQ(bar->button(B::Italic)->isChecked(), l.italic) << l.from;
        EXPECT_EQ(bar->button(B::Center)->isChecked(), l.center) << l.from;
        EXPECT_EQ(bar->button(B::Left)->isChecked(), !l.center) << l.from;
        EXPECT_EQ(bar->fontBox()->currentText().toStdString(), l.font) << l.from;
        EXPECT_EQ(bar->sizeBox()->currentText().toStdString(), l.size) << l.from;
    }
    // Formatting the selection: underline, size, right alignment, bullets.
    select(editor, 5, 8);
    bar->button(B::Underlined)->click();
    const int size = bar->sizeBox()->findText(QStringLiteral("24"));
    bar->sizeBox()->setCurrentIndex(size);
    emit bar->sizeBox()->activated(size);
    bar->button(B::Right)->click();
    bar->button(B::List)->click();
    EXPECT_TRUE(bar->button(B::List)->isChecked());
    // The colour dialog colours the selection when confirmed, and nothing when cancelled.
    select(editor, 0, 4);
    for (bool confirm : {true, false}) {
        bar->button(B::Color)->click();
        auto* colors = editor->findChild<QColorDialog*>();
        ASSERT_NE(colors, nullptr);
        colors->setCurrentColor(confirm ? QColor(0, 128, 0) : QColor(9, 9, 9));
        confirm ? colors->accept() : colors->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    select(editor, 5, 8);
    EXPECT_FALSE(bar->button(B::Center)->isChecked());
    ok(editor);
    const RtfDocument d = parseRtf(decodeInsertText(main->table().at(1).Text).body);
    ASSERT_EQ(d.paragraphs.size(), 2u);
    EXPECT_TRUE(d.paragraphs[0].bullet);
    EXPECT_FALSE(d.paragraphs[1].bullet);
    EXPECT_EQ(d.paragraphs[0].alignment, RtfAlignment::Right);
    const RtfRun& red = d.paragraphs[0].runs.back();
    EXPECT_EQ(red.text, "rot");
    EXPECT_TRUE(red.format.underline);
    EXPECT_EQ(red.format.sizeHalfPoints, 48);
    EXPECT_EQ(red.format.color, (RtfColor{255, 0, 0}));
    EXPECT_EQ(d.paragraphs[0].runs[0].format.color, (RtfColor{0, 128, 0}));

    // Reopened: the same formatting; bullets off again.
    editor = open(1);
    select(editor, 7, 7);
    EXPECT_TRUE(bar->button(B::Underlined)->isChecked());
    EXPECT_TRUE(bar->button(B::Right)->isChecked());
    EXPECT_EQ(bar->sizeBox()->currentText(), "24");
    bar->button(B::List)->click();
    // The style keys of the rich-text control.
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    editor->textBox()->setFocus();
    select(editor, 0, 4);
    QTest::keyClick(editor->textBox(), Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(editor->textBox(), Qt::Key_I, Qt::ControlModifier);
    ok(editor);
    const RtfDocument again = parseRtf(decodeInsertText(main->table().at(1).Text).body);
    EXPECT_FALSE(again.paragraphs[0].bullet);
    EXPECT_EQ(again.paragraphs[0].runs[0].text, "fett");
    EXPECT_FALSE(again.paragraphs[0].runs[0].format.bold);
    EXPECT_TRUE(again.paragraphs[0].runs[0].format.italic);
}

TEST_F(InsertTextEditorTest, TheLinkPromptsInsertMarkupOrNothing) {
    start();
    TInsertText* editor = open(1);
    ASSERT_NE(editor, nullptr);
    const QString before = editor->textBox()->toPlainText();
    // Cancel in the first prompt, then OK in the first and Cancel in the second.
    for (int cancelAt : {0, 1}) {
        select(editor, 5, 8);
        editor->toolBar()->button(B::Hyperlink)->click();
        QInputDialog* address = prompt(editor);
        ASSERT_NE(address, nullptr);
        EXPECT_EQ(address->windowTitle(), "Vorbix");
        EXPECT_EQ(address->labelText(), "Bitte geben Sie die Adresse des Links ein:");
        EXPECT_EQ(address->textValue(), "https://www.example.com");
        EXPECT_EQ(address->windowModality(), Qt::WindowModal);
        if (cancelAt == 0) {
            address->reject();
        } else {
            address->accept();
            QInputDialog* text = prompt(editor);
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->labelText(), "Bitte geben Sie den angezeigten Text des Links ein:");
            EXPECT_EQ(text->textValue(), "Website");
            text->reject();
        }
        EXPECT_EQ(prompt(editor), nullptr);
        EXPECT_EQ(editor->textBox()->toPlainText(), before);
    }
    // Both answered: the markup replaces the selection; the scheme counts in any letter case.
    select(editor, 5, 8);
    editor->toolBar()->button(B::Hyperlink)->click();
    prompt(editor)->setTextValue(QStringLiteral("HTTPS://a.example/?x>y"));
    prompt(editor)->accept();
    prompt(editor)->setTextValue(QStringLiteral("Seite"));
    prompt(editor)->accept();
    EXPECT_EQ(editor->textBox()->toPlainText(),
              "fett <url=HTTPS://a.example/?x%3Ey>Seite</url>\nkursiv");
    ok(editor);
    EXPECT_EQ(main->table().at(1).PropertiesText, "fett HTTPS://a.example/?x%3Ey kursiv");

    // The editor closed while a prompt is open (the program ends): the prompt goes with it.
    editor = open(1);
    editor->toolBar()->button(B::Hyperlink)->click();
    ASSERT_NE(prompt(editor), nullptr);
    main->sessionEnding();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(prompt(editor), nullptr);
}

TEST_F(InsertTextEditorTest, PastingPrefersRtfThenHtmlThenPlainText) {
    start();
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs30\\b from rtf\\par}";
    struct Case {
        bool plainMode;
        std::vector<std::pair<QString, QByteArray>> data;
        QString shown;
        bool bold;
    } cases[] = {
        {false,
         {{"text/rtf", QByteArray::fromStdString(rtf)},
          {"text/html", "<b>from html</b>"},
          {"text/plain", "from text"}},
         "from rtf",
         true},
        {false,
         {{"Rich Text Format", QByteArray::fromStdString(rtf)}, {"text/plain", "from text"}},
         "from rtf",
         true},
        {false,
         {{"text/html", "<i>from</i> <b>html</b>"}, {"text/plain", "x"}},
         "from html",
         false},
        {false, {{"text/plain", "from\ntext"}}, "from\ntext", false},
        {true,
         {{"text/rtf", QByteArray::fromStdString(rtf)},
          {"text/html", "<b>x</b>"},
          {"text/plain", "from text"}},
         "from text",
         false},
        {true, {{"text/rtf", QByteArray::fromStdString(rtf)}}, "from rtf", false},
    };
    for (const Case& c : cases) {
        TInsertText* editor = open(2);
        ASSERT_NE(editor, nullptr);
        if (c.plainMode) QTest::mouseClick(editor->plainRadio(), Qt::LeftButton);
        editor->textBox()->clear();
        auto* data = new QMimeData;
        for (const auto& [format, bytes] : c.data) data->setData(format, bytes);
        QApplication::clipboard()->setMimeData(data);
        editor->textBox()->paste();
        EXPECT_EQ(editor->textBox()->toPlainText(), c.shown);
        select(editor, 0, 1);
        EXPECT_EQ(editor->toolBar()->button(B::Bold)->isChecked(), c.bold) << c.shown.toStdString();
        ok(editor);
        const InsertTextValue v = decodeInsertText(main->table().at(2).Text);
        EXPECT_EQ(v.formatted, !c.plainMode);
        if (c.bold) {
            const RtfRun run = parseRtf(v.body).paragraphs[0].runs[0];
            EXPECT_EQ(run.format.fontName, "Arial");
            EXPECT_EQ(run.format.sizeHalfPoints, 30);
        }
    }
    // Copying from the box offers RTF that pastes back with its formatting.
    TInsertText* editor = open(1);
    editor->textBox()->selectAll();
    editor->textBox()->copy();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied->hasFormat("text/rtf")) << copied->formats().join(",").toStdString();
    const RtfDocument d = parseRtf(copied->data("text/rtf").toStdString());
    EXPECT_EQ(d.plainText(), "fett rot\r\nkursiv");
    EXPECT_TRUE(d.paragraphs[0].runs[0].format.bold);
    editor->close();
}

TEST_F(InsertTextEditorTest, TheWindowKeepsItsPlaceSizeStateAndWrapping) {
    ASSERT_TRUE(writeFileAtomically(config(),
                                    "[Settings]\r\nReturn=1\r\n[Insert Text]\r\n"
                                    "ClientWidth=640\r\nClientHeight=590\r\n"
                                    "Position_x=30\r\nPosition_y=5\r\nState=Normal\r\n"));
    start();
    TInsertText* editor = open(0);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->size(), QSize(640, 590));
    EXPECT_EQ(editor->pos(), QPoint(30, 5));
    EXPECT_TRUE(editor->wrapBox()->isChecked());
    EXPECT_EQ(editor->textBox()->lineWrapMode(), QTextEdit::WidgetWidth);

    // The wrap box is written at once; the geometry when the editor closes, also by Cancel.
    editor->wrapBox()->click();
    EXPECT_EQ(editor->textBox()->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_NE(file(config()).find("Return=0\r\n"), std::string::npos);
    editor->resize(700, 600);
    editor->move(40, 0);
    editor->reject();
    std::string cfg = file(config());
    EXPECT_NE(cfg.find("ClientWidth=700\r\nClientHeight=600\r\nPosition_x=40\r\nPosition_y=0\r\n"
                       "State=Normal\r\n"),
              std::string::npos)
        << cfg;

    // Maximised when closed: maximised at the next opening; its normal size stays stored.
    editor = open(0);
    EXPECT_FALSE(editor->wrapBox()->isChecked());
    editor->setWindowState(Qt::WindowMaximized);
    ok(editor);
    EXPECT_NE(file(config()).find("State=Maximized\r\n"), std::string::npos);
    editor = open(0);
    EXPECT_TRUE(editor->isMaximized());
    editor->close();
}

TEST_F(InsertTextEditorTest, AStoredPlaceOffEveryScreenComesOntoTheScreen) {
    ASSERT_TRUE(writeFileAtomically(config(),
                                    "[Insert Text]\r\nClientWidth=100\r\n"
                                    "ClientHeight=100\r\nPosition_x=5000\r\n"
                                    "Position_y=-3000\r\n"));
    start();
    TInsertText* editor = open(0);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->size(), QSize(577, 584)) << "never below the designed size";
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Placed by its top left corner (the frame's, once the window manager drew one).
    EXPECT_TRUE(screen.contains(QRect(editor->pos(), editor->size())))
        << editor->pos().x() << "," << editor->pos().y() << " in " << screen.width() << "x"
        << screen.height();
    editor->close();
}

TEST_F(InsertTextEditorTest, TranslatedAndScaled) {
    env.ppi = 120;
    start();
    TInsertText* editor = open(0);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), QString::fromUtf8("Eigenschaften von \"Text einfügen\""));
    EXPECT_EQ(editor->plainRadio()->text(), "Unformatierter Text (plain text)");
    // 577 x 584 designed at 96 pixels per inch, at 120: 721.25 and 730.
    EXPECT_EQ(editor->minimumSize(), QSize(721, 730));
    EXPECT_TRUE(editor->windowFlags() & Qt::WindowMaximizeButtonHint);
    std::unique_ptr<QMenu> menu(editor->textBox()->createMenu());
    ASSERT_EQ(menu->actions().size(), 5);
    EXPECT_EQ(menu->actions()[0]->text(), "Ausschneiden\tStrg+X");
    EXPECT_EQ(menu->actions()[4]->text(), "Alles markieren\tStrg+A");
    editor->close();
    main->switchLanguage("English");
    EXPECT_EQ(editor->windowTitle(), "Properties of \"Insert text\"");
    EXPECT_EQ(editor->wrapBox()->text(), "Wrap lines in the editor");
    menu.reset(editor->textBox()->createMenu());
    EXPECT_EQ(menu->actions()[2]->text(), "Paste\tCtrl+V");
}

TEST_F(InsertTextEditorTest, TheNoteSaysWhatBecomesOfTheClipboard) {
    struct Case {
        const char* saveClipBoard;
        const char* language;
        const char* note;
    } cases[] = {
        {"0", "German", "Zwischenablage entfernt"},
        {"1", "German", "erhält die Zwischenablage ihren vorherigen Inhalt zurück"},
        {"0", "English", "the clipboard is emptied"},
        {"1", "English", "the clipboard gets its previous content back"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(
            writeFileAtomically(config(), std::string("[Settings]\r\nLanguage=") + c.language +
                                              "\r\nSaveClipBoard=" + c.saveClipBoard + "\r\n"));
        start();
        TInsertText* editor = open(0);
        ASSERT_NE(editor, nullptr) << c.language;
        EXPECT_TRUE(editor->note()->text().contains(QString::fromUtf8(c.note)))
            << c.saveClipBoard << " " << c.language << ": " << editor->note()->text().toStdString();
        editor->close();
        main.reset();
    }
}

}  // namespace
}  // namespace vorbix
