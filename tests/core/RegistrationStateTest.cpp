// What the registry keeps of the system's answer for every row: accepted, refused with its
// reason, or off; and how the table commands and the close action use it. Against the doubles.
#include <gtest/gtest.h>

#include "core/Dispatcher.h"
#include "tests/core/RegistryFixture.h"

namespace vorbix {

void PrintTo(const HotKeyResult& result, std::ostream* out) {
    *out << describeHotKeyResult(result);
}

namespace {

using fake::Log;
using R = RowRegistration;

constexpr uint16_t kCtrl = 0x4000, kShift = 0x2000;
constexpr uint16_t kCtrlF5 = kCtrl | 0x74, kCtrlF6 = kCtrl | 0x75, kCtrlF7 = kCtrl | 0x76;
constexpr uint8_t kAllLocks = kLocksOff | kCapsLockOn | kNumLockOn | kCapsAndNumLockOn;

class NoShell : public ShellHooks {
public:
    void activationSwitch() override {}
    void toggleMainWindow() override {}
    WindowId hideMainWindowForCloseAll() override { return 0; }
    void runEditorEffect(ActionKind, const HotKeyEntry&) override {}
    void actionFailed(const std::string&) override {}
};

struct RowStates : testing::RegistryFixture {
    // Adds the rows and forgets what adding told.
    void addRows(std::initializer_list<uint16_t> shortCuts) {
        RegistryFixture::addRows(shortCuts);
        p.take();
    }
};

TEST_F(RowStates, AddingOntoATakenCombinationKeepsTheRowAndSaysSoAtOnce) {
    takenElsewhere(kCtrlF6);
    ASSERT_TRUE(commands.add(kCtrlF5, ActionKind::Copy));
    EXPECT_TRUE(messages().empty());
    ASSERT_TRUE(commands.add(kCtrlF6, ActionKind::Copy));
    EXPECT_EQ(messages(),
              std::vector<std::string>{"info: HintHotKeyTaken\r\n\r\nMessageHotKeyAddedAnyway"});
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.at(1).HotKeyId, 30001);  // the row keeps its identifier
    EXPECT_EQ(states(), (std::vector<R>{R::Accepted, R::Refused}));
    EXPECT_EQ(registry.rowResult(1), HotKeyResult::refused(HotKeyRefusal::HeldByOther, kAllLocks));
    EXPECT_EQ(registry.rowResult(0), HotKeyResult::accepted());
    EXPECT_EQ(registry.refusedRows(), std::vector<size_t>{1});

    // Added while switched off: nothing is asked, nothing is said, the row is off.
    registry.switchActive(false);
    takenElsewhere(kCtrlF7);
    ASSERT_TRUE(commands.add(kCtrlF7, ActionKind::Copy));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(states(), (std::vector<R>{R::Off, R::Off, R::Off}));
    EXPECT_TRUE(registry.refusedRows().empty());
}

TEST_F(RowStates, SwitchingOnChecksEveryRowAgain) {
    takenElsewhere(kCtrlF6);
    addRows({kCtrlF5, kCtrlF6, kCtrlF7});
    EXPECT_EQ(states(), (std::vector<R>{R::Accepted, R::Refused, R::Accepted}));

    // Whoever shows the answers hears of each change.
    int told = 0;
    registry.setChangeHandler([&] { ++told; });
    registry.switchActive(false);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(states(), (std::vector<R>{R::Off, R::Off, R::Off}));
    // Meanwhile the other program lets go of Ctrl+F6 and takes Ctrl+F7.
    releasedElsewhere(kCtrlF6);
    takenElsewhere(kCtrlF7);
    registry.switchActive(true);
    EXPECT_EQ(told, 2);
    EXPECT_EQ(states(), (std::vector<R>{R::Accepted, R::Accepted, R::Refused}));
    EXPECT_EQ(registry.refusedRows(), std::vector<size_t>{2});
    EXPECT_EQ(p.hotKeys.registered.size(), 2u);
}

// A combination another program let go works again when the refused rows are tried anew: only
// those rows are asked for, in one batch, and the answers change only where the system's did.
TEST_F(RowStates, RefusedRowsAreTriedAgain) {
    takenElsewhere(kCtrlF6);
    takenElsewhere(kCtrlF7);
    addRows({kCtrlF5, kCtrlF6, kCtrlF7});
    HotKeyEntry twice;  // the first row's combination again, as a loaded file may hold it
    twice.HotKeyText = "Strg+F5";
    ASSERT_TRUE(table.append(twice));
    registry.UnregisterAllHotKeys();
    registry.RegisterAllHotKeys();
    p.take();
    EXPECT_EQ(states(), (std::vector<R>{R::Accepted, R::Refused, R::Refused, R::Refused}));
    int told = 0;
    registry.setChangeHandler([&] { ++told; });

    // Nothing let go: the rows are asked for again, the answers stay, nobody is told.
    EXPECT_FALSE(registry.retryRefusedRows());
    EXPECT_EQ(p.take(),
              (fake::Log{"register 30001 2+117", "register 30002 2+118", "register 30003 2+116"}));
    EXPECT_EQ(told, 0);

    releasedElsewhere(kCtrlF6);
    EXPECT_TRUE(registry.retryRefusedRows());
    EXPECT_EQ(told, 1);
    // The duplicate of the first row stays refused for that reason.
    EXPECT_EQ(states(), (std::vector<R>{R::Accepted, R::Accepted, R::Refused, R::Refused}));
    EXPECT_EQ(registry.rowResult(3).refusal, HotKeyRefusal::Duplicate);
    EXPECT_EQ(p.hotKeys.registered.at(30001), ShortCutToHotKey(kCtrlF6));
    EXPECT_EQ(table.at(1).HotKeyId, 30001);
    p.take();

    // Without refused rows nothing is asked at all; switched off, nothing either.
    table.remove(3);
    registry.UnregisterAllHotKeys();
    registry.RegisterAllHotKeys();
    releasedElsewhere(kCtrlF7);
    EXPECT_TRUE(registry.retryRefusedRows());
    EXPECT_EQ(states(), (std::vector<R>{R::Accepted, R::Accepted, R::Accepted}));
    p.take();
    EXPECT_FALSE(registry.retryRefusedRows());
    EXPECT_TRUE(p.take().empty());
    takenElsewhere(kCtrlF5);
    registry.switchActive(false);
    p.take();
    EXPECT_FALSE(registry.retryRefusedRows());
    EXPECT_TRUE(p.take().empty());
}

// Every command that changes rows re-registers them: the answers follow the rows, and a
// deleted row's answer goes with it.
TEST_F(RowStates, AnswersFollowTheRowsThroughDeleteMoveAndLoad) {
    struct Case {
        const char* name;
        std::function<void(RowStates&)> change;
        std::vector<R> expected;
    };
    const std::vector<Case> cases = {
        {"delete the refused row",
         [](RowStates& t) {
             t.commands.select(1);
             t.commands.deleteSelected();
         },
         {R::Accepted, R::Accepted}},
        {"delete the row above it",
         [](RowStates& t) {
             t.commands.select(0);
             t.commands.deleteSelected();
         },
         {R::Refused, R::Accepted}},
        {"move it up",
         [](RowStates& t) {
             t.commands.select(1);
             t.commands.moveUp();
         },
         {R::Refused, R::Accepted, R::Accepted}},
        {"move it down",
         [](RowStates& t) {
             t.commands.select(1);
             t.commands.moveDown();
         },
         {R::Accepted, R::Accepted, R::Refused}},
        {"delete all",
         [](RowStates& t) {
             t.p.prompter.answer = true;
             t.commands.deleteAll();
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table.clear();
        registry.UnregisterAllHotKeys();
        p.hotKeys.refused.clear();
        takenElsewhere(kCtrlF6);
        addRows({kCtrlF5, kCtrlF6, kCtrlF7});
        c.change(*this);
        EXPECT_EQ(states(), c.expected);
        EXPECT_EQ(registry.refusedRows().size(),
                  size_t(std::count(c.expected.begin(), c.expected.end(), R::Refused)));
    }
}

TEST_F(RowStates, LoadedRowsCarryTheReasonTheyAreRefused) {
    takenElsewhere(kShift | kCtrlF5);
    auto row = [](const char* key) {
        HotKeyEntry r;
        r.HotKeyText = key;
        r.ActionText = "Kopieren";
        return r;
    };
    store.rowsToLoad = {row("Strg+F5"), row("Strg+F5"), row("Strg+Umsch+F5"), row("Quatsch+"),
                        row("Strg+F8")};
    commands.load("other.hkv");
    EXPECT_EQ(states(),
              (std::vector<R>{R::Accepted, R::Refused, R::Refused, R::Refused, R::Accepted}));
    EXPECT_EQ(registry.rowResult(1).refusal, HotKeyRefusal::Duplicate);
    EXPECT_EQ(registry.rowResult(2).refusal, HotKeyRefusal::HeldByOther);
    EXPECT_EQ(registry.rowResult(3).refusal, HotKeyRefusal::NoKey);
    // The list's text for each: only a combination another program holds is called taken.
    EXPECT_EQ(refusalTextKey(registry.rowResult(1)), "HintHotKeyRefused");
    EXPECT_EQ(refusalTextKey(registry.rowResult(2)), "HintHotKeyTaken");
    EXPECT_EQ(refusalTextKey(registry.rowResult(3)), "HintHotKeyRefused");
    // Loading tells nothing at once: the list shows the marks.
    EXPECT_TRUE(messages().empty());
}

TEST_F(RowStates, RowsOutsideTheTableAreOff) {
    addRows({kCtrlF5});
    EXPECT_EQ(registry.rowRegistration(1), R::Off);
    EXPECT_EQ(registry.rowRegistration(size_t(-1)), R::Off);
    EXPECT_EQ(registry.rowResult(7), HotKeyResult::accepted());
    // Rows taken out of the table behind the registry's back are not reported.
    table.clear();
    EXPECT_TRUE(registry.refusedRows().empty());
}

TEST(RefusalText, NamesTheLockStatesThatFailed) {
    EXPECT_EQ(describeHotKeyResult(HotKeyResult::refused(HotKeyRefusal::HeldByOther,
                                                         kNumLockOn | kCapsAndNumLockOn)),
              "held by another program (refused with NumLock, CapsLock and NumLock)");
    EXPECT_EQ(describeHotKeyResult(HotKeyResult::refused(HotKeyRefusal::HeldByOther, kAllLocks)),
              "held by another program");
    EXPECT_EQ(describeHotKeyResult(HotKeyResult::refused(HotKeyRefusal::NoKey)),
              "no such key on the keyboard");
}

// Closing the active program asks the window manager, and presses Alt+F4 only without one.
using CloseProgram = RowStates;
TEST_F(CloseProgram, AsksTheWindowManagerAndFallsBackToAltF4) {
    NoShell shell;
    Dispatcher dispatcher{table, texts, registry, names, p.desktop(), shell, nullptr};
    HotKeyEntry row;
    row.ActionText = texts.caption(ActionKind::CloseProgram);

    dispatcher.runAction(row);
    EXPECT_EQ(p.take(), Log{"close active"});
    p.windows.windowManager = false;
    dispatcher.runAction(row);
    EXPECT_EQ(p.take(), (Log{"release", "down 18", "down 115", "up 18", "up 115"}));
}

}  // namespace
}  // namespace vorbix
