// The editors of the search, browser, media, key-simulation and drive-door rows and the search
// window, opened from the main window on the recording platform, in German and in English: what
// each shows for a stored row and what OK stores in the row and the file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "components/HotkeyEx.h"
#include "editors/CommandListEditor.h"
#include "editors/OpenCloseDrive.h"
#include "editors/SearchInternet.h"
#include "editors/SearchInternetProperties.h"
#include "editors/SimulateKeyComb.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/EditorHub.h"
#include "storage/AtomicFile.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

using Log = fake::Log;

// Rows as the Windows version writes them (Windows-1252), some with the other language's words.
constexpr const char* kTable =
    "[General]\r\nCount=8\r\n"
    "[Hot Key1]\r\nHot Key=Strg+F1\r\nAction=Im Internet suchen\r\n"
    "Provider=(Kein Anbieter gew\xE4hlt)\r\n"
    "[Hot Key2]\r\nHot Key=Strg+F2\r\nAction=Im Internet suchen\r\nProvider=Wikipedia\r\n"
    "[Hot Key3]\r\nHot Key=Strg+F3\r\nAction=Browser steuern\r\nBrowserControl=Reload\r\n"
    "[Hot Key4]\r\nHot Key=Strg+F4\r\nAction=Audio/Video-Wiedergabe steuern\r\n"
    "AudioVideo=Previous\r\n"
    "[Hot Key5]\r\nHot Key=Strg+F5\r\nAction=Tastenkombination simulieren\r\n"
    "KeyComb=(Keine Tastenkombination festgelegt)\r\n"
    "[Hot Key6]\r\nHot Key=Strg+F6\r\nAction=Tastenkombination simulieren\r\nKeyComb=Strg+Alt+X\r\n"
    "[Hot Key7]\r\nHot Key=Strg+F8\r\nAction=DVD-Laufwerk \xF6\x66\x66nen/schlie\xDF\x65n\r\n"
    "OpenCloseDrives=f:,D\r\n"
    "[Hot Key8]\r\nHot Key=Strg+F9\r\nAction=Search the Internet\r\nProvider=Yahoo\r\n";

class ActionEditorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::offscreenApp();
        env = test::fakeEnvironment(dir, platform);
        // Without a tray host, failures are told in a message box, which the fake prompter logs.
        env.trayAvailable = [] { return false; };
        QDir().mkpath(QString::fromStdString(env.dataFolder));
        ASSERT_TRUE(writeFileAtomically(path(), kTable));
        platform.drives.drives = {'D', 'E'};
        main = std::make_unique<TMain>(env);
        main->startUp();
        main->ShowMyHotKeys();
        main->show();
        platform.take();
    }
    std::string path() const { return env.dataFolder + "HotKeys.hkv"; }
    std::string file() const { return readWholeFile(path()).value_or("<missing>"); }
    bool fileHas(const std::string& text) const { return file().find(text) != std::string::npos; }
    template <typename Editor>
    Editor* open(int row) {
        main->selectRow(row);
        main->ListView1DblClick();
        return dynamic_cast<Editor*>(main->editors().openedEditor());
    }
    const HotKeyEntry& row(int i) { return main->table().at(size_t(i)); }
    void ok(EditorDialog* editor) { QTest::mouseClick(editor->saveButton(), Qt::LeftButton); }

    QTemporaryDir dir;
    fake::FakePlatform platform;
    ShellEnvironment env;
    std::unique_ptr<TMain> main;
};

TEST_F(ActionEditorsTest, SearchProviderInBothLanguages) {
    auto* editor = open<TSearchInternetProperties>(0);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Eigenschaften von \"Im Internet suchen\"");
    QComboBox* box = editor->providerBox();
    ASSERT_EQ(box->count(), 6);
    for (int i = 0; i < box->count(); ++i) EXPECT_FALSE(box->itemIcon(i).isNull()) << i;
    EXPECT_EQ(box->currentText(), "Google") << "a row never edited shows the first provider";
    box->setCurrentIndex(4);
    ok(editor);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(row(0).PropertiesText, "Amazon");
    EXPECT_TRUE(fileHas("Provider=Amazon\r\n"));

    main->switchLanguage("English");
    editor = open<TSearchInternetProperties>(1);
    EXPECT_EQ(editor->windowTitle(), "Properties of \"Search the Internet\"");
    EXPECT_EQ(box->currentText(), "Wikipedia");
    ok(editor);
    EXPECT_EQ(row(1).PropertiesText, "Wikipedia");

    // A name no entry has selects none, and OK waits for a choice.
    editor = open<TSearchInternetProperties>(7);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_FALSE(editor->saveButton()->isEnabled());
    box->setCurrentIndex(5);
    EXPECT_TRUE(editor->saveButton()->isEnabled());
    ok(editor);
    EXPECT_EQ(row(7).PropertiesText, "Bing");
    EXPECT_TRUE(platform.take().empty());
}

TEST_F(ActionEditorsTest, BrowserAndMediaCommandsOfEitherLanguage) {
    struct Step {
        int row;
        const char* language;
        int entry;
        const char* stored;
        const char* key;
    } steps[] = {
        // "Reload" stored in English selects its entry in German; OK stores the German word.
        {2, "German", 4, "Neu laden", "BrowserControl=Neu laden\r\n"},
        {2, "English", 4, "Reload", "BrowserControl=Reload\r\n"},
        {3, "German", 3,
         "R\xC3\xBC"
         "ckw\xC3\xA4rts",
         "AudioVideo=R\xFC"
         "ckw\xE4rts\r\n"},
        {3, "English", 3, "Previous", "AudioVideo=Previous\r\n"},
        {3, "German", 3,
         "R\xC3\xBC"
         "ckw\xC3\xA4rts",
         "AudioVideo=R\xFC"
         "ckw\xE4rts\r\n"},
    };
    for (const Step& s : steps) {
        main->switchLanguage(s.language);
        auto* editor = open<CommandListEditor>(s.row);
        ASSERT_NE(editor, nullptr) << s.row;
        EXPECT_EQ(editor->commandBox()->currentIndex(), s.entry) << s.row << s.language;
        ok(editor);
        EXPECT_EQ(row(s.row).PropertiesText, s.stored);
        EXPECT_TRUE(fileHas(s.key)) << s.key;
    }
    // Each editor lists its own commands, with an icon each; only the browser has the note.
    main->switchLanguage("English");
    auto* browser = open<CommandListEditor>(2);
    EXPECT_EQ(browser->entryTexts(), (std::vector<std::string>{"Back", "Forward", "Home page",
                                                               "Favorites", "Reload", "Stop"}));
    ASSERT_NE(browser->note(), nullptr);
    EXPECT_TRUE(browser->note()->text().contains("Alt+Left"));
    browser->close();
    auto* media = open<CommandListEditor>(3);
    EXPECT_EQ(media->entryTexts(),
              (std::vector<std::string>{"Play/Pause", "Stop", "Next", "Previous"}));
    EXPECT_EQ(media->note(), nullptr);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(media->commandBox()->itemIcon(i).isNull());
    EXPECT_EQ(media->windowTitle(), "Properties of \"Control audio/video playback\"");
    media->close();
}

TEST_F(ActionEditorsTest, KeySimulationChecksAndStores) {
    main->core().commands.setReservedCombinations(0xC053 /* Strg+Alt+S */, 0);
    struct Refused {
        uint16_t shortCut;
        const char* german;
        const char* english;
    } refused[] = {
        {0,
         "info: Bitte dr\xC3\xBC"
         "cken Sie im Feld eine vollst\xC3\xA4ndige Tastenkombination.",
         "info: Please press a complete key combination in the field."},
        {0x6000 /* Strg+Shift alone */, "info: Bitte dr", "info: Please press"},
        {0x4070 /* Strg+F1, the first row's */,
         "info: Diese Tastenkombination ist bereits als Hot Key vergeben und kann nicht "
         "simuliert werden.",
         "info: This key combination is already used by a hot key and cannot be simulated."},
        {0x4074 /* Strg+F5, the row's own */, "info: Diese Tastenkombination ist bereits als",
         "info: This key combination is already used by"},
        {0xC053, "info: Diese Tastenkombination ist in den Einstellungen",
         "info: This key combination is already used in the settings"},
    };
    const struct {
        const char* language;
        int row;
        uint16_t shown;
        uint16_t pressed;
        const char* stored;
    } steps[] = {
        {"German", 4, 0, 0x5041 /* Win+Ctrl+A */, "Win+Strg+A"},
        {"English", 5, 0xC058, 0x4042 /* Ctrl+B */, "Strg+B"},
    };
    for (const auto& step : steps) {
        main->switchLanguage(step.language);
        const bool german = std::string(step.language) == "German";
        auto* editor = open<TSimulateKeyComb>(step.row);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->field()->HotKey(), step.shown);
        const std::string before = row(step.row).PropertiesText;
        for (const Refused& r : refused) {
            // The own row's hot key is refused for row 5 only when it is the row's own.
            const uint16_t pressed =
                r.shortCut == 0x4074 ? uint16_t(0x4070 + step.row) : r.shortCut;
            editor->field()->setHotKey(pressed);
            const uint16_t shown = editor->field()->HotKey();  // modifiers alone read 0
            ok(editor);
            EXPECT_TRUE(editor->isVisible()) << pressed;
            EXPECT_EQ(editor->field()->HotKey(), shown) << "the field keeps its value";
            const Log log = platform.take();
            ASSERT_EQ(log.size(), 1u) << pressed;
            const char* message = german ? r.german : r.english;
            EXPECT_EQ(log[0].rfind(message, 0), 0u) << log[0];
        }
        EXPECT_EQ(row(step.row).PropertiesText, before) << "nothing stored";
        editor->field()->setHotKey(step.pressed);
        ok(editor);
        EXPECT_FALSE(editor->isVisible());
        // The key names follow the keyboard layout (German here), not the program's language.
        EXPECT_EQ(row(step.row).PropertiesText, step.stored);
        EXPECT_TRUE(fileHas(std::string("KeyComb=") + step.stored + "\r\n"));
    }
    // Each row shows its own combination; nothing leaks from the row edited before.
    auto* editor = open<TSimulateKeyComb>(4);
    EXPECT_EQ(editor->field()->HotKey(), 0x5041);
    editor->close();
    EXPECT_TRUE(platform.take().empty());
}

// Esc and Enter pressed in the capture field close the editor as anywhere else (the field takes
// every other key); Cancel, Esc and the close box write nothing. That the keyboard grab ends
// with the editor is shown end to end (e2e_key_editor), where a real grab exists.
TEST_F(ActionEditorsTest, EveryWayOutOfTheCaptureField) {
    const HotKeyEntry before = row(5);
    const std::function<void(TSimulateKeyComb*)> ways[] = {
        [](TSimulateKeyComb* e) { QTest::mouseClick(e->cancelButton(), Qt::LeftButton); },
        [](TSimulateKeyComb* e) { QTest::keyClick(e->field(), Qt::Key_Escape); },
        [](TSimulateKeyComb* e) { e->close(); },
    };
    for (const auto& leave : ways) {
        auto* editor = open<TSimulateKeyComb>(5);
        ASSERT_NE(editor, nullptr);
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
        ASSERT_TRUE(editor->field()->hasFocus()) << "the field is ready for the keys at once";
        editor->field()->setHotKey(0x4041);
        leave(editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(row(5), before);
    }
    auto* editor = open<TSimulateKeyComb>(5);
    editor->field()->setHotKey(0x4041);
    QTest::keyClick(editor->field(), Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(row(5).PropertiesText, "Strg+A");
    EXPECT_TRUE(platform.take().empty());
}

TEST_F(ActionEditorsTest, DrivesNotPresentAreKeptAsUnavailableEntries) {
    for (const char* language : {"German", "English"}) {
        main->switchLanguage(language);
        auto* editor = open<TOpenCloseDrive>(6);
        ASSERT_NE(editor, nullptr);
        QListWidget* list = editor->driveList();
        ASSERT_EQ(list->count(), 3);
        const QString unavailable = std::string(language) == "German"
                                        ? QString::fromUtf8("F:\\ (nicht verfügbar)")
                                        : QStringLiteral("F:\\ (not available)");
        EXPECT_EQ(list->item(0)->text(), "D:\\");
        EXPECT_EQ(list->item(1)->text(), "E:\\");
        EXPECT_EQ(list->item(2)->text(), unavailable);
        EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
        EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
        EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
        ok(editor);
        EXPECT_EQ(row(6).PropertiesText, "D:, F:");
        EXPECT_TRUE(fileHas("OpenCloseDrives=D:, F:\r\n"));
    }
    // Ticks changed by the user; none ticked stores the placeholder of the current language.
    auto* editor = open<TOpenCloseDrive>(6);
    editor->driveList()->item(1)->setCheckState(Qt::Checked);
    editor->driveList()->item(2)->setCheckState(Qt::Unchecked);
    ok(editor);
    EXPECT_EQ(row(6).PropertiesText, "D:, E:");
    editor = open<TOpenCloseDrive>(6);
    ASSERT_EQ(editor->driveList()->count(), 2) << "an unticked missing drive is gone";
    editor->driveList()->item(0)->setCheckState(Qt::Unchecked);
    editor->driveList()->item(1)->setCheckState(Qt::Unchecked);
    ok(editor);
    EXPECT_EQ(row(6).PropertiesText, "(No drive chosen)");
    editor = open<TOpenCloseDrive>(6);
    EXPECT_EQ(editor->driveList()->item(0)->checkState(), Qt::Unchecked);
    editor->close();
    EXPECT_TRUE(platform.take().empty());
}

TEST_F(ActionEditorsTest, TheSearchWindowSearchesOnceAndHidesWithoutSearching) {
    const int32_t wikipedia = kRowHotKeyIdBase + 1, unset = kRowHotKeyIdBase,
                  unknown = kRowHotKeyIdBase + 7;
    main->WMHotKey(wikipedia);
    TSearchInternet* search = main->editors().searchWindow();
    ASSERT_NE(search, nullptr);
    EXPECT_TRUE(search->isVisible());
    EXPECT_EQ(search->windowTitle(), "Im Internet suchen");
    EXPECT_EQ(search->header()->text(), "Suche mit Wikipedia");
    EXPECT_EQ(search->closeButton()->text(), QString::fromUtf8("Schließen"));
    EXPECT_EQ(platform.take(), (Log{"foreground " + std::to_string(search->winId())}));
    QTest::keyClicks(search->searchBox(), QStringLiteral("AC/DC & \"Co\" #1+"));
    search->searchBox()->insert(QString::fromUtf8("ä"));  // typed keys are ASCII only here
    QTest::keyClick(search->searchBox(), Qt::Key_Return);
    EXPECT_FALSE(search->isVisible());
    EXPECT_EQ(platform.take(),
              (Log{"open https://de.wikipedia.org/wiki/AC%2FDC%20%26%20%22Co%22%20%231%2B%C3%A4 "
                   "Normal"}));

    // Shown again: the box is empty; Esc and the close button hide without searching.
    main->WMHotKey(unset);
    EXPECT_EQ(search->header()->text(), "Suche mit Google") << "a row never edited";
    EXPECT_TRUE(search->searchBox()->text().isEmpty());
    QTest::keyClicks(search->searchBox(), "x");
    QTest::keyClick(search->searchBox(), Qt::Key_Escape);
    EXPECT_FALSE(search->isVisible());
    main->WMHotKey(unset);
    QTest::mouseClick(search->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(search->isVisible());
    platform.take();

    // The box's button searches as Enter does, once; English takes the international sites.
    main->switchLanguage("English");
    main->WMHotKey(unknown);
    EXPECT_EQ(search->windowTitle(), "Search the Internet");
    EXPECT_EQ(search->header()->text(), "Search with Google");
    search->searchBox()->setText("a b");
    search->searchButton()->trigger();
    search->searchButton()->trigger();
    EXPECT_EQ(platform.take(), (Log{"foreground " + std::to_string(search->winId()),
                                    "open https://www.google.de/search?q=a%20b Normal"}));
    main->WMHotKey(wikipedia);
    QTest::keyClick(search->searchBox(), Qt::Key_Return);
    EXPECT_EQ(platform.take().back(), "open https://en.wikipedia.org/wiki/ Normal");
}

TEST_F(ActionEditorsTest, AFailedOpenIsTold) {
    platform.launcher.failWith = "no handler";
    main->WMHotKey(kRowHotKeyIdBase + 1);
    main->editors().searchWindow()->searchBox()->setText("x");
    QTest::keyClick(main->editors().searchWindow()->searchBox(), Qt::Key_Return);
    const Log log = platform.take();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[1].rfind("open https://de.wikipedia.org/wiki/x", 0), 0u);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_NE(log[2].find("Die Aktion"), std::string::npos) << log[2];
}

}  // namespace
}  // namespace vorbix
