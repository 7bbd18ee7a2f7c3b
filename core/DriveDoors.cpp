#include "core/DriveDoors.h"

#include <algorithm>

namespace vorbix {

int driveDeviceNumber(char letter) {
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < kFirstDriveLetter || letter > 'Z') return -1;
    return letter - kFirstDriveLetter;
}

char driveLetterOfDevice(int deviceNumber) {
    if (deviceNumber < 0 || deviceNumber >= kDriveLetterCount) return 0;
    return static_cast<char>(kFirstDriveLetter + deviceNumber);
}

std::vector<char> driveLettersOf(std::string_view stored) {
    std::vector<char> letters;
    for (char c : stored) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') continue;
        if (std::find(letters.begin(), letters.end(), c) == letters.end()) letters.push_back(c);
    }
    return letters;
}

std::string driveListText(const std::vector<char>& letters) {
    std::string text;
    for (char letter : letters) {
        if (!text.empty()) text += ", ";
        text += letter;
        text += ':';
    }
    return text;
}

bool DoorMemory::shouldOpen(char letter, TrayState state) const {
    switch (state) {
        case TrayState::Open:
            return false;
        case TrayState::Closed:
            return true;
        case TrayState::Unknown:
            break;
    }
    const auto it = openedLast_.find(letter);
    return it == openedLast_.end() || !it->second;
}

void toggleDriveDoor(DriveControl& drives, DoorMemory& memory, char letter) {
    const bool open = memory.shouldOpen(letter, drives.trayState(letter));
    if (drives.setDoor(letter, open)) memory.moved(letter, open);
}

}  // namespace vorbix
