#include "storage/ActionEffects.h"

#include <cstdio>

#include "storage/InsertTextClipboard.h"

namespace vorbix {

std::string formatDateTime(std::string_view format, const std::tm& time) {
    std::string out;
    char buffer[16];
    size_t i = 0;
    auto number = [&](int value, int width) {
        std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
        out += buffer;
    };
    while (i < format.size()) {
        const std::string_view rest = format.substr(i);
        if (rest.starts_with("YYYY")) {
            number(time.tm_year + 1900, 4);
            i += 4;
        } else if (rest.starts_with("DD")) {
            number(time.tm_mday, 2);
            i += 2;
        } else if (rest.starts_with("MM")) {
            number(time.tm_mon + 1, 2);
            i += 2;
        } else if (rest.starts_with("hh")) {
            number(time.tm_hour, 2);
            i += 2;
        } else if (rest.starts_with("mm")) {
            number(time.tm_min, 2);
            i += 2;
        } else if (rest.starts_with("ss")) {
            number(time.tm_sec, 2);
            i += 2;
        } else {
            out += format[i++];
        }
    }
    return out;
}

void runInsertText(const HotKeyEntry& row, const LanguageTexts& texts, ClipboardInserter& clipboard,
                   bool keepClipboard) {
    if (row.Text.empty() || row.PropertiesText == texts.sNewText) return;
    const InsertTextInsertion insertion = insertTextInsertion(row.Text);
    // An empty formatted text still makes an RTF document; it has nothing to insert either.
    if (insertion.content.plain.empty()) return;
    clipboard.insert(insertion.content, insertion.tabAfter, keepClipboard);
}

void runInsertDateTime(const HotKeyEntry& row, const LanguageTexts& texts,
                       ClipboardInserter& clipboard, bool keepClipboard, std::time_t now) {
    if (row.PropertiesText.empty() || row.PropertiesText == texts.sNewDateTime) return;
    std::tm local{};
    localtime_r(&now, &local);
    ClipboardContent content;
    content.plain = formatDateTime(row.PropertiesText, local);
    clipboard.insert(content, false, keepClipboard);
}

}  // namespace vorbix
