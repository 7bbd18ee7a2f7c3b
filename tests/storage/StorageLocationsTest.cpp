#include "storage/StorageLocations.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "storage/AtomicFile.h"
#include "storage/Policy.h"

namespace vorbix {
namespace {

std::string freshFolder() {
    std::string pattern = ::testing::TempDir() + "locations-XXXXXX";
    if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp";
    return pattern + "/";
}

TEST(StorageLocations, FoldersEndInExactlyOneSlash) {
    EXPECT_EQ(withTrailingSlash("/a/b///"), "/a/b/");
    EXPECT_EQ(withTrailingSlash("//"), "/");
    EXPECT_EQ(programFolderOf("/opt/vorbix/bin/vorbix"), "/opt/vorbix/bin/");
    EXPECT_EQ(programFolderOf("/vorbix"), "/");

    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(ProgramFolder(), self.substr(0, self.rfind('/') + 1));
    setProgramFolderOverride("/srv/vorbix//");
    EXPECT_EQ(ProgramFolder(), "/srv/vorbix/");
    setProgramFolderOverride(std::nullopt);
    EXPECT_EQ(ProgramFolder(), self.substr(0, self.rfind('/') + 1));

    EXPECT_EQ(dataFolderFrom("relative/cfg", "/home/u/"), "/home/u/.config/Vorbix/");
    EXPECT_EQ(dataFolderFrom("/x/conf/", "/home/u"), "/x/conf/Vorbix/");
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = xdg ? xdg : "";
    ::setenv("XDG_CONFIG_HOME", "/y/conf", 1);
    EXPECT_EQ(configFilePath(DataFolder()), "/y/conf/Vorbix/Config.ini");
    EXPECT_EQ(hotKeyFilePath(DataFolder()), "/y/conf/Vorbix/HotKeys.hkv");
    xdg ? ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
}

TEST(StorageLocations, FirstRunCreatesFolderAndEmptyHotKeyFileOnlyOnce) {
    const std::string base = freshFolder();
    const std::string data = base + "config/deeper/Vorbix/";
    const FirstRunResult first = prepareDataFolder(data);
    ASSERT_TRUE(first) << first.error;
    EXPECT_TRUE(first.createdFolder && first.createdHotKeyFile);
    EXPECT_EQ(readWholeFile(data + "HotKeys.hkv"), "[General]\r\nCount=0\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(data.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A second run leaves the user's table alone, and anything else at that name too.
    ASSERT_TRUE(writeFileAtomically(data + "HotKeys.hkv", "[General]\r\nCount=1\r\n"));
    EXPECT_FALSE(prepareDataFolder(data).createdHotKeyFile);
    EXPECT_EQ(readWholeFile(data + "HotKeys.hkv"), "[General]\r\nCount=1\r\n");
    ASSERT_EQ(::symlink((base + "gone.hkv").c_str(), (base + "HotKeys.hkv").c_str()), 0);
    EXPECT_TRUE(prepareDataFolder(base));
    EXPECT_TRUE(std::filesystem::is_symlink(base + "HotKeys.hkv"));

    // A file where the folder should be is an error with the system's message.
    ASSERT_TRUE(writeFileAtomically(base + "plain", "x"));
    const FirstRunResult blocked = prepareDataFolder(base + "plain/Vorbix/");
    EXPECT_NE(blocked.error.find("Not a directory"), std::string::npos) << blocked.error;
}

TEST(StorageLocations, ScaleToScreenRoundsHalvesToEven) {
    EXPECT_EQ(ScaleToScreen(807, 96), 807);
    EXPECT_EQ(ScaleToScreen(183, 120), 229);                // 228.75
    EXPECT_EQ(ScaleToScreen(222, 120), 278);                // 277.5 -> even
    EXPECT_EQ(ScaleToScreen(290, 120), 362);                // 362.5 -> even
    EXPECT_EQ(ScaleToScreen(183, 144), 274);                // 274.5 -> even
    EXPECT_EQ(ScaleToScreen(329, 144), 494);                // 493.5 -> even
    EXPECT_EQ(ScaleToScreen(-3, 144), -4);                  // -4.5 -> even
    EXPECT_EQ(ScaleToScreen(-1, 120), -1);                  // -1.25
    EXPECT_EQ(ScaleToScreen(2147483647, 192), 2147483647);  // saturates, never wraps
}

TEST(ChangePolicy, OnlyExactlyZeroForbids) {
    const std::string folder = freshFolder();
    const auto policyOf = [&](std::string_view text, PolicyReading reading) {
        EXPECT_TRUE(writeFileAtomically(folder + "policy.ini", text));
        return readChangePolicy(folder + "policy.ini", reading);
    };
    const auto lenient = PolicyReading::OnlyZeroForbids;
    EXPECT_EQ(readChangePolicy(folder + "none.ini"), (ChangePolicy{true, true}));
    EXPECT_EQ(policyOf("[vorbix]\r\nallowchanges_cfg = 0 \r\n", lenient),
              (ChangePolicy{true, false}));
    EXPECT_EQ(policyOf("[Vorbix]\nAllowChanges_HKV=00\nAllowChanges_CFG=\n", lenient),
              (ChangePolicy{true, true}));
    EXPECT_EQ(policyOf("[Other]\nAllowChanges_HKV=0\n", lenient), (ChangePolicy{true, true}));
    // After an administrator applied a choice only "1" grants.
    EXPECT_EQ(policyOf("[Vorbix]\nAllowChanges_HKV=1\nAllowChanges_CFG=yes\n",
                       PolicyReading::OnlyOneAllows),
              (ChangePolicy{true, false}));
    // A policy file that cannot be read is reported, and forbids: someone put it there.
    ASSERT_EQ(::mkdir((folder + "dir.ini").c_str(), 0700), 0);
    std::string error;
    EXPECT_EQ(readChangePolicy(folder + "dir.ini", lenient, &error), (ChangePolicy{false, false}));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_EQ(readChangePolicy(folder + "none.ini", lenient, &error), (ChangePolicy{true, true}));
    EXPECT_TRUE(error.empty());
}

TEST(ChangePolicy, AccountEntriesScriptAndPolicyFile) {
    for (int entry = 0; entry < 4; ++entry) {
        EXPECT_EQ(accountEntryFor(policyForAccountEntry(entry)), entry);
    }
    EXPECT_EQ(policyForAccountEntry(1), (ChangePolicy{true, false}));
    const std::string script = policyScript({true, false});
    EXPECT_EQ(script,
              "Windows Registry Editor Version 5.00\r\n\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Pellmarr\\Vorbix]\r\n"
              "\"AllowChanges_HKV\"=\"1\"\r\n\"AllowChanges_CFG\"=\"0\"\r\n");
    EXPECT_EQ(parsePolicyScript(script), (ChangePolicy{true, false}));
    std::string forged = script;
    forged.replace(forged.find("\"0\""), 3, "\"2\"");
    EXPECT_EQ(parsePolicyScript(forged), std::nullopt);

    const std::string path = freshFolder() + "etc/xdg/Vorbix/policy.ini";
    ASSERT_TRUE(writeChangePolicy(path, {false, false}));  // creates the folder
    ASSERT_TRUE(writeFileAtomically(path, "[Vorbix]\nAllowChanges_CFG=1\nNote=x\n"));
    ASSERT_TRUE(writeChangePolicy(path, {true, false}));
    EXPECT_EQ(readWholeFile(path),
              "[Vorbix]\r\nAllowChanges_CFG=0\r\nNote=x\r\nAllowChanges_HKV=1\r\n\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);  // everyone must be able to read the policy
}

}  // namespace
}  // namespace vorbix
