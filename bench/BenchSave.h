#pragma once
// Saving a loaded document again and again as a copy (the document stays as
// it is), the bytes of its text counted per save.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "files/DocumentFile.h"
#include "text/CLuDoc.h"

namespace orvex::bench {

inline void saveCopies(benchmark::State& state, files::DocumentFile& file, const CLuDoc& doc, const std::string& target) {
    for (auto _ : state) {
        if (!file.saveDocument(target, files::SaveKind::Copy)) {
            state.SkipWithError("save failed");
            return;
        }
    }
    ::unlink(target.c_str());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(doc.text().length()));
}

}  // namespace orvex::bench
