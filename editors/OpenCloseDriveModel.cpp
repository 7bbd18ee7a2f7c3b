#include "editors/OpenCloseDriveModel.h"

#include <algorithm>

#include "core/DriveDoors.h"

namespace vorbix {

void OpenCloseDriveModel::decode(const HotKeyEntry& row,
                                 const std::vector<std::string>& presentRoots,
                                 const EditorTexts& texts) {
    entries.clear();
    for (const std::string& root : presentRoots) {
        const std::vector<char> letter = driveLettersOf(root.substr(0, 1));
        if (letter.empty()) continue;
        if (std::none_of(entries.begin(), entries.end(),
                         [&](const DriveEntry& e) { return e.letter == letter[0]; })) {
            entries.push_back({letter[0], true, false});
        }
    }
    const bool unset = texts.anyLanguageHas(row.PropertiesText, &LanguageTexts::sNewDrive);
    const std::vector<char> stored =
        unset ? std::vector<char>{} : driveLettersOf(row.PropertiesText);
    for (char letter : stored) {
        auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const DriveEntry& e) { return e.letter == letter; });
        if (it != entries.end()) {
            it->ticked = true;
        } else {
            entries.push_back({letter, false, true});
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const DriveEntry& a, const DriveEntry& b) { return a.letter < b.letter; });
}

void OpenCloseDriveModel::encode(HotKeyEntry& row, const LanguageTexts& current) const {
    std::vector<char> ticked;
    for (const DriveEntry& e : entries) {
        if (e.ticked) ticked.push_back(e.letter);
    }
    row.PropertiesText = ticked.empty() ? current.sNewDrive : driveListText(ticked);
}

std::string OpenCloseDriveModel::rootOf(char letter) {
    return std::string{letter} + ":\\";
}

}  // namespace vorbix
