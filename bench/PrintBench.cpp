// Pagination of the corpus texts with format 1 (no drawing): laying out
// every page of sjis-1m.txt, sjis-4m.txt (sjis-1m.txt four times when the
// corpus has no such file) and sjis-16m.txt on an A4 printer of 600 dots
// per inch with a 10.5-point body font.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchCorpus.h"
#include "display/LayoutOptions.h"
#include "print/PageGeometry.h"
#include "print/Paginator.h"
#include "print/PrintBreakRules.h"
#include "text/TextStore.h"

namespace {

using namespace orvex;

std::string corpusText(const char* name) {
    std::string text = bench::readCorpus(name);
    if (text.empty() && std::string(name) == "sjis-4m.txt") {
        const std::string one = bench::readCorpus("sjis-1m.txt");
        for (int i = 0; i < 4; ++i) text += one;
    }
    return text;
}

print::PageMetrics a4At600() {
    print::PageMetrics m;
    m.dpiX = m.dpiY = 600;
    m.physicalWidth = m.printableWidth = 4961;
    m.physicalHeight = m.printableHeight = 7016;
    return m;
}

void paginate(benchmark::State& state, const char* name, bool kinsoku) {
    const std::string text = corpusText(name);
    if (text.empty()) {
        state.SkipWithError("corpus file missing: run make-corpus.sh");
        return;
    }
    TextStore store;
    store.setText(text);
    store.layoutAll();
    settings::PageLayoutFormat format;
    format.prnKinsoku = kinsoku ? 1 : 0;
    print::FontMetrics font{88, 0, 76, 44};  // 10.5 pt at 600 dpi
    const print::PageGeometry g = print::computePageGeometry(format, a4At600(), font, font, font, 6 * 44);
    print::PrintBreakRules rules(format, LayoutOptions{});
    int pages = 0;
    for (auto _ : state) {
        print::Paginator p(store, g, rules.rules());
        pages = p.pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_Paginate1M(benchmark::State& s) { paginate(s, "sjis-1m.txt", false); }
void BM_Paginate4M(benchmark::State& s) { paginate(s, "sjis-4m.txt", false); }
void BM_Paginate16M(benchmark::State& s) { paginate(s, "sjis-16m.txt", false); }
void BM_Paginate16MKinsoku(benchmark::State& s) { paginate(s, "sjis-16m.txt", true); }

BENCHMARK(BM_Paginate1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paginate4M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paginate16M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paginate16MKinsoku)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
