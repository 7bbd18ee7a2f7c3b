#include "storage/RtfDocument.h"

#include <cstdio>
#include <map>

#include "core/TextUtil.h"
#include "storage/HtmlExport.h"
#include "storage/TextCodec.h"

namespace vorbix {

namespace {

struct FontKey {
    std::string name;
    int charset = 0;
};

constexpr const char* kDefaultFont = "Tahoma";

// The state of character formatting that the written RTF has reached.
struct WrittenFormat {
    int font = -1;
    int size = -1;
    int color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

class RtfWriter {
public:
    explicit RtfWriter(const RtfDocument& doc) : doc_(doc) {}

    std::string write() {
        collectTables();
        out_ = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl";
        for (size_t i = 0; i < fonts_.size(); ++i) {
            out_ += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" +
                    std::to_string(fonts_[i].charset) + " ";
            writeTableText(fonts_[i].name, fonts_[i].charset <= 1);
            out_ += ";}";
        }
        out_ += "}\r\n";
        if (!colors_.empty()) {
            out_ += "{\\colortbl ;";
            for (const RtfColor& c : colors_) {
                out_ += "\\red" + std::to_string(c.red) + "\\green" + std::to_string(c.green) +
                        "\\blue" + std::to_string(c.blue) + ";";
            }
            out_ += "}\r\n";
        }
        out_ += "\\viewkind4\\uc1";
        const RtfParagraph* previous = nullptr;
        for (const RtfParagraph& p : doc_.paragraphs) {
            writeParagraph(p, previous);
            previous = &p;
        }
        out_ += "}";
        return std::move(out_);
    }

private:
    // The font as the table can hold it: without the characters that end or escape a table
    // entry. A name that is left empty stands for the default font.
    static FontKey fontKey(const RtfCharFormat& f) {
        std::string name;
        for (char c : f.fontName) {
            if (c == '\\' || c == '{' || c == '}' || c == ';') continue;
            if (static_cast<unsigned char>(c) < 0x20) continue;
            name += c;
        }
        return {trim(name), f.fontCharset};
    }

    // Whether the font the run is written in decodes bytes as Windows-1252: the reader takes a
    // byte in the code page of the font in the table, which for a run without a font name is the
    // first one, not the run's own character set.
    bool writesAnsi(const RtfCharFormat& f) const {
        return fonts_[static_cast<size_t>(fontIndex(f))].charset <= 1;
    }

    int fontIndex(const RtfCharFormat& f) const {
        const FontKey key = fontKey(f);
        if (key.name.empty()) return 0;
        const auto it = fontIndexOf_.find({key.name, key.charset});
        return it == fontIndexOf_.end() ? 0 : it->second;
    }

    static uint32_t colorValue(const RtfColor& c) {
        return (uint32_t{c.red} << 16) | (uint32_t{c.green} << 8) | c.blue;
    }

    int colorIndex(const RtfCharFormat& f) const {
        if (!f.color) return 0;
        const auto it = colorIndexOf_.find(colorValue(*f.color));
        return it == colorIndexOf_.end() ? 0 : it->second;
    }

    void addFont(const FontKey& key) {
        if (fontIndexOf_.emplace(std::make_pair(key.name, key.charset), fonts_.size()).second)
            fonts_.push_back(key);
    }

    void collectTables() {
        bool bullets = false;
        for (const RtfParagraph& p : doc_.paragraphs) {
            bullets = bullets || p.bullet;
            for (const RtfRun& r : p.runs) {
                const FontKey key = fontKey(r.format);
                if (!key.name.empty()) addFont(key);
                if (r.format.color &&
                    colorIndexOf_.emplace(colorValue(*r.format.color), colors_.size() + 1).second)
                    colors_.push_back(*r.format.color);
            }
        }
        if (fonts_.empty()) addFont({kDefaultFont, 0});
        if (bullets) {
            symbolFont_ = static_cast<int>(fonts_.size());
            fonts_.push_back({"Symbol", 2});
        }
    }

    void controlWord(std::string_view word) {
        out_ += '\\';
        out_ += word;
        needDelimiter_ = true;
    }

    void controlWord(std::string_view word, int param) {
        controlWord(std::string(word) + std::to_string(param));
    }

    void delimit() {
        if (needDelimiter_) out_ += ' ';
        needDelimiter_ = false;
    }

    // A font's name: escaped; characters outside ASCII as Windows-1252 bytes where the entry's
    // character set reads them so, as '?' otherwise.
    void writeTableText(std::string_view text, bool ansiFont) {
        for (char32_t c : toUtf32(text)) {
            if (c == '\\' || c == '{' || c == '}' || c == ';') continue;
            if (c < 0x20) continue;
            if (c < 0x80) {
                out_ += static_cast<char>(c);
            } else if (auto b = ansiFont ? toWindows1252(c) : std::nullopt) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\'%02x", *b);
                out_ += hex;
            } else {
                out_ += '?';
            }
        }
    }

    // Characters outside ASCII go as Windows-1252 bytes in a font of the ANSI character set,
    // and as \uN otherwise, since the reader decodes bytes in the font's own code page.
    void writeText(std::string_view text, bool ansiFont) {
        for (char32_t c : toUtf32(text)) {
            switch (c) {
                case '\\':
                case '{':
                case '}':
                    delimit();
                    out_ += '\\';
                    out_ += static_cast<char>(c);
                    continue;
                case '\t':
                    controlWord("tab");
                    continue;
                case kRtfLineBreak:
                case '\n':
                    controlWord("line");
                    continue;
                case 0xA0:
                    out_ += "\\~";
                    needDelimiter_ = false;
                    continue;
                case 0xAD:
                    out_ += "\\-";
                    needDelimiter_ = false;
                    continue;
                case 0x2011:
                    out_ += "\\_";
                    needDelimiter_ = false;
                    continue;
                default:
                    break;
            }
            if (c < 0x20) continue;
            if (c < 0x80) {
                delimit();
                out_ += static_cast<char>(c);
            } else if (auto b = ansiFont ? toWindows1252(c) : std::nullopt) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\'%02x", *b);
                out_ += hex;
                needDelimiter_ = false;
            } else if (c > 0xFFFF) {
                const char32_t v = c - 0x10000;
                writeUnicode(0xD800 + (v >> 10));
                writeUnicode(0xDC00 + (v & 0x3FF));
            } else {
                writeUnicode(c);
            }
        }
    }

    void writeUnicode(char32_t unit) {
        const int signedUnit =
            unit > 0x7FFF ? static_cast<int>(unit) - 65536 : static_cast<int>(unit);
        out_ += "\\u" + std::to_string(signedUnit) + "?";
        needDelimiter_ = false;
    }

    void writeFormat(const RtfCharFormat& f, WrittenFormat& w) {
        const int font = fontIndex(f);
        if (font != w.font) controlWord("f", w.font = font);
        // Sizes the reader accepts: 0.5 to 1638 points.
        const int size = f.sizeHalfPoints < 1      ? 1
                         : f.sizeHalfPoints > 3276 ? 3276
                                                   : f.sizeHalfPoints;
        if (size != w.size) controlWord("fs", w.size = size);
        const int color = colorIndex(f);
        if (color != w.color) controlWord("cf", w.color = color);
        if (f.bold != w.bold) controlWord((w.bold = f.bold) ? "b" : "b0");
        if (f.italic != w.italic) controlWord((w.italic = f.italic) ? "i" : "i0");
        if (f.underline != w.underline) controlWord((w.underline = f.underline) ? "ul" : "ulnone");
    }

    void writeParagraph(const RtfParagraph& p, const RtfParagraph* previous) {
        if (previous == nullptr || previous->alignment != p.alignment ||
            previous->bullet != p.bullet) {
            controlWord("pard");
            if (p.bullet) {
                out_ += "{\\pntext\\f" + std::to_string(symbolFont_) + "\\'b7\\tab}";
                out_ += "{\\*\\pn\\pnlvlblt\\pnf" + std::to_string(symbolFont_) +
                        "\\pnindent0{\\pntxtb\\'b7}}";
                needDelimiter_ = false;
                controlWord("fi", -720);
                controlWord("li", 720);
            }
            switch (p.alignment) {
                case RtfAlignment::Left:
                    break;
                case RtfAlignment::Center:
                    controlWord("qc");
                    break;
                case RtfAlignment::Right:
                    controlWord("qr");
                    break;
                case RtfAlignment::Justify:
                    controlWord("qj");
                    break;
            }
        } else if (p.bullet) {
            out_ += "{\\pntext\\f" + std::to_string(symbolFont_) + "\\'b7\\tab}";
            needDelimiter_ = false;
        }
        if (p.runs.empty() && state_.font < 0) writeFormat(RtfCharFormat{}, state_);
        for (const RtfRun& run : p.runs) {
            if (run.format.link.empty()) {
                writeFormat(run.format, state_);
                writeText(run.text, writesAnsi(run.format));
                continue;
            }
            out_ += "{\\field{\\*\\fldinst{HYPERLINK \"";
            for (char c : run.format.link) {
                if (c == '"')
                    out_ += "%22";
                else if (c == '\\' || c == '{' || c == '}')
                    out_ += std::string("\\") + c;
                else if (static_cast<unsigned char>(c) >= 0x20)
                    out_ += c;
            }
            out_ += "\"}}{\\fldrslt{";
            needDelimiter_ = false;
            WrittenFormat inner = state_;
            writeFormat(run.format, inner);
            writeText(run.text, writesAnsi(run.format));
            out_ += "}}}";
            needDelimiter_ = false;
        }
        controlWord("par");
        out_ += "\r\n";
        needDelimiter_ = false;
    }

    const RtfDocument& doc_;
    std::vector<FontKey> fonts_;
    std::map<std::pair<std::string, int>, int> fontIndexOf_;
    std::vector<RtfColor> colors_;
    std::map<uint32_t, int> colorIndexOf_;
    int symbolFont_ = 0;
    std::string out_;
    bool needDelimiter_ = false;
    WrittenFormat state_;
};

// Text escaped for HTML; \line becomes <br>, other control characters but the tab are dropped.
void appendEscapedHtml(std::string& out, std::string_view text) {
    std::string segment;
    for (char c : text) {
        if (c == static_cast<char>(kRtfLineBreak)) {
            out += escapeHtml(segment) + "<br>";
            segment.clear();
        } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
            segment += c;
        }
    }
    out += escapeHtml(segment);
}

std::string cssFormat(const RtfCharFormat& f) {
    std::string css;
    if (!f.fontName.empty()) {
        css += "font-family:'";
        for (char c : f.fontName) {
            if (c == '\'' || c == '\\') css += '\\';
            if (static_cast<unsigned char>(c) >= 0x20 && c != ';') css += c;
        }
        css += "';";
    }
    css += "font-size:" + std::to_string(f.sizeHalfPoints / 2) +
           (f.sizeHalfPoints % 2 ? ".5" : "") + "pt;";
    if (f.color) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "color:#%02x%02x%02x;", f.color->red, f.color->green,
                      f.color->blue);
        css += hex;
    }
    if (f.bold) css += "font-weight:bold;";
    if (f.italic) css += "font-style:italic;";
    if (f.underline) css += "text-decoration:underline;";
    return css;
}

const char* cssAlignment(RtfAlignment a) {
    switch (a) {
        case RtfAlignment::Center:
            return "text-align:center;";
        case RtfAlignment::Right:
            return "text-align:right;";
        case RtfAlignment::Justify:
            return "text-align:justify;";
        case RtfAlignment::Left:
            break;
    }
    return "";
}

}  // namespace

std::string writeRtf(const RtfDocument& document) {
    return RtfWriter(document).write();
}

std::string writeHtml(const RtfDocument& document) {
    std::string out;
    bool inList = false;
    for (const RtfParagraph& p : document.paragraphs) {
        if (p.bullet && !inList) out += "<ul style=\"margin-top:0;margin-bottom:0\">";
        if (!p.bullet && inList) out += "</ul>";
        inList = p.bullet;
        const char* tag = p.bullet ? "li" : "p";
        out += std::string("<") + tag + " style=\"margin:0;white-space:pre-wrap;" +
               cssAlignment(p.alignment) + "\">";
        for (const RtfRun& run : p.runs) {
            if (!run.format.link.empty()) {
                out += "<a href=\"";
                appendEscapedHtml(out, run.format.link);
                out += "\">";
            }
            out += "<span style=\"";
            appendEscapedHtml(out, cssFormat(run.format));
            out += "\">";
            appendEscapedHtml(out, run.text);
            out += "</span>";
            if (!run.format.link.empty()) out += "</a>";
        }
        if (p.runs.empty()) out += "<br>";
        out += std::string("</") + tag + ">";
    }
    if (inList) out += "</ul>";
    return out;
}

}  // namespace vorbix
