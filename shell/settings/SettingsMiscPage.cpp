#include "shell/settings/SettingsMiscPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>

#include "components/BoxCaption.h"
#include "components/DesignStyle.h"
#include "components/HotkeyEx.h"
#include "shell/settings/SettingBindings.h"
#include "storage/LanguageFile.h"

namespace vorbix {

namespace {

constexpr QRect kUpdateRow{14, 22, 453, 22};
constexpr int kIntervalBoxWidth = 56;
constexpr int kGap = 4;

}  // namespace

SettingsMiscPage::SettingsMiscPage(QWidget* dialog, int ppi, const KeyNameSource& names)
    : SettingsPage(dialog, ppi), names_(names) {
    setObjectName(QStringLiteral("Panel4"));
    GroupBoxUpdate = group({10, 4, 477, 54});
    CheckboxMiscellaneous1 = new QCheckBox(GroupBoxUpdate);
    ComboBoxUpdate = new QComboBox(GroupBoxUpdate);
    LabelUpdateDays = new QLabel(GroupBoxUpdate);
    for (int32_t days : kUpdateIntervals) ComboBoxUpdate->addItem(QString::number(days));
    LabelUpdateDays->setBuddy(ComboBoxUpdate);
    CheckboxMiscellaneous1->setObjectName(QStringLiteral("CheckboxMiscellaneous1"));
    ComboBoxUpdate->setObjectName(QStringLiteral("ComboBoxUpdate"));
    connect(CheckboxMiscellaneous1, &QCheckBox::toggled, ComboBoxUpdate, &QWidget::setEnabled);

    GroupBoxHide = group({10, 62, 477, 70});
    RadioHide1 = put<QRadioButton>(GroupBoxHide, {14, 22, 453, 20});
    RadioHide2 = put<QRadioButton>(GroupBoxHide, {14, 44, 453, 20});
    RadioHide1->setObjectName(QStringLiteral("RadioHide1"));
    RadioHide2->setObjectName(QStringLiteral("RadioHide2"));
    RadioHide1->setChecked(true);

    GroupBoxDeActivate = group({10, 136, 477, 88});
    CheckboxMiscellaneous4 =
        wrappingCheck(GroupBoxDeActivate, {14, 22, 453, 34}, &CaptionMiscellaneous4);
    HotKey2 = put<THotkeyEx>(GroupBoxDeActivate, {36, 56, 230, 24});
    HotKey2->setKeyNames(&names);
    CheckboxMiscellaneous4->setObjectName(QStringLiteral("CheckboxMiscellaneous4"));
    HotKey2->setObjectName(QStringLiteral("HotKey2"));
    followBox(CheckboxMiscellaneous4, HotKey2);

    GroupBoxActionProperties = group({10, 228, 477, 143});
    CheckboxMiscellaneous2 =
        wrappingCheck(GroupBoxActionProperties, {14, 22, 453, 34}, &CaptionMiscellaneous2);
    LabelMiscellaneous1 = put<QLabel>(GroupBoxActionProperties, {36, 56, 427, 44});
    LabelMiscellaneous1->setWordWrap(true);
    LabelMiscellaneous1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelMiscellaneous1->setFont(designFont("Tahoma", 11));
    CheckboxMiscellaneous3 =
        wrappingCheck(GroupBoxActionProperties, {14, 104, 453, 34}, &CaptionMiscellaneous3);
    CheckboxMiscellaneous2->setObjectName(QStringLiteral("CheckboxMiscellaneous2"));
    CheckboxMiscellaneous3->setObjectName(QStringLiteral("CheckboxMiscellaneous3"));
}

void SettingsMiscPage::SetLanguage(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return text(file, section, key); };
    GroupBoxUpdate->setTitle(t("GroupBoxUpdate"));
    placeIntervalBox(t("CheckboxMiscellaneous1"));
    GroupBoxHide->setTitle(t("GroupBoxHide"));
    RadioHide1->setText(t("RadioHide1"));
    RadioHide2->setText(t("RadioHide2"));
    GroupBoxDeActivate->setTitle(t("GroupBoxDeActivate"));
    CaptionMiscellaneous4->setText(t("CheckboxMiscellaneous4"));
    GroupBoxActionProperties->setTitle(t("GroupBoxActionProperties"));
    CaptionMiscellaneous2->setText(t("CheckboxMiscellaneous2"));
    LabelMiscellaneous1->setText(t("LabelMiscellaneous1"));
    CaptionMiscellaneous3->setText(t("CheckboxMiscellaneous3"));
    flowCaptions();
}

void SettingsMiscPage::flowCaptions() {
    // What follows a caption starts below its last line, in every language.
    auto bottomOf = [](QLabel* label) {
        label->resize(label->width(), label->heightForWidth(label->width()));
        return label->geometry().bottom();
    };
    HotKey2->move(HotKey2->x(), bottomOf(CaptionMiscellaneous4) + scale(6));
    LabelMiscellaneous1->move(LabelMiscellaneous1->x(), bottomOf(CaptionMiscellaneous2) + scale(3));
    const int next = bottomOf(LabelMiscellaneous1) + scale(8);
    CheckboxMiscellaneous3->move(CheckboxMiscellaneous3->x(), next);
    CaptionMiscellaneous3->move(CaptionMiscellaneous3->x(), next + scale(2));
    bottomOf(CaptionMiscellaneous3);
}

void SettingsMiscPage::placeIntervalBox(const QString& caption) {
    // The words before the first run of two or more blanks, and those after it.
    static const QRegularExpression gap(QStringLiteral("\\s{2,}"));
    const QRegularExpressionMatch m = gap.match(caption);
    const QString before = (m.hasMatch() ? caption.left(m.capturedStart()) : caption).trimmed();
    const QString after = m.hasMatch() ? caption.mid(m.capturedEnd()).trimmed() : QString();
    CheckboxMiscellaneous1->setText(before);
    LabelUpdateDays->setText(after);
    const QRect row = scaledRect(kUpdateRow);
    const int boxWidth = CheckboxMiscellaneous1->sizeHint().width();
    CheckboxMiscellaneous1->setGeometry(row.left(), row.top(), boxWidth, row.height());
    const int comboLeft = row.left() + boxWidth + scale(kGap);
    ComboBoxUpdate->setGeometry(comboLeft, row.top(), scale(kIntervalBoxWidth), row.height());
    const int labelLeft = comboLeft + scale(kIntervalBoxWidth) + scale(kGap) + scale(2);
    LabelUpdateDays->setGeometry(labelLeft, row.top(), row.right() - labelLeft, row.height());
}

void SettingsMiscPage::bind(SettingBindings& b) {
    b.check(CheckboxMiscellaneous1, &SettingsConfig::autoUpdate);
    b.add(
        [this](const SettingsConfig& s) {
            int entry = 0;
            for (size_t i = 0; i < kUpdateIntervals.size(); ++i) {
                if (kUpdateIntervals[i] == s.updateIntervalDays) entry = int(i);
            }
            ComboBoxUpdate->setCurrentIndex(entry);
            ComboBoxUpdate->setEnabled(s.autoUpdate);
        },
        [this](SettingsConfig& s) {
            s.updateIntervalDays =
                kUpdateIntervals[size_t(std::max(0, ComboBoxUpdate->currentIndex()))];
        });
    b.add(
        [this](const SettingsConfig& s) {
            (s.hideByMinimize ? RadioHide2 : RadioHide1)->setChecked(true);
        },
        [this](SettingsConfig& s) { s.hideByMinimize = RadioHide2->isChecked(); });
    b.check(CheckboxMiscellaneous4, &SettingsConfig::deActivateHotKeyOn);
    b.combination(HotKey2, &SettingsConfig::deActivateHotKey, names_);
    b.check(CheckboxMiscellaneous2, &SettingsConfig::saveClipboard);
    b.check(CheckboxMiscellaneous3, &SettingsConfig::pathCheck, false);
}

}  // namespace vorbix
