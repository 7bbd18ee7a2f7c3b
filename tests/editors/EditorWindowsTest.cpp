// The program/folder, date/time, hide/show and volume editors opened from the main window on the
// recording platform: what OK stores for every choice in both languages, rows opened in turn,
// Cancel, Esc and the close box writing nothing, and what each editor does beyond that.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "editors/AdjustVolume.h"
#include "editors/DateTime.h"
#include "editors/HideShow.h"
#include "editors/KeywordListBox.h"
#include "editors/OpenProgDir.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/EditorHub.h"
#include "storage/AtomicFile.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

using Items = std::vector<std::string>;

// As the Windows version writes it (Windows-1252); two rows share a key text.
constexpr const char* kTable =
    "[General]\r\nCount=10\r\n"
    "[Hot Key1]\r\nHot Key=Strg+F5\r\nAction=Benutzerdefiniertes Programm\r\n"
    "Program=/usr/bin/xterm<~F~>\r\nParameter=-e top\r\nHowToOpen=Maximiert\r\n"
    "[Hot Key2]\r\nHot Key=Strg+F6\r\nAction=Benutzerdefiniertes Programm\r\n"
    "Program=/home/u/Musik<~D~>\r\nParameter=\r\nHowToOpen=Minimized\r\n"
    "[Hot Key3]\r\nHot Key=Strg+F7\r\nAction=Datum/Zeit einf\xFCgen\r\nDateTime=YYYY-MM-DD\r\n"
    "[Hot Key4]\r\nHot Key=Strg+F8\r\nAction=Datum/Zeit einf\xFCgen\r\nDateTime=hh.mm\r\n"
    "[Hot Key5]\r\nHot Key=Strg+F1\r\nAction=Bestimmte Fenster verstecken\r\n"
    "Window=Editor|Rechner|\r\n"
    "[Hot Key6]\r\nHot Key=Strg+F2\r\nAction=Verstecke Fenster einblenden\r\n"
    "Window=(Keine Schlagw\xF6rter angegeben)\r\n"
    "[Hot Key7]\r\nHot Key=Strg+F3\r\nAction=Bestimmte Fenster verstecken\r\nWindow=Mail|Chat|\r\n"
    "[Hot Key8]\r\nHot Key=Strg+F3\r\nAction=Verstecke Fenster einblenden\r\nWindow=Rechner|\r\n"
    "[Hot Key9]\r\nHot Key=Strg+F9\r\nAction=Lautst\xE4rke regeln\r\nVolume=+15%\r\n"
    "Settings=sink_c\r\n"
    "[Hot Key10]\r\nHot Key=Strg+F10\r\nAction=Lautst\xE4rke regeln\r\nVolume=Mute/Unmute\r\n"
    "Settings=sink_a\r\n";
enum Row { kProgram = 0, kFolder, kDate, kKeptTime, kHide, kShow, kHide2, kShow2, kVolume, kMute };
const std::vector<TDeviceInfo> kDevices{
    {"Speakers", "sink_a"}, {"Headset", "sink_b"}, {"HDMI Audio", "sink_c"}};

class EditorWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::offscreenApp();
        env = test::fakeEnvironment(dir, platform);
        QDir().mkpath(QString::fromStdString(env.dataFolder));
        ASSERT_TRUE(writeFileAtomically(path(), kTable));
        writeConfig("HideShowNotice=1\r\n");
        platform.audio.list = kDevices;
        platform.audio.defaultId = "sink_b";
        main = std::make_unique<TMain>(env);
        main->startUp();
        main->ShowMyHotKeys();
        main->show();
        platform.take();
    }
    void writeConfig(const std::string& settings) {
        ASSERT_TRUE(writeFileAtomically(configPath(), "[Settings]\r\n" + settings));
    }
    std::string path() const { return env.dataFolder + "HotKeys.hkv"; }
    std::string configPath() const { return env.dataFolder + "Config.ini"; }
    std::string file() const { return readWholeFile(path()).value_or("<missing>"); }
    bool fileHas(const std::string& text) const { return file().find(text) != std::string::npos; }
    template <typename Editor>
    Editor* open(int r) {
        main->selectRow(r);
        main->ListView1DblClick();
        return dynamic_cast<Editor*>(main->editors().openedEditor());
    }
    HotKeyEntry& row(int i) { return main->table().at(size_t(i)); }
    std::vector<std::string> messages() { return platform.take(); }
    static void ok(EditorDialog* e) { QTest::mouseClick(e->saveButton(), Qt::LeftButton); }
    static void enter(THideShow* e, const char* keyword) {
        e->keywordBox()->setText(QString::fromUtf8(keyword));
        QTest::keyClick(e->keywordBox(), Qt::Key_Return);
    }

    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env;
    std::unique_ptr<TMain> main;
};

TEST_F(EditorWindowsTest, CancelEscAndTheCloseBoxWriteNothing) {
    const std::pair<int, std::function<void(EditorDialog*)>> edits[] = {
        {kProgram,
         [](EditorDialog* e) {
             static_cast<TOpenProgDir*>(e)->targetBox()->setCurrentIndex(1);
             static_cast<TOpenProgDir*>(e)->pathBox()->setText(QStringLiteral("/changed"));
         }},
        {kDate,
         [](EditorDialog* e) { static_cast<TDateTime*>(e)->separatorBox()->setCurrentIndex(1); }},
        {kHide, [](EditorDialog* e) { enter(static_cast<THideShow*>(e), "Terminal"); }},
        {kVolume, [](EditorDialog* e) { static_cast<TAdjustVolume*>(e)->muteChoice()->click(); }},
    };
    const std::function<void(EditorDialog*)> closes[] = {
        [](EditorDialog* e) { QTest::mouseClick(e->cancelButton(), Qt::LeftButton); },
        [](EditorDialog* e) { QTest::keyClick(e->focusWidget(), Qt::Key_Escape); },
        [](EditorDialog* e) { e->close(); },
    };
    const std::string bytes = file();
    for (const auto& [r, edit] : edits) {
        const HotKeyEntry before = row(r);
        for (const auto& close : closes) {
            auto* editor = open<EditorDialog>(r);
            ASSERT_NE(editor, nullptr) << r;
            edit(editor);
            close(editor);
            EXPECT_FALSE(editor->isVisible()) << r;
            EXPECT_EQ(row(r), before) << r;
            EXPECT_EQ(file(), bytes) << r;
        }
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(EditorWindowsTest, RowsOpenedInTurnShowTheirOwnValues) {
    for (int round = 0; round < 2; ++round) {
        auto* program = open<TOpenProgDir>(kProgram);
        EXPECT_EQ(program->pathBox()->text(), "/usr/bin/xterm");
        EXPECT_EQ(program->parameterBox()->text(), "-e top");
        EXPECT_EQ(program->modeBox()->currentIndex(), 1);
        program->close();
        program = open<TOpenProgDir>(kFolder);  // the English word of the other language counts
        EXPECT_EQ(program->targetBox()->currentIndex(), 1);
        EXPECT_FALSE(program->parameterBox()->isEnabled());
        EXPECT_TRUE(program->folderLabel()->isVisibleTo(program));
        EXPECT_EQ(program->modeBox()->currentIndex(), 2);
        program->close();

        auto* date = open<TDateTime>(kDate);
        EXPECT_EQ(date->partBox(0)->currentText(), "YYYY");
        EXPECT_EQ(date->separatorLabel(1)->text(), "-");
        EXPECT_EQ(date->separatorBox()->currentText(), "Strich");
        date->close();
        date = open<TDateTime>(kKeptTime);
        EXPECT_TRUE(date->timeBox()->isVisibleTo(date));
        EXPECT_EQ(date->timeBox()->currentIndex(), -1);
        EXPECT_EQ(date->timeBox()->placeholderText(), "hh.mm");
        EXPECT_EQ(date->separatorLabel(1)->text(), ".");
        date->close();

        auto* keywords = open<THideShow>(kHide);
        EXPECT_EQ(keywords->keywordList()->keywords().items, (Items{"Editor", "Rechner"}));
        EXPECT_EQ(keywords->takeOverBox()->count(), 2);
        keywords->close();
        keywords = open<THideShow>(kShow);
        EXPECT_TRUE(keywords->keywordList()->keywords().items.empty());
        EXPECT_EQ(keywords->windowTitle(), "Eigenschaften von \"Verstecke Fenster einblenden\"");
        EXPECT_TRUE(keywords->explanation()->text().startsWith("Es werden alle versteckten"));
        keywords->close();

        auto* volume = open<TAdjustVolume>(kVolume);
        EXPECT_EQ(volume->deviceBox()->currentText(), "HDMI Audio");
        EXPECT_EQ(volume->amountBar()->value(), 3);
        EXPECT_EQ(volume->amountLabel()->text(), "+15%");
        volume->close();
        volume = open<TAdjustVolume>(kMute);  // the English mute word
        EXPECT_EQ(volume->deviceBox()->currentText(), "Speakers");
        EXPECT_TRUE(volume->muteChoice()->isChecked());
        EXPECT_FALSE(volume->amountBar()->isEnabled());
        EXPECT_EQ(volume->amountLabel()->text(), "0%");
        volume->close();
    }
}

TEST_F(EditorWindowsTest, ProgramEditorStoresEveryCombinationInBothLanguages) {
    platform.launcher.programs = platform.launcher.folders = {"/opt/tool dir/run"};
    const struct {
        const char *name, *placeholder, *placeholderInFile, *words[3];
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
    for (const auto& language : languages) {
        main->switchLanguage(language.name);
        for (int combination = 0; combination < 24; ++combination) {
            const int target = combination % 2, mode = combination / 4 % 3;
            const std::string path = combination / 2 % 2 ? "/opt/tool dir/run" : "";
            const std::string parameter = combination / 12 ? "-a 'b c'" : "";
            auto* editor = open<TOpenProgDir>(kProgram);
            editor->pathBox()->setText(QString::fromStdString(path));
            editor->parameterBox()->setText(QString::fromStdString(parameter));
            editor->targetBox()->setCurrentIndex(target);
            EXPECT_EQ(editor->parameterBox()->text().isEmpty(), target == 1 || parameter.empty())
                << "a folder empties the parameter at once";
            editor->modeBox()->setCurrentIndex(mode);
            ok(editor);
            const std::string marker = target ? "<~D~>" : "<~F~>";
            const std::string stored = target ? "" : parameter, word = language.words[mode];
            const std::string head = path.empty() ? language.placeholder : path;
            const HotKeyEntry& r = row(kProgram);
            EXPECT_EQ(r.Program, head + marker) << combination;
            EXPECT_EQ(r.Parameter, stored) << combination;
            EXPECT_EQ(r.HowToOpen, word) << combination;
            EXPECT_EQ(r.PropertiesText, head + (stored.empty() ? "" : " " + stored) + " | " + word);
            EXPECT_TRUE(fileHas("Program=" + (path.empty() ? language.placeholderInFile : path) +
                                marker + "\r\nParameter=" + stored + "\r\nHowToOpen=" + word))
                << combination;
        }
    }
    EXPECT_TRUE(messages().empty()) << "a path the launcher finds is never questioned";
}

TEST_F(EditorWindowsTest, ProgramEditorAsksBeforeAPathTheLauncherCannotFind) {
    platform.launcher.folders = {"/srv"};
    const struct {
        int target;
        const char *path, *question;  // empty: no question
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
        {0, "", ""},
    };
    for (const auto& c : cases) {
        platform.prompter.answer = false;
        const std::string bytes = file();
        auto* editor = open<TOpenProgDir>(kProgram);
        editor->targetBox()->setCurrentIndex(c.target);
        editor->pathBox()->setText(QString::fromUtf8(c.path));
        QTest::keyClick(editor->pathBox(), Qt::Key_Return);
        if (*c.question) {
            // No: nothing written, the editor stays open; Yes stores the path as typed.
            EXPECT_EQ(messages(), std::vector<std::string>{c.question});
            EXPECT_TRUE(editor->isVisible());
            EXPECT_EQ(file(), bytes);
            platform.prompter.answer = true;
            ok(editor);
            messages();
        }
        EXPECT_TRUE(messages().empty()) << c.path;
        EXPECT_FALSE(editor->isVisible()) << c.path;
        EXPECT_EQ(row(kProgram).Program.rfind(c.path, 0), 0u) << row(kProgram).Program;
    }
    // The check off: no question in any case.
    writeConfig("ProgramDirPrompt=0\r\n");
    main->loadSettingsPart(configPath());
    messages();
    auto* editor = open<TOpenProgDir>(kProgram);
    editor->pathBox()->setText(QStringLiteral("/nowhere"));
    ok(editor);
    EXPECT_EQ(row(kProgram).Program, "/nowhere<~F~>");
    EXPECT_TRUE(messages().empty());
}

TEST_F(EditorWindowsTest, ProgramEditorBrowsesForAFileOrAFolder) {
    const QString chosen = dir.path() + QStringLiteral("/tool.sh");
    ASSERT_TRUE(writeFileAtomically(chosen.toStdString(), "#!/bin/sh\n"));
    auto* editor = open<TOpenProgDir>(kProgram);
    QTest::mouseClick(editor->browseButton(), Qt::LeftButton);
    QFileDialog* dialog = editor->browseDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Alle Dateien (*)")});
    dialog->selectFile(chosen);
    static_cast<QDialog*>(dialog)->accept();
    EXPECT_EQ(editor->pathBox()->text(), chosen);
    // A folder: its dialog with the prompt; Cancel keeps the typed text.
    editor->targetBox()->setCurrentIndex(1);
    QTest::mouseClick(editor->browseButton(), Qt::LeftButton);
    dialog = editor->browseDialog();
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Bitte wählen Sie ein Verzeichnis aus:"));
    dialog->reject();
    EXPECT_EQ(editor->pathBox()->text(), chosen);
    editor->close();
}

TEST_F(EditorWindowsTest, DateTimeEditorStoresEveryChoiceInBothLanguages) {
    const char* parts[] = {"DD", "MM", "YYYY"};
    const char* separators[] = {".", "/", "-"};
    const char* times[] = {"hh:mm:ss", "hh:mm", "mm:ss", "hh", "mm", "ss"};
    for (const char* language : {"German", "English"}) {
        main->switchLanguage(language);
        for (int i = 0; i < 81 + 6; ++i) {
            auto* editor = open<TDateTime>(i < 81 ? kKeptTime : kDate);  // the other kind
            std::string format;
            if (i < 81) {
                editor->kindBox()->setCurrentIndex(0);
                const int chosen[3] = {i % 3, i / 3 % 3, i / 9 % 3};
                for (int p = 0; p < 3; ++p) editor->partBox(p)->setCurrentIndex(chosen[p]);
                editor->separatorBox()->setCurrentIndex(i / 27);
                // The separator shows the moment it is chosen.
                EXPECT_EQ(editor->separatorLabel(0)->text(), separators[i / 27]);
                const std::string s = separators[i / 27];
                format = parts[chosen[0]] + s + parts[chosen[1]] + s + parts[chosen[2]];
            } else {
                editor->kindBox()->setCurrentIndex(1);
                editor->timeBox()->setCurrentIndex(i - 81);
                format = times[i - 81];
            }
            QTest::keyClick(editor->kindBox(), Qt::Key_Return);
            EXPECT_FALSE(editor->isVisible());
            EXPECT_EQ(row(i < 81 ? kKeptTime : kDate).PropertiesText, format) << language;
            EXPECT_TRUE(fileHas("DateTime=" + format + "\r\n")) << format;
            row(kKeptTime).PropertiesText = "hh.mm";
            row(kDate).PropertiesText = "YYYY-MM-DD";
        }
    }
    // A stored time format that is no entry is kept by OK.
    ok(open<TDateTime>(kKeptTime));
    EXPECT_TRUE(fileHas("DateTime=hh.mm\r\n"));
}

TEST_F(EditorWindowsTest, HideShowEditorStoresTheKeywordsAsTyped) {
    for (const char* language : {"German", "English"}) {
        main->switchLanguage(language);
        for (int r : {kHide, kShow}) {
            auto* editor = open<THideShow>(r);
            EXPECT_EQ(editor->showVariant(), r == kShow);
            editor->keywordList()->setKeywords({});
            enter(editor, "Editor");
            enter(editor, "Größe");
            QTest::keyClick(editor->keywordBox(), Qt::Key_Return);  // empty: OK
            EXPECT_FALSE(editor->isVisible());
            EXPECT_EQ(row(r).PropertiesText, "Editor|Größe");
            EXPECT_TRUE(
                fileHas("Window=Editor|Gr\xF6\xDF"
                        "e|\r\n"));
            // Nothing left: the hide placeholder of the current language, for both kinds.
            editor = open<THideShow>(r);
            editor->keywordList()->setKeywords({});
            QTest::keyClick(editor->takeOverBox(), Qt::Key_Return);  // OK as well
            EXPECT_EQ(row(r).Window, "");
            EXPECT_EQ(row(r).PropertiesText, std::string(language) == "German"
                                                 ? "(Keine Schlagwörter angegeben)"
                                                 : "(No keywords given)");
        }
    }
    // Refused keywords are said and not added; the box is emptied in every case.
    main->switchLanguage("German");
    auto* editor = open<THideShow>(kHide);
    EXPECT_FALSE(editor->saveButton()->isDefault());
    for (const char* refused : {"ab", "Vorbix", "Edi|tor"}) enter(editor, refused);
    EXPECT_EQ(editor->keywordBox()->text(), "");
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "error: Ein Schlagwort muss mindestens drei Zeichen lang sein.",
                  "error: Vorbix kann sich nicht selbst verstecken. Bitte geben Sie ein anderes "
                  "Schlagwort ein.",
                  "error: Ein Schlagwort darf kein \"|\" enthalten, da es sonst in mehrere "
                  "Schlagwörter zerfällt."}));
    EXPECT_TRUE(editor->keywordList()->keywords().items.empty());
    editor->close();
}

TEST_F(EditorWindowsTest, HideShowEditorDeletesDragsAndTakesOver) {
    auto* editor = open<THideShow>(kHide);
    KeywordListBox* list = editor->keywordList();
    for (const char* k : {"Terminal", "Browser", "Player"}) enter(editor, k);
    // Del in the list deletes the selected entries; the focus stays inside the list.
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    list->setFocus();
    list->setCurrentRow(4, QItemSelectionModel::ClearAndSelect);
    list->item(1)->setSelected(true);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->keywords().items, (Items{"Editor", "Terminal", "Browser"}));
    EXPECT_EQ(list->currentRow(), 2);
    editor->deleteAction()->trigger();  // the list's menu entry
    EXPECT_EQ(list->keywords().items, (Items{"Editor", "Terminal"}));
    // Dragging the first entry over the second moves it live.
    auto send = [&](QEvent::Type type, int r, Qt::MouseButtons buttons) {
        const QPoint at = list->visualItemRect(list->item(r)).center();
        QMouseEvent e(type, at, list->viewport()->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &e);
    };
    send(QEvent::MouseButtonPress, 0, Qt::LeftButton);
    send(QEvent::MouseMove, 1, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, 1, Qt::NoButton);
    EXPECT_EQ(list->keywords().items, (Items{"Terminal", "Editor"}));
    // The take-over list offers both rows on Strg+F3; each gives its own keywords.
    QComboBox* box = editor->takeOverBox();
    ASSERT_EQ(box->count(), 2);
    emit box->activated(1);
    EXPECT_EQ(list->keywords().items, Items{"Rechner"});
    emit box->activated(0);
    EXPECT_EQ(list->keywords().items, (Items{"Mail", "Chat"}));
    ok(editor);
    EXPECT_EQ(row(kHide).Window, "Mail|Chat|");
    // Without other hide or show rows the list takes the take-over list's room.
    const int height = open<THideShow>(kHide)->keywordList()->height();
    main->editors().closeAll();
    for (int i = 0; i < 3; ++i) {
        main->core().commands.select(size_t(kShow));
        main->core().commands.deleteSelected();
    }
    editor = open<THideShow>(kHide);
    EXPECT_FALSE(editor->takeOverBox()->isVisibleTo(editor));
    EXPECT_EQ(editor->keywordList()->height(), height + 48);
    editor->close();
}

TEST_F(EditorWindowsTest, HideShowEditorShowsItsNoticeOnce) {
    writeConfig("Welcome=0\r\n");
    // The notice opens once the editor is open (from the event loop), over the editor.
    for (const int row : {kHide, kShow}) {
        auto* editor = open<THideShow>(row);
        QCoreApplication::processEvents();
        editor->close();
    }
    const auto said = messages();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].rfind("info: Geben Sie Schlagw\xC3\xB6rter ein", 0), 0u) << said[0];
    EXPECT_NE(said[0].find(".\r\n\r\nVersteckte Fenster holen"), std::string::npos) << said[0];
    const std::string config = readWholeFile(configPath()).value_or("");
    EXPECT_NE(config.find("HideShowNotice=1\r\n"), std::string::npos) << config;
    EXPECT_NE(config.find("Welcome=0\r\n"), std::string::npos) << "other keys stay";
}

TEST_F(EditorWindowsTest, VolumeEditorStoresEveryChoiceInBothLanguages) {
    const struct {
        int steps;  // 99: the mute switch
        const char* stored[2];
    } choices[] = {{3, {"+15%", "+15%"}},
                   {-20, {"-100%", "-100%"}},
                   {0, {"0%", "0%"}},
                   {-1, {"-5%", "-5%"}},
                   {99, {"Stumm/Laut", "Mute/Unmute"}}};
    for (int language = 0; language < 2; ++language) {
        main->switchLanguage(language ? "English" : "German");
        for (int device = 0; device < 3; ++device) {
            for (const auto& c : choices) {
                auto* editor = open<TAdjustVolume>(kMute);
                editor->deviceBox()->setCurrentIndex(device);
                if (c.steps == 99) {
                    editor->muteChoice()->click();
                    EXPECT_FALSE(editor->amountBar()->isEnabled());
                } else {
                    editor->amountChoice()->click();
                    editor->amountBar()->setValue(c.steps);
                    EXPECT_EQ(editor->amountLabel()->text().toStdString(), c.stored[language]);
                }
                ok(editor);
                const std::string value = c.stored[language],
                                  id = kDevices[size_t(device)].DeviceId;
                EXPECT_EQ(row(kMute).PropertiesText, value);
                EXPECT_EQ(row(kMute).DeviceId, id);
                EXPECT_TRUE(fileHas("Volume=" + value + "\r\nSettings=" + id + "\r\n")) << value;
            }
        }
    }
    EXPECT_TRUE(messages().empty()) << "the editor changes nothing in the sound system";
}

TEST_F(EditorWindowsTest, VolumeEditorListsTheDevicesOfTheMomentOrSaysThereAreNone) {
    platform.audio.list.insert(platform.audio.list.begin(), {"USB Speaker", "usb_d"});
    auto* editor = open<TAdjustVolume>(kVolume);
    EXPECT_EQ(editor->deviceBox()->count(), 4);
    EXPECT_EQ(editor->deviceBox()->currentText(), "HDMI Audio");
    EXPECT_EQ(editor->size(), QSize(498, 339));
    EXPECT_EQ(editor->minimumSize(), QSize(498, 287));
    // Plugged out and in while the editor is open: the chosen entry still means its device.
    editor->deviceBox()->setCurrentIndex(1);
    platform.audio.list = {{"Headset", "sink_b"}, {"Other", "other"}};
    platform.audio.raiseDeviceState("usb_d", kDeviceRemoved);
    ok(editor);
    EXPECT_EQ(row(kVolume).DeviceId, "sink_a");
    // No device: the panel says so; OK keeps the row's device and asks nothing.
    platform.audio.list.clear();
    editor = open<TAdjustVolume>(kVolume);
    EXPECT_TRUE(editor->noDevicePanel()->isVisibleTo(editor));
    auto* text = editor->noDevicePanel()->findChild<QLabel*>(QStringLiteral("LabelNoDevice"));
    EXPECT_TRUE(text->text().startsWith(QString::fromUtf8("Es wurde kein Wiedergabeger\u00e4t")));
    ok(editor);
    EXPECT_EQ(row(kVolume).DeviceId, "sink_a");
    EXPECT_EQ(row(kVolume).PropertiesText, "+15%");
    EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace vorbix
