#include "storage/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>

namespace vorbix {

namespace {

constexpr std::string_view kTemporaryPrefix = ".vorbix-";
// Unnamed temporaries get a name only once they are locked (see below).
constexpr std::string_view kLinkedPrefix = ".vorbix-link-";
constexpr size_t kRandomLength = 6;
constexpr time_t kStaleSeconds = 60;

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The file a write to `path` is meant for: the target of a symbolic link, so that the link stays
// and the file it points at is replaced. A dangling link is replaced itself. A link that is not
// the user's own, or that leads to a file of another user, is refused: a link planted in a
// folder the program writes to must not make it replace someone else's file.
std::optional<FileResult> writeTarget(const std::string& path, std::string& target) {
    target = path;
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return std::nullopt;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return std::nullopt;
    target = resolved;
    std::free(resolved);
    struct stat file {};
    const uid_t me = ::geteuid();
    if (link.st_uid != me || (::stat(target.c_str(), &file) == 0 && file.st_uid != me)) {
        return FileResult{false,
                          path + ": a symbolic link to a file of another user, not followed"};
    }
    return std::nullopt;
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

std::string randomSuffix() {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, kLetters.size() - 1);
    std::string suffix;
    for (size_t i = 0; i < kRandomLength; ++i) suffix += kLetters[pick(generator)];
    return suffix;
}

bool writeAll(int fd, std::string_view bytes, int& err) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

// A temporary file in the target's folder, locked for as long as it is open: a locked temporary
// belongs to a write in progress, an unlocked one to a write whose process died.
class Temporary {
public:
    ~Temporary() {
        if (!name_.empty()) ::unlink(name_.c_str());
        if (fd_ >= 0) ::close(fd_);
    }

    // An unnamed file; false when the file system refuses one.
    bool openUnnamed(const std::string& folder) {
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ < 0) return false;
        if (::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
            return false;
        }
        unnamed_ = true;
        return true;
    }

    int openNamed(const std::string& folder) {
        std::string name = folder + "/" + std::string(kTemporaryPrefix) + "XXXXXX";
        fd_ = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd_ < 0) return errno;
        name_ = std::move(name);
        ::flock(fd_, LOCK_EX);
        return 0;
    }

    int fd() const { return fd_; }

    // Gives an unnamed file a name in `folder`, so that it can be renamed over the target.
    int link(const std::string& folder) {
        if (!unnamed_) return 0;
        const std::string procPath = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = folder + "/" + std::string(kLinkedPrefix) + randomSuffix();
            int result =
                ::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
            if (result != 0 && errno == ENOENT) {
                // No /proc: linking the descriptor itself needs a capability, but may do.
                result = ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
            }
            if (result == 0) {
                name_ = std::move(name);
                return 0;
            }
            if (errno != EEXIST) return errno;
        }
        return EEXIST;
    }

    int renameTo(const std::string& target) {
        if (::rename(name_.c_str(), target.c_str()) != 0) return errno;
        name_.clear();
        return 0;
    }

    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_ = -1;
    bool unnamed_ = false;
    std::string name_;  // the named file, removed unless renamed over the target
};

// Makes the rename itself durable; a folder that cannot be flushed changes nothing about the
// file, which is in place by then.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

FileResult writeThrough(Temporary& temp, const std::string& path, const std::string& target,
                        const std::string& folder, std::string_view bytes, mode_t mode, bool exists,
                        bool flush) {
    const auto failed = [&](int err) { return FileResult{false, systemErrorText(path, err)}; };
    int err = 0;
    if (::fchmod(temp.fd(), mode) != 0) return failed(errno);
    if (!writeAll(temp.fd(), bytes, err)) return failed(err);
    if (flush && ::fsync(temp.fd()) != 0) return failed(errno);
    // A read-only file stays as it is, as it would on Windows.
    if (exists && ::access(target.c_str(), W_OK) != 0 && errno == EACCES) return failed(EACCES);
    if ((err = temp.link(folder)) != 0) return failed(err);
    if ((err = temp.renameTo(target)) != 0) return failed(err);
    if ((err = temp.close()) != 0) return failed(err);
    if (flush) syncFolder(folder);
    return {};
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

FileResult writeFileAtomically(const std::string& path, std::string_view bytes,
                               const WriteOptions& options) {
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return {false, systemErrorText(path, EISDIR)};
    // A pipe or device is never replaced by a file (think of "/dev/null" chosen as the target).
    if (exists && !S_ISREG(existing.st_mode)) return {false, path + ": not a regular file"};

    std::string target;
    if (std::optional<FileResult> refused = writeTarget(path, target)) return *refused;
    const std::string folder = folderOf(target);
    // Keep the permissions of the file that is replaced unless told otherwise; a new file gets
    // what it is given or what the user's file-creation mask leaves of read and write for all.
    mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~creationMask());
    if (options.mode && (!exists || !options.modeForNewFileOnly)) mode = *options.mode & 07777;

    Temporary temp;
    if (!options.unnamedTemporary || !temp.openUnnamed(folder)) {
        if (const int err = temp.openNamed(folder); err != 0) {
            return {false, systemErrorText(path, err)};
        }
    }
    return writeThrough(temp, path, target, folder, bytes, mode, exists, options.flushToDisk);
}

bool isTemporaryFileName(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix)) return false;
    std::string_view rest = name.substr(kTemporaryPrefix.size());
    if (name.starts_with(kLinkedPrefix)) rest = name.substr(kLinkedPrefix.size());
    return rest.size() == kRandomLength && std::all_of(rest.begin(), rest.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c));
           });
}

size_t removeStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    const int dirFd = ::dirfd(dir);
    const uid_t me = ::geteuid();
    const time_t now = std::time(nullptr);
    size_t removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!isTemporaryFileName(name)) continue;
        const int fd =
            ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        struct stat again {};
        // A linked temporary was locked before it got its name, so an unlocked one is an orphan
        // at once; a named one is unlocked for a moment after it is made, hence the age.
        const bool stale = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == me &&
                           (name.starts_with(kLinkedPrefix) || now - st.st_mtime > kStaleSeconds) &&
                           ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                           ::fstatat(dirFd, entry->d_name, &again, AT_SYMLINK_NOFOLLOW) == 0 &&
                           again.st_dev == st.st_dev && again.st_ino == st.st_ino;
        if (stale && ::unlinkat(dirFd, entry->d_name, 0) == 0) ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
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
