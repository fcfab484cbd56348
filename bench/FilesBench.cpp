// Loading and saving character codes over the shared corpus: detection and
// conversion of whole files (layout not included), the reading before it,
// and writing Shift JIS lines in each code. glibc iconv converts the same
// data in the same program as the in-process peer; bench/files-peers.sh
// adds the iconv and nkf programs.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "BenchCorpus.h"
#include "BenchIconv.h"
#include "common/codepage/SjisWalk.h"
#include "files/ByteSink.h"
#include "files/CharCode.h"
#include "files/CodeChoices.h"
#include "files/CodeWriter.h"
#include "files/FileInfo.h"
#include "files/FileReader.h"
#include "files/SafeFileWriter.h"
#include "files/TextDecoder.h"

using namespace orvex::files;

namespace {

const std::string& corpus(const std::string& name) {
    static std::map<std::string, std::string> cache;
    auto it = cache.find(name);
    if (it == cache.end()) it = cache.emplace(name, orvex::bench::readCorpus(name.c_str())).first;
    return it->second;
}

bool have(benchmark::State& state, const std::string& bytes) {
    if (!bytes.empty()) return true;
    state.SkipWithError("corpus missing: run ../shared/bench/make-corpus.sh");
    return false;
}

// Detection and conversion of a file already in memory.
void BM_DetectConvert(benchmark::State& state, const char* file) {
    const std::string& in = corpus(file);
    if (!have(state, in)) return;
    std::string buf;
    buf.reserve(in.size() + 1);
    DecodedText d;
    for (auto _ : state) {
        state.PauseTiming();
        buf.assign(in);
        state.ResumeTiming();
        d = decodeFileText(buf, kReadDetect);
        benchmark::DoNotOptimize(buf.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
    state.counters["code"] = d.convert.code;
    state.counters["lines"] = static_cast<double>(d.convert.lineCount);
}

// Reading the file (page cache) and converting it: a load without layout.
void BM_ReadConvert(benchmark::State& state, const char* file) {
    const std::string& in = corpus(file);
    if (!have(state, in)) return;
    const std::string path = orvex::bench::corpusPath(file);
    for (auto _ : state) {
        std::string buf;
        readWholeFile(path, 67108862, buf);
        DecodedText d = decodeFileText(buf, kReadDetect);
        benchmark::DoNotOptimize(d);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

// glibc iconv converting the same bytes to CP932 in this program.
void BM_IconvToCp932(benchmark::State& state, const char* file, const char* from) {
    orvex::bench::iconvCorpus(state, file, from, "CP932");
}

// The text of sjis-16m.txt as a document holds it, with its lines.
struct Document {
    std::string text;
    std::vector<std::pair<size_t, size_t>> lines;  // offset, length without the line end
    int lineEnd = 0;
    bool lastLineEnds = false;  // the text ends with a line end
};

const Document& document() {
    static const Document doc = [] {
        Document d;
        d.text = corpus("sjis-16m.txt");
        d.lineEnd = decodeFileText(d.text, kReadDetect).convert.lineEnd;
        size_t i = 0;
        while (i < d.text.size()) {
            size_t j = i;
            while (j < d.text.size() && d.text[j] != '\r') {
                const auto b = static_cast<uint8_t>(d.text[j]);
                j += size_t(orvex::sjis::plainCharLength(b));  // the load's rule: a lead byte takes a CR
            }
            if (j > d.text.size()) j = d.text.size();
            d.lines.emplace_back(i, j - i);
            d.lastLineEnds = j < d.text.size();
            i = j + 1;
            while (i < d.text.size() && d.text[i] == '\n') ++i;
        }
        return d;
    }();
    return doc;
}

void writeDocument(const Document& doc, ByteSink& sink, int code) {
    CodeWriter out(sink, code);
    out.begin();
    const std::string_view end = lineEndText(0, doc.lineEnd);
    for (size_t k = 0; k < doc.lines.size(); ++k) {
        out.writeText(std::string_view(doc.text).substr(doc.lines[k].first, doc.lines[k].second));
        out.endLine(k + 1 < doc.lines.size() || doc.lastLineEnds ? end : std::string_view());
    }
    out.finish();
}

// Writing every line in a code, into memory: the conversion of a save.
void BM_WriteLines(benchmark::State& state, int code) {
    const Document& doc = document();
    if (!have(state, doc.text)) return;
    size_t bytes = 0;
    for (auto _ : state) {
        CountingSink sink;
        writeDocument(doc, sink, code);
        bytes = sink.bytes;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.text.size()));
    state.counters["out_MB"] = static_cast<double>(bytes) / 1e6;
}

// A whole save to a file: temporary file, fsync, rename.
void BM_SaveFile(benchmark::State& state, int code) {
    const Document& doc = document();
    if (!have(state, doc.text)) return;
    const std::string path = temporaryFolder() + "/orvex-files-bench-save.txt";
    for (auto _ : state) {
        SafeFileWriter out;
        if (out.open(path)) {
            state.SkipWithError("cannot write the temporary folder");
            return;
        }
        writeDocument(doc, out, code);
        if (out.commit()) {
            state.SkipWithError("save failed");
            return;
        }
    }
    ::remove(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.text.size()));
}

void BM_IconvFromCp932(benchmark::State& state, const char* to) {
    const std::string& in = corpus("sjis-16m.txt");
    if (!have(state, in)) return;
    std::string out(in.size() * 3, '\0');
    iconv_t cd = iconv_open(to, "CP932");
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* ip = const_cast<char*>(in.data());
        char* op = out.data();
        size_t il = in.size(), ol = out.size();
        iconv(cd, &ip, &il, &op, &ol);
        iconv(cd, nullptr, nullptr, &op, &ol);  // the closing shift
        benchmark::DoNotOptimize(ol);
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

}  // namespace

#define FILE_BENCH(fn, ...) BENCHMARK_CAPTURE(fn, __VA_ARGS__)->Unit(benchmark::kMillisecond)->MinTime(1.0)

FILE_BENCH(BM_DetectConvert, euc_16m, "euc-16m.txt");
FILE_BENCH(BM_IconvToCp932, euc_16m, "euc-16m.txt", "EUC-JP");
FILE_BENCH(BM_DetectConvert, jis_16m, "jis-16m.txt");
FILE_BENCH(BM_IconvToCp932, jis_16m, "jis-16m.txt", "ISO-2022-JP");
FILE_BENCH(BM_DetectConvert, utf16le_16m, "utf16le-16m.txt");
FILE_BENCH(BM_IconvToCp932, utf16le_16m, "utf16le-16m.txt", "UTF-16");
FILE_BENCH(BM_DetectConvert, sjis_64m, "sjis-64m.txt");
FILE_BENCH(BM_DetectConvert, euc_ipadic, "euc-ipadic.csv");
FILE_BENCH(BM_IconvToCp932, euc_ipadic, "euc-ipadic.csv", "EUC-JP");

FILE_BENCH(BM_ReadConvert, euc_16m, "euc-16m.txt");
FILE_BENCH(BM_ReadConvert, jis_16m, "jis-16m.txt");
FILE_BENCH(BM_ReadConvert, utf16le_16m, "utf16le-16m.txt");
FILE_BENCH(BM_ReadConvert, sjis_64m, "sjis-64m.txt");
FILE_BENCH(BM_ReadConvert, euc_ipadic, "euc-ipadic.csv");

FILE_BENCH(BM_WriteLines, sjis, kCodeShiftJis);
FILE_BENCH(BM_WriteLines, jis, kCodeJis);
FILE_BENCH(BM_IconvFromCp932, jis, "ISO-2022-JP");
FILE_BENCH(BM_WriteLines, euc, kCodeEuc);
FILE_BENCH(BM_IconvFromCp932, euc, "EUC-JP");
FILE_BENCH(BM_WriteLines, utf16, kCodeUtf16);
FILE_BENCH(BM_IconvFromCp932, utf16, "UTF-16LE");

FILE_BENCH(BM_SaveFile, sjis, kCodeShiftJis);
FILE_BENCH(BM_SaveFile, jis, kCodeJis);
FILE_BENCH(BM_SaveFile, euc, kCodeEuc);
FILE_BENCH(BM_SaveFile, utf16, kCodeUtf16);
BENCHMARK_MAIN();
