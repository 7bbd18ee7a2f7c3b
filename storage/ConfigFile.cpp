#include "storage/ConfigFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "core/TextUtil.h"
#include "storage/StorageLocations.h"

namespace vorbix {

std::optional<ConfigFile> ConfigFile::open(const std::string& path, std::string* error) {
    std::string readError;
    std::optional<std::string> bytes = readWholeFile(path, &readError);
    if (!bytes) {
        // Missing reads as empty; anything else that cannot be read is an error.
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 || errno != ENOENT) {
            if (error) *error = readError;
            return std::nullopt;
        }
        return ConfigFile(path, IniFile{}, std::nullopt);
    }
    ConfigFile file = fromBytes(path, *bytes);
    file.bytes_ = std::move(bytes);
    return file;
}

ConfigFile ConfigFile::fromBytes(std::string path, std::string_view bytes) {
    DecodedText decoded = decodeText(bytes);
    IniFile ini = IniFile::parse(decoded.text);
    ini.setEncoding(decoded.encoding);
    return ConfigFile(std::move(path), std::move(ini), std::nullopt);
}

std::optional<std::string> ConfigFile::value(std::string_view section, std::string_view key) const {
    return ini_.value(section, key);
}

bool ConfigFile::has(std::string_view section, std::string_view key) const {
    return ini_.value(section, key).has_value();
}

std::string ConfigFile::readString(std::string_view section, std::string_view key,
                                   std::string_view fallback) const {
    return ini_.readString(section, key, fallback);
}

int32_t ConfigFile::readInteger(std::string_view section, std::string_view key,
                                int32_t fallback) const {
    const std::optional<std::string> v = ini_.value(section, key);
    return v ? parseIntegerOr(*v, fallback) : fallback;
}

ColorValue ConfigFile::readColor(std::string_view section, std::string_view key,
                                 ColorValue fallback) const {
    const std::optional<std::string> v = ini_.value(section, key);
    if (!v) return fallback;
    return colorFromString(*v).value_or(fallback);
}

std::string ConfigFile::read(const config::TextKey& key) const {
    return readString(key.section, key.name, key.fallback);
}

int32_t ConfigFile::read(const config::IntegerKey& key, int32_t ppi) const {
    const int32_t fallback = key.scaled ? ScaleToScreen(key.fallback, ppi) : key.fallback;
    return readInteger(key.section, key.name, fallback);
}

ColorValue ConfigFile::read(const config::ColorKey& key) const {
    return readColor(key.section, key.name, key.fallback);
}

void ConfigFile::writeString(std::string_view section, std::string_view key,
                             std::string_view value) {
    ini_.writeString(section, key, value);
}

void ConfigFile::writeInteger(std::string_view section, std::string_view key, int32_t value) {
    ini_.writeString(section, key, std::to_string(value));
}

void ConfigFile::writeFlag(std::string_view section, std::string_view key, bool on) {
    ini_.writeString(section, key, on ? config::kFlagOn : config::kFlagOff);
}

void ConfigFile::writeColor(std::string_view section, std::string_view key, ColorValue color) {
    ini_.writeString(section, key, colorToString(color));
}

void ConfigFile::erase(std::string_view section, std::string_view key) {
    ini_.eraseKey(section, key);
}

void ConfigFile::write(const config::TextKey& key, std::string_view value) {
    writeString(key.section, key.name, value);
}

void ConfigFile::write(const config::IntegerKey& key, int32_t value) {
    writeInteger(key.section, key.name, value);
}

void ConfigFile::write(const config::ColorKey& key, ColorValue color) {
    writeColor(key.section, key.name, color);
}

void ConfigFile::writeFlag(const config::TextKey& key, bool on) {
    writeFlag(key.section, key.name, on);
}

void ConfigFile::erase(const config::TextKey& key) {
    erase(key.section, key.name);
}

FileResult ConfigFile::save() const {
    const std::string bytes = encodeText(ini_.serialize(IniStyle::Config), ini_.encoding());
    if (bytes_ && *bytes_ == bytes) return {};
    return writeFileAtomically(path_, bytes);
}

FileResult writeConfigValue(const std::string& path, std::string_view section, std::string_view key,
                            std::string_view value) {
    std::string error;
    std::optional<ConfigFile> file = ConfigFile::open(path, &error);
    if (!file) return {false, error};
    file->writeString(section, key, value);
    return file->save();
}

}  // namespace vorbix
