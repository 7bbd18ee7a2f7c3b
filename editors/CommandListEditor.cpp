#include "editors/CommandListEditor.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "editors/EditorHost.h"

namespace vorbix {

namespace {

using A = AnchorLayout;

}  // namespace

CommandListEditor::CommandListEditor(QWidget* parent, EditorHost& host, const Design& design,
                                     const QIcon& icon, Texts texts)
    : EditorDialog(parent, host, design, icon), texts_(std::move(texts)), model_(texts_.list) {
    label_ = new QLabel(this);
    layout().place(label_, {20, 64, 458, 16}, A::L | A::T | A::R);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setMaxVisibleItems(10);
    ComboBox1->setIconSize(layout().scale(QSize(16, 16)));
    for (const Entry& e : texts_.entries) ComboBox1->addItem(host.icon(e.themeIcon, e.image), {});
    layout().place(ComboBox1, {20, 81, 458, 24}, A::L | A::T | A::R);
    label_->setBuddy(ComboBox1);
    if (!texts_.noteKey.empty()) {
        note_ = new QLabel(this);
        note_->setObjectName(QStringLiteral("Note"));
        note_->setWordWrap(true);
        note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        layout().place(note_, {20, 202, 437, 32}, A::L | A::R | A::B);
    }
    setTabOrder(ComboBox1, saveButton());
    setTabOrder(saveButton(), cancelButton());
}

std::vector<std::string> CommandListEditor::entryTexts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < ComboBox1->count(); ++i)
        texts.push_back(ComboBox1->itemText(i).toStdString());
    return texts;
}

void CommandListEditor::setLanguageTexts(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    label_->setText(t(texts_.labelKey));
    if (note_) note_->setText(t(texts_.noteKey));
    for (size_t i = 0; i < texts_.entries.size(); ++i) {
        const Entry& e = texts_.entries[i];
        ComboBox1->setItemText(int(i), e.key.empty()
                                           ? QString::fromUtf8(e.fixed.data(), int(e.fixed.size()))
                                           : t(e.key));
    }
}

void CommandListEditor::FormShow(const HotKeyEntry& row) {
    model_.decode(row, entryTexts(), host().texts());
    ComboBox1->setCurrentIndex(model_.entry);
    ComboBox1->setFocus();
}

void CommandListEditor::encode(HotKeyEntry& row) {
    model_.entry = ComboBox1->currentIndex();
    model_.encode(row, entryTexts());
}

}  // namespace vorbix
