#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <memory>

#include "components/HotkeyEx.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

class HotkeyExTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::offscreenApp();
        field = std::make_unique<THotkeyEx>();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyPress(field.get(), key, m);
    }
    void release(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyRelease(field.get(), key, m);
    }
    std::unique_ptr<THotkeyEx> field;
};

TEST_F(HotkeyExTest, WindowsKeyJoinsTheNextKeyAndAloneLeavesNothing) {
    // Win down, A down, A up, Win up.
    press(Qt::Key_Meta);
    EXPECT_EQ(field->displayText(), "Win+");
    press(Qt::Key_A, Qt::MetaModifier);
    release(Qt::Key_A, Qt::MetaModifier);
    release(Qt::Key_Meta);
    EXPECT_EQ(field->HotKey(), 0x1041);
    EXPECT_EQ(field->displayText(), "Win+A");

    // Win pressed and released alone empties the field.
    field->setHotKey(0);
    press(Qt::Key_Meta);
    release(Qt::Key_Meta);
    EXPECT_EQ(field->HotKey(), 0);
    EXPECT_EQ(field->displayText(), "");

    // Ctrl+B, then Win empties the field and shows "Win+"; C completes Win+C.
    press(Qt::Key_Control);
    press(Qt::Key_B, Qt::ControlModifier);
    release(Qt::Key_B, Qt::ControlModifier);
    release(Qt::Key_Control);
    EXPECT_EQ(field->HotKey(), 0x4042);
    press(Qt::Key_Meta);
    EXPECT_EQ(field->displayText(), "Win+");
    press(Qt::Key_C, Qt::MetaModifier);
    EXPECT_EQ(field->HotKey(), 0x1043);
    // Auto-repeat of the held Windows key changes nothing.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Meta, Qt::MetaModifier, QString(), true);
    QCoreApplication::sendEvent(field.get(), &repeat);
    EXPECT_EQ(field->HotKey(), 0x1043);
    release(Qt::Key_C, Qt::MetaModifier);
    release(Qt::Key_Meta);
    EXPECT_EQ(field->HotKey(), 0x1043);

    // Win held, Ctrl pressed and released, Win released: empty, no Windows key.
    field->setHotKey(0);
    press(Qt::Key_Meta);
    press(Qt::Key_Control, Qt::MetaModifier);
    EXPECT_EQ(field->displayText(), "Win+Strg+");
    release(Qt::Key_Control, Qt::MetaModifier);
    release(Qt::Key_Meta);
    EXPECT_EQ(field->HotKey(), 0);
    EXPECT_FALSE(field->FWinkey);
}

TEST_F(HotkeyExTest, StandardRulesAndWrittenValues) {
    // Shift alone stays with its key (the table decides whether the combination may be used).
    press(Qt::Key_Shift);
    press(Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(field->HotKey(), 0x2074);
    release(Qt::Key_F5, Qt::ShiftModifier);
    release(Qt::Key_Shift);
    EXPECT_EQ(field->displayText(), "Shift+F5");
    // A key without modifier takes the substitute modifiers (none).
    press(Qt::Key_F6);
    release(Qt::Key_F6);
    EXPECT_EQ(field->HotKey(), 0x75);

    press(Qt::Key_Control);
    press(Qt::Key_Alt, Qt::ControlModifier);
    EXPECT_EQ(field->HotKey(), 0) << "modifiers alone are no combination";
    EXPECT_EQ(field->displayText(), "Strg+Alt+");
    press(Qt::Key_F5, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(field->HotKey(), 0xC074);
    release(Qt::Key_F5, Qt::ControlModifier | Qt::AltModifier);
    release(Qt::Key_Alt, Qt::ControlModifier);
    release(Qt::Key_Control);
    EXPECT_EQ(field->HotKey(), 0xC074) << "releasing keeps the combination";

    // Keys that are no part of a combination empty the field->
    press(Qt::Key_Backspace);
    EXPECT_EQ(field->HotKey(), 0);

    field->setHotKey(0x5041);
    EXPECT_EQ(field->HotKey(), 0x5041);
    EXPECT_EQ(field->displayText(), "Win+Strg+A");
    field->setHotKey(113);
    EXPECT_EQ(field->displayText(), "F2");
}

// Every way a keyboard or a tool sends the Windows key reaches the field: its own key event, the
// modifier state of the next key, a keycode that carries Super only on a shifted level (as
// `xdotool key super+e` presses it), and any order of releasing the keys.
TEST_F(HotkeyExTest, WindowsKeyFromKeyEventsStateAndAnyKeycode) {
    struct NativeKey {
        QEvent::Type type;
        int qtKey;
        quint32 keycode;
        quint32 state;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };
    constexpr quint32 kSuperKeycode = 206, kMod4 = 0x40, kControl = 0x04;
    THotkeyEx::setWinKeyProbe({[](uint32_t keycode) { return keycode == kSuperKeycode; },
                               [](uint32_t state) { return (state & kMod4) != 0; }});
    struct Case {
        const char* name;
        std::vector<NativeKey> keys;
        uint16_t expected;
    };
    const QEvent::Type down = QEvent::KeyPress, up = QEvent::KeyRelease;
    const std::vector<Case> cases = {
        {"super+e on a keycode with Super at a shifted level",
         {{down, 0, kSuperKeycode, 0},
          {down, Qt::Key_E, 26, kMod4},
          {up, Qt::Key_E, 26, kMod4},
          {up, 0, kSuperKeycode, kMod4}},
         0x1045},
        {"the state alone tells Win",
         {{down, Qt::Key_E, 26, kMod4}, {up, Qt::Key_E, 26, kMod4}},
         0x1045},
        {"Qt's Meta modifier alone tells Win",
         {{down, Qt::Key_F5, 71, 0, Qt::MetaModifier}, {up, Qt::Key_F5, 71, 0, Qt::MetaModifier}},
         0x1074},
        {"Ctrl+Super+E",
         {{down, Qt::Key_Control, 37, 0},
          {down, 0, kSuperKeycode, kControl},
          {down, Qt::Key_E, 26, kControl | kMod4, Qt::ControlModifier},
          {up, Qt::Key_E, 26, kControl | kMod4, Qt::ControlModifier},
          {up, 0, kSuperKeycode, kControl | kMod4},
          {up, Qt::Key_Control, 37, kControl, Qt::ControlModifier}},
         0x5045},
        {"Win released before the key",
         {{down, 0, kSuperKeycode, 0},
          {down, Qt::Key_E, 26, kMod4},
          {up, 0, kSuperKeycode, kMod4},
          {up, Qt::Key_E, 26, 0}},
         0x1045},
        {"a key without Win after Win+E starts anew",
         {{down, 0, kSuperKeycode, 0},
          {down, Qt::Key_E, 26, kMod4},
          {up, Qt::Key_E, 26, kMod4},
          {up, 0, kSuperKeycode, kMod4},
          {down, Qt::Key_F5, 71, 0},
          {up, Qt::Key_F5, 71, 0}},
         0x0074},
        {"Super alone leaves nothing",
         {{down, 0, kSuperKeycode, 0}, {up, 0, kSuperKeycode, kMod4}},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        field->setHotKey(0);
        for (const NativeKey& k : c.keys) {
            QKeyEvent event(k.type, k.qtKey, k.modifiers, k.keycode, 0, k.state);
            QCoreApplication::sendEvent(field.get(), &event);
        }
        EXPECT_EQ(field->HotKey(), c.expected);
        EXPECT_FALSE(field->FWinkeyPressed);
    }
    THotkeyEx::setWinKeyProbe({});
}

}  // namespace
}  // namespace vorbix
