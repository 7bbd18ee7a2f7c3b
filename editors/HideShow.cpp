#include "editors/HideShow.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "editors/EditorHost.h"
#include "editors/KeywordListBox.h"
#include "storage/ConfigFile.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
constexpr EditorDialog::Design kDesign{lang::kHideShow, {499, 414}, {499, 414}};
// The lower part with and without the take-over list (which then gives its room to the list).
constexpr QRect kListWithTakeOver{20, 102, 458, 177}, kListAlone{20, 102, 458, 225};
constexpr QRect kEditWithTakeOver{20, 287, 355, 24}, kEditAlone{20, 335, 355, 24};
constexpr QRect kAddWithTakeOver{381, 286, 97, 26}, kAddAlone{381, 334, 97, 26};

bool isEnter(QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(e)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

THideShow::THideShow(QWidget* parent, EditorHost& host, const QIcon& icon)
    : EditorDialog(parent, host, kDesign, icon) {
    icons_[0] = host.actionIcon(ActionKind::HideWindows);
    icons_[1] = host.actionIcon(ActionKind::ShowWindows);
    LabelHideShow = new QLabel(this);
    LabelHideShow->setWordWrap(true);
    LabelHideShow->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout().place(LabelHideShow, {20, 64, 458, 32}, A::L | A::T | A::R);
    ListBox1 = new KeywordListBox(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    layout().place(ListBox1, kListWithTakeOver, A::L | A::T | A::R | A::B);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    layout().place(Edit1, kEditWithTakeOver, A::L | A::R | A::B);
    ButtonAdd = new QPushButton(this);
    ButtonAdd->setObjectName(QStringLiteral("ButtonAdd"));
    ButtonAdd->setIcon(host.icon("list-add", "Add.svg"));
    ButtonAdd->setAutoDefault(false);
    layout().place(ButtonAdd, kAddWithTakeOver, A::R | A::B);
    LabelHideShow3 = new QLabel(this);
    layout().place(LabelHideShow3, {20, 317, 300, 16}, A::L | A::B);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    layout().place(ComboBox1, {20, 335, 233, 24}, A::L | A::B);
    LabelHideShow3->setBuddy(ComboBox1);

    // Del deletes the selected entries while the list has the focus; in the keyword box it
    // edits the text.
    DeleteSelected = new QAction(this);
    DeleteSelected->setObjectName(QStringLiteral("DeleteSelected"));
    DeleteSelected->setIcon(QIcon::fromTheme(QStringLiteral("edit-delete")));
    DeleteSelected->setShortcut(QKeySequence::Delete);
    DeleteSelected->setShortcutContext(Qt::WidgetShortcut);
    ListBox1->addAction(DeleteSelected);
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(DeleteSelected);
        DeleteSelected->setEnabled(!ListBox1->selectedItems().isEmpty());
        menu.exec(ListBox1->viewport()->mapToGlobal(at));
        DeleteSelected->setEnabled(true);
    });
    connect(DeleteSelected, &QAction::triggered, this, [this] { DeleteSelectedExecute(); });
    connect(ButtonAdd, &QPushButton::clicked, this, [this] { ButtonAddClick(); });
    connect(ComboBox1, &QComboBox::activated, this, [this](int i) { ComboBox1Change(i); });
    Edit1->installEventFilter(this);
    ComboBox1->installEventFilter(this);
    saveButton()->setDefault(false);

    setTabOrder(Edit1, ButtonAdd);
    setTabOrder(ButtonAdd, ComboBox1);
    setTabOrder(ComboBox1, saveButton());
    setTabOrder(saveButton(), cancelButton());
}

void THideShow::setLanguageTexts(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    captions_[0] = t("FormCaption1");
    captions_[1] = t("FormCaption2");
    headers_[0] = t("LabelHeader1");
    headers_[1] = t("LabelHeader2");
    explanations_[0] = t("LabelHideShow1");
    explanations_[1] = t("LabelHideShow2");
    LabelHideShow3->setText(t("LabelHideShow3"));
    ButtonAdd->setText(t("ButtonAdd"));
    DeleteSelected->setText(t("DeleteSelected"));
    for (int i = 0; i < 3; ++i) {
        refusals_[i] = file.text(section, "MessageHide" + std::to_string(i + 1));
    }
    showVariantTexts();
}

void THideShow::showVariantTexts() {
    const int v = model_.showVariant ? 1 : 0;
    setWindowTitle(captions_[v]);
    setHeader(headers_[v], icons_[v]);
    LabelHideShow->setText(explanations_[v]);
}

bool THideShow::takeNotice() {
    auto file = ConfigFile::open(host().configPath());
    if (!file || file->read(config::kHideShowNotice) != config::kFlagOff) return false;
    file->write(config::kHideShowNotice, config::kFlagOn);
    file->save();
    return true;
}

void THideShow::FormShow(const HotKeyEntry& row) {
    if (takeNotice()) {
        const LanguageFile& file = host().language().file();
        const std::string notice = file.text(lang::kMain, "MessageHideShow1") + "\r\n\r\n" +
                                   file.text(lang::kMain, "MessageHideShow2");
        // Once the editor is open: the box returns at once, and over the window-modal editor it
        // belongs to the editor; opened before, the editor would block it.
        QTimer::singleShot(0, this, [this, notice] {
            host().prompter().showMessage(notice, MessageType::Information);
        });
    }
    const QPersistentModelIndex& index = currentRow();
    const std::vector<HotKeyEntry>& rows = host().table().rows();
    // The row's place in the table; the row itself when the index does not lead there.
    size_t at = index.isValid() ? size_t(index.row()) : rows.size();
    if (at >= rows.size() || !(rows[at] == row)) at = rows.size();
    if (at == rows.size()) {
        std::vector<HotKeyEntry> alone{row};
        model_.decode(alone, 0, host().texts());
    } else {
        model_.decode(rows, at, host().texts());
    }
    showVariantTexts();
    Edit1->clear();
    ListBox1->setKeywords(model_.list);
    ComboBox1->clear();
    for (const KeywordOffer& offer : model_.offers) {
        ComboBox1->addItem(QString::fromStdString(offer.hotKeyText));
    }
    ComboBox1->setCurrentIndex(-1);
    layOutTakeOver(!model_.offers.empty());
    Edit1->setFocus();
}

void THideShow::layOutTakeOver(bool shown) {
    LabelHideShow3->setVisible(shown);
    ComboBox1->setVisible(shown);
    layout().replace(ListBox1, shown ? kListWithTakeOver : kListAlone);
    layout().replace(Edit1, shown ? kEditWithTakeOver : kEditAlone);
    layout().replace(ButtonAdd, shown ? kAddWithTakeOver : kAddAlone);
}

void THideShow::ButtonAddClick() {
    model_.list = ListBox1->keywords();
    const KeywordCheck check = model_.add(Edit1->text().toStdString());
    Edit1->clear();
    if (check == KeywordCheck::Added) {
        ListBox1->setKeywords(model_.list);
        ListBox1->scrollToBottom();
        return;
    }
    host().prompter().showMessage(refusals_[int(check) - 1], MessageType::Error);
}

void THideShow::DeleteSelectedExecute() {
    KeywordList list = ListBox1->keywords();
    deleteSelected(list);
    ListBox1->setKeywords(list);
}

void THideShow::ComboBox1Change(int index) {
    if (index < 0) return;
    Edit1->clear();
    model_.takeOver(size_t(index));
    ListBox1->setKeywords(model_.list);
}

bool THideShow::eventFilter(QObject* watched, QEvent* e) {
    if (isEnter(e) && watched == Edit1) {
        if (Edit1->text().isEmpty()) {
            saveButton()->click();
        } else {
            ButtonAddClick();
        }
        return true;
    }
    if (isEnter(e) && watched == ComboBox1) {
        saveButton()->click();
        return true;
    }
    return EditorDialog::eventFilter(watched, e);
}

void THideShow::keyPressEvent(QKeyEvent* e) {
    // OK is no default button: an Enter that no control took does nothing.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    EditorDialog::keyPressEvent(e);
}

void THideShow::encode(HotKeyEntry& row) {
    model_.list = ListBox1->keywords();
    model_.encode(row, host().texts().current);
}

}  // namespace vorbix
