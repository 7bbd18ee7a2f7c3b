// The rights of the user the program runs as: an administrator is root or a member of one of the
// groups that may administer the machine (sudo, wheel, admin); elevated means running as root.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace vorbix {

// For the current process: its user ids and its supplementary and effective groups.
bool IsAdministrator();
// The same test for given credentials.
bool isAdministratorWith(uid_t realUid, uid_t effectiveUid, const std::vector<gid_t>& groups);
// The effective user id is root.
bool isElevated();

// The folder of another user that this process would keep its files in although it runs as root
// (sudo -E, sudo with HOME kept, or XDG_CONFIG_HOME of the user who called sudo): the program
// must not write there as root. nullopt when not root or in root's own folders.
std::optional<std::string> userFolderOfRoot();

// The same rule for given facts: `home` and `configHome` as in the environment (null when
// unset), `rootHome` from the password database, `sudoUserHome` the home of SUDO_USER (empty
// without one).
std::optional<std::string> userFolderOfRootWith(uid_t effectiveUid, const char* home,
                                                const char* configHome, const std::string& rootHome,
                                                const std::string& sudoUserHome);

}  // namespace vorbix
