// A small model of a rich-text document as the insert-text action uses it: paragraphs with an
// alignment and a bullet flag, made of runs of equally formatted text (font, size, colour, bold,
// italic, underline, link target). It is read from RTF, written back as RTF in the style a
// Windows rich-text control writes, and rendered as HTML for the clipboard.
//
// Text is UTF-8. Inside a run, a TAB is '\t' and a line break within a paragraph (\line) is
// U+000B, as the rich-text control keeps it; runs never hold CR or LF. The plain text of a
// document joins its paragraphs with CR LF and shows \line as CR LF too, which is what the
// control's text holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorbix {

// A line break inside a paragraph (\line), as it stands in a run's text.
inline constexpr char32_t kRtfLineBreak = 0x0B;

struct RtfColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const RtfColor&) const = default;
};

struct RtfCharFormat {
    std::string fontName;           // empty: the document's default font
    int fontCharset = 0;            // \fcharset of the font (0 = ANSI)
    int sizeHalfPoints = 24;        // \fs
    std::optional<RtfColor> color;  // none: the automatic colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string link;  // target of a HYPERLINK field; empty when no link
    bool operator==(const RtfCharFormat&) const = default;
};

struct RtfRun {
    std::string text;
    RtfCharFormat format;
    bool operator==(const RtfRun&) const = default;
};

enum class RtfAlignment { Left, Center, Right, Justify };

struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    bool bullet = false;
    std::vector<RtfRun> runs;
    bool operator==(const RtfParagraph&) const = default;

    // The runs' text, \line shown as `lineBreak`.
    std::string plainText(std::string_view lineBreak = "\r\n") const;
    bool empty() const { return runs.empty(); }
    // Appends text in `format`, merging with the last run when the formats are equal.
    void append(std::string_view text, const RtfCharFormat& format);
};

struct RtfDocument {
    // Never empty once built by the reader or fromPlainText: a document has at least one
    // (possibly empty) paragraph, like the control's final paragraph mark.
    std::vector<RtfParagraph> paragraphs;
    bool operator==(const RtfDocument&) const = default;

    // Paragraphs joined by `paragraphSeparator`; \line shown as `paragraphSeparator` as well.
    std::string plainText(std::string_view paragraphSeparator = "\r\n") const;

    // One paragraph per line of `text` (CR LF, LF or CR end a line), all in `format`.
    static RtfDocument fromPlainText(std::string_view text, const RtfCharFormat& format = {});
};

// True when the text starts like an RTF document ("{\rtf", blanks before it allowed).
bool looksLikeRtf(std::string_view text);

// Reads an RTF document (UTF-8 text; characters outside ASCII in it are taken as they are).
// Any input gives a document: unknown control words are skipped, unbalanced braces end or close
// groups, groups nested deeper than a fixed limit are dropped. Text that is not RTF at all is
// taken as plain text, as the control loads it.
RtfDocument parseRtf(std::string_view rtf);

// The plain text the rich-text control shows for the RTF (see RtfDocument::plainText).
std::string rtfPlainText(std::string_view rtf, std::string_view paragraphSeparator = "\r\n");

// Link markup written as text into the document ("<url=" address ">" link text "</url>", any
// letter case, also across runs of different formatting) turned into runs that carry the address
// as their link; the markup itself disappears, the link text keeps its formatting. Markup with an
// empty link text shows the address. Incomplete markup stays text.
RtfDocument withLinksFromMarkup(const RtfDocument& document);

// The document as RTF, "{\rtf1\ansi\ansicpg1252\deff0..." with CR LF after paragraphs and
// tables, ending with the closing brace (no line break after it).
std::string writeRtf(const RtfDocument& document);

// The document as an HTML fragment for the clipboard's text/html flavour: paragraphs, bullet
// lists, fonts, sizes, colours, bold/italic/underline and links, every text escaped.
std::string writeHtml(const RtfDocument& document);

}  // namespace vorbix
