// What the window control remembers about the windows it hid: the rules for matching titles
// against keywords, and the small file in the data folder that keeps the hidden windows across
// a crash. Plain C++ (no X11), so the rules are tested on their own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/AtomicFile.h"

namespace vorbix {

struct HiddenWindow {
    uint64_t id = 0;    // the X11 window id
    int64_t pid = 0;    // the owner's process id, 0 when it did not say
    std::string title;  // the title when it was hidden, one line
    bool operator==(const HiddenWindow&) const = default;
};

// Whether the title contains one of the keywords, letter case ignored. Empty keywords match
// nothing (they would otherwise match every window).
bool titleMatchesAny(std::string_view title, const std::vector<std::string>& keywords);

// The file text: one line per window, "id<TAB>pid<TAB>title". Control characters in a title
// become blanks, so a title never breaks the line structure.
std::string formatHiddenWindows(const std::vector<HiddenWindow>& windows);
// Reads the file text back; lines that do not parse (garbage, id 0, duplicates) are skipped.
std::vector<HiddenWindow> parseHiddenWindows(std::string_view text);

// The file in the data folder. An empty list removes the file.
class HiddenWindowFile {
public:
    explicit HiddenWindowFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }
    // The windows listed in the file; empty when there is none (or no path).
    std::vector<HiddenWindow> load() const;
    FileResult save(const std::vector<HiddenWindow>& windows) const;

private:
    std::string path_;
};

}  // namespace vorbix
