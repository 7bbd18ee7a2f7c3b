// TAdjustVolume: the editor of the volume action (kind 11): the playback device, and a change of
// the volume by an amount or the mute switch. The device list is read from the sound system
// each time the editor is shown; without a device (or without a sound system) a panel says so
// and covers the choices.
#pragma once

#include "editors/AdjustVolumeModel.h"
#include "editors/EditorDialog.h"

class QComboBox;
class QLabel;
class QRadioButton;
class QSlider;

namespace vorbix {

class TAdjustVolume : public EditorDialog {
    Q_OBJECT
public:
    TAdjustVolume(QWidget* parent, EditorHost& host, const QIcon& icon);

    QComboBox* deviceBox() const { return ComboBoxAudioDevices; }
    QRadioButton* amountChoice() const { return RadioAdjustVolume1; }
    QRadioButton* muteChoice() const { return RadioAdjustVolume2; }
    QSlider* amountBar() const { return TrackBar1; }
    QLabel* amountLabel() const { return LabelAdjustVolume2; }
    QWidget* noDevicePanel() const { return Panel6; }

protected:
    void setLanguageTexts(const LanguageFile& file, std::string_view section) override;
    void FormShow(const HotKeyEntry& row) override;
    void encode(HotKeyEntry& row) override;

private:
    void TrackBar1Change();
    void choiceChanged();

    AdjustVolumeModel model_;
    std::string muteText_;
    QWidget* Panel1 = nullptr;
    QLabel* LabelAudioDevices = nullptr;
    QComboBox* ComboBoxAudioDevices = nullptr;
    QRadioButton *RadioAdjustVolume1 = nullptr, *RadioAdjustVolume2 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QLabel *LabelAdjustVolume1 = nullptr, *LabelAdjustVolume2 = nullptr;
    QWidget* Panel6 = nullptr;
    QLabel* LabelNoDevice = nullptr;
};

}  // namespace vorbix
