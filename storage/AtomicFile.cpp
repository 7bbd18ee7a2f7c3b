#include "storage/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vorbix {

namespace {

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The file a write to `path` is meant for: the target of a symbolic link, so that the link stays
// and the file it points at is replaced. A dangling link is replaced itself.
std::string writeTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

// The process's file-creation mask, read without changing it (umask() would, for a moment, for
// every thread). Linux shows it in /proc/self/status; the common 022 stands in when it cannot.
mode_t creationMask() {
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 022;
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    if (n <= 0) return 022;
    buffer[n] = '\0';
    const char* line = std::strstr(buffer, "\nUmask:");
    if (!line) return 022;
    return static_cast<mode_t>(std::strtoul(line + 7, nullptr, 8) & 0777);
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path, std::string* error) {
    // Not blocking on open: a named pipe without a writer would otherwise hang the caller.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (error) *error = systemErrorText(path, errno);
        return std::nullopt;
    }
    // Only regular files are read: a pipe, socket or device never ends or never answers.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = errno;
        const bool stated = st.st_mode != 0;
        ::close(fd);
        if (error) {
            if (!stated)
                *error = systemErrorText(path, err);
            else if (S_ISDIR(st.st_mode))
                *error = systemErrorText(path, EISDIR);
            else
                *error = path + ": not a regular file";
        }
        return std::nullopt;
    }
    std::string data;
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (error) *error = systemErrorText(path, errno);
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
    if (exists && S_ISDIR(existing.st_mode)) return {false, systemErrorText(path, EISDIR)};
    // A pipe or device is never replaced by a file (think of "/dev/null" chosen as the target).
    if (exists && !S_ISREG(existing.st_mode)) return {false, path + ": not a regular file"};

    const std::string target = writeTarget(path);
    std::string temp = folderOf(target) + "/.vorbix-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return {false, systemErrorText(path, errno)};
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return FileResult{false, systemErrorText(path, err)};
    };
    // Keep the permissions of the file that is replaced; a new file gets what the user's
    // file-creation mask leaves of read and write for all, as any newly created file does.
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~creationMask());
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
        return {false, systemErrorText(path, err)};
    }
    if (exists && ::access(target.c_str(), W_OK) != 0 && errno == EACCES) {
        // A read-only file stays as it is, as it would on Windows.
        ::unlink(temp.c_str());
        return {false, systemErrorText(path, EACCES)};
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return {false, systemErrorText(path, err)};
    }
    return {};
}

std::string systemErrorText(const std::string& path, int err) {
    return path + ": " + std::strerror(err);
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
