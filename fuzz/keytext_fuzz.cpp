// Key texts from files: parsing and the display translation must accept anything.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/KeyNotation.h"
#include "core/TextUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorbix;
    static const BuiltinKeyNames german(BuiltinKeyNames::Group::German);
    static const BuiltinKeyNames english(BuiltinKeyNames::Group::English);
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const KeyNameSource* names : {static_cast<const KeyNameSource*>(&german),
                                       static_cast<const KeyNameSource*>(&english)}) {
        const uint16_t w = KeyTextToShortCut(KeyTextFromDisplay(text, *names), *names);
        // Whatever parses must print and parse back to the same word.
        if (w != 0) {
            const std::string again = ShortCutToKeyText(w, false, *names);
            if (KeyTextToShortCut(again, *names) != w) __builtin_trap();
        }
        (void)KeyTextToDisplay(text, *names);
        (void)hotKeyOfText(text, *names);
    }
    (void)parseInteger(text);
    (void)utf8Length(text);
    return 0;
}
