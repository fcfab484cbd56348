// The editor view on screen, measured offscreen (QT_QPA_PLATFORM=offscreen
// is set when nothing else is):
//   BM_PaintScreen/corpus   a full 60 x 200 screen of sjis-1m.txt (man pages,
//                           Japanese and ASCII), kinsoku wrapping at 200
//                           columns, line numbers, ruler, keywords (C and
//                           Japanese), URLs, mail addresses and the search
//                           highlight on; each frame is the next screen
//   BM_PaintScreen/dense    the same where every row holds a keyword, a URL,
//                           an address, the highlight and double-byte text
//   BM_PageDown64M          Page Down and the repaint of the whole screen,
//                           walking sjis-64m.txt top to bottom (wrapping to the
//                           top at the end); counters give the pages of the
//                           document and the projected time of a full walk
//   BM_StartToFirstPaint    the program started with sjis-64m.txt on its
//                           command line, to its first painted view
//                           (ORVEX_FIRST_PAINT_EXIT), wall time per start
// Each frame paints into a QImage through the widget's own paint code.
// Run: build/bin/qtviewbench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchCorpus.h"
#include "common/codepage/Cp932.h"
#include "shell/EditorDocument.h"
#include "shell/EditorWindow.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/view/CLuViewWidget.h"
#include "qt/view/DisplayFont.h"
#include "text/CLuView.h"
#include "text/ViewCommandIds.h"

using namespace orvex;
using namespace orvex::qt;

namespace {

constexpr int kRows = 60;
constexpr int kColumns = 200;

// A document in a view widget sized to 60 rows of 200 columns.
struct Screen {
    QTemporaryDir dir;
    std::unique_ptr<EditorContext> ctx;
    shell::EditorDocument* doc = nullptr;
    std::unique_ptr<CLuViewWidget> widget;
    QImage image;

    explicit Screen(const std::string& sjis) {
        settings::SettingsEnvironment env;
        env.tempFolder = dir.path().toStdString();
        env.homeFolder = dir.path().toStdString();
        ctx = std::make_unique<EditorContext>(env, false);
        settings::Settings& s = ctx->settings();
        s.editor.mode(0).kinsoku = 1;
        s.editor.mode(0).lineMax = kColumns;
        s.editor.mode(0).keywdSel = {1, 1, 0, 0, 0, 0, 0, 0};
        s.colours.textColor = 0x000000;
        s.colours.windowColor = 0xFFFFFF;
        s.colours.textColorN[3] = 0xA00000;  // keyword group 1
        s.colours.textColorN[7] = 0x0000A0;  // keyword group 2
        s.colours.urlColor = 0x806000;
        s.colours.mailColor = 0x008060;
        s.colours.findTextColor = 0x0000FF;
        const char* japanese[] = {"ファイル", "コマンド", "ディレクトリ", "プロセス", "シグナル", "エラー"};
        for (int i = 0; i < 6; ++i) s.editor.keywords.setWord(40 + i, cp932::fromUtf8(japanese[i]));
        ctx->applySettings();
        ctx->search().setHighlight(cp932::fromUtf8("オプション"));

        // A window of the session without a frame: the widget alone shows it.
        shell::EditorWindow* window = ctx->session().newDocument();
        doc = &window->document();
        doc->doc().text().setText(sjis);
        doc->doc().layoutAll();
        doc->doc().markLoaded();
        widget = std::make_unique<CLuViewWidget>(*ctx, *window, 0);
        const ViewGeometry probe = computeViewGeometry(ctx->font().metrics(), 4000, 4000,
                                                       ctx->renderOptions(0), doc->doc().text().rowCount());
        const int width = probe.textLeft + kColumns * probe.charWidth;
        const int height = probe.textTop + kRows * probe.rowHeight;
        widget->resize(width + widget->verticalScrollBar()->sizeHint().width(), height + 40);
        widget->viewport()->resize(width, height);
        widget->show();
        QApplication::processEvents();
        image = QImage(widget->viewport()->size(), QImage::Format_RGB32);
    }

    int32_t rows() const { return doc->doc().text().rowCount(); }
    CLuView& view() { return widget->view(); }

    void paint() {
        QPainter p(&image);
        widget->paintArea(p, image.rect());
    }
};

std::string denseText() {
    const char* line =
        "if (ファイル) のオプションは http://example.jp/パス/index.html?q=1 を参照。"
        "問い合わせは user.name@example.co.jp まで。while コマンドとプロセスのシグナル、"
        "エラー時は return する。全角　空白と\tタブも含む。";
    std::string text;
    for (int i = 0; i < 2000; ++i) text += cp932::fromUtf8(line) + "\r\n";
    return text;
}

void runPaint(benchmark::State& state, Screen& screen) {
    const auto& g = screen.widget->viewGeometry();
    if (g.visibleColumns < kColumns || g.fullRows < kRows) {
        state.SkipWithError("the view is smaller than 60 x 200");
        return;
    }
    int32_t top = 0;
    for (auto _ : state) {
        screen.view().scrollTo(top, 0);
        screen.paint();
        top += kRows;
        if (top + kRows >= screen.rows()) top = 0;
    }
    state.counters["columns"] = g.visibleColumns;
    state.counters["rows"] = g.fullRows;
}

void BM_PaintScreenCorpus(benchmark::State& state) {
    static Screen screen(bench::readCorpus("sjis-1m.txt"));
    if (screen.rows() < 2 * kRows) {
        state.SkipWithError("corpus missing (ORVEX_CORPUS)");
        return;
    }
    runPaint(state, screen);
}
BENCHMARK(BM_PaintScreenCorpus)->Name("BM_PaintScreen/corpus")->Unit(benchmark::kMillisecond);

void BM_PaintScreenDense(benchmark::State& state) {
    static Screen screen(denseText());
    runPaint(state, screen);
}
BENCHMARK(BM_PaintScreenDense)->Name("BM_PaintScreen/dense")->Unit(benchmark::kMillisecond);

void BM_PageDown64M(benchmark::State& state) {
    static std::unique_ptr<Screen> screen;
    if (!screen) {
        const std::string text = bench::readCorpus("sjis-64m.txt");
        if (text.empty()) {
            state.SkipWithError("corpus missing (ORVEX_CORPUS)");
            return;
        }
        screen = std::make_unique<Screen>(text);
    }
    CLuView& v = screen->view();
    for (auto _ : state) {
        if (v.topRow() + kRows >= screen->rows()) v.goToLine(1);
        v.onCommand(cmd::kPageDown);
        screen->paint();
    }
    const double pages = double(screen->rows()) / kRows;
    state.counters["rows"] = screen->rows();
    state.counters["pages"] = pages;
    state.counters["s/walk"] = benchmark::Counter(double(state.iterations()) / pages,
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PageDown64M)->Unit(benchmark::kMillisecond);

void BM_StartToFirstPaint(benchmark::State& state) {
    const std::string file = bench::corpusPath("sjis-64m.txt");
    QTemporaryDir home;
    const std::string cmd = "env ORVEX_FIRST_PAINT_EXIT=1 QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME='" +
                            home.path().toStdString() + "' XDG_DATA_HOME='" + home.path().toStdString() + "' '" +
                            ORVEX_PROGRAM + "' '" + file + "' 2>/dev/null";
    for (auto _ : state) {
        std::FILE* p = popen(cmd.c_str(), "r");
        double ms = -1;
        char line[256];
        while (p && std::fgets(line, sizeof line, p))
            if (std::sscanf(line, "first paint %lf ms", &ms) == 1) break;
        if (p) pclose(p);
        if (ms < 0) {
            state.SkipWithError("the program did not report its first paint");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
    }
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
