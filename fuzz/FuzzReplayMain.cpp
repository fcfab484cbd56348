// Drives a fuzz target without libFuzzer: first the files of its seed
// corpus, then a fixed number of inputs made from seeds by random byte
// mutations and splices, then purely random inputs. Deterministic, so a
// failure repeats; a crash or sanitizer report fails the test.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    std::vector<std::string> seeds;
    if (argc > 1 && std::filesystem::is_directory(argv[1])) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    const long iterations = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 10000;
    for (const auto& s : seeds) LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(s.data()), s.size());

    std::mt19937_64 rng(0x4F727665);
    // Bytes that matter to Shift JIS text and to most parsers.
    static const uint8_t interesting[] = {0x00, 0x09, 0x0A, 0x0C, 0x0D, 0x1A, 0x1B, 0x20, 0x22, 0x24, 0x28,
                                          0x2A, 0x2F, 0x3B, 0x40, 0x5B, 0x5C, 0x5D, 0x7B, 0x7D, 0x7E, 0x7F,
                                          0x80, 0x81, 0x82, 0x8E, 0x9F, 0xA0, 0xA1, 0xDF, 0xE0, 0xFC, 0xFD, 0xFF};
    std::string input;
    for (long i = 0; i < iterations; ++i) {
        if (!seeds.empty() && i % 3 != 2) {
            input = seeds[rng() % seeds.size()];
            const int edits = 1 + static_cast<int>(rng() % 8);
            for (int e = 0; e < edits; ++e) {
                const size_t pos = input.empty() ? 0 : rng() % (input.size() + 1);
                switch (rng() % 4) {
                    case 0:
                        if (!input.empty()) input[pos % input.size()] = static_cast<char>(rng());
                        break;
                    case 1:
                        input.insert(pos, 1, static_cast<char>(interesting[rng() % sizeof interesting]));
                        break;
                    case 2:
                        if (!input.empty()) input.erase(pos % input.size(), 1 + rng() % 16);
                        break;
                    default: {
                        const std::string& other = seeds[rng() % seeds.size()];
                        if (!other.empty()) {
                            size_t from = rng() % other.size();
                            input.insert(pos, other.substr(from, 1 + rng() % 64));
                        }
                    }
                }
            }
        } else {
            input.resize(rng() % 256);
            for (char& c : input)
                c = static_cast<char>(rng() % 2 ? interesting[rng() % sizeof interesting] : rng() % 256);
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("%zu seeds, %ld generated inputs\n", seeds.size(), iterations);
    return 0;
}
