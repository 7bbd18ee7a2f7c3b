// The elevated policy step and the job that runs it for the settings dialog: what the step
// refuses to open (and leaves unopened), the modes it leaves behind, what the start reads from a
// private policy file, and that the caller never waits for the step.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "platform/linux/PolicyApplyJob.h"
#include "platform/linux/PolicyHelper.h"
#include "storage/Policy.h"
#include "tests/platform_linux/TestSupport.h"

namespace vorbix {
namespace {

constexpr uid_t kNobody = 65534;
constexpr const char* kKept = "[Vorbix]\r\nKeep=me\r\n";

using P = test::fs::perms;

QCoreApplication& qtApp() {
    static int argc = 1;
    static char name[] = "platform_linux_tests";
    static char* argv[] = {name, nullptr};
    static auto* app =
        new QCoreApplication(argc, argv);  // never destroyed, as Qt's globals go first
    return *app;
}

// Runs `child` in a process of its own as user nobody; its exit status.
int asNobody(const std::function<int()>& child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(100);
        ::_exit(child());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The kernel function a process sleeps in ("fifo_open" while it waits to open a pipe).
std::string sleepingIn(pid_t pid) {
    return test::readFile("/proc/" + std::to_string(pid) + "/wchan");
}

class PolicyStep : public ::testing::Test {
protected:
    PolicyStep() {
        test::fs::create_directories(tmp_ / "etc/xdg/Vorbix");
        test::writeFile(policy_, kKept);
    }
    bool policyUntouched() { return test::readFile(policy_) == kKept; }
    std::string script(const ChangePolicy& p, const std::string& name = "Temp.reg") {
        const std::string path = tmp_ / name;
        test::writeFile(path, policyScript(p));
        return path;
    }
    ChangePolicy applied() { return readChangePolicy(policy_, PolicyReading::OnlyOneAllows); }

    test::TempDir tmp_;
    std::string policy_ = tmp_ / "etc/xdg/Vorbix/policy.ini";
};

TEST_F(PolicyStep, ScriptsThatAreNoPlainFileOfTheCallerAreRefusedUnopened) {
    const std::string valid = script({false, false});
    // A link to a valid script, a valid script of another user, a pipe whose writer waits for a
    // reader, a device, a folder, nothing.
    const std::string link = tmp_ / "link.reg";
    test::fs::create_symlink(valid, link);
    const std::string foreign = script({false, false}, "foreign.reg");
    ASSERT_EQ(::chown(foreign.c_str(), kNobody, kNobody), 0);
    const std::string pipe = tmp_ / "pipe.reg";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const pid_t writer = ::fork();
    struct Stop {
        pid_t pid;
        ~Stop() {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    } stopWriter{writer};
    if (writer == 0) {
        const int fd = ::open(pipe.c_str(), O_WRONLY);
        if (fd >= 0) {
            const std::string text = policyScript({false, false});
            (void)!::write(fd, text.data(), text.size());
        }
        ::_exit(0);
    }
    // The writer must be waiting in open() before the step looks at the pipe.
    const auto waitsInOpen = [&] {
        const std::string where = sleepingIn(writer);
        return where == "fifo_open" || where == "wait_for_partner";
    };
    for (int i = 0; i < 200 && !waitsInOpen(); ++i) ::usleep(10000);
    ASSERT_TRUE(waitsInOpen()) << sleepingIn(writer);

    std::string firstMessage;
    for (const std::string& path :
         {link, foreign, pipe, std::string("/dev/zero"), tmp_.path().string(), tmp_ / "none.reg"}) {
        const PolicyApplyResult result = applyPolicyScriptFile(path, policy_, ::getuid());
        EXPECT_FALSE(result.ok) << path;
        EXPECT_TRUE(policyUntouched()) << path;
        // One message for every refusal, told apart only by the path it names.
        std::string message = result.message;
        message.replace(message.find(path), path.size(), "PATH");
        if (firstMessage.empty()) firstMessage = message;
        EXPECT_EQ(message, firstMessage);
    }
    EXPECT_NE(firstMessage.find("Refused"), std::string::npos) << firstMessage;
    ::usleep(100000);
    EXPECT_EQ(::waitpid(writer, nullptr, WNOHANG), 0) << "the pipe's writer was released";
    EXPECT_TRUE(waitsInOpen());

    // The script of the calling user is applied; the caller is the one pkexec names.
    EXPECT_TRUE(applyPolicyScriptFile(foreign, policy_, kNobody).ok);
    EXPECT_EQ(applied(), (ChangePolicy{false, false}));
    {
        test::ScopedEnv caller("PKEXEC_UID", std::to_string(kNobody));
        EXPECT_EQ(callingUser(), kNobody);
        EXPECT_FALSE(applyPolicyScriptFile(script({true, true}), policy_).ok);
        EXPECT_TRUE(applyPolicyScriptFile(foreign, policy_).ok);
    }
    for (const char* bad : {"", "x", "-1", "12x"}) {
        test::ScopedEnv caller("PKEXEC_UID", bad);
        EXPECT_EQ(callingUser(), ::getuid()) << bad;
    }
}

TEST_F(PolicyStep, PathsAreShownWithTheirControlCharactersEscaped) {
    const std::string path = tmp_ / "\x1b]0;owned\x07\nTemp\x9b.reg";
    const PolicyApplyResult result = applyPolicyScriptFile(path, policy_, ::getuid());
    EXPECT_FALSE(result.ok);
    for (const char c : result.message) {
        EXPECT_TRUE(c >= 0x20 && c < 0x7f) << int(static_cast<unsigned char>(c));
    }
    EXPECT_NE(result.message.find("\\x1b]0;owned\\x07\\x0aTemp\\x9b.reg"), std::string::npos)
        << result.message;
    const std::pair<std::string, std::string> cases[] = {{"plain /path", "plain /path"},
                                                         {"a\\b", "a\\x5cb"},
                                                         {"\xc3\xbc", "\\xc3\\xbc"},
                                                         {std::string("nul\0x", 5), "nul\\x00x"},
                                                         {"\x7f", "\\x7f"}};
    for (const auto& [text, shown] : cases) EXPECT_EQ(escapeControlBytes(text), shown);
}

TEST_F(PolicyStep, TheValuesComeOnTheCommandLine) {
    EXPECT_EQ(applyPolicyArguments({true, false}),
              (std::vector<std::string>{"--apply-policy", "1", "0"}));
    for (int entry = 0; entry < 4; ++entry) {
        const ChangePolicy wanted = policyForAccountEntry(entry);
        EXPECT_EQ(runApplyPolicyCommand(applyPolicyArguments(wanted), policy_), 0);
        EXPECT_EQ(applied(), wanted);
    }
    EXPECT_NE(test::readFile(policy_).find("Keep=me"), std::string::npos);

    const std::string before = test::readFile(policy_);
    const std::vector<std::string> wrong[] = {{"--apply-policy", "2", "1"},
                                              {"--apply-policy", "01", "1"},
                                              {"--apply-policy", "", "0"},
                                              {"--apply-policy", "yes", "no"},
                                              {"--apply-policy", "1", "0", "1"},
                                              {"--apply-policy"},
                                              {"--apply-policy", ""},
                                              {"--policy", "1", "0"}};
    for (const auto& args : wrong) EXPECT_EQ(runApplyPolicyCommand(args, policy_), 2);
    EXPECT_EQ(test::readFile(policy_), before);
}

TEST_F(PolicyStep, APrivatePolicyBecomesReadableForEveryoneAndIsReportedUntilThen) {
    // Every user must be able to walk to the file.
    for (const std::string& dir : {tmp_.path().string(), tmp_ / "etc", tmp_ / "etc/xdg"})
        test::fs::permissions(
            dir, P::owner_all | P::group_read | P::group_exec | P::others_read | P::others_exec);
    test::writeFile(policy_, "[Vorbix]\r\nAllowChanges_HKV=0\r\nAllowChanges_CFG=0\r\n");
    ::chmod(policy_.c_str(), 0600);
    const std::string folder = tmp_ / "etc/xdg/Vorbix";
    // What a user's start reads: 1 when hot key changes are allowed, + 2 when configuration
    // changes are, + 4 when the file could not be read and is to be reported.
    const auto userReads = [&] {
        return asNobody([&] {
            std::string error;
            const ChangePolicy p =
                readChangePolicy(policy_, PolicyReading::OnlyZeroForbids, &error);
            return (p.allowHotKeyChanges ? 1 : 0) + (p.allowConfigChanges ? 2 : 0) +
                   (error.empty() ? 0 : 4);
        });
    };
    EXPECT_EQ(userReads(), 4) << "a private file counts as forbidding and is reported";
    ::chmod(policy_.c_str(), 0644);
    ::chmod(folder.c_str(), 0700);
    EXPECT_EQ(userReads(), 4) << "a private folder counts as forbidding and is reported";

    ::chmod(policy_.c_str(), 0600);
    const mode_t oldMask = ::umask(077);
    EXPECT_TRUE(runApplyPolicyCommand({"--apply-policy", "1", "0"}, policy_) == 0);
    ::umask(oldMask);
    EXPECT_EQ(test::fs::status(policy_).permissions() & P::all,
              P::owner_read | P::owner_write | P::group_read | P::others_read);
    EXPECT_EQ(test::fs::status(folder).permissions() & P::all,
              P::owner_all | P::group_read | P::group_exec | P::others_read | P::others_exec);
    EXPECT_EQ(userReads(), 1) << "AllowChanges_CFG=0 forbids, and nothing is reported";
    // A missing file is no policy at all.
    test::fs::remove(policy_);
    EXPECT_EQ(userReads(), 3);
}

// A pkexec stand-in in a PATH of its own: it writes its arguments to `args` and then does `then`.
class PolicyJob : public PolicyStep {
protected:
    PolicyJob() : path_("PATH", tmp_ / "bin"), target_("VORBIX_TEST_POLICY_FILE", policy_) {
        test::fs::create_directories(tmp_ / "bin");
        qtApp();
    }
    void pkexec(const std::string& then) {
        const std::string file = tmp_ / "bin/pkexec";
        test::writeFile(
            file, "#!/bin/sh\nprintf '%s\\n' \"$@\" >'" + (tmp_ / "args") + "'\n" + then + "\n");
        test::fs::permissions(file, P::owner_all);
    }
    // Starts the job and runs the event loop until it reports; how long start() took.
    qint64 run(PolicyApplyJob& job, const ChangePolicy& policy) {
        QEventLoop loop;
        QObject::connect(&job, &PolicyApplyJob::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        QElapsedTimer started;
        started.start();
        EXPECT_TRUE(job.start(policy));
        const qint64 took = started.elapsed();
        EXPECT_FALSE(job.start(policy)) << "a second start while one runs";
        if (job.isRunning()) loop.exec();
        EXPECT_FALSE(job.isRunning());
        return took;
    }

    test::ScopedEnv path_;
    test::ScopedEnv target_;
};

TEST_F(PolicyJob, RunsTheHelperThroughPkexecWithoutWaitingForIt) {
    using O = PolicyApplyJob::Outcome;
    PolicyApplyJob job(POLICY_HELPER, false, policy_);
    // The authorisation takes its time; the caller does not wait for it.
    pkexec("sleep 0.5\nexec \"$@\"");
    EXPECT_LT(run(job, {true, false}), 200);
    EXPECT_EQ(job.result().outcome, O::Written) << job.result().message;
    EXPECT_EQ(job.result().readBack, (ChangePolicy{true, false}));
    EXPECT_EQ(test::readFile(tmp_ / "args"),
              std::string(POLICY_HELPER) + "\n--apply-policy\n1\n0\n");

    // Refused or dismissed authorisation, a step that fails, a step that says "written" but left
    // other values: each reported as what it is, with the values the file really holds.
    const std::pair<std::string, O> cases[] = {
        {"exit 126", O::NotAuthorised},
        {"exit 127", O::NotAuthorised},
        {"VORBIX_TEST_POLICY_FILE=" + (tmp_ / "etc/xdg/Vorbix/policy.ini/x") + " exec \"$@\"",
         O::Failed},
        {"exit 0", O::Failed},
    };
    for (const auto& [then, outcome] : cases) {
        pkexec(then);
        run(job, {false, false});
        EXPECT_EQ(job.result().outcome, outcome) << then;
        EXPECT_EQ(job.result().readBack, (ChangePolicy{true, false})) << then;
    }

    // Nothing to run: no pkexec, or no helper.
    test::fs::remove(tmp_ / "bin/pkexec");
    run(job, {false, false});
    EXPECT_EQ(job.result().outcome, O::Unavailable);
    pkexec("exec \"$@\"");
    PolicyApplyJob noHelper(tmp_ / "missing/vorbix-policy", false, policy_);
    run(noHelper, {false, false});
    EXPECT_EQ(noHelper.result().outcome, O::Unavailable);
    EXPECT_EQ(applied(), (ChangePolicy{true, false}));
    EXPECT_EQ(PolicyApplyJob::helperIn("/usr/lib/vorbix/"), "/usr/lib/vorbix/vorbix-policy");

    // Already root: the step runs in this process, no pkexec involved.
    test::fs::remove(tmp_ / "bin/pkexec");
    PolicyApplyJob elevated("/nonexistent", true, policy_);
    run(elevated, {false, true});
    EXPECT_EQ(elevated.result().outcome, O::Written) << elevated.result().message;
    EXPECT_EQ(applied(), (ChangePolicy{false, true}));
}

}  // namespace
}  // namespace vorbix
