// The settings dialog's two special combinations and typing: OK with a combination that types a
// character asks first (No keeps the dialog open with nothing applied), Shift with a character
// key is refused, keys that type nothing are taken without a question, and an answer given
// after the dialog closed applies nothing.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QSystemTrayIcon>

#include "components/HotkeyEx.h"
#include "core/Endpoints.h"
#include "shell/mainwindow/SettingsHub.h"
#include "shell/settings/SettingsDialog.h"
#include "shell/settings/SettingsInterfacePage.h"
#include "shell/settings/SettingsMiscPage.h"
#include "storage/ConfigFile.h"
#include "tests/shell/WindowFixture.h"

namespace vorbix {
namespace {

constexpr uint16_t kShift = 0x2000, kCtrl = 0x4000;

class SettingsTypingTest : public test::WindowFixture {
protected:
    // A fresh program with no special combinations, and its settings dialog open.
    TSettings* startAndOpen() {
        writeFileAtomically(env.dataFolder + "Config.ini", "[Settings]\r\nWelcome=0\r\n");
        start();
        main->action("MenuSettings")->trigger();
        TSettings* d = main->settingsWindow().dialog();
        EXPECT_TRUE(d && d->isVisible());
        return d;
    }
    // Puts `word` into the show/hide field or into the switch field, its box ticked.
    static void enter(TSettings* d, bool symbol, uint16_t word) {
        if (symbol) {
            d->interfacePage()->CheckboxGUI3->setChecked(true);
            d->interfacePage()->HotKey1->setHotKey(word);
        } else {
            d->miscPage()->CheckboxMiscellaneous4->setChecked(true);
            d->miscPage()->HotKey2->setHotKey(word);
        }
    }
};

TEST_F(SettingsTypingTest, OkAsksAboutACharacterAndRefusesShiftWithOne) {
    struct Case {
        const char* name;
        bool symbol;  // the show/hide field, else the switch field
        uint16_t word;
        bool answer;       // to the question, if one is asked
        const char* said;  // the key of the question or message, null for none
        bool taken;
    } cases[] = {
        {"bare letter, Yes", true, 'E', true, "ask: MessageTypingKey", true},
        {"bare letter, No", true, 'E', false, "ask: MessageTypingKey", false},
        {"bare digit, Yes", false, '7', true, "ask: MessageTypingKey", true},
        {"Space, No", false, 0x20, false, "ask: MessageTypingKey", false},
        {"minus key, No", true, 0xBD, false, "ask: MessageTypingKey", false},
        {"F5 alone", true, 0x74, false, nullptr, true},
        {"F24 alone", false, 0x87, false, nullptr, true},
        {"Num 8 alone", true, 0x68, false, nullptr, true},
        {"Num + alone", false, 0x6B, false, nullptr, true},
        {"Play/Pause alone", false, 0xB3, false, nullptr, true},
        {"Shift+F5", true, kShift | 0x74, false, nullptr, true},
        {"Shift+Down", false, kShift | 0x28, false, nullptr, true},
        {"Shift+A", true, kShift | 'A', true, "info: MessageShiftCharacter", false},
        {"Shift+1", false, kShift | '1', true, "info: MessageShiftCharacter", false},
        {"Ctrl+E", true, kCtrl | 'E', false, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSettings* d = startAndOpen();
        const std::string before = config();
        const auto registered = platform.hotKeys.registered;
        platform.prompter.answer = c.answer;
        enter(d, c.symbol, c.word);
        d->ButtonSaveClick();
        const std::vector<std::string> shown = said();
        if (c.said) {
            ASSERT_EQ(shown.size(), 1u);
            const std::string_view said = c.said;
            const std::string prefix(said.substr(0, said.find(' ') + 1));
            EXPECT_EQ(shown[0], prefix + main->message(std::string(said.substr(prefix.size()))));
        } else {
            EXPECT_TRUE(shown.empty()) << shown.front();
        }
        const int32_t id = c.symbol ? SymbolHotKeyId : DeActivateHotKeyId;
        if (c.taken) {
            EXPECT_FALSE(d->isVisible());
            ASSERT_EQ(platform.hotKeys.registered.count(id), 1u);
            EXPECT_EQ(platform.hotKeys.registered.at(id), ShortCutToHotKey(c.word));
            // Stored in a form that reads back as the same combination.
            const auto file = ConfigFile::open(env.dataFolder + "Config.ini");
            ASSERT_TRUE(file);
            const auto stored =
                file->value("Settings", c.symbol ? "SymbolHotKey" : "DeActivateHotKey");
            ASSERT_TRUE(stored);
            EXPECT_EQ(specialCombinationWord(*stored, main->settingsWindow().keyNames()), c.word)
                << *stored;
        } else {
            EXPECT_TRUE(d->isVisible()) << "the dialog stays open";
            EXPECT_EQ(platform.hotKeys.registered, registered);
            EXPECT_EQ(config(), before);
            EXPECT_TRUE(main->trayIcon()->isVisible());
        }
    }
}

TEST_F(SettingsTypingTest, ACombinationTakenOnceIsNotAskedAboutAgain) {
    TSettings* d = startAndOpen();
    enter(d, true, 'E');
    d->ButtonSaveClick();
    EXPECT_EQ(said().size(), 1u);
    ASSERT_FALSE(d->isVisible());
    // OK again with another change: no question; the letter moved to the switch field neither.
    main->action("MenuSettings")->trigger();
    d->miscPage()->CheckboxMiscellaneous2->setChecked(true);
    d->ButtonSaveClick();
    EXPECT_TRUE(said().empty());
    EXPECT_FALSE(d->isVisible());
    main->action("MenuSettings")->trigger();
    d->interfacePage()->CheckboxGUI3->setChecked(false);
    enter(d, false, 'E');
    d->ButtonSaveClick();
    EXPECT_TRUE(said().empty());
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(platform.hotKeys.registered.count(SymbolHotKeyId), 0u);
    EXPECT_EQ(platform.hotKeys.registered.at(DeActivateHotKeyId), ShortCutToHotKey('E'));
}

TEST_F(SettingsTypingTest, AnAnswerAfterTheDialogClosedAppliesNothing) {
    TSettings* d = startAndOpen();
    const std::string before = config();
    platform.prompter.holdAnswers = true;
    enter(d, true, 'E');
    d->ButtonSaveClick();
    ASSERT_EQ(platform.prompter.heldQuestions(), 1u);
    EXPECT_TRUE(d->isVisible()) << "nothing happens before the answer";
    EXPECT_EQ(platform.hotKeys.registered.count(SymbolHotKeyId), 0u);
    d->reject();
    EXPECT_TRUE(platform.prompter.answerHeld(true));
    EXPECT_EQ(platform.hotKeys.registered.count(SymbolHotKeyId), 0u);
    EXPECT_EQ(config(), before);

    // Held and answered Yes while open: taken then, once, though OK was pressed twice.
    d = startAndOpen();
    enter(d, true, 'E');
    d->ButtonSaveClick();
    d->ButtonSaveClick();
    ASSERT_EQ(platform.prompter.heldQuestions(), 2u);
    EXPECT_TRUE(platform.prompter.answerHeld(true));
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(platform.hotKeys.registered.at(SymbolHotKeyId), ShortCutToHotKey('E'));
    const std::string taken = config();
    EXPECT_TRUE(platform.prompter.answerHeld(true));
    EXPECT_EQ(config(), taken);
}

}  // namespace
}  // namespace vorbix
