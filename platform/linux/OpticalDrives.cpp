#include "platform/linux/OpticalDrives.h"

#include <climits>  // before linux/cdrom.h, which uses INT_MAX without including it

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "core/DriveDoors.h"

namespace vorbix {

namespace {

class Device {
public:
    explicit Device(const std::string& path)
        : fd_(path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~Device() {
        if (fd_ >= 0) ::close(fd_);
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace

OpticalDrives::OpticalDrives(std::string deviceFolder) : deviceFolder_(std::move(deviceFolder)) {
    while (deviceFolder_.size() > 1 && deviceFolder_.back() == '/') deviceFolder_.pop_back();
}

std::string OpticalDrives::devicePath(int number) const {
    return deviceFolder_ + "/sr" + std::to_string(number);
}

std::vector<std::string> OpticalDrives::opticalDrives() {
    std::vector<std::string> roots;
    for (int n = 0; n < kDriveLetterCount; ++n) {
        if (::access(devicePath(n).c_str(), F_OK) == 0) {
            roots.push_back(std::string{driveLetterOfDevice(n)} + ":\\");
        }
    }
    return roots;
}

std::string OpticalDrives::deviceOf(char letter) const {
    const int number = driveDeviceNumber(letter);
    if (number < 0) return {};
    std::string path = devicePath(number);
    return ::access(path.c_str(), F_OK) == 0 ? path : std::string();
}

TrayState OpticalDrives::trayState(char letter) {
    Device device(deviceOf(letter));
    if (device.fd() < 0) return TrayState::Unknown;
    switch (::ioctl(device.fd(), CDROM_DRIVE_STATUS, CDSL_CURRENT)) {
        case CDS_TRAY_OPEN:
            return TrayState::Open;
        case CDS_NO_DISC:
        case CDS_DISC_OK:
            return TrayState::Closed;
        default:  // not ready (the tray moving), no information, not a drive
            return TrayState::Unknown;
    }
}

bool OpticalDrives::setDoor(char letter, bool open) {
    Device device(deviceOf(letter));
    if (device.fd() < 0) return false;
    if (open) {
        // A drive locked by a mounted medium's program refuses to open; unlock it first.
        ::ioctl(device.fd(), CDROM_LOCKDOOR, 0);
        return ::ioctl(device.fd(), CDROMEJECT, 0) == 0;
    }
    return ::ioctl(device.fd(), CDROMCLOSETRAY, 0) == 0;
}

}  // namespace vorbix
