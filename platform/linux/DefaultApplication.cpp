#include "platform/linux/DefaultApplication.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/ArgumentWords.h"
#include "core/TextUtil.h"
#include "platform/linux/ChildProcess.h"

namespace vorbix {

namespace {

std::string envOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

std::vector<std::string> folderList(const char* name, const std::string& fallback) {
    std::vector<std::string> folders;
    const std::string list = envOr(name, fallback);
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        if (end > start) folders.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

std::string dataHome() {
    return envOr("XDG_DATA_HOME", homeFolder() + "/.local/share");
}

// The value of `key` in section `section` of a desktop-style file; empty when missing.
std::string valueIn(const std::string& path, std::string_view section, std::string_view key) {
    std::ifstream in(path);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        const std::string text = trim(line);
        if (text.empty() || text[0] == '#') continue;
        if (text.front() == '[') {
            inSection = text == "[" + std::string(section) + "]";
            continue;
        }
        if (!inSection) continue;
        const size_t eq = text.find('=');
        if (eq != std::string::npos && trim(text.substr(0, eq)) == key)
            return trim(text.substr(eq + 1));
    }
    return {};
}

// The installed desktop entry of an id, where the applications folders hold it.
std::string desktopEntryPath(const std::string& id) {
    if (id.empty() || id.find('/') != std::string::npos) return {};
    std::vector<std::string> folders{dataHome()};
    for (const std::string& f : folderList("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        folders.push_back(f);
    for (const std::string& folder : folders) {
        const std::string path = folder + "/applications/" + id;
        if (std::ifstream(path).good()) return path;
    }
    return {};
}

// The command of a desktop entry: its Exec words when the entry is an application that is not
// hidden and whose program is installed.
std::vector<std::string> entryCommand(const std::string& path) {
    constexpr std::string_view kEntry = "Desktop Entry";
    if (valueIn(path, kEntry, "Hidden") == "true") return {};
    const std::string tryExec = valueIn(path, kEntry, "TryExec");
    if (!tryExec.empty() && findProgram(tryExec).empty()) return {};
    std::vector<std::string> words = desktopExecWords(valueIn(path, kEntry, "Exec"));
    if (words.empty() || findProgram(words[0]).empty()) return {};
    return words;
}

}  // namespace

std::vector<std::string> desktopExecWords(std::string_view exec) {
    std::vector<std::string> words;
    for (std::string& word : splitArgumentWords(exec)) {
        std::string out;
        bool fieldOnly = false;
        for (size_t i = 0; i < word.size(); ++i) {
            if (word[i] != '%' || i + 1 >= word.size()) {
                out += word[i];
                continue;
            }
            const char code = word[++i];
            if (code == '%') {
                out += '%';
            } else if (word.size() == 2) {
                fieldOnly = true;  // a word that is a field code alone goes away
            }
        }
        if (!fieldOnly) words.push_back(std::move(out));
    }
    return words;
}

std::vector<std::string> defaultApplicationCommand(std::string_view mimeType) {
    const std::string configHome = envOr("XDG_CONFIG_HOME", homeFolder() + "/.config");
    std::vector<std::string> lists{configHome + "/mimeapps.list"};
    for (const std::string& f : folderList("XDG_CONFIG_DIRS", "/etc/xdg"))
        lists.push_back(f + "/mimeapps.list");
    lists.push_back(dataHome() + "/applications/mimeapps.list");
    for (const std::string& f : folderList("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        lists.push_back(f + "/applications/mimeapps.list");
    for (const std::string& list : lists) {
        const std::string ids = valueIn(list, "Default Applications", mimeType);
        std::istringstream in(ids);
        std::string id;
        while (std::getline(in, id, ';')) {
            const std::string path = desktopEntryPath(trim(id));
            if (path.empty()) continue;
            std::vector<std::string> command = entryCommand(path);
            if (!command.empty()) return command;
        }
    }
    return {};
}

}  // namespace vorbix
