#include "storage/Policy.h"

#include <filesystem>
#include <system_error>

#include "storage/IniFile.h"

namespace vorbix {

namespace {

constexpr std::string_view kScriptHeader = "Windows Registry Editor Version 5.00\r\n\r\n\r\n";
constexpr std::string_view kScriptKey = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Pellmarr\\Vorbix]\r\n";

bool allows(const std::optional<std::string>& value, PolicyReading reading) {
    if (reading == PolicyReading::OnlyOneAllows) return value && *value == "1";
    return !value || *value != "0";
}

std::string scriptLine(std::string_view name, bool allowed) {
    return "\"" + std::string(name) + "\"=\"" + (allowed ? "1" : "0") + "\"\r\n";
}

}  // namespace

ChangePolicy readChangePolicy(const std::string& path, PolicyReading reading, std::string* error) {
    std::string loadError;
    std::optional<IniFile> ini = IniFile::load(path, &loadError);
    if (!ini) {
        if (error) *error = loadError;
        ini = IniFile{};
    }
    return {allows(ini->value(kPolicySection, kAllowChangesHkv), reading),
            allows(ini->value(kPolicySection, kAllowChangesCfg), reading)};
}

int accountEntryFor(const ChangePolicy& policy) {
    if (policy.allowHotKeyChanges) return policy.allowConfigChanges ? 0 : 1;
    return policy.allowConfigChanges ? 2 : 3;
}

ChangePolicy policyForAccountEntry(int entry) {
    return {entry == 0 || entry == 1, entry == 0 || entry == 2};
}

std::string policyScript(const ChangePolicy& policy) {
    return std::string(kScriptHeader) + std::string(kScriptKey) +
           scriptLine(kAllowChangesHkv, policy.allowHotKeyChanges) +
           scriptLine(kAllowChangesCfg, policy.allowConfigChanges);
}

std::optional<ChangePolicy> parsePolicyScript(std::string_view script) {
    for (bool hkv : {true, false}) {
        for (bool cfg : {true, false}) {
            const ChangePolicy candidate{hkv, cfg};
            if (script == policyScript(candidate)) return candidate;
        }
    }
    return std::nullopt;
}

FileResult writeChangePolicy(const std::string& path, const ChangePolicy& policy) {
    std::string error;
    std::optional<IniFile> ini = IniFile::load(path, &error);
    if (!ini) return {false, error};
    ini->writeString(kPolicySection, kAllowChangesHkv, policy.allowHotKeyChanges ? "1" : "0");
    ini->writeString(kPolicySection, kAllowChangesCfg, policy.allowConfigChanges ? "1" : "0");
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec) return {false, folder.string() + ": " + ec.message()};
    }
    return ini->save(path, IniStyle::Config);
}

}  // namespace vorbix
