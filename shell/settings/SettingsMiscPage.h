// The settings dialog's page "Sonstige Einstellungen": the automatic update check and its
// interval, how the main window is hidden, the combination that switches all hot keys off and
// on, and two options of the actions.
#pragma once

#include "shell/settings/SettingsPage.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace vorbix {

class BoxCaption;
class KeyNameSource;
class THotkeyEx;

class SettingsMiscPage : public SettingsPage {
    Q_OBJECT
public:
    SettingsMiscPage(QWidget* dialog, int ppi, const KeyNameSource& names);

    void SetLanguage(const LanguageFile& file, std::string_view section) override;
    void bind(SettingBindings& bindings) override;

    QCheckBox* CheckboxMiscellaneous1 = nullptr;
    QComboBox* ComboBoxUpdate = nullptr;
    QRadioButton* RadioHide1 = nullptr;
    QRadioButton* RadioHide2 = nullptr;
    QCheckBox* CheckboxMiscellaneous4 = nullptr;
    THotkeyEx* HotKey2 = nullptr;
    QCheckBox* CheckboxMiscellaneous2 = nullptr;
    QCheckBox* CheckboxMiscellaneous3 = nullptr;

private:
    // The interval box sits in the gap of the update box's caption: the caption's words before
    // the gap, the box, the words after it.
    void placeIntervalBox(const QString& caption);
    // The controls below a caption that wraps follow its height.
    void flowCaptions();

    const KeyNameSource& names_;
    QGroupBox *GroupBoxUpdate = nullptr, *GroupBoxHide = nullptr, *GroupBoxDeActivate = nullptr,
              *GroupBoxActionProperties = nullptr;
    QLabel* LabelUpdateDays = nullptr;
    QLabel* LabelMiscellaneous1 = nullptr;
    BoxCaption *CaptionMiscellaneous2 = nullptr, *CaptionMiscellaneous3 = nullptr,
               *CaptionMiscellaneous4 = nullptr;
};

}  // namespace vorbix
