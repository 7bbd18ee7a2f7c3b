// The settings dialog's page "Benutzeroberfläche": the welcome page and suggestion link, hiding
// the tray icon behind a combination, the language, and the colour scheme with its swatches.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include "shell/settings/SettingsPage.h"
#include "storage/Colors.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace vorbix {

class ColorSwatch;
class SettingsHost;
class THotkeyEx;

class SettingsInterfacePage : public SettingsPage {
    Q_OBJECT
public:
    // Chooses a colour, starting from the one given; nullopt on Cancel.
    using ColorPicker = std::function<std::optional<QColor>(const QColor& start)>;

    SettingsInterfacePage(QWidget* dialog, SettingsHost& host);

    void SetLanguage(const LanguageFile& file, std::string_view section) override;
    void bind(SettingBindings& bindings) override;

    // Entries 0 to 2 set the swatches to the scheme's colours and hide them; entry 3 shows them
    // and keeps their colours.
    void ApplyColorScheme();
    // Stands in for the colour dialog (tests); none: Qt's, opened with open().
    void setColorPicker(ColorPicker picker) { picker_ = std::move(picker); }

    QCheckBox* CheckboxGUI1 = nullptr;
    QCheckBox* CheckboxGUI2 = nullptr;
    QCheckBox* CheckboxGUI3 = nullptr;
    THotkeyEx* HotKey1 = nullptr;
    QComboBox* ComboBoxLanguage = nullptr;
    QComboBox* ComboBoxColor = nullptr;
    std::array<ColorSwatch*, 4> Shapes{};

signals:
    // The user chose another entry of the language box.
    void languageChanged();

private:
    void ShapeMouseDown(size_t index);
    void showSwatch(size_t index, ColorValue value);

    SettingsHost& host_;
    ColorPicker picker_;
    QColor lastPicked_ = Qt::black;
    std::array<ColorValue, 4> colors_{};
    QGroupBox *GroupBoxMisc = nullptr, *GroupBoxLanguage = nullptr, *GroupBoxColor = nullptr;
    QLabel* LabelGUI1 = nullptr;
    std::array<QLabel*, 4> ShapeLabels{};
};

}  // namespace vorbix
