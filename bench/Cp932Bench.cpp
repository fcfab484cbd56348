// Code page conversion speed over 64 MiB of Japanese prose, each way, with
// glibc iconv on the same data in the same run as the peer.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include "BenchCorpus.h"
#include "common/codepage/Cp932.h"

namespace {

const std::string& sjisText() {
    static const std::string text = orvex::bench::readCorpus("sjis-64m.txt");
    return text;
}

const std::u16string& utf16Text() {
    static const std::u16string text = orvex::cp932::toUtf16(sjisText());
    return text;
}

bool haveCorpus(benchmark::State& state) {
    if (!sjisText().empty()) return true;
    state.SkipWithError("corpus missing: run ../shared/bench/make-corpus.sh");
    return false;
}

void BM_SjisToUtf16(benchmark::State& state) {
    if (!haveCorpus(state)) return;
    const std::string& in = sjisText();
    std::u16string out(in.size(), u'\0');
    for (auto _ : state) {
        size_t n = orvex::cp932::toUtf16(reinterpret_cast<const uint8_t*>(in.data()), in.size(), out.data());
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

void BM_Utf16ToSjis(benchmark::State& state) {
    if (!haveCorpus(state)) return;
    const std::u16string& in = utf16Text();
    std::string out(in.size() * 2, '\0');
    for (auto _ : state) {
        size_t n = orvex::cp932::fromUtf16(in.data(), in.size(), reinterpret_cast<uint8_t*>(out.data()));
        benchmark::DoNotOptimize(n);
    }
    // Reported against the Shift JIS size so that both directions compare.
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * sjisText().size()));
}

void runIconv(benchmark::State& state, const char* to, const char* from, const char* in, size_t inBytes,
              size_t outCapacity) {
    std::string out(outCapacity, '\0');
    iconv_t cd = iconv_open(to, from);
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* ip = const_cast<char*>(in);
        char* op = out.data();
        size_t il = inBytes, ol = out.size();
        iconv(cd, &ip, &il, &op, &ol);
        benchmark::DoNotOptimize(ol);
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * sjisText().size()));
}

void BM_IconvSjisToUtf16(benchmark::State& state) {
    if (!haveCorpus(state)) return;
    runIconv(state, "UTF-16LE", "CP932", sjisText().data(), sjisText().size(), sjisText().size() * 2);
}

void BM_IconvUtf16ToSjis(benchmark::State& state) {
    if (!haveCorpus(state)) return;
    const std::u16string& u = utf16Text();
    runIconv(state, "CP932", "UTF-16LE", reinterpret_cast<const char*>(u.data()), u.size() * 2, u.size() * 2);
}

}  // namespace

BENCHMARK(BM_SjisToUtf16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IconvSjisToUtf16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Utf16ToSjis)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IconvUtf16ToSjis)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
