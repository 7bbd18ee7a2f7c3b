#include "editors/RichTextConverter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>
#include <algorithm>
#include <cmath>

namespace vorbix {

namespace {

constexpr QChar kLineSeparator(0x2028);

// Sizes the RTF writer accepts, in half points.
constexpr int kSmallestHalfPoints = 1;
constexpr int kLargestHalfPoints = 3276;

// A run's text as the document holds it: line breaks as U+2028. The noncharacters U+FDD0 and
// U+FDD1 would mark a frame's begin and end there and split the paragraph: they stand as U+FFFD.
QString toQString(const std::string& text) {
    QString out = QString::fromStdString(text);
    for (QChar& c : out) {
        if (c == QChar(kRtfLineBreak) || c == u'\r' || c == u'\n') {
            c = kLineSeparator;
        } else if (c == u'\uFDD0' || c == u'\uFDD1') {
            c = QChar::ReplacementCharacter;
        }
    }
    return out;
}

// A fragment's text as a run holds it: line breaks as \line, frame marks dropped.
std::string runText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0x2028 || u == 0x2029 || u == u'\r' || u == u'\n') {
            out += QChar(kRtfLineBreak);
        } else if (u == u'\t' || (u >= 0x20 && u != 0xFDD0 && u != 0xFDD1)) {
            out += c;
        }
    }
    return out.toStdString();
}

RtfAlignment alignmentOf(Qt::Alignment a) {
    if (a & Qt::AlignHCenter) return RtfAlignment::Center;
    if (a & Qt::AlignJustify) return RtfAlignment::Justify;
    if (a & Qt::AlignRight) return RtfAlignment::Right;
    return RtfAlignment::Left;
}

Qt::Alignment qtAlignment(RtfAlignment a) {
    switch (a) {
        case RtfAlignment::Center:
            return Qt::AlignHCenter;
        case RtfAlignment::Right:
            return Qt::AlignRight;
        case RtfAlignment::Justify:
            return Qt::AlignJustify;
        case RtfAlignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

double pointSizeOf(const QFont& font) {
    if (font.pointSizeF() > 0) return font.pointSizeF();
    return font.pixelSize() > 0 ? font.pixelSize() * 72.0 / 96.0 : 12.0;
}

}  // namespace

QTextCharFormat RichTextConverter::charFormat(const RtfCharFormat& run, const QFont& defaultFont) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{run.fontName.empty() ? defaultFont.family()
                                                       : QString::fromStdString(run.fontName)});
    f.setFontPointSize(run.sizeHalfPoints / 2.0);
    if (run.color) f.setForeground(QColor(run.color->red, run.color->green, run.color->blue));
    f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(run.italic);
    f.setFontUnderline(run.underline);
    if (!run.link.empty()) {
        f.setAnchor(true);
        f.setAnchorHref(QString::fromStdString(run.link));
    }
    if (run.fontCharset != 0) f.setProperty(kFontCharsetProperty, run.fontCharset);
    return f;
}

RtfCharFormat RichTextConverter::runFormat(const QTextCharFormat& format,
                                           const QFont& defaultFont) {
    RtfCharFormat run;
    QString family;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        family = families.first();
    else if (format.hasProperty(QTextFormat::FontFamily))
        family = format.stringProperty(QTextFormat::FontFamily);
    if (family.isEmpty()) family = defaultFont.family();
    run.fontName = family.toStdString();
    run.fontCharset = format.intProperty(kFontCharsetProperty);

    double points = pointSizeOf(defaultFont);
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        points = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize))
        points = format.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0;
    run.sizeHalfPoints =
        std::clamp(int(std::lround(points * 2)), kSmallestHalfPoints, kLargestHalfPoints);

    if (format.hasProperty(QTextFormat::ForegroundBrush) &&
        format.foreground().style() != Qt::NoBrush) {
        const QColor c = format.foreground().color();
        run.color = RtfColor{uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())};
    }
    run.bold = format.hasProperty(QTextFormat::FontWeight)
                   ? format.fontWeight() >= QFont::DemiBold
                   : defaultFont.weight() >= QFont::DemiBold;
    run.italic =
        format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    const bool ownUnderline = format.hasProperty(QTextFormat::TextUnderlineStyle) ||
                              format.hasProperty(QTextFormat::FontUnderline);
    run.underline = ownUnderline ? format.fontUnderline() : defaultFont.underline();
    if (format.isAnchor()) run.link = format.anchorHref().toStdString();
    return run;
}

void RichTextConverter::insertModel(const RtfDocument& model, QTextCursor& cursor) {
    const QFont defaultFont = cursor.document()->defaultFont();
    QTextList* list = nullptr;
    bool first = true;
    for (const RtfParagraph& paragraph : model.paragraphs) {
        if (!first) cursor.insertBlock();
        first = false;
        QTextBlockFormat block;
        block.setAlignment(qtAlignment(paragraph.alignment));
        cursor.setBlockFormat(block);
        if (!paragraph.bullet) {
            list = nullptr;
        } else if (list) {
            list->add(cursor.block());
        } else {
            list = cursor.createList(QTextListFormat::ListDisc);
        }
        for (const RtfRun& run : paragraph.runs)
            cursor.insertText(toQString(run.text), charFormat(run.format, defaultFont));
    }
}

void RichTextConverter::toDocument(const RtfDocument& model, QTextDocument& document) {
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    insertModel(model, cursor);
    cursor.endEditBlock();
}

QTextDocumentFragment RichTextConverter::toFragment(const RtfDocument& model,
                                                    const QFont& defaultFont) {
    QTextDocument document;
    document.setDefaultFont(defaultFont);
    toDocument(model, document);
    return QTextDocumentFragment(&document);
}

RtfDocument RichTextConverter::toModel(const QTextDocument& document) {
    const QFont defaultFont = document.defaultFont();
    RtfDocument model;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RtfParagraph paragraph;
        paragraph.alignment = alignmentOf(block.blockFormat().alignment());
        paragraph.bullet = block.textList() != nullptr;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            // An image (or another object) stands as U+FFFC in an object format: no text. The
            // same character in a text format is text.
            const QTextCharFormat format = fragment.charFormat();
            if (format.objectType() != QTextFormat::NoObject) continue;
            paragraph.append(runText(fragment.text()), runFormat(format, defaultFont));
        }
        model.paragraphs.push_back(std::move(paragraph));
    }
    if (model.paragraphs.empty()) model.paragraphs.emplace_back();
    return model;
}

}  // namespace vorbix
