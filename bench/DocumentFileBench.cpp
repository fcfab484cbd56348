// Documents loaded from the shared corpus through their file side (read,
// detect, convert, full layout at 80 columns) and saved back in every code,
// beside glibc iconv converting the same data in this program.
// bench/files-peers.sh runs it in the same run as the iconv and nkf
// programs; bench/load-peers.sh runs the load rows beside the naive row walk.
//
// `documentfilebench --load-once FILE` loads FILE once, prints the rows,
// bytes and milliseconds of the load and exits (status 0 when the load
// worked): the first load of a fresh process, and its peak memory under
// /usr/bin/time.
//
// Blocks of a megabyte and more are mapped fresh from the kernel for every
// load and given back when the document goes (a fixed mmap threshold):
// otherwise the C library would keep a freed block below its 32 MiB limit
// and hand it to the next iteration, so that a 16 MiB load would skip the
// first touch of its memory that a 64 MiB load, and any first load, pays.
//
// Load rows open a fresh document each iteration (its release is not
// timed). Save rows write a copy through the safe writer (temporary file,
// fsync, rename); write rows convert the same text into a sink that keeps
// nothing, which is what iconv into /dev/null does.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "BenchCorpus.h"
#include "BenchIconv.h"
#include "BenchSave.h"
#include "files/ByteSink.h"
#include "files/CharCode.h"
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

bool exists(benchmark::State& state, const std::string& path) {
    if (fileExists(path)) return true;
    state.SkipWithError("corpus missing: run ../shared/bench/make-corpus.sh");
    return false;
}

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

// One loaded document per corpus file, for the save rows.
Loaded* loaded(const char* name) {
    static std::map<std::string, std::unique_ptr<Loaded>> cache;
    auto it = cache.find(name);
    if (it == cache.end()) it = cache.emplace(name, load(orvex::bench::corpusPath(name))).first;
    return it->second->ok ? it->second.get() : nullptr;
}

void BM_LoadDocument(benchmark::State& state, const char* name) {
    const std::string path = orvex::bench::corpusPath(name);
    if (!exists(state, path)) return;
    appSettings().document = settings::DocumentOptions{};
    int64_t bytes = 0, rows = 0, code = 0;
    for (auto _ : state) {
        std::unique_ptr<Loaded> l = load(path);
        if (!l->ok) {
            state.SkipWithError("open failed");
            return;
        }
        rows = l->doc->text().rowCount();
        bytes = l->doc->text().length();
        code = l->file->code();
        state.PauseTiming();
        l.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(*fileSize(path)));
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["text_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["code"] = static_cast<double>(code);
}

// The loaded document with every save option at its default and the
// output code set; null (the benchmark skipped) without the corpus.
Loaded* loadedForWriting(benchmark::State& state, const char* name, int code) {
    Loaded* l = loaded(name);
    if (!l) {
        state.SkipWithError("corpus missing or open failed");
        return nullptr;
    }
    appSettings().document = settings::DocumentOptions{};
    appSettings().document.saveKanji = code;
    return l;
}

void BM_WriteDocument(benchmark::State& state, const char* name, int code) {
    Loaded* l = loadedForWriting(state, name, code);
    if (!l) return;
    const WriteOptions options = l->file->writeOptions();
    uint64_t out = 0;
    for (auto _ : state) {
        CountingSink sink;
        writeDocumentText(l->doc->text(), options, sink);
        out = sink.bytes;
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(l->doc->text().length()));
    state.counters["out_MB"] = static_cast<double>(out) / 1e6;
}

void BM_SaveDocument(benchmark::State& state, const char* name, int code) {
    Loaded* l = loadedForWriting(state, name, code);
    if (!l) return;
    orvex::bench::saveCopies(state, *l->file, *l->doc, temporaryFolder() + "/orvex-document-bench-save.txt");
}

// glibc iconv over the same bytes in this program: to CP932 (the peer of
// a load), from CP932 (the peer of a save).
void BM_Iconv(benchmark::State& state, const char* name, const char* from, const char* to) {
    orvex::bench::iconvCorpus(state, name, from, to);
}

}  // namespace

#define DOC_BENCH(fn, ...) BENCHMARK_CAPTURE(fn, __VA_ARGS__)->Unit(benchmark::kMillisecond)->MinTime(1.0)

DOC_BENCH(BM_LoadDocument, euc_16m, "euc-16m.txt");
DOC_BENCH(BM_Iconv, euc_16m_to_cp932, "euc-16m.txt", "EUC-JP", "CP932");
DOC_BENCH(BM_LoadDocument, jis_16m, "jis-16m.txt");
DOC_BENCH(BM_Iconv, jis_16m_to_cp932, "jis-16m.txt", "ISO-2022-JP", "CP932");
DOC_BENCH(BM_LoadDocument, utf16le_16m, "utf16le-16m.txt");
DOC_BENCH(BM_Iconv, utf16le_16m_to_cp932, "utf16le-16m.txt", "UTF-16", "CP932");
DOC_BENCH(BM_LoadDocument, euc_ipadic, "euc-ipadic.csv");
DOC_BENCH(BM_Iconv, euc_ipadic_to_cp932, "euc-ipadic.csv", "EUC-JP", "CP932");
DOC_BENCH(BM_LoadDocument, sjis_16m, "sjis-16m.txt");
DOC_BENCH(BM_LoadDocument, sjis_64m, "sjis-64m.txt");

DOC_BENCH(BM_Iconv, sjis_16m_to_euc, "sjis-16m.txt", "CP932", "EUC-JP");
DOC_BENCH(BM_Iconv, sjis_16m_to_jis, "sjis-16m.txt", "CP932", "ISO-2022-JP");
DOC_BENCH(BM_Iconv, sjis_16m_to_utf16, "sjis-16m.txt", "CP932", "UTF-16LE");

#define DOC_SAVES(name, file)                                   \
    DOC_BENCH(BM_WriteDocument, name##_sjis, file, kCodeShiftJis); \
    DOC_BENCH(BM_WriteDocument, name##_jis, file, kCodeJis);       \
    DOC_BENCH(BM_WriteDocument, name##_euc, file, kCodeEuc);       \
    DOC_BENCH(BM_WriteDocument, name##_utf16, file, kCodeUtf16);   \
    DOC_BENCH(BM_SaveDocument, name##_sjis, file, kCodeShiftJis);  \
    DOC_BENCH(BM_SaveDocument, name##_jis, file, kCodeJis);        \
    DOC_BENCH(BM_SaveDocument, name##_euc, file, kCodeEuc);        \
    DOC_BENCH(BM_SaveDocument, name##_utf16, file, kCodeUtf16)

DOC_SAVES(euc_16m, "euc-16m.txt");
DOC_SAVES(jis_16m, "jis-16m.txt");
DOC_SAVES(utf16le_16m, "utf16le-16m.txt");
DOC_SAVES(euc_ipadic, "euc-ipadic.csv");
DOC_SAVES(sjis_64m, "sjis-64m.txt");

int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    if (argc == 3 && std::strcmp(argv[1], "--load-once") == 0) {
        appSettings().document = settings::DocumentOptions{};
        const auto t0 = std::chrono::steady_clock::now();
        const std::unique_ptr<Loaded> l = load(argv[2]);
        const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - t0;
        if (!l->ok) return 1;
        std::printf("rows=%d bytes=%d ms=%.3f\n", l->doc->text().rowCount(), l->doc->text().length(), ms.count());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
