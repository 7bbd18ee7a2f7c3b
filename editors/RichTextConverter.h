// Between the rich-text document model of the stored value (RtfDocument) and the QTextDocument
// the editor shows: paragraphs are blocks (alignment; a bullet is membership of a disc list),
// runs are fragments (font, size, colour, bold, italic, underline, a link as anchor), a line
// break inside a paragraph is U+2028 and a tab stays a tab. What the model cannot hold (images,
// tables, numbering, other attributes) is dropped on the way to the model.
#pragma once

#include <QFont>
#include <QTextCharFormat>

#include "storage/RtfDocument.h"

class QTextCursor;
class QTextDocument;
class QTextDocumentFragment;

namespace vorbix {

class RichTextConverter {
public:
    // The character format property that keeps a run's font character set (\fcharset), so that
    // a text read from a file writes its fonts back as they were.
    static constexpr int kFontCharsetProperty = QTextFormat::UserProperty + 1;

    // Replaces the document's content with the model.
    static void toDocument(const RtfDocument& model, QTextDocument& document);
    // The document's content; text without a font or size of its own takes the document's
    // default font, so every run names its font and size.
    static RtfDocument toModel(const QTextDocument& document);
    // The model as a fragment to insert at a cursor.
    static QTextDocumentFragment toFragment(const RtfDocument& model, const QFont& defaultFont);

    // The character format of a run; fontless runs take `defaultFont`.
    static QTextCharFormat charFormat(const RtfCharFormat& run, const QFont& defaultFont);
    // The run format of a character format; unset font attributes come from `defaultFont`.
    static RtfCharFormat runFormat(const QTextCharFormat& format, const QFont& defaultFont);

private:
    static void insertModel(const RtfDocument& model, QTextCursor& cursor);
};

}  // namespace vorbix
