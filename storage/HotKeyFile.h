// The hot key file (.hkv): the table as INI-style text, one section "Hot Key<n>" per row with the
// key text, the action caption and the keys of the row's action kind, and section "General" with
// the row count. What is read and written for a row depends on the kind its caption names, in the
// current language or any other the program knows; a row whose caption no language knows keeps
// its section as read.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/HotKeyTable.h"
#include "core/LanguageCatalogue.h"
#include "core/LanguageTexts.h"
#include "storage/AtomicFile.h"
#include "storage/InsertTextPieces.h"
#include "storage/TextCodec.h"

namespace vorbix {

// What the first run writes: an empty table.
inline constexpr std::string_view kEmptyHotKeyFile = "[General]\r\nCount=0\r\n";

struct LoadOptions {
    // Rewrites the file in normalised form (trimmed lines, comments and stray lines dropped) in
    // the encoding it was read in. Skipped when the file already is in that form, and when it
    // holds bytes its encoding cannot decode (malformed UTF-8 or UTF-16), which a rewrite would
    // lose.
    bool writeBack = true;
    // The words of every language (null: those built into the program).
    const LanguageCatalogue* languages = nullptr;
    // Leaves the properties text of insert-text rows to completeTextDigest: a digest reads the
    // whole formatted text, which a program starting with a full table does after it has
    // registered its hot keys. Such rows carry TextDigestPending.
    bool deferTextDigests = false;
    // The file's bytes when the caller has read them already (to check the kind of file): the
    // file is then not read again, only written back to.
    const std::string* bytes = nullptr;
};

struct LoadResult {
    // False when the file exists but cannot be read; the table and the file are then untouched.
    bool ok = true;
    std::string error;     // the system's message when !ok
    bool missing = false;  // no file at the path: nothing loaded, nothing written
    size_t rowsLoaded = 0;
    // Rows the file names beyond what the table can still take (it holds at most 256).
    size_t rowsLeftOut = 0;
    TextEncoding encoding = TextEncoding::Windows1252;
    // The outcome of the write-back; the rows are loaded whether or not it succeeded.
    FileResult writeBack;

    explicit operator bool() const { return ok; }
};

// Appends the rows of the file to the table (up to its capacity). Registration of the rows is
// left to the caller. `texts` are those of the current language: their placeholders stand for
// values that are missing.
LoadResult LoadHotKeys(const std::string& path, HotKeyTable& table, const LanguageTexts& texts,
                       const DeviceIdSource& defaultDeviceId, LoadOptions options = {});

// The properties text of an insert-text row whose digest was left for later (a placeholder
// when the text is empty); nothing for any other row.
void completeTextDigest(HotKeyEntry& row, const LanguageTexts& texts);

// The same on the bytes of a file; never writes anything.
LoadResult loadHotKeysFromBytes(std::string_view bytes, HotKeyTable& table,
                                const LanguageTexts& texts, const DeviceIdSource& defaultDeviceId,
                                const LanguageCatalogue* languages = nullptr);

// The bytes the write-back of LoadHotKeys writes for a file with these bytes.
std::string normalizedHotKeyFile(std::string_view bytes);

// The file text (UTF-8, CR LF) for the table.
std::string hotKeyFileText(const HotKeyTable& table, const LanguageTexts& texts,
                           const DeviceIdSource& defaultDeviceId,
                           const LanguageCatalogue* languages = nullptr);

// Writes the whole table to the path, replacing what was there, atomically: on failure the old
// file stays and the system's message is returned. A file that exists keeps its encoding (UTF-8
// or UTF-16 with a byte-order mark, UTF-8 without one) unless the options name one; otherwise
// the text is written in Windows-1252 when every character fits, else as UTF-8 with a
// byte-order mark. A new file is
// readable by the user only: the table holds personal texts.
struct SaveOptions {
    // The words of every language (null: those built into the program).
    const LanguageCatalogue* languages = nullptr;
    // The encoding to write in, in place of that of the file at the path.
    std::optional<TextEncoding> encoding = std::nullopt;
};

FileResult SaveHotKeys(const std::string& path, const HotKeyTable& table,
                       const LanguageTexts& texts, const DeviceIdSource& defaultDeviceId,
                       const SaveOptions& options = {});

}  // namespace vorbix
