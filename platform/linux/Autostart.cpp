#include "platform/linux/Autostart.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

#include "core/TextUtil.h"
#include "storage/StorageLocations.h"

namespace vorbix {

namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";
constexpr std::string_view kEnv = "env";

// The escapes of a desktop entry's string values: \s \n \t \r \\.
std::string unescapeValue(std::string_view value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out.push_back(value[i]);
            continue;
        }
        char next = value[++i];
        switch (next) {
            case 's':
                out.push_back(' ');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case '\\':
                out.push_back('\\');
                break;
            default:
                out.push_back('\\');
                out.push_back(next);
        }
    }
    return out;
}

std::string escapeValue(std::string_view value) {
    std::string out;
    for (char c : value) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

// One argument of an Exec line: "%%" is a percent sign, other field codes ("%f", "%U", ...) are
// dropped; false when nothing but field codes was there.
bool expandFieldCodes(std::string& arg) {
    std::string out;
    bool onlyCodes = !arg.empty();
    for (size_t i = 0; i < arg.size(); ++i) {
        if (arg[i] == '%' && i + 1 < arg.size()) {
            if (arg[i + 1] == '%') {
                out.push_back('%');
                onlyCodes = false;
            }
            ++i;
            continue;
        }
        out.push_back(arg[i]);
        onlyCodes = false;
    }
    arg = out;
    return !onlyCodes;
}

// The arguments of an Exec line (after the string escapes are undone).
std::vector<std::string> splitExec(std::string_view exec) {
    std::vector<std::string> args;
    std::string arg;
    bool inArg = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        char c = exec[i];
        if (c == ' ' || c == '\t') {
            if (inArg && expandFieldCodes(arg)) args.push_back(arg);
            arg.clear();
            inArg = false;
        } else if (c == '"') {
            inArg = true;
            for (++i; i < exec.size() && exec[i] != '"'; ++i) {
                if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
                arg.push_back(exec[i]);
            }
        } else {
            inArg = true;
            arg.push_back(c);
        }
    }
    if (inArg && expandFieldCodes(arg)) args.push_back(arg);
    return args;
}

std::string quoteExecArg(std::string_view arg) {
    static constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string out;
    bool quote = arg.empty() || arg.find_first_of(kReserved) != std::string_view::npos;
    if (quote) out.push_back('"');
    for (char c : arg) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out.push_back('\\');
        out.push_back(c);
        if (c == '%') out.push_back('%');
    }
    if (quote) out.push_back('"');
    return out;
}

// The program and its arguments named by a Run value: a quoted path followed by arguments, or a
// path on its own. A Linux path may itself hold double quotes, and the arguments never do, so the
// path ends at the last quote of the value.
std::vector<std::string> argsOfValue(std::string_view value) {
    std::string text = trim(value);
    if (text.empty()) return {};
    if (text[0] != '"') return {text};
    size_t close = text.rfind('"');
    if (close == 0) close = std::string::npos;
    if (close == std::string::npos) return {text.substr(1)};
    std::vector<std::string> args{text.substr(1, close - 1)};
    std::string rest = text.substr(close + 1);
    size_t start = 0;
    while (start < rest.size()) {
        size_t end = rest.find_first_of(" \t", start);
        if (end == std::string::npos) end = rest.size();
        if (end > start) args.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

}  // namespace

std::string autostartFilePath() {
    std::string data = DataFolder();  // <config home>/Vorbix/
    std::string configHome = data.substr(0, data.size() - kDataFolderName.size() - 1);
    return configHome + "autostart/vorbix.desktop";
}

std::optional<std::string> readAutostartValue(const std::string& file) {
    std::optional<std::string> text = readWholeFile(file);
    if (!text) return std::nullopt;
    std::optional<std::string> exec;
    bool inGroup = false;
    size_t start = 0;
    while (start < text->size()) {
        size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string line = trim(std::string_view(*text).substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inGroup = line == kGroup;
            continue;
        }
        size_t eq = line.find('=');
        if (!inGroup || eq == std::string::npos) continue;
        std::string key = trim(std::string_view(line).substr(0, eq));
        std::string value = trim(std::string_view(line).substr(eq + 1));
        if (key == "Exec" && !exec) exec = unescapeValue(value);
        if (key == "Hidden" && value == "true") return std::nullopt;
        if (key == "X-GNOME-Autostart-enabled" && value == "false") return std::nullopt;
    }
    if (!exec) return std::nullopt;
    std::vector<std::string> args = splitExec(*exec);
    if (args.size() >= 2 && args[0] == kEnv && args[1].find('=') == std::string::npos)
        args.erase(args.begin());
    if (args.empty()) return std::nullopt;
    if (args.size() == 1) return args[0];
    std::string value = "\"" + args[0] + "\"";
    for (size_t i = 1; i < args.size(); ++i) value += " " + args[i];
    return value;
}

FileResult writeAutostartValue(const std::optional<std::string>& value, const std::string& file) {
    std::vector<std::string> args = value ? argsOfValue(*value) : std::vector<std::string>{};
    if (args.empty()) {
        if (::unlink(file.c_str()) != 0 && errno != ENOENT)
            return {false, file + ": " + std::strerror(errno)};
        return {};
    }
    // Launchers built on GLib look for the program before they undo "%%", so a program whose
    // path holds "%" is started through env, which they find; env would take a path with "=" for
    // a variable, so such a path cannot be started at all.
    if (args[0].find('%') != std::string::npos) {
        if (args[0].find('=') != std::string::npos)
            return {false, args[0] +
                               ": a program path with both \"%\" and \"=\" cannot be "
                               "started from an autostart entry"};
        args.insert(args.begin(), std::string(kEnv));
    }
    std::string exec;
    for (const auto& arg : args) exec += (exec.empty() ? "" : " ") + quoteExecArg(arg);
    const std::string entry = std::string(kGroup) +
                              "\n"
                              "Type=Application\n"
                              "Name=Vorbix\n"
                              "Comment=System-wide hot keys\n"
                              "Exec=" +
                              escapeValue(exec) +
                              "\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n";
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    if (ec) return {false, folder.string() + ": " + ec.message()};
    return writeFileAtomically(file, entry);
}

}  // namespace vorbix
