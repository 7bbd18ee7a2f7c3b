// The RTF reader: walks the tokens of a document keeping the stack of groups with their
// destination and character format, sends text to where the destination wants it (the text,
// the font or colour table, a field instruction, nowhere), follows \u and its fallback
// characters, and hands runs and paragraphs to the document builder.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/TextUtil.h"
#include "storage/RtfColorTable.h"
#include "storage/RtfControlWords.h"
#include "storage/RtfDocument.h"
#include "storage/RtfDocumentBuilder.h"
#include "storage/RtfFontTable.h"
#include "storage/RtfHyperlinkField.h"
#include "storage/RtfTokenizer.h"

namespace vorbix {

namespace {

constexpr size_t kMaxDepth = 200;  // deeper groups are dropped

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

struct Field {
    size_t depth = 0;  // the group depth of the \field group
    std::string instruction;
    std::optional<std::string> target;  // the link target, once worked out
};

class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : tokens_(rtf) {}

    RtfDocument read() {
        run();
        endParagraph();
        return doc_.finish();
    }

private:
    void run() {
        RtfToken token;
        while (tokens_.next(token)) {
            switch (token.kind) {
                case RtfToken::Kind::OpenGroup:
                    skipPending_ = 0;
                    openGroup();
                    break;
                case RtfToken::Kind::CloseGroup:
                    skipPending_ = 0;
                    if (!closeGroup()) return;  // the outermost group closed: end of document
                    break;
                case RtfToken::Kind::Word:
                    if (skipPending_ > 0)
                        --skipPending_;
                    else
                        word(token.word, token.hasParameter, token.parameter);
                    break;
                case RtfToken::Kind::Binary:
                    if (skipPending_ > 0) --skipPending_;
                    break;
                case RtfToken::Kind::Symbol:
                    symbol(token.symbol);
                    break;
                case RtfToken::Kind::Byte:
                    character(byteToChar(token.byte));
                    break;
                case RtfToken::Kind::Text:
                    for (char32_t c : token.text) character(c);
                    break;
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
        if (stack_.back().destination == Destination::FontTable && fonts_.entryOpen())
            fonts_.endEntry();
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
                doc_.addCharacter(c);
                break;
            case Destination::FontTable:
                if (c == ';')
                    fonts_.endEntry();
                else
                    fonts_.addToEntryName(c);
                break;
            case Destination::ColorTable:
                if (c == ';') colors_.endEntry();
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

    // A byte as a character of the code page of the current font, or of the document; in the
    // font table, of the character set of the entry being read.
    char32_t byteToChar(unsigned char b) const {
        int charset = RtfFontTable::kDefaultCharset;
        if (!stack_.empty() && stack_.back().destination == Destination::FontTable) {
            charset = fonts_.entryCharset();
        } else if (!stack_.empty()) {
            charset = fonts_.charsetOf(stack_.back().font);
        }
        return fonts_.byteToChar(b, charset);
    }

    // A backslash followed by a character that is no letter.
    void symbol(char c) {
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

    void setDestination(Destination d) {
        if (GroupState* s = state()) s->destination = d;
    }

    void word(std::string_view w, bool hasParam, int param) {
        GroupState* s = state();
        if (s == nullptr || dropping()) return;
        const bool first = s->first;
        const bool starred = s->starred;
        s->first = false;
        const Destination dest = s->destination;
        if (dest == Destination::Skip) return;

        const RtfWordInfo info = lookUpRtfWord(w);
        if (destinationWord(info.kind, *s)) return;
        if (starred && first) {
            // An unknown destination marked as ignorable.
            flush();
            setDestination(Destination::Skip);
            return;
        }
        if (info.kind == RtfWord::UnicodeSkip) {
            s->unicodeSkip = std::clamp(hasParam ? param : 1, 0, 16);
            return;
        }
        if (info.kind == RtfWord::Unicode) {
            if (!hasParam) return;
            int code = param;
            if (code < 0) code += 65536;
            if (code < 0 || code > 0xFFFF) code = 0xFFFD;
            character(static_cast<char32_t>(code));
            skipPending_ = s->unicodeSkip;
            return;
        }
        switch (dest) {
            case Destination::FontTable:
                fontTableWord(info.kind, param);
                return;
            case Destination::ColorTable:
                colorTableWord(info.kind, param);
                return;
            case Destination::FieldInstruction:
                return;
            default:
                break;
        }
        if (!paragraphWord(info, hasParam, param)) formatWord(info.kind, hasParam, param, *s);
    }

    // The words that start or change the destination of the group; false for any other.
    bool destinationWord(RtfWord kind, GroupState& s) {
        switch (kind) {
            case RtfWord::FontTable:
                setDestination(Destination::FontTable);
                return true;
            case RtfWord::ColorTable:
                setDestination(Destination::ColorTable);
                return true;
            case RtfWord::Field:
                flush();
                fields_.push_back({stack_.size(), {}, std::nullopt});
                return true;
            case RtfWord::FieldInstruction:
                flush();
                setDestination(Destination::FieldInstruction);
                return true;
            case RtfWord::FieldResult:
                flush();
                if (!fields_.empty()) {
                    Field& field = fields_.back();
                    if (!field.target) field.target = rtfHyperlinkTarget(trim(field.instruction));
                    s.link = *field.target;
                }
                s.destination = Destination::Text;
                return true;
            case RtfWord::ListDefinition:
                // The list definition of the paragraph; what it draws is not part of the text.
                doc_.markBullet();
                setDestination(Destination::Skip);
                return true;
            case RtfWord::SkippedDestination:
                flush();
                setDestination(Destination::Skip);
                return true;
            default:
                return false;
        }
    }

    void fontTableWord(RtfWord kind, int param) {
        if (kind == RtfWord::Font)
            fonts_.beginEntry(param);
        else if (kind == RtfWord::FontCharset)
            fonts_.setEntryCharset(param);
    }

    void colorTableWord(RtfWord kind, int param) {
        if (kind == RtfWord::Red)
            colors_.setRed(param);
        else if (kind == RtfWord::Green)
            colors_.setGreen(param);
        else if (kind == RtfWord::Blue)
            colors_.setBlue(param);
    }

    // Document settings, characters and paragraph format in the text; false for any other.
    bool paragraphWord(const RtfWordInfo& info, bool hasParam, int param) {
        switch (info.kind) {
            case RtfWord::DefaultFont:
                fonts_.setDefaultFont(param);
                return true;
            case RtfWord::CodePage:
                fonts_.setCodePage(hasParam ? param : 1252);
                return true;
            case RtfWord::Ansi:
                fonts_.setCodePage(1252);
                return true;
            case RtfWord::Character:
                character(info.character);
                return true;
            case RtfWord::ParagraphEnd:
                endParagraph();
                return true;
            case RtfWord::ParagraphDefault:
                doc_.resetParagraphFormat();
                return true;
            case RtfWord::AlignLeft:
                doc_.setAlignment(RtfAlignment::Left);
                return true;
            case RtfWord::AlignCenter:
                doc_.setAlignment(RtfAlignment::Center);
                return true;
            case RtfWord::AlignRight:
                doc_.setAlignment(RtfAlignment::Right);
                return true;
            case RtfWord::AlignJustify:
                doc_.setAlignment(RtfAlignment::Justify);
                return true;
            case RtfWord::ListOverride:
                if (param > 0) doc_.markBullet();
                return true;
            default:
                return false;
        }
    }

    // Character formatting: a change ends the text gathered so far.
    void formatWord(RtfWord kind, bool hasParam, int param, GroupState& s) {
        const bool on = !hasParam || param != 0;
        switch (kind) {
            case RtfWord::Plain:
                flush();
                s.font = -1;
                s.sizeHalfPoints = 24;
                s.colorIndex = 0;
                s.bold = s.italic = s.underline = false;
                break;
            case RtfWord::Bold:
                flush();
                s.bold = on;
                break;
            case RtfWord::Italic:
                flush();
                s.italic = on;
                break;
            case RtfWord::Underline:
                flush();
                s.underline = on;
                break;
            case RtfWord::UnderlineNone:
                flush();
                s.underline = false;
                break;
            case RtfWord::Font:
                flush();
                s.font = param;
                break;
            case RtfWord::FontSize:
                flush();
                s.sizeHalfPoints = hasParam ? std::clamp(param, 1, 3276) : 24;
                break;
            case RtfWord::Color:
                flush();
                s.colorIndex = param;
                break;
            default:
                break;
        }
    }

    RtfCharFormat currentFormat() const {
        const GroupState& s = stack_.back();
        RtfCharFormat f;
        if (const RtfFont* font = fonts_.findOrDefault(s.font)) {
            f.fontName = font->name;
            f.fontCharset = font->charset;
        }
        f.sizeHalfPoints = s.sizeHalfPoints;
        f.color = colors_.color(s.colorIndex);
        f.bold = s.bold;
        f.italic = s.italic;
        f.underline = s.underline;
        f.link = s.link;
        return f;
    }

    void flush() {
        if (!doc_.hasPendingText()) return;
        if (stack_.empty())
            doc_.dropPendingText();
        else
            doc_.endRun(currentFormat());
    }

    void endParagraph() {
        if (pendingHighSurrogate_ != 0) {
            pendingHighSurrogate_ = 0;
            if (!stack_.empty()) doc_.addCharacter(0xFFFD);
        }
        flush();
        doc_.endParagraph();
    }

    RtfTokenizer tokens_;
    std::vector<GroupState> stack_;
    int overflow_ = 0;
    int skipPending_ = 0;
    char32_t pendingHighSurrogate_ = 0;

    RtfFontTable fonts_;
    RtfColorTable colors_;
    std::vector<Field> fields_;
    RtfDocumentBuilder doc_;
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
