#include "editors/AdjustVolume.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>

#include "editors/EditorHost.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
// Designed higher than its smallest size.
constexpr EditorDialog::Design kDesign{lang::kAdjustVolume, {498, 339}, {498, 287}};
// The white panel that holds the choices; its controls are placed relative to it.
constexpr QPoint kPanel{20, 64};

QRect onPanel(int x, int y, int w, int h) {
    return {kPanel.x() + x, kPanel.y() + y, w, h};
}

QWidget* whitePanel(QWidget* parent) {
    auto* panel = new QWidget(parent);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, Qt::white);
    panel->setPalette(p);
    panel->setAutoFillBackground(true);
    return panel;
}

}  // namespace

TAdjustVolume::TAdjustVolume(QWidget* parent, EditorHost& host, const QIcon& icon)
    : EditorDialog(parent, host, kDesign, icon) {
    Panel1 = whitePanel(this);
    layout().place(Panel1, onPanel(0, 0, 458, 193), A::L | A::T | A::R);
    LabelAudioDevices = new QLabel(this);
    layout().place(LabelAudioDevices, onPanel(0, 4, 441, 16), A::L | A::T | A::R);
    ComboBoxAudioDevices = new QComboBox(this);
    ComboBoxAudioDevices->setObjectName(QStringLiteral("ComboBoxAudioDevices"));
    layout().place(ComboBoxAudioDevices, onPanel(0, 26, 441, 24), A::L | A::T | A::R);
    LabelAudioDevices->setBuddy(ComboBoxAudioDevices);
    RadioAdjustVolume1 = new QRadioButton(this);
    RadioAdjustVolume1->setObjectName(QStringLiteral("RadioAdjustVolume1"));
    layout().place(RadioAdjustVolume1, onPanel(0, 64, 441, 18), A::L | A::T | A::R);
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(kVolumeStepsMin, kVolumeStepsMax);
    TrackBar1->setPageStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    layout().place(TrackBar1, onPanel(8, 84, 443, 45), A::L | A::T | A::R);
    LabelAdjustVolume1 = new QLabel(this);
    layout().place(LabelAdjustVolume1, onPanel(18, 132, 64, 16));
    LabelAdjustVolume2 = new QLabel(QStringLiteral("0%"), this);
    LabelAdjustVolume2->setObjectName(QStringLiteral("LabelAdjustVolume2"));
    layout().place(LabelAdjustVolume2, onPanel(84, 132, 80, 16));
    RadioAdjustVolume2 = new QRadioButton(this);
    RadioAdjustVolume2->setObjectName(QStringLiteral("RadioAdjustVolume2"));
    layout().place(RadioAdjustVolume2, onPanel(0, 170, 441, 18), A::L | A::T | A::R);
    RadioAdjustVolume1->setChecked(true);

    // Covers the choices when there is no device to choose.
    Panel6 = whitePanel(this);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    layout().place(Panel6, {20, 128, 458, 153}, A::L | A::T | A::R);
    LabelNoDevice = new QLabel(Panel6);
    LabelNoDevice->setObjectName(QStringLiteral("LabelNoDevice"));
    LabelNoDevice->setWordWrap(true);
    LabelNoDevice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelNoDevice->setGeometry(layout().scale(QRect(0, 0, 441, 48)));
    Panel6->hide();

    setTabOrder(ComboBoxAudioDevices, RadioAdjustVolume1);
    setTabOrder(RadioAdjustVolume1, TrackBar1);
    setTabOrder(TrackBar1, RadioAdjustVolume2);
    setTabOrder(RadioAdjustVolume2, saveButton());
    setTabOrder(saveButton(), cancelButton());
    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(RadioAdjustVolume1, &QRadioButton::toggled, this, [this] { choiceChanged(); });
}

void TAdjustVolume::setLanguageTexts(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    LabelAudioDevices->setText(t("LabelAudioDevices"));
    RadioAdjustVolume1->setText(t("RadioAdjustVolume1"));
    RadioAdjustVolume2->setText(t("RadioAdjustVolume2"));
    LabelAdjustVolume1->setText(t("LabelAdjustVolume1"));
    // The amount follows the label, however long the language makes it.
    const int ppi = layout().ppi();
    const int text =
        LabelAdjustVolume1->fontMetrics().horizontalAdvance(LabelAdjustVolume1->text());
    const int amountX = std::max(84, 18 + (text * 96 + ppi - 1) / ppi + 6);
    layout().replace(LabelAdjustVolume1, onPanel(18, 132, amountX - 18, 16));
    layout().replace(LabelAdjustVolume2, onPanel(amountX, 132, 80, 16));
    LabelNoDevice->setText(t("LabelNoDevice"));
    muteText_ = file.text(section, "Mute");
}

void TAdjustVolume::FormShow(const HotKeyEntry& row) {
    model_.decode(row, host().texts(), muteText_, host().desktop().audio);
    {
        const QSignalBlocker blockBox(ComboBoxAudioDevices);
        const QSignalBlocker blockBar(TrackBar1);
        const QSignalBlocker blockChoice(RadioAdjustVolume1);
        ComboBoxAudioDevices->clear();
        for (const TDeviceInfo& d : model_.devices) {
            ComboBoxAudioDevices->addItem(
                QString::fromStdString(d.DeviceName.empty() ? d.DeviceId : d.DeviceName));
        }
        ComboBoxAudioDevices->setCurrentIndex(model_.device);
        (model_.mute ? RadioAdjustVolume2 : RadioAdjustVolume1)->setChecked(true);
        TrackBar1->setValue(model_.steps);
    }
    choiceChanged();
    Panel6->setVisible(model_.devices.empty());
    Panel6->raise();
    ComboBoxAudioDevices->setFocus();
}

void TAdjustVolume::TrackBar1Change() {
    model_.setSteps(TrackBar1->value());
    LabelAdjustVolume2->setText(QString::fromStdString(model_.amount));
}

void TAdjustVolume::choiceChanged() {
    const bool amount = RadioAdjustVolume1->isChecked();
    if (!amount) {
        model_.setMute(true);
        const QSignalBlocker block(TrackBar1);
        TrackBar1->setValue(0);
    } else {
        model_.mute = false;
    }
    LabelAdjustVolume2->setText(QString::fromStdString(model_.amount));
    TrackBar1->setEnabled(amount);
    LabelAdjustVolume1->setEnabled(amount);
    LabelAdjustVolume2->setEnabled(amount);
}

void TAdjustVolume::encode(HotKeyEntry& row) {
    model_.device = ComboBoxAudioDevices->currentIndex();
    model_.mute = RadioAdjustVolume2->isChecked();
    model_.encode(row, muteText_);
}

}  // namespace vorbix
