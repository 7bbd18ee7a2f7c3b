// Whether a file is what it is about to be loaded as: a hot key table, a configuration or a
// language file. Every load reads the whole file first and asks here; a file that is not of its
// kind (a program, random bytes, a picture, a file far larger than any table) is refused before
// anything in memory or on disk changes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "storage/AtomicFile.h"

namespace vorbix {

enum class FileKind { HotKeys, Config, Language };

enum class FileRefusal {
    None,
    TooLarge,        // larger than kLargestLoadedFile
    Binary,          // a NUL character, or more than one control character in a hundred
    NotText,         // a byte-order mark whose encoding the rest of the bytes break
    NoKnownSection,  // text, but no section its kind has
};

// No table, configuration or language file comes near this size.
inline constexpr std::uintmax_t kLargestLoadedFile = 16u * 1024u * 1024u;

// The verdict on the bytes of a file to be loaded as `kind`.
FileRefusal checkFileKind(std::string_view bytes, FileKind kind);

struct KindCheckedFile {
    bool missing = false;  // no file at the path (not a refusal: what that means is the caller's)
    std::string error;     // the system's message when the file exists but cannot be read
    FileRefusal refusal = FileRefusal::None;
    std::string bytes;  // the whole file when it was read and not refused

    bool usable() const { return !missing && error.empty() && refusal == FileRefusal::None; }
};

// Reads the whole file and checks it; a file larger than kLargestLoadedFile (or anything that is
// not a regular file) is refused without being read.
KindCheckedFile readFileOfKind(const std::string& path, FileKind kind);

// Keeps the file at `path` as `path` + ".bak": one generation, written atomically, readable by the
// user only. No file at `path`: nothing to keep, and an older ".bak" stays.
FileResult keepBackup(const std::string& path);

// Moves a file that the program's own reading refused out of the way, to `path` + ".refused"
// (replacing an older one), so that the program's next write does not destroy it.
FileResult setAsideRefusedFile(const std::string& path);

// The key of section "Main" of the language files that says why a file was refused.
std::string_view fileRefusalTextKey(FileRefusal refusal);
// The key of section "Main" that says a file is not of `kind` ("%s" stands for its path); none
// for language files, whose refusal only the diagnostics tell.
std::string_view notOfKindTextKey(FileKind kind);
// The reason in English, for diagnostics and the command-line tool.
std::string_view fileRefusalReason(FileRefusal refusal);

}  // namespace vorbix
