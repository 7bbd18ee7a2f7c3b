// The text box of the insert-text editor. Pasted and dropped text is taken as RTF when the
// source offers it ("text/rtf", or "Rich Text Format" as Windows programs name it), else as
// HTML, else as plain text; formatted content passes through the document model on the way in,
// so the box shows only what the stored value can hold. In plain mode only the plain text is
// taken. Copying offers RTF besides HTML and plain text. The context menu has Cut, Copy, Paste
// and Select all.
#pragma once

#include <QStringList>
#include <QTextEdit>

class QMenu;

namespace vorbix {

class RichTextEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextEdit(QWidget* parent);

    void setPlainMode(bool plain);
    bool plainMode() const { return plain_; }
    // The context menu's entries: cut, copy, paste, select all, each "text\tshortcut".
    void setMenuTexts(const QStringList& texts) { menuTexts_ = texts; }
    // The context menu as it would open now (for tests); the caller owns it.
    QMenu* createMenu();

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    bool plain_ = false;
    QStringList menuTexts_;
};

}  // namespace vorbix
