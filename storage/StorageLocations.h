// Where the program keeps its files, what the first run prepares, and the pixel scaling of the
// designed sizes.
//
// ProgramFolder: the folder with "System/Localization/" and "Images/": the executable's own folder
// when they lie beside it (the build tree, a copied folder), else, for an executable installed in
// a "bin" folder, "share/vorbix/" beside that folder (/usr/bin/vorbix reads /usr/share/vorbix/).
// HelperFolder: the folder of what the program runs or loads itself (vorbix-policy,
// vorbix-network.so): the executable's own folder in the same cases, else "libexec/vorbix/"
// beside the "bin" folder.
// DataFolder: the per-user folder with "HotKeys.hkv" and "Config.ini",
// $XDG_CONFIG_HOME/Vorbix/ or ~/.config/Vorbix/. Both end in exactly one "/".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorbix {

inline constexpr std::string_view kHotKeyFileName = "HotKeys.hkv";
inline constexpr std::string_view kConfigFileName = "Config.ini";
inline constexpr std::string_view kDataFolderName = "Vorbix";

// `path` with trailing "/" removed and exactly one added; "/" stays "/".
std::string withTrailingSlash(std::string_view path);

// The folder of an executable path, with one trailing "/".
std::string programFolderOf(std::string_view executablePath);
// The program folder of an executable at `executablePath`; `dataBeside` tells whether its own
// folder holds "System/Localization/".
std::string programFolderFor(std::string_view executablePath, bool dataBeside);
// The helper folder of an executable at `executablePath`, by the same rule.
std::string helperFolderFor(std::string_view executablePath, bool dataBeside);
// The installed folders below the prefix (the install rules put the files there).
inline constexpr std::string_view kInstalledDataFolder = "share/vorbix/";
inline constexpr std::string_view kInstalledHelperFolder = "libexec/vorbix/";
// The program folder of the running executable (from /proc/self/exe), or the override when one
// is set.
std::string ProgramFolder();
// Makes ProgramFolder() give `folder` (normalised to one trailing "/"); nullopt removes the
// override. For tests and for running the program from another place than its data.
void setProgramFolderOverride(std::optional<std::string> folder);
// The helper folder of the running executable.
std::string HelperFolder();

// The data folder for the given environment values: `xdgConfigHome` when it is an absolute path,
// else `home` + "/.config"; then "Vorbix/". Relative XDG values are ignored, as the XDG rules say.
std::string dataFolderFrom(std::string_view xdgConfigHome, std::string_view home);
// The data folder of the current user, from XDG_CONFIG_HOME and HOME (or the password database
// when HOME is not set).
std::string DataFolder();

std::string hotKeyFilePath(std::string_view dataFolder);
std::string configFilePath(std::string_view dataFolder);

struct FirstRunResult {
    bool ok = true;
    std::string error;  // the system's message, with the path, when !ok
    bool createdFolder = false;
    bool createdHotKeyFile = false;
    explicit operator bool() const { return ok; }
};

// The first-run steps: creates the data folder (with missing parents, mode 0700) and writes the
// empty hot key file (mode 0600) when no "HotKeys.hkv" exists. An existing file is never touched.
// Temporary files that a crash during a save left in the folder are removed.
FirstRunResult prepareDataFolder(const std::string& dataFolder);

// A pixel value designed at 96 pixels per inch, scaled to `ppi`: value * ppi / 96 rounded to
// the nearest integer, halves to even. Exact integer arithmetic.
int32_t ScaleToScreen(int32_t value, int32_t ppi);

}  // namespace vorbix
