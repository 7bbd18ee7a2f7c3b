// When the program, running as root, would keep its files in folders another user may change.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "platform/linux/UserRights.h"
#include "tests/platform_linux/TestSupport.h"

namespace vorbix {
namespace {

constexpr uid_t kRoot = 0, kAlice = 1000;
constexpr gid_t kRootGroup = 0, kUsers = 100;

PathFacts folder(uid_t owner, mode_t bits, gid_t group = kRootGroup) {
    return {owner, group, static_cast<mode_t>(S_IFDIR | bits), {}};
}
PathFacts link(uid_t owner, const std::string& target) {
    return {owner, kRootGroup, static_cast<mode_t>(S_IFLNK | 0777), target};
}

// A small machine: root's and alice's homes, /tmp, a kiosk folder, and links between them.
std::map<std::string, PathFacts> machine() {
    return {
        {"/", folder(kRoot, 0755)},
        {"/root", folder(kRoot, 0700)},
        {"/root/.config", folder(kRoot, 0700)},
        {"/home", folder(kRoot, 0755)},
        {"/home/alice", folder(kAlice, 0755, kUsers)},
        {"/home/alice/.config", folder(kAlice, 0700, kUsers)},
        {"/home/alice/root-inside", folder(kRoot, 0700)},
        {"/tmp", folder(kRoot, 01777)},
        {"/tmp/ci", folder(kRoot, 0700)},
        {"/tmp/ci/home", folder(kRoot, 0700)},
        {"/tmp/open", folder(kRoot, 0777)},
        {"/tmp/open/home", folder(kRoot, 0700)},
        {"/tmp/team", folder(kRoot, 0770, kUsers)},
        {"/tmp/rootgroup", folder(kRoot, 0770, kRootGroup)},
        {"/tmp/alice-link", link(kAlice, "/root")},
        {"/tmp/root-link", link(kRoot, "/root")},
        {"/tmp/to-alice", link(kRoot, "../home/alice")},
        {"/tmp/relative", link(kRoot, "ci/home")},
        {"/tmp/loop", link(kRoot, "/tmp/loop")},
        {"/kiosk", folder(kRoot, 0700)},
    };
}

TEST(UserFoldersOfRoot, RefusesOnlyFoldersOthersMayChange) {
    const auto files = machine();
    const PathLookup lookup = [&](const std::string& path) -> std::optional<PathFacts> {
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    };
    struct Case {
        uid_t euid;
        std::vector<std::string> folders;
        std::optional<std::string> named;
    };
    const Case cases[] = {
        // Not root: never.
        {kAlice, {"/home/alice", "/home/alice/.config/Vorbix/"}, std::nullopt},
        // Root's own home, however written.
        {kRoot, {"/root", "/root/.config/Vorbix/"}, std::nullopt},
        {kRoot, {"/root/", "/root/./.config/../.config/Vorbix"}, std::nullopt},
        {kRoot, {"/tmp/root-link", "/tmp/root-link/.config/Vorbix/"}, std::nullopt},
        {kRoot, {}, std::nullopt},
        // A root-owned folder elsewhere (a container, a kiosk, a CI job), also not made yet.
        {kRoot, {"/tmp/ci/home", "/tmp/ci/home/.config/Vorbix/"}, std::nullopt},
        {kRoot, {"/kiosk", "/kiosk/new/deeper/Vorbix/"}, std::nullopt},
        {kRoot, {"/tmp/relative", "/tmp/relative/.config/Vorbix/"}, std::nullopt},
        {kRoot, {"/tmp/rootgroup/home"}, std::nullopt},
        // sudo -E, HOME set by hand, or the caller's XDG_CONFIG_HOME kept.
        {kRoot, {"/home/alice", "/root/.config/Vorbix/"}, "/home/alice"},
        {kRoot, {"/root", "/home/alice/.config/Vorbix/"}, "/home/alice"},
        {kRoot, {"/root", "/home/alice/.config-not-yet/Vorbix/"}, "/home/alice"},
        // Root's folder below another user's: she may rename it away and put her own there.
        {kRoot, {"/home/alice/root-inside"}, "/home/alice"},
        // Writable by others: everybody without the sticky bit, or another group.
        {kRoot, {"/tmp/open/home"}, "/tmp/open"},
        {kRoot, {"/tmp/team/home"}, "/tmp/team"},
        // Links: one another user owns, or one that leads into another user's folder.
        {kRoot, {"/tmp/alice-link/.config"}, "/tmp/alice-link"},
        {kRoot, {"/tmp/to-alice/.config"}, "/home/alice"},
        // A loop of links is not this rule's business: the folder cannot be used anyway.
        {kRoot, {"/tmp/loop/home"}, std::nullopt},
    };
    for (const Case& c : cases) {
        std::string folders;
        for (const std::string& f : c.folders) folders += f + " ";
        EXPECT_EQ(userFolderOfRootWith(c.euid, c.folders, lookup), c.named)
            << c.euid << " " << folders;
    }
}

// The same rule against real folders: only root can give a folder to another user.
TEST(UserFoldersOfRoot, RealFoldersByOwnerAndPermissions) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root";
    test::TempDir tmp;
    ::chmod(tmp.path().c_str(), 0700);
    const std::string own = tmp / "own", given = tmp / "given", open = tmp / "open";
    for (const std::string& f : {own, given, open}) test::fs::create_directories(f + "/inner");
    ASSERT_EQ(::chown(given.c_str(), 65534, 65534), 0);
    ::chmod(open.c_str(), 0777);
    test::fs::create_symlink(given, tmp / "link-to-given");

    const std::string linked = tmp / "link-to-given";
    struct Case {
        std::string folder;
        std::optional<std::string> named;
    };
    const Case cases[] = {
        {own, std::nullopt},
        {own + "/inner/not-made", std::nullopt},
        {given + "/inner", given},
        {linked + "/inner", given},
        {open + "/inner", open},
    };
    for (const Case& c : cases)
        EXPECT_EQ(foreignFolderOnPath(c.folder, 0, systemPathLookup()), c.named) << c.folder;
}

}  // namespace
}  // namespace vorbix
