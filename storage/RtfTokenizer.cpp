// Reads one token at a time from the input; the tokens refer to the input, which outlives them.
#include "storage/RtfTokenizer.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

constexpr size_t kMaxWordLength = 32;
constexpr size_t kMaxTextLength = 256;  // characters in one text token

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

RtfTokenizer::RtfTokenizer(std::string_view rtf) : in_(rtf) {
    while (pos_ < in_.size() && static_cast<unsigned char>(in_[pos_]) <= 0x20) ++pos_;
}

bool RtfTokenizer::next(RtfToken& token) {
    while (pos_ < in_.size()) {
        const char c = in_[pos_];
        if (c == '{' || c == '}') {
            ++pos_;
            token.kind = c == '{' ? RtfToken::Kind::OpenGroup : RtfToken::Kind::CloseGroup;
            return true;
        }
        if (c == '\\' ? controlSequence(token) : text(token)) return true;
    }
    return false;
}

bool RtfTokenizer::controlSequence(RtfToken& token) {
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) return false;
    const char c = in_[pos_];
    if (std::isalpha(static_cast<unsigned char>(c))) {
        controlWord(token);
        return true;
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
        if (digits != 2) return false;
        token.kind = RtfToken::Kind::Byte;
        token.byte = static_cast<unsigned char>(value);
        return true;
    }
    token.kind = RtfToken::Kind::Symbol;
    token.symbol = c;
    return true;
}

void RtfTokenizer::controlWord(RtfToken& token) {
    const size_t start = pos_;
    while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) ++pos_;
    const std::string_view name = in_.substr(start, std::min(pos_ - start, kMaxWordLength));
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
    const int param = static_cast<int>(negative ? -value : value);
    token.kind = RtfToken::Kind::Word;
    token.word = name;
    token.hasParameter = hasParam;
    token.parameter = param;
    if (name == "bin") {
        // Binary data follows; it is no text whatever the destination.
        const size_t n = hasParam && param > 0 ? static_cast<size_t>(param) : 0;
        pos_ += std::min(n, in_.size() - pos_);
        token.kind = RtfToken::Kind::Binary;
    }
}

bool RtfTokenizer::text(RtfToken& token) {
    text_.clear();
    while (pos_ < in_.size() && text_.size() < kMaxTextLength) {
        const auto b = static_cast<unsigned char>(in_[pos_]);
        if (b == '{' || b == '}' || b == '\\') break;
        if (b < 0x80) {
            ++pos_;
            if (b == '\t' || b >= 0x20) text_.push_back(b);
            continue;
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
        if (len == expected) {
            const std::string_view sequence = in_.substr(pos_, len);
            for (size_t i = 0; i < sequence.size();) text_.push_back(nextCodePoint(sequence, i));
        } else {
            text_.push_back(0xFFFD);
        }
        pos_ += len;
    }
    if (text_.empty()) return false;
    token.kind = RtfToken::Kind::Text;
    token.text = text_;
    return true;
}

}  // namespace vorbix
