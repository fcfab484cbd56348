#pragma once
// Batch replace: up to 40 fixed pairs applied in one pass.
//
// The text is scanned from its start; at each character the pairs are
// tried in order and the first whose find string is not empty and equals
// the text there byte for byte (and does not end inside a double-byte
// character) wins: its replacement is written and the scan goes on after
// the matched text, which is never looked at again. Where no pair matches
// one character (a whole line end counting as one) is copied. So the pairs
// (ab, x) and (a, y) turn "abac" into "xyc".
#include <cstdint>
#include <string>

#include "search/CharScan.h"
#include "settings/EditorOptions.h"

namespace orvex {
class CLuDoc;
}

namespace orvex::search {

struct BatchOutcome {
    std::string text;         // the replaced text of [changeBegin, changeEnd)
    int32_t count = 0;        // pairs applied
    int32_t changeBegin = 0;  // first replaced byte of the input
    int32_t changeEnd = 0;    // end of the last replaced text of the input
};

// Applies the pairs to [begin, end) of subject; only the stretch from the
// first to the last replacement is returned.
BatchOutcome batchReplaceText(Subject subject, int32_t begin, int32_t end, const settings::BatchPairs& pairs);

struct BatchResult {
    int32_t count = 0;
    int32_t caret = -1;    // after the inserted text; -1 when nothing changed
    bool refused = false;  // the result would pass the size limit (30003 shown)
};

// Replaces [begin, end) of the document by the batch result as one recorded
// replace (one undo step), covering only the stretch that changes.
BatchResult batchReplace(CLuDoc& doc, int32_t begin, int32_t end, const settings::BatchPairs& pairs);

}  // namespace orvex::search
