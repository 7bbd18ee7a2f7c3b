#include "shell/settings/SettingsAccountPage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "shell/settings/SettingsHost.h"
#include "storage/LanguageFile.h"

namespace vorbix {

SettingsAccountPage::SettingsAccountPage(QWidget* dialog, SettingsHost& host)
    : SettingsPage(dialog, host.ppi()), host_(host) {
    setObjectName(QStringLiteral("Panel3"));
    GroupBoxAccount = group({10, 6, 477, 170});
    ComboBoxAccount = put<QComboBox>(GroupBoxAccount, {14, 24, 318, 24});
    ComboBoxAccount->setObjectName(QStringLiteral("ComboBoxAccount"));
    ComboBoxAccount->addItems({QString(), QString(), QString(), QString()});
    ButtonApply = put<QPushButton>(GroupBoxAccount, {340, 22, 123, 28});
    ButtonApply->setObjectName(QStringLiteral("ButtonApply"));
    ButtonApply->setAutoDefault(false);
    connect(ButtonApply, &QPushButton::clicked, this, [this] { ButtonApplyClick(); });
    LabelAccount1 = put<QLabel>(GroupBoxAccount, {14, 64, 449, 16});
    EditLocation = put<QLineEdit>(GroupBoxAccount, {14, 82, 449, 24});
    EditLocation->setObjectName(QStringLiteral("EditLocation"));
    EditLocation->setReadOnly(true);
    LabelAccount1->setBuddy(EditLocation);
    LabelAccount2 = put<QLabel>(GroupBoxAccount, {14, 118, 449, 36});
    LabelAccount2->setWordWrap(true);
    LabelAccount2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void SettingsAccountPage::SetLanguage(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return text(file, section, key); };
    GroupBoxAccount->setTitle(t("GroupBoxAccount"));
    const std::string_view items[] = {"ComboboxAccountItem1", "ComboboxAccountItem2",
                                      "ComboboxAccountItem3", "ComboboxAccountItem4"};
    for (int i = 0; i < 4; ++i) ComboBoxAccount->setItemText(i, t(items[i]));
    ButtonApply->setText(t("ButtonApply"));
    LabelAccount1->setText(t("LabelAccount1"));
    LabelAccount2->setText(t("LabelAccount2"));
    messageWriteOk_ = file.text(section, "MessageWriteOK");
    messageWriteFailed_ = file.text(section, "MessageWriteFailed");
}

void SettingsAccountPage::load() {
    const Permissions& p = host_.permissions();
    // The policy as read at start, or as the file held after the last step of this run.
    ComboBoxAccount->setCurrentIndex(
        accountEntryFor(readBack_.value_or(ChangePolicy{p.allowChangesHkv, p.allowChangesCfg})));
    ComboBoxAccount->setEnabled(p.isAdministrator);
    ButtonApply->setVisible(p.isAdministrator);
    EditLocation->setText(QString::fromStdString(host_.dataFolder()));
}

void SettingsAccountPage::ButtonApplyClick() {
    if (!host_.permissions().isAdministrator) return;
    const ChangePolicy asked = policyForAccountEntry(ComboBoxAccount->currentIndex());
    QPointer<SettingsAccountPage> self(this);
    const bool started =
        host_.policyStep().start(asked, [self, asked](const PolicyStep::Result& r) {
            if (self) self->stepEnded(asked, r);
        });
    if (started) emit busy(true);
}

void SettingsAccountPage::stepEnded(const ChangePolicy& asked, const PolicyStep::Result& result) {
    // The file decides the box, whatever the step reported.
    readBack_ = result.readBack;
    ComboBoxAccount->setCurrentIndex(accountEntryFor(result.readBack));
    emit busy(false);
    if (result.readBack == asked) {
        host_.prompter().showMessage(messageWriteOk_, MessageType::Information);
    } else if (result.authorised) {
        std::string text = messageWriteFailed_;
        if (!result.failure.empty()) text += "\r\n\r\n" + result.failure;
        host_.prompter().showMessage(text, MessageType::Error);
    }
}

}  // namespace vorbix
