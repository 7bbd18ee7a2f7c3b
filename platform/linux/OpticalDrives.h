// The optical drives of the machine, /dev/sr0, /dev/sr1, ... in device order, presented with the
// drive letters D:, E:, ... that stored rows name, and their trays moved with the CD-ROM ioctls.
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
    bool isNotReady(char letter) override;
    bool setDoor(char letter, bool open) override;

    // The device node of a drive letter, empty when there is no such drive.
    std::string deviceOf(char letter);

private:
    std::vector<std::string> devices();

    std::string deviceFolder_;
};

}  // namespace vorbix
