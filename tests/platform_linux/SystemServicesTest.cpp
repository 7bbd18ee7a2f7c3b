#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/TextUtil.h"
#include "platform/linux/Autostart.h"
#include "platform/linux/OpticalDrives.h"
#include "platform/linux/PolicyHelper.h"
#include "platform/linux/UserRights.h"
#include "storage/Policy.h"
#include "tests/platform_linux/TestSupport.h"

namespace vorbix {
namespace {

using Strings = std::vector<std::string>;

TEST(OpticalDrives, ListsSrDevicesInOrderAndFailsQuietlyWithoutADrive) {
    test::TempDir dev;
    OpticalDrives none(dev.path().string());
    EXPECT_TRUE(none.opticalDrives().empty());
    EXPECT_FALSE(none.isNotReady('D'));
    EXPECT_FALSE(none.setDoor('D', true));

    // Device nodes that are no drives: the ioctls fail (ENOTTY) and nothing else happens.
    for (const char* name : {"sr10", "sr2", "sr0", "sda", "sr", "srx1", "sg0"})
        test::fs::create_symlink("/dev/null", dev / name);
    OpticalDrives drives(dev.path().string() + "/");
    EXPECT_EQ(drives.opticalDrives(), (Strings{"D:\\", "E:\\", "F:\\"}));
    EXPECT_EQ(drives.deviceOf('D'), dev / "sr0");
    EXPECT_EQ(drives.deviceOf('e'), dev / "sr2");
    EXPECT_EQ(drives.deviceOf('F'), dev / "sr10");
    EXPECT_EQ(drives.deviceOf('G'), "");
    EXPECT_EQ(drives.deviceOf('C'), "");
    EXPECT_EQ(drives.deviceOf(':'), "");
    for (char letter : {'D', 'E', 'F', 'G', 'Z', 'A', '\0'}) {
        EXPECT_FALSE(drives.isNotReady(letter)) << letter;
        EXPECT_FALSE(drives.setDoor(letter, true)) << letter;
        EXPECT_FALSE(drives.setDoor(letter, false)) << letter;
    }
}

TEST(UserRights, RootAndTheAdministratorGroupsCount) {
    EXPECT_TRUE(isAdministratorWith(0, 1000, {}));
    EXPECT_TRUE(isAdministratorWith(1000, 0, {}));
    EXPECT_FALSE(isAdministratorWith(1000, 1000, {}));
    EXPECT_FALSE(isAdministratorWith(1000, 1000, {100000}));  // no such group
    for (const char* name : {"sudo", "wheel", "admin"}) {
        if (const group* g = ::getgrnam(name)) {
            EXPECT_TRUE(isAdministratorWith(1000, 1000, {100000, g->gr_gid})) << name;
        }
    }
    if (const group* users = ::getgrnam("users")) {
        EXPECT_FALSE(isAdministratorWith(1000, 1000, {users->gr_gid}));
    }
    EXPECT_EQ(isElevated(), ::geteuid() == 0);
    if (::geteuid() == 0) {
        EXPECT_TRUE(IsAdministrator());
    }
}

TEST(Autostart, RoundTripsTheRunValueThroughTheDesktopEntry) {
    test::TempDir tmp;
    test::ScopedEnv config("XDG_CONFIG_HOME", tmp.path().string());
    const std::string file = autostartFilePath();
    EXPECT_EQ(file, tmp / "autostart/vorbix.desktop");
    EXPECT_EQ(readAutostartValue(), std::nullopt);

    const std::string values[] = {"/usr/bin/vorbix", "\"/usr/bin/vorbix\" hide",
                                  "/opt/My Apps/vor\"bix$1%d`", "\"/opt/My Apps/vorbix\\x\" hide"};
    for (const auto& value : values) {
        ASSERT_TRUE(writeAutostartValue(value)) << value;
        EXPECT_EQ(readAutostartValue(), value);
    }
    std::string text = test::readFile(file);
    EXPECT_NE(text.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(text.find("Exec=\"/opt/My Apps/vorbix\\\\\\\\x\" hide\n"), std::string::npos) << text;

    // Removing the entry; removing an absent one is no error.
    ASSERT_TRUE(writeAutostartValue(std::nullopt));
    EXPECT_FALSE(test::fs::exists(file));
    EXPECT_TRUE(writeAutostartValue(std::nullopt));

    // Entries written by others: switched off, field codes, no Exec.
    test::writeFile(file, "[Desktop Entry]\nExec=vorbix %U hide\nHidden=true\n");
    EXPECT_EQ(readAutostartValue(), std::nullopt);
    test::writeFile(file,
                    "# x\n[Other]\nExec=other\n[Desktop Entry]\nName=V\nExec=vorbix %U hide\n");
    EXPECT_EQ(readAutostartValue(), "\"vorbix\" hide");
    test::writeFile(file, "[Desktop Entry]\nExec=/a\\sb\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_EQ(readAutostartValue(), std::nullopt);
    test::writeFile(file, "[Desktop Entry]\r\nExec=\"/a\\sb\"\r\n");
    EXPECT_EQ(readAutostartValue(), "/a b");
    test::writeFile(file, "[Desktop Entry]\nName=Vorbix\n");
    EXPECT_EQ(readAutostartValue(), std::nullopt);
}

class PolicyHelperTest : public ::testing::Test {
protected:
    std::string script(const ChangePolicy& p) {
        test::writeFile(script_, policyScript(p));
        return script_;
    }
    bool policyUntouched() { return test::readFile(policy_) == "[Vorbix]\r\nKeep=me\r\n"; }
    void SetUp() override { test::writeFile(policy_, "[Vorbix]\r\nKeep=me\r\n"); }

    test::TempDir tmp_;
    std::string script_ = tmp_ / "Temp.reg";
    std::string policy_ = tmp_ / "etc/xdg/Vorbix/policy.ini";

public:
    PolicyHelperTest() { test::fs::create_directories(tmp_ / "etc/xdg/Vorbix"); }
};

TEST_F(PolicyHelperTest, WritesExactlyTheTwoValuesOfAValidScript) {
    for (int entry = 0; entry < 4; ++entry) {
        ChangePolicy wanted = policyForAccountEntry(entry);
        EXPECT_EQ(runApplyPolicyCommand({"--apply-policy", script(wanted)}, policy_), 0);
        EXPECT_EQ(readChangePolicy(policy_, PolicyReading::OnlyOneAllows), wanted);
    }
    EXPECT_NE(test::readFile(policy_).find("Keep=me"), std::string::npos);

    // The folder is created when missing, readable by every user whatever the umask.
    std::string fresh = tmp_ / "new/xdg/Vorbix/policy.ini";
    const mode_t oldMask = ::umask(077);
    EXPECT_TRUE(applyPolicyScriptFile(script({false, true}), fresh).ok);
    ::umask(oldMask);
    EXPECT_EQ(readChangePolicy(fresh, PolicyReading::OnlyOneAllows), (ChangePolicy{false, true}));
    using P = test::fs::perms;
    EXPECT_EQ(test::fs::status(fresh).permissions() & P::all,
              P::owner_read | P::owner_write | P::group_read | P::others_read);
    EXPECT_EQ(test::fs::status(tmp_ / "new/xdg/Vorbix").permissions() & P::all,
              P::owner_all | P::group_read | P::group_exec | P::others_read | P::others_exec);
}

TEST_F(PolicyHelperTest, RefusesEverythingElseAndWritesNothing) {
    std::string valid = policyScript({true, false});
    const std::string bad[] = {
        "",
        "garbage",
        replaceAll(valid, "\"AllowChanges_CFG\"=\"0\"", "\"AllowChanges_CFG\"=\"2\""),
        replaceAll(valid, "\"AllowChanges_HKV\"=\"1\"",
                   "\"AllowChanges_HKV\"=\"1\\\"\\r\\nX=\\\"\""),
        replaceAll(valid, "\"AllowChanges_CFG\"=\"0\"", "\"AllowChanges_CFG\"=dword:00000000"),
        valid + "\"Other\"=\"1\"\r\n",
        replaceAll(valid, "Pellmarr\\Vorbix", "Pellmarr\\Other"),
        valid.substr(0, valid.size() - 10),
    };
    for (const auto& text : bad) {
        test::writeFile(script_, text);
        auto result = applyPolicyScriptFile(script_, policy_);
        EXPECT_FALSE(result.ok) << text;
        EXPECT_NE(result.message.find("Refused"), std::string::npos) << result.message;
        EXPECT_TRUE(policyUntouched()) << text;
    }
    // A missing file, a folder, a device and a huge file; the message never shows the content.
    EXPECT_FALSE(applyPolicyScriptFile(tmp_ / "missing.reg", policy_).ok);
    EXPECT_FALSE(applyPolicyScriptFile(tmp_.path().string(), policy_).ok);
    EXPECT_FALSE(applyPolicyScriptFile("/dev/zero", policy_).ok);
    test::writeFile(script_, valid + std::string(10000, '\n') + "secret");
    auto big = applyPolicyScriptFile(script_, policy_);
    EXPECT_FALSE(big.ok);
    EXPECT_EQ(big.message.find("secret"), std::string::npos);
    EXPECT_TRUE(policyUntouched());

    // The command line: wrong forms are usage errors, refusals exit 1.
    EXPECT_EQ(runApplyPolicyCommand({"--apply-policy"}, policy_), 2);
    EXPECT_EQ(runApplyPolicyCommand({"--apply-policy", script_, "extra"}, policy_), 2);
    EXPECT_EQ(runApplyPolicyCommand({"--other", script_}, policy_), 2);
    EXPECT_EQ(runApplyPolicyCommand({"--apply-policy", tmp_ / "missing.reg"}, policy_), 1);
    EXPECT_TRUE(policyUntouched());
    EXPECT_TRUE(isApplyPolicyCommand({"--apply-policy", "x"}));
    EXPECT_FALSE(isApplyPolicyCommand({"hide"}));
    EXPECT_FALSE(isApplyPolicyCommand({}));
}

// Running the step through pkexec: PolicyStepTest.cpp (PolicyJob).

}  // namespace
}  // namespace vorbix
