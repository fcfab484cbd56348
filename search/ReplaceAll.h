#pragma once
// Replacing every further match of a pattern in a document.
//
// The result is by definition that of replacing one match after another
// through the recording edits: find, replace (a recorded deletion and
// insertion, one undo step), move behind the inserted text (before it when
// searching toward the start), find again. Replaced text is never searched
// again. After an empty match, and after every match of a regular
// expression that ends with "$", the next search starts one character
// further on, so that the loop always ends. An empty match that would be
// replaced by nothing is passed over; when the very first match is such a
// one nothing can ever progress and the loop stops at once ("stalled").
//
// Doing that literally moves the text's tail once per match. replaceAll
// finds the matches on the unchanged text first (a match's surroundings
// are taken from the replaced text where that matters: "^", "$" and word
// boundaries at the point where the search resumes), then either applies
// them one by one (few matches near the end) or rebuilds the touched lines
// in a few large edits and sets the undo records, marks and modified bits
// to what the one-by-one edits would have left, in time linear in the text.
// Both give the same text, caret, count, undo records and row flags; the
// row word of an undo record is taken from the layout after (forward) or
// before (backward) the replacements, which is the row at the time unless
// a wrap decision before the match depended on the text after it.
#include <cstdint>
#include <string>

#include "search/CompiledPattern.h"
#include "search/PatternMatcher.h"

namespace orvex {
class CLuDoc;
class DocumentObserver;
}  // namespace orvex

namespace orvex::search {

struct ReplaceAllRequest {
    const CompiledPattern* pattern = nullptr;
    std::string replacement;  // as inserted (special characters already expanded)
    int32_t rangeBegin = 0;   // the search range, character boundaries
    int32_t rangeEnd = 0;
    // The caret: searches toward the end start here, searches toward the
    // start end here.
    int32_t from = 0;
    bool forward = true;
    // A match already found and shown, replaced first; when not found the
    // loop starts with a search.
    Match current;
    // Bytes of unchanged text per slice when the touched lines are replaced
    // at once (0: the default, 2 MiB; small values test the slicing).
    int32_t sliceBytes = 0;
};

enum class ReplaceStrategy {
    Automatic,  // whichever of the two below is cheaper
    OneByOne,   // search the changed document again after every replacement
    Planned,    // find all matches first, then apply them one by one
    Bulk,       // find all matches first, then rebuild the touched lines at once
};

struct ReplaceAllResult {
    ReplaceStrategy used = ReplaceStrategy::Automatic;  // how it was done (Automatic: nothing done)
    int32_t count = 0;
    int32_t caret = 0;     // where the caret goes
    int32_t rangeEnd = 0;  // the range end, moved by the replacements
    bool stalled = false;  // empty match and empty replacement at the start (30054)
    bool refused = false;  // the text size limit stopped it (30003 shown)
};

ReplaceAllResult replaceAll(CLuDoc& doc, const ReplaceAllRequest& request,
                            ReplaceStrategy strategy = ReplaceStrategy::Automatic, DocumentObserver* source = nullptr);

// One replacement through the recording edits, as the replace commands do
// it: the deletion (kind 3, or 2 without replacement text) and the
// insertion (kind 4, or 1 for an empty match). False when the document
// refused the change (read-only), or refused the insertion because of the
// size limit (the deletion has then happened, 30003 was shown).
bool replaceMatch(CLuDoc& doc, Match match, const std::string& replacement);

}  // namespace orvex::search
