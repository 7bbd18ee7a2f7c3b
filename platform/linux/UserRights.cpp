#include "platform/linux/UserRights.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "storage/StorageLocations.h"

namespace vorbix {

namespace {

bool isAdministratorsGroup(gid_t gid) {
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    for (const char* name : {"sudo", "wheel", "admin"})
        if (std::strcmp(found->gr_name, name) == 0) return true;
    return false;
}

}  // namespace

bool isAdministratorWith(uid_t realUid, uid_t effectiveUid, const std::vector<gid_t>& groups) {
    if (realUid == 0 || effectiveUid == 0) return true;
    for (gid_t gid : groups)
        if (isAdministratorsGroup(gid)) return true;
    return false;
}

bool IsAdministrator() {
    std::vector<gid_t> groups;
    int count = ::getgroups(0, nullptr);
    if (count > 0) {
        groups.resize(static_cast<size_t>(count));
        count = ::getgroups(count, groups.data());
        groups.resize(count > 0 ? static_cast<size_t>(count) : 0);
    }
    groups.push_back(::getegid());
    return isAdministratorWith(::getuid(), ::geteuid(), groups);
}

bool isElevated() {
    return ::geteuid() == 0;
}

namespace {

bool mayBeChangedByOthers(const PathFacts& facts, uid_t user) {
    if (facts.owner != user) return true;
    // A link's own bits mean nothing; whoever owns it (and may replace it) counts.
    if (S_ISLNK(facts.mode)) return false;
    if (facts.mode & S_ISVTX) return false;  // others may add, but not rename or remove ours
    if (facts.mode & S_IWOTH) return true;
    return (facts.mode & S_IWGRP) && facts.group != 0;
}

// The names of a path, in reverse order so that the next one is at the back.
void pushNames(const std::string& path, std::vector<std::string>& pending) {
    std::vector<std::string> names;
    for (const auto& name : std::filesystem::path(path).relative_path()) names.push_back(name);
    pending.insert(pending.end(), names.rbegin(), names.rend());
}

constexpr int kMostLinks = 40;  // as the kernel follows them

}  // namespace

std::optional<std::string> foreignFolderOnPath(const std::string& folder, uid_t user,
                                               const PathLookup& lookup) {
    if (folder.empty()) return std::nullopt;
    std::filesystem::path current = "/";
    if (const auto facts = lookup("/"); facts && mayBeChangedByOthers(*facts, user)) return "/";
    std::vector<std::string> pending;
    std::error_code ec;
    pushNames(std::filesystem::absolute(folder, ec).string(), pending);
    int links = 0;
    while (!pending.empty()) {
        const std::string name = pending.back();
        pending.pop_back();
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            current = current.parent_path();
            continue;
        }
        const std::filesystem::path next = current / name;
        const std::optional<PathFacts> facts = lookup(next.string());
        if (!facts) return std::nullopt;
        if (mayBeChangedByOthers(*facts, user)) return next.string();
        if (S_ISLNK(facts->mode)) {
            // A loop leaves the folder unusable anyway; the start reports that itself.
            if (++links > kMostLinks) return std::nullopt;
            if (!facts->linkTarget.empty() && facts->linkTarget.front() == '/') current = "/";
            pushNames(facts->linkTarget, pending);
            continue;
        }
        current = next;
    }
    return std::nullopt;
}

std::optional<std::string> userFolderOfRootWith(uid_t effectiveUid,
                                                const std::vector<std::string>& folders,
                                                const PathLookup& lookup) {
    if (effectiveUid != 0) return std::nullopt;
    for (const std::string& folder : folders)
        if (auto foreign = foreignFolderOnPath(folder, effectiveUid, lookup)) return foreign;
    return std::nullopt;
}

PathLookup systemPathLookup() {
    return [](const std::string& path) -> std::optional<PathFacts> {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
        PathFacts facts{info.st_uid, info.st_gid, info.st_mode, {}};
        if (S_ISLNK(info.st_mode)) {
            std::vector<char> target(PATH_MAX + 1);
            const ssize_t length = ::readlink(path.c_str(), target.data(), PATH_MAX);
            if (length > 0) facts.linkTarget.assign(target.data(), static_cast<size_t>(length));
        }
        return facts;
    };
}

std::optional<std::string> userFolderOfRoot() {
    std::vector<std::string> folders{DataFolder()};
    if (const char* home = std::getenv("HOME"); home && *home) folders.insert(folders.begin(), home);
    return userFolderOfRootWith(::geteuid(), folders, systemPathLookup());
}

}  // namespace vorbix
