// The date/time editor opened from the main window: what OK stores for every choice in both
// languages, the separator shown the moment it is chosen, stored formats the lists do not hold,
// and Cancel, Esc and the close box writing nothing.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "editors/DateTime.h"
#include "tests/editors/EditorWindowFixture.h"

namespace vorbix {
namespace {

constexpr const char* kTable =
    "[General]\r\nCount=5\r\n"
    "[Hot Key1]\r\nHot Key=Strg+F5\r\nAction=Datum/Zeit einf\xFCgen\r\nDateTime=YYYY-MM-DD\r\n"
    "[Hot Key2]\r\nHot Key=Strg+F6\r\nAction=Datum/Zeit einf\xFCgen\r\nDateTime=hh:mm\r\n"
    "[Hot Key3]\r\nHot Key=Strg+F7\r\nAction=Datum/Zeit einf\xFCgen\r\n"
    "DateTime=(No format chosen)\r\n"
    "[Hot Key4]\r\nHot Key=Strg+F8\r\nAction=Datum/Zeit einf\xFCgen\r\nDateTime=MM/DD/YYYY\r\n"
    "[Hot Key5]\r\nHot Key=Strg+F9\r\nAction=Datum/Zeit einf\xFCgen\r\nDateTime=hh.mm\r\n";

class DateTimeEditorTest : public test::EditorWindowTest {
protected:
    void SetUp() override { prepare(kTable); }
    TDateTime* open(int r) { return EditorWindowTest::open<TDateTime>(r); }
};

TEST_F(DateTimeEditorTest, OkStoresEveryChoiceInBothLanguages) {
    start();
    const char* parts[] = {"DD", "MM", "YYYY"};
    const char* separators[] = {".", "/", "-"};
    const char* times[] = {"hh:mm:ss", "hh:mm", "mm:ss", "hh", "mm", "ss"};
    int stored = 0;
    for (const char* language : {"German", "English"}) {
        main->switchLanguage(language);
        for (int a = 0; a < 3; ++a) {
            for (int b = 0; b < 3; ++b) {
                for (int c = 0; c < 3; ++c) {
                    for (int s = 0; s < 3; ++s) {
                        TDateTime* editor = open(1);  // a time row: the date is chosen anew
                        ASSERT_NE(editor, nullptr);
                        editor->kindBox()->setCurrentIndex(0);
                        editor->partBox(0)->setCurrentIndex(a);
                        editor->partBox(1)->setCurrentIndex(b);
                        editor->partBox(2)->setCurrentIndex(c);
                        editor->separatorBox()->setCurrentIndex(s);
                        QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
                        ASSERT_FALSE(editor->isVisible());
                        const std::string format = std::string(parts[a]) + separators[s] +
                                                   parts[b] + separators[s] + parts[c];
                        EXPECT_EQ(row(1).PropertiesText, format) << language;
                        EXPECT_TRUE(fileHas("DateTime=" + format + "\r\n")) << format;
                        ++stored;
                        // Back to a time row for the next round.
                        row(1).PropertiesText = "hh:mm";
                    }
                }
            }
        }
        for (int t = 0; t < 6; ++t) {
            TDateTime* editor = open(0);  // a date row
            ASSERT_NE(editor, nullptr);
            editor->kindBox()->setCurrentIndex(1);
            editor->timeBox()->setCurrentIndex(t);
            QTest::keyClick(editor->timeBox(), Qt::Key_Return);
            ASSERT_FALSE(editor->isVisible());
            EXPECT_EQ(row(0).PropertiesText, times[t]) << language;
            EXPECT_TRUE(fileHas(std::string("DateTime=") + times[t] + "\r\n"));
            row(0).PropertiesText = "YYYY-MM-DD";
            ++stored;
        }
    }
    EXPECT_EQ(stored, 2 * (81 + 6));
}

TEST_F(DateTimeEditorTest, RowsOpenedInTurnShowTheirOwnValues) {
    start();
    struct Expected {
        int row;
        int kind;
        int parts[3];
        int separator;
        const char* shown;  // the separator labels
        int time;
    } expected[] = {
        {0, 0, {2, 1, 0}, 2, "-", 0},
        {1, 1, {0, 1, 2}, 0, ".", 1},
        {2, 0, {0, 1, 2}, 0, ".", 0},  // the English placeholder: the defaults
        {3, 0, {1, 0, 2}, 1, "/", 0},
        {4, 1, {0, 1, 2}, 0, ".", -1},  // a time format that is no entry
        {0, 0, {2, 1, 0}, 2, "-", 0},
    };
    for (const Expected& e : expected) {
        TDateTime* editor = open(e.row);
        ASSERT_NE(editor, nullptr) << e.row;
        EXPECT_EQ(editor->kindBox()->currentIndex(), e.kind) << e.row;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(editor->partBox(i)->currentIndex(), e.parts[i]) << e.row;
            EXPECT_EQ(editor->partBox(i)->isVisibleTo(editor), e.kind == 0) << e.row;
        }
        EXPECT_EQ(editor->separatorBox()->currentIndex(), e.separator) << e.row;
        EXPECT_EQ(editor->separatorBox()->isVisibleTo(editor), e.kind == 0) << e.row;
        EXPECT_EQ(editor->separatorLabel(0)->text().toStdString(), e.shown) << e.row;
        EXPECT_EQ(editor->separatorLabel(1)->text().toStdString(), e.shown) << e.row;
        EXPECT_EQ(editor->timeBox()->currentIndex(), e.time) << e.row;
        EXPECT_EQ(editor->timeBox()->isVisibleTo(editor), e.kind == 1) << e.row;
        editor->close();
    }
    EXPECT_EQ(open(3)->separatorBox()->currentText(), QString::fromUtf8("Schrägstrich"));
}

TEST_F(DateTimeEditorTest, TheSeparatorShowsTheMomentItIsChosen) {
    start();
    TDateTime* editor = open(0);
    ASSERT_NE(editor, nullptr);
    editor->separatorBox()->setCurrentIndex(1);
    EXPECT_EQ(editor->separatorLabel(0)->text(), "/");
    EXPECT_EQ(editor->separatorLabel(1)->text(), "/");
    // OK right after the choice stores it.
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(row(0).PropertiesText, "YYYY/MM/DD");

    // Switching between date and time starts the separator over with "Punkt".
    editor = open(0);
    editor->kindBox()->setCurrentIndex(1);
    editor->kindBox()->setCurrentIndex(0);
    EXPECT_EQ(editor->separatorBox()->currentIndex(), 0);
    EXPECT_EQ(editor->separatorLabel(0)->text(), ".");
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(row(0).PropertiesText, "YYYY.MM.DD");
}

TEST_F(DateTimeEditorTest, AStoredTimeFormatThatIsNoEntryIsKept) {
    start();
    TDateTime* editor = open(4);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->timeBox()->placeholderText(), "hh.mm");
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(row(4).PropertiesText, "hh.mm");
    EXPECT_TRUE(fileHas("DateTime=hh.mm\r\n"));
    // Chosen otherwise, the choice is stored.
    editor = open(4);
    editor->timeBox()->setCurrentIndex(2);
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_EQ(row(4).PropertiesText, "mm:ss");
    // The next time row that is in the list shows no trace of the kept format.
    editor = open(1);
    EXPECT_EQ(editor->timeBox()->currentText(), "hh:mm");
    editor->close();
}

TEST_F(DateTimeEditorTest, CancelEscAndTheCloseBoxWriteNothing) {
    start();
    const HotKeyEntry before = row(0);
    const std::string bytes = file();
    const std::function<void(TDateTime*)> ways[] = {
        [](TDateTime* e) { QTest::mouseClick(e->cancelButton(), Qt::LeftButton); },
        [](TDateTime* e) { QTest::keyClick(e->kindBox(), Qt::Key_Escape); },
        [](TDateTime* e) { e->close(); },
    };
    for (const auto& closeIt : ways) {
        TDateTime* editor = open(0);
        ASSERT_NE(editor, nullptr);
        editor->separatorBox()->setCurrentIndex(1);
        editor->partBox(0)->setCurrentIndex(0);
        closeIt(editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(row(0), before);
        EXPECT_EQ(file(), bytes);
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(DateTimeEditorTest, TheAbbreviationsExplainThePartsInTheCurrentLanguage) {
    start();
    TDateTime* editor = open(0);
    ASSERT_NE(editor, nullptr);
    QTest::mouseClick(editor->abbreviationsButton(), Qt::LeftButton);
    const QString text = editor->balloonText();
    EXPECT_TRUE(
        text.startsWith(QString::fromUtf8("<b>Abkürzungen</b><br>Abkürzungen für das Datum:")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("DD = Tag<br>MM = Monat<br>YYYY")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("ss = Sekunden")));
    EXPECT_EQ(QToolTip::text(), text);
    main->switchLanguage("English");
    EXPECT_TRUE(editor->balloonText().contains(QStringLiteral("hh = hours")));
    editor->close();
}

}  // namespace
}  // namespace vorbix
