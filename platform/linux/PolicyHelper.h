// Applying the machine-wide change policy. The settings dialog writes the administrator's choice
// as a "Temp.reg" script into the data folder; the program itself, run as root through pkexec
// (or directly when it already runs as root), reads the script in a command-line mode of its own
// and writes the policy file. That elevated step accepts nothing but the exact script with the
// values "0" and "1".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "storage/Policy.h"

namespace vorbix {

// The command line of the elevated step: PROGRAM --apply-policy SCRIPT.
inline constexpr std::string_view kApplyPolicyOption = "--apply-policy";

struct PolicyApplyResult {
    bool ok = false;
    std::string message;  // what happened, for the user
};

// Reads the script and writes its two values into the policy file. The script must be a regular
// file of at most a few kilobytes that holds exactly the change-policy script; anything else is
// refused without writing. Messages never quote the file's content, since the step may run as
// root on a file the user named.
PolicyApplyResult applyPolicyScriptFile(const std::string& scriptPath,
                                        const std::string& policyPath);

// Whether the command line asks for the elevated step (its first argument is --apply-policy).
bool isApplyPolicyCommand(const std::vector<std::string>& args);
// The elevated step for main(): `args` are the program's arguments without the program name
// (--apply-policy SCRIPT). Prints the outcome on stderr and returns the exit status: 0 written,
// 1 refused or failed, 2 wrong command line. The policy file's place is fixed by the caller, never
// taken from the command line.
int runApplyPolicyCommand(const std::vector<std::string>& args,
                          const std::string& policyPath = std::string(kPolicyFilePath));

// Applies the script as root and waits until that is done: in this process when it is elevated,
// otherwise by running `program --apply-policy SCRIPT` through pkexec. `program` is the full
// path of the program's executable.
PolicyApplyResult requestPolicyApply(const std::string& scriptPath, const std::string& program,
                                     bool elevated,
                                     const std::string& policyPath = std::string(kPolicyFilePath));

}  // namespace vorbix
