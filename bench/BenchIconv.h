#pragma once
// glibc iconv over a corpus file inside the benchmark program: the peer of
// a load (to CP932) or of a save (from CP932), timed the same way as ours.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>

#include "BenchCorpus.h"

namespace orvex::bench {

inline void iconvCorpus(benchmark::State& state, const char* name, const char* from, const char* to) {
    const std::string in = readCorpus(name);
    if (in.empty()) {
        state.SkipWithError("corpus missing: run ../shared/bench/make-corpus.sh");
        return;
    }
    std::string out(in.size() * 3, '\0');
    iconv_t cd = iconv_open(to, from);
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* ip = const_cast<char*>(in.data());
        char* op = out.data();
        size_t il = in.size(), ol = out.size();
        iconv(cd, &ip, &il, &op, &ol);
        iconv(cd, nullptr, nullptr, &op, &ol);
        benchmark::DoNotOptimize(ol);
    }
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}

}  // namespace orvex::bench
