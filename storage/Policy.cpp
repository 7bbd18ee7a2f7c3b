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
    namespace fs = std::filesystem;
    // Only a file that is not there means "no values". One that is there but cannot be read (a
    // private file or folder) forbids: it was written to restrict someone.
    std::error_code ec;
    const fs::file_type type = fs::status(path, ec).type();
    if (type == fs::file_type::not_found)
        return {allows(std::nullopt, reading), allows(std::nullopt, reading)};
    std::string loadError;
    std::optional<IniFile> ini;
    if (ec) {
        loadError = systemErrorText(path, ec.value());
    } else {
        ini = IniFile::load(path, &loadError);
    }
    if (!ini) {
        if (error) *error = loadError;
        return {false, false};
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
    // Every user reads the policy, whatever modes the file and its folder had before.
    WriteOptions readableByAll;
    readableByAll.mode = 0644;
    readableByAll.modeForNewFileOnly = false;
    FileResult saved = ini->save(path, IniStyle::Config, readableByAll);
    if (!saved) return saved;
    using std::filesystem::perms;
    std::error_code ec;
    if (!folder.empty()) {
        std::filesystem::permissions(folder,
                                     perms::owner_all | perms::group_read | perms::group_exec |
                                         perms::others_read | perms::others_exec,
                                     ec);
        if (ec) return {false, systemErrorText(folder.string(), ec.value())};
    }
    return {};
}

}  // namespace vorbix
