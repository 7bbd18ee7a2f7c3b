// The settings dialog's page "Benutzerkonten": what users without administrator rights may
// change (the machine-wide change policy, written by an elevated step), and where the user's
// files are kept.
#pragma once

#include <optional>
#include <string>

#include "shell/settings/SettingsPage.h"
#include "shell/settings/SettingsServices.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorbix {

class SettingsHost;

class SettingsAccountPage : public SettingsPage {
    Q_OBJECT
public:
    SettingsAccountPage(QWidget* dialog, SettingsHost& host);

    void SetLanguage(const LanguageFile& file, std::string_view section) override;
    // The policy is no key of the configuration file: nothing to bind.
    void bind(SettingBindings&) override {}

    // The account box from the policy read at start; only administrators may change it.
    void load();
    // Writes the chosen policy through the elevated step; the dialog is disabled meanwhile.
    void ButtonApplyClick();

    QComboBox* ComboBoxAccount = nullptr;
    QPushButton* ButtonApply = nullptr;
    QLineEdit* EditLocation = nullptr;

signals:
    // The elevated step runs (the dialog takes no input) or has ended.
    void busy(bool running);

private:
    void stepEnded(const ChangePolicy& asked, const PolicyStep::Result& result);

    SettingsHost& host_;
    // What the policy file held after the last step.
    std::optional<ChangePolicy> readBack_;
    std::string messageWriteOk_, messageWriteFailed_;
    QGroupBox* GroupBoxAccount = nullptr;
    QLabel *LabelAccount1 = nullptr, *LabelAccount2 = nullptr;
};

}  // namespace vorbix
