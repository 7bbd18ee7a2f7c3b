#include "storage/InsertTextDigest.h"

#include "core/TextUtil.h"
#include "storage/RtfDocument.h"

namespace vorbix {

namespace {

// Every CR LF, lone CR and lone LF as CR LF.
std::string normaliseLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string encodeInsertText(const InsertTextValue& value) {
    std::string body;
    if (value.formatted) {
        body = std::string(kInsertTextFormattedMarker);
        if (!parseRtf(value.body).plainText().empty()) body += value.body;
    } else {
        body = std::string(kInsertTextPlainMarker) + value.body;
    }
    body = replaceAll(normaliseLineBreaks(body), "\r\n", kInsertTextReturnMarker);
    body = replaceAll(body, " ", kInsertTextSpaceMarker);
    if (value.tabAfter) body.insert(0, kInsertTextTabMarker);
    return body;
}

InsertTextValue decodeInsertText(std::string_view text) {
    InsertTextValue value;
    std::string v = replaceAllIgnoreCase(text, kInsertTextReturnMarker, "\r\n");
    v = replaceAllIgnoreCase(v, kInsertTextSpaceMarker, " ");
    value.tabAfter = startsWithIgnoreCase(v, kInsertTextTabMarker);
    v = replaceAllIgnoreCase(v, kInsertTextTabMarker, "");
    value.formatted = startsWithIgnoreCase(v, kInsertTextFormattedMarker);
    v = replaceAllIgnoreCase(
        v, value.formatted ? kInsertTextFormattedMarker : kInsertTextPlainMarker, "");
    value.body = std::move(v);
    return value;
}

std::string replaceLinkMarkup(std::string_view text) {
    // Valid UTF-8 first, so that folding the case keeps every byte offset (ASCII and the
    // Latin-1 letters fold to characters of the same length).
    std::string s = toUtf8(toUtf32(text));
    while (true) {
        const std::string folded = foldCase(s);
        std::string markup;
        std::string address;
        for (size_t p = folded.find("<url="); p != std::string::npos;
             p = folded.find("<url=", p + 1)) {
            const size_t close = folded.find('>', p + 5);
            const size_t end = folded.find("</url>", p + 5);
            if (close == std::string::npos || end == std::string::npos) break;
            if (end < close) continue;  // "</url>" before the ">": no complete markup here
            markup = folded.substr(p, end + 6 - p);
            address = s.substr(p + 5, close - p - 5);
            break;
        }
        if (markup.empty()) return s;
        // Every occurrence of this markup, letter case ignored.
        std::string out;
        size_t from = 0;
        for (size_t hit = folded.find(markup); hit != std::string::npos;
             hit = folded.find(markup, hit + markup.size())) {
            out.append(s, from, hit - from);
            out += address;
            from = hit + markup.size();
        }
        out.append(s, from, std::string::npos);
        s = std::move(out);
    }
}

namespace {

std::string replaceMarkers(std::string_view joinedText, std::string_view lineBreak) {
    std::string s = replaceAll(joinedText, "\r\n", "");
    s = replaceAllIgnoreCase(s, kInsertTextReturnMarker, lineBreak);
    s = replaceAllIgnoreCase(s, kInsertTextSpaceMarker, " ");
    return replaceAllIgnoreCase(s, kInsertTextTabMarker, "");
}

}  // namespace

std::string insertTextDigest(std::string_view joinedText) {
    std::string s = replaceMarkers(joinedText, "");
    if (startsWithIgnoreCase(s, kInsertTextFormattedMarker)) {
        // Inside RTF a line break ends a control word ("\par" CR LF "Text"); removing it would
        // glue the word to the text that follows and lose that text. So the RTF keeps its line
        // breaks here, and the plain text drops them.
        s = replaceMarkers(joinedText, "\r\n");
        s = replaceAllIgnoreCase(s, kInsertTextFormattedMarker, "");
        s = parseRtf(s).plainText("");
    } else {
        s = replaceAllIgnoreCase(s, kInsertTextPlainMarker, "");
    }
    return replaceLinkMarkup(s);
}

std::string insertTextEditorDigest(std::string_view plainText) {
    std::string s = replaceAll(normaliseLineBreaks(plainText), "\r\n", " ");
    return replaceLinkMarkup(s);
}

}  // namespace vorbix
