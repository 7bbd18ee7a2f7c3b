#include "platform/linux/PolicyHelper.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vorbix {

namespace {

// The script is about 130 bytes; anything much larger is not one.
constexpr off_t kMaxScriptSize = 4096;

std::string valueText(bool allowed) {
    return allowed ? "1" : "0";
}

std::optional<bool> valueOf(std::string_view text) {
    if (text == "1") return true;
    if (text == "0") return false;
    return std::nullopt;
}

// The script's bytes, or nullopt. The path is opened without following a final link and without
// opening what it names (O_PATH), so a pipe, device or link is refused before anything happens to
// it; only a regular file of `owner` is then opened for reading, through the descriptor it was
// checked by.
std::optional<std::string> readScriptOf(const std::string& path, uid_t owner) {
    const int pathFd = ::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (pathFd < 0) return std::nullopt;
    struct stat checked {};
    if (::fstat(pathFd, &checked) != 0 || !S_ISREG(checked.st_mode) || checked.st_uid != owner ||
        checked.st_size > kMaxScriptSize) {
        ::close(pathFd);
        return std::nullopt;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(pathFd);
    const int fd = ::open(self.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    ::close(pathFd);
    if (fd < 0) return std::nullopt;
    struct stat opened {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &opened) == 0 && opened.st_dev == checked.st_dev &&
        opened.st_ino == checked.st_ino) {
        std::string buffer(static_cast<size_t>(kMaxScriptSize) + 1, '\0');
        size_t got = 0;
        bool failed = false;
        while (got < buffer.size()) {
            const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
            if (n == 0) break;
            if (n < 0) {
                if (errno == EINTR) continue;
                failed = true;
                break;
            }
            got += static_cast<size_t>(n);
        }
        if (!failed && got <= static_cast<size_t>(kMaxScriptSize)) bytes = buffer.substr(0, got);
    }
    ::close(fd);
    return bytes;
}

int usage() {
    std::fprintf(stderr,
                 "usage: vorbix-policy %s HKV CFG (each 0 or 1)\n   or: vorbix-policy %s SCRIPT\n",
                 kApplyPolicyOption.data(), kApplyPolicyOption.data());
    return 2;
}

}  // namespace

std::string escapeControlBytes(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && byte != '\\') {
            out.push_back(c);
        } else {
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xf]);
        }
    }
    return out;
}

uid_t callingUser() {
    // pkexec sets PKEXEC_UID to the user who asked; the environment is its own, not the user's.
    if (const char* text = std::getenv("PKEXEC_UID"); text && *text) {
        char* end = nullptr;
        errno = 0;
        const unsigned long uid = std::strtoul(text, &end, 10);
        if (errno == 0 && *end == '\0' && uid < static_cast<unsigned long>(static_cast<uid_t>(-1)))
            return static_cast<uid_t>(uid);
    }
    return ::getuid();
}

PolicyApplyResult applyChangePolicy(const ChangePolicy& policy, const std::string& policyPath) {
    // Folders created on the way are readable by every user whatever root's umask.
    const mode_t oldMask = ::umask(022);
    const FileResult written = writeChangePolicy(policyPath, policy);
    ::umask(oldMask);
    if (!written) return {false, "Cannot write the policy: " + written.error};

    std::string error;
    const ChangePolicy readBack =
        readChangePolicy(policyPath, PolicyReading::OnlyOneAllows, &error);
    if (!error.empty()) return {false, "The policy was written but cannot be read back: " + error};
    if (readBack != policy)
        return {false, "The policy file " + escapeControlBytes(policyPath) +
                           " holds other values than were written"};
    return {true, "Policy written to " + escapeControlBytes(policyPath) +
                      ": AllowChanges_HKV=" + valueText(policy.allowHotKeyChanges) +
                      ", AllowChanges_CFG=" + valueText(policy.allowConfigChanges)};
}

PolicyApplyResult applyPolicyScriptFile(const std::string& scriptPath,
                                        const std::string& policyPath, uid_t owner) {
    const std::optional<std::string> bytes = readScriptOf(scriptPath, owner);
    const std::optional<ChangePolicy> policy =
        bytes ? parsePolicyScript(*bytes) : std::optional<ChangePolicy>();
    // One message for every refusal: which of the checks failed would tell root-only paths apart.
    if (!policy)
        return {false, "Refused: " + escapeControlBytes(scriptPath) +
                           " is no change-policy script of the calling user; nothing was written"};
    return applyChangePolicy(*policy, policyPath);
}

PolicyApplyResult applyPolicyScriptFile(const std::string& scriptPath,
                                        const std::string& policyPath) {
    return applyPolicyScriptFile(scriptPath, policyPath, callingUser());
}

std::vector<std::string> applyPolicyArguments(const ChangePolicy& policy) {
    return {std::string(kApplyPolicyOption), valueText(policy.allowHotKeyChanges),
            valueText(policy.allowConfigChanges)};
}

bool isApplyPolicyCommand(const std::vector<std::string>& args) {
    return !args.empty() && args[0] == kApplyPolicyOption;
}

int runApplyPolicyCommand(const std::vector<std::string>& args, const std::string& policyPath) {
    if (!isApplyPolicyCommand(args)) return usage();
    PolicyApplyResult result;
    if (args.size() == 3) {
        const std::optional<bool> hkv = valueOf(args[1]);
        const std::optional<bool> cfg = valueOf(args[2]);
        if (!hkv || !cfg) return usage();
        result = applyChangePolicy({*hkv, *cfg}, policyPath);
    } else if (args.size() == 2 && !args[1].empty()) {
        result = applyPolicyScriptFile(args[1], policyPath);
    } else {
        return usage();
    }
    std::fprintf(stderr, "%s\n", result.message.c_str());
    return result.ok ? 0 : 1;
}

}  // namespace vorbix
