#include "editors/OpenProgDir.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "components/FileFilter.h"
#include "editors/EditorHost.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
constexpr EditorDialog::Design kDesign{lang::kOpenProgDir, {498, 325}, {498, 325}};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

TOpenProgDir::TOpenProgDir(QWidget* parent, EditorHost& host, const QIcon& icon)
    : EditorDialog(parent, host, kDesign, icon) {
    auto label = [this](QRect design) {
        auto* l = new QLabel(this);
        layout().place(l, design, A::L | A::T | A::R);
        return l;
    };
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QString(), QString()});
    layout().place(ComboBox1, {20, 61, 458, 24}, A::L | A::T | A::R);
    LabelOpenProgDir1 = label({20, 99, 346, 16});
    LabelOpenProgDir2 = label({20, 99, 346, 16});
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    layout().place(Edit1, {20, 117, 346, 24}, A::L | A::T | A::R);
    LabelOpenProgDir1->setBuddy(Edit1);
    LabelOpenProgDir2->setBuddy(Edit1);
    ButtonBrowse = new QPushButton(this);
    ButtonBrowse->setObjectName(QStringLiteral("ButtonBrowse"));
    ButtonBrowse->setIcon(host.icon("document-open", "Browse.svg"));
    ButtonBrowse->setAutoDefault(false);
    layout().place(ButtonBrowse, {372, 116, 106, 26}, A::T | A::R);
    LabelOpenProgDir3 = label({20, 156, 458, 16});
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    layout().place(Edit2, {20, 173, 458, 24}, A::L | A::T | A::R);
    LabelOpenProgDir3->setBuddy(Edit2);
    // Two lines: "leave empty for none" and how the parameters are split.
    LabelOpenProgDir4 = label({20, 197, 458, 31});
    LabelOpenProgDir4->setWordWrap(true);
    LabelOpenProgDir4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelOpenProgDir5 = label({20, 229, 458, 16});
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->addItems({QString(), QString(), QString()});
    layout().place(ComboBox2, {20, 247, 458, 24}, A::L | A::T | A::R);
    LabelOpenProgDir5->setBuddy(ComboBox2);
    setTabOrder(ComboBox1, Edit1);
    setTabOrder(Edit1, ButtonBrowse);
    setTabOrder(ButtonBrowse, Edit2);
    setTabOrder(Edit2, ComboBox2);
    setTabOrder(ComboBox2, saveButton());
    setTabOrder(saveButton(), cancelButton());
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    connect(ButtonBrowse, &QPushButton::clicked, this, [this] { ButtonBrowseClick(); });
}

void TOpenProgDir::setLanguageTexts(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return file.text(section, key); };
    ComboBox1->setItemText(0, q(t("Combobox1Item1")));
    ComboBox1->setItemText(1, q(t("Combobox1Item2")));
    LabelOpenProgDir1->setText(q(t("LabelOpenProgDir1")));
    LabelOpenProgDir2->setText(q(t("LabelOpenProgDir2")));
    LabelOpenProgDir3->setText(q(t("LabelOpenProgDir3")));
    const std::string words = t("LabelOpenProgDirWords");
    LabelOpenProgDir4->setText(q(t("LabelOpenProgDir4") + (words.empty() ? "" : " " + words)));
    LabelOpenProgDir5->setText(q(t("LabelOpenProgDir5")));
    const std::string_view modes[] = {"Combobox2Item1", "Combobox2Item2", "Combobox2Item3"};
    for (int i = 0; i < 3; ++i) ComboBox2->setItemText(i, q(t(modes[i])));
    ButtonBrowse->setText(q(t("ButtonBrowse")));
    filter_ = t("Filter");
    selectDirPrompt_ = t("MessageSelectDir");
    messages_[0] = t("MessageFileNotExists");
    messages_[1] = t("MessageDirNotExists");
}

void TOpenProgDir::FormShow(const HotKeyEntry& row) {
    model_.decode(row, host().texts());
    const QSignalBlocker block(ComboBox1);
    ComboBox1->setCurrentIndex(int(model_.target));
    Edit1->setText(q(model_.path));
    Edit2->setText(q(model_.parameter));
    ComboBox2->setCurrentIndex(int(model_.mode));
    ComboBox1Change();
    ComboBox1->setFocus();
}

void TOpenProgDir::ComboBox1Change() {
    const bool folder = ComboBox1->currentIndex() == int(ProgDirTarget::Folder);
    LabelOpenProgDir1->setVisible(!folder);
    LabelOpenProgDir2->setVisible(folder);
    for (QWidget* w : {static_cast<QWidget*>(LabelOpenProgDir3), static_cast<QWidget*>(Edit2),
                       static_cast<QWidget*>(LabelOpenProgDir4)}) {
        w->setEnabled(!folder);
    }
    if (folder) Edit2->clear();
}

void TOpenProgDir::ButtonBrowseClick() {
    const bool folder = ComboBox1->currentIndex() == int(ProgDirTarget::Folder);
    delete dialog_;
    dialog_ = new QFileDialog(this);
    dialog_->setObjectName(QStringLiteral("BrowseDialog"));
    if (folder) {
        dialog_->setWindowTitle(q(selectDirPrompt_));
        dialog_->setFileMode(QFileDialog::Directory);
        dialog_->setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog_->setNameFilter(qtFilter(filter_));
        dialog_->setFileMode(QFileDialog::ExistingFile);
        const QFileInfo typed(Edit1->text());
        if (typed.isAbsolute() && typed.dir().exists()) dialog_->setDirectory(typed.dir());
    }
    dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    dialog_->setOption(QFileDialog::ReadOnly);
    connect(dialog_, &QFileDialog::fileSelected, this, [this](const QString& chosen) {
        if (!chosen.isEmpty()) Edit1->setText(chosen);
    });
    dialog_->open();
}

void TOpenProgDir::takeControls() {
    model_.target = ProgDirTarget(std::max(0, ComboBox1->currentIndex()));
    model_.path = Edit1->text().toStdString();
    model_.parameter = Edit2->text().toStdString();
    model_.setTarget(model_.target);
    model_.mode = WindowModeEntry(std::max(0, ComboBox2->currentIndex()));
}

void TOpenProgDir::checkInput(const std::function<void()>& accepted) {
    takeControls();
    const Launcher* launcher = host().desktop().launcher;
    const auto question =
        model_.question(host().pathCheck(), [launcher](const std::string& path, bool folder) {
            return !launcher || launcher->canFind(path, folder);
        });
    const bool dir = question == OpenProgDirModel::Question::DirNotExists;
    host().prompter().confirmThen(question != OpenProgDirModel::Question::None,
                                  messages_[dir ? 1 : 0], accepted);
}

void TOpenProgDir::encode(HotKeyEntry& row) {
    takeControls();
    model_.encode(row, host().texts().current);
}

}  // namespace vorbix
