#include "storage/LanguageFile.h"

#include "storage/LanguageKeys.h"

namespace vorbix {

std::string LanguageFile::pathFor(std::string_view programFolder, std::string_view language) {
    std::string path(programFolder);
    if (!path.empty() && path.back() != '/') path += '/';
    path += "System/Localization/";
    path += language == kEnglish ? "English.lng" : "German.lng";
    return path;
}

LanguageFile LanguageFile::load(const std::string& path) {
    LanguageFile file;
    std::string error;
    if (std::optional<IniFile> ini = IniFile::load(path, &error)) {
        file.ini_ = std::move(*ini);
    } else {
        file.error_ = error.empty() ? path + ": cannot be read" : error;
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

}  // namespace vorbix
