// The X11 key layer on a real X server: run through tests/support/run-in-desktop.sh, which
// provides Xvfb and openbox. Keys are pressed with xdotool; a separate recorder window
// (vorbix_key_recorder) is the focused client that must or must not see them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core/KeyCombStroke.h"
#include "core/KeyNotation.h"
#include "platform/x11/X11HotKeyBackend.h"
#include "platform/x11/X11KeyNames.h"
#include "platform/x11/X11KeyboardOutput.h"
#include "platform/x11/X11Keymap.h"
#include "platform/x11/XcbXkb.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace vorbix {
void PrintTo(const HotKeyResult& result, std::ostream* out) {
    *out << describeHotKeyResult(result);
}
}  // namespace vorbix

namespace vorbix::x11 {
namespace {

// Processes events until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void xdotool(const QStringList& args) {
    ASSERT_EQ(QProcess::execute("xdotool", args), 0) << args.join(' ').toStdString();
}

void setLayout(const QStringList& args) {
    ASSERT_EQ(QProcess::execute("setxkbmap", args), 0) << args.join(' ').toStdString();
}

// A connection of its own: a second X client for probing state and holding grabs.
struct Client {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    ~Client() { xcb_disconnect(c); }

    uint16_t modifierState() {
        xcb_query_pointer_reply_t* r =
            xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr);
        const uint16_t mask = r ? r->mask & 0xFF : 0xFFFF;
        std::free(r);
        return mask;
    }
    // Grabs the key with `modifiers` in every lock state, as a program that holds it would.
    bool holdInEveryLockState(uint16_t modifiers, uint8_t keycode, uint16_t numLock) {
        for (int lock :
             {0, int(XCB_MOD_MASK_LOCK), int(numLock), int(XCB_MOD_MASK_LOCK | numLock)}) {
            xcb_generic_error_t* error = xcb_request_check(
                c, xcb_grab_key_checked(c, 0, root, static_cast<uint16_t>(modifiers | lock),
                                        keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            const bool refused = error != nullptr;
            std::free(error);
            if (refused) return false;
        }
        return true;
    }
    // Waits for a key press reported to this client.
    bool receivedKeyPress(int timeoutMs) {
        return waitUntil(
            [&] {
                bool press = false;
                while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
                    press = press || (e->response_type & 0x7F) == XCB_KEY_PRESS;
                    std::free(e);
                }
                return press;
            },
            timeoutMs);
    }
};

// The focused client, in a process of its own.
class Recorder {
public:
    Recorder() {
        const char* path = std::getenv("VORBIX_KEY_RECORDER");
        process_.start(path ? path : "vorbix_key_recorder", {});
        process_.waitForStarted(5000);
        focused_ = waitUntil([&] { return seen("focus") > 0; }, 10000);
    }
    ~Recorder() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    bool focused() const { return focused_; }

    int seen(const std::string& line) {
        read();
        return static_cast<int>(std::count(lines_.begin(), lines_.end(), line));
    }
    // Presses the marker key and waits until it arrives: every key sent before it has then
    // arrived too.
    bool sync() {
        const int before = pressesOf(XK_x) + pressesOf(XK_X);
        xdotool({"key", "x"});
        return waitUntil([&] { return pressesOf(XK_x) + pressesOf(XK_X) > before; });
    }
    int pressesOf(uint32_t keysym) {
        read();
        const std::string prefix = "press " + hex(keysym) + " ";
        return static_cast<int>(
            std::count_if(lines_.begin(), lines_.end(),
                          [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
    }
    // Whether a press of the keysym arrived (with any modifiers).
    bool pressed(uint32_t keysym) { return pressesOf(keysym) > 0; }
    // The modifier state of the first press of the keysym, -1 when none arrived.
    int stateOfPress(uint32_t keysym) {
        read();
        const std::string prefix = "press " + hex(keysym) + " ";
        for (const std::string& l : lines_)
            if (l.rfind(prefix, 0) == 0) return std::stoi(l.substr(prefix.size()), nullptr, 16);
        return -1;
    }
    std::string dump() {
        read();
        std::string all;
        for (auto& l : lines_) all += l + "; ";
        return all;
    }
    void clear() {
        read();
        lines_.clear();
    }

private:
    static std::string hex(uint32_t v) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%x", v);
        return buffer;
    }
    void read() {
        while (process_.canReadLine())
            lines_.push_back(process_.readLine().trimmed().toStdString());
    }
    QProcess process_;
    std::vector<std::string> lines_;
    bool focused_ = false;
};

class X11Keys : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(recorder.focused()) << "the recorder window did not get the focus";
        backend.setHandler([this](int32_t id) { fired.push_back(id); });
    }
    // Presses a combination and waits until it is either dispatched (true) or has passed by
    // to the recorder (false).
    void pressAndSettle(const QString& keys) {
        xdotool({"key", keys});
        ASSERT_TRUE(recorder.sync());
        QCoreApplication::processEvents();
    }

    Recorder recorder;
    Client probe;
    X11HotKeyBackend backend;
    std::vector<int32_t> fired;
};

TEST_F(X11Keys, RegisteredCombinationsFireOncePerPressWhateverTheLocks) {
    const BuiltinKeyNames english(BuiltinKeyNames::Group::English);
    const TWinHotKey numPad5 = hotKeyOfText("Ctrl+Alt+Num 5", english);
    ASSERT_NE(numPad5.Key, 0);
    ASSERT_TRUE(backend.registerHotKey(30000, {0x74, MOD_CONTROL}).ok());  // Ctrl+F5
    ASSERT_TRUE(backend.registerHotKey(30001, {0x45, MOD_WIN}).ok());      // Win+E
    ASSERT_TRUE(backend.registerHotKey(30002, numPad5).ok());
    ASSERT_TRUE(
        backend.registerHotKey(30003, {0xBA, MOD_CONTROL | MOD_SHIFT}).ok());  // Ctrl+Shift+;

    const std::vector<int32_t> all{30000, 30001, 30002, 30003};
    auto pressAll = [&] {
        fired.clear();
        for (const char* keys : {"ctrl+F5", "super+e", "ctrl+alt+KP_Begin", "ctrl+shift+semicolon"})
            xdotool({"key", keys});
        EXPECT_TRUE(waitUntil([&] { return fired.size() >= all.size(); }));
        ASSERT_TRUE(recorder.sync());
        QCoreApplication::processEvents();
        EXPECT_EQ(fired, all);
        for (uint32_t keysym : {XK_F5, XK_e, XK_KP_Begin, XK_KP_5, XK_semicolon, XK_colon})
            EXPECT_FALSE(recorder.pressed(keysym)) << std::hex << keysym;
    };
    pressAll();

    const uint16_t numLock = X11Keymap(probe.c).numLockMask();
    ASSERT_NE(numLock, 0);
    xdotool({"key", "Num_Lock"});
    ASSERT_TRUE(probe.modifierState() & numLock);
    pressAll();
    xdotool({"key", "Num_Lock"});

    xdotool({"key", "Caps_Lock"});
    ASSERT_TRUE(probe.modifierState() & XCB_MOD_MASK_LOCK);
    pressAll();
    xdotool({"key", "Caps_Lock"});
    EXPECT_EQ(probe.modifierState(), 0);

    // The same combination twice, a key the keyboard lacks and key 0 are refused, each with
    // its reason.
    EXPECT_EQ(backend.registerHotKey(30004, {0x74, MOD_CONTROL}).refusal, HotKeyRefusal::Duplicate);
    EXPECT_EQ(backend.registerHotKey(30004, {0x00, MOD_CONTROL}).refusal, HotKeyRefusal::NoKey);
    EXPECT_EQ(backend.registerHotKey(30004, {0x7F, MOD_CONTROL}).refusal,
              HotKeyRefusal::NoKey);  // F16, not on the keymap
}

TEST_F(X11Keys, HoldingACombinationFiresItOnce) {
    // The server repeats a held key: the recorder sees several presses of a held "y".
    xdotool({"keydown", "y", "sleep", "1", "keyup", "y"});
    ASSERT_TRUE(recorder.sync());
    EXPECT_GT(recorder.pressesOf(XK_y), 1);

    ASSERT_TRUE(backend.registerHotKey(30000, {0x74, MOD_CONTROL}).ok());
    xdotool({"keydown", "ctrl+F5", "sleep", "1", "keyup", "ctrl+F5"});
    ASSERT_TRUE(recorder.sync());
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, std::vector<int32_t>{30000});

    // The next press is a new one.
    xdotool({"key", "ctrl+F5"});
    EXPECT_TRUE(waitUntil([&] { return fired.size() == 2; }));
}

TEST_F(X11Keys, CombinationHeldByAnotherClientIsRefusedAndStaysThere) {
    Client other;
    X11Keymap keymap(other.c);
    const uint8_t f6 = keymap.keycodeOf(XK_F6);
    const uint8_t f7 = keymap.keycodeOf(XK_F7);

    // The other client holds Ctrl+F7 in every lock variant.
    ASSERT_TRUE(other.holdInEveryLockState(XCB_MOD_MASK_CONTROL, f7, keymap.numLockMask()));
    EXPECT_EQ(backend.registerHotKey(30000, {0x76, MOD_CONTROL}),
              HotKeyResult::refused(HotKeyRefusal::HeldByOther,
                                    kLocksOff | kCapsLockOn | kNumLockOn | kCapsAndNumLockOn));
    xdotool({"key", "ctrl+F7"});
    EXPECT_TRUE(other.receivedKeyPress(3000));

    // It holds Ctrl+F6 only with NumLock: the refused registration must not keep the variants
    // it got, so Ctrl+F6 without NumLock still reaches the focused window.
    ASSERT_EQ(xcb_request_check(
                  other.c, xcb_grab_key_checked(other.c, 0, other.root,
                                                XCB_MOD_MASK_CONTROL | keymap.numLockMask(), f6,
                                                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)),
              nullptr);
    // The result names the one variant that failed.
    EXPECT_EQ(backend.registerHotKey(30001, {0x75, MOD_CONTROL}),
              HotKeyResult::refused(HotKeyRefusal::HeldByOther, kNumLockOn));
    pressAndSettle("ctrl+F6");
    EXPECT_TRUE(recorder.pressed(XK_F6));
    EXPECT_TRUE(fired.empty());
}

TEST_F(X11Keys, ATableRegisteredAtOnceGetsWhatOneAfterTheOtherWouldGet) {
    Client other;
    X11Keymap keymap(other.c);
    const uint8_t f7 = keymap.keycodeOf(XK_F7);
    ASSERT_TRUE(other.holdInEveryLockState(XCB_MOD_MASK_CONTROL, f7, keymap.numLockMask()));
    ASSERT_TRUE(backend.registerHotKey(10000, {0x79, MOD_CONTROL}).ok());  // Ctrl+F10 before
    const HotKeyResult heldByOther = HotKeyResult::refused(
        HotKeyRefusal::HeldByOther, kLocksOff | kCapsLockOn | kNumLockOn | kCapsAndNumLockOn);
    const std::vector<HotKeyResult> results = backend.registerHotKeys({
        {30000, {0x76, MOD_CONTROL}},  // Ctrl+F7: held by the other client
        {30001, {0x77, MOD_CONTROL}},  // Ctrl+F8
        {30002, {0x77, MOD_CONTROL}},  // Ctrl+F8 again
        {30003, {0x76, MOD_CONTROL}},  // Ctrl+F7 again
        {30004, {0x79, MOD_CONTROL}},  // Ctrl+F10, registered before
        {30005, {0, MOD_CONTROL}},     // no key
        {30006, {0x78, MOD_CONTROL}},  // Ctrl+F9
    });
    EXPECT_EQ(results, (std::vector<HotKeyResult>{
                           heldByOther, HotKeyResult::accepted(),
                           HotKeyResult::refused(HotKeyRefusal::Duplicate), heldByOther,
                           HotKeyResult::refused(HotKeyRefusal::Duplicate),
                           HotKeyResult::refused(HotKeyRefusal::NoKey), HotKeyResult::accepted()}));
    pressAndSettle("ctrl+F8");
    pressAndSettle("ctrl+F9");
    EXPECT_EQ(fired, (std::vector<int32_t>{30001, 30006}));
    // The refused combination still reaches the client that holds it.
    xdotool({"key", "ctrl+F7"});
    EXPECT_TRUE(other.receivedKeyPress(3000));
}

TEST_F(X11Keys, UnregisteringLetsTheKeyReachTheFocusedWindow) {
    // Shift+Alt+F8 (Ctrl+Alt+F keys switch terminals inside the server).
    ASSERT_TRUE(backend.registerHotKey(30000, {0x77, MOD_SHIFT | MOD_ALT}).ok());
    pressAndSettle("shift+alt+F8");
    EXPECT_EQ(fired, std::vector<int32_t>{30000});
    EXPECT_FALSE(recorder.pressed(XK_F8));

    backend.unregisterHotKey(30000);
    backend.unregisterHotKey(30000);  // harmless
    pressAndSettle("shift+alt+F8");
    EXPECT_EQ(fired.size(), 1u);
    EXPECT_TRUE(recorder.pressed(XK_F8));

    // Free again: it can be registered once more, under another identifier.
    ASSERT_TRUE(backend.registerHotKey(10000, {0x77, MOD_SHIFT | MOD_ALT}).ok());
    pressAndSettle("shift+alt+F8");
    EXPECT_EQ(fired, (std::vector<int32_t>{30000, 10000}));
}

TEST_F(X11Keys, StrokesFromAHeldHotKeyReachTheFocusedWindowWithoutItsModifiers) {
    X11KeyboardOutput output;
    backend.setHandler([&](int32_t id) {
        fired.push_back(id);
        strokeShortCut(0x2041, output);  // Shift+A
        strokeShortCut(0x0083, output);  // F20, which the keymap lacks
        strokeShortCut(0x00A8, output);  // browser refresh, which it lacks too
    });
    ASSERT_TRUE(backend.registerHotKey(30000, {0x78, MOD_CONTROL | MOD_WIN}).ok());  // Ctrl+Win+F9

    // The hot key stays held while the action types.
    xdotool({"keydown", "ctrl+super+F9"});
    ASSERT_TRUE(waitUntil([&] { return recorder.pressed(XF86XK_Refresh); }));
    EXPECT_EQ(fired, std::vector<int32_t>{30000});
    EXPECT_EQ(recorder.stateOfPress(XK_A), XCB_MOD_MASK_SHIFT);
    EXPECT_EQ(recorder.stateOfPress(XK_F20), 0);
    EXPECT_EQ(recorder.stateOfPress(XF86XK_Refresh), 0);
    EXPECT_EQ(probe.modifierState(), 0);
    xdotool({"keyup", "F9"});

    // The borrowed keycodes lose their symbols again.
    EXPECT_TRUE(waitUntil([&] {
        X11Keymap keymap(probe.c);
        return keymap.keycodeOf(XK_F20) == 0 && keymap.keycodeOf(XF86XK_Refresh) == 0;
    }));

    // The release went to the recorder, yet the next press counts as a new one.
    pressAndSettle("ctrl+super+F9");
    EXPECT_EQ(fired.size(), 2u);
    EXPECT_EQ(probe.modifierState(), 0);
}

TEST_F(X11Keys, GermanLayoutFollowsTheActiveGroup) {
    ASSERT_TRUE(
        backend.registerHotKey(30001, {0x59, MOD_CONTROL}).ok());  // Ctrl+Y on the US layout
    setLayout({"de"});
    // The German layout puts Y where Z was; the registration moves along with the key once the
    // program has seen the new mapping.
    EXPECT_TRUE(waitUntil([&] {
        xdotool({"key", "ctrl+y"});
        return waitUntil([&] { return !fired.empty(); }, 100);
    }));
    ASSERT_TRUE(recorder.sync());
    recorder.clear();
    fired.clear();
    pressAndSettle("ctrl+y");
    EXPECT_EQ(fired, std::vector<int32_t>{30001});
    EXPECT_FALSE(recorder.pressed(XK_y)) << recorder.dump();
    fired.clear();
    {
        X11KeyNames names;
        EXPECT_TRUE(names.isGermanLayout());
        EXPECT_EQ(names.keyName(0x65),
                  BuiltinKeyNames::keyNameIn(BuiltinKeyNames::Group::German, 0x65));
        X11Keymap keymap(probe.c);
        EXPECT_EQ(keymap.keycodeOfVirtualKey(0xBA), keymap.keycodeOf(XK_udiaeresis));
        EXPECT_NE(keymap.keycodeOf(XK_udiaeresis), 0);
    }
    // A punctuation key of the German layout as a hot key.
    ASSERT_TRUE(backend.registerHotKey(30000, {0xBA, MOD_CONTROL}).ok());  // Ctrl+Ü
    pressAndSettle("ctrl+udiaeresis");
    EXPECT_EQ(fired, std::vector<int32_t>{30000});
    backend.unregisterHotKey(30000);

    // Two groups: the active one decides.
    setLayout({"-layout", "us,ch"});
    auto lockGroup = [&](uint8_t group) {
        xcb_void_cookie_t cookie = xcb_xkb_latch_lock_state_checked(
            probe.c, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, group, 0, 0, 0);
        ASSERT_EQ(xcb_request_check(probe.c, cookie), nullptr);
    };
    std::free(xcb_xkb_use_extension_reply(probe.c, xcb_xkb_use_extension(probe.c, 1, 0), nullptr));
    lockGroup(1);
    EXPECT_TRUE(X11KeyNames().isGermanLayout());
    lockGroup(0);
    EXPECT_FALSE(X11KeyNames().isGermanLayout());
    EXPECT_EQ(X11KeyNames().keyName(0x65), "Num 5");
    setLayout({"us"});
}

}  // namespace
}  // namespace vorbix::x11

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "SKIPPED: no X display; run through run-in-desktop.sh\n");
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
