// Reading, writing and digesting the formatted texts of the insert-text action. The digest runs
// for every such row when the hot key file is loaded.
#include <benchmark/benchmark.h>

#include <string>

#include "storage/InsertTextDigest.h"
#include "storage/RtfDocument.h"

using namespace vorbix;

namespace {

// A document as a rich-text control writes it, with `paragraphs` paragraphs of mixed formatting.
std::string sampleRtf(int paragraphs) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fswiss\\fcharset0 "
        "Arial;}{\\f1\\fnil\\fcharset0 Tahoma;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    for (int i = 0; i < paragraphs; ++i) {
        switch (i % 4) {
            case 0:
                rtf +=
                    "Sehr geehrte Damen und Herren, \\b gr\\'fc\\'dfe\\b0  aus M\\'fcnchen "
                    "\\u8364? 10\\tab Preis\\par\r\n";
                break;
            case 1:
                rtf +=
                    "\\pard\\qc\\cf1\\i Wichtig:\\cf0\\i0  siehe {\\field{\\*\\fldinst{HYPERLINK "
                    "\"https://example.org/info\"}}{\\fldrslt{\\ul\\cf2 die Seite}}}\\par\r\n";
                break;
            case 2:
                rtf +=
                    "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb"
                    "\\'B7}}\\fi-720\\li720\\f1 Punkt mit <url=http://x.de>Link</url>\\f0\\par\r\n";
                break;
            default:
                rtf += "\\pard Mit freundlichen Gr\\'fc\\'dfen\\par\r\n";
                break;
        }
    }
    return rtf + "}";
}

void BM_ParseRtf(benchmark::State& state) {
    const std::string rtf = sampleRtf(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(parseRtf(rtf));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(rtf.size()));
}
BENCHMARK(BM_ParseRtf)->Arg(4)->Arg(40)->Arg(400);

void BM_WriteRtf(benchmark::State& state) {
    const RtfDocument doc = parseRtf(sampleRtf(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(writeRtf(doc));
}
BENCHMARK(BM_WriteRtf)->Arg(4)->Arg(40);

void BM_WriteHtml(benchmark::State& state) {
    const RtfDocument doc = parseRtf(sampleRtf(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(writeHtml(doc));
}
BENCHMARK(BM_WriteHtml)->Arg(4)->Arg(40);

// The digest of one stored row value, as the hot key file reader computes it.
void BM_InsertTextDigest(benchmark::State& state) {
    const std::string stored =
        encodeInsertText({true, false, sampleRtf(static_cast<int>(state.range(0)))});
    for (auto _ : state) benchmark::DoNotOptimize(insertTextDigest(stored));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(stored.size()));
}
BENCHMARK(BM_InsertTextDigest)->Arg(4)->Arg(40)->Arg(400);

void BM_InsertTextDigestPlain(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < state.range(0); ++i)
        text += "Eine Zeile mit <url=http://x.de>Link</url>\r\n";
    const std::string stored = encodeInsertText({false, true, text});
    for (auto _ : state) benchmark::DoNotOptimize(insertTextDigest(stored));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(stored.size()));
}
BENCHMARK(BM_InsertTextDigestPlain)->Arg(4)->Arg(40);

}  // namespace
