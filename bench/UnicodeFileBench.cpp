// UTF-8 documents: load (read, detection with the UTF-8 check, conversion
// into Shift JIS with the table, full layout at 80 columns) and save of a
// 16 MiB UTF-8 Japanese file, beside glibc iconv converting the same bytes
// in this program; and the cost of the UTF-8 check on the Shift JIS and EUC
// loads, alone and as part of the whole load.
//
// utf8-16m.txt is sjis-16m.txt of the corpus through `iconv -f CP932 -t
// UTF-8`, cut at the last line end before 16 MiB; bench/files-peers.sh
// makes it when it is missing.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "BenchCorpus.h"
#include "BenchIconv.h"
#include "BenchSave.h"
#include "common/codepage/Utf8.h"
#include "files/ByteSink.h"
#include "files/CodeChoices.h"
#include "files/DocumentFile.h"
#include "files/DocumentWriter.h"
#include "files/FileInfo.h"
#include "settings/Settings.h"
#include "text/CLuDoc.h"

using namespace orvex;
using namespace orvex::files;

namespace {

settings::Settings& appSettings() {
    static settings::Settings s{settings::SettingsEnvironment{}};
    return s;
}

const Platform kNoPlatform{};

struct Loaded {
    std::unique_ptr<CLuDoc> doc;
    std::unique_ptr<DocumentFile> file;
    bool ok = false;
};

std::unique_ptr<Loaded> load(const std::string& path) {
    auto l = std::make_unique<Loaded>();
    l->doc = std::make_unique<CLuDoc>(kNoPlatform);
    l->file = std::make_unique<DocumentFile>(*l->doc, documentFileServices(appSettings(), nullptr));
    l->ok = l->file->open(path);
    return l;
}

void BM_Load(benchmark::State& state, const char* name) {
    const std::string path = orvex::bench::corpusPath(name);
    if (!fileExists(path)) {
        state.SkipWithError("corpus file missing: run bench/files-peers.sh or make-corpus.sh");
        return;
    }
    appSettings().document = settings::DocumentOptions{};
    int64_t code = 0, rows = 0;
    for (auto _ : state) {
        std::unique_ptr<Loaded> l = load(path);
        if (!l->ok) {
            state.SkipWithError("open failed");
            return;
        }
        code = l->file->code();
        rows = l->doc->text().rowCount();
        state.PauseTiming();
        l.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(*fileSize(path)));
    state.counters["code"] = static_cast<double>(code);
    state.counters["rows"] = static_cast<double>(rows);
}

// The UTF-8 check alone over a file's bytes (what detection adds to every
// load that has no byte-order mark).
void BM_Utf8Check(benchmark::State& state, const char* name) {
    const std::string in = orvex::bench::readCorpus(name);
    if (in.empty()) {
        state.SkipWithError("corpus missing");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(utf8::isNonAsciiUtf8(reinterpret_cast<const uint8_t*>(in.data()), in.size()));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}

Loaded* loadedUtf8() {
    static std::unique_ptr<Loaded> l = load(orvex::bench::corpusPath("utf8-16m.txt"));
    return l->ok ? l.get() : nullptr;
}

// Conversion only (into a sink that keeps nothing) and a real save (safe
// writer, fsync, rename), in the document's own UTF-8.
void BM_WriteUtf8(benchmark::State& state) {
    Loaded* l = loadedUtf8();
    if (!l) {
        state.SkipWithError("utf8-16m.txt missing");
        return;
    }
    appSettings().document = settings::DocumentOptions{};
    const WriteOptions options = l->file->writeOptions();
    for (auto _ : state) {
        CountingSink sink;
        writeDocumentText(l->doc->text(), options, sink);
        benchmark::DoNotOptimize(sink.bytes);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(l->doc->text().length()));
}

void BM_SaveUtf8(benchmark::State& state) {
    Loaded* l = loadedUtf8();
    if (!l) {
        state.SkipWithError("utf8-16m.txt missing");
        return;
    }
    appSettings().document = settings::DocumentOptions{};
    orvex::bench::saveCopies(state, *l->file, *l->doc, temporaryFolder() + "/orvex-unicode-bench-save.txt");
}

void BM_Iconv(benchmark::State& state, const char* name, const char* from, const char* to) {
    orvex::bench::iconvCorpus(state, name, from, to);
}

}  // namespace

#define UNI_BENCH(fn, ...) BENCHMARK_CAPTURE(fn, __VA_ARGS__)->Unit(benchmark::kMillisecond)->MinTime(1.0)

UNI_BENCH(BM_Load, utf8_16m, "utf8-16m.txt");
UNI_BENCH(BM_Iconv, utf8_16m_to_cp932, "utf8-16m.txt", "UTF-8", "CP932");
UNI_BENCH(BM_Load, sjis_64m, "sjis-64m.txt");
UNI_BENCH(BM_Load, euc_16m, "euc-16m.txt");
UNI_BENCH(BM_Utf8Check, sjis_64m, "sjis-64m.txt");
UNI_BENCH(BM_Utf8Check, euc_16m, "euc-16m.txt");
UNI_BENCH(BM_Utf8Check, utf8_16m, "utf8-16m.txt");
BENCHMARK(BM_WriteUtf8)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_SaveUtf8)->Unit(benchmark::kMillisecond)->MinTime(1.0);
UNI_BENCH(BM_Iconv, sjis_16m_to_utf8, "sjis-16m.txt", "CP932", "UTF-8");
BENCHMARK_MAIN();
