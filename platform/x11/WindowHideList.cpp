#include "platform/x11/WindowHideList.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

std::string oneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    }
    return out;
}

bool parseUnsigned(std::string_view text, uint64_t& value) {
    if (text.empty() || text.size() > 19) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

}  // namespace

bool titleMatchesAny(std::string_view title, const std::vector<std::string>& keywords) {
    const std::string folded = foldCase(title);
    for (const auto& keyword : keywords) {
        if (keyword.empty()) continue;
        if (folded.find(foldCase(keyword)) != std::string::npos) return true;
    }
    return false;
}

std::string formatHiddenWindows(const std::vector<HiddenWindow>& windows) {
    std::string out;
    for (const auto& w : windows) {
        out += std::to_string(w.id);
        out += '\t';
        out += std::to_string(w.pid);
        out += '\t';
        out += oneLine(w.title);
        out += '\n';
    }
    return out;
}

std::vector<HiddenWindow> parseHiddenWindows(std::string_view text) {
    std::vector<HiddenWindow> out;
    std::unordered_set<uint64_t> seen;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const size_t tab1 = line.find('\t');
        if (tab1 == std::string_view::npos) continue;
        const size_t tab2 = line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos) continue;
        uint64_t id = 0;
        uint64_t pid = 0;
        if (!parseUnsigned(line.substr(0, tab1), id) || id == 0 || id > UINT32_MAX) continue;
        if (!parseUnsigned(line.substr(tab1 + 1, tab2 - tab1 - 1), pid) || pid > INT32_MAX) {
            continue;
        }
        if (!seen.insert(id).second) continue;
        out.push_back({id, static_cast<int64_t>(pid), std::string(line.substr(tab2 + 1))});
    }
    return out;
}

std::vector<HiddenWindow> HiddenWindowFile::load() const {
    if (path_.empty() || !fileExists(path_)) return {};
    auto text = readWholeFile(path_);
    if (!text) return {};
    return parseHiddenWindows(*text);
}

FileResult HiddenWindowFile::save(const std::vector<HiddenWindow>& windows) const {
    if (path_.empty()) return {};
    if (windows.empty()) {
        if (std::remove(path_.c_str()) != 0 && errno != ENOENT) {
            return {false, path_ + ": " + std::strerror(errno)};
        }
        return {};
    }
    // The list names windows of the running X server: after a crash of the whole system they
    // are gone, so it is never worth waiting for the disk, which would delay every hide.
    WriteOptions options;
    options.flushToDisk = false;
    return writeFileAtomically(path_, formatHiddenWindows(windows), options);
}

}  // namespace vorbix
