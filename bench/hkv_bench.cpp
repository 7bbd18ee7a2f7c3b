// Loading and saving a full table: 256 rows of inserted texts, each 5000 characters of RTF in the
// stored marker encoding, as the per-user file is read at start and rewritten after every change.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/HotKeyTable.h"
#include "storage/AtomicFile.h"
#include "storage/HotKeyFile.h"
#include "storage/HtmlExport.h"
#include "storage/TextCodec.h"

namespace {

using namespace vorbix;

const LanguageTexts& texts() {
    static const LanguageTexts t = [] {
        LanguageTexts l;
        for (const ActionInfo& info : actionCatalogue()) {
            l.actionCaptions[toIndex(info.kind)] = std::string(info.germanCaption);
        }
        l.sNewText = "(Kein Text eingegeben)";
        return l;
    }();
    return t;
}

// A formatted insert text of about `length` characters in marker encoding.
std::string richText(size_t length, int seed) {
    std::string text =
        "<~Form~>{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil<~Spa~>Arial;}}"
        "\\viewkind4\\uc1\\pard\\f0\\fs20<~Spa~>";
    int word = seed;
    while (text.size() + 20 < length) {
        switch (++word % 7) {
            case 0:
                text += "{\\b<~Spa~>Fett}<~Spa~>";
                break;
            case 1:
                text += "\\par<~Re~>";
                break;
            case 2:
                text += "Gr\\'fc\\'dfe<~Spa~>";
                break;
            default:
                text += "Wort" + std::to_string(word) + "<~Spa~>";
        }
    }
    text += "\\par<~Re~>}";
    return text;
}

const HotKeyTable& fullTable() {
    static const HotKeyTable table = [] {
        HotKeyTable t;
        for (int i = 0; i < static_cast<int>(HotKeyTable::kCapacity); ++i) {
            HotKeyEntry row = makeNewRow(ActionKind::InsertText,
                                         "Strg+Alt+F" + std::to_string(i % 24 + 1), texts(), "");
            row.Text = richText(5000, i);
            (void)t.append(std::move(row));
        }
        return t;
    }();
    return table;
}

std::string tempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_SerializeTable(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(hotKeyFileText(fullTable(), texts(), ""));
    }
}
BENCHMARK(BM_SerializeTable)->Unit(benchmark::kMillisecond);

void BM_SaveTable(benchmark::State& state) {
    const std::string path = tempPath("vorbix-hkv-bench-save.hkv");
    for (auto _ : state) {
        if (!SaveHotKeys(path, fullTable(), texts(), "")) state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(readWholeFile(path)->size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveTable)->Unit(benchmark::kMillisecond);

void BM_ParseTable(benchmark::State& state) {
    const std::string bytes =
        encodeText(hotKeyFileText(fullTable(), texts(), ""), TextEncoding::Windows1252);
    for (auto _ : state) {
        HotKeyTable table;
        loadHotKeysFromBytes(bytes, table, texts(), "");
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseTable)->Unit(benchmark::kMillisecond);

void BM_LoadTableFromFile(benchmark::State& state) {
    const std::string path = tempPath("vorbix-hkv-bench-load.hkv");
    if (!SaveHotKeys(path, fullTable(), texts(), "")) state.SkipWithError("write failed");
    for (auto _ : state) {
        HotKeyTable table;
        // With write-back: the file is already normalised, so it is only compared.
        LoadHotKeys(path, table, texts(), "");
        benchmark::DoNotOptimize(table);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadTableFromFile)->Unit(benchmark::kMillisecond);

void BM_HtmlExport(benchmark::State& state) {
    HotKeyTable table;
    loadHotKeysFromBytes(
        encodeText(hotKeyFileText(fullTable(), texts(), ""), TextEncoding::Windows1252), table,
        texts(), "");
    for (auto _ : state) benchmark::DoNotOptimize(htmlExportText(table, "German"));
}
BENCHMARK(BM_HtmlExport)->Unit(benchmark::kMillisecond);

}  // namespace
