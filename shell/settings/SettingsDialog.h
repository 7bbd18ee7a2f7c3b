// TSettings: the settings dialog. A category box chooses one of four pages (user interface,
// autostart, user accounts, other settings); OK hands the settings to the program, which checks
// everything before it applies anything; Cancel, Esc and the close box change nothing; the
// defaults button resets the controls (nothing is stored before OK).
//
// The dialog is window-modal to the main window and opened without a nested event loop, so hot
// keys, the tray and the session end go on working while it is open. It is created on first use;
// each time it is shown, its controls are read anew from the configuration file.
#pragma once

#include <array>

#include "components/FramedDialog.h"
#include "components/Translatable.h"
#include "shell/settings/SettingBindings.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vorbix {

class SettingsAccountPage;
class SettingsHost;
class SettingsInterfacePage;
class SettingsMiscPage;
class SettingsPage;
class SettingsStartupPage;

class TSettings : public FramedDialog, public Translatable {
    Q_OBJECT
public:
    TSettings(QWidget* parent, SettingsHost& host, const QIcon& icon);
    ~TSettings() override;

    // Runs once after construction: the texts of the current language.
    void FormCreate();
    // Reads the controls from the configuration file and shows the dialog (returns at once).
    void FormShow();

    void SetLanguage(const std::string& section) override;

    void ButtonSaveClick();
    void ButtonDefaultSettingsClick();
    // Shows the page of a category entry (0 to 3) and hides the others.
    void ComboBoxCategoryChange(int entry);

    QComboBox* ComboBoxCategory = nullptr;
    QPushButton* ButtonSave = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QPushButton* ButtonDefaultSettings = nullptr;
    // The desktop's own shortcut settings; null where the desktop has none for the program.
    QPushButton* ButtonDesktopShortcuts = nullptr;
    SettingsInterfacePage* interfacePage() const { return Panel1; }
    SettingsStartupPage* startupPage() const { return Panel2; }
    SettingsAccountPage* accountPage() const { return Panel3; }
    SettingsMiscPage* miscPage() const { return Panel4; }
    bool languageChanged() const { return LanguageChanged; }

private:
    // Every control from the settings as the file holds them, the autostart entry and the policy.
    void LoadConfig();
    // The controls at the program's defaults (nothing is stored until Save).
    void resetControls();

    SettingsHost& host_;
    SettingBindings bindings_;
    SettingsConfig loaded_;  // the settings the controls were read from
    bool LanguageChanged = false;
    QLabel* Image1 = nullptr;
    QLabel* LabelHeader = nullptr;
    QLabel* LabelCategory = nullptr;
    SettingsInterfacePage* Panel1 = nullptr;
    SettingsStartupPage* Panel2 = nullptr;
    SettingsAccountPage* Panel3 = nullptr;
    SettingsMiscPage* Panel4 = nullptr;
    std::array<SettingsPage*, 4> pages_{};
};

}  // namespace vorbix
