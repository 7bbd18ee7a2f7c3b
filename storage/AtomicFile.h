// Whole-file reading and atomic writing: a write goes to a temporary file in the same folder,
// is flushed to disk and renamed over the target, so a failed write leaves the old file intact.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorbix {

struct FileResult {
    bool ok = true;
    std::string error;  // the system's message, with the path, when !ok
    explicit operator bool() const { return ok; }
};

// The whole file; nullopt with `error` set when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path, std::string* error = nullptr);
FileResult writeFileAtomically(const std::string& path, std::string_view bytes);
bool fileExists(const std::string& path);
// "PATH: the system's message for err".
std::string systemErrorText(const std::string& path, int err);
bool directoryExists(const std::string& path);

}  // namespace vorbix
