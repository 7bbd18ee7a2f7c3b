#include "storage/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vorbix {

namespace {

std::string systemError(const std::string& path, int err) {
    return path + ": " + std::strerror(err);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error) *error = systemError(path, errno);
        return std::nullopt;
    }
    std::string data;
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (error) *error = systemError(path, errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

FileResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return {false, systemError(path, EISDIR)};

    std::string temp = folderOf(path) + "/.vorbix-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return {false, systemError(path, errno)};
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return FileResult{false, systemError(path, err)};
    };
    // Keep the permissions of the file that is replaced; a new file gets the usual 0644.
    const mode_t mode = exists ? (existing.st_mode & 07777) : 0644;
    if (::fchmod(fd, mode) != 0) return fail(errno);
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        written += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return {false, systemError(path, err)};
    }
    if (exists && ::access(path.c_str(), W_OK) != 0 && errno == EACCES) {
        // A read-only file stays as it is, as it would on Windows.
        ::unlink(temp.c_str());
        return {false, systemError(path, EACCES)};
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return {false, systemError(path, err)};
    }
    return {};
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool directoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace vorbix
