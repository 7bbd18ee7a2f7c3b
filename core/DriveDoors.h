// The drive-door action's rules: which drives a stored value names, how drive letters map to the
// optical drives' device numbers, and whether a drive's door is to open or to close.
//
// Letters count by device number from D: (the first optical drive, device 0) upward, whether or
// not the drives before it are present, so a stored letter always means the same device.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/Ports.h"

namespace vorbix {

inline constexpr char kFirstDriveLetter = 'D';
inline constexpr int kDriveLetterCount = 'Z' - kFirstDriveLetter + 1;

// The device number of a drive letter (either case): D: is 0, E: is 1, ... Z: is 22; -1 for
// any other character.
int driveDeviceNumber(char letter);
// The letter of a device number, 0 when the number has none.
char driveLetterOfDevice(int deviceNumber);

// The drive letters a stored value names, upper case, in stored order and each once: every
// ":", "," and blank is removed and every letter left counts; other characters are ignored.
std::vector<char> driveLettersOf(std::string_view stored);
// The stored form of a list of letters: "D:, E:"; empty for none.
std::string driveListText(const std::vector<char>& letters);

// Remembers, per drive, whether the program's last move of its door opened it. It decides only
// when a drive cannot tell where its tray is.
class DoorMemory {
public:
    // True when the door is to open: a tray that is out closes, a closed one opens; a drive
    // that does not tell closes when the program opened it last and opens otherwise.
    bool shouldOpen(char letter, TrayState state) const;
    void moved(char letter, bool opened) { openedLast_[letter] = opened; }

private:
    std::map<char, bool> openedLast_;
};

// Opens or closes the door of one drive after its tray state, read from the drive.
void toggleDriveDoor(DriveControl& drives, DoorMemory& memory, char letter);

}  // namespace vorbix
