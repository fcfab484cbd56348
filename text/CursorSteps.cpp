#include "text/CursorSteps.h"

#include <algorithm>

#include "common/codepage/SjisWalk.h"

namespace orvex::nav {

TextPosition at(const TextStore& t, int32_t row, int32_t byteColumn) {
    return {row, byteColumn, t.displayColumnAt(row, byteColumn)};
}

TextPosition rowEnd(const TextStore& t, int32_t r) { return {r, t.endColumn(r), t.endDisplayColumn(r)}; }

bool endsLine(const TextStore& t, int32_t r) { return orvex::endsLine(t.row(r)); }

bool beginsLine(const TextStore& t, int32_t r) { return r == 0 || orvex::endsLine(t.row(r - 1)); }

bool beyondEnd(const TextStore& t, const TextPosition& p) { return p.byteColumn > t.endColumn(p.row); }

bool atLineEnd(const TextStore& t, const TextPosition& p) {
    return endsLine(t, p.row) && p.byteColumn == t.endColumn(p.row);
}

bool atTextEnd(const TextStore& t, const TextPosition& p) { return offsetOf(t, p) >= t.size() - 1; }

int32_t offsetOf(const TextStore& t, const TextPosition& p) {
    return t.row(p.row).offset + std::clamp(p.byteColumn, 0, t.endColumn(p.row));
}

int32_t previousCharColumn(const TextStore& t, int32_t r, int32_t b) {
    const uint8_t* s = t.bytes() + t.row(r).offset;
    int32_t i = 0;
    for (;;) {
        const int32_t next = i + sjis::step(s + i);
        if (next >= b) return i;
        i = next;
    }
}

bool stepRight(const TextStore& t, TextPosition& p, int32_t availableRows) {
    const int32_t end = t.endColumn(p.row);
    if (p.byteColumn < end) {
        p.byteColumn += sjis::step(t.pointer(p.row, p.byteColumn));
        if (p.byteColumn > end) p.byteColumn = end;  // a broken pair at a continuation end
        p.displayColumn = t.displayColumnAt(p.row, p.byteColumn);
        return true;
    }
    if (p.row + 1 >= std::min(availableRows, t.rowCount())) return false;
    p = {p.row + 1, 0, 0};
    return true;
}

bool stepLeft(const TextStore& t, TextPosition& p) {
    if (p.byteColumn > 0) {
        p.byteColumn = previousCharColumn(t, p.row, std::min(p.byteColumn, t.endColumn(p.row) + 1));
        p.displayColumn = t.displayColumnAt(p.row, p.byteColumn);
        return true;
    }
    if (p.row == 0) return false;
    p = rowEnd(t, p.row - 1);
    return true;
}

int classAt(const TextStore& t, const TextPosition& p, bool lineEndIsBlank) {
    if (beyondEnd(t, p)) return sjis::kCharBlank;
    const int32_t off = offsetOf(t, p);
    const uint8_t* b = t.bytes() + off;
    if (sjis::isLineEndByte(b[0]) && lineEndIsBlank) return sjis::kCharBlank;
    // A lead byte at a line end or the NUL stands alone (class 0), as the
    // walks take it.
    if (sjis::isLoneLead(b)) return sjis::kCharOther;
    return sjis::charClass(b);
}

TextPosition normalised(const TextStore& t, TextPosition p, int32_t availableRows) {
    if (!endsLine(t, p.row) && p.byteColumn == t.endColumn(p.row) && p.row + 1 < std::min(availableRows, t.rowCount()))
        return {p.row + 1, 0, 0};
    return p;
}

int32_t nextCharOffset(const TextStore& t, int32_t offset) {
    const uint8_t* b = t.bytes();
    if (offset >= t.size() - 1) return t.size() - 1;
    if (b[offset] == sjis::kCr) {
        ++offset;
        while (b[offset] == sjis::kLf) ++offset;
        return offset;
    }
    return offset + sjis::step(b + offset);
}

int32_t previousCharOffset(const TextStore& t, int32_t offset) {
    if (offset <= 0) return 0;
    const uint8_t* b = t.bytes();
    // LFs after a CR belong to it: step over the whole line end.
    int32_t o = offset;
    if (b[o - 1] == sjis::kLf) {
        int32_t k = o - 1;
        while (k > 0 && b[k - 1] == sjis::kLf) --k;
        if (k > 0 && b[k - 1] == sjis::kCr) return k - 1;
        return o - 1;  // a lone LF
    }
    const TextPosition p = t.positionOf(o - 1);
    const int32_t rowStart = t.row(p.row).offset;
    // Walk the row to the character that holds byte o - 1.
    int32_t i = rowStart;
    for (;;) {
        const int32_t next = i + sjis::step(b + i);
        if (next >= o) return i;
        i = next;
    }
}

}  // namespace orvex::nav
