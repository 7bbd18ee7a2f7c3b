// When the program, running as root, would keep its files in another user's folders.
#include <gtest/gtest.h>

#include "platform/linux/UserRights.h"
#include "tests/platform_linux/TestSupport.h"

namespace vorbix {
namespace {

TEST(UserFoldersOfRoot, AnotherUsersHomeOrConfigurationIsNamed) {
    test::TempDir tmp;
    const std::string root = tmp / "root";
    test::fs::create_directories(root);
    test::fs::create_symlink(root, tmp / "root-link");
    const std::string user = tmp / "home/u";

    struct Case {
        uid_t euid;
        const char* home;
        const char* configHome;
        std::string sudoUserHome;
        std::optional<std::string> named;
    };
    const std::string userHome = user, userConfig = user + "/.config",
                      rootConfig = root + "/.config";
    const std::string rootSlash = root + "/", rootLink = tmp / "root-link",
                      otherUser = tmp / "home/uu/.config";
    const Case cases[] = {
        // Not root: never.
        {1000, userHome.c_str(), nullptr, "", std::nullopt},
        // Root in its own home, however written, or without HOME.
        {0, root.c_str(), nullptr, "", std::nullopt},
        {0, rootSlash.c_str(), nullptr, "", std::nullopt},
        {0, rootLink.c_str(), nullptr, "", std::nullopt},
        {0, nullptr, nullptr, "", std::nullopt},
        {0, "", nullptr, "", std::nullopt},
        // sudo -E, or HOME set by hand.
        {0, userHome.c_str(), nullptr, userHome, userHome},
        {0, userHome.c_str(), nullptr, "", userHome},
        // sudo with the caller's XDG_CONFIG_HOME kept.
        {0, root.c_str(), userConfig.c_str(), userHome, userConfig},
        {0, root.c_str(), userHome.c_str(), userHome, userHome},
        // A configuration folder elsewhere (as the tests use), or of a user who did not call.
        {0, root.c_str(), "/tmp/vorbix-test/config", userHome, std::nullopt},
        {0, root.c_str(), otherUser.c_str(), userHome, std::nullopt},
        {0, root.c_str(), userConfig.c_str(), "", std::nullopt},
        // sudo called by root itself.
        {0, root.c_str(), rootConfig.c_str(), root, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(userFolderOfRootWith(c.euid, c.home, c.configHome, root, c.sudoUserHome), c.named)
            << c.euid << " " << (c.home ? c.home : "(unset)") << " "
            << (c.configHome ? c.configHome : "(unset)") << " " << c.sudoUserHome;
    }
}

}  // namespace
}  // namespace vorbix
