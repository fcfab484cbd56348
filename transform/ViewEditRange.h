#pragma once
// How the transformation commands read and rewrite a view's text: the
// ranges they work on (selection, whole lines, whole text) and the one
// undoable edit that replaces a range.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvex {
class CLuView;
}

namespace orvex::transform {

struct TextRange {
    int32_t begin = 0;
    int32_t end = 0;
    bool empty() const { return end <= begin; }
};

// The selection in text offsets (empty without one).
TextRange selectionRange(const CLuView& view);
// From the start of the logical line that holds the selection's start (or
// the caret) to the end of the content of the line that holds its end; a
// selection that ends at a line start leaves that line out.
TextRange wholeLines(const CLuView& view);
// The selection, or the whole text without one.
TextRange selectionOrAll(const CLuView& view);
// Offset of the caret in the text.
int32_t caretOffset(const CLuView& view);

// Replaces [range) with text as one undoable edit and puts the caret at
// caret (no selection). Nothing is edited when the text is unchanged; the
// caret still moves. False when the document refused the change.
bool replaceRange(CLuView& view, TextRange range, std::string_view text, int32_t caret);

}  // namespace orvex::transform
