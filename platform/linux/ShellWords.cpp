#include "platform/linux/ShellWords.h"

namespace vorbix {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

std::vector<std::string> splitShellWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;  // a word has started, even if it is still empty ("")
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (isBlank(c)) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            ++i;
            continue;
        }
        inWord = true;
        if (c == '\'') {
            size_t end = text.find('\'', i + 1);
            if (end == std::string_view::npos) end = text.size();
            word.append(text.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == '"') {
            ++i;
            while (i < text.size() && text[i] != '"') {
                if (text[i] == '\\' && i + 1 < text.size() &&
                    (text[i + 1] == '"' || text[i + 1] == '\\')) {
                    ++i;
                }
                word.push_back(text[i]);
                ++i;
            }
            ++i;  // the closing quote, or past the end
        } else if (c == '\\' && i + 1 < text.size() &&
                   (isBlank(text[i + 1]) || text[i + 1] == '"' || text[i + 1] == '\'' ||
                    text[i + 1] == '\\')) {
            word.push_back(text[i + 1]);
            i += 2;
        } else {
            word.push_back(c);
            ++i;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

}  // namespace vorbix
