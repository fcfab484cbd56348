// Editor view benchmarks over sjis-16m.txt (W = 80, kinsoku on): what one
// key costs through the whole view (typing operation, edit primitive with
// undo record, cursor update), and the movement commands over the text.
//   - a typed character and Backspace in the middle of the text, beside
//     the memmove of the same tail by +1 and -1 byte (the store's floor);
//   - the same with automatic line breaks and auto indent on;
//   - word right, row down and page down from the top (per command);
//   - select all + copy of the whole text.
// Run: build/bin/viewbench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "BenchCorpus.h"
#include "text/CLuDoc.h"
#include "text/CLuView.h"
#include "text/ViewCommandIds.h"
#include "text/VirtualKeys.h"

using namespace orvex;

namespace {

class Clip final : public Clipboard {
public:
    bool hasText() const override { return !text_.empty(); }
    std::optional<std::string> text() const override { return text_; }
    bool setText(const std::string& s, bool) override {
        text_ = s;
        return true;
    }
    bool isRectangle() const override { return false; }
    std::string text_;
};

struct Fixture {
    Clip clip;
    Platform platform{nullptr, nullptr, &clip, nullptr, nullptr};
    CLuDoc doc{platform};
    EditorState state;
    PlainViewOptions options;
    std::unique_ptr<CLuView> view;
    bool ok = false;

    explicit Fixture(const char* corpus) {
        const std::string text = bench::readCorpus(corpus);
        if (text.empty()) return;
        LayoutOptions lo;
        lo.kinsoku = true;
        doc.text().setLayout(lo, 80);
        doc.text().setText(text);
        doc.layoutAll();
        doc.markLoaded();
        ViewContext ctx;
        ctx.state = &state;
        ctx.options = &options;
        view = std::make_unique<CLuView>(doc, ctx);
        view->setViewport(40, 40, 100);
        ok = true;
    }
};

Fixture& fixture() {
    static Fixture f("sjis-16m.txt");
    return f;
}

void typeAndErase(benchmark::State& state, bool rules) {
    Fixture& f = fixture();
    if (!f.ok) {
        state.SkipWithError("corpus missing: run make-corpus.sh");
        return;
    }
    f.options.modes.wrapCr = rules;
    f.options.modes.autoIndent = rules;
    f.options.modes.wrapNum = 70;
    f.view->placeCursorAtOffset(f.doc.text().length() / 2);
    for (auto _ : state) {
        f.view->character('a');
        f.view->keyDown(vk::kBack);
    }
    f.doc.clearUndo();
    state.SetItemsProcessed(state.iterations() * 2);
}

void BM_ViewTypeAndBackspaceMiddle(benchmark::State& state) { typeAndErase(state, false); }
void BM_ViewTypeWithLineBreakRulesMiddle(benchmark::State& state) { typeAndErase(state, true); }

void BM_MemmovePeer(benchmark::State& state) {
    Fixture& f = fixture();
    std::string buf(f.doc.text().view());
    buf.push_back('\0');
    const size_t mid = buf.size() / 2;
    for (auto _ : state) {
        buf.push_back('\0');
        std::memmove(&buf[mid + 1], &buf[mid], buf.size() - mid - 1);
        std::memmove(&buf[mid], &buf[mid + 1], buf.size() - mid - 1);
        buf.pop_back();
        benchmark::DoNotOptimize(buf.data());
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

void moveFromTop(benchmark::State& state, CommandId id) {
    Fixture& f = fixture();
    if (!f.ok) {
        state.SkipWithError("corpus missing: run make-corpus.sh");
        return;
    }
    f.view->placeCursor(0, 0);
    for (auto _ : state) {
        f.view->onCommand(id);
        if (f.view->cursor().row >= f.doc.text().rowCount() - 1) f.view->placeCursor(0, 0);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ViewWordRight(benchmark::State& state) { moveFromTop(state, cmd::kWordRight); }
void BM_ViewRowDown(benchmark::State& state) { moveFromTop(state, cmd::kLineDown); }
void BM_ViewPageDown(benchmark::State& state) { moveFromTop(state, cmd::kPageDown); }

void BM_ViewSelectAllCopy(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ok) {
        state.SkipWithError("corpus missing: run make-corpus.sh");
        return;
    }
    f.options.globals.cancelSel = 1;
    for (auto _ : state) {
        f.view->onCommand(cmd::kSelectAll);
        f.view->onCommand(cmd::kCopy);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(f.doc.text().length()));
}

}  // namespace

BENCHMARK(BM_ViewTypeAndBackspaceMiddle);
BENCHMARK(BM_ViewTypeWithLineBreakRulesMiddle);
BENCHMARK(BM_MemmovePeer);
BENCHMARK(BM_ViewWordRight);
BENCHMARK(BM_ViewRowDown);
BENCHMARK(BM_ViewPageDown);
BENCHMARK(BM_ViewSelectAllCopy);
BENCHMARK_MAIN();
