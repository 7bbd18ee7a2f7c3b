#include "shell/settings/SettingsInterfacePage.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "components/ColorSwatch.h"
#include "components/DesignStyle.h"
#include "components/HotkeyEx.h"
#include "shell/settings/SettingBindings.h"
#include "shell/settings/SettingsHost.h"
#include "storage/LanguageFile.h"

namespace vorbix {

namespace {

// The colour group's height with the swatches hidden and shown.
constexpr int kColorGroupTop = 216;
constexpr int kColorGroupShort = 59;
constexpr int kColorGroupTall = 115;

ColorValue colorValueOf(const QColor& c) {
    return ColorValue(c.red()) | ColorValue(c.green()) << 8 | ColorValue(c.blue()) << 16;
}

}  // namespace

SettingsInterfacePage::SettingsInterfacePage(QWidget* dialog, SettingsHost& host)
    : SettingsPage(dialog, host.ppi()), host_(host) {
    setObjectName(QStringLiteral("Panel1"));
    GroupBoxMisc = group({10, 6, 477, 144});
    CheckboxGUI1 = put<QCheckBox>(GroupBoxMisc, {14, 22, 453, 20});
    CheckboxGUI2 = put<QCheckBox>(GroupBoxMisc, {14, 44, 453, 20});
    CheckboxGUI3 = put<QCheckBox>(GroupBoxMisc, {14, 66, 453, 20});
    LabelGUI1 = put<QLabel>(GroupBoxMisc, {33, 92, 434, 16});
    HotKey1 = put<THotkeyEx>(GroupBoxMisc, {33, 110, 230, 24});
    HotKey1->setKeyNames(&host.keyNames());
    LabelGUI1->setBuddy(HotKey1);
    CheckboxGUI1->setObjectName(QStringLiteral("CheckboxGUI1"));
    CheckboxGUI2->setObjectName(QStringLiteral("CheckboxGUI2"));
    CheckboxGUI3->setObjectName(QStringLiteral("CheckboxGUI3"));
    HotKey1->setObjectName(QStringLiteral("HotKey1"));
    followBox(CheckboxGUI3, HotKey1);
    // Ticking the box tells how the hidden window comes back.
    connect(CheckboxGUI3, &QCheckBox::clicked, this, [this](bool ticked) {
        if (ticked) {
            host_.prompter().showMessage(host_.mainText("MessageSymbol"), MessageType::Information);
        }
    });

    GroupBoxLanguage = group({10, 156, 477, 54});
    ComboBoxLanguage = put<QComboBox>(GroupBoxLanguage, {14, 21, 230, 24});
    ComboBoxLanguage->setObjectName(QStringLiteral("ComboBoxLanguage"));
    ComboBoxLanguage->addItems({QStringLiteral("Deutsch"), QStringLiteral("English")});
    connect(ComboBoxLanguage, &QComboBox::activated, this, [this] { emit languageChanged(); });

    GroupBoxColor = group({10, kColorGroupTop, 477, kColorGroupShort});
    ComboBoxColor = put<QComboBox>(GroupBoxColor, {14, 21, 230, 24});
    ComboBoxColor->setObjectName(QStringLiteral("ComboBoxColor"));
    for (const ColorScheme& scheme : colorSchemes()) {
        ComboBoxColor->addItem(
            QString::fromLatin1(scheme.name.data(), qsizetype(scheme.name.size())));
    }
    ComboBoxColor->addItem(QString());
    connect(ComboBoxColor, &QComboBox::activated, this, [this] { ApplyColorScheme(); });
    for (size_t i = 0; i < Shapes.size(); ++i) {
        const int column = int(i % 2), row = int(i / 2);
        ShapeLabels[i] = put<QLabel>(GroupBoxColor, {14 + column * 232, 58 + row * 28, 160, 20});
        Shapes[i] = put<ColorSwatch>(GroupBoxColor, {176 + column * 232, 57 + row * 28, 54, 22});
        Shapes[i]->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        ShapeLabels[i]->setBuddy(Shapes[i]);
        connect(Shapes[i], &ColorSwatch::pressed, this, [this, i] { ShapeMouseDown(i); });
    }
}

void SettingsInterfacePage::SetLanguage(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return text(file, section, key); };
    GroupBoxMisc->setTitle(t("GroupBoxMisc"));
    CheckboxGUI1->setText(t("CheckboxGUI1"));
    CheckboxGUI2->setText(t("CheckboxGUI2"));
    CheckboxGUI3->setText(t("CheckboxGUI3"));
    LabelGUI1->setText(t("LabelGUI1"));
    GroupBoxLanguage->setTitle(t("GroupBoxLanguage"));
    GroupBoxColor->setTitle(t("GroupBoxColor"));
    ComboBoxColor->setItemText(kCustomSchemeIndex, t("ComboboxColorItem4"));
    const std::string_view labels[] = {"LabelGUI2", "LabelGUI3", "LabelGUI4", "LabelGUI5"};
    for (size_t i = 0; i < ShapeLabels.size(); ++i) ShapeLabels[i]->setText(t(labels[i]));
}

void SettingsInterfacePage::bind(SettingBindings& b) {
    b.check(CheckboxGUI1, &SettingsConfig::welcomeCheckBoxTicked);
    b.check(CheckboxGUI2, &SettingsConfig::improvement);
    b.check(CheckboxGUI3, &SettingsConfig::symbolHotKeyOn);
    b.combination(HotKey1, &SettingsConfig::symbolHotKey, host_.keyNames());
    b.add(
        [this](const SettingsConfig& s) {
            ComboBoxLanguage->setCurrentIndex(s.language == "English");
        },
        [this](SettingsConfig& s) {
            s.language = ComboBoxLanguage->currentIndex() == 1 ? "English" : "German";
        });
    // The scheme's entry first (its swatches shown or hidden), then the stored colours.
    b.add(
        [this](const SettingsConfig& s) {
            ComboBoxColor->setCurrentIndex(s.schemeIndex.value_or(-1));
            ApplyColorScheme();
            for (size_t i = 0; i < colors_.size(); ++i) showSwatch(i, s.colors[i]);
        },
        [this](SettingsConfig& s) {
            const int entry = ComboBoxColor->currentIndex();
            s.schemeIndex = entry < 0 ? std::nullopt : std::optional<int>(entry);
            s.colors = colors_;
        });
}

void SettingsInterfacePage::ApplyColorScheme() {
    const int entry = ComboBoxColor->currentIndex();
    const bool custom = entry == kCustomSchemeIndex;
    if (entry >= 0 && !custom) {
        const ColorScheme& scheme = colorSchemes()[size_t(entry)];
        for (size_t i = 0; i < colors_.size(); ++i) showSwatch(i, scheme.colors[i]);
    }
    layout().replace(GroupBoxColor,
                     {10, kColorGroupTop, 477, custom ? kColorGroupTall : kColorGroupShort});
    for (size_t i = 0; i < Shapes.size(); ++i) {
        Shapes[i]->setVisible(custom);
        ShapeLabels[i]->setVisible(custom);
    }
}

void SettingsInterfacePage::showSwatch(size_t index, ColorValue value) {
    colors_[index] = value;
    Shapes[index]->setColor(toQColor(value, QApplication::palette()));
}

void SettingsInterfacePage::ShapeMouseDown(size_t index) {
    auto take = [this, index](const QColor& chosen) {
        lastPicked_ = chosen;
        showSwatch(index, colorValueOf(chosen));
    };
    if (picker_) {
        if (const std::optional<QColor> chosen = picker_(lastPicked_)) take(*chosen);
        return;
    }
    // Opened without a nested event loop, like every dialog of the program.
    auto* dialog = new QColorDialog(lastPicked_, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QColorDialog::colorSelected, this, take);
    dialog->open();
}

}  // namespace vorbix
