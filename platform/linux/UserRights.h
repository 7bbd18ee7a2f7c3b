// The rights of the user the program runs as: an administrator is root or a member of one of the
// groups that may administer the machine (sudo, wheel, admin); elevated means running as root.
#pragma once

#include <sys/types.h>

#include <functional>
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

// What the folder rule needs to know of one path, as lstat tells it: owner, group, type and
// permission bits, and for a symbolic link the text it points to.
struct PathFacts {
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;
    std::string linkTarget;
};
// The facts of a path, nullopt when it does not exist.
using PathLookup = std::function<std::optional<PathFacts>(const std::string& path)>;
// The facts of the file system itself.
PathLookup systemPathLookup();

// The first folder on the way from / to `folder` (symbolic links followed, each link itself
// counted) that `user` does not own or that others may write to (a group other than root's, or
// everybody, without the sticky bit of /tmp); nullopt when there is none. The part of the path
// that does not exist yet is not judged: the program makes it itself.
std::optional<std::string> foreignFolderOnPath(const std::string& folder, uid_t user,
                                               const PathLookup& lookup);

// A folder this process would keep its files in although it runs as root and the folder (or one
// above it) belongs to another user or may be written by others (sudo -E, HOME set by hand to a
// user's home, XDG_CONFIG_HOME of the user who called sudo): links placed there would be followed
// as root, and the files made there would belong to root. nullopt when not root, or when every
// folder is root's alone (root's home, or a root-owned folder given as HOME in a container).
std::optional<std::string> userFolderOfRoot();

// The same rule for given facts: `folders` are the program's folders (HOME and the data folder).
std::optional<std::string> userFolderOfRootWith(uid_t effectiveUid,
                                                const std::vector<std::string>& folders,
                                                const PathLookup& lookup);

}  // namespace vorbix
