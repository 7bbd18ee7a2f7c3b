#include "core/Dispatcher.h"

#include <cctype>
#include <cstdio>
#include <iterator>

#include "core/KeyCombStroke.h"
#include "core/TextUtil.h"
#include "core/VolumeAction.h"
#include "core/WebAddress.h"

namespace vorbix {

namespace {

constexpr uint8_t kVkC = 0x43, kVkN = 0x4E, kVkV = 0x56, kVkX = 0x58, kVkF4 = 0x73;
constexpr uint8_t kVkF5 = 0x74, kVkEscape = 0x1B, kVkLeft = 0x25, kVkRight = 0x27;
constexpr uint8_t kVkHome = 0x24, kVkO = 0x4F;

}  // namespace

std::vector<std::string> windowKeywords(std::string_view window) {
    std::vector<std::string> keywords;
    size_t start = 0;
    for (size_t bar = window.find('|'); bar != std::string_view::npos;
         bar = window.find('|', start)) {
        if (bar > start) keywords.emplace_back(window.substr(start, bar - start));
        start = bar + 1;
    }
    return keywords;
}

void Dispatcher::WMHotKey(int32_t id) {
    if (id == DeActivateHotKeyId) shell_.activationSwitch();
    if (id == SymbolHotKeyId) shell_.toggleMainWindow();
    if (!registry_.active()) return;
    // Copies: an effect may run the event loop, during which the table may change.
    std::vector<HotKeyEntry> matches;
    for (const HotKeyEntry& row : table_.rows()) {
        if (row.HotKeyId == id && id != 0) matches.push_back(row);
    }
    for (const HotKeyEntry& row : matches) runAction(row);
}

void Dispatcher::combinationStroke(uint8_t modifier, uint8_t key) {
    strokeKeys({modifier}, key);
}

void Dispatcher::strokeKeys(std::initializer_list<uint8_t> modifiers, uint8_t key) {
    KeyboardOutput* keys = desktop_.keys;
    if (!keys) return;
    keys->releaseModifiers();
    for (uint8_t m : modifiers) keys->keyDown(m);
    keys->keyDown(key);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) keys->keyUp(*it);
    keys->keyUp(key);
}

std::string Dispatcher::failureText(const LaunchResult& result) const {
    std::string_view key;
    switch (result.kind) {
        case LaunchError::None:
            break;
        case LaunchError::NotSet:
            key = "MessageLaunchNotSet";
            break;
        case LaunchError::NotFound:
            key = "MessageLaunchNotFound";
            break;
        case LaunchError::NoProgram:
            key = "MessageLaunchNoProgram";
            break;
        case LaunchError::StartFailed:
            key = "MessageLaunchFailed";
            break;
        case LaunchError::OpenFailed:
            key = "MessageLaunchOpenFailed";
            break;
    }
    std::string text = messageText(key, result.subject);
    return text.empty() ? result.error : text;
}

std::string Dispatcher::messageText(std::string_view key, const std::string& subject) const {
    std::string text = (message_ && !key.empty()) ? message_(key) : "";
    return text.empty() ? text : withSubject(std::move(text), subject);
}

std::string Dispatcher::withSubject(std::string text, const std::string& subject) {
    return fillPlaceholder(std::move(text), "%s", subject);
}

std::string Dispatcher::volumeFailureText(const VolumeOutcome& outcome) const {
    std::string_view key, english;
    switch (outcome.error) {
        case VolumeError::None:
            return {};
        case VolumeError::NotSet:
            key = "MessageVolumeNotSet";
            english = "No volume change has been set for this hot key yet.";
            break;
        case VolumeError::Unreadable:
            key = "MessageVolumeUnreadable";
            english = "The stored volume change \"%s\" cannot be read.";
            break;
        case VolumeError::NoSoundSystem:
            key = "MessageVolumeNoSoundSystem";
            english = "No sound system answers.";
            break;
        case VolumeError::NoSoundLibrary:
            key = "MessageVolumeNoSoundLibrary";
            english = "The sound system cannot be loaded (%s).";
            break;
        case VolumeError::NoDevice:
            key = "MessageVolumeNoDevice";
            english = "No playback device is available.";
            break;
        case VolumeError::Failed:
            key = "MessageVolumeFailed";
            english = "The volume of %s could not be changed.";
            break;
    }
    std::string text = messageText(key, outcome.subject);
    return text.empty() ? withSubject(std::string(english), outcome.subject) : text;
}

void Dispatcher::adjustVolume(const HotKeyEntry& row) {
    // The placeholder of any language means nothing is set yet.
    const VolumeChange change = isPlaceholder(Placeholder::NewVolume, row.PropertiesText)
                                    ? VolumeChange{}
                                    : readVolumeChange(row.PropertiesText, texts_.sNewVolume,
                                                       [this](std::string_view text) {
                                                           return languages_.isMuteWord(text);
                                                       });
    const VolumeOutcome outcome = runAdjustVolume(desktop_.audio, row, change);
    if (!outcome.ok()) {
        const std::string text = volumeFailureText(outcome);
        logFailure(text);
        shell_.actionFailed(text);
    }
}

void Dispatcher::report(const LaunchResult& result) {
    if (result.ok) return;
    logFailure(result.error);
    shell_.actionFailed(failureText(result));
}

void Dispatcher::logFailure(const std::string& reason) {
    std::fprintf(stderr, "vorbix: an action could not run: %s\n", reason.c_str());
}

void Dispatcher::toggleDriveDoors(std::vector<char> letters) {
    DriveControl* drives = desktop_.drives;
    if (!drives || letters.empty()) return;
    auto job = [drives, memory = doors_, letters = std::move(letters)] {
        for (char letter : letters) toggleDriveDoor(*drives, *memory, letter);
    };
    if (desktop_.background) {
        desktop_.background->post(std::move(job));
    } else {
        job();
    }
}

void Dispatcher::runAction(const HotKeyEntry& row) {
    const std::optional<ActionKind> kind = languages_.kindOf(row.ActionText, &texts_);
    if (!kind) return;
    Launcher* launcher = desktop_.launcher;
    WindowControl* windows = desktop_.windows;
    using K = ActionKind;
    switch (*kind) {
        case K::MinimizeAll:
            if (windows) windows->minimizeAll();
            break;
        case K::CloseAllWindows: {
            const std::vector<WindowId> stacking =
                windows ? windows->stackingOrder() : std::vector<WindowId>{};
            const WindowId main = shell_.hideMainWindowForCloseAll();
            if (windows) windows->closeWindowsBelow(main, stacking);
            break;
        }
        case K::HideWindows:
            if (windows) windows->hideWindows(windowKeywords(row.Window));
            break;
        case K::ShowWindows:
            if (windows) windows->showWindows(windowKeywords(row.Window));
            break;
        case K::OpenProgramDir: {
            if (!launcher) break;
            const std::string path = programWithoutMarker(row.Program);
            const bool folder = std::string_view(row.Program).ends_with(kFolderMarker);
            if (path.empty() || isPlaceholder(Placeholder::NewProgramDir, path)) {
                report(LaunchResult::failure("No program is set", LaunchError::NotSet));
                break;
            }
            const WindowMode mode = languages_.windowModeOf(row.HowToOpen, &texts_);
            report(folder ? launcher->openLocation(path, mode)
                          : launcher->startProgram(path, row.Parameter, mode));
            break;
        }
        case K::Copy:
            combinationStroke(kVkControl, kVkC);
            break;
        case K::Paste:
            combinationStroke(kVkControl, kVkV);
            break;
        case K::Cut:
            combinationStroke(kVkControl, kVkX);
            break;
        case K::OpenCloseDrive:
            if (!isPlaceholder(Placeholder::NewDrive, row.PropertiesText)) {
                toggleDriveDoors(driveLettersOf(row.PropertiesText));
            }
            break;
        case K::SimulateKeyComb:
            if (desktop_.keys && !isPlaceholder(Placeholder::NewKeyComb, row.PropertiesText)) {
                simulateKeyComb(row.PropertiesText, names_, *desktop_.keys);
            }
            break;
        case K::AdjustVolume:
            adjustVolume(row);
            break;
        case K::SearchInternet:
            // A row never edited searches with the first provider.
            shell_.runEditorEffect(*kind, row);
            break;
        case K::InsertText:
        case K::InsertDateTime:
            // A placeholder of any language means nothing is set yet.
            if (!isPlaceholder(actionInfo(*kind).placeholder, row.PropertiesText)) {
                shell_.runEditorEffect(*kind, row);
            }
            break;
        case K::ControlAudioVideo:
            if (desktop_.media) {
                if (auto command = languages_.mediaCommandOf(row.PropertiesText)) {
                    desktop_.media->send(*command);
                }
            }
            break;
        case K::ControlBrowser: {
            const auto command = languages_.browserCommandOf(row.PropertiesText);
            if (!command) break;
            switch (*command) {
                case BrowserCommand::Back:
                    combinationStroke(kVkAlt, kVkLeft);
                    break;
                case BrowserCommand::Forward:
                    combinationStroke(kVkAlt, kVkRight);
                    break;
                case BrowserCommand::Home:
                    combinationStroke(kVkAlt, kVkHome);
                    break;
                case BrowserCommand::Favorites:
                    strokeKeys({kVkControl, kVkShift}, kVkO);
                    break;
                case BrowserCommand::Reload:
                    strokeKeys({}, kVkF5);
                    break;
                case BrowserCommand::Stop:
                    strokeKeys({}, kVkEscape);
                    break;
            }
            break;
        }
        case K::OpenMailProgram:
            if (launcher) report(launcher->openMailProgram());
            break;
        case K::OpenBrowser:
            if (launcher) report(launcher->openWebBrowser());
            break;
        case K::CommandLine:
            if (launcher) report(launcher->openTerminal());
            break;
        case K::CloseProgram:
            // The window manager's own close request works whatever Alt+F4 means to it; the
            // stroke is left for a desktop without one.
            if (!windows || !windows->closeActiveWindow()) combinationStroke(kVkAlt, kVkF4);
            break;
        case K::NewFolder:
            strokeKeys({kVkControl, kVkShift}, kVkN);
            break;
        case K::Website: {
            if (!launcher) break;
            if (row.URL.empty() || isPlaceholder(Placeholder::NewWebsite, row.URL)) {
                report(LaunchResult::failure("No address is set", LaunchError::NotSet));
                break;
            }
            if (isRefusedAddress(row.URL)) {
                const std::string address = trim(row.URL);
                const std::string text = messageText("MessageAddressRefused", address);
                shell_.actionFailed(text.empty() ? "The address \"" + address +
                                                       "\" is not opened: javascript: and data: "
                                                       "addresses can run program code."
                                                 : text);
                break;
            }
            report(launcher->openLocation(webAddressOf(row.URL),
                                          languages_.windowModeOf(row.HowToOpen, &texts_)));
            break;
        }
        case K::ShutDown:
            if (desktop_.session) desktop_.session->exitSession(SessionAction::ShutDown);
            break;
        case K::Restart:
            if (desktop_.session) desktop_.session->exitSession(SessionAction::Restart);
            break;
        case K::LogOff:
            if (desktop_.session) desktop_.session->exitSession(SessionAction::LogOff);
            break;
        case K::Standby:
            if (desktop_.session) desktop_.session->exitSession(SessionAction::Suspend);
            break;
        case K::ControlPanel:
            if (launcher) report(launcher->openSettings(SettingsPanel::ControlPanel));
            break;
        case K::DisplayDialog:
            if (launcher) report(launcher->openSettings(SettingsPanel::Display));
            break;
        case K::DateTimeDialog:
            if (launcher) report(launcher->openSettings(SettingsPanel::DateTime));
            break;
        case K::RegionDialog:
            if (launcher) report(launcher->openSettings(SettingsPanel::Region));
            break;
        case K::MultimediaDialog:
            if (launcher) report(launcher->openSettings(SettingsPanel::Sound));
            break;
        case K::SoftwareDialog:
            if (launcher) report(launcher->openSettings(SettingsPanel::Software));
            break;
        case K::SystemDialog:
            if (launcher) report(launcher->openSettings(SettingsPanel::System));
            break;
    }
}

}  // namespace vorbix
