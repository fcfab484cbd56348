#pragma once
// Searching a document's text and the positions its edits use.
#include <cstdint>

#include "search/CharScan.h"
#include "search/PatternMatcher.h"
#include "text/TextPosition.h"
#include "text/TextStore.h"

namespace orvex::search {

// The document's text without its terminating NUL.
inline Subject subjectOf(const TextStore& text) { return Subject{text.bytes(), text.length()}; }

// First (forward) or last (backward) match inside [begin, end].
inline Match findInText(const TextStore& text, const CompiledPattern& pattern, int32_t begin, int32_t end,
                        bool forward) {
    return findInSubject(pattern, subjectOf(text), begin, end, forward);
}

// The cursor position an edit at offset starts from: the row and byte
// column of the offset, where display column 0 of a continuation row is
// taken as the end of the row before it (the same place in the text).
TextPosition editPosition(const TextStore& text, int32_t offset);

// Offset one character (a whole line end counting as one) after or before
// offset; offset itself at the ends of the text.
int32_t nextCharOffset(const TextStore& text, int32_t offset);
int32_t previousCharOffset(const TextStore& text, int32_t offset);

// The word at offset as the search commands take it: the run of characters
// of the class of the character at offset, within its logical line, when
// that class is 1 (ASCII letters, digits, "_") or 3 to 7 (half-width kana,
// full-width letters and digits, hiragana, katakana, kanji). An empty range
// (at offset) for any other class and at a line end.
struct TextRange {
    int32_t begin = 0;
    int32_t end = 0;
};
TextRange wordAt(const TextStore& text, int32_t offset);

}  // namespace orvex::search
