// The parts of the configuration file that belong to one window each: the main window's state
// (LoadMainConfig / SaveMainConfig), the settings dialog's keys and the insert-text editor's
// geometry. The windows only move values between these structs and their widgets; every rule
// about keys, defaults and write-backs lives here.
//
// Each load opens the file, reads its keys, applies them to the struct and writes the file back;
// each save opens the file, sets its keys and writes the file back, so the keys of the other
// writers survive. A file that exists but cannot be read leaves the struct as it was and is never
// written; the result then carries the system's message. A failed write keeps the old file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "storage/AtomicFile.h"
#include "storage/Colors.h"

namespace vorbix {

enum class WindowState { Normal, Maximized, Minimized };

// Size, place and state of a window as the file keeps them: the client size and the frame's
// top-left corner in device pixels, so that a file opens the same window at any scale.
struct WindowPlacement {
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    int32_t positionX = 0;
    int32_t positionY = 0;
    // Set by a load when both positions read 0: the window opens centred on the screen.
    bool centred = true;
    // Minimized is never stored: saving a minimised window keeps the former value of the file.
    WindowState state = WindowState::Normal;
};

// What the loads and saves need to know about the program.
struct ConfigContext {
    std::string programFolder;  // written as ProgramDir
    std::string dataFolder;     // the user's own file is dataFolder + "Config.ini"
    // IsAdministrator holds or the change policy allows configuration changes.
    bool mayChangeConfig = true;
    int32_t ppi = 96;  // scales the designed default sizes
    // The translated text of the colour scheme box's "Custom" entry ("Benutzerdefiniert").
    std::string customSchemeText;
};

struct MainConfig {
    std::string language = "German";  // "German" or "English"
    std::array<int32_t, 3> columnWidths{183, 222, 290};
    WindowPlacement window{807, 532, 0, 0, true, WindowState::Normal};
    bool improvementVisible = true;  // the suggestion link and its icon
    bool trayIconVisible = true;     // false while a SymbolHotKey is set
    // The welcome page's "do not show again" box; ticked: the program starts on the hot key page.
    bool welcomeCheckBoxTicked = false;
    bool welcomeCheckBoxEnabled = true;
    bool hideByMinimize = false;
    bool active = true;  // the hot keys start active
    // Background, panel fill, panel outline, text; the text colour is also the links' RestColor.
    std::array<ColorValue, 4> colors{kClBlack, 0x1F1F1F, 0x2D2D2D, kClWhite};

    bool english() const { return language == "English"; }
    // The designed defaults, sizes scaled to `ppi`.
    static MainConfig defaults(int32_t ppi);
};

FileResult LoadMainConfig(const std::string& path, const ConfigContext& context,
                          MainConfig& config);
FileResult SaveMainConfig(const std::string& path, const ConfigContext& context,
                          const MainConfig& config);

// The update intervals offered in days; a value outside them reads as the first.
inline constexpr std::array<int32_t, 4> kUpdateIntervals{1, 3, 7, 14};

// The keys of the settings dialog. The autostart entry and the change policy are not in the
// file; the platform reads and writes them.
struct SettingsConfig {
    std::string language = "German";     // "English" selects the English entry, else German
    bool welcomeCheckBoxTicked = false;  // Welcome "0"
    bool improvement = true;             // ticked only for Improvement "1"
    // Hide the tray icon; the SymbolHotKey combination (key text) shows and hides the program.
    bool symbolHotKeyOn = false;
    std::string symbolHotKey;
    // The combination (key text) that switches all hot keys off and on.
    bool deActivateHotKeyOn = false;
    std::string deActivateHotKey;
    bool autoUpdate = true;
    int32_t updateIntervalDays = 1;
    bool hideByMinimize = false;
    std::optional<int> schemeIndex = 0;  // nullopt: the scheme box has no selection
    std::array<ColorValue, 4> colors{kClBlack, 0x1F1F1F, 0x2D2D2D, kClWhite};
    bool pathCheck = true;       // ProgramDirPrompt: only "0" switches it off
    bool saveClipboard = false;  // SaveClipBoard: only "0" switches it off

    // Whether the automatic update check runs after a load or a confirmation.
    bool updateTimerRuns(bool mayChangeConfig) const { return autoUpdate && mayChangeConfig; }
};

FileResult LoadSettingsConfig(const std::string& path, const ConfigContext& context,
                              SettingsConfig& config);
FileResult SaveSettingsConfig(const std::string& path, const SettingsConfig& config);

// The insert-text editor's window and its line-wrap box (key Return of section "Settings").
struct InsertTextConfig {
    WindowPlacement window{546, 456, 0, 0, true, WindowState::Normal};
    bool wrapLines = false;
};

FileResult LoadInsertTextConfig(const std::string& path, const ConfigContext& context,
                                InsertTextConfig& config);
// Writes the geometry only; the wrap box is written when it is clicked (writeConfigValue).
FileResult SaveInsertTextConfig(const std::string& path, const InsertTextConfig& config);

}  // namespace vorbix
