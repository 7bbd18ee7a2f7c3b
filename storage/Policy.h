// The machine-wide change policy: whether users without administrator rights may change the hot
// key table and the configuration. It lives in /etc/xdg/Vorbix/policy.ini, section [Vorbix],
// values AllowChanges_HKV and AllowChanges_CFG. An administrator is never restricted by it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "storage/AtomicFile.h"

namespace vorbix {

inline constexpr std::string_view kPolicyFilePath = "/etc/xdg/Vorbix/policy.ini";
inline constexpr std::string_view kPolicySection = "Vorbix";
inline constexpr std::string_view kAllowChangesHkv = "AllowChanges_HKV";
inline constexpr std::string_view kAllowChangesCfg = "AllowChanges_CFG";

struct ChangePolicy {
    bool allowHotKeyChanges = true;  // AllowChanges_HKV
    bool allowConfigChanges = true;  // AllowChanges_CFG
    bool operator==(const ChangePolicy&) const = default;
};

enum class PolicyReading {
    // At start: a missing file or value allows, only exactly "0" forbids.
    OnlyZeroForbids,
    // After the administrator applied a choice: only exactly "1" allows.
    OnlyOneAllows,
};

// Reads the policy file. A missing file reads as no values. A file that is there but cannot be
// read (a private file or folder, a folder in its place) forbids both changes and sets `error`
// (the system's message) for the caller to report: it was put there to restrict someone.
ChangePolicy readChangePolicy(const std::string& path = std::string(kPolicyFilePath),
                              PolicyReading reading = PolicyReading::OnlyZeroForbids,
                              std::string* error = nullptr);

// The entry of the settings dialog's account box for a policy: 0 both allowed, 1 only the hot
// key table, 2 only the configuration, 3 neither; and back.
int accountEntryFor(const ChangePolicy& policy);
ChangePolicy policyForAccountEntry(int entry);

// The registry-style script the administrator's choice is written to ("Temp.reg" in the data
// folder), lines ended by CR LF.
std::string policyScript(const ChangePolicy& policy);
// The policy named by such a script. Refuses (nullopt) anything but the exact layout with the
// values "0" or "1", so the elevated step that applies it cannot be made to write other text.
std::optional<ChangePolicy> parsePolicyScript(std::string_view script);

// Sets both values in the policy file (creating it and its folder when needed), keeping any other
// content of the file; atomic. The file becomes 0644 and its folder 0755, so every user reads it.
FileResult writeChangePolicy(const std::string& path, const ChangePolicy& policy);

}  // namespace vorbix
