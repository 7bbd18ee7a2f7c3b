#include "platform/linux/DesktopLauncher.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "core/ArgumentWords.h"
#include "core/TextUtil.h"
#include "platform/linux/ChildProcess.h"
#include "platform/linux/DefaultApplication.h"

namespace vorbix {

namespace {

using Command = std::vector<std::string>;
using Commands = std::vector<Command>;

std::string expandHome(const std::string& path) {
    if (path == "~") return homeFolder();
    if (path.rfind("~/", 0) == 0) return homeFolder() + path.substr(1);
    return path;
}

// The program starts in another folder than this one and xdg-open in the home folder, so a
// relative path is made absolute against the folder it was checked in. An absolute path also
// never starts with "-", which a program would take for an option.
std::string absolutePath(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char* cwd = ::getcwd(nullptr, 0);
    if (!cwd) return path;
    std::string folder = cwd;
    std::free(cwd);
    return folder + (folder.back() == '/' ? "" : "/") + path;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string envOr(const char* name, const std::string& fallback = {}) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : fallback;
}

// The settings programs, per desktop and panel; the index is the SettingsPanel value.
struct DesktopSettings {
    const char* family;
    Commands panels[7];
};

Commands kdePanel(const char* module) {
    return {{"systemsettings", module},
            {"systemsettings5", module},
            {"kcmshell6", module},
            {"kcmshell5", module}};
}

const std::vector<DesktopSettings>& settingsTable() {
    static const std::vector<DesktopSettings> table = {
        {"GNOME",
         {{{"gnome-control-center"}},
          {{"gnome-control-center", "display"}},
          {{"gnome-control-center", "datetime"}},
          {{"gnome-control-center", "region"}},
          {{"gnome-control-center", "sound"}},
          {{"gnome-software"}, {"gnome-control-center", "applications"}},
          {{"gnome-control-center", "info-overview"}}}},
        {"KDE",
         {{{"systemsettings"}, {"systemsettings5"}},
          kdePanel("kcm_kscreen"),
          kdePanel("kcm_clock"),
          kdePanel("kcm_regionandlang"),
          kdePanel("kcm_pulseaudio"),
          {{"plasma-discover"}},
          {{"kinfocenter"}}}},
        {"XFCE",
         {{{"xfce4-settings-manager"}},
          {{"xfce4-display-settings"}},
          {{"time-admin"}},
          {},
          {{"pavucontrol"}, {"xfce4-mixer"}},
          {},
          {{"xfce4-about"}}}},
        {"Cinnamon",
         {{{"cinnamon-settings"}},
          {{"cinnamon-settings", "display"}},
          {{"cinnamon-settings", "calendar"}},
          {{"cinnamon-settings", "language"}},
          {{"cinnamon-settings", "sound"}},
          {{"mintinstall"}},
          {{"cinnamon-settings", "info"}}}},
        {"MATE",
         {{{"mate-control-center"}},
          {{"mate-display-properties"}},
          {{"time-admin"}},
          {},
          {{"mate-volume-control"}},
          {},
          {}}},
        {"LXQt",
         {{{"lxqt-config"}},
          {{"lxqt-config-monitor"}},
          {},
          {{"lxqt-config-locale"}},
          {{"pavucontrol-qt"}, {"pavucontrol"}},
          {},
          {}}},
    };
    return table;
}

void appendUnique(Commands& out, const Commands& more) {
    for (const auto& c : more)
        if (std::find(out.begin(), out.end(), c) == out.end()) out.push_back(c);
}

}  // namespace

std::string currentDesktopFamily(const std::string& xdgCurrentDesktop) {
    size_t start = 0;
    while (start <= xdgCurrentDesktop.size()) {
        size_t end = xdgCurrentDesktop.find(':', start);
        if (end == std::string::npos) end = xdgCurrentDesktop.size();
        std::string name = xdgCurrentDesktop.substr(start, end - start);
        if (startsWithIgnoreCase(name, "X-")) name = name.substr(2);
        if (equalsIgnoreCase(name, "Unity") || equalsIgnoreCase(name, "Budgie")) name = "GNOME";
        if (equalsIgnoreCase(name, "Plasma")) name = "KDE";
        for (const auto& desktop : settingsTable())
            if (equalsIgnoreCase(name, desktop.family)) return desktop.family;
        start = end + 1;
    }
    return {};
}

std::vector<std::vector<std::string>> settingsCommands(const std::string& family,
                                                       SettingsPanel panel) {
    const size_t index = static_cast<size_t>(panel);
    Commands result;
    for (const auto& desktop : settingsTable()) {
        if (family != desktop.family) continue;
        appendUnique(result, desktop.panels[index]);
        appendUnique(result, desktop.panels[0]);
    }
    // Any desktop: the panel of whichever settings program is installed, then common tools.
    for (const auto& desktop : settingsTable()) appendUnique(result, desktop.panels[index]);
    if (panel == SettingsPanel::Sound) appendUnique(result, {{"pavucontrol"}});
    if (panel == SettingsPanel::Software)
        appendUnique(result, {{"gnome-software"}, {"plasma-discover"}, {"synaptic-pkexec"}});
    for (const auto& desktop : settingsTable()) appendUnique(result, desktop.panels[0]);
    return result;
}

bool looksLikeAddress(const std::string& text) {
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2) return false;
    if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (size_t i = 1; i < colon; ++i) {
        char c = text[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

void DesktopLauncher::setLateFailureHandler(LateFailureHandler handler) {
    std::lock_guard lock(late_->mutex);
    late_->handler = std::move(handler);
}

ChildExitHandler DesktopLauncher::failureOnError(std::string program, LaunchError kind,
                                                 std::string subject) {
    const auto started = std::chrono::steady_clock::now();
    return [late = late_, started, program = std::move(program), kind,
            subject = std::move(subject)](int status) {
        if (status == 0 || std::chrono::steady_clock::now() - started > kLateFailureWindow) return;
        std::string why = program + " ended with status " + std::to_string(status);
        if (program == "xdg-open") {
            // The statuses xdg-open documents.
            static const char* const kMeaning[] = {"", "bad arguments", "no such file",
                                                   "a required tool is missing",
                                                   "the action failed"};
            if (status >= 1 && status <= 4) why += std::string(" (") + kMeaning[status] + ")";
            why += " opening " + subject;
        }
        std::lock_guard lock(late->mutex);
        if (late->handler) late->handler(LaunchResult::failure(why, kind, subject));
    };
}

LaunchResult DesktopLauncher::spawn(const std::vector<std::string>& argv,
                                    const std::string& workingDirectory, WindowMode mode,
                                    ChildExitHandler onExit) {
    SpawnResult started = spawnDetached(argv, workingDirectory, std::move(onExit));
    if (!started.ok())
        return LaunchResult::failure(
            "Could not start " + argv[0] + ": " + std::strerror(started.error),
            LaunchError::StartFailed, argv[0]);
    lastStarted_ = started.pid;
    if (mode != WindowMode::Normal && applier_) applier_(started.pid, mode);
    return LaunchResult::success();
}

LaunchResult DesktopLauncher::openWithXdgOpen(const std::string& target, WindowMode mode) {
    std::string xdgOpen = findProgram("xdg-open");
    if (xdgOpen.empty())
        return LaunchResult::failure("xdg-open is not installed", LaunchError::NoProgram);
    return spawn({xdgOpen, target}, homeFolder(), mode,
                 failureOnError("xdg-open", LaunchError::OpenFailed, target));
}

LaunchResult DesktopLauncher::startFirstFound(const Commands& candidates,
                                              const std::string& whatIsMissing) {
    for (const auto& command : candidates) {
        std::string program = findProgram(command[0]);
        if (program.empty()) continue;
        Command argv = command;
        argv[0] = program;
        return spawn(argv, homeFolder(), WindowMode::Normal,
                     failureOnError(command[0], LaunchError::StartFailed, command[0]));
    }
    return LaunchResult::failure(whatIsMissing, LaunchError::NoProgram);
}

std::string DesktopLauncher::resolveProgram(const std::string& program) {
    const std::string path = expandHome(trim(program));
    if (path.empty()) return {};
    std::string resolved =
        absolutePath(path.find('/') == std::string::npos ? findProgram(path) : path);
    struct stat st {};
    if (resolved.empty() || ::stat(resolved.c_str(), &st) != 0) return {};
    return resolved;
}

std::string DesktopLauncher::resolveFolder(const std::string& location) {
    const std::string target = absolutePath(expandHome(trim(location)));
    struct stat st {};
    if (target.empty() || ::stat(target.c_str(), &st) != 0) return {};
    return target;
}

bool DesktopLauncher::canFind(const std::string& path, bool folder) const {
    if (!folder) return !resolveProgram(path).empty();
    // Addresses go to xdg-open as they are.
    const std::string target = trim(path);
    if (looksLikeAddress(target) || startsWithIgnoreCase(target, "www.")) return true;
    return !resolveFolder(target).empty();
}

LaunchResult DesktopLauncher::startProgram(const std::string& program,
                                           const std::string& parameters, WindowMode mode) {
    const std::string path = expandHome(trim(program));
    if (path.empty()) return LaunchResult::failure("No program is set", LaunchError::NotSet);
    const std::string resolved = resolveProgram(program);
    if (resolved.empty())
        return LaunchResult::failure("Program not found: " + path, LaunchError::NotFound, path);
    struct stat st {};
    ::stat(resolved.c_str(), &st);
    // What the Windows shell does with a folder or a document: open it with its program.
    if (S_ISDIR(st.st_mode)) return openWithXdgOpen(resolved, mode);
    if (::access(resolved.c_str(), X_OK) != 0) return openWithXdgOpen(resolved, mode);
    std::vector<std::string> argv{resolved};
    for (auto& word : splitArgumentWords(parameters)) argv.push_back(std::move(word));
    return spawn(argv, folderOf(resolved), mode);
}

LaunchResult DesktopLauncher::openLocation(const std::string& location, WindowMode mode) {
    std::string target = trim(location);
    if (target.empty())
        return LaunchResult::failure("No address or folder is set", LaunchError::NotSet);
    if (looksLikeAddress(target)) return openWithXdgOpen(target, mode);
    if (startsWithIgnoreCase(target, "www.")) return openWithXdgOpen("http://" + target, mode);
    target = resolveFolder(target);
    if (target.empty())
        return LaunchResult::failure("Folder not found: " + location, LaunchError::NotFound,
                                     location);
    return openWithXdgOpen(target, mode);
}

LaunchResult DesktopLauncher::openTerminal() {
    Commands candidates;
    std::string own = envOr("TERMINAL");
    if (!own.empty()) candidates.push_back({own});
    for (const char* name :
         {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "mate-terminal",
          "lxterminal", "qterminal", "tilix", "terminator", "alacritty", "kitty", "urxvt", "xterm"})
        candidates.push_back({name});
    return startFirstFound(candidates, "No terminal program found");
}

LaunchResult DesktopLauncher::openWebBrowser() {
    Commands candidates;
    // $BROWSER is a ":"-separated list of commands; a "%s" stands for the address.
    std::string browsers = envOr("BROWSER");
    size_t start = 0;
    while (start < browsers.size()) {
        size_t end = browsers.find(':', start);
        if (end == std::string::npos) end = browsers.size();
        Command command;
        for (auto& word : splitArgumentWords(browsers.substr(start, end - start)))
            if (word.find("%s") == std::string::npos) command.push_back(std::move(word));
        if (!command.empty()) candidates.push_back(command);
        start = end + 1;
    }
    // Then the browser the desktop has as its default for web addresses.
    for (const char* type : {"x-scheme-handler/http", "x-scheme-handler/https", "text/html"}) {
        Command command = defaultApplicationCommand(type);
        if (!command.empty()) {
            candidates.push_back(std::move(command));
            break;
        }
    }
    for (const char* name :
         {"x-www-browser", "firefox", "firefox-esr", "chromium", "chromium-browser",
          "google-chrome", "microsoft-edge", "epiphany-browser", "falkon", "konqueror"})
        candidates.push_back({name});
    return startFirstFound(candidates, "No web browser found");
}

LaunchResult DesktopLauncher::openMailProgram() {
    return openWithXdgOpen("mailto:", WindowMode::Normal);
}

LaunchResult DesktopLauncher::openSettings(SettingsPanel panel) {
    std::string family = currentDesktopFamily(envOr("XDG_CURRENT_DESKTOP"));
    return startFirstFound(settingsCommands(family, panel),
                           "No settings program found for this desktop");
}

}  // namespace vorbix
