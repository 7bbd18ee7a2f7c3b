// The Launcher of a Linux desktop: programs are spawned directly with an argument list, folders,
// web addresses and mail links go to xdg-open as one argument, and the terminal, the browser (the
// desktop's default first) and the settings panels are found among the programs that are
// installed. An opener or picked program that ends with an error right after its start is
// reported to the late-failure handler.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/Ports.h"
#include "platform/linux/ChildProcess.h"

namespace vorbix {

class DesktopLauncher : public Launcher {
public:
    DesktopLauncher() = default;
    ~DesktopLauncher() override { setLateFailureHandler({}); }
    DesktopLauncher(const DesktopLauncher&) = delete;
    DesktopLauncher& operator=(const DesktopLauncher&) = delete;

    // Applies a window mode to the first window of a started process once it maps.
    using WindowModeApplier = std::function<void(pid_t pid, WindowMode mode)>;

    void setWindowModeApplier(WindowModeApplier applier) { applier_ = std::move(applier); }

    LaunchResult startProgram(const std::string& program, const std::string& parameters,
                              WindowMode mode) override;
    LaunchResult openLocation(const std::string& location, WindowMode mode) override;
    LaunchResult openTerminal() override;
    LaunchResult openWebBrowser() override;
    LaunchResult openMailProgram() override;
    LaunchResult openSettings(SettingsPanel panel) override;
    bool canFind(const std::string& path, bool folder) const override;
    // An opener (xdg-open) or a program the launcher picked (browser, terminal, settings) that
    // ends with a status other than 0 within `kLateFailureWindow` of its start is a failure.
    // Once it returns, no call of an earlier handler runs any more.
    void setLateFailureHandler(LateFailureHandler handler) override;
    static constexpr std::chrono::seconds kLateFailureWindow{30};

    // What startProgram starts for `program`: "~" expanded, a bare name looked up in PATH, a
    // relative path made absolute against the current folder; empty when nothing is there.
    static std::string resolveProgram(const std::string& program);
    // What openLocation opens for a folder path, resolved the same way; empty when missing.
    static std::string resolveFolder(const std::string& location);

    // The process id of the last process started, -1 before the first.
    pid_t lastStarted() const { return lastStarted_; }

private:
    // Shared with the exit handlers of the children, which may end after the launcher.
    struct LateFailures {
        std::mutex mutex;
        LateFailureHandler handler;
    };

    LaunchResult spawn(const std::vector<std::string>& argv, const std::string& workingDirectory,
                       WindowMode mode, ChildExitHandler onExit = {});
    // Tells the late-failure handler when the child ends with an error soon after its start.
    ChildExitHandler failureOnError(std::string program, LaunchError kind, std::string subject);
    LaunchResult openWithXdgOpen(const std::string& target, WindowMode mode);
    // Starts the first candidate command whose program is installed.
    LaunchResult startFirstFound(const std::vector<std::vector<std::string>>& candidates,
                                 const std::string& whatIsMissing);

    WindowModeApplier applier_;
    pid_t lastStarted_ = -1;
    std::shared_ptr<LateFailures> late_ = std::make_shared<LateFailures>();
};

// The desktop named by XDG_CURRENT_DESKTOP (a list separated by ":"): one of "GNOME", "KDE",
// "XFCE", "Cinnamon", "MATE", "LXQt", or empty when none of them is named.
std::string currentDesktopFamily(const std::string& xdgCurrentDesktop);

// The commands that may open `panel` on the desktop `family` (as from currentDesktopFamily), best
// first, ending with the fallbacks that work on any desktop.
std::vector<std::vector<std::string>> settingsCommands(const std::string& family,
                                                       SettingsPanel panel);

// Whether the text is an address with a scheme ("https:", "mailto:", "file:", ...) rather than a
// path. A drive letter ("C:") is not a scheme.
bool looksLikeAddress(const std::string& text);

}  // namespace vorbix
