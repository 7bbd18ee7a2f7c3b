#include "editors/InsertText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "components/WindowGeometry.h"
#include "editors/EditorHost.h"
#include "editors/RichTextConverter.h"
#include "editors/RichTextEdit.h"
#include "editors/RichTextToolBar.h"
#include "editors/TextPrompt.h"
#include "storage/ConfigFile.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
constexpr EditorDialog::Design kDesign{lang::kInsertText, {577, 584}, {577, 584}, true};

// The text box below the tool bar (formatted) or in its place (plain).
constexpr QRect kFormattedBox{20, 121, 537, 320};
constexpr QRect kPlainBox{20, 88, 537, 353};

constexpr int kPlainPointSize = 10;
const QString kPlainFont = QStringLiteral("Tahoma");

// The context menu's entries: language key, the text when the key is missing, shortcut key.
struct MenuEntry {
    const char* key;
    const char* fallback;
    const char* letter;
};
constexpr MenuEntry kMenu[] = {{"PopupCut", "Ausschneiden", "X"},
                               {"PopupCopy", "Kopieren", "C"},
                               {"PopupPaste", "Einfügen", "V"},
                               {"PopupSelectAll", "Alles markieren", "A"}};

RtfCharFormat plainRun() {
    RtfCharFormat f;
    f.fontName = kPlainFont.toStdString();
    f.sizeHalfPoints = 2 * kPlainPointSize;
    return f;
}

QTextCharFormat plainFormat() {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{kPlainFont});
    f.setFontPointSize(kPlainPointSize);
    return f;
}

}  // namespace

TInsertText::TInsertText(QWidget* parent, EditorHost& host, const QIcon& icon)
    : EditorDialog(parent, host, kDesign, icon) {
    RadioInsertText1 = new QRadioButton(this);
    RadioInsertText1->setObjectName(QStringLiteral("RadioInsertText1"));
    layout().place(RadioInsertText1, {20, 64, 140, 20});
    RadioInsertText2 = new QRadioButton(this);
    RadioInsertText2->setObjectName(QStringLiteral("RadioInsertText2"));
    layout().place(RadioInsertText2, {163, 64, 395, 20}, A::L | A::T | A::R);
    RadioInsertText1->setChecked(true);

    RichEdit1 = new RichTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    QFont boxFont(kPlainFont);
    boxFont.setStyleHint(QFont::SansSerif);
    boxFont.setPointSize(kPlainPointSize);
    RichEdit1->setFont(boxFont);
    layout().place(RichEdit1, kFormattedBox, A::L | A::T | A::R | A::B);
    ToolBar1 = new RichTextToolBar(this, host.ppi(), RichEdit1);
    layout().place(ToolBar1, RichTextToolBar::kDesign, A::L | A::T | A::R);

    CheckboxInsertText1 = new QCheckBox(this);
    CheckboxInsertText1->setObjectName(QStringLiteral("CheckboxInsertText1"));
    layout().place(CheckboxInsertText1, {20, 454, 538, 20}, A::L | A::R | A::B);
    CheckBoxInsertText2 = new QCheckBox(this);
    CheckBoxInsertText2->setObjectName(QStringLiteral("CheckBoxInsertText2"));
    layout().place(CheckBoxInsertText2, {20, 477, 538, 20}, A::L | A::R | A::B);
    LabelInsertText1 = new QLabel(this);
    LabelInsertText1->setWordWrap(true);
    LabelInsertText1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout().place(LabelInsertText1, {20, 500, 538, 36}, A::L | A::R | A::B);

    connect(RadioInsertText1, &QRadioButton::clicked, this, [this] { setMode(true); });
    connect(RadioInsertText2, &QRadioButton::clicked, this, [this] {
        setMode(false);
        flatten();
    });
    connect(CheckboxInsertText1, &QCheckBox::clicked, this,
            [this](bool ticked) { CheckboxInsertText1Click(ticked); });
    connect(ToolBar1, &RichTextToolBar::linkRequested, this, [this] { ButtonHyperlinkClick(); });

    setTabOrder(RadioInsertText1, RadioInsertText2);
    setTabOrder(RadioInsertText2, ToolBar1->fontBox());
    setTabOrder(ToolBar1->fontBox(), ToolBar1->sizeBox());
    setTabOrder(ToolBar1->sizeBox(), RichEdit1);
    setTabOrder(RichEdit1, CheckboxInsertText1);
    setTabOrder(CheckboxInsertText1, CheckBoxInsertText2);
    setTabOrder(CheckBoxInsertText2, saveButton());
    setTabOrder(saveButton(), cancelButton());
    applyWrap(host.insertTextConfig().wrapLines);
}

void TInsertText::setLanguageTexts(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    RadioInsertText1->setText(t("RadioInsertText1"));
    RadioInsertText2->setText(t("RadioInsertText2"));
    CheckboxInsertText1->setText(t("CheckboxInsertText1"));
    CheckBoxInsertText2->setText(t("CheckboxInsertText2"));
    noteCleared_ = t("LabelInsertText1");
    noteKept_ = t("LabelInsertTextKept");
    showClipboardNote();
    MessageURL = t("MessageURL");
    MessageCaption = t("MessageCaption");
    // The keyboard's word for Ctrl, as the key texts of the program write it.
    const QString ctrl =
        host().language().language() == kGerman ? QStringLiteral("Strg") : QStringLiteral("Ctrl");
    QStringList menu;
    for (const MenuEntry& e : kMenu) {
        QString text = t(e.key);
        if (text.isEmpty()) text = QString::fromUtf8(e.fallback);
        menu << text + u'\t' + ctrl + u'+' + QString::fromLatin1(e.letter);
    }
    RichEdit1->setMenuTexts(menu);
}

void TInsertText::showClipboardNote() {
    const bool kept = host().keepClipboard() && !noteKept_.isEmpty();
    LabelInsertText1->setText(kept ? noteKept_ : noteCleared_);
}

void TInsertText::FormShow(const HotKeyEntry& row) {
    showClipboardNote();
    model_.decode(row);
    CheckBoxInsertText2->setChecked(model_.tabAfter);
    RadioInsertText1->setChecked(model_.formatted);
    RadioInsertText2->setChecked(!model_.formatted);
    setMode(model_.formatted);
    // Every character gets its format from the row (the box's own text functions would carry
    // over the format of the row shown before).
    QTextDocument* doc = RichEdit1->document();
    RichTextConverter::toDocument(model_.formatted
                                      ? parseRtf(model_.body)
                                      : RtfDocument::fromPlainText(model_.body, plainRun()),
                                  *doc);
    // What the text is now counts as unchanged: no undo back into the row shown before.
    doc->setUndoRedoEnabled(false);
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    flattened_ = false;
    RichEdit1->setTextCursor(QTextCursor(doc));
    if (!model_.formatted) RichEdit1->setCurrentCharFormat(plainFormat());
    applyWrap(host().insertTextConfig().wrapLines);
    ToolBar1->RichEdit1SelectionChange();
    RichEdit1->setFocus();
}

void TInsertText::encode(HotKeyEntry& row) {
    const RtfDocument document = RichTextConverter::toModel(*RichEdit1->document());
    InsertTextModel::Edit edit;
    edit.formatted = RadioInsertText1->isChecked();
    edit.tabAfter = CheckBoxInsertText2->isChecked();
    edit.textChanged = RichEdit1->document()->isModified() || flattened_;
    edit.body = edit.formatted ? writeRtf(document) : document.plainText("\r\n");
    model_.encode(row, edit, host().texts().current);
}

void TInsertText::setMode(bool formatted) {
    ToolBar1->setVisible(formatted);
    RichEdit1->setPlainMode(!formatted);
    layout().replace(RichEdit1, formatted ? kFormattedBox : kPlainBox);
    RichEdit1->setFocus();
}

void TInsertText::flatten() {
    QTextDocument* doc = RichEdit1->document();
    const QString text = QString::fromStdString(RichTextConverter::toModel(*doc).plainText("\n"));
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.insertText(text, plainFormat());
    cursor.select(QTextCursor::Document);
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setCharFormat(plainFormat());
    cursor.endEditBlock();
    RichEdit1->setCurrentCharFormat(plainFormat());
    flattened_ = true;
}

void TInsertText::ButtonHyperlinkClick() {
    const QString ok = saveButton()->text();
    const QString cancel = cancelButton()->text();
    askText(this, {MessageURL, QString::fromUtf8(kLinkExampleAddress), ok, cancel},
            [this, ok, cancel](const QString& address) {
                askText(this, {MessageCaption, QString::fromUtf8(kLinkDefaultText), ok, cancel},
                        [this, address](const QString& text) {
                            const auto markup =
                                linkMarkup(address.toStdString(), text.toStdString());
                            if (!markup) return;
                            QTextCursor cursor = RichEdit1->textCursor();
                            cursor.insertText(QString::fromStdString(*markup));
                            RichEdit1->setTextCursor(cursor);
                            RichEdit1->setFocus();
                        });
            });
}

void TInsertText::CheckboxInsertText1Click(bool ticked) {
    applyWrap(ticked);
    host().insertTextConfig().wrapLines = ticked;
    const std::string path = host().configPath();
    if (path.empty()) return;
    const FileResult r = writeConfigValue(path, config::kReturn.section, config::kReturn.name,
                                          ticked ? config::kFlagOn : config::kFlagOff);
    if (!r.ok) host().prompter().showMessage(r.error, MessageType::Error);
}

void TInsertText::applyWrap(bool wrap) {
    CheckboxInsertText1->setChecked(wrap);
    RichEdit1->setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    RichEdit1->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

void TInsertText::placeOnScreen() {
    restorePlacement(*this, host().insertTextConfig().window);
}

void TInsertText::done(int result) {
    // A link prompt or the colour dialog still open (the program ends, the row went away)
    // closes with the editor and inserts nothing.
    for (QDialog* child : findChildren<QDialog*>()) {
        if (child->isVisible()) child->reject();
    }
    SaveConfig();
    EditorDialog::done(result);
}

void TInsertText::SaveConfig() {
    InsertTextConfig& config = host().insertTextConfig();
    WindowPlacement placement = currentPlacement(*this);
    // A minimised window keeps the state it had before.
    if (placement.state == WindowState::Minimized) placement.state = config.window.state;
    config.window = placement;
    // A failed write loses no text; the configuration is written again when the program saves
    // its settings, and that write reports its failure.
    const std::string path = host().configPath();
    if (!path.empty()) SaveInsertTextConfig(path, config);
}

}  // namespace vorbix
