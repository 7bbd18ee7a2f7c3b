// The order and timing of the strokes sent through the RemoteDesktop portal, against a recorder
// in place of the portal session: what the desktop receives, and when.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <string>
#include <vector>

#include "core/KeyCombStroke.h"
#include "core/KeyNotation.h"
#include "platform/portal/PortalKeyboardOutput.h"

namespace vorbix::portal {
namespace {

QCoreApplication* application() {
    static int argc = 1;
    static char name[] = "platform_portal_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    return QCoreApplication::instance();
}

// Runs the event loop until the condition holds or the time is up.
template <typename Condition>
bool waitFor(Condition condition, int ms = 2000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Records the key events; the session opens when the test says so, and every event is taken
// by the "desktop" at once or when the test lets it.
struct Recorder : KeySink {
    std::vector<std::string>* events;
    std::function<void(bool)> ready;
    std::vector<std::function<void()>> unanswered;
    bool answerAtOnce = true;
    explicit Recorder(std::vector<std::string>* e) : events(e) {}
    void open(std::function<void(bool)> r) override { ready = std::move(r); }
    void send(uint32_t keysym, bool pressed, std::function<void()> sent) override {
        events->push_back((pressed ? "+" : "-") + std::to_string(keysym));
        if (answerAtOnce) {
            sent();
        } else {
            unanswered.push_back(std::move(sent));
        }
    }
};

std::string down(uint32_t keysym) {
    return "+" + std::to_string(keysym);
}
std::string up(uint32_t keysym) {
    return "-" + std::to_string(keysym);
}

class PortalKeyboardOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        application();
        auto sink = std::make_unique<Recorder>(&events);
        recorder = sink.get();
        keys = std::make_unique<PortalKeyboardOutput>(std::move(sink));
    }
    std::vector<std::string> events;
    Recorder* recorder = nullptr;
    std::unique_ptr<PortalKeyboardOutput> keys;
};

TEST_F(PortalKeyboardOutputTest, CombinationsArriveAsTypedWithLowerCaseLetterKeys) {
    recorder->ready(true);
    struct Case {
        uint16_t shortCut;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {kShortCutCtrl | 'V',
         {down(XKB_KEY_Control_L), down(XKB_KEY_v), up(XKB_KEY_v), up(XKB_KEY_Control_L)}},
        {kShortCutCtrl | 'C',
         {down(XKB_KEY_Control_L), down(XKB_KEY_c), up(XKB_KEY_c), up(XKB_KEY_Control_L)}},
        {kShortCutAlt | 0x73,
         {down(XKB_KEY_Alt_L), down(XKB_KEY_F4), up(XKB_KEY_F4), up(XKB_KEY_Alt_L)}},
        {kShortCutShift | kShortCutCtrl | 0x0D,
         {down(XKB_KEY_Control_L), down(XKB_KEY_Shift_L), down(XKB_KEY_Return), up(XKB_KEY_Return),
          up(XKB_KEY_Shift_L), up(XKB_KEY_Control_L)}},
        {kShortCutWin | 'E',
         {down(XKB_KEY_Super_L), down(XKB_KEY_e), up(XKB_KEY_e), up(XKB_KEY_Super_L)}},
    };
    for (const Case& c : cases) {
        events.clear();
        EXPECT_TRUE(strokeShortCut(c.shortCut, *keys));
        EXPECT_EQ(events, c.expected) << c.shortCut;
    }
}

TEST_F(PortalKeyboardOutputTest, StrokesBeforeTheSessionWaitForItAndKeepTheirOrder) {
    keys->keyDown('A');
    keys->keyUp('A');
    keys->strokeKeysym(XKB_KEY_EuroSign);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(keys->strokesInFlight());
    recorder->ready(true);
    EXPECT_EQ(events, (std::vector<std::string>{down(XKB_KEY_a), up(XKB_KEY_a),
                                                down(XKB_KEY_EuroSign), up(XKB_KEY_EuroSign)}));
}

TEST_F(PortalKeyboardOutputTest, ASessionThatFailsDropsTheStrokesAndSaysItIsDone) {
    bool drained = false;
    QObject::connect(keys.get(), &PortalKeyboardOutput::drained, [&] { drained = true; });
    keys->keyDown('A');
    recorder->ready(false);
    keys->keyUp('A');
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(keys->failed());
    EXPECT_TRUE(drained);
    EXPECT_FALSE(keys->strokesInFlight());
}

TEST_F(PortalKeyboardOutputTest, StrokesAfterAReleaseWaitWhileTheHotKeyIsHeld) {
    recorder->ready(true);
    struct Case {
        const char* name;
        bool held;
        bool releasedByDesktop;  // Deactivated comes; otherwise the bound ends the wait
        int boundMs;
    };
    const Case cases[] = {
        {"not held: at once", false, false, 5000},
        {"held, then let go", true, true, 5000},
        {"held past the bound", true, false, 100},
    };
    for (const Case& c : cases) {
        events.clear();
        bool held = c.held;
        keys->setHeldQuery([&held] { return held; });
        keys->setReleaseBoundMs(c.boundMs);
        QElapsedTimer clock;
        clock.start();
        strokeShortCut(kShortCutCtrl | 'V', *keys);
        if (!c.held) {
            EXPECT_EQ(events.size(), 4u) << c.name;
            continue;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 30);
        EXPECT_TRUE(events.empty()) << c.name;
        if (c.releasedByDesktop) {
            held = false;
            keys->combinationReleased();
            // The modifiers held with the key are given a moment to follow it up.
            EXPECT_TRUE(events.empty()) << c.name;
            EXPECT_TRUE(waitFor([&] { return events.size() == 4u; })) << c.name;
            // Qt's coarse timers may fire up to 5 % early, and a millisecond is lost in rounding.
            EXPECT_GE(clock.elapsed(), PortalKeyboardOutput::kModifierGraceMs * 9 / 10) << c.name;
        } else {
            EXPECT_TRUE(waitFor([&] { return events.size() == 4u; })) << c.name;
            EXPECT_GE(clock.elapsed(), c.boundMs * 9 / 10) << c.name;
            held = false;
        }
    }
}

TEST_F(PortalKeyboardOutputTest, OwnStrokesCountAsInFlightUntilTheDesktopTookThemAndAQuietTime) {
    recorder->ready(true);
    recorder->answerAtOnce = false;
    EXPECT_FALSE(keys->strokesInFlight());
    keys->keyDown(0x74);
    keys->keyUp(0x74);
    // One event at a time: the portal may hand calls that overlap to the desktop in another
    // order, so the next goes out only once the last was answered.
    EXPECT_EQ(events, (std::vector<std::string>{down(XKB_KEY_F5)}));
    EXPECT_TRUE(keys->strokesInFlight());
    for (size_t answered = 0; answered < 2; ++answered) {
        ASSERT_EQ(recorder->unanswered.size(), answered + 1);
        recorder->unanswered[answered]();
    }
    EXPECT_EQ(events, (std::vector<std::string>{down(XKB_KEY_F5), up(XKB_KEY_F5)}));
    EXPECT_TRUE(keys->strokesInFlight());
    EXPECT_TRUE(waitFor([&] { return !keys->strokesInFlight(); }));
}

TEST_F(PortalKeyboardOutputTest, KeysWithoutASymbolSendNothing) {
    recorder->ready(true);
    keys->keyDown(0);
    keys->keyUp(0xFF);
    keys->strokeKeysym(0);
    EXPECT_TRUE(events.empty());
}

TEST_F(PortalKeyboardOutputTest, KeysStillDownAreLetGoWhenTheOutputEnds) {
    recorder->ready(true);
    keys->keyDown(0x11);
    keys->keyDown('A');
    keys->keyUp('A');
    events.clear();
    keys.reset();
    EXPECT_EQ(events, (std::vector<std::string>{up(XKB_KEY_Control_L)}));
}

}  // namespace
}  // namespace vorbix::portal
