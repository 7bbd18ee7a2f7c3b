// The insert-text editor's way between the stored RTF and the QTextDocument it shows, on
// arbitrary bytes: the document made of any RTF converts back to RTF with the same plain text,
// and what is stored after one visit in the editor comes back unchanged from the next one. Text
// pasted as HTML and a copied selection convert without harm, and a plain text shown in the box
// keeps its text.
//
// Needs Qt's GUI module: runs on the offscreen platform.
#include <QFont>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/TextUtil.h"
#include "editors/RichTextConverter.h"
#include "storage/RtfDocument.h"

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

void guiApp() {
    static int argc = 1;
    static char name[] = "richtext_fuzz";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Never destroyed: the fuzzer ends the process with the application still running.
    new QGuiApplication(argc, argv);
}

QFont boxFont() {
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(10);
    return f;
}

bool validUtf8(const std::string& text) {
    return vorbix::toUtf8(vorbix::toUtf32(text)) == text;
}

// The text without C0 control characters other than tab, line ends and the line break.
std::string withoutControls(std::string text) {
    std::erase_if(text, [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != vorbix::kRtfLineBreak;
    });
    return text;
}

// The text as the box shows it: U+2028 is a line break and U+2029 ends a paragraph there; the
// noncharacters U+FDD0 and U+FDD1 (Qt's frame marks) stand as U+FFFD.
std::string asShown(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const std::string_view c = std::string_view(text).substr(i, 3);
        if (c == "\xE2\x80\xA8" || c == "\xE2\x80\xA9") {
            out += "\r\n";
        } else if (c == "\xEF\xB7\x90" || c == "\xEF\xB7\x91") {
            out += "\xEF\xBF\xBD";
        } else {
            out += text[i];
            continue;
        }
        i += 2;
    }
    return out;
}

// What the editor hands on: never a paragraph-less document, runs with text, no CR or LF.
void checkModel(const vorbix::RtfDocument& d) {
    check(!d.paragraphs.empty());
    for (const vorbix::RtfParagraph& p : d.paragraphs) {
        for (const vorbix::RtfRun& r : p.runs) {
            check(!r.text.empty());
            check(r.text.find_first_of("\r\n") == std::string::npos);
            check(validUtf8(r.text));
            check(r.format.sizeHalfPoints > 0);
        }
    }
}

// Shown in the editor and taken back, as showing a row and pressing OK does.
vorbix::RtfDocument throughEditor(const vorbix::RtfDocument& model) {
    QTextDocument document;
    document.setDefaultFont(boxFont());
    vorbix::RichTextConverter::toDocument(model, document);
    return vorbix::RichTextConverter::toModel(document);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorbix;
    guiApp();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string rtf = looksLikeRtf(bytes) ? bytes : "{\\rtf1 " + bytes;

    // A formatted row: its RTF shown and stored again keeps the text.
    const RtfDocument read = parseRtf(rtf);
    const RtfDocument edited = throughEditor(read);
    checkModel(edited);
    const std::string stored = writeRtf(edited);
    const RtfDocument storedRead = parseRtf(stored);
    check(storedRead.plainText() == asShown(read.plainText()));
    // Shown and stored once more, nothing changes any longer.
    const RtfDocument again = throughEditor(storedRead);
    check(again == storedRead);
    check(writeRtf(again) == stored);

    // A plain row: its text shown in the box gives the same text back, without the control
    // characters that are no text (as the RTF reader drops them).
    const std::string text = toUtf8(toUtf32(bytes));
    const RtfDocument plainEdited = throughEditor(RtfDocument::fromPlainText(text));
    checkModel(plainEdited);
    check(plainEdited.plainText() ==
          asShown(withoutControls(RtfDocument::fromPlainText(text).plainText())));

    // Pasted as HTML (what another program offers), and a selection copied out of the box.
    QTextDocument html;
    html.setDefaultFont(boxFont());
    html.setHtml(QString::fromStdString(text));
    checkModel(RichTextConverter::toModel(html));

    QTextDocument shown;
    shown.setDefaultFont(boxFont());
    RichTextConverter::toDocument(read, shown);
    QTextCursor cursor(&shown);
    const int end = shown.characterCount() - 1;
    const int anchor = end > 0 ? static_cast<int>(size % static_cast<size_t>(end + 1)) : 0;
    cursor.setPosition(anchor);
    cursor.setPosition(end - anchor / 2, QTextCursor::KeepAnchor);
    QTextDocument selected;
    selected.setDefaultFont(boxFont());
    QTextCursor(&selected).insertFragment(cursor.selection());
    const RtfDocument copied = RichTextConverter::toModel(selected);
    checkModel(copied);
    check(parseRtf(writeRtf(copied)).plainText() == copied.plainText());

    // Pasted as RTF into the box at the end of what it shows.
    QTextCursor paste(&shown);
    paste.movePosition(QTextCursor::End);
    paste.insertFragment(RichTextConverter::toFragment(read, boxFont()));
    checkModel(RichTextConverter::toModel(shown));
    return 0;
}
