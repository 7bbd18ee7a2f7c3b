// Rows whose combination the system refused, as the main window shows them: the mark and tip in
// the list, the count in the status strip, the message on adding and the notice on switching on,
// in the user's language.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTreeView>

#include "components/HotkeyEx.h"
#include "platform/fake/FakeDesktop.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/HotKeyTableModel.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/settings/ProgramSettings.h"
#include "storage/AtomicFile.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

constexpr uint16_t kCtrl = 0x4000;
constexpr uint16_t kF5 = 0x74, kF6 = 0x75;
const QString kTakenDe =
    "Diese Tastenkombination wird bereits von einem anderen Programm verwendet.";
const QString kTakenEn = "This key combination is already used by another program.";

class RegistrationMarks : public test::TraylessWindowTest {
protected:
    void SetUp() override {
        startWithoutTray();
        tester = std::make_unique<QAbstractItemModelTester>(
            &main->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        platform.take();
    }
    void takenElsewhere(uint16_t key, bool taken = true) {
        if (taken)
            platform.hotKeys.refused.insert({key, MOD_CONTROL});
        else
            platform.hotKeys.refused.erase({key, MOD_CONTROL});
    }
    void add(uint16_t key) {
        main->hotkeyField()->setHotKey(kCtrl | key);
        main->actionBox()->setCurrentIndex(toIndex(ActionKind::Copy));
        main->LabelAddHotKeyClick();
    }
    // The tip of the row's combination; empty when the row shows no mark.
    QString tip(int row) const {
        const QModelIndex index = main->model().index(row, HotKeyTableModel::HotKeyColumn);
        const bool marked = !index.data(Qt::DecorationRole).value<QIcon>().isNull();
        const QString text = index.data(Qt::ToolTipRole).toString();
        EXPECT_EQ(marked, !text.isEmpty()) << "row " << row << ": mark and tip disagree";
        return text;
    }
    // The status strip's word on rows that do not work; empty while it is hidden.
    QString problems() const {
        QLabel* label = main->statusProblemLabel();
        return label->isHidden() ? QString() : label->text();
    }
    std::vector<std::string> messages() { return platform.takeMessages(); }

    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(RegistrationMarks, ARowOnATakenCombinationIsAddedMarkedAndToldInTheUsersLanguage) {
    takenElsewhere(kF5);
    add(kF5);
    add(kF6);
    ASSERT_EQ(main->table().size(), 2u);
    const auto told = messages();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].rfind("info: " + kTakenDe.toStdString() + "\r\n\r\nDer Hot Key wurde", 0), 0u)
        << told[0];
    EXPECT_EQ(tip(0), kTakenDe);
    EXPECT_EQ(tip(1), "");
    // The action column keeps its image; only the combination carries the mark.
    EXPECT_FALSE(main->model().index(0, 1).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(problems(), "Nicht wirksam: 1");
    EXPECT_EQ(main->statusCountLabel()->text(), "2 Hot Keys");

    main->switchLanguage("English");
    EXPECT_EQ(tip(0), kTakenEn);
    EXPECT_EQ(problems(), "Not working: 1");

    // Deleting the refused row takes its mark and the count with it.
    main->selectRow(0);
    main->MenuDeleteSelectedExecute();
    EXPECT_EQ(tip(0), "");
    EXPECT_EQ(problems(), "");
}

TEST_F(RegistrationMarks, SwitchingOnChecksAgainAndSaysOnceHowManyAreRefused) {
    takenElsewhere(kF5);
    add(kF5);
    add(kF6);
    messages();

    // Switched off, nothing is registered: no marks, no count.
    main->PopupDeactivateExecute();
    EXPECT_EQ(tip(0), "");
    EXPECT_EQ(problems(), "");
    EXPECT_TRUE(messages().empty());

    // Meanwhile the other program lets go of Ctrl+F5 and takes Ctrl+F6.
    takenElsewhere(kF5, false);
    takenElsewhere(kF6);
    main->PopupDeactivateExecute();
    EXPECT_EQ(tip(0), "");
    EXPECT_EQ(tip(1), kTakenDe);
    // No tray here: the notice comes as one information box.
    const auto told = messages();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].rfind("info: Nicht wirksame Hot Keys: 1.", 0), 0u) << told[0];

    // All free again: switching off and on says nothing.
    takenElsewhere(kF6, false);
    main->PopupDeactivateExecute();
    main->PopupDeactivateExecute();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(tip(1), "");
    EXPECT_EQ(problems(), "");
}

// A combination another program lets go works once the user turns to the program: the window
// shown or the tray menu opened tries the refused rows again and updates the marks.
TEST_F(RegistrationMarks, ACombinationLetGoWorksWhenTheWindowShowsOrTheTrayMenuOpens) {
    takenElsewhere(kF5);
    takenElsewhere(kF6);
    add(kF5);
    add(kF6);
    messages();
    ASSERT_EQ(problems(), "Nicht wirksam: 2");

    takenElsewhere(kF5, false);
    main->hide();
    main->show();
    EXPECT_EQ(tip(0), "");
    EXPECT_EQ(tip(1), kTakenDe);
    EXPECT_EQ(problems(), "Nicht wirksam: 1");
    EXPECT_EQ(platform.hotKeys.registered.at(kRowHotKeyIdBase), ShortCutToHotKey(kCtrl | kF5));

    takenElsewhere(kF6, false);
    QMenu* menu = main->trayIcon()->contextMenu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    EXPECT_EQ(tip(1), "");
    EXPECT_EQ(problems(), "");
    // Nothing is said: the marks tell.
    EXPECT_TRUE(messages().empty());
}

TEST_F(RegistrationMarks, LoadedRowsShowWhyTheyDoNotWork) {
    const std::string file = dir.path().toStdString() + "/other.hkv";
    ASSERT_TRUE(writeFileAtomically(
        file,
        "[General]\r\nCount=3\r\n[Hot Key1]\r\nHot Key=Strg+F7\r\nAction=Kopieren\r\n"
        "[Hot Key2]\r\nHot Key=Strg+F7\r\nAction=Kopieren\r\n"
        "[Hot Key3]\r\nHot Key=Strg+F8\r\nAction=Kopieren\r\n"));
    main->core().commands.load(file);
    EXPECT_EQ(tip(0), "");
    EXPECT_EQ(tip(1),
              "Diese Tastenkombination hat schon Zeile 1 (Kopieren); nur dort löst sie aus.");
    EXPECT_EQ(tip(2), "");
    EXPECT_EQ(problems(), "Nicht wirksam: 1");
    // Loading says nothing at once: the marks tell.
    EXPECT_TRUE(messages().empty());
}

// A desktop that answers later (the shortcut portal of a Wayland session): rows wait without a
// mark, then show what the desktop decided, also when it changes its mind afterwards.
TEST_F(RegistrationMarks, LateAnswersOfTheDesktopBecomeMarksTipsAndTheCount) {
    platform.hotKeys.answerLater = true;
    takenElsewhere(kF5);
    add(kF5);
    add(kF6);
    // Nothing refused yet: no message on adding, no marks, no count.
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(tip(0), "");
    EXPECT_EQ(problems(), "");

    platform.hotKeys.answerNow();
    EXPECT_EQ(tip(0), kTakenDe);
    EXPECT_EQ(tip(1), "");
    EXPECT_EQ(problems(), "Nicht wirksam: 1");

    // The user gives row 2 other keys in the desktop's settings: it works, on those keys.
    platform.hotKeys.reportChange(30001, HotKeyResult::boundTo("Meta+Strg+J"));
    EXPECT_EQ(tip(1),
              "Der Desktop hat diesen Hot Key stattdessen auf Meta+Strg+J gelegt; mit dieser "
              "Tastenkombination wirkt er.");
    EXPECT_EQ(problems(), "Nicht wirksam: 1");
    main->switchLanguage("English");
    EXPECT_EQ(tip(1),
              "The desktop bound this hot key to Meta+Strg+J instead; it works with that key "
              "combination.");
}

// The show/hide combination refused by a desktop that answers later: told once, like a refusal
// found at start, and the tray icon no longer hides behind it.
TEST_F(RegistrationMarks, AShowHideCombinationRefusedLaterIsToldAndNoLongerCounted) {
    platform.hotKeys.answerLater = true;
    takenElsewhere(0x76);  // Ctrl+F7
    ASSERT_TRUE(writeFileAtomically(main->configPath(), "[Settings]\r\nSymbolHotKey=Strg+F7\r\n"));
    main->loadSettingsPart(main->configPath());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(main->programSettings().symbolHotKey(), kCtrl | 0x76);

    platform.hotKeys.answerNow();
    const std::vector<std::string> told = messages();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("Strg+F7"), std::string::npos) << told[0];
    EXPECT_EQ(main->programSettings().symbolHotKey(), 0);
    EXPECT_EQ(main->programSettings().refusedSymbolHotKey(), kCtrl | 0x76);
    // Another answer of the desktop later tells nothing again.
    platform.hotKeys.reportChange(30001, HotKeyResult::accepted());
    EXPECT_TRUE(messages().empty());
}

// In a Wayland session the window actions say that they reach X11 windows only; the other rows
// and an X11 session say nothing.
TEST(WindowActionNotes, AWaylandSessionMarksTheWindowActionsInTheirTips) {
    test::offscreenApp();
    for (const bool wayland : {false, true}) {
        SCOPED_TRACE(wayland ? "Wayland" : "X11");
        QTemporaryDir dir;
        fake::FakePlatform platform;
        ShellEnvironment env = test::fakeEnvironment(dir, platform);
        env.waylandSession = wayland;
        TMain main(env);
        main.startUp();
        struct Row {
            ActionKind kind;
            bool note;
        };
        const Row rows[] = {
            {ActionKind::MinimizeAll, true}, {ActionKind::CloseAllWindows, true},
            {ActionKind::HideWindows, true}, {ActionKind::ShowWindows, true},
            {ActionKind::Copy, false},       {ActionKind::CommandLine, false},
        };
        std::string file = "[General]\r\nCount=" + std::to_string(std::size(rows)) + "\r\n";
        for (size_t i = 0; i < std::size(rows); ++i) {
            file += "[Hot Key" + std::to_string(i + 1) + "]\r\nHot Key=Strg+F" +
                    std::to_string(i + 5) + "\r\nAction=" + main.texts().caption(rows[i].kind) +
                    "\r\n";
        }
        const std::string path = dir.path().toStdString() + "/window-actions.hkv";
        ASSERT_TRUE(writeFileAtomically(path, file));
        main.core().commands.load(path);
        ASSERT_EQ(main.table().size(), std::size(rows));
        for (int i = 0; i < int(std::size(rows)); ++i) {
            const QString expected = wayland && rows[i].note
                                         ? "In einer Wayland-Sitzung erreicht diese Aktion nur "
                                           "Fenster von X11-Programmen."
                                         : "";
            EXPECT_EQ(main.model()
                          .index(i, HotKeyTableModel::ActionColumn)
                          .data(Qt::ToolTipRole)
                          .toString(),
                      expected)
                << "row " << i;
            // The combination keeps its own tip (the registration's), without a mark.
            EXPECT_EQ(main.model()
                          .index(i, HotKeyTableModel::HotKeyColumn)
                          .data(Qt::ToolTipRole)
                          .toString(),
                      "");
        }
    }
}

// Each row's mark and tip after loading a table, in both languages: a repeated combination names
// the row that holds it (with its action in the user's language, whatever language the file
// wrote it in), and a row whose action no language knows is marked although the system took its
// combination.
TEST_F(RegistrationMarks, RepeatedCombinationsNameTheirRowAndUnknownActionsAreMarked) {
    const std::string file = dir.path().toStdString() + "/marks.hkv";
    ASSERT_TRUE(writeFileAtomically(file,
                                    "[General]\r\nCount=6\r\n"
                                    "[Hot Key1]\r\nHot Key=Strg+F9\r\nAction=Zaubern\r\n"
                                    "[Hot Key2]\r\nHot Key=Strg+F10\r\nAction=Copy\r\n"
                                    "[Hot Key3]\r\nHot Key=strg+f10\r\nAction=Einfügen\r\n"
                                    "[Hot Key4]\r\nHot Key=Strg+F9\r\nAction=Kopieren\r\n"
                                    "[Hot Key5]\r\nHot Key=Strg+F10\r\nAction=Hexen\r\n"
                                    "[Hot Key6]\r\nHot Key=Strg+F11\r\nAction=Ausschneiden\r\n"));
    main->core().commands.load(file);
    struct Case {
        int row;
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {0, "Unbekannte Aktion, unverändert behalten: dieser Hot Key löst nichts aus.",
         "Unknown action, kept as it is: this hot key does nothing."},
        {1, "", ""},
        {2, "Diese Tastenkombination hat schon Zeile 2 (Kopieren); nur dort löst sie aus.",
         "Row 2 (Copy) already has this key combination; it fires only there."},
        {3, "Diese Tastenkombination hat schon Zeile 1 (Zaubern); nur dort löst sie aus.",
         "Row 1 (Zaubern) already has this key combination; it fires only there."},
        {4,
         "Diese Tastenkombination hat schon Zeile 2 (Kopieren); nur dort löst sie aus.\n"
         "Unbekannte Aktion, unverändert behalten: dieser Hot Key löst nichts aus.",
         "Row 2 (Copy) already has this key combination; it fires only there.\n"
         "Unknown action, kept as it is: this hot key does nothing."},
        {5, "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(tip(c.row), QString::fromUtf8(c.german)) << c.row;
    main->switchLanguage("English");
    for (const Case& c : cases) EXPECT_EQ(tip(c.row), QString::fromUtf8(c.english)) << c.row;

    // Deleting the row that holds the combination: the next one takes it when the rows are
    // registered again, and the remaining repeat names it by its new number.
    main->selectRow(1);
    main->MenuDeleteSelectedExecute();
    EXPECT_EQ(tip(1), "");
    EXPECT_EQ(tip(3),
              "Row 2 (Paste) already has this key combination; it fires only there.\n"
              "Unknown action, kept as it is: this hot key does nothing.");
}

}  // namespace
}  // namespace vorbix
