#include "storage/RtfDocument.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <unordered_map>

#include "core/TextUtil.h"
#include "storage/RtfCodePages.h"

namespace vorbix {

namespace {

constexpr int kMaxDepth = 200;  // deeper groups are dropped
constexpr int kMaxWordLength = 32;

enum class Destination { Text, Skip, FontTable, ColorTable, FieldInstruction };

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;  // -1: the default font
    int sizeHalfPoints = 24;
    int colorIndex = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string link;
    int unicodeSkip = 1;   // \uc
    bool starred = false;  // the group began with \*
    bool first = true;     // no control word seen yet in this group
};

struct FontEntry {
    std::string name;
    int charset = 0;
};

struct Field {
    size_t depth = 0;  // the group depth of the \field group
    std::string instruction;
    std::optional<std::string> target;  // the link target, once worked out
};

// The target of a HYPERLINK field instruction: HYPERLINK "address" or HYPERLINK \l "anchor".
std::string hyperlinkTarget(std::string_view instruction) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < instruction.size()) {
        const char c = instruction[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
        } else if (c == '"') {
            const size_t end = instruction.find('"', i + 1);
            const size_t stop = end == std::string_view::npos ? instruction.size() : end;
            tokens.emplace_back("\"" + std::string(instruction.substr(i + 1, stop - i - 1)));
            i = stop + 1;
        } else {
            size_t j = i;
            while (j < instruction.size() && instruction[j] != ' ' && instruction[j] != '"' &&
                   instruction[j] != '\t')
                ++j;
            tokens.emplace_back(instruction.substr(i, j - i));
            i = j;
        }
    }
    if (tokens.empty() || !equalsIgnoreCase(tokens[0], "HYPERLINK")) return {};
    std::string address;
    std::string anchor;
    for (size_t k = 1; k < tokens.size(); ++k) {
        const std::string& t = tokens[k];
        if (!t.empty() && t[0] == '\\') {
            const bool takesArgument = t == "\\l" || t == "\\o" || t == "\\t";
            if (takesArgument && k + 1 < tokens.size()) {
                std::string arg = tokens[++k];
                if (!arg.empty() && arg[0] == '"') arg.erase(0, 1);
                if (t == "\\l") anchor = arg;
            }
            continue;
        }
        if (address.empty()) address = t[0] == '"' ? t.substr(1) : t;
    }
    if (!anchor.empty()) address += "#" + anchor;
    return address;
}

enum class Word {
    Unknown,
    FontTable,
    ColorTable,
    Field,
    FieldInstruction,
    FieldResult,
    ListDefinition,
    SkippedDestination,
    UnicodeSkip,
    Unicode,
    Font,
    FontCharset,
    Red,
    Green,
    Blue,
    DefaultFont,
    CodePage,
    Ansi,
    Character,
    ParagraphEnd,
    ParagraphDefault,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    ListOverride,
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    FontSize,
    Color,
};

struct WordInfo {
    Word kind = Word::Unknown;
    char32_t character = 0;
};

WordInfo lookUpWord(std::string_view word) {
    static const std::unordered_map<std::string_view, WordInfo> kWords = [] {
        std::unordered_map<std::string_view, WordInfo> m;
        m["fonttbl"] = {Word::FontTable};
        m["colortbl"] = {Word::ColorTable};
        m["field"] = {Word::Field};
        m["fldinst"] = {Word::FieldInstruction};
        m["fldrslt"] = {Word::FieldResult};
        m["pn"] = {Word::ListDefinition};
        for (std::string_view w :
             {"stylesheet", "info",         "pict",         "object",
              "header",     "headerl",      "headerr",      "headerf",
              "footer",     "footerl",      "footerr",      "footerf",
              "footnote",   "annotation",   "listtable",    "listoverridetable",
              "rsidtbl",    "generator",    "themedata",    "colorschememapping",
              "datastore",  "latentstyles", "xmlnstbl",     "pntext",
              "listtext",   "revtbl",       "filetbl",      "nonshppict",
              "shp",        "xe",           "tc",           "txe",
              "template",   "bkmkstart",    "bkmkend",      "atnid",
              "atnauthor",  "objdata",      "result",       "shpinst",
              "pgdsctbl",   "mmathPr",      "wgrffmtfilter"})
            m[w] = {Word::SkippedDestination};
        m["uc"] = {Word::UnicodeSkip};
        m["u"] = {Word::Unicode};
        m["f"] = {Word::Font};
        m["fcharset"] = {Word::FontCharset};
        m["red"] = {Word::Red};
        m["green"] = {Word::Green};
        m["blue"] = {Word::Blue};
        m["deff"] = {Word::DefaultFont};
        m["ansicpg"] = {Word::CodePage};
        m["ansi"] = {Word::Ansi};
        const std::pair<std::string_view, char32_t> specials[] = {
            {"tab", '\t'},       {"line", kRtfLineBreak}, {"emdash", 0x2014},
            {"endash", 0x2013},  {"bullet", 0x2022},      {"lquote", 0x2018},
            {"rquote", 0x2019},  {"ldblquote", 0x201C},   {"rdblquote", 0x201D},
            {"emspace", 0x2003}, {"enspace", 0x2002},     {"qmspace", 0x2005},
            {"zwj", 0x200D},     {"zwnj", 0x200C},        {"cell", '\t'},
            {"nestcell", '\t'}};
        for (const auto& [w, c] : specials) m[w] = {Word::Character, c};
        for (std::string_view w : {"par", "row", "sect", "page", "nestrow"})
            m[w] = {Word::ParagraphEnd};
        m["pard"] = {Word::ParagraphDefault};
        m["ql"] = {Word::AlignLeft};
        m["qc"] = {Word::AlignCenter};
        m["qr"] = {Word::AlignRight};
        m["qj"] = {Word::AlignJustify};
        m["qd"] = {Word::AlignJustify};
        m["ls"] = {Word::ListOverride};
        m["plain"] = {Word::Plain};
        m["b"] = {Word::Bold};
        m["i"] = {Word::Italic};
        for (std::string_view w : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                   "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd",
                                   "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
            m[w] = {Word::Underline};
        m["ulnone"] = {Word::UnderlineNone};
        m["fs"] = {Word::FontSize};
        m["cf"] = {Word::Color};
        return m;
    }();
    const auto it = kWords.find(word);
    return it == kWords.end() ? WordInfo{} : it->second;
}

class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : in_(rtf) {}

    RtfDocument read() {
        size_t start = 0;
        while (start < in_.size() && static_cast<unsigned char>(in_[start]) <= 0x20) ++start;
        pos_ = start;
        run();
        endParagraph();
        // The control keeps a final paragraph mark of its own: a last \par before the end
        // of the document only closes the paragraph, it does not start an empty one.
        if (doc_.paragraphs.size() > 1 && doc_.paragraphs.back().empty())
            doc_.paragraphs.pop_back();
        return std::move(doc_);
    }

private:
    void run() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                skipPending_ = 0;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                skipPending_ = 0;
                if (!closeGroup()) return;  // the outermost group closed: end of document
            } else if (c == '\\') {
                controlSequence();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                rawCharacter();
            }
        }
    }

    bool dropping() const { return overflow_ > 0; }

    void openGroup() {
        if (dropping() || stack_.size() >= kMaxDepth) {
            ++overflow_;
            return;
        }
        flush();
        GroupState child = stack_.empty() ? GroupState{} : stack_.back();
        child.starred = false;
        child.first = true;
        stack_.push_back(child);
    }

    // False when the outermost group closed (or a closing brace came without an open group).
    bool closeGroup() {
        if (overflow_ > 0) {
            --overflow_;
            return true;
        }
        if (stack_.empty()) return false;
        flush();
        if (stack_.back().destination == Destination::FontTable && fontPending_) commitFont();
        if (!fields_.empty() && fields_.back().depth == stack_.size()) fields_.pop_back();
        stack_.pop_back();
        return !stack_.empty();
    }

    GroupState* state() { return stack_.empty() ? nullptr : &stack_.back(); }

    Destination destination() const {
        if (dropping() || stack_.empty()) return Destination::Skip;
        return stack_.back().destination;
    }

    // One character of text: counts against a pending \u fallback, then goes where the
    // destination wants it.
    void character(char32_t c) {
        if (skipPending_ > 0) {
            --skipPending_;
            return;
        }
        if (pendingHighSurrogate_ != 0) {
            const char32_t high = pendingHighSurrogate_;
            pendingHighSurrogate_ = 0;
            if (c >= 0xDC00 && c <= 0xDFFF) {
                character(0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00));
                return;
            }
            emit(0xFFFD);
        }
        emit(c);
    }

    void emit(char32_t c) {
        switch (destination()) {
            case Destination::Text:
                // Control characters other than tab and line break are no text (runs never
                // hold CR or LF).
                if (c < 0x20 && c != '\t' && c != kRtfLineBreak) return;
                if (c >= 0xD800 && c <= 0xDBFF) {
                    pendingHighSurrogate_ = c;
                    return;
                }
                if (c >= 0xDC00 && c <= 0xDFFF) c = 0xFFFD;
                appendUtf8(pending_, c);
                break;
            case Destination::FontTable:
                if (c == ';') {
                    commitFont();
                } else {
                    appendUtf8(fontName_, c);
                    fontPending_ = true;
                }
                break;
            case Destination::ColorTable:
                if (c == ';') {
                    colors_.push_back(colorSet_ ? std::optional<RtfColor>(color_) : std::nullopt);
                    color_ = {};
                    colorSet_ = false;
                }
                break;
            case Destination::FieldInstruction:
                if (!fields_.empty() && fields_.back().instruction.size() < 4096) {
                    appendUtf8(fields_.back().instruction, c);
                    fields_.back().target.reset();
                }
                break;
            case Destination::Skip:
                break;
        }
    }

    void rawCharacter() {
        const auto b = static_cast<unsigned char>(in_[pos_]);
        if (b < 0x80) {
            ++pos_;
            if (b == '\t') {
                character('\t');
            } else if (b >= 0x20) {
                character(b);
            }
            return;
        }
        // A character outside ASCII stands for itself (the text is UTF-8). Only continuation
        // bytes belong to the sequence, so a broken one never swallows a brace.
        size_t len = 1;
        size_t expected = 1;
        if ((b & 0xE0) == 0xC0)
            expected = 2;
        else if ((b & 0xF0) == 0xE0)
            expected = 3;
        else if ((b & 0xF8) == 0xF0)
            expected = 4;
        while (len < expected && pos_ + len < in_.size() &&
               (static_cast<unsigned char>(in_[pos_ + len]) & 0xC0) == 0x80)
            ++len;
        const std::u32string decoded =
            len == expected ? toUtf32(in_.substr(pos_, len)) : std::u32string(1, 0xFFFD);
        pos_ += len;
        for (char32_t c : decoded) character(c);
    }

    static int hexValue(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    // A byte as a character of the code page of the current font, or of the document; in the
    // font table, of the character set of the entry being read.
    char32_t byteToChar(unsigned char b) const {
        int charset = 1;
        if (!stack_.empty() && stack_.back().destination == Destination::FontTable) {
            charset = fontCharset_;
        } else if (!stack_.empty()) {
            const GroupState& s = stack_.back();
            auto font = fonts_.find(s.font >= 0 ? s.font : defaultFont_);
            if (font != fonts_.end()) charset = font->second.charset;
        }
        return codePageByteToChar(codePageOfCharset(charset, codePage_), b);
    }

    void controlSequence() {
        ++pos_;  // the backslash
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c))) {
            controlWord();
            return;
        }
        ++pos_;
        if (c == '\'') {
            // Two hexadecimal digits; a broken escape is dropped with the digits it has.
            int value = 0;
            int digits = 0;
            while (digits < 2 && pos_ < in_.size() && hexValue(in_[pos_]) >= 0) {
                value = value * 16 + hexValue(in_[pos_++]);
                ++digits;
            }
            if (digits == 2) character(byteToChar(static_cast<unsigned char>(value)));
            return;
        }
        if (skipPending_ > 0) {
            --skipPending_;
            return;
        }
        switch (c) {
            case '\\':
            case '{':
            case '}':
                character(static_cast<unsigned char>(c));
                break;
            case '~':
                character(0xA0);
                break;
            case '-':
                character(0xAD);
                break;
            case '_':
                character(0x2011);
                break;
            case '*':
                if (GroupState* s = state()) s->starred = true;
                return;  // \* does not end the "first word" state of the group
            case '\r':
            case '\n':
                word("par", false, 0);
                break;
            case '\t':
                character('\t');
                break;
            default:
                break;
        }
        if (GroupState* s = state()) s->first = false;
    }

    void controlWord() {
        std::string name;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) {
            if (name.size() < kMaxWordLength) name.push_back(in_[pos_]);
            ++pos_;
        }
        bool hasParam = false;
        bool negative = false;
        long long value = 0;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() &&
            std::isdigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            hasParam = true;
            if (value < 1000000000LL) value = value * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        int param = static_cast<int>(negative ? -value : value);
        if (name == "bin") {
            // Binary data follows; it is skipped whatever the destination.
            const size_t n = hasParam && param > 0 ? static_cast<size_t>(param) : 0;
            pos_ += std::min(n, in_.size() - pos_);
            if (skipPending_ > 0) --skipPending_;
            return;
        }
        if (skipPending_ > 0) {
            --skipPending_;
            return;
        }
        word(name, hasParam, param);
    }

    void setDestination(Destination d) {
        if (GroupState* s = state()) s->destination = d;
    }

    void word(const std::string& w, bool hasParam, int param) {
        GroupState* s = state();
        if (s == nullptr || dropping()) return;
        const bool first = s->first;
        const bool starred = s->starred;
        s->first = false;
        const Destination dest = s->destination;
        if (dest == Destination::Skip) return;

        const WordInfo info = lookUpWord(w);
        switch (info.kind) {
            case Word::FontTable:
                setDestination(Destination::FontTable);
                return;
            case Word::ColorTable:
                setDestination(Destination::ColorTable);
                return;
            case Word::Field:
                flush();
                fields_.push_back({stack_.size(), {}, std::nullopt});
                return;
            case Word::FieldInstruction:
                flush();
                setDestination(Destination::FieldInstruction);
                return;
            case Word::FieldResult:
                flush();
                if (!fields_.empty()) {
                    Field& field = fields_.back();
                    if (!field.target) field.target = hyperlinkTarget(trim(field.instruction));
                    s->link = *field.target;
                }
                s->destination = Destination::Text;
                return;
            case Word::ListDefinition:
                // The list definition of the paragraph; what it draws is not part of the text.
                bullet_ = true;
                setDestination(Destination::Skip);
                return;
            case Word::SkippedDestination:
                flush();
                setDestination(Destination::Skip);
                return;
            default:
                break;
        }
        if (starred && first) {
            // An unknown destination marked as ignorable.
            flush();
            setDestination(Destination::Skip);
            return;
        }
        if (info.kind == Word::UnicodeSkip) {
            s->unicodeSkip = std::clamp(hasParam ? param : 1, 0, 16);
            return;
        }
        if (info.kind == Word::Unicode) {
            if (!hasParam) return;
            int code = param;
            if (code < 0) code += 65536;
            if (code < 0 || code > 0xFFFF) code = 0xFFFD;
            character(static_cast<char32_t>(code));
            skipPending_ = s->unicodeSkip;
            return;
        }
        if (dest == Destination::FontTable) {
            if (info.kind == Word::Font) {
                if (fontPending_) commitFont();
                fontNumber_ = param;
                fontCharset_ = 1;  // not given: the document's code page
                fontName_.clear();
                fontPending_ = true;
            } else if (info.kind == Word::FontCharset) {
                fontCharset_ = param;
            }
            return;
        }
        if (dest == Destination::ColorTable) {
            const auto channel = static_cast<uint8_t>(std::clamp(param, 0, 255));
            if (info.kind == Word::Red)
                color_.red = channel;
            else if (info.kind == Word::Green)
                color_.green = channel;
            else if (info.kind == Word::Blue)
                color_.blue = channel;
            colorSet_ = colorSet_ || info.kind == Word::Red || info.kind == Word::Green ||
                        info.kind == Word::Blue;
            return;
        }
        if (dest == Destination::FieldInstruction) return;

        const bool on = !hasParam || param != 0;
        switch (info.kind) {
            case Word::DefaultFont:
                defaultFont_ = param;
                break;
            case Word::CodePage:
                codePage_ = hasParam ? param : 1252;
                break;
            case Word::Ansi:
                codePage_ = 1252;
                break;
            case Word::Character:
                character(info.character);
                break;
            case Word::ParagraphEnd:
                endParagraph();
                break;
            case Word::ParagraphDefault:
                alignment_ = RtfAlignment::Left;
                bullet_ = false;
                break;
            case Word::AlignLeft:
                alignment_ = RtfAlignment::Left;
                break;
            case Word::AlignCenter:
                alignment_ = RtfAlignment::Center;
                break;
            case Word::AlignRight:
                alignment_ = RtfAlignment::Right;
                break;
            case Word::AlignJustify:
                alignment_ = RtfAlignment::Justify;
                break;
            case Word::ListOverride:
                bullet_ = bullet_ || param > 0;
                break;
            // Character formatting: a change ends the text gathered so far.
            case Word::Plain:
                flush();
                s->font = -1;
                s->sizeHalfPoints = 24;
                s->colorIndex = 0;
                s->bold = s->italic = s->underline = false;
                break;
            case Word::Bold:
                flush();
                s->bold = on;
                break;
            case Word::Italic:
                flush();
                s->italic = on;
                break;
            case Word::Underline:
                flush();
                s->underline = on;
                break;
            case Word::UnderlineNone:
                flush();
                s->underline = false;
                break;
            case Word::Font:
                flush();
                s->font = param;
                break;
            case Word::FontSize:
                flush();
                s->sizeHalfPoints = hasParam ? std::clamp(param, 1, 3276) : 24;
                break;
            case Word::Color:
                flush();
                s->colorIndex = param;
                break;
            default:
                break;
        }
    }

    void commitFont() {
        std::string name = trim(fontName_);
        fonts_[fontNumber_] = {std::move(name), fontCharset_};
        fontName_.clear();
        fontPending_ = false;
    }

    RtfCharFormat currentFormat() const {
        const GroupState& s = stack_.back();
        RtfCharFormat f;
        auto font = fonts_.find(s.font >= 0 ? s.font : defaultFont_);
        if (font == fonts_.end()) font = fonts_.find(defaultFont_);
        if (font != fonts_.end()) {
            f.fontName = font->second.name;
            f.fontCharset = font->second.charset;
        }
        f.sizeHalfPoints = s.sizeHalfPoints;
        if (s.colorIndex > 0 && static_cast<size_t>(s.colorIndex) < colors_.size())
            f.color = colors_[s.colorIndex];
        f.bold = s.bold;
        f.italic = s.italic;
        f.underline = s.underline;
        f.link = s.link;
        return f;
    }

    void flush() {
        if (pending_.empty() || stack_.empty()) {
            pending_.clear();
            return;
        }
        paragraph_.append(pending_, currentFormat());
        pending_.clear();
    }

    void endParagraph() {
        if (pendingHighSurrogate_ != 0) {
            pendingHighSurrogate_ = 0;
            if (!stack_.empty()) appendUtf8(pending_, 0xFFFD);
        }
        flush();
        paragraph_.alignment = alignment_;
        paragraph_.bullet = bullet_;
        doc_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = {};
    }

    std::string_view in_;
    size_t pos_ = 0;
    std::vector<GroupState> stack_;
    int overflow_ = 0;
    int skipPending_ = 0;
    char32_t pendingHighSurrogate_ = 0;

    std::map<int, FontEntry> fonts_;
    int defaultFont_ = 0;
    int codePage_ = 1252;
    int fontNumber_ = 0;
    int fontCharset_ = 1;
    std::string fontName_;
    bool fontPending_ = false;

    std::vector<std::optional<RtfColor>> colors_;
    RtfColor color_;
    bool colorSet_ = false;

    std::vector<Field> fields_;

    RtfAlignment alignment_ = RtfAlignment::Left;
    bool bullet_ = false;
    std::string pending_;
    RtfParagraph paragraph_;
    RtfDocument doc_;
};

}  // namespace

bool looksLikeRtf(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= 0x20) ++i;
    return text.substr(i, 5) == "{\\rtf";
}

RtfDocument parseRtf(std::string_view rtf) {
    if (!looksLikeRtf(rtf)) {
        // Not RTF: the control loads it as plain text (sanitised to valid UTF-8).
        return RtfDocument::fromPlainText(toUtf8(toUtf32(rtf)));
    }
    return RtfReader(rtf).read();
}

std::string rtfPlainText(std::string_view rtf, std::string_view paragraphSeparator) {
    return parseRtf(rtf).plainText(paragraphSeparator);
}

}  // namespace vorbix
