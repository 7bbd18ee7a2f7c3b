// Registration, dispatch and the table commands against the recording doubles.
#include <gtest/gtest.h>

#include <map>

#include "core/Dispatcher.h"
#include "core/TableCommands.h"
#include "core/WebAddress.h"
#include "platform/fake/FakeDesktop.h"
#include "tests/support/TestTexts.h"

namespace vorbix {
namespace {

using fake::Log;

class RecordingStore : public TableStore {
public:
    explicit RecordingStore(Log& log) : log_(log) {}
    Result save(const std::string& path) override {
        log_.push_back("save " + path);
        return saveResult;
    }
    Result load(const std::string& path) override {
        log_.push_back("load " + path);
        if (loadResult.ok) {
            for (const HotKeyEntry& row : rowsToLoad) (void)table->append(row);
        }
        return loadResult;
    }
    bool takePropertiesNotice() override { return std::exchange(noticeDue, false); }
    Result examine(const std::string& path) override {
        log_.push_back("examine " + path);
        return examineResult;
    }
    Result keepBackup(const std::string& path) override {
        log_.push_back("backup " + path);
        return backupResult;
    }

    HotKeyTable* table = nullptr;
    Result examineResult;
    Result backupResult;
    std::vector<HotKeyEntry> rowsToLoad;
    Result saveResult;
    Result loadResult;
    bool noticeDue = true;

private:
    Log& log_;
};

class Shell : public ShellHooks {
public:
    explicit Shell(Log& log) : log_(log) {}
    void activationSwitch() override { log_.push_back("switch"); }
    void toggleMainWindow() override { log_.push_back("toggle"); }
    WindowId hideMainWindowForCloseAll() override {
        log_.push_back("hide main");
        return 77;
    }
    void runEditorEffect(ActionKind kind, const HotKeyEntry&) override {
        log_.push_back("editor effect " + std::to_string(toIndex(kind)));
    }
    void actionFailed(const std::string& reason) override { log_.push_back("failed " + reason); }

private:
    Log& log_;
};

struct Fixture : ::testing::Test {
    fake::FakePlatform p;
    BuiltinKeyNames names{BuiltinKeyNames::Group::German};
    LanguageTexts texts = testing::germanTestTexts();
    HotKeyTable table;
    HotKeyRegistry registry{table, p.hotKeys, names};
    RecordingStore store{p.log};
    Shell shell{p.log};
    TableCommands commands{{table, registry, texts, names, p.prompter, store,
                            [](std::string_view key) { return std::string(key); }, Permissions{},
                            "/data/HotKeys.hkv", "sink-a"}};
    Dispatcher dispatcher{table, texts, registry, names, p.desktop(), shell, nullptr};

    Fixture() { store.table = &table; }
    void addRows(std::initializer_list<std::pair<uint16_t, ActionKind>> rows) {
        for (auto [w, kind] : rows) ASSERT_TRUE(commands.add(w, kind));
        p.take();
    }
};

using Registration = Fixture;
using Dispatch = Fixture;
using Commands = Fixture;

TEST_F(Registration, IdentifiersFollowRowOrderAndInactiveRegistersNothing) {
    addRows({{0x4074, ActionKind::Copy}, {0x4075, ActionKind::Paste}, {0x4076, ActionKind::Cut}});
    EXPECT_EQ(table.at(2).HotKeyId, 30002);
    EXPECT_EQ(p.hotKeys.registered.at(30001), (TWinHotKey{0x75, MOD_CONTROL}));
    commands.select(0);
    commands.deleteSelected();
    EXPECT_EQ(table.at(0).HotKeyId, 30000);
    EXPECT_EQ(table.at(1).HotKeyId, 30001);
    EXPECT_EQ(p.hotKeys.registered.size(), 2u);
    registry.switchActive(false);
    EXPECT_TRUE(p.hotKeys.registered.empty());
    EXPECT_EQ(table.at(1).HotKeyId, 0);
    ASSERT_TRUE(commands.add(0x4077, ActionKind::Copy));  // added while inactive: not registered
    EXPECT_EQ(table.at(2).HotKeyId, 0);
    registry.switchActive(true);
    EXPECT_EQ(p.hotKeys.registered.size(), 3u);
    EXPECT_EQ(table.at(2).HotKeyId, 30002);
    EXPECT_EQ(HotKeyRegistry::MyGlobalAddAtom(0xC001), 0);
}

TEST_F(Dispatch, SpecialIdentifiersComeFirstAndRowsOnlyWhileActive) {
    addRows({{0x4074, ActionKind::Copy}});
    dispatcher.WMHotKey(20000);
    dispatcher.WMHotKey(10000);
    dispatcher.WMHotKey(30000);
    EXPECT_EQ(p.take(),
              (Log{"switch", "toggle", "release", "down 17", "down 67", "up 17", "up 67"}));
    registry.setActive(false);
    dispatcher.WMHotKey(30000);
    dispatcher.WMHotKey(10000);
    EXPECT_EQ(p.take(), (Log{"toggle"}));
}

TEST_F(Dispatch, BuiltInEffects) {
    auto run = [&](ActionKind kind, HotKeyEntry row = {}) {
        row.ActionText = texts.caption(kind);
        dispatcher.runAction(row);
        return p.take();
    };
    // The stacking order is read while the main window is still in it.
    p.windows.stacking = {5, 77, 9};
    EXPECT_EQ(run(ActionKind::CloseAllWindows),
              (Log{"stacking", "hide main", "close below 77 of 5 77 9"}));
    EXPECT_EQ(run(ActionKind::CloseProgram), (Log{"close active"}));
    EXPECT_EQ(run(ActionKind::CommandLine), (Log{"terminal"}));
    EXPECT_EQ(run(ActionKind::Standby), (Log{"session 32"}));
    EXPECT_EQ(run(ActionKind::SoftwareDialog), (Log{"settings 5"}));
    HotKeyEntry program;
    program.Program = "/usr/bin/xterm<~F~>";
    program.Parameter = "-T \"a b\"";
    program.HowToOpen = "Maximiert";
    EXPECT_EQ(run(ActionKind::OpenProgramDir, program),
              (Log{"start /usr/bin/xterm [-T \"a b\"] Maximized"}));
    program.Program = "/home/u<~D~>";
    program.HowToOpen = "Minimized";
    EXPECT_EQ(run(ActionKind::OpenProgramDir, program), (Log{"open /home/u Minimized"}));
    // A value without a marker (written by hand) is the program itself, not cut short.
    program.Program = "/usr/bin/gedit";
    program.HowToOpen = "Normal";
    EXPECT_EQ(run(ActionKind::OpenProgramDir, program),
              (Log{"start /usr/bin/gedit [-T \"a b\"] Normal"}));
    EXPECT_EQ(programWithoutMarker("/usr/bin/gedit<~D~>"), "/usr/bin/gedit");
    EXPECT_EQ(programWithoutMarker("/opt/a<~X~>"), "/opt/a<~X~>");
    EXPECT_EQ(programWithoutMarker("<~F~>"), "");
    program.Program = "<Programm wählen><~F~>";
    EXPECT_EQ(run(ActionKind::OpenProgramDir, program), (Log{"failed No program is set"}));
    p.launcher.failWith = "not found";
    EXPECT_EQ(run(ActionKind::OpenMailProgram), (Log{"mail", "failed not found"}));
    HotKeyEntry site;
    site.URL = "www.example.org";
    EXPECT_EQ(run(ActionKind::Website, site),
              (Log{"open http://www.example.org Normal", "failed not found"}));
    site.URL = "tel:+4930123456";
    EXPECT_EQ(run(ActionKind::Website, site),
              (Log{"open tel:+4930123456 Normal", "failed not found"}));
    site.URL = " javascript:alert(1)";
    EXPECT_EQ(
        run(ActionKind::Website, site),
        (Log{"failed The address \"javascript:alert(1)\" is not opened: javascript: and data: "
             "addresses can run program code."}));
    HotKeyEntry hide;
    hide.Window = "Editor|Rechner|rest";
    EXPECT_EQ(run(ActionKind::HideWindows, hide), (Log{"hide Editor,Rechner"}));
    HotKeyEntry media;
    media.PropertiesText = "Rückwärts";
    EXPECT_EQ(run(ActionKind::ControlAudioVideo, media), (Log{"media 3"}));
    HotKeyEntry browser;
    browser.PropertiesText = "Neu laden";
    EXPECT_EQ(run(ActionKind::ControlBrowser, browser), (Log{"release", "down 116", "up 116"}));
    EXPECT_EQ(run(ActionKind::InsertText), (Log{"editor effect 10"}));
    HotKeyEntry foreign;
    foreign.ActionText = "Kopie";  // a caption no language knows runs nothing
    dispatcher.runAction(foreign);
    EXPECT_TRUE(p.take().empty());
}

// Each drive's door follows its own tray: an open one closes, a closed one opens, whatever the
// other drives do; a drive that cannot tell closes when the program opened it last.
TEST_F(Dispatch, EachDriveDoorFollowsItsOwnTray) {
    p.drives.drives = {'D', 'E', 'F'};
    p.drives.trays = {
        {'D', TrayState::Closed}, {'E', TrayState::Closed}, {'F', TrayState::Unknown}};
    HotKeyEntry row;
    row.ActionText = texts.caption(ActionKind::OpenCloseDrive);
    row.PropertiesText = "D:, E:, Z:";
    dispatcher.runAction(row);
    EXPECT_EQ(p.take(), (Log{"door D open", "door E open"}));
    dispatcher.runAction(row);
    EXPECT_EQ(p.take(), (Log{"door D closed", "door E closed"}));
    // Closed by hand in between: the next press opens it again.
    p.drives.trays['D'] = TrayState::Open;
    row.PropertiesText = "d:,e";
    dispatcher.runAction(row);
    EXPECT_EQ(p.take(), (Log{"door D closed", "door E open"}));
    row.PropertiesText = "F:";
    for (const char* expected : {"door F open", "door F closed", "door F open"}) {
        dispatcher.runAction(row);
        EXPECT_EQ(p.take(), Log{expected});
    }
    row.PropertiesText = texts.sNewDrive;
    dispatcher.runAction(row);
    EXPECT_TRUE(p.take().empty());
}

// With a background the drives are reached from its jobs, not from the caller.
TEST_F(Dispatch, DriveCallsRunAsBackgroundJobs) {
    struct Jobs : BackgroundJobs {
        void post(std::function<void()> job) override { jobs.push_back(std::move(job)); }
        std::vector<std::function<void()>> jobs;
    } jobs;
    Desktop desktop = p.desktop();
    desktop.background = &jobs;
    Dispatcher background{table, texts, registry, names, desktop, shell, nullptr};
    p.drives.drives = {'D', 'E'};
    HotKeyEntry row;
    row.ActionText = texts.caption(ActionKind::OpenCloseDrive);
    row.PropertiesText = "E:, D:";
    background.runAction(row);
    EXPECT_TRUE(p.take().empty());
    ASSERT_EQ(jobs.jobs.size(), 1u);
    jobs.jobs[0]();
    EXPECT_EQ(p.take(), (Log{"door E open", "door D open"}));
}

// A search row never edited searches with the first provider rather than doing nothing: the
// window is shown for whatever the row holds.
TEST_F(Dispatch, ASearchRowNeverEditedStillShowsTheSearchWindow) {
    HotKeyEntry row;
    row.ActionText = texts.caption(ActionKind::SearchInternet);
    for (const std::string& stored : {texts.sNewProvider, std::string("Bing"), std::string()}) {
        row.PropertiesText = stored;
        dispatcher.runAction(row);
        EXPECT_EQ(p.take(), (Log{"editor effect 14"})) << stored;
    }
}

TEST_F(Dispatch, FailuresAreToldInTheUsersLanguage) {
    Dispatcher localized{
        table, texts, registry, names, p.desktop(), shell, [](std::string_view key) -> std::string {
            if (key == "MessageLaunchNotFound") return "Nicht gefunden: %s";
            return {};
        }};
    EXPECT_EQ(localized.failureText(
                  LaunchResult::failure("Program not found: /x", LaunchError::NotFound, "/x")),
              "Nicht gefunden: /x");
    // Without a text of the language the English reason stands.
    EXPECT_EQ(localized.failureText(LaunchResult::failure("No terminal", LaunchError::NoProgram)),
              "No terminal");
}

TEST(WebAddresses, SchemeAddedOnlyWhereMissing) {
    EXPECT_EQ(webAddressOf("https://a.b/c"), "https://a.b/c");
    EXPECT_EQ(webAddressOf(" mailto:x@y.z "), "mailto:x@y.z");
    EXPECT_EQ(webAddressOf("localhost:8080/x"), "http://localhost:8080/x");
    EXPECT_EQ(webAddressOf("-x://y"), "http://-x://y");
    EXPECT_EQ(webAddressOf("1a://y"), "http://1a://y");
    EXPECT_EQ(webAddressOf("svn+ssh://h/r"), "svn+ssh://h/r");
    EXPECT_EQ(windowKeywords("a|b"), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(windowKeywords("<Fenster verstecken>").empty());
}

TEST_F(Commands, AddChecksInOrderAndDefaults) {
    commands.setReservedCombinations(0x4070, 0);
    EXPECT_FALSE(commands.add(0x6000, ActionKind::Copy));
    EXPECT_FALSE(commands.add(0x4070, ActionKind::Copy));
    ASSERT_TRUE(commands.add(0x4074, ActionKind::OpenProgramDir));
    EXPECT_FALSE(commands.add(0x4074, ActionKind::Copy));
    EXPECT_FALSE(commands.add(0x4056, ActionKind::InsertText));
    EXPECT_FALSE(commands.add(0x8074, ActionKind::InsertText));
    EXPECT_TRUE(commands.add(0x2074, ActionKind::InsertText));  // Shift+F5 is fine
    p.prompter.answer = false;
    EXPECT_FALSE(commands.add(0x1045, ActionKind::Copy));  // Win+E asked, answered No
    EXPECT_TRUE(commands.add(0x5045, ActionKind::Copy));   // Win+Ctrl+E asks nothing
    const Log log = p.take();
    EXPECT_EQ(log[0], "info: MessageHotKeyError2");
    EXPECT_EQ(log[1], "info: MessageFixedError");
    EXPECT_EQ(log[2], "info: MessageProperties1\r\n\r\nMessageProperties2");  // once only
    EXPECT_EQ(log[3], "register 30000 2+116");
    EXPECT_EQ(log[4], "save /data/HotKeys.hkv");
    EXPECT_EQ(log[5], "info: MessageHotKeyError1");
    EXPECT_EQ(log[6], "info: MessageInsertText");
    EXPECT_EQ(log[7], "info: MessageInsertText");
    EXPECT_EQ(std::count(log.begin(), log.end(), "ask: MessageWindowsKey"), 1);
    const HotKeyEntry& program = table.at(0);
    EXPECT_EQ(program.HotKeyText, "Strg+F5");
    EXPECT_EQ(program.Program, "<Programm wählen><~F~>");
    EXPECT_EQ(program.PropertiesText, "<Programm wählen> | Normal");
    EXPECT_EQ(table.at(1).Text, "<~Form~>");
    EXPECT_EQ(table.at(2).HotKeyText, "Win+Strg+E");
}

// A bound character can no longer be typed anywhere: a key without modifier that types one is
// only added after the user agrees, Shift with such a key is refused with a hint, and keys that
// type nothing need neither, alone or with Shift.
TEST_F(Commands, CombinationsThatTypeACharacter) {
    struct Case {
        uint16_t word;
        bool answer;  // to the question, where one is asked
        const char* said;
        bool added;
    };
    const Case cases[] = {
        {0x0045, false, "ask: MessageTypingKey", false},       // E, answered No
        {0x0045, true, "ask: MessageTypingKey", true},         // E, answered Yes
        {0x0037, true, "ask: MessageTypingKey", true},         // 7
        {0x0020, true, "ask: MessageTypingKey", true},         // Space
        {0x00BD, false, "ask: MessageTypingKey", false},       // the minus key
        {0x00DE, false, "ask: MessageTypingKey", false},       // Ä (US: ')
        {0x00E2, false, "ask: MessageTypingKey", false},       // < beside the left Shift
        {0x2041, true, "info: MessageShiftCharacter", false},  // Shift+A
        {0x2031, true, "info: MessageShiftCharacter", false},  // Shift+1
        {0x20BE, true, "info: MessageShiftCharacter", false},  // Shift+.
        {0x0074, false, nullptr, true},                        // F5
        {0x2074, false, nullptr, true},                        // Shift+F5
        {0x0087, false, nullptr, true},                        // F24
        {0x2024, false, nullptr, true},                        // Shift+Home
        {0x0028, false, nullptr, true},                        // Down
        {0x0065, false, nullptr, true},                        // Num 5
        {0x206B, false, nullptr, true},                        // Shift+Num +
        {0x00B3, false, nullptr, true},                        // Play/Pause
        {0x00AF, false, nullptr, true},                        // Volume Up
        {0x6041, false, nullptr, true},                        // Ctrl+Shift+A
        {0x8041, false, nullptr, true},                        // Alt+A
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ShortCutToKeyText(c.word, false, names));
        registry.UnregisterAllHotKeys();
        table.clear();
        p.take();
        p.prompter.answer = c.answer;
        EXPECT_EQ(commands.add(c.word, ActionKind::Copy), c.added);
        EXPECT_EQ(table.size(), c.added ? 1u : 0u);
        const Log log = p.take();
        if (c.said) {
            ASSERT_FALSE(log.empty());
            EXPECT_EQ(log.front(), c.said);
            EXPECT_EQ(std::count_if(log.begin(), log.end(),
                                    [](const std::string& l) { return l.rfind("ask: ", 0) == 0; }),
                      c.said[0] == 'a' ? 1 : 0);
        } else {
            EXPECT_TRUE(log.empty() ||
                        (log.front().rfind("ask: ", 0) != 0 && log.front().rfind("info: ", 0) != 0))
                << log.front();
        }
        if (!c.added) {
            EXPECT_TRUE(p.hotKeys.registered.empty());
        }
    }
    // The row keeps the layout's text of the bare key.
    p.prompter.answer = true;
    registry.UnregisterAllHotKeys();
    table.clear();
    ASSERT_TRUE(commands.add(0x0020, ActionKind::Copy));
    EXPECT_EQ(table.at(0).HotKeyText, "Leertaste");
}

TEST_F(Commands, FullTableAndPermissionRefuseWithoutChanges) {
    for (int i = 0; i < 256; ++i) ASSERT_TRUE(table.append({}));
    EXPECT_FALSE(commands.add(0x4074, ActionKind::Copy));
    EXPECT_EQ(p.take(), (Log{"error: MessageTableFull"}));
    table.clear();
    commands.setPermissions({false, false, true});
    EXPECT_FALSE(commands.add(0x4074, ActionKind::Copy));
    commands.moveUp();
    EXPECT_FALSE(commands.mayLoad());
    EXPECT_EQ(p.take(), (Log{"error: MessageAdminError", "error: MessageAdminError",
                             "error: MessageAdminError"}));
}

TEST_F(Commands, DeleteMoveAndMenuState) {
    addRows({{0x4074, ActionKind::Copy}, {0x4075, ActionKind::Paste}, {0x4076, ActionKind::Cut}});
    table.at(2).URL = "moved along";
    commands.select(2);
    commands.moveUp();
    EXPECT_EQ(commands.selectedRow(), 1);
    EXPECT_EQ(table.at(1).URL, "moved along");
    EXPECT_EQ(table.at(1).HotKeyText, "Strg+F7");
    EXPECT_EQ(table.at(1).HotKeyId, 30001);
    commands.select(0);
    commands.moveUp();  // nothing moves, but the file is still written
    EXPECT_EQ(p.take().back(), "save /data/HotKeys.hkv");
    commands.select(2);
    commands.deleteSelected();
    EXPECT_EQ(commands.selectedRow(), 1);
    p.prompter.answer = false;
    commands.deleteAll();
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(p.take().back(), "save /data/HotKeys.hkv");
    p.prompter.answer = true;
    commands.deleteAll();
    EXPECT_TRUE(table.empty());
    commands.updateMenuState();
    EXPECT_FALSE(commands.menuState().deleteSelected);
    EXPECT_FALSE(commands.menuState().deleteAll);
    EXPECT_FALSE(commands.menuState().saveAs);
}

TEST_F(Commands, LoadReplacesRowsButAnUnreadableFileKeepsThem) {
    addRows({{0x4074, ActionKind::Copy}});
    store.loadResult = {false, "x.hkv: Permission denied", 0};
    commands.load("x.hkv");
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table.at(0).HotKeyId, 30000);
    Log log = p.take();
    EXPECT_EQ(log.back(), "error: x.hkv: Permission denied");
    EXPECT_EQ(std::count(log.begin(), log.end(), "save /data/HotKeys.hkv"), 0);
    HotKeyEntry loaded;
    loaded.HotKeyText = "Strg+A";
    store.loadResult = {true, "", 3};
    store.rowsToLoad = {loaded, loaded};
    commands.load("y.hkv");
    EXPECT_EQ(table.size(), 2u);
    log = p.take();
    EXPECT_NE(std::find(log.begin(), log.end(), "error: MessageTableTruncated"), log.end());
    EXPECT_EQ(log.back(), "save /data/HotKeys.hkv");
}

TEST_F(Commands, EditOpensOnlyRowsWithProperties) {
    addRows({{0x4074, ActionKind::Copy}, {0x4075, ActionKind::Website}});
    commands.select(0);
    EXPECT_FALSE(commands.edit());
    commands.select(1);
    const auto request = commands.edit();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->kind, ActionKind::Website);
    EXPECT_EQ(table.CurrentRow, 1);
}

}  // namespace
}  // namespace vorbix

namespace vorbix {
namespace {

// Loading: a file that is no table changes nothing and asks nothing; a table replaces the rows
// only after a Yes (asked when there are rows to lose) and after the per-user file was kept.
TEST_F(Commands, LoadRefusesWhatIsNoTableAndAsksBeforeReplacing) {
    HotKeyEntry loaded;
    loaded.HotKeyText = "Strg+A";
    store.rowsToLoad = {loaded};
    const struct {
        const char* name;
        TableStore::Result examined;
        bool rowsBefore;
        bool answer;
        TableStore::Result backup;
        Log expected;
        bool replaced;
    } cases[] = {
        {"no table",
         {false, "", 0, "MessageFileBinary"},
         true,
         true,
         {},
         {"examine /x/f.hkv", "error: MessageNotHotKeyFile\r\n\r\nMessageFileBinary"},
         false},
        {"unreadable",
         {false, "/x/f.hkv: Permission denied", 0},
         true,
         true,
         {},
         {"examine /x/f.hkv", "error: /x/f.hkv: Permission denied"},
         false},
        {"answered No",
         {},
         true,
         false,
         {},
         {"examine /x/f.hkv", "ask: MessageLoadReplace"},
         false},
        {"the backup fails",
         {},
         true,
         true,
         {false, "/data/HotKeys.hkv.bak: No space left on device", 0},
         {"examine /x/f.hkv", "ask: MessageLoadReplace", "backup /data/HotKeys.hkv",
          "error: MessageSaveFailed\r\n\r\n/data/HotKeys.hkv.bak: No space left on device"},
         false},
        {"answered Yes",
         {},
         true,
         true,
         {},
         {"examine /x/f.hkv", "ask: MessageLoadReplace", "backup /data/HotKeys.hkv",
          "unregister 30000", "load /x/f.hkv", "register 30000 2+65", "save /data/HotKeys.hkv"},
         true},
        {"nothing to lose: not asked",
         {},
         false,
         false,
         {},
         {"examine /x/f.hkv", "backup /data/HotKeys.hkv", "load /x/f.hkv", "register 30000 2+65",
          "save /data/HotKeys.hkv"},
         true},
    };
    for (const auto& c : cases) {
        table.clear();
        if (c.rowsBefore) addRows({{0x4074, ActionKind::Copy}});
        p.take();
        store.examineResult = c.examined;
        store.backupResult = c.backup;
        p.prompter.answer = c.answer;
        bool done = false;
        commands.load("/x/f.hkv", [&done] { done = true; });
        EXPECT_EQ(p.take(), c.expected) << c.name;
        EXPECT_EQ(done, c.replaced) << c.name;
        ASSERT_EQ(table.size(), 1u) << c.name;
        EXPECT_EQ(table.at(0).HotKeyText, c.replaced ? "Strg+A" : "Strg+F5") << c.name;
    }
}

// An answer that comes later finds the table as it is then.
TEST_F(Commands, LateAnswersCheckAgain) {
    p.prompter.holdAnswers = true;
    int added = 0;
    EXPECT_FALSE(commands.add(0x1045, ActionKind::Copy, [&added] { ++added; }));  // Win+E
    EXPECT_TRUE(table.empty());
    ASSERT_TRUE(p.prompter.answerHeld(true));
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(added, 1);

    // Asked again; meanwhile another row took the combination.
    commands.add(0x1044, ActionKind::Copy, [&added] { ++added; });  // Win+D
    HotKeyEntry same;
    same.HotKeyText = "Win+D";
    ASSERT_TRUE(table.append(same));
    p.take();
    ASSERT_TRUE(p.prompter.answerHeld(true));
    EXPECT_EQ(p.take(), (Log{"info: MessageHotKeyError1"}));
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(added, 1);

    // Deleting all waits for the answer, then tells its caller.
    bool done = false;
    commands.deleteAll([&done] { done = true; });
    EXPECT_EQ(table.size(), 2u);
    EXPECT_FALSE(done);
    ASSERT_TRUE(p.prompter.answerHeld(true));
    EXPECT_TRUE(table.empty());
    EXPECT_TRUE(done);
    EXPECT_FALSE(p.prompter.answerHeld(true));
}

}  // namespace
}  // namespace vorbix
