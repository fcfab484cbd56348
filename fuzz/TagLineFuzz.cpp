// The tag-line parser over arbitrary lines: it never reads outside the
// line, a name it returns is a non-empty piece of the line without control
// characters or trailing blanks, and the line number is never negative.
// The structure search runs over the same bytes as a document's text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "search/StructureSearch.h"
#include "search/TagLine.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    if (const auto loc = orvex::search::parseTagLine(line)) {
        check(!loc->file.empty());
        check(loc->line >= 0);
        check(line.find(loc->file) != std::string::npos);
        check(loc->file.back() != ' ' && loc->file.back() != '\t');
        for (unsigned char c : loc->file) check(c >= 0x20 || c >= 0x80);
    }
    const std::string_view text(line);
    for (int32_t caret : {0, int32_t(size / 2), int32_t(size)}) {
        if (const auto pair = orvex::search::matchBracket(text, caret)) {
            check(pair->bracket >= 0 && pair->bracket < int32_t(size));
            check(pair->partner >= 0 && pair->partner < int32_t(size));
            check(pair->bracket != pair->partner);
        }
    }
    int32_t last = -1;
    for (int32_t offset : orvex::search::functionDefinitions(text)) {
        check(offset > last && offset < int32_t(size));
        last = offset;
    }
    return 0;
}
