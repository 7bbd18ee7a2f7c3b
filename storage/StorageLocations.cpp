#include "storage/StorageLocations.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "storage/AtomicFile.h"
#include "storage/HotKeyFile.h"

namespace vorbix {

namespace {

std::optional<std::string>& programFolderOverride() {
    static std::optional<std::string> folder;
    return folder;
}

// Creates `folder` and its missing parents, each with `mode`. Returns 0 or the errno of the
// first failure.
int makeFolders(const std::string& folder, mode_t mode) {
    std::string path;
    size_t pos = 0;
    while (pos < folder.size()) {
        size_t slash = folder.find('/', pos);
        if (slash == std::string::npos) slash = folder.size();
        path = folder.substr(0, slash);
        pos = slash + 1;
        if (path.empty()) continue;  // the root
        if (::mkdir(path.c_str(), mode) != 0 && errno != EEXIST) return errno;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return errno;
        if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    }
    return 0;
}

}  // namespace

std::string withTrailingSlash(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    if (path == "/") return "/";
    return std::string(path) + "/";
}

std::string programFolderOf(std::string_view executablePath) {
    const size_t slash = executablePath.rfind('/');
    if (slash == std::string_view::npos) return "./";
    if (slash == 0) return "/";
    return withTrailingSlash(executablePath.substr(0, slash));
}

namespace {

// The folder for an executable: its own when the data lies beside it or it is not installed in
// a "bin" folder, else `installed` below the prefix that holds that "bin" folder.
std::string installedOrOwnFolder(std::string_view executablePath, bool dataBeside,
                                 std::string_view installed) {
    const std::string own = programFolderOf(executablePath);
    if (dataBeside) return own;
    const std::string_view folder = std::string_view(own).substr(0, own.size() - 1);
    const size_t slash = folder.rfind('/');
    if (slash == std::string_view::npos || folder.substr(slash + 1) != "bin") return own;
    return withTrailingSlash(folder.substr(0, slash)) + std::string(installed);
}

// The running executable and whether its own folder holds the data; nullopt when unknown.
std::optional<std::pair<std::string, bool>> runningExecutable() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::nullopt;
    const std::string path = exe.string();
    return std::pair{path, directoryExists(programFolderOf(path) + "System/Localization/")};
}

}  // namespace

std::string programFolderFor(std::string_view executablePath, bool dataBeside) {
    return installedOrOwnFolder(executablePath, dataBeside, kInstalledDataFolder);
}

std::string helperFolderFor(std::string_view executablePath, bool dataBeside) {
    return installedOrOwnFolder(executablePath, dataBeside, kInstalledHelperFolder);
}

std::string ProgramFolder() {
    if (programFolderOverride()) return *programFolderOverride();
    const auto exe = runningExecutable();
    return exe ? programFolderFor(exe->first, exe->second) : "./";
}

std::string HelperFolder() {
    const auto exe = runningExecutable();
    return exe ? helperFolderFor(exe->first, exe->second) : "./";
}

void setProgramFolderOverride(std::optional<std::string> folder) {
    if (folder) folder = withTrailingSlash(*folder);
    programFolderOverride() = std::move(folder);
}

std::string dataFolderFrom(std::string_view xdgConfigHome, std::string_view home) {
    std::string base;
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') {
        base = withTrailingSlash(xdgConfigHome);
    } else {
        base = withTrailingSlash(home) + ".config/";
    }
    return base + std::string(kDataFolderName) + "/";
}

std::string DataFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string homeFolder = home ? home : "";
    if (homeFolder.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) homeFolder = pw->pw_dir;
    }
    return dataFolderFrom(xdg ? xdg : "", homeFolder);
}

std::string hotKeyFilePath(std::string_view dataFolder) {
    return std::string(dataFolder) + std::string(kHotKeyFileName);
}

std::string configFilePath(std::string_view dataFolder) {
    return std::string(dataFolder) + std::string(kConfigFileName);
}

FirstRunResult prepareDataFolder(const std::string& dataFolder) {
    FirstRunResult result;
    const std::string folder = withTrailingSlash(dataFolder);
    if (!directoryExists(folder)) {
        if (const int err = makeFolders(folder, 0700); err != 0) {
            return {false, systemErrorText(folder, err)};
        }
        result.createdFolder = true;
    }
    // What writes that a crash interrupted left behind.
    removeStaleTemporaries(folder);
    const std::string hotKeys = hotKeyFilePath(folder);
    // Anything at that name (also a dangling link or a folder) is left alone.
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(hotKeys, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) {
        return {false, hotKeys + ": " + ec.message()};
    }
    if (std::filesystem::exists(status)) return result;
    if (FileResult written =
            writeFileAtomically(hotKeys, kEmptyHotKeyFile, WriteOptions{.mode = kPrivateFileMode});
        !written) {
        result.ok = false;
        result.error = written.error;
        return result;
    }
    result.createdHotKeyFile = true;
    return result;
}

int32_t ScaleToScreen(int32_t value, int32_t ppi) {
    const int64_t product = static_cast<int64_t>(value) * ppi;
    // Floor division, so the remainder is 0..95 for negative products too.
    int64_t quotient = product / 96;
    int64_t remainder = product % 96;
    if (remainder < 0) {
        remainder += 96;
        --quotient;
    }
    if (remainder * 2 > 96 || (remainder * 2 == 96 && (quotient & 1) != 0)) ++quotient;
    return static_cast<int32_t>(std::clamp<int64_t>(quotient, INT32_MIN, INT32_MAX));
}

}  // namespace vorbix
