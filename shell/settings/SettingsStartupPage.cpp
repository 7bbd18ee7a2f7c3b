#include "shell/settings/SettingsStartupPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include "components/DesignStyle.h"

namespace vorbix {

SettingsStartupPage::SettingsStartupPage(QWidget* dialog, int ppi) : SettingsPage(dialog, ppi) {
    setObjectName(QStringLiteral("Panel2"));
    GroupBoxStartup = group({10, 6, 477, 124});
    CheckboxStartup1 = put<QCheckBox>(GroupBoxStartup, {14, 22, 453, 20});
    CheckboxStartup2 = put<QCheckBox>(GroupBoxStartup, {14, 46, 453, 20});
    LabelStartup1 = put<QLabel>(GroupBoxStartup, {14, 78, 453, 36});
    LabelStartup1->setWordWrap(true);
    LabelStartup1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    CheckboxStartup1->setObjectName(QStringLiteral("CheckboxStartup1"));
    CheckboxStartup2->setObjectName(QStringLiteral("CheckboxStartup2"));
    connect(CheckboxStartup1, &QCheckBox::toggled, this, [this] { CheckboxStartup1Click(); });
    CheckboxStartup1Click();
}

void SettingsStartupPage::SetLanguage(const LanguageFile& file, std::string_view section) {
    GroupBoxStartup->setTitle(text(file, section, "HeaderStartup"));
    CheckboxStartup1->setText(text(file, section, "CheckboxStartup1"));
    CheckboxStartup2->setText(text(file, section, "CheckboxStartup2"));
    LabelStartup1->setText(text(file, section, "LabelStartup1"));
}

void SettingsStartupPage::setChoice(const AutostartChoice& choice) {
    CheckboxStartup1->setChecked(choice.start);
    CheckboxStartup2->setChecked(choice.start && choice.hidden);
    CheckboxStartup1Click();
}

AutostartChoice SettingsStartupPage::choice() const {
    return {CheckboxStartup1->isChecked(),
            CheckboxStartup1->isChecked() && CheckboxStartup2->isChecked()};
}

void SettingsStartupPage::CheckboxStartup1Click() {
    CheckboxStartup2->setEnabled(CheckboxStartup1->isChecked());
    if (!CheckboxStartup1->isChecked()) CheckboxStartup2->setChecked(false);
}

}  // namespace vorbix
