// A back end that answers later (a desktop portal): rows wait, then take the answers as they
// come; answers for rows that moved or went away meanwhile are dropped; the desktop may bind a
// row to another trigger or take it away afterwards. Against the fake back end.
#include <gtest/gtest.h>

#include "tests/core/RegistryFixture.h"

namespace vorbix {
namespace {

using R = RowRegistration;

constexpr uint16_t kCtrl = 0x4000;
constexpr uint16_t kCtrlF5 = kCtrl | 0x74, kCtrlF6 = kCtrl | 0x75, kCtrlF7 = kCtrl | 0x76;
constexpr uint8_t kAllLocks = kLocksOff | kCapsLockOn | kNumLockOn | kCapsAndNumLockOn;

struct LateAnswers : testing::RegistryFixture {
    int told = 0;

    LateAnswers() {
        p.hotKeys.answerLater = true;
        registry.setChangeHandler([this] { ++told; });
    }
};

TEST_F(LateAnswers, RowsWaitThenShowTheAnswersAsTheyCome) {
    takenElsewhere(kCtrlF6);
    addRows({kCtrlF5, kCtrlF6, kCtrlF7});
    // Nothing is refused yet, so adding says nothing and the status counts nothing.
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(states(), (std::vector<R>{R::Pending, R::Pending, R::Pending}));
    EXPECT_TRUE(registry.refusedRows().empty());

    told = 0;
    p.hotKeys.answerNow();
    EXPECT_EQ(told, 3);  // one change per answer
    EXPECT_EQ(states(), (std::vector<R>{R::Accepted, R::Refused, R::Accepted}));
    EXPECT_EQ(registry.refusedRows(), std::vector<size_t>{1});
    EXPECT_EQ(registry.rowResult(1), HotKeyResult::refused(HotKeyRefusal::HeldByOther, kAllLocks));
    EXPECT_EQ(refusalTextKey(registry.rowResult(1)), "HintHotKeyTaken");
}

// Answers to a registration that the rows' change replaced arrive before the new ones; an
// answer for an identifier no row holds any more is dropped, and the newest answer counts.
TEST_F(LateAnswers, AnswersForRowsThatChangedMeanwhileEndInTheNewestState) {
    struct Case {
        const char* name;
        std::function<void(LateAnswers&)> change;
        std::vector<R> expected;
    };
    const std::vector<Case> cases = {
        {"row deleted",
         [](LateAnswers& t) {
             t.commands.select(0);
             t.commands.deleteSelected();
         },
         {R::Refused, R::Accepted}},
        {"row moved down",
         [](LateAnswers& t) {
             t.commands.select(1);
             t.commands.moveDown();
         },
         {R::Accepted, R::Accepted, R::Refused}},
        {"switched off",
         [](LateAnswers& t) { t.registry.switchActive(false); },
         {R::Off, R::Off, R::Off}},
        {"all deleted",
         [](LateAnswers& t) {
             t.p.prompter.answer = true;
             t.commands.deleteAll();
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        registry.switchActive(true);
        table.clear();
        registry.UnregisterAllHotKeys();
        p.hotKeys.registered.clear();
        p.hotKeys.refused.clear();
        p.hotKeys.waiting.clear();
        takenElsewhere(kCtrlF6);
        addRows({kCtrlF5, kCtrlF6, kCtrlF7});
        c.change(*this);
        for (size_t i = 0; i < table.size() && registry.active(); ++i)
            EXPECT_EQ(registry.rowRegistration(i), R::Pending) << "row " << i;
        p.hotKeys.answerNow();
        EXPECT_EQ(states(), c.expected);
        EXPECT_EQ(registry.refusedRows().size(),
                  size_t(std::count(c.expected.begin(), c.expected.end(), R::Refused)));
    }
}

TEST_F(LateAnswers, TheDesktopMayBindAnotherTriggerOrTakeTheRowAwayLater) {
    addRows({kCtrlF5, kCtrlF6});
    p.hotKeys.answerNow();
    ASSERT_EQ(states(), (std::vector<R>{R::Accepted, R::Accepted}));

    struct Change {
        const char* name;
        int32_t id;
        HotKeyResult result;
        std::vector<R> expected;
        size_t refusedCount;
    };
    const std::vector<Change> changes = {
        // The user gives row 1 another trigger in the desktop's settings: it fires, so it is
        // not counted among the refused rows, but the list says which keys fire it now.
        {"rebound",
         30001,
         HotKeyResult::boundTo("Meta+Shift+Z"),
         {R::Accepted, R::OtherTrigger},
         0},
        {"taken away",
         30000,
         HotKeyResult::refused(HotKeyRefusal::HeldByOther, kAllLocks),
         {R::Refused, R::OtherTrigger},
         1},
        {"given back as asked", 30001, HotKeyResult::accepted(), {R::Refused, R::Accepted}, 1},
        {"unknown identifier",
         30007,
         HotKeyResult::refused(HotKeyRefusal::HeldByOther),
         {R::Refused, R::Accepted},
         1},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.name);
        p.hotKeys.reportChange(c.id, c.result);
        EXPECT_EQ(states(), c.expected);
        EXPECT_EQ(registry.refusedRows().size(), c.refusedCount);
    }
    EXPECT_EQ(registry.rowResult(1), HotKeyResult::accepted());
    p.hotKeys.reportChange(30001, HotKeyResult::boundTo("Meta+Shift+Z"));
    EXPECT_EQ(registry.rowResult(1).otherTrigger, "Meta+Shift+Z");
    EXPECT_EQ(describeHotKeyResult(registry.rowResult(1)), "registered as Meta+Shift+Z");
}

TEST_F(LateAnswers, SpecialCombinationsAreKeptUntilTheAnswerComes) {
    takenElsewhere(kCtrlF7);
    // Asked: not refused at once, so the settings take them.
    EXPECT_TRUE(registry.RegisterHK(SymbolHotKeyId, ShortCutToHotKey(kCtrlF6)));
    EXPECT_TRUE(registry.RegisterHK(DeActivateHotKeyId, ShortCutToHotKey(kCtrlF7)));
    EXPECT_TRUE(registry.specialResult(DeActivateHotKeyId).pending);
    told = 0;
    p.hotKeys.answerNow();
    EXPECT_EQ(told, 2);
    EXPECT_EQ(registry.specialResult(SymbolHotKeyId), HotKeyResult::accepted());
    EXPECT_EQ(registry.specialResult(DeActivateHotKeyId).refusal, HotKeyRefusal::HeldByOther);
    // Special answers are no row's answers.
    EXPECT_TRUE(registry.refusedRows().empty());
    registry.UnRegisterHK(DeActivateHotKeyId);
    EXPECT_EQ(registry.specialResult(DeActivateHotKeyId), HotKeyResult::accepted());
}

TEST_F(LateAnswers, AnAnswerAfterTheRegistryIsGoneReachesNobody) {
    auto other = std::make_unique<HotKeyRegistry>(table, p.hotKeys, names);
    addRows({kCtrlF5});
    other.reset();
    p.hotKeys.answerNow();  // must not reach the destroyed registry
    EXPECT_TRUE(p.hotKeys.waiting.empty());
}

}  // namespace
}  // namespace vorbix
