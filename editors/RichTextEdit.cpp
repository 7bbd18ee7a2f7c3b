#include "editors/RichTextEdit.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <memory>
#include <optional>

#include "editors/RichTextConverter.h"

namespace vorbix {

namespace {

// The names RTF goes by on the clipboard and in drops.
const char* const kRtfFormats[] = {"text/rtf", "Rich Text Format", "application/rtf"};

std::optional<std::string> rtfOf(const QMimeData* source) {
    for (const char* format : kRtfFormats) {
        const QString name = QString::fromLatin1(format);
        if (!source->hasFormat(name)) continue;
        const QByteArray data = source->data(name);
        if (!data.isEmpty()) return data.toStdString();
    }
    return std::nullopt;
}

}  // namespace

RichTextEdit::RichTextEdit(QWidget* parent) : QTextEdit(parent) {
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void RichTextEdit::setPlainMode(bool plain) {
    plain_ = plain;
    setAcceptRichText(!plain);
}

bool RichTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return rtfOf(source).has_value() || source->hasHtml() || source->hasText();
}

void RichTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || isReadOnly()) return;
    const std::optional<std::string> rtf = rtfOf(source);
    QTextCursor cursor = textCursor();
    if (plain_) {
        QString text;
        if (source->hasText())
            text = source->text();
        else if (rtf)
            text = QString::fromStdString(parseRtf(*rtf).plainText("\n"));
        else if (source->hasHtml())
            text = QTextDocumentFragment::fromHtml(source->html()).toPlainText();
        cursor.insertText(text);
    } else if (rtf || source->hasHtml()) {
        RtfDocument model;
        if (rtf) {
            model = parseRtf(*rtf);
        } else {
            QTextDocument html;
            html.setDefaultFont(document()->defaultFont());
            html.setHtml(source->html());
            model = RichTextConverter::toModel(html);
        }
        cursor.insertFragment(RichTextConverter::toFragment(model, document()->defaultFont()));
    } else if (source->hasText()) {
        cursor.insertText(source->text());
    }
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData* RichTextEdit::createMimeDataFromSelection() const {
    std::unique_ptr<QMimeData> base(QTextEdit::createMimeDataFromSelection());
    if (plain_ || !base) return base.release();
    // Qt's own selection data lists a fixed set of formats; a plain copy of it can take one more.
    auto* data = new QMimeData;
    for (const QString& format : base->formats()) data->setData(format, base->data(format));
    QTextDocument selected;
    selected.setDefaultFont(document()->defaultFont());
    QTextCursor(&selected).insertFragment(textCursor().selection());
    const std::string rtf = writeRtf(RichTextConverter::toModel(selected));
    data->setData(QStringLiteral("text/rtf"), QByteArray::fromStdString(rtf));
    return data;
}

QMenu* RichTextEdit::createMenu() {
    auto* menu = new QMenu(this);
    const bool selected = textCursor().hasSelection();
    auto add = [&](int entry, void (QTextEdit::*command)(), bool enabled) {
        QAction* action = menu->addAction(menuTexts_.value(entry));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, command);
    };
    add(0, &QTextEdit::cut, selected && !isReadOnly());
    add(1, &QTextEdit::copy, selected);
    add(2, &QTextEdit::paste, canPaste());
    menu->addSeparator();
    add(3, &QTextEdit::selectAll, !document()->isEmpty());
    return menu;
}

void RichTextEdit::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = createMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

}  // namespace vorbix
