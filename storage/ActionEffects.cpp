#include "storage/ActionEffects.h"

#include <cstdio>

#include "core/TextUtil.h"
#include "storage/InsertTextDigest.h"

namespace vorbix {

namespace {

struct Link {
    size_t begin;  // code point positions in the paragraph's text
    size_t end;
    std::string address;
    std::u32string text;
};

// Finds the markup "<url=" address ">" text "</url>" (letter case ignored) in a paragraph.
std::vector<Link> findLinks(const std::u32string& text) {
    std::vector<Link> links;
    const std::u32string folded = toUtf32(foldCase(toUtf8(text)));
    const std::u32string open = U"<url=";
    const std::u32string close = U"</url>";
    size_t from = 0;
    while (true) {
        const size_t start = folded.find(open, from);
        if (start == std::u32string::npos) break;
        const size_t gt = folded.find(U'>', start + open.size());
        if (gt == std::u32string::npos) break;
        const size_t end = folded.find(close, gt + 1);
        if (end == std::u32string::npos) break;
        links.push_back({start, end + close.size(),
                         trim(toUtf8(text.substr(start + open.size(), gt - start - open.size()))),
                         text.substr(gt + 1, end - gt - 1)});
        from = end + close.size();
    }
    return links;
}

}  // namespace

void applyLinkMarkup(RtfDocument& document) {
    for (RtfParagraph& paragraph : document.paragraphs) {
        // The paragraph as characters, each with the index of the run it came from.
        std::u32string text;
        std::vector<size_t> runOf;
        for (size_t r = 0; r < paragraph.runs.size(); ++r) {
            for (char32_t c : toUtf32(paragraph.runs[r].text)) {
                text.push_back(c);
                runOf.push_back(r);
            }
        }
        const std::vector<Link> links = findLinks(text);
        if (links.empty()) continue;
        RtfParagraph rebuilt;
        rebuilt.alignment = paragraph.alignment;
        rebuilt.bullet = paragraph.bullet;
        size_t pos = 0;
        auto copyPlain = [&](size_t until) {
            for (; pos < until; ++pos) {
                rebuilt.append(toUtf8(std::u32string(1, text[pos])),
                               paragraph.runs[runOf[pos]].format);
            }
        };
        for (const Link& link : links) {
            copyPlain(link.begin);
            RtfCharFormat format = paragraph.runs[runOf[link.begin]].format;
            format.link = link.address;
            const std::string shown = link.text.empty() ? link.address : toUtf8(link.text);
            rebuilt.append(shown, format);
            pos = link.end;
        }
        copyPlain(text.size());
        paragraph = std::move(rebuilt);
    }
}

ClipboardContent insertTextContent(std::string_view storedText, bool* tabAfter) {
    const InsertTextValue value = decodeInsertText(storedText);
    if (tabAfter) *tabAfter = value.tabAfter;
    RtfDocument document =
        value.formatted ? parseRtf(value.body) : RtfDocument::fromPlainText(value.body);
    applyLinkMarkup(document);
    ClipboardContent content;
    // Plain text: links as "text (address)", or the address alone when it is the text.
    RtfDocument plain = document;
    for (RtfParagraph& paragraph : plain.paragraphs) {
        for (RtfRun& run : paragraph.runs) {
            if (!run.format.link.empty() && run.text != run.format.link) {
                run.text += " (" + run.format.link + ")";
            }
        }
    }
    content.plain = plain.plainText("\n");
    if (value.formatted) {
        content.html = writeHtml(document);
        content.rtf = writeRtf(document);
    }
    return content;
}

std::string formatDateTime(std::string_view format, const std::tm& time) {
    std::string out;
    char buffer[16];
    size_t i = 0;
    auto number = [&](int value, int width) {
        std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
        out += buffer;
    };
    while (i < format.size()) {
        const std::string_view rest = format.substr(i);
        if (rest.starts_with("YYYY")) {
            number(time.tm_year + 1900, 4);
            i += 4;
        } else if (rest.starts_with("DD")) {
            number(time.tm_mday, 2);
            i += 2;
        } else if (rest.starts_with("MM")) {
            number(time.tm_mon + 1, 2);
            i += 2;
        } else if (rest.starts_with("hh")) {
            number(time.tm_hour, 2);
            i += 2;
        } else if (rest.starts_with("mm")) {
            number(time.tm_min, 2);
            i += 2;
        } else if (rest.starts_with("ss")) {
            number(time.tm_sec, 2);
            i += 2;
        } else {
            out += format[i++];
        }
    }
    return out;
}

void runInsertText(const HotKeyEntry& row, const LanguageTexts& texts, ClipboardInserter& clipboard,
                   bool keepClipboard) {
    if (row.Text.empty() || row.PropertiesText == texts.sNewText) return;
    bool tabAfter = false;
    const ClipboardContent content = insertTextContent(row.Text, &tabAfter);
    if (content.plain.empty() && content.rtf.empty()) return;
    clipboard.insert(content, tabAfter, keepClipboard);
}

void runInsertDateTime(const HotKeyEntry& row, const LanguageTexts& texts,
                       ClipboardInserter& clipboard, bool keepClipboard, std::time_t now) {
    if (row.PropertiesText.empty() || row.PropertiesText == texts.sNewDateTime) return;
    std::tm local{};
    localtime_r(&now, &local);
    ClipboardContent content;
    content.plain = formatDateTime(row.PropertiesText, local);
    clipboard.insert(content, false, keepClipboard);
}

}  // namespace vorbix
