// The configuration file from arbitrary bytes: every typed read must accept anything, and what
// is read must survive a write-back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/TextUtil.h"
#include "storage/Colors.h"
#include "storage/ConfigFile.h"
#include "storage/TextCodec.h"

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorbix;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Colour and integer notation on the raw text.
    if (const std::optional<ColorValue> color = colorFromString(bytes)) {
        check(colorFromString(colorToString(*color)) == color);
    }
    if (const std::optional<int32_t> number = parseInteger(bytes)) {
        check(parseInteger(std::to_string(*number)) == number);
    }
    (void)schemeIndexFromValue(bytes, "Benutzerdefiniert");

    // The file: typed reads of every key it holds, then a write-back that keeps every value.
    ConfigFile file = ConfigFile::fromBytes("fuzz.ini", bytes);
    for (const IniFile::Section& section : file.ini().sections()) {
        for (const IniFile::Line& line : section.lines) {
            if (!line.hasValue) continue;
            (void)file.readInteger(section.name, line.key, 7);
            (void)file.readColor(section.name, line.key, kClNone);
        }
    }
    (void)file.read(config::kCol0, 144);
    (void)file.read(config::kColor2);

    ConfigFile changed = file;
    changed.writeColor(config::kSettings, "Color1", file.read(config::kColor1));
    changed.writeInteger(config::kSettings, "Col1", file.read(config::kCol1, 120));
    const std::string written =
        encodeText(changed.ini().serialize(IniStyle::Config), changed.ini().encoding());
    const ConfigFile reread = ConfigFile::fromBytes("fuzz.ini", written);
    for (const IniFile::Section& section : changed.ini().sections()) {
        for (const IniFile::Line& line : section.lines) {
            if (!line.hasValue) continue;
            check(reread.value(section.name, line.key) == changed.value(section.name, line.key));
        }
    }
    check(reread.read(config::kColor1) == file.read(config::kColor1));
    return 0;
}
