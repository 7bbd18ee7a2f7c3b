// The table behind lookUpRtfWord, built once on first use.
#include "storage/RtfControlWords.h"

#include <unordered_map>
#include <utility>

#include "storage/RtfDocument.h"

namespace vorbix {

RtfWordInfo lookUpRtfWord(std::string_view word) {
    static const std::unordered_map<std::string_view, RtfWordInfo> kWords = [] {
        std::unordered_map<std::string_view, RtfWordInfo> m;
        m["fonttbl"] = {RtfWord::FontTable};
        m["colortbl"] = {RtfWord::ColorTable};
        m["field"] = {RtfWord::Field};
        m["fldinst"] = {RtfWord::FieldInstruction};
        m["fldrslt"] = {RtfWord::FieldResult};
        m["pn"] = {RtfWord::ListDefinition};
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
            m[w] = {RtfWord::SkippedDestination};
        m["uc"] = {RtfWord::UnicodeSkip};
        m["u"] = {RtfWord::Unicode};
        m["f"] = {RtfWord::Font};
        m["fcharset"] = {RtfWord::FontCharset};
        m["red"] = {RtfWord::Red};
        m["green"] = {RtfWord::Green};
        m["blue"] = {RtfWord::Blue};
        m["deff"] = {RtfWord::DefaultFont};
        m["ansicpg"] = {RtfWord::CodePage};
        m["ansi"] = {RtfWord::Ansi};
        const std::pair<std::string_view, char32_t> specials[] = {
            {"tab", '\t'},       {"line", kRtfLineBreak}, {"emdash", 0x2014},
            {"endash", 0x2013},  {"bullet", 0x2022},      {"lquote", 0x2018},
            {"rquote", 0x2019},  {"ldblquote", 0x201C},   {"rdblquote", 0x201D},
            {"emspace", 0x2003}, {"enspace", 0x2002},     {"qmspace", 0x2005},
            {"zwj", 0x200D},     {"zwnj", 0x200C},        {"cell", '\t'},
            {"nestcell", '\t'}};
        for (const auto& [w, c] : specials) m[w] = {RtfWord::Character, c};
        for (std::string_view w : {"par", "row", "sect", "page", "nestrow"})
            m[w] = {RtfWord::ParagraphEnd};
        m["pard"] = {RtfWord::ParagraphDefault};
        m["ql"] = {RtfWord::AlignLeft};
        m["qc"] = {RtfWord::AlignCenter};
        m["qr"] = {RtfWord::AlignRight};
        m["qj"] = {RtfWord::AlignJustify};
        m["qd"] = {RtfWord::AlignJustify};
        m["ls"] = {RtfWord::ListOverride};
        m["plain"] = {RtfWord::Plain};
        m["b"] = {RtfWord::Bold};
        m["i"] = {RtfWord::Italic};
        for (std::string_view w : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                   "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd",
                                   "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
            m[w] = {RtfWord::Underline};
        m["ulnone"] = {RtfWord::UnderlineNone};
        m["fs"] = {RtfWord::FontSize};
        m["cf"] = {RtfWord::Color};
        return m;
    }();
    const auto it = kWords.find(word);
    return it == kWords.end() ? RtfWordInfo{} : it->second;
}

}  // namespace vorbix
