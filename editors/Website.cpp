#include "editors/Website.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editors/EditorHost.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
constexpr EditorDialog::Design kDesign{lang::kWebsite, {498, 287}, {498, 287}};

}  // namespace

TWebsite::TWebsite(QWidget* parent, EditorHost& host, const QIcon& icon)
    : EditorDialog(parent, host, kDesign, icon) {
    LabelWebsite1 = new QLabel(this);
    layout().place(LabelWebsite1, {20, 64, 458, 16}, A::L | A::T | A::R);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    layout().place(Edit1, {20, 81, 458, 24}, A::L | A::T | A::R);
    LabelWebsite1->setBuddy(Edit1);
    LabelWebsite2 = new QLabel(this);
    layout().place(LabelWebsite2, {20, 120, 458, 16}, A::L | A::T | A::R);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QString(), QString(), QString()});
    layout().place(ComboBox1, {20, 137, 458, 24}, A::L | A::T | A::R);
    LabelWebsite2->setBuddy(ComboBox1);
    setTabOrder(Edit1, ComboBox1);
    setTabOrder(ComboBox1, saveButton());
    setTabOrder(saveButton(), cancelButton());
}

void TWebsite::setLanguageTexts(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    LabelWebsite1->setText(t("LabelWebsite1"));
    LabelWebsite2->setText(t("LabelWebsite2"));
    const std::string_view items[] = {"Combobox1Item1", "Combobox1Item2", "Combobox1Item3"};
    for (int i = 0; i < 3; ++i) ComboBox1->setItemText(i, t(items[i]));
}

void TWebsite::FormShow(const HotKeyEntry& row) {
    model_.decode(row, host().texts());
    Edit1->setText(QString::fromStdString(model_.address));
    ComboBox1->setCurrentIndex(int(model_.mode));
    Edit1->setFocus();
}

void TWebsite::encode(HotKeyEntry& row) {
    model_.address = Edit1->text().toStdString();
    model_.mode = WindowModeEntry(std::max(0, ComboBox1->currentIndex()));
    model_.encode(row, host().texts().current);
}

}  // namespace vorbix
