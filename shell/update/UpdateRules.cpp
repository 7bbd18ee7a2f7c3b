#include "shell/update/UpdateRules.h"

#include <algorithm>

namespace vorbix {

namespace {

constexpr size_t kMaxDigits = 9;

std::string_view trimBlanks(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<VersionNumber> parseVersion(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty()) return std::nullopt;
    VersionNumber version{};
    size_t part = 0;
    size_t start = 0;
    while (true) {
        if (part == version.size()) return std::nullopt;
        const size_t dot = text.find('.', start);
        const std::string_view digits = text.substr(
            start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        if (digits.empty() || digits.size() > kMaxDigits) return std::nullopt;
        uint32_t value = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + uint32_t(c - '0');
        }
        version[part++] = value;
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    return version;
}

bool isNewerVersion(std::string_view offered, std::string_view own) {
    const std::optional<VersionNumber> a = parseVersion(offered);
    const std::optional<VersionNumber> b = parseVersion(own);
    return a && b && *a > *b;
}

std::string firstLineOf(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const size_t end = text.find_first_of("\r\n");
    return std::string(text.substr(0, end));
}

UpdateTick decideUpdateTick(std::optional<int64_t> lastCheckDay, int64_t today, int intervalDays) {
    if (!lastCheckDay || *lastCheckDay > today) return {UpdateTick::Kind::RecordFirstDay, 0};
    const int64_t interval = std::max(1, intervalDays);
    const int64_t passed = today - *lastCheckDay;
    if (passed < interval) return {UpdateTick::Kind::NotDue, interval - passed};
    return {UpdateTick::Kind::Download, 0};
}

}  // namespace vorbix
