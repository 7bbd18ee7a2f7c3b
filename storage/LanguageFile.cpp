#include "storage/LanguageFile.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "storage/FileKind.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

std::string localizationFolder(std::string_view programFolder) {
    std::string path(programFolder);
    if (!path.empty() && path.back() != '/') path += '/';
    return path + "System/Localization/";
}

}  // namespace

std::string LanguageFile::pathFor(std::string_view programFolder, std::string_view language) {
    std::string path = localizationFolder(programFolder);
    path += language == kEnglish ? "English.lng" : "German.lng";
    return path;
}

LanguageFile LanguageFile::load(const std::string& path) {
    LanguageFile file;
    // Read whole first; a file that is no language file (a program, random bytes, another
    // kind of text) gives no texts rather than garbage for captions.
    KindCheckedFile read = readFileOfKind(path, FileKind::Language);
    if (read.missing) return file;
    if (!read.error.empty()) {
        file.error_ = std::move(read.error);
    } else if (read.refusal != FileRefusal::None) {
        file.error_ =
            path + ": not a language file (" + std::string(fileRefusalReason(read.refusal)) + ")";
    } else {
        const DecodedText decoded = decodeText(read.bytes);
        file.ini_ = IniFile::parse(decoded.text);
        file.ini_.setEncoding(decoded.encoding);
    }
    return file;
}

LanguageFile LanguageFile::load(std::string_view programFolder, std::string_view language) {
    return load(pathFor(programFolder, language));
}

LanguageFile LanguageFile::fromText(std::string_view text) {
    LanguageFile file;
    file.ini_ = IniFile::parse(text);
    return file;
}

std::string LanguageFile::text(std::string_view section, std::string_view key) const {
    return ini_.readString(section, key);
}

LanguageTexts LanguageFile::mainTexts(std::string_view language) const {
    return LanguageTexts::fromSection(
        language, [this](std::string_view key) { return text(lang::kMain, key); });
}

LanguageWords LanguageFile::storedWords(std::string_view language) const {
    LanguageWords words;
    words.main = mainTexts(language);
    for (size_t i = 0; i < kBrowserCommandCount; ++i) {
        words.browserCommands[i] = text(lang::kControlBrowser, "Combobox1Item" + std::to_string(i));
    }
    // Entries 1 and 2 of the media list are not translated; 3 and 4 have keys Item2, Item3.
    words.mediaCommands = {"Play/Pause", "Stop", text(lang::kControlAudioVideo, "Combobox1Item2"),
                           text(lang::kControlAudioVideo, "Combobox1Item3")};
    words.mute = text(lang::kAdjustVolume, "Mute");
    return words;
}

LanguageCatalogue LanguageFile::loadCatalogue(std::string_view programFolder) {
    namespace fs = std::filesystem;
    const std::string folder = localizationFolder(programFolder);
    std::vector<std::string> languages = {std::string(kGerman), std::string(kEnglish)};
    std::vector<std::string> further;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        if (file.extension() != ".lng") continue;
        const std::string name = file.stem().string();
        if (std::find(languages.begin(), languages.end(), name) == languages.end()) {
            further.push_back(name);
        }
    }
    std::sort(further.begin(), further.end());
    languages.insert(languages.end(), further.begin(), further.end());

    LanguageCatalogue catalogue;
    for (const std::string& language : languages) {
        const std::string path = folder + language + ".lng";
        if (!fileExists(path)) continue;
        const LanguageFile file = load(path);
        if (!file.error().empty()) continue;
        catalogue.add(file.storedWords(language));
    }
    return catalogue;
}

}  // namespace vorbix
