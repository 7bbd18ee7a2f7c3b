// The configuration file "Config.ini": its complete key table with the defaults, and ConfigFile,
// through which every writer reads the whole file, changes its own keys and writes the whole
// file back, so keys of other writers survive.
//
// Reading rules: a key that is absent reads as its default; a key that is present with an empty
// value reads as empty text, not as the default. An integer that is not a number (decimal, or "$"
// or "0x" with hexadecimal digits) reads as its default, and so does a colour that is neither a
// name of the colour table nor a number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "storage/AtomicFile.h"
#include "storage/Colors.h"
#include "storage/IniFile.h"

namespace vorbix {

namespace config {

inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kMisc = "Misc";
inline constexpr std::string_view kInsertText = "Insert Text";

// A key read as text or flag ("1"/"0"); `fallback` is what an absent key reads as. Keys that are
// "absent" by default have an empty fallback.
struct TextKey {
    std::string_view section;
    std::string_view name;
    std::string_view fallback;
};

// An integer key; with `scaled` the fallback is a pixel size designed at 96 pixels per inch and
// passes through ScaleToScreen.
struct IntegerKey {
    std::string_view section;
    std::string_view name;
    int32_t fallback;
    bool scaled = false;
};

struct ColorKey {
    std::string_view section;
    std::string_view name;
    ColorValue fallback;
};

// Section "Settings".
inline constexpr TextKey kLanguage{kSettings, "Language", "German"};
inline constexpr TextKey kWelcome{kSettings, "Welcome", "1"};
inline constexpr TextKey kImprovement{kSettings, "Improvement", "1"};
inline constexpr TextKey kSymbolHotKey{kSettings, "SymbolHotKey", ""};
inline constexpr TextKey kDeActivateHotKey{kSettings, "DeActivateHotKey", ""};
inline constexpr IntegerKey kHideByMinimize{kSettings, "HideByMinimize", 0};
inline constexpr TextKey kAutoUpdate{kSettings, "AutoUpdate", "1"};
inline constexpr TextKey kUpdateInterval{kSettings, "UpdateInterval", "1"};
inline constexpr TextKey kLastUpdateSearch{kSettings, "LastUpdateSearch", "0"};
inline constexpr TextKey kScheme{kSettings, "Scheme", "Standard"};
inline constexpr ColorKey kColor1{kSettings, "Color1", kClBlack};
inline constexpr ColorKey kColor2{kSettings, "Color2", 0x001F1F1F};
inline constexpr ColorKey kColor3{kSettings, "Color3", 0x002D2D2D};
inline constexpr ColorKey kColor4{kSettings, "Color4", kClWhite};
inline constexpr TextKey kProgramDirPrompt{kSettings, "ProgramDirPrompt", "1"};
inline constexpr TextKey kSaveClipBoard{kSettings, "SaveClipBoard", "0"};
inline constexpr TextKey kActive{kSettings, "Active", "1"};
inline constexpr IntegerKey kCol0{kSettings, "Col0", 183, true};
inline constexpr IntegerKey kCol1{kSettings, "Col1", 222, true};
inline constexpr IntegerKey kCol2{kSettings, "Col2", 290, true};
inline constexpr IntegerKey kClientWidth{kSettings, "ClientWidth", 807, true};
inline constexpr IntegerKey kClientHeight{kSettings, "ClientHeight", 532, true};
inline constexpr IntegerKey kPositionX{kSettings, "Position_x", 0};
inline constexpr IntegerKey kPositionY{kSettings, "Position_y", 0};
inline constexpr TextKey kState{kSettings, "State", "Normal"};
inline constexpr TextKey kPropertiesNotice{kSettings, "PropertiesNotice", "0"};
inline constexpr TextKey kSymbolNotice{kSettings, "SymbolNotice", "0"};
inline constexpr TextKey kHideShowNotice{kSettings, "HideShowNotice", "0"};
inline constexpr TextKey kLowerThanXPNotice{kSettings, "LowerThanXPNotice", "0"};
// The notice that hot keys reach the program in a Wayland session only while an X11 window has
// the focus (a key of this port only).
inline constexpr TextKey kWaylandNotice{kSettings, "WaylandNotice", "0"};
// The notice that the hot keys go through the desktop's shortcut portal (a key of this port only).
inline constexpr TextKey kPortalNotice{kSettings, "PortalNotice", "0"};
inline constexpr TextKey kReturn{kSettings, "Return", ""};

// Section "Misc".
inline constexpr TextKey kProgramDir{kMisc, "ProgramDir", ""};

// Section "Insert Text": the insert-text editor's window.
inline constexpr IntegerKey kInsertTextClientWidth{kInsertText, "ClientWidth", 546, true};
inline constexpr IntegerKey kInsertTextClientHeight{kInsertText, "ClientHeight", 456, true};
inline constexpr IntegerKey kInsertTextPositionX{kInsertText, "Position_x", 0};
inline constexpr IntegerKey kInsertTextPositionY{kInsertText, "Position_y", 0};
inline constexpr TextKey kInsertTextState{kInsertText, "State", "Normal"};

// Values of the keys above.
inline constexpr std::string_view kFlagOn = "1";
inline constexpr std::string_view kFlagOff = "0";
inline constexpr std::string_view kStateNormal = "Normal";
inline constexpr std::string_view kStateMaximized = "Maximized";

}  // namespace config

class ConfigFile {
public:
    // Reads the whole file. A missing file reads as empty and is created by save(); a file that
    // exists but cannot be read gives nullopt and the system's message in `error`.
    static std::optional<ConfigFile> open(const std::string& path, std::string* error = nullptr);

    // The file as if `bytes` had been read from `path`.
    static ConfigFile fromBytes(std::string path, std::string_view bytes);

    const std::string& path() const { return path_; }

    // The raw value, nullopt when the key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    bool has(std::string_view section, std::string_view key) const;

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    int32_t readInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    ColorValue readColor(std::string_view section, std::string_view key, ColorValue fallback) const;

    std::string read(const config::TextKey& key) const;
    // `ppi` scales the fallback of a scaled key.
    int32_t read(const config::IntegerKey& key, int32_t ppi = 96) const;
    ColorValue read(const config::ColorKey& key) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int32_t value);
    void writeFlag(std::string_view section, std::string_view key, bool on);
    void writeColor(std::string_view section, std::string_view key, ColorValue color);
    void erase(std::string_view section, std::string_view key);

    void write(const config::TextKey& key, std::string_view value);
    void write(const config::IntegerKey& key, int32_t value);
    void write(const config::ColorKey& key, ColorValue color);
    void writeFlag(const config::TextKey& key, bool on);
    void erase(const config::TextKey& key);

    // Writes the whole file back atomically in the encoding it was read in (a new file, or one
    // without byte-order mark, in Windows-1252, or UTF-8 with mark when a character does not
    // fit). A failed write keeps the old file. A file whose bytes would not change is left
    // untouched.
    FileResult save() const;

    const IniFile& ini() const { return ini_; }

private:
    ConfigFile(std::string path, IniFile ini, std::optional<std::string> bytes)
        : path_(std::move(path)), ini_(std::move(ini)), bytes_(std::move(bytes)) {}

    std::string path_;
    IniFile ini_;
    std::optional<std::string> bytes_;  // as read; nullopt when the file did not exist
};

// Opens `path`, sets one key and writes the file back: the single-key writers (Language,
// LastUpdateSearch, SymbolNotice, PropertiesNotice, HideShowNotice, LowerThanXPNotice, Return).
FileResult writeConfigValue(const std::string& path, std::string_view section, std::string_view key,
                            std::string_view value);

}  // namespace vorbix
