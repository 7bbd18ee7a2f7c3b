// Splits a field instruction into words and quoted strings and picks the HYPERLINK target.
#include "storage/RtfHyperlinkField.h"

#include <vector>

#include "core/TextUtil.h"

namespace vorbix {

std::string rtfHyperlinkTarget(std::string_view instruction) {
    // The words of the instruction; a quoted string keeps its opening quote as a mark.
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

}  // namespace vorbix
