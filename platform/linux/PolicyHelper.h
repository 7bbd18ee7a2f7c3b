// The elevated step that writes the machine-wide change policy. It runs as root: through pkexec in
// the small program vorbix-policy (see PolicyApplyJob), or in the program itself when that already
// runs as root. Its command line names what it will do, so the authorisation dialog shows it:
//
//   vorbix-policy --apply-policy HKV CFG    each value "0" or "1"
//   vorbix-policy --apply-policy SCRIPT     the values of a "Temp.reg" script of the calling user
//
// Plain C++ and POSIX only, so that root loads no toolkit for it.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/Policy.h"

namespace vorbix {

inline constexpr std::string_view kApplyPolicyOption = "--apply-policy";

struct PolicyApplyResult {
    bool ok = false;
    std::string message;  // what happened, for the user
};

// Writes the two values into the policy file, which every user must be able to read: the file
// becomes 0644 and its folder 0755 whatever they were. Reads the values back and reports success
// only when they are what was asked for.
PolicyApplyResult applyChangePolicy(const ChangePolicy& policy, const std::string& policyPath);

// Applies a change-policy script. The script is looked at before it is opened: it must be a
// regular file (no link, pipe or device) owned by `owner` and hold exactly the change-policy
// script; every refusal has the same message, which shows the path with its control characters
// escaped and never the file's content. Nothing is written on a refusal.
PolicyApplyResult applyPolicyScriptFile(const std::string& scriptPath,
                                        const std::string& policyPath, uid_t owner);
// The same for the user who asked for the step (see callingUser).
PolicyApplyResult applyPolicyScriptFile(const std::string& scriptPath,
                                        const std::string& policyPath);

// The user on whose behalf the step runs: PKEXEC_UID when pkexec started it, else the real user.
uid_t callingUser();

// The step's arguments for a policy: --apply-policy HKV CFG.
std::vector<std::string> applyPolicyArguments(const ChangePolicy& policy);

// Whether the command line asks for the elevated step (its first argument is --apply-policy).
bool isApplyPolicyCommand(const std::vector<std::string>& args);
// The elevated step for main(): `args` are the program's arguments without the program name.
// Prints the outcome on stderr and returns the exit status: 0 written, 1 refused or failed,
// 2 wrong command line. The policy file's place is fixed by the caller, never taken from the
// command line.
int runApplyPolicyCommand(const std::vector<std::string>& args,
                          const std::string& policyPath = std::string(kPolicyFilePath));

// `text` with every byte outside printable ASCII written as \xHH, so a path from the user can be
// shown on a terminal without acting on it.
std::string escapeControlBytes(std::string_view text);

}  // namespace vorbix
