#include "platform/linux/PolicyHelper.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/linux/ChildProcess.h"

namespace vorbix {

namespace {

// The script is about 130 bytes; anything much larger is not one.
constexpr off_t kMaxScriptSize = 4096;

PolicyApplyResult refused(const std::string& why) {
    return {false, why};
}

}  // namespace

PolicyApplyResult applyPolicyScriptFile(const std::string& scriptPath,
                                        const std::string& policyPath) {
    int fd = ::open(scriptPath.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refused("Cannot read the policy script " + scriptPath + ": " + std::strerror(errno));
    struct stat st {};
    std::string bytes;
    bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (regular && st.st_size <= kMaxScriptSize) {
        bytes.resize(static_cast<size_t>(kMaxScriptSize) + 1);
        size_t got = 0;
        ssize_t n;
        while (got < bytes.size() &&
               (n = ::read(fd, bytes.data() + got, bytes.size() - got)) != 0) {
            if (n < 0) {
                if (errno == EINTR) continue;
                int error = errno;
                ::close(fd);
                return refused("Cannot read the policy script " + scriptPath + ": " +
                               std::strerror(error));
            }
            got += static_cast<size_t>(n);
        }
        bytes.resize(got);
    }
    ::close(fd);
    if (!regular) return refused("Refused: " + scriptPath + " is not a regular file");
    if (st.st_size > kMaxScriptSize || bytes.size() > static_cast<size_t>(kMaxScriptSize))
        return refused("Refused: " + scriptPath + " is too large to be a policy script");

    std::optional<ChangePolicy> policy = parsePolicyScript(bytes);
    if (!policy)
        return refused("Refused: " + scriptPath +
                       " is not a change-policy script, or holds a value other than \"0\" or "
                       "\"1\"; nothing was written");
    // Every user reads the policy: a file or folder only root could read would count as no
    // policy at all, and so allow everything. Root's umask must not make it so.
    const mode_t oldMask = ::umask(022);
    FileResult written = writeChangePolicy(policyPath, *policy);
    ::umask(oldMask);
    if (!written) return refused("Cannot write the policy: " + written.error);
    return {true, "Policy written to " + policyPath +
                      ": AllowChanges_HKV=" + (policy->allowHotKeyChanges ? "1" : "0") +
                      ", AllowChanges_CFG=" + (policy->allowConfigChanges ? "1" : "0")};
}

bool isApplyPolicyCommand(const std::vector<std::string>& args) {
    return !args.empty() && args[0] == kApplyPolicyOption;
}

int runApplyPolicyCommand(const std::vector<std::string>& args, const std::string& policyPath) {
    if (args.size() != 2 || args[0] != kApplyPolicyOption || args[1].empty()) {
        std::fprintf(stderr, "usage: vorbix %s SCRIPT\n", kApplyPolicyOption.data());
        return 2;
    }
    PolicyApplyResult result = applyPolicyScriptFile(args[1], policyPath);
    std::fprintf(stderr, "%s\n", result.message.c_str());
    return result.ok ? 0 : 1;
}

PolicyApplyResult requestPolicyApply(const std::string& scriptPath, const std::string& program,
                                     bool elevated, const std::string& policyPath) {
    if (elevated) return applyPolicyScriptFile(scriptPath, policyPath);
    std::string pkexec = findProgram("pkexec");
    if (pkexec.empty())
        return refused("pkexec is not installed, so the policy cannot be written as root");
    int error = 0;
    int status =
        runAndWait({pkexec, program, std::string(kApplyPolicyOption), scriptPath}, "/", &error);
    if (status < 0) return refused("Cannot start pkexec: " + std::string(std::strerror(error)));
    switch (status) {
        case 0:
            return {true, "Policy written"};
        case 126:
        case 127:
            return refused("The administrator's authorisation was not given");
        default:
            return refused("Writing the policy failed");
    }
}

}  // namespace vorbix
