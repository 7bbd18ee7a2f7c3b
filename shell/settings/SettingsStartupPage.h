// The settings dialog's page "Autostart": start with the session, and start hidden in the tray.
#pragma once

#include "shell/settings/SettingsPage.h"
#include "shell/settings/SettingsRules.h"

class QCheckBox;
class QGroupBox;
class QLabel;

namespace vorbix {

class SettingsStartupPage : public SettingsPage {
    Q_OBJECT
public:
    SettingsStartupPage(QWidget* dialog, int ppi);

    void SetLanguage(const LanguageFile& file, std::string_view section) override;
    // The autostart entry is no key of the configuration file: nothing to bind.
    void bind(SettingBindings&) override {}

    void setChoice(const AutostartChoice& choice);
    AutostartChoice choice() const;

    QCheckBox* CheckboxStartup1 = nullptr;
    QCheckBox* CheckboxStartup2 = nullptr;

private:
    // "Start hidden" is available only while "start" is ticked.
    void CheckboxStartup1Click();

    QGroupBox* GroupBoxStartup = nullptr;
    QLabel* LabelStartup1 = nullptr;
};

}  // namespace vorbix
