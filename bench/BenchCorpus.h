#pragma once
// Access to the shared benchmark corpus. The corpus folder comes from
// ORVEX_CORPUS (default /tmp/orvex-corpus, where make-corpus.sh writes it).
#include <cstdio>
#include <cstdlib>
#include <string>

namespace orvex::bench {

inline std::string corpusPath(const char* name) {
    const char* dir = std::getenv("ORVEX_CORPUS");
    return std::string(dir && *dir ? dir : "/tmp/orvex-corpus") + "/" + name;
}

// The whole file, or an empty string when it is missing.
inline std::string readCorpus(const char* name) {
    std::string path = corpusPath(name);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return {};
    std::string data;
    char buf[1 << 16];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    std::fclose(f);
    return data;
}

}  // namespace orvex::bench
