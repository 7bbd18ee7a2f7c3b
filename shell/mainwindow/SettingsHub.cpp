#include "shell/mainwindow/SettingsHub.h"

#include <QAction>

#include "core/TextUtil.h"
#include "shell/common/Artwork.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/LanguageApplier.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/settings/ProgramSettings.h"
#include "shell/settings/SettingsDialog.h"
#include "shell/tray/TrayController.h"
#include "shell/update/UpdateCheck.h"
#include "storage/ConfigFile.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

// Stand-ins when the platform gives no autostart entry or policy step.
class NoAutostart : public AutostartEntry {
public:
    std::optional<std::string> value() const override { return std::nullopt; }
    FileResult setValue(const std::optional<std::string>&) override { return {}; }
    std::string programPath() const override { return {}; }
};

class NoPolicyStep : public PolicyStep {
public:
    bool start(const ChangePolicy&, Finished) override { return false; }
    bool running() const override { return false; }
};

}  // namespace

SettingsHub::SettingsHub(TMain& main)
    : main_(main),
      noAutostart_(std::make_unique<NoAutostart>()),
      noPolicyStep_(std::make_unique<NoPolicyStep>()) {}

SettingsHub::~SettingsHub() {
    if (dialog_) main_.languages().remove(dialog_.get());
}

void SettingsHub::MenuSettingsExecute() {
    if (!permissions().mayChangeConfig()) {
        prompter().showMessage(mainText("MessageAdminError"), MessageType::Error);
        return;
    }
    if (!dialog_) {
        dialog_ = std::make_unique<TSettings>(
            &main_, *this,
            Artwork(main_.environment().programFolder).icon("preferences-system", "Logo.svg"));
        dialog_->FormCreate();
        main_.languages().add(lang::kSettings, dialog_.get());
        QAction* menu = main_.action(QStringLiteral("MenuSettings"));
        connect(dialog_.get(), &QDialog::finished, this, [menu] { menu->setEnabled(true); });
    }
    if (dialog_->isVisible()) return dialog_->raise();
    main_.action(QStringLiteral("MenuSettings"))->setEnabled(false);
    dialog_->FormShow();
}

void SettingsHub::closeWithoutApplying() {
    if (dialog_ && dialog_->isVisible()) dialog_->reject();
}

const LanguageSource& SettingsHub::language() const {
    return main_.languages();
}

std::string SettingsHub::mainText(std::string_view key) const {
    return main_.message(std::string(key));
}

std::string SettingsHub::settingsText(std::string_view key) const {
    return main_.languages().file().text(lang::kSettings, key);
}

Prompter& SettingsHub::prompter() {
    return main_.prompter();
}

int SettingsHub::ppi() const {
    return main_.environment().ppi;
}

const KeyNameSource& SettingsHub::keyNames() const {
    return *main_.environment().keyNames;
}

const Permissions& SettingsHub::permissions() const {
    return main_.environment().permissions;
}

std::function<void()> SettingsHub::desktopShortcuts() const {
    return main_.environment().configureDesktopShortcuts;
}

std::string SettingsHub::dataFolder() const {
    return main_.environment().dataFolder;
}

SettingsConfig SettingsHub::storedSettings() {
    // What the program holds, overwritten by what the file holds (a file that cannot be read
    // leaves the program's own settings).
    SettingsConfig settings = main_.programSettings().settings();
    settings.language = main_.languages().language();
    LoadSettingsConfig(main_.configPath(), main_.configContext(), settings);
    return settings;
}

AutostartEntry& SettingsHub::autostart() {
    AutostartEntry* entry = main_.environment().autostart;
    return entry ? *entry : *noAutostart_;
}

PolicyStep& SettingsHub::policyStep() {
    PolicyStep* step = main_.environment().policyStep;
    return step ? *step : *noPolicyStep_;
}

void SettingsHub::confirm(SettingsConfig settings, const AutostartChoice& autostartChoice,
                          bool languageChanged, std::function<void()> accepted) {
    if (!passesChecks(settings)) return;
    const bool asks = specialCombinationsTyping(settings, main_.programSettings().settings(),
                                                keyNames()) == TypingClash::Character;
    prompter().confirmThen(
        asks, mainText("MessageTypingKey"),
        [this, settings, autostartChoice, languageChanged, asks, accepted]() mutable {
            // An answer given later finds the program as it is then: the dialog may have closed
            // meanwhile, and the checks run again.
            if (asks && !(dialog_ && dialog_->isVisible() && passesChecks(settings))) return;
            if (take(settings, autostartChoice, languageChanged) && accepted) accepted();
        });
}

bool SettingsHub::passesChecks(SettingsConfig& settings) {
    const SpecialCombinationCheck check =
        checkSpecialCombinations(settings, main_.table(), keyNames());
    if (check.refused()) {
        prompter().showMessage(settingsText(check.refusalKey), MessageType::Information);
        return false;
    }
    if (check.untickDeActivate) {
        settings.deActivateHotKeyOn = false;
        settings.deActivateHotKey.clear();
    }
    if (specialCombinationsTyping(settings, settings, keyNames()) == TypingClash::ShiftCharacter) {
        prompter().showMessage(mainText("MessageShiftCharacter"), MessageType::Information);
        return false;
    }
    return true;
}

bool SettingsHub::take(const SettingsConfig& settings, const AutostartChoice& autostartChoice,
                       bool languageChanged) {
    const auto [symbol, deActivate] = specialCombinationsOn(settings, keyNames());
    if (const uint16_t refused =
            main_.programSettings().takeSpecialCombinations(symbol, deActivate)) {
        const std::string text = fillPlaceholder(mainText("MessageSpecialHotKeyTaken"), "%s",
                                                 specialCombinationDisplay(refused, keyNames()));
        prompter().showMessage(text, MessageType::Information);
        return false;
    }
    // Everything is accepted: from here on the settings are applied and stored.
    apply(settings, languageChanged);
    AutostartEntry& entry = autostart();
    const std::optional<std::string> value =
        autostartValueFor(autostartChoice, entry.programPath());
    if (value != entry.value()) {
        if (FileResult r = entry.setValue(value); !r) main_.reportSaveFailure(r.error);
    }
    return true;
}

void SettingsHub::apply(const SettingsConfig& settings, bool languageChanged) {
    if (languageChanged) {
        main_.languages().setLanguage(settings.language);
        const FileResult r = writeConfigValue(main_.configPath(), config::kLanguage.section,
                                              config::kLanguage.name, main_.languages().language());
        if (!r) main_.reportSaveFailure(r.error);
        main_.languages().applyAll();
    }
    main_.programSettings().setSettings(settings);
    main_.setWelcomeChoice(settings.welcomeCheckBoxTicked);
    main_.setImprovementVisible(settings.improvement);
    main_.setMainColors(settings.colors);
    TrayController& tray = main_.tray();
    tray.rules().TrayIconVisible = !settings.symbolHotKeyOn;
    tray.setSymbolHotKeyWorks(settings.symbolHotKeyOn);
    tray.setIconVisible(tray.rules().TrayIconVisible && tray.rules().started());
    tray.rules().HideByMinimize = settings.hideByMinimize;
    main_.updates().setAutomatic(settings.updateTimerRuns(permissions().mayChangeConfig()));
    main_.saveSettingsPart(main_.configPath());
}

}  // namespace vorbix
