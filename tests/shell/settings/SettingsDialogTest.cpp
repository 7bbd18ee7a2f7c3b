// The settings dialog opened from the main window on the recording platform: every refusal of
// OK with its message and nothing applied, OK applying and storing everything, Cancel changing
// nothing (also after other writers stored the settings meanwhile), a combination another
// program holds, the autostart entry, the policy step through a stand-in, the defaults, the
// colour schemes, and the about box.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

#include "VorbixVersion.h"
#include "components/ColorSwatch.h"
#include "components/HotkeyEx.h"
#include "components/LinkLabel.h"
#include "core/Endpoints.h"
#include "platform/linux/Autostart.h"
#include "shell/mainwindow/AboutBox.h"
#include "shell/mainwindow/SettingsHub.h"
#include "shell/settings/ProgramSettings.h"
#include "shell/settings/SettingsAccountPage.h"
#include "shell/settings/SettingsDialog.h"
#include "shell/settings/SettingsInterfacePage.h"
#include "shell/settings/SettingsMiscPage.h"
#include "shell/settings/SettingsStartupPage.h"
#include "shell/tray/TrayController.h"
#include "shell/update/UpdateCheck.h"
#include "storage/AtomicFile.h"
#include "storage/ConfigFile.h"
#include "tests/shell/WindowFixture.h"

namespace vorbix {
namespace {

constexpr uint16_t kCtrl = 0x4000, kAlt = 0x8000;
constexpr uint16_t kF5 = 0x74, kF6 = 0x75, kF7 = 0x76, kF8 = 0x77, kF9 = 0x78;

// The autostart entry in a file of the test's folder, through the platform's own reader and
// writer of desktop entries.
class FileAutostart : public AutostartEntry {
public:
    explicit FileAutostart(std::string file) : file_(std::move(file)) {}
    std::optional<std::string> value() const override { return readAutostartValue(file_); }
    FileResult setValue(const std::optional<std::string>& v) override {
        ++writes;
        return writeAutostartValue(v, file_);
    }
    std::string programPath() const override { return "/opt/Vorbix Tools/vorbix"; }
    int writes = 0;

private:
    std::string file_;
};

// The elevated step: started by the dialog, finished by the test.
class StandInPolicyStep : public PolicyStep {
public:
    bool start(const ChangePolicy& policy, Finished finished) override {
        if (running_) return false;
        asked = policy;
        finished_ = std::move(finished);
        running_ = true;
        return true;
    }
    bool running() const override { return running_; }
    void finish(const Result& r) {
        running_ = false;
        std::exchange(finished_, {})(r);
    }
    ChangePolicy asked;

private:
    bool running_ = false;
    Finished finished_;
};

class SettingsDialogTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        autostart = std::make_unique<FileAutostart>(dir.path().toStdString() + "/vorbix.desktop");
        env.autostart = autostart.get();
        env.policyStep = &policy;
    }
    // Opens the dialog as the menu does.
    TSettings* open() {
        main->action("MenuSettings")->trigger();
        TSettings* d = main->settingsWindow().dialog();
        EXPECT_TRUE(d && d->isVisible());
        return d;
    }
    // The stored text of a key ("<absent>" when it is not there).
    template <typename Key>
    std::string key(const Key& k) const {
        const auto f = ConfigFile::open(env.dataFolder + "Config.ini");
        if (!f) return "<unreadable>";
        return f->value(k.section, k.name).value_or("<absent>");
    }

    std::unique_ptr<FileAutostart> autostart;
    StandInPolicyStep policy;
};

TEST_F(SettingsDialogTest, OkRefusesWithItsMessageAndAppliesNothing) {
    writeFileAtomically(env.dataFolder + "Config.ini",
                        "[Settings]\r\nWelcome=0\r\nDeActivateHotKey=Strg+F9\r\n");
    platform.hotKeys.refused.insert({kF8, 2 /* MOD_CONTROL */});
    start();
    const std::string before = config();
    const auto registered = platform.hotKeys.registered;
    struct Case {
        const char* name;
        bool symbolOn;
        uint16_t symbol;
        bool deActivateOn;
        uint16_t deActivate;
        std::string message;
    } cases[] = {
        {"tray box without combination", true, 0, false, 0,
         "info: Bitte legen Sie einen Hot Key zum Aus- und Wiedereinblenden"},
        {"tray combination of a row", true, kCtrl | kF5, true, kCtrl | kF9,
         "info: Der Hot Key zum Aus- und Wiedereinblenden des Hauptfensters ist bereits"},
        {"tray combination is the switch's", true, kCtrl | kF6, true, kCtrl | kF6,
         "info: Der Hot Key zum Aus- und Wiedereinblenden des Hauptfensters ist bereits"},
        {"switch combination of a row", false, 0, true, kCtrl | kF5,
         "info: Die Tastenkombination zum Aktivieren/Deaktivieren aller Hot Keys ist bereits"},
        {"tray combination held by another program", true, kCtrl | kF8, true, kCtrl | kF9,
         "info: Die Tastenkombination Strg+F8 wird bereits von einem anderen Programm"},
        {"switch combination held by another program", true, kCtrl | kF6, true, kCtrl | kF8,
         "info: Die Tastenkombination Strg+F8 wird bereits von einem anderen Programm"},
    };
    for (const Case& c : cases) {
        TSettings* d = open();
        // Other changes that must not be applied either.
        d->interfacePage()->CheckboxGUI2->setChecked(false);
        d->interfacePage()->ComboBoxColor->setCurrentIndex(1);
        d->interfacePage()->ApplyColorScheme();
        d->interfacePage()->ComboBoxLanguage->setCurrentIndex(1);
        emit d->interfacePage()->ComboBoxLanguage->activated(1);
        d->miscPage()->CheckboxMiscellaneous2->setChecked(true);
        d->miscPage()->RadioHide2->setChecked(true);
        d->startupPage()->CheckboxStartup1->setChecked(true);
        d->interfacePage()->CheckboxGUI3->setChecked(c.symbolOn);
        d->interfacePage()->HotKey1->setHotKey(c.symbol);
        d->miscPage()->CheckboxMiscellaneous4->setChecked(c.deActivateOn);
        d->miscPage()->HotKey2->setHotKey(c.deActivate);
        said();
        d->ButtonSaveClick();
        const std::vector<std::string> shownNow = said();
        ASSERT_EQ(shownNow.size(), 1u) << c.name;
        EXPECT_EQ(shownNow[0].rfind(c.message, 0), 0u) << c.name << ": " << shownNow[0];
        EXPECT_TRUE(d->isVisible()) << c.name << ": the dialog stays open";
        EXPECT_EQ(config(), before) << c.name;
        EXPECT_EQ(platform.hotKeys.registered, registered) << c.name;
        EXPECT_EQ(autostart->writes, 0) << c.name;
        EXPECT_EQ(main->language(), "German") << c.name;
        EXPECT_TRUE(main->trayIcon()->isVisible()) << c.name;
        EXPECT_FALSE(main->programSettings().settings().saveClipboard) << c.name;
        EXPECT_FALSE(main->tray().rules().HideByMinimize) << c.name;
        d->reject();
    }
}

TEST_F(SettingsDialogTest, OkAppliesAndStoresEverything) {
    start();
    TSettings* d = open();
    EXPECT_FALSE(main->action("MenuSettings")->isEnabled()) << "no second dialog";
    SettingsInterfacePage* gui = d->interfacePage();
    SettingsMiscPage* misc = d->miscPage();
    gui->CheckboxGUI1->setChecked(true);
    gui->CheckboxGUI2->setChecked(false);
    gui->CheckboxGUI3->setChecked(true);
    gui->HotKey1->setHotKey(kCtrl | kAlt | 0x56);
    gui->ComboBoxColor->setCurrentIndex(1);
    gui->ApplyColorScheme();
    gui->ComboBoxLanguage->setCurrentIndex(1);
    emit gui->ComboBoxLanguage->activated(1);
    misc->CheckboxMiscellaneous1->setChecked(false);
    misc->RadioHide2->setChecked(true);
    misc->CheckboxMiscellaneous4->setChecked(true);
    misc->HotKey2->setHotKey(kCtrl | kAlt | 0x44);
    misc->CheckboxMiscellaneous2->setChecked(true);
    misc->CheckboxMiscellaneous3->setChecked(true);
    d->startupPage()->CheckboxStartup1->setChecked(true);
    d->ButtonSaveClick();
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(main->action("MenuSettings")->isEnabled());
    EXPECT_TRUE(said().empty());

    EXPECT_EQ(key(config::kWelcome), "0");
    EXPECT_EQ(key(config::kImprovement), "0");
    EXPECT_EQ(key(config::kSymbolHotKey), "Strg+Alt+V");
    EXPECT_EQ(key(config::kDeActivateHotKey), "Strg+Alt+D");
    EXPECT_EQ(key(config::kScheme), "Vorbix 8");
    EXPECT_EQ(key(config::kColor1), "$0073352D");
    EXPECT_EQ(key(config::kLanguage), "English");
    EXPECT_EQ(key(config::kAutoUpdate), "0");
    EXPECT_EQ(key(config::kSaveClipBoard), "1");
    EXPECT_EQ(key(config::kProgramDirPrompt), "0");
    EXPECT_NE(config().find("HideByMinimize=1"), std::string::npos);
    EXPECT_EQ(autostart->value(), "/opt/Vorbix Tools/vorbix");

    // In force at once.
    EXPECT_EQ(platform.hotKeys.registered.count(SymbolHotKeyId), 1u);
    EXPECT_EQ(platform.hotKeys.registered.count(DeActivateHotKeyId), 1u);
    EXPECT_FALSE(main->trayIcon()->isVisible()) << "the combination shows the window";
    EXPECT_TRUE(main->tray().rules().HideByMinimize);
    EXPECT_TRUE(main->programSettings().settings().saveClipboard);
    EXPECT_FALSE(main->programSettings().settings().pathCheck);
    EXPECT_FALSE(main->updates().automaticRunning());
    EXPECT_EQ(main->language(), "English");
    EXPECT_EQ(main->activationText(), "Activated") << "every window in the new language";
    EXPECT_EQ(d->windowTitle(), "Settings");
    main->WMHotKey(DeActivateHotKeyId);
    EXPECT_FALSE(main->active()) << "the new switch combination works";

    // The table refuses the new combinations.
    main->ShowMyHotKeys();
    main->hotkeyField()->setHotKey(kCtrl | kAlt | 0x56);
    main->LabelAddHotKeyClick();
    EXPECT_EQ(main->table().size(), 1u);

    // A switch box ticked with an empty field is stored unticked.
    d = open();
    EXPECT_TRUE(misc->CheckboxMiscellaneous4->isChecked());
    misc->HotKey2->setHotKey(0);
    d->ButtonSaveClick();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(config().find("DeActivateHotKey"), std::string::npos);
    EXPECT_EQ(platform.hotKeys.registered.count(DeActivateHotKeyId), 0u);
}

TEST_F(SettingsDialogTest, CancelChangesNothingEvenAfterOtherWritersStored) {
    writeFileAtomically(env.dataFolder + "Config.ini", "[Settings]\r\nImprovement=1\r\n");
    start();
    const auto registered = platform.hotKeys.registered;
    for (int round = 0; round < 3; ++round) {
        TSettings* d = open();
        EXPECT_TRUE(d->interfacePage()->CheckboxGUI2->isChecked()) << "read from the file";
        EXPECT_FALSE(d->miscPage()->CheckboxMiscellaneous2->isChecked());
        d->interfacePage()->CheckboxGUI2->setChecked(false);
        d->interfacePage()->CheckboxGUI3->setChecked(true);
        d->interfacePage()->HotKey1->setHotKey(kCtrl | kF7);
        d->miscPage()->CheckboxMiscellaneous2->setChecked(true);
        d->startupPage()->CheckboxStartup1->setChecked(true);
        if (round == 0) d->ButtonCancel->click();
        if (round == 1) d->reject();  // Esc
        if (round == 2) d->close();   // the close box
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(main->action("MenuSettings")->isEnabled());
    }
    // The flags and the welcome page's box store the settings: still nothing of the above.
    main->switchLanguage("English");
    main->ShowWelcome();
    main->findChild<QCheckBox*>("CheckBox1")->click();
    const std::string stored = config();
    EXPECT_NE(stored.find("Language=English"), std::string::npos);
    EXPECT_NE(stored.find("Welcome=0"), std::string::npos);
    EXPECT_NE(stored.find("Improvement=1"), std::string::npos);
    EXPECT_NE(stored.find("SaveClipBoard=0"), std::string::npos);
    EXPECT_EQ(stored.find("SymbolHotKey"), std::string::npos);
    EXPECT_EQ(platform.hotKeys.registered, registered);
    EXPECT_EQ(autostart->writes, 0);
    TSettings* d = open();
    EXPECT_TRUE(d->interfacePage()->CheckboxGUI1->isChecked()) << "the welcome box, as stored";
    EXPECT_EQ(d->interfacePage()->ComboBoxLanguage->currentIndex(), 1);
    EXPECT_FALSE(d->interfacePage()->CheckboxGUI3->isChecked());
    EXPECT_FALSE(d->interfacePage()->HotKey1->isEnabled());
}

TEST_F(SettingsDialogTest, ACombinationAnotherProgramHoldsNeverHidesTheTrayIcon) {
    // At start: the stored tray combination is refused, so the icon stays and the user is told.
    writeFileAtomically(env.dataFolder + "Config.ini", "[Settings]\r\nSymbolHotKey=Strg+F8\r\n");
    platform.hotKeys.refused.insert({kF8, 2});
    main = std::make_unique<TMain>(env);
    main->startUp();
    const std::vector<std::string> shownNow = said();
    ASSERT_EQ(shownNow.size(), 1u);
    EXPECT_NE(shownNow[0].find("Strg+F8"), std::string::npos);
    EXPECT_TRUE(main->trayIcon()->isVisible());
    EXPECT_EQ(platform.hotKeys.registered.count(SymbolHotKeyId), 0u);
    main->showAtStart();

    // A working one is taken; then a refused one leaves the working one in force.
    TSettings* d = open();
    d->interfacePage()->HotKey1->setHotKey(kCtrl | kF9);
    d->ButtonSaveClick();
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(main->trayIcon()->isVisible());
    EXPECT_EQ(platform.hotKeys.registered.at(SymbolHotKeyId), ShortCutToHotKey(kCtrl | kF9));
    d = open();
    d->interfacePage()->HotKey1->setHotKey(kCtrl | kF8);
    said();
    d->ButtonSaveClick();
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(said().size(), 1u);
    EXPECT_EQ(platform.hotKeys.registered.at(SymbolHotKeyId), ShortCutToHotKey(kCtrl | kF9));
    EXPECT_EQ(key(config::kSymbolHotKey), "Strg+F9");
    // The working combination hides and shows the window.
    d->reject();
    main->WMHotKey(SymbolHotKeyId);
    EXPECT_FALSE(main->isVisible());
    main->WMHotKey(SymbolHotKeyId);
    EXPECT_TRUE(main->isVisible());
}

TEST_F(SettingsDialogTest, AutostartOnAndOffWritesAndRemovesTheEntry) {
    start();
    const std::string entry = dir.path().toStdString() + "/vorbix.desktop";
    TSettings* d = open();
    SettingsStartupPage* page = d->startupPage();
    EXPECT_FALSE(page->CheckboxStartup1->isChecked());
    EXPECT_FALSE(page->CheckboxStartup2->isEnabled());
    page->CheckboxStartup1->click();
    EXPECT_TRUE(page->CheckboxStartup2->isEnabled());
    page->CheckboxStartup2->click();
    d->ButtonSaveClick();
    EXPECT_EQ(readAutostartValue(entry), "\"/opt/Vorbix Tools/vorbix\" hide");
    EXPECT_NE(readWholeFile(entry).value_or("").find("Exec=\"/opt/Vorbix Tools/vorbix\" hide"),
              std::string::npos);

    d = open();
    EXPECT_TRUE(page->CheckboxStartup1->isChecked());
    EXPECT_TRUE(page->CheckboxStartup2->isChecked());
    page->CheckboxStartup2->click();
    d->ButtonSaveClick();
    EXPECT_EQ(readAutostartValue(entry), "/opt/Vorbix Tools/vorbix");

    // Unchanged: the entry is not written again.
    const int writes = autostart->writes;
    open()->ButtonSaveClick();
    EXPECT_EQ(autostart->writes, writes);

    d = open();
    page->CheckboxStartup1->click();
    EXPECT_FALSE(page->CheckboxStartup2->isEnabled());
    d->ButtonSaveClick();
    EXPECT_FALSE(fileExists(entry));
    EXPECT_EQ(readAutostartValue(entry), std::nullopt);
}

TEST_F(SettingsDialogTest, PolicyStepRunsWithoutHoldingTheProgram) {
    start();
    TSettings* d = open();
    d->ComboBoxCategoryChange(2);
    SettingsAccountPage* page = d->accountPage();
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->EditLocation->text().toStdString(), env.dataFolder);
    EXPECT_EQ(page->ComboBoxAccount->currentIndex(), 0);
    EXPECT_TRUE(page->ComboBoxAccount->isEnabled());

    struct Case {
        int entry;
        PolicyStep::Result result;
        std::string said;  // the start of the message, empty for none
        int boxAfter;
    } cases[] = {
        {3,
         {true, "", {false, false}},
         "info: Die Zugriffsrechte für eingeschränkte Benutzer wurden",
         3},
        // The step reported nothing wrong, but the file does not hold the choice.
        {1,
         {true, "", {true, true}},
         "error: Die Zugriffsrechte für eingeschränkte Benutzer konnten",
         0},
        {2,
         {true, "Cannot write the policy: disk full", {true, false}},
         "error: Die Zugriffsrechte für eingeschränkte Benutzer konnten",
         1},
        // The authorisation was dismissed: the file decides the box, nothing is said.
        {2, {false, "", {false, false}}, "", 3},
    };
    for (const Case& c : cases) {
        page->ComboBoxAccount->setCurrentIndex(c.entry);
        said();
        page->ButtonApply->click();
        EXPECT_TRUE(policy.running());
        EXPECT_EQ(policy.asked, policyForAccountEntry(c.entry));
        EXPECT_FALSE(d->isEnabled()) << "no input while the password prompt is open";
        EXPECT_TRUE(main->isEnabled()) << "the program goes on";
        main->WMHotKey(DeActivateHotKeyId);
        policy.finish(c.result);
        EXPECT_TRUE(d->isEnabled());
        EXPECT_EQ(page->ComboBoxAccount->currentIndex(), c.boxAfter);
        const std::vector<std::string> shownNow = said();
        if (c.said.empty()) {
            EXPECT_TRUE(shownNow.empty());
        } else {
            ASSERT_EQ(shownNow.size(), 1u) << c.entry;
            EXPECT_EQ(shownNow[0].rfind(c.said, 0), 0u) << shownNow[0];
        }
    }
    EXPECT_EQ(policy.asked, policyForAccountEntry(2));
    // Opened again, the box shows what the file held last, not what it held at start.
    d->reject();
    d = open();
    EXPECT_EQ(page->ComboBoxAccount->currentIndex(), 3);
}

TEST_F(SettingsDialogTest, UsersWithoutRightsCannotOpenItOrChangeThePolicy) {
    env.permissions = {false, true, false};
    start();
    main->action("MenuSettings")->trigger();
    EXPECT_EQ(main->settingsWindow().dialog(), nullptr);
    const std::vector<std::string> shownNow = said();
    ASSERT_EQ(shownNow.size(), 1u);
    EXPECT_EQ(
        shownNow[0].rfind("error: Diese Funktion ist für eingeschränkte Benutzer gesperrt", 0), 0u);

    env.permissions = {false, false, true};
    start();
    TSettings* d = open();
    EXPECT_FALSE(d->accountPage()->ComboBoxAccount->isEnabled());
    EXPECT_TRUE(d->accountPage()->ButtonApply->isHidden());
    EXPECT_EQ(d->accountPage()->ComboBoxAccount->currentIndex(), 2);
    EXPECT_EQ(d->accountPage()->EditLocation->text().toStdString(), env.dataFolder);
}

TEST_F(SettingsDialogTest, DefaultsResetTheControlsButStoreNothingBeforeOk) {
    writeFileAtomically(env.dataFolder + "Config.ini",
                        "[Settings]\r\nLanguage=English\r\nImprovement=0\r\nSaveClipBoard=1\r\n"
                        "Scheme=Custom\r\nColor1=clRed\r\nHideByMinimize=1\r\nAutoUpdate=1\r\n"
                        "UpdateInterval=7\r\nDeActivateHotKey=Strg+F9\r\n");
    start();
    const std::string before = config();
    TSettings* d = open();
    EXPECT_EQ(d->miscPage()->ComboBoxUpdate->currentText(), "7");
    platform.prompter.answer = false;
    d->ButtonDefaultSettings->click();
    EXPECT_FALSE(d->interfacePage()->CheckboxGUI2->isChecked()) << "No keeps everything";
    platform.prompter.answer = true;
    d->ButtonDefaultSettings->click();
    EXPECT_TRUE(d->interfacePage()->CheckboxGUI2->isChecked());
    EXPECT_EQ(d->interfacePage()->ComboBoxColor->currentIndex(), 0);
    EXPECT_FALSE(d->interfacePage()->Shapes[0]->isVisible());
    EXPECT_TRUE(d->miscPage()->RadioHide1->isChecked());
    EXPECT_FALSE(d->miscPage()->CheckboxMiscellaneous2->isChecked());
    EXPECT_FALSE(d->miscPage()->CheckboxMiscellaneous4->isChecked());
    EXPECT_EQ(d->miscPage()->HotKey2->HotKey(), 0);
    EXPECT_EQ(d->miscPage()->ComboBoxUpdate->currentText(), "1");
    EXPECT_TRUE(d->startupPage()->CheckboxStartup1->isChecked());
    EXPECT_TRUE(d->startupPage()->CheckboxStartup2->isChecked());
    EXPECT_EQ(d->interfacePage()->ComboBoxLanguage->currentIndex(), 1) << "the language stays";
    EXPECT_EQ(config(), before);
    d->ButtonSaveClick();
    EXPECT_EQ(key(config::kScheme), "Standard");
    EXPECT_EQ(key(config::kColor1), "clBlack");
    EXPECT_EQ(key(config::kLanguage), "English");
    EXPECT_EQ(autostart->value(), "\"/opt/Vorbix Tools/vorbix\" hide");
}

TEST_F(SettingsDialogTest, ColourSchemesAndSwatches) {
    start();
    TSettings* d = open();
    SettingsInterfacePage* gui = d->interfacePage();
    std::vector<QColor> offered;
    gui->setColorPicker([&offered](const QColor& start) -> std::optional<QColor> {
        offered.push_back(start);
        return QColor(0x12, 0x34, 0x56);
    });
    gui->ComboBoxColor->setCurrentIndex(1);
    gui->ApplyColorScheme();
    EXPECT_FALSE(gui->Shapes[0]->isVisible());
    gui->ComboBoxColor->setCurrentIndex(3);
    gui->ApplyColorScheme();
    EXPECT_TRUE(gui->Shapes[0]->isVisible());
    EXPECT_EQ(gui->Shapes[0]->color(), QColor(0x2D, 0x35, 0x73)) << "Custom keeps the colours";
    emit gui->Shapes[3]->pressed();
    emit gui->Shapes[2]->pressed();
    EXPECT_EQ(offered, (std::vector<QColor>{Qt::black, QColor(0x12, 0x34, 0x56)}))
        << "the dialog starts with the colour chosen last";
    d->ButtonSaveClick();
    EXPECT_EQ(key(config::kScheme), "Custom");
    EXPECT_EQ(key(config::kColor4), "$00563412");
    EXPECT_EQ(key(config::kColor1), "$0073352D");
    EXPECT_EQ(main->palette().color(QPalette::Window), QColor(0x2D, 0x35, 0x73));

    d = open();
    EXPECT_EQ(gui->ComboBoxColor->currentIndex(), 3);
    gui->ComboBoxColor->setCurrentIndex(0);
    gui->ApplyColorScheme();
    EXPECT_EQ(gui->Shapes[3]->color(), QColor(Qt::white)) << "Standard resets the colours";
    d->ButtonSaveClick();
    EXPECT_EQ(key(config::kColor4), "clWhite");
}

TEST_F(SettingsDialogTest, AboutBoxShowsTheVersionAndOpensThePageOfTheLanguage) {
    start();
    main->action("MenuAbout")->trigger();
    TAbout* about = main->aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "Über Vorbix");
    EXPECT_EQ(about->versionLabel()->text().toStdString(), "Version " + std::string(kVersionText));
    about->LabelAbout4Click();
    main->switchLanguage("English");
    EXPECT_EQ(about->windowTitle(), "About Vorbix");
    about->LabelAbout4Click();
    std::vector<std::string> opened;
    for (const std::string& l : platform.take()) {
        if (l.rfind("open ", 0) == 0) opened.push_back(l);
    }
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_NE(opened[0].find(productPageUrl("German")), std::string::npos);
    EXPECT_NE(opened[1].find(productPageUrl("English")), std::string::npos);
    EXPECT_EQ(opened[1].find(productPageUrl("German") + " "), std::string::npos);
    about->close();
    EXPECT_FALSE(about->isVisible());
}

}  // namespace
}  // namespace vorbix
