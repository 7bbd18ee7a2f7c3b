// The optical drives of the machine, presented with the drive letters that stored rows name: D: is
// /dev/sr0, E: is /dev/sr1, ..., whichever of them are missing. Their trays are read and moved
// with the CD-ROM ioctls, which may take seconds (the caller keeps them off the interface thread).
#pragma once

#include <string>
#include <vector>

#include "core/Ports.h"

namespace vorbix {

class OpticalDrives : public DriveControl {
public:
    // `deviceFolder` is where the sr* device nodes are looked for; tests use a folder of their own.
    explicit OpticalDrives(std::string deviceFolder = "/dev");

    std::vector<std::string> opticalDrives() override;
    TrayState trayState(char letter) override;
    bool setDoor(char letter, bool open) override;

    // The device node of a drive letter, empty when there is no such drive.
    std::string deviceOf(char letter) const;

private:
    std::string devicePath(int number) const;

    std::string deviceFolder_;
};

}  // namespace vorbix
