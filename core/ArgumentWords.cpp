#include "core/ArgumentWords.h"

#include <optional>

namespace vorbix {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

size_t backslashRun(std::string_view text, size_t at) {
    size_t end = at;
    while (end < text.size() && text[end] == '\\') ++end;
    return end - at;
}

// The double-quoted part that starts after the opening quote at `start`: its text and the index
// after its closing quote, or nothing when no closing quote follows.
std::optional<std::pair<std::string, size_t>> quotedPart(std::string_view text, size_t start) {
    std::string part;
    size_t i = start;
    while (i < text.size()) {
        if (text[i] == '\\') {
            const size_t run = backslashRun(text, i);
            if (i + run >= text.size() || text[i + run] != '"') {
                part.append(run, '\\');
                i += run;
                continue;
            }
            part.append(run / 2, '\\');
            i += run;
            if (run % 2 == 1) {
                part.push_back('"');
                ++i;
                continue;
            }
        }
        if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                part.push_back('"');
                i += 2;
                continue;
            }
            return std::pair{std::move(part), i + 1};
        }
        part.push_back(text[i]);
        ++i;
    }
    return std::nullopt;
}

// The index of the apostrophe that closes the one at `open`, or npos: the next one before a
// blank, or, for an apostrophe that starts a word, the next one that ends a word.
size_t closingApostrophe(std::string_view text, size_t open) {
    for (size_t i = open + 1; i < text.size() && !isBlank(text[i]); ++i)
        if (text[i] == '\'') return i;
    if (open > 0 && !isBlank(text[open - 1])) return std::string_view::npos;
    for (size_t i = open + 1; i < text.size(); ++i)
        if (text[i] == '\'' && (i + 1 == text.size() || isBlank(text[i + 1]))) return i;
    return std::string_view::npos;
}

}  // namespace

std::vector<std::string> splitArgumentWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;  // a word has started, even if it is still empty ("")
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (isBlank(c)) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            ++i;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            const size_t run = backslashRun(text, i);
            const bool beforeQuote = i + run < text.size() && text[i + run] == '"';
            if (!beforeQuote) {
                word.append(run, '\\');
                i += run;
                continue;
            }
            word.append(run / 2, '\\');
            i += run;
            if (run % 2 == 1) {
                word.push_back('"');
                ++i;
                continue;
            }
            // An even run: the quote that follows opens a quoted part.
        }
        if (text[i] == '"') {
            if (auto part = quotedPart(text, i + 1)) {
                word += part->first;
                i = part->second;
            } else {
                word.push_back('"');
                ++i;
            }
            continue;
        }
        if (text[i] == '\'') {
            const size_t close = closingApostrophe(text, i);
            if (close != std::string_view::npos) {
                word.append(text.substr(i + 1, close - i - 1));
                i = close + 1;
                continue;
            }
        }
        word.push_back(text[i]);
        ++i;
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

}  // namespace vorbix
