// Text engine benchmarks over the shared corpus, each beside the peer it
// is judged against, measured in the same process:
//   - full layout of sjis-64m.txt (kinsoku on, W = 80) beside the naive
//     Shift JIS row walk of ../shared/bench/src/scan.c ("rows" mode);
//   - one-character insert + delete at the start, middle and end of the
//     64 MiB text beside memmove of the same tail by +1 and -1 byte;
//   - 10,000 undo and 10,000 redo steps.
// Run: build/bin/textbench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "BenchCorpus.h"
#include "common/codepage/SjisWalk.h"
#include "common/platform/Platform.h"
#include "text/CLuDoc.h"
#include "text/TextStore.h"

using namespace orvex;

namespace {

const std::string& corpus(const char* name) {
    static std::string big, small, mid;
    std::string& s = std::strcmp(name, "sjis-64m.txt") == 0 ? big : std::strcmp(name, "sjis-16m.txt") == 0 ? mid : small;
    if (s.empty()) s = bench::readCorpus(name);
    return s;
}

LayoutOptions kinsoku80() {
    LayoutOptions o;
    o.kinsoku = true;
    return o;
}

// The row walk of scan.c: double-byte characters never split, tabs to the
// next stop, CR LF / CR / LF end a line; no line-breaking rules.
size_t naiveRows(const unsigned char* p, size_t n, unsigned wrap, unsigned tabw) {
    size_t rows = 0, i = 0;
    unsigned col = 0;
    while (i < n) {
        unsigned char c = p[i];
        if (c == '\r' || c == '\n') {
            i += (c == '\r' && i + 1 < n && p[i + 1] == '\n') ? 2 : 1;
            rows++;
            col = 0;
            continue;
        }
        unsigned w, len;
        if (sjis::awaitsTrail(c)) {  // as scan.c: two columns, the plain rule
            w = 2;
            len = unsigned(sjis::plainStepWithin(p + i, ptrdiff_t(n - i)));
        } else if (c == '\t') {
            w = (col + tabw) / tabw * tabw - col;
            len = 1;
        } else {
            w = 1;
            len = 1;
        }
        if (col > 0 && col + w > wrap) {
            rows++;
            col = 0;
            if (c == '\t') w = tabw;
        }
        col += w;
        i += len;
    }
    if (col > 0 || n == 0) rows++;
    return rows;
}

void BM_PeerNaiveRowWalk64M(benchmark::State& state) {
    const std::string& text = corpus("sjis-64m.txt");
    if (text.empty()) return state.SkipWithError("corpus missing: run make-corpus.sh");
    size_t rows = 0;
    for (auto _ : state) {
        rows = naiveRows(reinterpret_cast<const unsigned char*>(text.data()), text.size(), 80, 4);
        benchmark::DoNotOptimize(rows);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_PeerNaiveRowWalk64M)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void fullLayout(benchmark::State& state, const LayoutOptions& options) {
    const std::string& text = corpus("sjis-64m.txt");
    if (text.empty()) return state.SkipWithError("corpus missing: run make-corpus.sh");
    TextStore store;
    store.setLayout(options, 80);
    store.setText(text);
    store.layoutAll();
    for (auto _ : state) benchmark::DoNotOptimize(store.layoutAll());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["rows"] = double(store.rowCount());
    state.counters["rowBytes"] = double(store.rowCount()) * sizeof(Row);
    state.counters["rowCapacity"] = double(store.rows().capacity()) * sizeof(Row);
}

void BM_FullLayout64M_Kinsoku(benchmark::State& state) { fullLayout(state, kinsoku80()); }
BENCHMARK(BM_FullLayout64M_Kinsoku)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FullLayout64M_KinsokuWordWrap(benchmark::State& state) {
    LayoutOptions o = kinsoku80();
    o.wordWrap = true;
    fullLayout(state, o);
}
BENCHMARK(BM_FullLayout64M_KinsokuWordWrap)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FullLayout64M_KinsokuComments(benchmark::State& state) {
    LayoutOptions o = kinsoku80();
    o.cmntSel = 1;
    o.commentColour = 0x008000;
    fullLayout(state, o);
}
BENCHMARK(BM_FullLayout64M_KinsokuComments)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FullLayout64M_KinsokuWordWrapComments(benchmark::State& state) {
    LayoutOptions o = kinsoku80();
    o.wordWrap = true;
    o.cmntSel = 1;
    o.commentColour = 0x008000;
    fullLayout(state, o);
}
BENCHMARK(BM_FullLayout64M_KinsokuWordWrapComments)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Where an edit goes: 0 start, 1 middle (start of the row there), 2 end.
int32_t editOffset(const TextStore& s, int64_t where) {
    if (where == 0) return 0;
    if (where == 2) return s.size() - 1;
    return s.row(s.rowOfOffset(s.size() / 2)).offset;
}

const char* kWhere[] = {"start", "middle", "end"};

void BM_PeerMemmoveTail64M(benchmark::State& state) {
    const std::string& text = corpus("sjis-64m.txt");
    if (text.empty()) return state.SkipWithError("corpus missing: run make-corpus.sh");
    // The same buffer and offsets the document uses.
    TextStore s;
    s.setLayout(kinsoku80(), 80);
    s.setText(text);
    s.layoutAll();
    const int32_t at = editOffset(s, state.range(0));
    const size_t size = size_t(s.size());
    std::unique_ptr<char[]> buf(new char[size + 64]);
    std::memcpy(buf.get(), s.data(), size);
    for (auto _ : state) {
        std::memmove(buf.get() + at + 1, buf.get() + at, size - size_t(at));
        buf[size_t(at)] = 'a';
        std::memmove(buf.get() + at, buf.get() + at + 1, size - size_t(at));
        benchmark::ClobberMemory();
    }
    state.SetLabel(kWhere[state.range(0)]);
}
BENCHMARK(BM_PeerMemmoveTail64M)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

// Typed text and its deletion through the document, with undo records, as
// a view's edit primitive makes them, at the start, middle or end.
void typeAndDelete(benchmark::State& state, std::string_view typed) {
    const std::string& text = corpus("sjis-64m.txt");
    if (text.empty()) return state.SkipWithError("corpus missing: run make-corpus.sh");
    CLuDoc doc{Platform{}};
    doc.text().setLayout(kinsoku80(), 80);
    doc.text().setText(text);
    doc.layoutAll();
    const int32_t at = editOffset(doc.text(), state.range(0));
    const TextPosition pos = doc.text().positionOf(at);
    const int32_t n = int32_t(typed.size());
    for (auto _ : state) {
        doc.insertRecorded(pos.row, pos.byteColumn, typed.data(), n, undokind::kInsert);
        doc.deleteRecorded(pos.row, pos.byteColumn, n, undokind::kDelete);
    }
    state.SetLabel(kWhere[state.range(0)]);
}

void BM_TypeAndDeleteChar64M(benchmark::State& state) { typeAndDelete(state, "a"); }
BENCHMARK(BM_TypeAndDeleteChar64M)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

// A line break: the row count changes each time.
void BM_TypeAndDeleteLineBreak64M(benchmark::State& state) { typeAndDelete(state, "\r\n"); }
BENCHMARK(BM_TypeAndDeleteLineBreak64M)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

// 10,000 undo steps and 10,000 redo steps of typing spread over the text.
void BM_UndoRedo10000(benchmark::State& state) {
    const char* name = state.range(0) == 0 ? "sjis-1m.txt" : "sjis-16m.txt";
    const std::string& text = corpus(name);
    if (text.empty()) return state.SkipWithError("corpus missing: run make-corpus.sh");
    CLuDoc doc{Platform{}};
    doc.text().setLayout(kinsoku80(), 80);
    doc.text().setText(text);
    doc.layoutAll();
    std::mt19937 rng(1);
    for (int i = 0; i < 10000; ++i) {
        const int32_t r = int32_t(rng() % uint32_t(doc.text().rowCount()));
        const int32_t c = int32_t(rng() % uint32_t(doc.text().endColumn(r) + 1));
        if (i % 3 == 2) doc.deleteRecorded(r, c, 2, undokind::kDelete);
        else doc.insertRecorded(r, c, "\x82\xA0", 2, undokind::kInsert);  // あ
    }
    const int32_t records = doc.undoHistory().count();
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) doc.undo();
        for (int i = 0; i < 10000; ++i) doc.redo();
    }
    state.counters["records"] = records;
    state.counters["steps"] = benchmark::Counter(double(state.iterations()) * 20000, benchmark::Counter::kIsRate);
    state.SetLabel(name);
}
BENCHMARK(BM_UndoRedo10000)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
