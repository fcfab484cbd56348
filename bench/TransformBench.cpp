// Conversions and formatting over the shared corpus: sjis-16m.txt and its
// first 1 and 4 MiB (cut at a line end), so that growth with the text shows.
//
//   BM_Format/<size>        preset width 70 with kinsoku (hang 1), the text's
//                           own lines kept (the default preset, joining off)
//   BM_FormatJoined/<size>  the same with lines joined (blank lines and
//                           indented lines end paragraphs)
//   BM_FullAndBack/<size>   to full width (all) and back to half width (all)
//
// bench/transform-peers.sh runs these beside `fold -w 70` on the same files.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "BenchCorpus.h"
#include "display/LayoutOptions.h"
#include "transform/CharConvert.h"
#include "transform/Formatter.h"

namespace {

using namespace orvex;
using transform::Formatter;

// The first `mib` MiB of sjis-16m.txt up to the line end before the cut;
// the whole file for 16.
const std::string& corpus(int mib) {
    static const std::string whole = bench::readCorpus("sjis-16m.txt");
    static std::string cuts[17];
    std::string& s = cuts[mib];
    if (s.empty() && !whole.empty()) {
        size_t n = std::min(whole.size(), size_t(mib) << 20);
        if (n < whole.size()) n = whole.rfind('\n', n) + 1;
        s = whole.substr(0, n);
    }
    return s;
}

settings::FormatPreset preset(bool join) {
    settings::FormatPreset p;
    p.seikei = 70;
    p.seikeiKinsoku = 1;
    p.seikeiKinsokuWrap = 1;
    if (join) p.seikeiCR = 1 | 2 | 4;
    return p;
}

void runFormat(benchmark::State& state, bool join) {
    const std::string& text = corpus(int(state.range(0)));
    if (text.empty()) {
        state.SkipWithError("corpus missing: run make-corpus.sh");
        return;
    }
    const Formatter f(preset(join), 4, LayoutOptions::defaultNoLineStart(), LayoutOptions::defaultNoLineEnd());
    for (auto _ : state) {
        std::string out = f.format(text);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_Format(benchmark::State& state) { runFormat(state, false); }
void BM_FormatJoined(benchmark::State& state) { runFormat(state, true); }

void BM_FullAndBack(benchmark::State& state) {
    const std::string& text = corpus(int(state.range(0)));
    if (text.empty()) {
        state.SkipWithError("corpus missing: run make-corpus.sh");
        return;
    }
    for (auto _ : state) {
        std::string full = transform::convertText(text, transform::ConvertMode::FullAll);
        std::string back = transform::convertText(full, transform::ConvertMode::HalfAll);
        benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

}  // namespace

BENCHMARK(BM_Format)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_FormatJoined)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_FullAndBack)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK_MAIN();
