// The program/folder editor opened from the main window: what OK stores for every combination of
// its controls in both languages, the question before a path the launcher cannot find, the file
// and folder dialogs, and Cancel, Esc and the close box writing nothing.
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "editors/OpenProgDir.h"
#include "tests/editors/EditorWindowFixture.h"

namespace vorbix {
namespace {

// A program maximised, a folder stored with the English word for minimised, a new row.
constexpr const char* kTable =
    "[General]\r\nCount=3\r\n"
    "[Hot Key1]\r\nHot Key=Strg+F5\r\nAction=Benutzerdefiniertes Programm\r\n"
    "Program=/usr/bin/xterm<~F~>\r\nParameter=-e top\r\nHowToOpen=Maximiert\r\n"
    "[Hot Key2]\r\nHot Key=Strg+F6\r\nAction=Benutzerdefiniertes Programm\r\n"
    "Program=/home/u/Musik<~D~>\r\nParameter=\r\nHowToOpen=Minimized\r\n"
    "[Hot Key3]\r\nHot Key=Strg+F7\r\nAction=Benutzerdefiniertes Programm\r\n"
    "Program=(Kein Programm/Verzeichnis gew\xE4hlt)<~F~>\r\nParameter=\r\nHowToOpen=Normal\r\n";

class OpenProgDirEditorTest : public test::EditorWindowTest {
protected:
    void SetUp() override { prepare(kTable); }
    TOpenProgDir* open(int r) { return EditorWindowTest::open<TOpenProgDir>(r); }
};

TEST_F(OpenProgDirEditorTest, OkStoresEveryCombinationInBothLanguages) {
    platform.launcher.programs = {"/opt/tool dir/run"};
    platform.launcher.folders = {"/opt/tool dir/run"};
    start();
    struct Language {
        const char* name;
        const char* placeholder;  // as the row holds it, and as the file holds it
        const char* placeholderInFile;
        const char* words[3];
    } languages[] = {
        {"German",
         "(Kein Programm/Verzeichnis gewählt)",
         "(Kein Programm/Verzeichnis gew\xE4hlt)",
         {"Normal", "Maximiert", "Minimiert"}},
        {"English",
         "(No program or folder chosen)",
         "(No program or folder chosen)",
         {"Normal", "Maximized", "Minimized"}},
    };
    int combinations = 0;
    for (const Language& language : languages) {
        main->switchLanguage(language.name);
        for (int target = 0; target < 2; ++target) {
            for (const std::string path : {"", "/opt/tool dir/run"}) {
                for (const std::string parameter : {"", "-a 'b c'"}) {
                    for (int mode = 0; mode < 3; ++mode) {
                        TOpenProgDir* editor = open(0);
                        ASSERT_NE(editor, nullptr);
                        editor->pathBox()->setText(QString::fromStdString(path));
                        editor->parameterBox()->setText(QString::fromStdString(parameter));
                        editor->targetBox()->setCurrentIndex(target);
                        editor->modeBox()->setCurrentIndex(mode);
                        QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
                        ASSERT_FALSE(editor->isVisible());
                        ++combinations;

                        const bool folder = target == 1;
                        const std::string head = path.empty() ? language.placeholder : path;
                        const std::string headInFile =
                            path.empty() ? language.placeholderInFile : path;
                        const std::string marker = folder ? "<~D~>" : "<~F~>";
                        const std::string stored = folder ? "" : parameter;
                        const std::string word = language.words[mode];
                        const std::string what = std::string(language.name) + " " +
                                                 std::to_string(target) + " '" + path + "' '" +
                                                 parameter + "' " + std::to_string(mode);
                        const HotKeyEntry& r = row(0);
                        EXPECT_EQ(r.Program, head + marker) << what;
                        EXPECT_EQ(r.Parameter, stored) << what;
                        EXPECT_EQ(r.HowToOpen, word) << what;
                        EXPECT_EQ(r.PropertiesText,
                                  head + (stored.empty() ? "" : " " + stored) + " | " + word)
                            << what;
                        EXPECT_TRUE(fileHas("Program=" + headInFile + marker + "\r\nParameter=" +
                                            stored + "\r\nHowToOpen=" + word + "\r\n"))
                            << what << "\n"
                            << file();
                    }
                }
            }
        }
    }
    EXPECT_EQ(combinations, 48);
    EXPECT_TRUE(messages().empty()) << "a path the launcher finds is never questioned";
}

TEST_F(OpenProgDirEditorTest, RowsOpenedInTurnShowTheirOwnValues) {
    start();
    struct Expected {
        int row;
        int target;
        const char* path;
        const char* parameter;
        int mode;
    } expected[] = {
        {0, 0, "/usr/bin/xterm", "-e top", 1},
        {1, 1, "/home/u/Musik", "", 2},  // the English word still counts
        {2, 0, "", "", 0},               // the placeholder is no path
        {0, 0, "/usr/bin/xterm", "-e top", 1},
    };
    for (const Expected& e : expected) {
        TOpenProgDir* editor = open(e.row);
        ASSERT_NE(editor, nullptr) << e.row;
        EXPECT_EQ(editor->targetBox()->currentIndex(), e.target) << e.row;
        EXPECT_EQ(editor->pathBox()->text().toStdString(), e.path) << e.row;
        EXPECT_EQ(editor->parameterBox()->text().toStdString(), e.parameter) << e.row;
        EXPECT_EQ(editor->parameterBox()->isEnabled(), e.target == 0) << e.row;
        EXPECT_EQ(editor->programLabel()->isVisibleTo(editor), e.target == 0) << e.row;
        EXPECT_EQ(editor->folderLabel()->isVisibleTo(editor), e.target == 1) << e.row;
        EXPECT_EQ(editor->modeBox()->currentIndex(), e.mode) << e.row;
        EXPECT_EQ(editor->windowTitle(), "Eigenschaften von \"Benutzerdefiniertes Programm\"");
        editor->close();
    }
}

TEST_F(OpenProgDirEditorTest, FolderEmptiesTheParameterTheMomentItIsChosen) {
    start();
    TOpenProgDir* editor = open(0);
    ASSERT_NE(editor, nullptr);
    editor->targetBox()->setCurrentIndex(1);
    EXPECT_EQ(editor->parameterBox()->text(), "");
    EXPECT_FALSE(editor->parameterBox()->isEnabled());
    EXPECT_TRUE(editor->folderLabel()->isVisibleTo(editor));
    EXPECT_FALSE(editor->programLabel()->isVisibleTo(editor));
    editor->targetBox()->setCurrentIndex(0);
    EXPECT_TRUE(editor->parameterBox()->isEnabled());
    EXPECT_EQ(editor->parameterBox()->text(), "");
    editor->close();
}

TEST_F(OpenProgDirEditorTest, CancelEscAndTheCloseBoxWriteNothing) {
    start();
    const HotKeyEntry before = row(0);
    const std::string bytes = file();
    const std::function<void(TOpenProgDir*)> ways[] = {
        [](TOpenProgDir* e) { QTest::mouseClick(e->cancelButton(), Qt::LeftButton); },
        [](TOpenProgDir* e) { QTest::keyClick(e->pathBox(), Qt::Key_Escape); },
        [](TOpenProgDir* e) { e->close(); },
    };
    for (const auto& closeIt : ways) {
        TOpenProgDir* editor = open(0);
        ASSERT_NE(editor, nullptr);
        editor->targetBox()->setCurrentIndex(1);
        editor->pathBox()->setText(QStringLiteral("/changed"));
        editor->modeBox()->setCurrentIndex(2);
        closeIt(editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(row(0), before);
        EXPECT_EQ(file(), bytes);
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(OpenProgDirEditorTest, OkAsksBeforeItStoresAPathTheLauncherCannotFind) {
    start();
    platform.launcher.folders = {"/srv"};
    struct Case {
        int target;
        const char* path;
        const char* question;  // empty: none is asked
    } cases[] = {
        {0, "/nowhere",
         "ask: Die angegebene Datei existiert nicht. M\xC3\xB6"
         "chten Sie die "
         "Eingabe trotzdem \xC3\xBC"
         "bernehmen?"},
        {1, "/nowhere",
         "ask: Das angegebene Verzeichnis existiert nicht. M\xC3\xB6"
         "chten Sie "
         "die Eingabe trotzdem \xC3\xBC"
         "bernehmen?"},
        {1, "/srv", ""},
        {0, "", ""},  // an empty path is never questioned
    };
    for (const Case& c : cases) {
        // No: nothing is written and the editor stays open with what was typed.
        platform.prompter.answer = false;
        const HotKeyEntry before = row(0);
        const std::string bytes = file();
        TOpenProgDir* editor = open(0);
        ASSERT_NE(editor, nullptr);
        editor->targetBox()->setCurrentIndex(c.target);
        editor->pathBox()->setText(QString::fromUtf8(c.path));
        QTest::keyClick(editor->pathBox(), Qt::Key_Return);
        const auto asked = messages();
        if (*c.question) {
            EXPECT_EQ(asked, std::vector<std::string>{c.question}) << c.path;
            EXPECT_TRUE(editor->isVisible());
            EXPECT_EQ(editor->pathBox()->text().toStdString(), c.path);
            EXPECT_EQ(row(0), before);
            EXPECT_EQ(file(), bytes);
            // Yes stores the path as typed.
            platform.prompter.answer = true;
            QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
            EXPECT_EQ(messages().size(), 1u);
        } else {
            EXPECT_TRUE(asked.empty()) << c.path;
        }
        EXPECT_FALSE(editor->isVisible()) << c.path;
        EXPECT_EQ(row(0).Program.rfind(c.path, 0), 0u) << row(0).Program;
        ASSERT_TRUE(writeFileAtomically(path(), kTable));
        main->core().commands.load(path());
        messages();
    }
}

class OpenProgDirCheckOffTest : public test::EditorWindowTest {
protected:
    void SetUp() override { prepare(kTable, "[Settings]\r\nProgramDirPrompt=0\r\n"); }
};

TEST_F(OpenProgDirCheckOffTest, NoQuestionWhenTheCheckIsOff) {
    start();
    for (int target = 0; target < 2; ++target) {
        auto* editor = open<TOpenProgDir>(0);
        ASSERT_NE(editor, nullptr);
        editor->targetBox()->setCurrentIndex(target);
        editor->pathBox()->setText(QStringLiteral("/nowhere"));
        QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(row(0).Program, target ? "/nowhere<~D~>" : "/nowhere<~F~>");
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(OpenProgDirEditorTest, BrowseChoosesAFileOrAFolder) {
    start();
    const QString chosen = dir.path() + QStringLiteral("/tool.sh");
    QFile f(chosen);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    TOpenProgDir* editor = open(0);
    ASSERT_NE(editor, nullptr);

    // A program: the file dialog with the language file's filter.
    QTest::mouseClick(editor->browseButton(), Qt::LeftButton);
    QFileDialog* dialog = editor->browseDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Alle Dateien (*)")});
    dialog->selectFile(chosen);
    static_cast<QDialog*>(dialog)->accept();
    EXPECT_EQ(editor->pathBox()->text(), chosen);

    // A folder: the folder dialog with its prompt; Cancel keeps the typed text.
    editor->targetBox()->setCurrentIndex(1);
    editor->pathBox()->setText(QStringLiteral("typed"));
    QTest::mouseClick(editor->browseButton(), Qt::LeftButton);
    dialog = editor->browseDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Bitte wählen Sie ein Verzeichnis aus:"));
    dialog->reject();
    EXPECT_EQ(editor->pathBox()->text(), "typed");
    QTest::mouseClick(editor->browseButton(), Qt::LeftButton);
    dialog = editor->browseDialog();
    dialog->setDirectory(dir.path());
    dialog->selectFile(dir.path());
    static_cast<QDialog*>(dialog)->accept();
    EXPECT_EQ(editor->pathBox()->text(), dir.path());
    editor->close();
}

}  // namespace
}  // namespace vorbix
