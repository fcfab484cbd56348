// Rendering computations per frame: the attributes, runs and gutter of a
// full screen of 60 rows x 200 columns, the part of a paint that runs
// before any drawing. The text is sjis-64m.txt laid out at 200 columns with
// kinsoku, "//" and "/*" comments, the built-in C keywords plus Japanese
// keywords in group 2, URLs, mail addresses and the search highlight on;
// each iteration paints the next screen of a walk through the whole
// document (so frames with and without those features are mixed).
//   BM_RenderFrame            plain frames
//   BM_RenderFrameSelection   the same with a caret line and a selection over the screen
//   BM_RenderFrameDense       every row holds a URL, an address, a keyword, a
//                             comment and the highlight (a worst case)
// Run: build/bin/renderbench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchCorpus.h"
#include "common/codepage/Cp932.h"
#include "common/codepage/SjisWalk.h"
#include "display/Gutter.h"
#include "display/RowAttributes.h"
#include "display/RowRuns.h"
#include "settings/KeywordStore.h"
#include "text/TextStore.h"

using namespace orvex;

namespace {

constexpr int32_t kRows = 60;
constexpr int32_t kColumns = 200;

struct Screen {
    TextStore store;
    ColourTable colours;
    RenderOptions options;
    settings::KeywordStore keywords;
    KeywordMatcher matcher;
    std::string highlight = cp932::fromUtf8("オプション");
    RowAttributes row;
    RowRuns runs;
    GutterRow gutter;
    std::vector<CommentSpan> spans;

    explicit Screen(const std::string& text) {
        LayoutOptions lo;
        lo.kinsoku = true;
        lo.commentColour = 0x008000;
        lo.cmntSel = 1;
        store.setLayout(lo, kColumns);
        store.setText(text);
        store.layoutAll();

        StoredColours s = unsetColours();
        for (int i = 0; i < kColourSlotCount; ++i) s[size_t(i)] = 0x202020 + i * 0x050403;
        s[size_t(ColourSlot::Text)] = 0x000000;
        s[size_t(ColourSlot::Window)] = 0xFFFFFF;
        colours = ColourTable::resolve(s);
        options.tabDisp = true;
        options.dspcDisp = true;
        const char* japanese[] = {"ファイル", "コマンド", "ディレクトリ", "プロセス", "シグナル", "エラー"};
        for (int i = 0; i < 6; ++i) keywords.setWord(40 + i, cp932::fromUtf8(japanese[i]));
        matcher = KeywordMatcher(keywords, keywordGroupsOn(options.keywdSel, colours));
    }

    // Paints rows [top, top + kRows); returns the visible cells drawn in
    // anything but the plain text attribute, so the work cannot be dropped.
    int64_t frame(int32_t top, const ViewPaintState& view) {
        RenderSetup setup;
        setup.colours = &colours;
        setup.options = &options;
        setup.keywords = &matcher;
        setup.tabWidth = store.tabWidth();
        setup.fillColumns = kColumns + 1;
        int64_t coloured = 0;
        const int32_t last = std::min(store.rowCount(), top + kRows);
        for (int32_t r = top; r < last; ++r) {
            const Row rec = store.row(r);
            spans.clear();
            if (RowAttributes::wantsComments(rec.flags, colours)) store.commentSpans(r, spans);
            row.build(setup, view, {store.rowText(r), r, rec.flags, &spans});
            runs.build(row, colours, 0, kColumns);
            for (const AttrRun& run : runs.runs())
                if (run.attribute != attr::kText) coloured += run.length;
            const bool first = r == 0 || store.row(r - 1).line != rec.line;
            gutterRow(1, store.rowCount(), {r, rec.line, first, rec.flags}, colours, gutter);
            benchmark::DoNotOptimize(gutter.text.data());
        }
        return coloured;
    }
};

Screen* corpusScreen() {
    static std::unique_ptr<Screen> s;
    if (!s) {
        const std::string text = bench::readCorpus("sjis-64m.txt");
        if (text.empty()) return nullptr;
        s = std::make_unique<Screen>(text);
    }
    return s.get();
}

Screen* denseScreen() {
    static std::unique_ptr<Screen> s;
    if (!s) {
        // Corpus lines with every feature appended, cut to about 200 columns.
        const std::string corpus = bench::readCorpus("sjis-1m.txt");
        if (corpus.empty()) return nullptr;
        const std::string extra =
            cp932::fromUtf8(" if (x) ファイル http://example.com/オプション.html user@example.co.jp /* オプション */ //");
        std::string text;
        size_t at = 0;
        while (text.size() < 4u << 20 && at < corpus.size()) {
            size_t end = corpus.find("\r\n", at);
            if (end == std::string::npos) break;
            std::string line = corpus.substr(at, std::min<size_t>(end - at, 80));
            // Never cut a double-byte character.
            size_t cut = 0;
            while (cut < line.size()) {
                const size_t len = size_t(sjis::plainCharLength(uint8_t(line[cut])));
                if (cut + len > line.size()) break;
                cut += len;
            }
            line.resize(cut);
            text += line + extra + "\r\n";
            at = end + 2;
        }
        s = std::make_unique<Screen>(text);
    }
    return s.get();
}

void runFrames(benchmark::State& state, Screen* s, const ViewPaintState& baseView, bool followCaret) {
    if (!s) return state.SkipWithError("corpus missing: run make-corpus.sh");
    const int32_t rows = s->store.rowCount();
    const int32_t stride = kRows * 997;  // a walk through the whole document
    int32_t top = 0;
    int64_t coloured = 0, frames = 0;
    ViewPaintState view = baseView;
    view.highlight = s->highlight;
    for (auto _ : state) {
        if (followCaret) {
            view.caretRow = top + kRows / 2;
            view.selection.startRow = top + 10;
            view.selection.endRow = top + 50;
        }
        coloured += s->frame(top, view);
        ++frames;
        top = int32_t((int64_t(top) + stride) % std::max<int32_t>(1, rows - kRows));
    }
    benchmark::DoNotOptimize(coloured);
    state.counters["rows"] = double(kRows);
    state.counters["colouredCells/frame"] = double(coloured) / double(std::max<int64_t>(1, frames));
}

void BM_RenderFrame(benchmark::State& state) { runFrames(state, corpusScreen(), ViewPaintState{}, false); }
BENCHMARK(BM_RenderFrame)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_RenderFrameSelection(benchmark::State& state) {
    ViewPaintState view;
    view.selection.active = true;
    view.selection.startByte = 5;
    view.selection.endByte = 7;
    runFrames(state, corpusScreen(), view, true);
}
BENCHMARK(BM_RenderFrameSelection)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_RenderFrameDense(benchmark::State& state) { runFrames(state, denseScreen(), ViewPaintState{}, false); }
BENCHMARK(BM_RenderFrameDense)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
