// The INI engine on arbitrary bytes: decoding, parsing and writing accept anything, writing is
// stable (what was written reads back to the same text) and no character is lost on the way.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/TextUtil.h"
#include "storage/IniFile.h"
#include "storage/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorbix;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const DecodedText decoded = decodeText(bytes);
    // The decoded text goes back into its own encoding without loss.
    TextEncoding used{};
    const std::string encoded = encodeText(decoded.text, decoded.encoding, &used);
    if (used != decoded.encoding || decodeText(encoded).text != decoded.text) __builtin_trap();

    IniFile ini = IniFile::parse(decoded.text);
    for (IniStyle style : {IniStyle::HotKeys, IniStyle::Config}) {
        const std::string once = ini.serialize(style);
        if (IniFile::parse(once).serialize(style) != once) __builtin_trap();
    }
    // Lookups and edits on whatever was read.
    for (const IniFile::Section& s : ini.sections()) {
        for (const IniFile::Line& line : s.lines) {
            // The first of two equal sections counts, so a later one's keys may not be found.
            if (line.hasValue && !ini.value(s.name, line.key) && &s == &ini.sections().front()) {
                __builtin_trap();
            }
        }
    }
    ini.writeString("General", "Count", decoded.text.substr(0, 40));
    const std::string edited = ini.serialize(IniStyle::Config);
    // Values are trimmed on reading, so a value comes back trimmed.
    if (IniFile::parse(edited).readString("General", "Count") !=
        trim(ini.readString("General", "Count"))) {
        __builtin_trap();
    }
    return 0;
}
