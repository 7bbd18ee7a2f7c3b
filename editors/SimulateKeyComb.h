// TSimulateKeyComb: the editor of the key-simulation action (kind 9): the combination to press,
// captured in a THotkeyEx field (the Windows key included). OK refuses an incomplete
// combination and one that would fire the program itself: a row's hot key or one of the two
// special combinations of the settings.
#pragma once

#include "editors/EditorDialog.h"
#include "editors/SimulateKeyCombModel.h"

class QLabel;

namespace vorbix {

class THotkeyEx;

class TSimulateKeyComb : public EditorDialog {
    Q_OBJECT
public:
    TSimulateKeyComb(QWidget* parent, EditorHost& host, const QIcon& icon);

    THotkeyEx* field() const { return HotKey1; }

protected:
    void setLanguageTexts(const LanguageFile& file, std::string_view section) override;
    void FormShow(const HotKeyEntry& row) override;
    void checkInput(const std::function<void()>& accepted) override;
    void encode(HotKeyEntry& row) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    SimulateKeyCombModel model_;
    QLabel* LabelSimulateKeyComb1 = nullptr;
    THotkeyEx* HotKey1 = nullptr;
    std::string MessageHotKeyError1, MessageHotKeyError2, MessageFixedError;
};

}  // namespace vorbix
