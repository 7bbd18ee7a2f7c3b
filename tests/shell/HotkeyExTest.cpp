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
    // A key with Shift alone takes the substitute modifiers (none), as the standard field does.
    press(Qt::Key_Shift);
    press(Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(field->HotKey(), 0x74);
    release(Qt::Key_F5, Qt::ShiftModifier);
    release(Qt::Key_Shift);

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

}  // namespace
}  // namespace vorbix
