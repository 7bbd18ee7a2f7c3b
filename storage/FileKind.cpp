#include "storage/FileKind.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "core/TextUtil.h"
#include "storage/AtomicFile.h"
#include "storage/IniFile.h"
#include "storage/LanguageKeys.h"
#include "storage/TextCodec.h"

namespace vorbix {

namespace {

bool isTableSection(std::string_view name) {
    if (equalsIgnoreCase(name, "General")) return true;
    constexpr std::string_view kRowPrefix = "Hot Key";
    if (!startsWithIgnoreCase(name, kRowPrefix)) return false;
    const std::string_view number = name.substr(kRowPrefix.size());
    return !number.empty() &&
           std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isConfigSection(std::string_view name) {
    return equalsIgnoreCase(name, "Settings") || equalsIgnoreCase(name, "Misc") ||
           equalsIgnoreCase(name, "Insert Text");
}

bool isLanguageSection(std::string_view name) {
    return std::any_of(
        lang::languageSections().begin(), lang::languageSections().end(),
        [name](const lang::SectionKeys& s) { return equalsIgnoreCase(name, s.section); });
}

bool knowsSection(const IniFile& ini, FileKind kind) {
    const auto known = kind == FileKind::HotKeys  ? isTableSection
                       : kind == FileKind::Config ? isConfigSection
                                                  : isLanguageSection;
    return std::any_of(ini.sections().begin(), ini.sections().end(),
                       [known](const IniFile::Section& s) { return known(s.name); });
}

// Control characters other than tab and the line ends, in well-formed UTF-8; -1 for a NUL.
long controlCharacters(std::string_view text, size_t* characters) {
    long controls = 0;
    *characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) continue;  // inside a sequence
        ++*characters;
        if (byte == 0) return -1;
        if ((byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F) {
            ++controls;
        } else if (byte == 0xC2 && i + 1 < text.size()) {
            // U+0080..U+009F: the C1 controls, which is what the bytes Windows-1252 leaves
            // undefined decode to.
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F) ++controls;
        }
    }
    return controls;
}

}  // namespace

FileRefusal checkFileKind(std::string_view bytes, FileKind kind) {
    if (bytes.size() > kLargestLoadedFile) return FileRefusal::TooLarge;
    const DecodedText decoded = decodeText(bytes);
    size_t characters = 0;
    const long controls = controlCharacters(decoded.text, &characters);
    if (controls < 0 || static_cast<size_t>(controls) * 100 > characters)
        return FileRefusal::Binary;
    // Windows-1252 gives every byte a character and UTF-8 without a mark is taken only when it
    // is well-formed; with a mark, the bytes must be that encoding throughout.
    if (decoded.encoding != TextEncoding::Windows1252 && decoded.encoding != TextEncoding::Utf8 &&
        encodeText(decoded.text, decoded.encoding) != bytes) {
        return FileRefusal::NotText;
    }
    if (!knowsSection(IniFile::parse(decoded.text), kind)) return FileRefusal::NoKnownSection;
    return FileRefusal::None;
}

KindCheckedFile readFileOfKind(const std::string& path, FileKind kind) {
    KindCheckedFile file;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) {
            file.missing = true;
        } else {
            file.error = systemErrorText(path, errno);
        }
        return file;
    }
    if (!S_ISREG(st.st_mode)) {
        // A device or a pipe may never end; a folder is no file at all.
        file.error = systemErrorText(path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        return file;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > kLargestLoadedFile) {
        file.refusal = FileRefusal::TooLarge;
        return file;
    }
    std::optional<std::string> bytes = readWholeFile(path, &file.error);
    if (!bytes) return file;
    file.refusal = checkFileKind(*bytes, kind);
    if (file.refusal == FileRefusal::None) file.bytes = std::move(*bytes);
    return file;
}

FileResult keepBackup(const std::string& path) {
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(path, &error);
    if (!bytes) {
        if (!fileExists(path)) return {};
        return {false, error};
    }
    return writeFileAtomically(path + ".bak", *bytes,
                               WriteOptions{.mode = kPrivateFileMode, .modeForNewFileOnly = false});
}

FileResult setAsideRefusedFile(const std::string& path) {
    const std::string target = path + ".refused";
    if (std::rename(path.c_str(), target.c_str()) != 0)
        return {false, systemErrorText(path, errno)};
    return {};
}

std::string_view fileRefusalTextKey(FileRefusal refusal) {
    switch (refusal) {
        case FileRefusal::TooLarge:
            return "MessageFileTooLarge";
        case FileRefusal::Binary:
            return "MessageFileBinary";
        case FileRefusal::NotText:
            return "MessageFileNotText";
        case FileRefusal::NoKnownSection:
            return "MessageFileNoSection";
        case FileRefusal::None:
            break;
    }
    return {};
}

std::string_view notOfKindTextKey(FileKind kind) {
    switch (kind) {
        case FileKind::HotKeys:
            return "MessageNotHotKeyFile";
        case FileKind::Config:
            return "MessageNotConfigFile";
        case FileKind::Language:
            break;
    }
    return {};
}

std::string_view fileRefusalReason(FileRefusal refusal) {
    switch (refusal) {
        case FileRefusal::TooLarge:
            return "larger than 16 MB";
        case FileRefusal::Binary:
            return "binary data, not text";
        case FileRefusal::NotText:
            return "not text in an encoding that can be read";
        case FileRefusal::NoKnownSection:
            return "no section of its kind";
        case FileRefusal::None:
            break;
    }
    return {};
}

}  // namespace vorbix
