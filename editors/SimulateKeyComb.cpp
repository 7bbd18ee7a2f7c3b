#include "editors/SimulateKeyComb.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "components/HotkeyEx.h"
#include "editors/EditorHost.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
constexpr EditorDialog::Design kDesign{lang::kSimulateKeyComb, {498, 287}, {498, 287}};

}  // namespace

TSimulateKeyComb::TSimulateKeyComb(QWidget* parent, EditorHost& host, const QIcon& icon)
    : EditorDialog(parent, host, kDesign, icon) {
    LabelSimulateKeyComb1 = new QLabel(this);
    layout().place(LabelSimulateKeyComb1, {20, 64, 458, 16}, A::L | A::T | A::R);
    HotKey1 = new THotkeyEx(this);
    HotKey1->setObjectName(QStringLiteral("HotKey1"));
    HotKey1->setKeyNames(&host.keyNames());
    layout().place(HotKey1, {20, 81, 458, 25}, A::L | A::T | A::R);
    LabelSimulateKeyComb1->setBuddy(HotKey1);
    // Enter confirms what the field shows: the field would take it as a key that empties it.
    HotKey1->installEventFilter(this);
    setTabOrder(HotKey1, saveButton());
    setTabOrder(saveButton(), cancelButton());
}

bool TSimulateKeyComb::eventFilter(QObject* watched, QEvent* e) {
    if (watched == HotKey1 && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            saveButton()->click();
            return true;
        }
    }
    return EditorDialog::eventFilter(watched, e);
}

void TSimulateKeyComb::setLanguageTexts(const LanguageFile& file, std::string_view section) {
    LabelSimulateKeyComb1->setText(
        QString::fromStdString(file.text(section, "LabelSimulateKeyComb1")));
    MessageHotKeyError1 = file.text(section, "MessageHotKeyError1");
    MessageHotKeyError2 = file.text(section, "MessageHotKeyError2");
    MessageFixedError = file.text(section, "MessageFixedError");
}

void TSimulateKeyComb::FormShow(const HotKeyEntry& row) {
    HotKey1->setHotKey(0);
    model_.decode(row, host().texts(), host().keyNames());
    HotKey1->setHotKey(model_.shortCut);
    HotKey1->setFocus();
}

void TSimulateKeyComb::checkInput(const std::function<void()>& accepted) {
    // The field gives up the keyboard before anything else happens.
    saveButton()->setFocus();
    model_.shortCut = HotKey1->HotKey();
    const KeyCombCheck verdict =
        model_.check(host().table(), host().reservedCombinations(), host().keyNames());
    const std::string* message = nullptr;
    switch (verdict) {
        case KeyCombCheck::Accepted:
            return accepted();
        case KeyCombCheck::Incomplete:
            message = &MessageHotKeyError2;
            break;
        case KeyCombCheck::SpecialHotKey:
            message = &MessageFixedError;
            break;
        case KeyCombCheck::RowHotKey:
            message = &MessageHotKeyError1;
            break;
    }
    host().prompter().showMessage(*message, MessageType::Information);
    // The field keeps its value; the user may press another combination at once.
    HotKey1->setFocus();
}

void TSimulateKeyComb::encode(HotKeyEntry& row) {
    model_.shortCut = HotKey1->HotKey();
    model_.encode(row, host().keyNames());
}

}  // namespace vorbix
