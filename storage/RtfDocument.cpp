#include "storage/RtfDocument.h"

#include <algorithm>
#include <cctype>

namespace vorbix {

std::string RtfParagraph::plainText(std::string_view lineBreak) const {
    std::string out;
    for (const RtfRun& run : runs) {
        for (char c : run.text) {
            if (c == static_cast<char>(kRtfLineBreak))
                out.append(lineBreak);
            else
                out.push_back(c);
        }
    }
    return out;
}

void RtfParagraph::append(std::string_view text, const RtfCharFormat& format) {
    if (text.empty()) return;
    if (!runs.empty() && runs.back().format == format) {
        runs.back().text.append(text);
    } else {
        runs.push_back({std::string(text), format});
    }
}

std::string RtfDocument::plainText(std::string_view paragraphSeparator) const {
    std::string out;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) out.append(paragraphSeparator);
        out.append(paragraphs[i].plainText(paragraphSeparator));
    }
    return out;
}

RtfDocument RtfDocument::fromPlainText(std::string_view text, const RtfCharFormat& format) {
    RtfDocument doc;
    RtfParagraph paragraph;
    size_t i = 0;
    size_t start = 0;
    while (i < text.size()) {
        if (text[i] == '\r' || text[i] == '\n') {
            paragraph.append(text.substr(start, i - start), format);
            doc.paragraphs.push_back(std::move(paragraph));
            paragraph = {};
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    paragraph.append(text.substr(start), format);
    doc.paragraphs.push_back(std::move(paragraph));
    return doc;
}

namespace {

size_t findAsciiIgnoreCase(std::string_view text, std::string_view needle, size_t from) {
    if (needle.size() > text.size()) return std::string_view::npos;
    for (size_t i = from; i + needle.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < needle.size() &&
               std::tolower(static_cast<unsigned char>(text[i + k])) == needle[k])
            ++k;
        if (k == needle.size()) return i;
    }
    return std::string_view::npos;
}

RtfParagraph paragraphWithLinks(const RtfParagraph& paragraph) {
    std::string text;
    std::vector<size_t> owner;  // the run of every byte
    for (size_t r = 0; r < paragraph.runs.size(); ++r) {
        text += paragraph.runs[r].text;
        owner.resize(text.size(), r);
    }
    enum : char { Keep, Drop, Link };
    std::vector<char> role(text.size(), Keep);
    std::vector<std::string> targets;
    std::vector<size_t> target(text.size(), 0);  // index into targets of a Link byte
    size_t from = 0;
    size_t close = 0;  // the first ">" after the markup start; only moves forward
    size_t end = 0;    // the first "</url>" after it
    while (true) {
        const size_t p = findAsciiIgnoreCase(text, "<url=", from);
        if (p == std::string::npos) break;
        if (close != std::string::npos && close < p + 5) close = text.find('>', p + 5);
        if (end != std::string::npos && end < p + 5)
            end = findAsciiIgnoreCase(text, "</url>", p + 5);
        if (close == std::string::npos || end == std::string::npos) break;
        if (end < close) {
            from = p + 1;
            continue;
        }
        targets.push_back(text.substr(p + 5, close - p - 5));
        std::fill(role.begin() + p, role.begin() + close + 1, Drop);
        std::fill(role.begin() + end, role.begin() + end + 6, Drop);
        if (end == close + 1) {
            // No link text: the address (the bytes of the markup after "<url=") stands for it.
            for (size_t i = p + 5; i < close; ++i) {
                role[i] = Link;
                target[i] = targets.size() - 1;
            }
        }
        for (size_t i = close + 1; i < end; ++i) {
            role[i] = Link;
            target[i] = targets.size() - 1;
        }
        from = end + 6;
    }
    RtfParagraph out;
    out.alignment = paragraph.alignment;
    out.bullet = paragraph.bullet;
    size_t i = 0;
    while (i < text.size()) {
        if (role[i] == Drop) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < text.size() && role[j] == role[i] && owner[j] == owner[i] &&
               target[j] == target[i])
            ++j;
        RtfCharFormat format = paragraph.runs[owner[i]].format;
        if (role[i] == Link) format.link = targets[target[i]];
        out.append(std::string_view(text).substr(i, j - i), format);
        i = j;
    }
    return out;
}

}  // namespace

RtfDocument withLinksFromMarkup(const RtfDocument& document) {
    RtfDocument out;
    out.paragraphs.reserve(document.paragraphs.size());
    for (const RtfParagraph& p : document.paragraphs)
        out.paragraphs.push_back(paragraphWithLinks(p));
    return out;
}

}  // namespace vorbix
