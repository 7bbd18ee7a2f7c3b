#include "platform/linux/UserRights.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace vorbix {

namespace {

std::string homeOfUser(const passwd* entry) {
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

std::string homeOf(uid_t uid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0) return {};
    return homeOfUser(found);
}

std::string homeOfName(const char* name) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (!name || !*name || ::getpwnam_r(name, &entry, buffer.data(), buffer.size(), &found) != 0)
        return {};
    return homeOfUser(found);
}

// The path with links and "." / ".." resolved as far as it exists.
std::filesystem::path resolved(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(path, ec);
    if (ec) p = std::filesystem::path(path).lexically_normal();
    if (p.has_filename() == false && p != p.root_path()) p = p.parent_path();
    return p;
}

bool isWithin(const std::filesystem::path& path, const std::filesystem::path& folder) {
    auto [end, unused] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    (void)unused;
    return end == folder.end();
}

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

std::optional<std::string> userFolderOfRootWith(uid_t effectiveUid, const char* home,
                                                const char* configHome, const std::string& rootHome,
                                                const std::string& sudoUserHome) {
    if (effectiveUid != 0) return std::nullopt;
    if (home && *home && !rootHome.empty() && resolved(home) != resolved(rootHome)) return home;
    if (configHome && *configHome && !sudoUserHome.empty() &&
        resolved(sudoUserHome) != resolved(rootHome) &&
        isWithin(resolved(configHome), resolved(sudoUserHome)))
        return configHome;
    return std::nullopt;
}

std::optional<std::string> userFolderOfRoot() {
    return userFolderOfRootWith(::geteuid(), std::getenv("HOME"), std::getenv("XDG_CONFIG_HOME"),
                                homeOf(0), homeOfName(std::getenv("SUDO_USER")));
}

}  // namespace vorbix
