// The language file reader on arbitrary bytes: any file gives texts, the words rows store are
// recognised again by a catalogue made of them, and a lookup never fails.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/LanguageCatalogue.h"
#include "storage/LanguageFile.h"
#include "storage/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorbix;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const LanguageFile file = LanguageFile::fromText(decodeText(bytes).text);
    const LanguageWords words = file.storedWords("Fuzz");
    LanguageCatalogue catalogue;
    catalogue.add(words);

    // Every non-empty caption names a kind again (the first of equal captions wins).
    for (int i = 0; i < kActionKindCount; ++i) {
        const std::string& caption = words.main.actionCaptions[static_cast<size_t>(i)];
        if (caption.empty()) continue;
        const auto kind = catalogue.kindOf(caption);
        if (!kind || words.main.actionCaptions[static_cast<size_t>(*kind)] != caption) {
            __builtin_trap();
        }
    }
    for (const std::string& command : words.browserCommands) {
        if (!command.empty() && !catalogue.browserCommandOf(command)) __builtin_trap();
    }
    for (const std::string& command : words.mediaCommands) {
        if (!command.empty() && !catalogue.mediaCommandOf(command)) __builtin_trap();
    }
    if (!words.mute.empty() && !catalogue.isMuteWord(words.mute)) __builtin_trap();
    (void)catalogue.windowModeOf(bytes);
    (void)file.text("Main", bytes.substr(0, 32));
    return 0;
}
