// The macro bridge's cost: a macro that reads rows of a 16 MiB document
// through the view requests (GetLineText: one request answered on the
// user-interface thread per row) and adds up their lengths, beside the same
// loop done by the interpreter on a string it already holds. The difference
// per row is what one request costs.
//
// The document is opened in a session without a window; this thread is the
// user-interface thread and answers the requests while the macro runs on
// the library's macro thread (OrxMacBatch of liborxmac.so, the batch-mode
// entry). Counters: rows read, and seconds per row.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include <QCoreApplication>

#include "BenchCorpus.h"
#include "qt/platform/QtMessagePump.h"
#include "shell/EditorSession.h"
#include "text/CLuView.h"
#include "shell/HeadlessPlatform.h"
#include "shell/InstanceControl.h"
#include "winmsg/MessageLayer.h"

namespace {

using namespace orvex;
using Entry = int (*)(void*, void*, const char*);

struct Fixture {
    shell::HeadlessPlatform headless;
    std::unique_ptr<shell::EditorSession> session;
    win::Handle main = nullptr;
    win::Handle view = nullptr;
    Entry entry = nullptr;
    int rows = 0;
    std::string folder;

    Fixture() {
        win::attachUiThread();
        settings::SettingsEnvironment env;  // memory only
        session = std::make_unique<shell::EditorSession>(env, headless.platform(), false);
        session->applySettings();
        main = session->instanceControl().attach();
        if (!session->openFile(bench::corpusPath("sjis-16m.txt"))) return;
        view = session->activeViewHandle();
        rows = int(session->activeView()->document().text().rowCount());
        void* lib = dlopen(ORXMAC_LIBRARY, RTLD_NOW);
        if (lib) entry = reinterpret_cast<Entry>(dlsym(lib, "OrxMacBatch"));
        char dir[] = "/tmp/orxmac-bench-XXXXXX";
        if (mkdtemp(dir)) folder = dir;
    }

    std::string writeMacro(const std::string& name, const std::string& text) const {
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// Reads `rows` rows through the bridge.
std::string bridgeMacro(int rows) {
    return "int total;\n"
           "main()\n{\n    int i;\n    str s;\n"
           "    for (i = 0; i < " + std::to_string(rows) + "; i++) {\n"
           "        s = GetLineText(i);\n        total = total + strlen(s);\n    }\n}\n";
}

// The same loop over a row-sized string the interpreter holds.
std::string stringMacro(int rows) {
    return "int total;\n"
           "main()\n{\n    int i;\n    str s;\n    str row = \"" + std::string(80, 'x') + "\\r\\n\";\n"
           "    for (i = 0; i < " + std::to_string(rows) + "; i++) {\n"
           "        s = row;\n        total = total + strlen(s);\n    }\n}\n";
}

void runMacro(benchmark::State& state, bool throughBridge) {
    Fixture& f = fixture();
    if (!f.entry || !f.view || f.folder.empty()) {
        state.SkipWithError("needs liborxmac.so and the corpus (bench/make-corpus.sh)");
        return;
    }
    const int rows = state.range(0) == 0 ? f.rows : int(std::min<int64_t>(state.range(0), f.rows));
    const std::string path =
        f.writeMacro(throughBridge ? "bridge.mac" : "string.mac", throughBridge ? bridgeMacro(rows) : stringMacro(rows));
    for (auto _ : state) {
        if (f.entry(f.main, f.view, path.c_str()) != 0) {
            state.SkipWithError("the macro failed");
            return;
        }
    }
    state.counters["rows"] = rows;
    state.counters["s_per_row"] =
        benchmark::Counter(double(rows) * double(state.iterations()), benchmark::Counter::kIsRate |
                                                                          benchmark::Counter::kInvert);
}

void BM_RowsThroughBridge(benchmark::State& state) { runMacro(state, true); }

// The same with Qt's event loop answering the requests, as in the running
// editor: the wait for the macro's end runs Qt's events, and every request
// wakes the loop. Runs last: from here on the layer is Qt's.
void BM_RowsThroughQtEventLoop(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "macrobridgebench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = [] {
        auto* a = new QCoreApplication(argc, argv);
        orvex::qt::installMessagePump();
        return a;
    }();
    (void)app;
    runMacro(state, true);
}
void BM_RowsInInterpreter(benchmark::State& state) { runMacro(state, false); }

// 100,000 rows, then every row of the document (0).
BENCHMARK(BM_RowsThroughBridge)->Arg(100000)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_RowsInInterpreter)->Arg(100000)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_RowsThroughQtEventLoop)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
