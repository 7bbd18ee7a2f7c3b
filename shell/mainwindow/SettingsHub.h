// The settings dialog as the main window uses it: opened by the menu command (for users who may
// change the configuration), created on first use and translated with every other window; the
// program's side of the dialog (SettingsHost): the settings as the file holds them, and the
// confirmation that checks everything first and only then applies the settings to the main
// window, the tray, the special combinations and the update check, and stores them.
#pragma once

#include <QObject>
#include <memory>

#include "shell/settings/SettingsHost.h"

namespace vorbix {

class TMain;
class TSettings;

class SettingsHub : public QObject, public SettingsHost {
    Q_OBJECT
public:
    explicit SettingsHub(TMain& main);
    ~SettingsHub() override;

    // The menu command: shows the dialog, or refuses with MessageAdminError.
    void MenuSettingsExecute();
    // The dialog, once it has been created.
    TSettings* dialog() const { return dialog_.get(); }
    // The open dialog closes without applying anything (the program ends).
    void closeWithoutApplying();

    const LanguageSource& language() const override;
    std::string mainText(std::string_view key) const override;
    Prompter& prompter() override;
    int ppi() const override;
    const KeyNameSource& keyNames() const override;
    const Permissions& permissions() const override;
    std::string dataFolder() const override;
    SettingsConfig storedSettings() override;
    AutostartEntry& autostart() override;
    PolicyStep& policyStep() override;
    void confirm(SettingsConfig settings, const AutostartChoice& autostart, bool languageChanged,
                 std::function<void()> accepted) override;
    std::function<void()> desktopShortcuts() const override;

private:
    std::string settingsText(std::string_view key) const;
    // The checks of OK that need no answer: false, with the message shown, when one refuses.
    // A switch box ticked with an empty field is unticked in `settings`.
    bool passesChecks(SettingsConfig& settings);
    // Takes the special combinations, then applies and stores everything; false, with the
    // message shown and nothing changed, when the system refuses a combination.
    bool take(const SettingsConfig& settings, const AutostartChoice& autostart,
              bool languageChanged);
    void apply(const SettingsConfig& settings, bool languageChanged);

    TMain& main_;
    std::unique_ptr<TSettings> dialog_;
    std::unique_ptr<AutostartEntry> noAutostart_;
    std::unique_ptr<PolicyStep> noPolicyStep_;
};

}  // namespace vorbix
