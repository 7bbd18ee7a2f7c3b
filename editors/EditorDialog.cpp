#include "editors/EditorDialog.h"

#include <QLabel>
#include <QPushButton>

#include "components/DesignStyle.h"
#include "components/ScreenScale.h"
#include "editors/EditorHost.h"

namespace vorbix {

namespace {

using A = AnchorLayout;

Qt::WindowFlags editorFlags(bool maximizable) {
    Qt::WindowFlags f = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (maximizable) f |= Qt::WindowMaximizeButtonHint;
    return f;
}

}  // namespace

EditorDialog::EditorDialog(QWidget* parent, EditorHost& host, const Design& design,
                           const QIcon& icon)
    : FramedDialog(parent, editorFlags(design.maximizable), host.ppi(), design.client),
      host_(host),
      section_(design.section) {
    setObjectName(QString::fromStdString(section_));
    setSizeGripEnabled(false);
    const int w = design.client.width();
    const int h = design.client.height();
    const Header header = addHeader(icon);
    Image1 = header.image;
    LabelHeader = header.title;
    ButtonCancel = new QPushButton(this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    layout_.place(ButtonCancel, {w - 7 - 102, h - 7 - 28, 102, 28}, A::R | A::B);
    ButtonSave = new QPushButton(this);
    ButtonSave->setObjectName(QStringLiteral("ButtonSave"));
    layout_.place(ButtonSave, {w - 7 - 102 - 6 - 99, h - 7 - 28, 99, 28}, A::R | A::B);
    ButtonSave->setDefault(true);
    ButtonSave->setAutoDefault(true);
    ButtonCancel->setAutoDefault(false);
    connect(ButtonSave, &QPushButton::clicked, this, [this] { ButtonSaveClick(); });
    connect(ButtonCancel, &QPushButton::clicked, this, [this] { reject(); });
    // Esc and the close box reject the dialog, which writes nothing.
    resize(layout_.scale(design.client));
    setMinimumSize(layout_.scale(design.minimumClient));
    connect(this, &QDialog::finished, this, [this] { row_ = QPersistentModelIndex(); });
}

void EditorDialog::FormCreate() {
    SetLanguage(section_);
}

void EditorDialog::SetLanguage(const std::string& section) {
    const LanguageFile& file = host_.language().file();
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    setWindowTitle(t("FormCaption"));
    LabelHeader->setText(t("LabelHeader"));
    ButtonSave->setText(t("ButtonSave"));
    ButtonCancel->setText(t("ButtonCancel"));
    setLanguageTexts(file, section);
}

bool EditorDialog::openFor(const QPersistentModelIndex& row) {
    const HotKeyEntry* entry = host_.row(row);
    if (!entry) return false;
    row_ = row;
    watchRows(row.model());
    FormShow(*entry);
    updateOkButton();
    placeOnScreen();
    open();
    return true;
}

void EditorDialog::closeWithoutWriting() {
    if (isVisible()) reject();
}

void EditorDialog::updateOkButton() {
    ButtonSave->setEnabled(okAvailable());
}

void EditorDialog::setHeader(const QString& title, const QIcon& icon) {
    LabelHeader->setText(title);
    Image1->setPixmap(icon.pixmap(layout_.scale(QSize(24, 24))));
}

void EditorDialog::placeHeaderIcon(const QIcon& icon, QRect design) {
    layout_.replace(Image1, design);
    Image1->setPixmap(icon.pixmap(layout_.scale(design.size())));
}

void EditorDialog::ButtonSaveClick() {
    const HotKeyEntry* current = host_.row(row_);
    if (!current) {
        closeWithoutWriting();
        return;
    }
    if (!okAvailable()) return;
    checkInput([this] { writeAndClose(); });
}

void EditorDialog::writeAndClose() {
    // Checked again: the row may have gone, and the editor closed, while a question was open.
    const HotKeyEntry* current = host_.row(row_);
    if (!current || !isVisible()) return;
    HotKeyEntry values = *current;
    encode(values);
    const FileResult saved = host_.writeRow(row_, values);
    if (!saved.ok) {
        // The row keeps its former values; the user may try again or cancel.
        host_.prompter().showMessage(saved.error, MessageType::Error);
        return;
    }
    accept();
}

void EditorDialog::watchRows(const QAbstractItemModel* model) {
    if (model == watched_ || !model) return;
    watched_ = model;
    // The row deleted or the table replaced while the editor is open: nothing is left to write.
    auto rowGone = [this] {
        if (isVisible() && !row_.isValid()) closeWithoutWriting();
    };
    connect(model, &QAbstractItemModel::rowsRemoved, this, rowGone);
    connect(model, &QAbstractItemModel::modelReset, this, rowGone);
    connect(model, &QObject::destroyed, this, [this] { watched_ = nullptr; });
}

void EditorDialog::placeOnScreen() {
    centreOnScreen(*this);
}

}  // namespace vorbix
