#include "transform/ViewEditRange.h"

#include <algorithm>

#include "common/codepage/SjisWalk.h"
#include "text/CLuView.h"

namespace orvex::transform {

namespace {

// First byte at or after `at` that ends a line's content. Line-end bytes
// are never trail bytes under the document rule, so a byte scan finds it.
int32_t contentEnd(const TextStore& t, int32_t at) {
    const uint8_t* p = t.bytes();
    const int32_t n = t.length();
    while (at < n && !sjis::endsContent(p[at])) ++at;
    return at;
}

int32_t lineStart(const TextStore& t, int32_t offset) {
    return t.row(t.firstRowOfLine(t.rowOfOffset(offset))).offset;
}

}  // namespace

int32_t caretOffset(const CLuView& view) {
    const TextPosition& c = view.cursor();
    return view.document().text().offsetOf(c.row, c.byteColumn);
}

TextRange selectionRange(const CLuView& view) {
    if (!view.hasSelection()) return {};
    return {view.selectionStartOffset(), view.selectionEndOffset()};
}

TextRange wholeLines(const CLuView& view) {
    const TextStore& t = view.document().text();
    TextRange sel = selectionRange(view);
    if (sel.empty()) sel.begin = sel.end = caretOffset(view);
    int32_t last = sel.end;
    if (sel.end > sel.begin && lineStart(t, sel.end) == sel.end) {
        // Ends at a line start: the line before it is the last one.
        last = sel.end - 1;
        while (last > sel.begin && t.bytes()[last] == sjis::kLf) --last;
    }
    const int32_t begin = lineStart(t, sel.begin);
    return {begin, std::max(begin, contentEnd(t, lineStart(t, last)))};
}

TextRange selectionOrAll(const CLuView& view) {
    const TextRange sel = selectionRange(view);
    return sel.empty() ? TextRange{0, view.document().text().length()} : sel;
}

bool replaceRange(CLuView& view, TextRange range, std::string_view text, int32_t caret) {
    const TextStore& t = view.document().text();
    bool ok = true;
    if (t.view().substr(size_t(range.begin), size_t(range.end - range.begin)) != text) {
        view.placeCursorAtOffset(range.begin);
        const int32_t first = text.empty() ? view.deleteText(range.end - range.begin)
                                           : view.replaceText(text, range.end - range.begin);
        ok = first >= 0;
        if (!ok) caret = range.begin;
    }
    view.placeCursorAtOffset(std::clamp(caret, 0, view.document().text().length()));
    view.updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    return ok;
}

}  // namespace orvex::transform
