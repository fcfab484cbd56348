// Search and replace over 64 MiB of Japanese prose (sjis-64m.txt), with the
// peer tools run in the same program so that both are timed in one run:
//
//   - a literal word that occurs rarely (漢字), one that never occurs (東京)
//     and a frequent one (ファイル): every occurrence counted, beside
//     `LC_ALL=C grep -c -F` on the same file;
//   - regular expressions ファイル.*削除 (rare) and ファイル.*東京 (absent),
//     beside `LC_ALL=C grep -c -E` and `rg -c` (given the pattern in
//     byte mode as hexadecimal escapes, since it is no UTF-8), and once
//     more with the skip by pieces off (the plain search, for scale);
//     ファイル.*の (frequent) with the skip on and off;
//   - replace all of 場合 (about 95,000 times) by 事例 in a document of the
//     whole file, beside `LC_ALL=C sed 's/場合/事例/g'`.
//
// Patterns are handed to the peers as byte files (-f), never through the
// shell, and none of them holds the byte 0x5C. Peers write to a file, not to
// /dev/null (grep stops early when its output is /dev/null). Peer rows time
// the whole process (start, read, work); ours time the work on text that is
// already in memory, as in the editor.
//
//   build/bin/searchbench --benchmark_filter=... ; bench/search-peers.sh
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchCorpus.h"
#include "search/DocumentSearch.h"
#include "search/PatternMatcher.h"
#include "search/ReplaceAll.h"
#include "text/CLuDoc.h"

namespace {

using namespace orvex;
using namespace orvex::search;

const char kRare[] = "\x8a\xbf\x8e\x9a";                    // 漢字
const char kAbsent[] = "\x93\x8c\x8b\x9e";                  // 東京
const char kFrequent[] = "\x83\x74\x83\x40\x83\x43\x83\x8b";  // ファイル
const char kRegexRare[] = "\x83\x74\x83\x40\x83\x43\x83\x8b.*\x8d\xed\x8f\x9c";    // ファイル.*削除
const char kRegexAbsent[] = "\x83\x74\x83\x40\x83\x43\x83\x8b.*\x93\x8c\x8b\x9e";  // ファイル.*東京
const char kRegexFrequent[] = "\x83\x74\x83\x40\x83\x43\x83\x8b.*\x82\xcc";  // ファイル.*の
const char kWord[] = "\x8f\xea\x8d\x87";                    // 場合
const char kReplacement[] = "\x8e\x96\x97\xe1";                // 事例

const std::string& corpus() {
    static const std::string text = bench::readCorpus("sjis-64m.txt");
    return text;
}

bool haveCorpus(benchmark::State& state) {
    if (!corpus().empty()) return true;
    state.SkipWithError("corpus missing: run ../shared/bench/make-corpus.sh");
    return false;
}

Subject corpusSubject() {
    return Subject{reinterpret_cast<const uint8_t*>(corpus().data()), int32_t(corpus().size())};
}

// Every match from the start, one search after another.
int64_t countAll(const CompiledPattern& p, Subject s, bool skip) {
    PatternMatcher m(p, s);
    m.setSkipByPieces(skip);
    SearchRange r;
    r.end = s.length;
    int64_t n = 0;
    for (int32_t from = 0; from <= s.length;) {
        const Match hit = m.findFirst(r, from, s.length);
        if (!hit.found()) break;
        ++n;
        from = hit.offset + s.charLength(hit.offset);
    }
    return n;
}

void BM_Count(benchmark::State& state, const char* pattern, bool regex, bool matchCase, bool skip = true) {
    if (!haveCorpus(state)) return;
    CompiledPattern p;
    if (p.compile(pattern, {matchCase, false, regex}) != CompiledPattern::Status::Ok) {
        state.SkipWithError("pattern");
        return;
    }
    int64_t n = 0;
    for (auto _ : state) {
        n = countAll(p, corpusSubject(), skip);
        benchmark::DoNotOptimize(n);
    }
    state.counters["matches"] = double(n);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(corpus().size()));
}

void BM_FindBackward(benchmark::State& state, const char* pattern, bool regex) {
    if (!haveCorpus(state)) return;
    CompiledPattern p;
    p.compile(pattern, {true, false, regex});
    const Subject s = corpusSubject();
    for (auto _ : state) {
        const Match m = findInSubject(p, s, 0, s.length, false);
        benchmark::DoNotOptimize(m);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(corpus().size()));
}

void BM_ReplaceAll(benchmark::State& state, const char* file, ReplaceStrategy strategy) {
    const std::string text = bench::readCorpus(file);
    if (text.empty()) {
        state.SkipWithError("corpus missing: run ../shared/bench/make-corpus.sh");
        return;
    }
    CompiledPattern p;
    p.compile(kWord, {true, false, false});
    Platform none;
    int32_t count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CLuDoc>(none);
        doc->text().setText(text);
        doc->layoutAll();
        doc->markLoaded();
        ReplaceAllRequest req;
        req.pattern = &p;
        req.replacement = kReplacement;
        req.rangeEnd = doc->text().length();
        state.ResumeTiming();
        count = replaceAll(*doc, req, strategy).count;
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["replaced"] = count;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

// ---- Peers: whole processes, timed by wall clock.

std::string writeBytes(const char* name, const std::string& bytes) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/orvex-searchbench-" + name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

void BM_Peer(benchmark::State& state, const char* name, std::string tool, std::string patternBytes) {
    if (!haveCorpus(state)) return;
    const std::string patternFile = writeBytes(name, patternBytes + "\n");
    const std::string out = writeBytes((std::string(name) + ".out").c_str(), "");
    const std::string cmd = "LC_ALL=C " + tool + " " + patternFile + " '" + bench::corpusPath("sjis-64m.txt") +
                            "' > " + out;
    for (auto _ : state) {
        const int rc = std::system(cmd.c_str());
        benchmark::DoNotOptimize(rc);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(corpus().size()));
}

// The pattern for rg: byte mode, every non-ASCII byte as "\xHH", so that
// the shell and rg's UTF-8 check see ASCII only.
std::string rgPattern(const std::string& bytes) {
    std::string out = "(?-u)";
    char hex[8];
    for (unsigned char c : bytes) {
        if (c < 0x80 && c != '\'' && c != '\\') {
            out += char(c);
        } else {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

void BM_Rg(benchmark::State& state, const char* name, const char* pattern) {
    if (!haveCorpus(state)) return;
    if (std::system("command -v rg > /dev/null 2>&1") != 0) {
        state.SkipWithError("rg not installed (Debian package ripgrep)");
        return;
    }
    const std::string out = writeBytes((std::string(name) + ".out").c_str(), "");
    const std::string cmd = "rg -c -e '" + rgPattern(pattern) + "' '" + bench::corpusPath("sjis-64m.txt") + "' > " + out;
    for (auto _ : state) {
        const int rc = std::system(cmd.c_str());
        benchmark::DoNotOptimize(rc);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(corpus().size()));
}

}  // namespace

BENCHMARK_CAPTURE(BM_Count, literal_rare, kRare, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer, grep_F_rare, "rare", "grep -c -F -f", kRare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Count, literal_absent, kAbsent, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer, grep_F_absent, "absent", "grep -c -F -f", kAbsent)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Count, literal_frequent, kFrequent, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer, grep_F_frequent, "frequent", "grep -c -F -f", kFrequent)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Count, literal_absent_nocase, kAbsent, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindBackward, literal_absent_backward, kAbsent, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Count, regex_rare, kRegexRare, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer, grep_E_rare, "regex-rare", "grep -c -E -f", kRegexRare)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Rg, rg_rare, "rg-rare", kRegexRare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Count, regex_rare_plain, kRegexRare, true, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Count, regex_absent, kRegexAbsent, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer, grep_E_absent, "regex-absent", "grep -c -E -f", kRegexAbsent)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Rg, rg_absent, "rg-absent", kRegexAbsent)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Count, regex_absent_plain, kRegexAbsent, true, true, false)->Unit(benchmark::kMillisecond);
// A frequent one: the pieces do not pay off, they must not cost much.
BENCHMARK_CAPTURE(BM_Count, regex_frequent, kRegexFrequent, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Count, regex_frequent_plain, kRegexFrequent, true, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReplaceAll, replace_all_64m, "sjis-64m.txt", ReplaceStrategy::Automatic)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Peer, sed_replace_64m, "sed", "sed -f",
                  std::string("s/") + kWord + "/" + kReplacement + "/g")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
// One by one, for scale, on 1 MiB.
BENCHMARK_CAPTURE(BM_ReplaceAll, replace_all_1m_bulk, "sjis-1m.txt", ReplaceStrategy::Bulk)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ReplaceAll, replace_all_1m_one_by_one, "sjis-1m.txt", ReplaceStrategy::OneByOne)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
