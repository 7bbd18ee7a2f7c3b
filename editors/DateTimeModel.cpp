#include "editors/DateTimeModel.h"

#include <algorithm>

namespace vorbix {

namespace {

template <size_t N>
int indexIn(const std::array<std::string_view, N>& list, std::string_view text) {
    const auto at = std::find(list.begin(), list.end(), text);
    return at == list.end() ? -1 : int(at - list.begin());
}

bool isTimeFormat(std::string_view text) {
    return !text.empty() && (text[0] == 'h' || text[0] == 'm' || text[0] == 's');
}

}  // namespace

void DateTimeModel::decode(std::string_view stored, const EditorTexts& texts) {
    *this = DateTimeModel();
    if (stored.empty() || texts.anyLanguageHas(stored, &LanguageTexts::sNewDateTime)) return;
    if (isTimeFormat(stored)) {
        kind = DateTimeKind::Time;
        time = indexIn(kTimeFormats, stored);
        if (time < 0) keptTime = std::string(stored);
        return;
    }
    std::array<std::string, 3> read;
    size_t part = 0;
    bool separatorSeen = false;
    for (char c : stored) {
        if (c == ' ') continue;
        const auto sep = std::find(kDateSeparators.begin(), kDateSeparators.end(), c);
        if (sep != kDateSeparators.end()) {
            if (!separatorSeen) separator = int(sep - kDateSeparators.begin());
            separatorSeen = true;
            if (++part == read.size()) break;
            continue;
        }
        read[part] += c;
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        const int found = indexIn(kDateParts, read[i]);
        parts[i] = found >= 0 ? found : kDefaultDateParts[i];
    }
}

std::string DateTimeModel::format() const {
    if (kind == DateTimeKind::Time)
        return time >= 0 ? std::string(kTimeFormats[size_t(time)]) : keptTime;
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separatorChar();
        out += kDateParts[size_t(parts[i])];
    }
    return out;
}

void DateTimeModel::setKind(DateTimeKind k) {
    kind = k;
    separator = 0;
}

}  // namespace vorbix
