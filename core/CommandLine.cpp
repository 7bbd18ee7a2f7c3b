#include "core/CommandLine.h"

#include <algorithm>
#include <array>

namespace vorbix {

namespace {

// Options that Qt takes out of the command line itself (QGuiApplication, QApplication and the
// xcb platform), written with one dash or two. A session manager restarts the program with
// "-session ID"; "-display" and "-platform" are how people choose a screen.
constexpr std::array<std::string_view, 16> kToolkitOptionsWithValue = {
    "platform",    "platformpluginpath", "platformtheme",
    "plugin",      "qmljsdebugger",      "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",
    "style",       "stylesheet",         "display",
    "name",        "geometry",           "title",
    "icon"};
constexpr std::array<std::string_view, 5> kToolkitFlags = {"reverse", "widgetcount", "sync",
                                                           "nograb", "dograb"};

bool contains(const auto& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// "-name" or "--name" without the dashes; "" for a word that is no option ("-" and "--" too).
std::string_view optionName(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-' || arg == "--") return {};
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    return arg;
}

CommandLine refused(std::string error) {
    CommandLine line;
    line.mode = CommandLine::Mode::Refused;
    line.error = std::move(error);
    return line;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool firstWordSeen = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        const std::string_view name = optionsEnded ? std::string_view{} : optionName(arg);
        if (name.empty()) {
            if (!optionsEnded && arg == "--") {
                optionsEnded = true;
                continue;
            }
            if (!firstWordSeen) line.hidden = arg == "hide";
            firstWordSeen = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            if (line.mode == CommandLine::Mode::Run) line.mode = CommandLine::Mode::Help;
            continue;
        }
        if (arg == "--version") {
            if (line.mode == CommandLine::Mode::Run) line.mode = CommandLine::Mode::Version;
            continue;
        }
        const std::string_view bare = name.substr(0, name.find('='));
        if (contains(kToolkitOptionsWithValue, bare)) {
            if (bare.size() == name.size()) {
                if (i + 1 >= arguments.size()) return refused("option " + arg + " needs a value");
                ++i;
            }
            continue;
        }
        if (contains(kToolkitFlags, name)) continue;
        return refused("unknown option " + arg + " (see --help)");
    }
    return line;
}

std::string commandLineUsage(std::string_view programName) {
    const std::string name(programName);
    return "Usage: " + name + " [hide]\n" + "       " + name +
           " --help | --version\n"
           "\n"
           "Binds system-wide key combinations to ready-made actions. The program lives in the\n"
           "tray; its hot keys work in every other program while it runs.\n"
           "\n"
           "  hide        start in the tray without showing the main window\n"
           "  -h, --help  show this text and exit\n"
           "  --version   print the version and exit\n"
           "\n"
           "A second start shows the running program and ends at once. Qt's own options\n"
           "(-display, -platform, -session, -style, ...) are taken as Qt takes them.\n"
           "\n"
           "Files: HotKeys.hkv and Config.ini in $XDG_CONFIG_HOME/Vorbix/ (~/.config/Vorbix/);\n"
           "the machine-wide change policy in /etc/xdg/Vorbix/policy.ini.\n"
           "\n"
           "Exit status: 0 success, 1 the program could not run (no display, display lost,\n"
           "started as root with another user's folders), 2 bad command line.\n";
}

}  // namespace vorbix
