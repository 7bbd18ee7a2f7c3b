// The hot key file reader on arbitrary bytes: it accepts anything, never takes more rows than the
// table holds, and what the writer then makes of the table reads back to the same rows and kinds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/HotKeyTable.h"
#include "storage/HotKeyFile.h"
#include "storage/HtmlExport.h"
#include "storage/TextCodec.h"

namespace {

vorbix::LanguageTexts texts() {
    using namespace vorbix;
    LanguageTexts t;
    for (const ActionInfo& info : actionCatalogue()) {
        t.actionCaptions[toIndex(info.kind)] = std::string(info.germanCaption);
    }
    t.sNewProgramDir = "(Programm)";
    t.sNewDrive = "(Laufwerk)";
    t.sNewKeyComb = "(Tasten)";
    t.sNewWebsite = "(Webseite)";
    t.sNewText = "(Text)";
    t.sNewVolume = "(Lautstärke)";
    t.sNewAudioVideo = "(Befehl)";
    t.sNewBrowserControl = "(Browser)";
    t.sNewProvider = "(Anbieter)";
    t.sNewDateTime = "(Format)";
    t.sNewHide = "(Verstecken)";
    t.sNewShow = "(Zeigen)";
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorbix;
    static const LanguageTexts de = texts();
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
    for (size_t i = 0; i < table.size(); ++i) {
        if (de.kindOf(again.at(i).ActionText) != de.kindOf(table.at(i).ActionText))
            __builtin_trap();
    }
    return 0;
}
