#include "editors/ControlCommandModel.h"

namespace vorbix {

void ControlCommandModel::decode(const HotKeyEntry& row, const std::vector<std::string>& entries,
                                 const EditorTexts& texts) {
    const std::string& stored = row.PropertiesText;
    for (int i = int(entries.size()) - 1; i >= 0; --i) {
        if (!stored.empty() && entries[size_t(i)] == stored) {
            entry = i;
            return;
        }
    }
    // The command lists are in command order, so a command's number is its entry.
    std::optional<int> command;
    if (list_ == CommandList::Browser) {
        if (auto c = texts.languages->browserCommandOf(stored)) command = int(*c);
    } else {
        if (auto c = texts.languages->mediaCommandOf(stored)) command = int(*c);
    }
    entry = command && *command < int(entries.size()) ? *command : 0;
}

void ControlCommandModel::encode(HotKeyEntry& row, const std::vector<std::string>& entries) const {
    if (entry >= 0 && entry < int(entries.size())) row.PropertiesText = entries[size_t(entry)];
}

}  // namespace vorbix
