// The hot key file reader on arbitrary bytes: it accepts anything, never takes more rows than the
// table holds, and what the writer then makes of the table reads back to the same rows and kinds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/HotKeyTable.h"
#include "core/LanguageCatalogue.h"
#include "storage/HotKeyFile.h"
#include "storage/HtmlExport.h"
#include "storage/TextCodec.h"
#include "tests/support/TestTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorbix;
    static const LanguageTexts de = testing::germanTestTexts();
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    HotKeyTable table;
    const LoadResult loaded = loadHotKeysFromBytes(bytes, table, de, "default");
    if (!loaded.ok || table.size() > HotKeyTable::kCapacity || table.size() != loaded.rowsLoaded) {
        __builtin_trap();
    }
    (void)normalizedHotKeyFile(bytes);
    (void)htmlExportText(table, "German");

    HotKeyTable again;
    const std::string saved = hotKeyFileText(table, de, "default");
    (void)loadHotKeysFromBytes(encodeText(saved, TextEncoding::Windows1252), again, de, "default");
    if (again.size() != table.size()) __builtin_trap();
    // A row keeps its kind, and what the writer wrote it writes again unchanged (a row whose
    // caption no language knows with its whole section).
    const LanguageCatalogue& languages = LanguageCatalogue::builtIn();
    for (size_t i = 0; i < table.size(); ++i) {
        if (languages.kindOf(again.at(i).ActionText, &de) !=
            languages.kindOf(table.at(i).ActionText, &de)) {
            __builtin_trap();
        }
    }
    if (hotKeyFileText(again, de, "default") != saved) __builtin_trap();
    return 0;
}
