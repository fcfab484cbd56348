// Row and position queries of the text store.
#include <algorithm>

#include "common/codepage/SjisWalk.h"
#include "text/TextStore.h"

namespace orvex {

int32_t TextStore::firstRowOfLine(int32_t r) const {
    if (r <= 0) return 0;
    const int32_t line = m_rows.line(r);
    // Most lines have few rows; long wrapped lines are searched.
    for (int k = 0; k < 8; ++k) {
        if (r == 0 || m_rows.line(r - 1) != line) return r;
        --r;
    }
    int32_t lo = 0, hi = r;  // first row of the line lies in [lo, hi]
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (m_rows.line(mid) < line) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

int32_t TextStore::lastRowOfLine(int32_t r) const {
    const int32_t n = m_rows.size();
    if (r >= n - 1) return n - 1;
    for (int k = 0; k < 8; ++k) {
        if (!(m_rows.flags(r) & rowflag::kSoftWrap)) return r;
        ++r;
    }
    const int32_t line = m_rows.line(r);
    int32_t lo = r, hi = n - 1;  // last row of the line lies in [lo, hi]
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo + 1) / 2;
        if (m_rows.line(mid) > line) hi = mid - 1;
        else lo = mid;
    }
    return lo;
}

int32_t TextStore::rowOfLine(int32_t n) const {
    const int32_t count = m_rows.size();
    if (count < 2) return 0;
    int32_t lo = 0, hi = count - 1;  // the answer lies in [lo, hi]; hi = the last row
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (m_rows.line(mid) >= n) hi = mid;
        else lo = mid + 1;
    }
    return lo;
}

int32_t TextStore::rowOfOffset(int32_t offset) const {
    int32_t lo = 0, hi = m_rows.size() - 1;  // the last row whose offset <= offset
    if (hi < 0) return 0;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo + 1) / 2;
        if (m_rows.offset(mid) <= offset) lo = mid;
        else hi = mid - 1;
    }
    return lo;
}

std::string_view TextStore::rowText(int32_t r) const {
    const Row row = m_rows.at(r);
    return {data() + row.offset, size_t(row.length)};
}

int32_t TextStore::offsetOf(int32_t r, int32_t byteColumn) const {
    if (m_rows.size() == 0) return 0;
    r = std::clamp(r, 0, m_rows.size() - 1);
    const Row row = m_rows.at(r);
    const int32_t end = orvex::endColumn(row);
    const int32_t target = std::clamp(byteColumn, 0, end);
    const uint8_t* p = bytes() + row.offset;
    int32_t i = 0;
    while (i < target) {
        const int len = sjis::step(p + i);
        if (i + len > target) break;  // the column points into a double-byte character
        i += len;
    }
    return row.offset + i;
}

TextPosition TextStore::positionOf(int32_t offset) const {
    if (m_rows.size() == 0) return {};
    offset = std::clamp(offset, 0, std::max(0, size() - 1));
    const int32_t r = rowOfOffset(offset);
    const Row row = m_rows.at(r);
    const int32_t col = std::min(offset - row.offset, orvex::endColumn(row));
    return {r, col, orvex::displayColumnAt(bytes() + row.offset, col, tabWidth())};
}

ColumnHit TextStore::byteColumnAt(int32_t r, int32_t target, bool takeDouble, int32_t viewWrapWidth,
                                  bool freeCursor) const {
    const Row row = m_rows.at(r);
    target = std::min(target, std::max(viewWrapWidth, row.width));
    if (target < 0) target = 0;
    const int32_t endCol = orvex::endColumn(row);
    const int32_t endDisp = orvex::endDisplayColumn(row);
    if (target > endDisp) {
        if (freeCursor) return {endCol + (target - endDisp), target};
        return {endCol, endDisp};
    }
    return orvex::byteColumnAt(bytes() + row.offset, endCol, target, tabWidth(), takeDouble);
}

int32_t TextStore::displayColumnAt(int32_t r, int32_t byteColumn) const {
    const Row row = m_rows.at(r);
    const int32_t endCol = orvex::endColumn(row);
    if (byteColumn > endCol) return orvex::endDisplayColumn(row) + (byteColumn - endCol);
    return orvex::displayColumnAt(bytes() + row.offset, std::max(0, byteColumn), tabWidth());
}

TextPosition TextStore::goToLine(int32_t n) const {
    const int32_t available = availableRowCount();
    if (available <= 0) return {};
    n = std::clamp(n, 1, available);
    const int32_t r = std::min(rowOfLine(n - 1), available - 1);
    return {r, 0, 0};
}

CommentState TextStore::commentStateAtRow(int32_t r) const {
    if (!m_engine.comments().active() || r < 0 || r >= m_rows.size()) return CommentState::None;
    const int32_t f = firstRowOfLine(r);
    CommentState s = stateBeforeRow(f);
    for (int32_t k = f; k < r; ++k) {
        const Row row = m_rows.at(k);
        s = m_engine.commentBits(bytes() + row.offset, row, s).out;
    }
    return s;
}

void TextStore::commentSpans(int32_t r, std::vector<CommentSpan>& spans) const {
    spans.clear();
    if (!m_engine.comments().active() || r < 0 || r >= m_rows.size()) return;
    const Row row = m_rows.at(r);
    const bool ends = endsLine(row);
    m_engine.comments().scanRow(bytes() + row.offset, ends ? row.length - 1 : row.length, commentStateAtRow(r), ends,
                                &spans);
}

}  // namespace orvex
