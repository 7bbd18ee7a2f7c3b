// Whole-file reading and atomic writing. A write goes to a temporary file in the target's folder,
// is flushed to disk (unless the caller waives it) and then put in place of the target, so the
// target always holds either the old or the new content. The temporary is an unnamed file
// (O_TMPFILE) that vanishes with the process if it dies before the file is in place; only file
// systems that refuse unnamed files get a named temporary, and `removeStaleTemporaries` clears
// what a crash left of those.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorbix {

struct FileResult {
    bool ok = true;
    std::string error;  // the system's message, with the path, when !ok
    explicit operator bool() const { return ok; }
};

struct WriteOptions {
    // Permission bits of the written file. Unset: an existing file keeps its own, a new one gets
    // read and write for all less the user's file-creation mask.
    std::optional<unsigned> mode = std::nullopt;
    // With `mode` set: true applies it to a new file only (an existing file keeps its own
    // permissions), false applies it in any case.
    bool modeForNewFileOnly = true;
    // False always uses a named temporary file, as on file systems without unnamed files.
    bool unnamedTemporary = true;
    // False leaves the content in the page cache instead of flushing it to disk before and after
    // the rename: the write stays atomic for every process, but a crash of the whole system may
    // lose it. For files whose content means nothing after a restart of the system (the windows
    // of the running X session), on paths that must not wait for the disk.
    bool flushToDisk = true;
};

// Read and write for the user only: files that hold personal texts.
inline constexpr unsigned kPrivateFileMode = 0600;

// The whole file; nullopt with `error` set when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path, std::string* error = nullptr);

// Writes `bytes` to `path` atomically; on failure the old file stays and the system's message is
// returned. A symbolic link is followed to the file it names, which is replaced while the link
// stays, but only when the link and that file belong to the user the process runs as.
FileResult writeFileAtomically(const std::string& path, std::string_view bytes,
                               const WriteOptions& options = {});

// Removes the temporary files that writes into `folder` left behind when their process died
// between two steps: those no running write holds any more, and named ones only when they are
// older than a minute (a younger one may belong to a write that has just begun). Returns how many
// were removed.
size_t removeStaleTemporaries(const std::string& folder);
// True for the names the writer gives its temporary files.
bool isTemporaryFileName(std::string_view name);

bool fileExists(const std::string& path);
// "PATH: the system's message for err".
std::string systemErrorText(const std::string& path, int err);
bool directoryExists(const std::string& path);

}  // namespace vorbix
