// Find in files over the corpus tree ($ORVEX_CORPUS/tree: about 88 MB of
// headers in mixed codes) beside the peers on the same tree in the same
// run: `grep -rn` (C locale) and `rg -n -j1`. Ours walks, reads, detects
// and converts each file and writes tag-file lines into memory, as the
// result document receives them.
//
// The share rows search the first quarter, half and all of the tree's
// files (sorted by path) as a file list, for the cost per MB at each size.
//
//   bench/find-in-files-peers.sh          (medians and ratios)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchCorpus.h"
#include "search/FindInFiles.h"

using namespace orvex;

namespace {

constexpr const char* kWord = "memcpy";  // 415 lines in the tree

class CountingSink final : public search::FindInFilesSink {
public:
    void write(std::string_view lines) override { bytes += lines.size(); }
    size_t bytes = 0;
};

std::string treePath() { return bench::corpusPath("tree"); }

bool haveTree(benchmark::State& state) {
    if (std::filesystem::is_directory(treePath())) return true;
    state.SkipWithError("corpus tree missing: run ../shared/bench/make-corpus.sh");
    return false;
}

search::CompiledPattern word() {
    search::CompiledPattern p;
    p.compile(kWord, search::PatternOptions{true, false, false});
    return p;
}

// Every regular file of the tree, sorted, with their total size.
const std::vector<std::string>& treeFiles(size_t* totalBytes = nullptr) {
    static std::vector<std::string> files;
    static std::vector<size_t> sizes;
    if (files.empty() && std::filesystem::is_directory(treePath())) {
        for (const auto& e : std::filesystem::recursive_directory_iterator(treePath()))
            if (e.is_regular_file()) files.push_back(e.path().string());
        std::sort(files.begin(), files.end());
        for (const auto& f : files) sizes.push_back(size_t(std::filesystem::file_size(f)));
    }
    if (totalBytes) {
        *totalBytes = 0;
        for (size_t s : sizes) *totalBytes += s;
    }
    return files;
}

void BM_FindInFilesTree(benchmark::State& state) {
    if (!haveTree(state)) return;
    const search::CompiledPattern p = word();
    search::FindInFilesRequest r;
    r.folder = treePath();
    r.filter = "*";
    r.subFolders = true;
    r.readSetting = 1;
    size_t hits = 0;
    for (auto _ : state) {
        CountingSink sink;
        hits = search::findInFiles(p, r, sink).hits;
        benchmark::DoNotOptimize(sink.bytes);
    }
    size_t total = 0;
    treeFiles(&total);
    state.counters["hits"] = double(hits);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(total));
}

void BM_FindInFilesShare(benchmark::State& state) {
    if (!haveTree(state)) return;
    const std::vector<std::string>& all = treeFiles();
    const size_t n = all.size() * size_t(state.range(0)) / 4;
    search::FindInFilesRequest r;
    r.useFiles = true;
    r.files.assign(all.begin(), all.begin() + ptrdiff_t(n));
    r.readSetting = 1;
    size_t bytes = 0;
    for (const auto& f : r.files) bytes += size_t(std::filesystem::file_size(f));
    const search::CompiledPattern p = word();
    for (auto _ : state) {
        CountingSink sink;
        benchmark::DoNotOptimize(search::findInFiles(p, r, sink).hits);
    }
    state.counters["MB"] = double(bytes) / 1e6;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void BM_TreePeer(benchmark::State& state, const char* command) {
    if (!haveTree(state)) return;
    const std::string cmd = std::string(command) + " " + kWord + " '" + treePath() + "' > /dev/null";
    if (std::string(command).rfind("rg", 0) == 0 && std::system("command -v rg > /dev/null 2>&1") != 0) {
        state.SkipWithError("rg not installed (Debian package ripgrep)");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(std::system(cmd.c_str()));
}

}  // namespace

BENCHMARK(BM_FindInFilesTree)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_TreePeer, grep_rn, "LC_ALL=C grep -rn -F")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_TreePeer, rg_j1, "rg -n -j1 --no-ignore --hidden -F")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindInFilesShare)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
