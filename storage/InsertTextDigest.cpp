#include "storage/InsertTextDigest.h"

#include "core/TextUtil.h"
#include "storage/RtfDocument.h"
#include "storage/TextCodec.h"

namespace vorbix {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Every occurrence of the ASCII `marker`, which begins with "<", letter case ignored, replaced by
// `with`. Bytes of UTF-8 sequences never equal ASCII, so comparing bytes is exact. Jumps from one
// "<" to the next, so a long text costs little more than a copy.
std::string replaceMarker(std::string_view text, std::string_view marker, std::string_view with) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t lt = text.find('<', i);
        if (lt == std::string_view::npos) break;
        out.append(text, i, lt - i);
        bool match = lt + marker.size() <= text.size();
        for (size_t k = 1; match && k < marker.size(); ++k)
            match = lowerAscii(text[lt + k]) == lowerAscii(marker[k]);
        if (match) {
            out.append(with);
            i = lt + marker.size();
        } else {
            out.push_back('<');
            i = lt + 1;
        }
    }
    if (i < text.size()) out.append(text, i, std::string_view::npos);
    return out;
}

// Whether the text holds "<url=" in any letter case.
bool mayHoldLinkMarkup(std::string_view text) {
    constexpr std::string_view kOpen = "<url=";
    for (size_t lt = text.find('<'); lt != std::string_view::npos; lt = text.find('<', lt + 1)) {
        if (lt + kOpen.size() > text.size()) return false;
        bool match = true;
        for (size_t k = 1; match && k < kOpen.size(); ++k)
            match = lowerAscii(text[lt + k]) == kOpen[k];
        if (match) return true;
    }
    return false;
}

bool startsWithMarker(std::string_view text, std::string_view marker) {
    if (text.size() < marker.size()) return false;
    for (size_t k = 0; k < marker.size(); ++k)
        if (lowerAscii(text[k]) != lowerAscii(marker[k])) return false;
    return true;
}

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
    std::string v = replaceMarker(text, kInsertTextReturnMarker, "\r\n");
    v = replaceMarker(v, kInsertTextSpaceMarker, " ");
    value.tabAfter = startsWithMarker(v, kInsertTextTabMarker);
    v = replaceMarker(v, kInsertTextTabMarker, "");
    value.formatted = startsWithMarker(v, kInsertTextFormattedMarker);
    v = replaceMarker(v, value.formatted ? kInsertTextFormattedMarker : kInsertTextPlainMarker, "");
    value.body = std::move(v);
    return value;
}

std::string replaceLinkMarkup(std::string_view text) {
    // Valid UTF-8 first, so that folding the case keeps every byte offset (ASCII and the
    // Latin-1 letters fold to characters of the same length).
    std::string s = isValidUtf8(text) ? std::string(text) : toUtf8(toUtf32(text));
    if (!mayHoldLinkMarkup(s)) return s;
    // Every pass reads the whole text; a text made to need thousands of passes keeps the rest of
    // its markup once this much reading is done, rather than holding up the program.
    size_t budget = size_t{64} << 20;
    while (budget >= s.size()) {
        budget -= s.size();
        const std::string folded = foldCase(s);
        std::string markup;
        std::string address;
        // The first ">" and "</url>" after each "<url=" only move forward: looked up again only
        // when the last one found lies behind.
        size_t close = 0;
        size_t end = 0;
        for (size_t p = folded.find("<url="); p != std::string::npos;
             p = folded.find("<url=", p + 1)) {
            if (close != std::string::npos && close < p + 5) close = folded.find('>', p + 5);
            if (end != std::string::npos && end < p + 5) end = folded.find("</url>", p + 5);
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
    return s;
}

namespace {

std::string replaceMarkers(std::string_view joinedText, std::string_view lineBreak) {
    std::string s = replaceAll(joinedText, "\r\n", "");
    s = replaceMarker(s, kInsertTextReturnMarker, lineBreak);
    s = replaceMarker(s, kInsertTextSpaceMarker, " ");
    return replaceMarker(s, kInsertTextTabMarker, "");
}

// The text on one line: every line break (CR LF, a lone CR or LF, the Unicode line and
// paragraph separators) and every Tab becomes one space, so that the digest reads the same in
// the list, in a tab-separated listing and in a web page.
std::string onOneLine(std::string_view text) {
    const std::string lines = normaliseLineBreaks(text);
    std::string out;
    out.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const char c = lines[i];
        if (c == '\r') {
            ++i;  // the LF of the CR LF
            out += ' ';
        } else if (c == '\t') {
            out += ' ';
        } else if (lines.compare(i, 3, "\xE2\x80\xA8") == 0 ||
                   lines.compare(i, 3, "\xE2\x80\xA9") == 0) {
            i += 2;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string insertTextDigest(std::string_view joinedText) {
    // Inside RTF a line break ends a control word ("\par" CR LF "Text"); removing it would glue
    // the word to the text that follows and lose that text. So the markers become real line
    // breaks first, and the plain text puts one space for each.
    std::string s = replaceMarkers(joinedText, "\r\n");
    if (startsWithMarker(s, kInsertTextFormattedMarker)) {
        s = replaceMarker(s, kInsertTextFormattedMarker, "");
        s = parseRtf(s).plainText("\r\n");
    } else {
        s = replaceMarker(s, kInsertTextPlainMarker, "");
    }
    return replaceLinkMarkup(onOneLine(s));
}

}  // namespace vorbix
