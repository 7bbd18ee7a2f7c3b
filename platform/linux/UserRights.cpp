#include "platform/linux/UserRights.h"

#include <grp.h>
#include <unistd.h>

#include <cstring>

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

}  // namespace vorbix
