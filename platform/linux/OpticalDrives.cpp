#include "platform/linux/OpticalDrives.h"

#include <climits>  // before linux/cdrom.h, which uses INT_MAX without including it

#include <dirent.h>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace vorbix {

namespace {

constexpr char kFirstLetter = 'D';

// The number of a device name "sr<digits>", or -1 for any other name.
long srNumber(const std::string& name) {
    if (name.size() < 3 || name.compare(0, 2, "sr") != 0 || name.size() > 8) return -1;
    for (size_t i = 2; i < name.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return -1;
    return std::stol(name.substr(2));
}

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

std::vector<std::string> OpticalDrives::devices() {
    std::vector<std::pair<long, std::string>> found;
    if (DIR* dir = ::opendir(deviceFolder_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            long n = srNumber(entry->d_name);
            if (n >= 0) found.emplace_back(n, entry->d_name);
        }
        ::closedir(dir);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (const auto& [n, name] : found) paths.push_back(deviceFolder_ + "/" + name);
    // Only as many drives as there are letters from D to Z.
    if (paths.size() > static_cast<size_t>('Z' - kFirstLetter + 1))
        paths.resize('Z' - kFirstLetter + 1);
    return paths;
}

std::vector<std::string> OpticalDrives::opticalDrives() {
    std::vector<std::string> roots;
    char letter = kFirstLetter;
    const size_t count = devices().size();
    for (size_t i = 0; i < count; ++i) roots.push_back(std::string{letter++} + ":\\");
    return roots;
}

std::string OpticalDrives::deviceOf(char letter) {
    int upper = std::toupper(static_cast<unsigned char>(letter));
    if (upper < kFirstLetter || upper > 'Z') return {};
    auto all = devices();
    size_t index = static_cast<size_t>(upper - kFirstLetter);
    return index < all.size() ? all[index] : std::string();
}

bool OpticalDrives::isNotReady(char letter) {
    Device device(deviceOf(letter));
    if (device.fd() < 0) return false;
    int status = ::ioctl(device.fd(), CDROM_DRIVE_STATUS, CDSL_CURRENT);
    return status == CDS_TRAY_OPEN || status == CDS_NO_DISC;
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
