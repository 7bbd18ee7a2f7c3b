// The rights of the user the program runs as: an administrator is root or a member of one of the
// groups that may administer the machine (sudo, wheel, admin); elevated means running as root.
#pragma once

#include <sys/types.h>

#include <vector>

namespace vorbix {

// For the current process: its user ids and its supplementary and effective groups.
bool IsAdministrator();
// The same test for given credentials.
bool isAdministratorWith(uid_t realUid, uid_t effectiveUid, const std::vector<gid_t>& groups);
// The effective user id is root.
bool isElevated();

}  // namespace vorbix
