#include "editors/OpenCloseDrive.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "editors/EditorHost.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
constexpr EditorDialog::Design kDesign{lang::kOpenCloseDrive, {498, 287}, {498, 287}};

}  // namespace

TOpenCloseDrive::TOpenCloseDrive(QWidget* parent, EditorHost& host, const QIcon& icon)
    : EditorDialog(parent, host, kDesign, icon) {
    LabelOpenCloseDrive1 = new QLabel(this);
    layout().place(LabelOpenCloseDrive1, {20, 64, 458, 16}, A::L | A::T | A::R);
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    layout().place(CheckListBox1, {20, 82, 458, 83}, A::L | A::T | A::R | A::B);
    LabelOpenCloseDrive1->setBuddy(CheckListBox1);
    LabelOpenCloseDrive2 = new QLabel(this);
    LabelOpenCloseDrive2->setWordWrap(true);
    LabelOpenCloseDrive2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout().place(LabelOpenCloseDrive2, {20, 167, 458, 60}, A::L | A::R | A::B);
    setTabOrder(CheckListBox1, saveButton());
    setTabOrder(saveButton(), cancelButton());
}

void TOpenCloseDrive::setLanguageTexts(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    LabelOpenCloseDrive1->setText(t("LabelOpenCloseDrive1"));
    LabelOpenCloseDrive2->setText(t("LabelOpenCloseDrive2") + QLatin1Char('\n') +
                                  t("LabelOpenCloseDrive3"));
    unavailable_ = t("DriveUnavailable");
    takeTicks();
    fillList();
}

void TOpenCloseDrive::fillList() {
    const int current = CheckListBox1->currentRow();
    CheckListBox1->clear();
    const QColor dimmed = palette().color(QPalette::Disabled, QPalette::Text);
    for (const DriveEntry& e : model_.entries) {
        QString text = QString::fromStdString(OpenCloseDriveModel::rootOf(e.letter));
        if (!e.present) text += QStringLiteral(" (") + unavailable_ + QLatin1Char(')');
        auto* item = new QListWidgetItem(text, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(e.ticked ? Qt::Checked : Qt::Unchecked);
        if (!e.present) item->setForeground(dimmed);
    }
    if (current >= 0 && current < CheckListBox1->count()) CheckListBox1->setCurrentRow(current);
}

void TOpenCloseDrive::FormShow(const HotKeyEntry& row) {
    // The drives present now: one that was plugged in since the last opening is listed too.
    const Desktop desktop = host().desktop();
    const std::vector<std::string> present =
        desktop.drives ? desktop.drives->opticalDrives() : std::vector<std::string>{};
    model_.decode(row, present, host().texts());
    fillList();
    CheckListBox1->setCurrentRow(-1);
    CheckListBox1->setFocus();
}

void TOpenCloseDrive::takeTicks() {
    for (int i = 0; i < CheckListBox1->count() && i < int(model_.entries.size()); ++i) {
        model_.entries[size_t(i)].ticked = CheckListBox1->item(i)->checkState() == Qt::Checked;
    }
}

void TOpenCloseDrive::encode(HotKeyEntry& row) {
    takeTicks();
    model_.encode(row, host().texts().current);
}

}  // namespace vorbix
