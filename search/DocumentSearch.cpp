#include "search/DocumentSearch.h"

#include <algorithm>

namespace orvex::search {

TextPosition editPosition(const TextStore& text, int32_t offset) {
    TextPosition pos = text.positionOf(offset);
    if (pos.byteColumn == 0 && pos.row > 0 && text.rows().line(pos.row - 1) == text.rows().line(pos.row)) {
        --pos.row;
        pos.byteColumn = text.row(pos.row).length;
        pos.displayColumn = text.displayColumnAt(pos.row, pos.byteColumn);
    }
    return pos;
}

int32_t nextCharOffset(const TextStore& text, int32_t offset) {
    const Subject s = subjectOf(text);
    if (offset >= s.length) return s.length;
    return offset + s.unitLength(offset);
}

int32_t previousCharOffset(const TextStore& text, int32_t offset) {
    if (offset <= 0) return 0;
    const Subject s = subjectOf(text);
    // A whole line end (CR and its LFs) is one step.
    if (s.data[offset - 1] == kLf) {
        int32_t p = offset - 1;
        while (p > 0 && s.data[p - 1] == kLf) --p;
        if (p > 0 && s.data[p - 1] == kCr) return p - 1;
        return offset - 1;
    }
    const int32_t row = text.rowOfOffset(offset - 1);
    const int32_t known = text.rows().offset(text.firstRowOfLine(row));
    return s.previousCharStart(known, offset);
}

TextRange wordAt(const TextStore& text, int32_t offset) {
    const Subject s = subjectOf(text);
    offset = std::clamp(offset, 0, s.length);
    const int32_t lineStart = text.rows().offset(text.firstRowOfLine(text.rowOfOffset(offset)));
    const int32_t lineEnd = s.findLineEnd(offset, s.length);
    if (offset >= lineEnd) return {offset, offset};
    auto isWordClass = [](int c) { return c == sjis::kCharWord || (c >= sjis::kCharHalfKana && c <= sjis::kCharKanji); };
    // Walk the line from its start: runs of one class, up to the caret's.
    int32_t runStart = lineStart, runClass = -1, p = lineStart;
    while (p <= offset) {
        const int len = s.charLength(p);
        const int c = len == 2 || !isLineEndByte(s.data[p]) ? sjis::charClass(s.data + p) : -1;
        if (c != runClass) {
            runStart = p;
            runClass = c;
        }
        if (p == offset) break;
        p += len;
    }
    if (!isWordClass(runClass)) return {offset, offset};
    int32_t end = offset;
    while (end < lineEnd && sjis::charClass(s.data + end) == runClass) end += s.charLength(end);
    return {runStart, end};
}

}  // namespace orvex::search
