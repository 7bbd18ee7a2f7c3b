// The catalogue of the 33 action kinds. A row names its kind by the caption text of the current
// language; the number is the position in the action box and the suffix of the language key.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace vorbix {

enum class ActionKind : int {
    MinimizeAll = 0,
    CloseAllWindows = 1,
    HideWindows = 2,
    ShowWindows = 3,
    OpenProgramDir = 4,
    Copy = 5,
    Paste = 6,
    Cut = 7,
    OpenCloseDrive = 8,
    SimulateKeyComb = 9,
    InsertText = 10,
    AdjustVolume = 11,
    ControlAudioVideo = 12,
    ControlBrowser = 13,
    SearchInternet = 14,
    OpenMailProgram = 15,
    OpenBrowser = 16,
    InsertDateTime = 17,
    CommandLine = 18,
    CloseProgram = 19,
    NewFolder = 20,
    Website = 21,
    ShutDown = 22,
    Restart = 23,
    LogOff = 24,
    Standby = 25,
    ControlPanel = 26,
    DisplayDialog = 27,
    DateTimeDialog = 28,
    RegionDialog = 29,
    MultimediaDialog = 30,
    SoftwareDialog = 31,
    SystemDialog = 32,
};

inline constexpr int kActionKindCount = 33;

// The actions on other programs' windows (minimise all, close all, hide, show): they reach the
// windows of the X server only.
constexpr bool isWindowAction(ActionKind kind) {
    return kind == ActionKind::MinimizeAll || kind == ActionKind::CloseAllWindows ||
           kind == ActionKind::HideWindows || kind == ActionKind::ShowWindows;
}

// The placeholder language texts of section "Main" that stand for properties not set yet.
enum class Placeholder {
    None,
    NewHide,
    NewShow,
    NewProgramDir,
    NewDrive,
    NewKeyComb,
    NewText,
    NewVolume,
    NewAudioVideo,
    NewBrowserControl,
    NewProvider,
    NewDateTime,
    NewWebsite,
};

struct ActionInfo {
    ActionKind kind;
    std::string_view languageKey;                // "Action0" ... "Action32"
    std::string_view germanCaption;              // the design caption of the action box
    std::vector<std::string_view> propertyKeys;  // keys of the row section in the hot key file
    std::string_view editor;  // class name of the property editor, empty when none
    Placeholder placeholder;  // Placeholder::None for kinds without properties
};

const std::array<ActionInfo, kActionKindCount>& actionCatalogue();
const ActionInfo& actionInfo(ActionKind kind);
inline int toIndex(ActionKind kind) {
    return static_cast<int>(kind);
}
std::optional<ActionKind> actionKindFromIndex(int index);
// The kinds with properties are exactly those with an editor.
bool hasProperties(ActionKind kind);

}  // namespace vorbix
