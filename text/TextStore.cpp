#include "text/TextStore.h"

#include <algorithm>
#include <cassert>

#include "common/codepage/SjisWalk.h"

namespace orvex {

namespace {
using sjis::kCr;
using sjis::kLf;
inline bool crOrLf(uint8_t b) { return b == kCr || b == kLf; }
}  // namespace

TextStore::TextStore() : m_engine(m_options, m_options.lineMax) { reset(true); }

void TextStore::setLayout(const LayoutOptions& options, int32_t wrapWidth) {
    m_options = options;
    m_engine = LayoutEngine(m_options, wrapWidth);
}

void TextStore::ensureInitialised() {
    if (m_text.size() == 0) reset(true);
}

void TextStore::reset(bool initialise) {
    m_text.clear();
    m_rows.clear();
    m_markedRows = m_titleRows = 0;
    m_modifiedRows = false;
    m_gap = InsertionGap{};
    m_lastChange = ChangeInfo{};
    if (initialise) {
        m_text.assign("", 0);
        layoutAll();
    }
}

bool TextStore::setText(std::string_view text) {
    if (text.size() + 1 > size_t(kMaxTextSize)) return false;
    if (!m_text.assign(text.data(), int32_t(text.size()))) return false;
    char* d = m_text.data();
    for (int32_t i = 0; i < int32_t(text.size()); ++i)
        if (d[i] == 0) d[i] = ' ';
    m_rows.clear();
    m_markedRows = m_titleRows = 0;
    m_modifiedRows = false;
    m_gap = InsertionGap{};
    return true;
}

int32_t TextStore::layoutAll() {
    if (m_text.size() == 0) m_text.assign("", 0);
    // Marks and modified bits are history, not layout: keep them per line.
    struct Kept {
        int32_t line, bits;
    };
    std::vector<Kept> kept;
    const int32_t keepMask = (m_markedRows > 0 ? rowflag::kMarked : 0) | (m_modifiedRows ? rowflag::kModified : 0);
    if (keepMask) {
        for (int32_t r = 0; r < m_rows.size(); ++r) {
            const int32_t bits = m_rows.flags(r) & keepMask;
            if (bits) kept.push_back({m_rows.line(r), bits});
        }
    }
    // The table is built in steps of the largest of 1024 records, the hint
    // (lines of the text) with an eighth more for wrapped rows, and one
    // record per 40 bytes of text, then trimmed to whole steps of 1024 so
    // that the slack stays small. Reserved records that stay unused cost no
    // memory: their pages are never touched.
    const int32_t hinted = int32_t(std::min<int64_t>(INT32_MAX, int64_t(m_rowSizeHint) + m_rowSizeHint / 8));
    const int32_t step = std::max({1024, hinted, m_text.size() / 40});
    RowBuffer out = m_rows.release();
    out.setGrowthStep(size_t(step));
    out.reserve(size_t(step));
    m_engine.layoutAll(m_text.bytes(), m_text.size(), out);
    const size_t trimmed = (out.size() / 1024 + 1) * 1024;
    if (out.capacity() > trimmed) out.shrinkTo(trimmed);
    // Each kept entry goes onto the first row whose line is at least its own.
    // A fresh layout sets no history bits, so the kept entries alone give
    // the marked-row count and the modified flag.
    m_markedRows = 0;
    m_modifiedRows = false;
    size_t r = 0;
    for (const Kept& k : kept) {
        while (r < out.size() && out[r].line < k.line) ++r;
        if (r == out.size()) break;
        if ((k.bits & rowflag::kMarked) && !(out[r].flags & rowflag::kMarked)) ++m_markedRows;
        if (k.bits & rowflag::kModified) m_modifiedRows = true;
        out[r].flags |= k.bits;
    }
    m_rows.adopt(std::move(out));
    m_rows.setGrowthStep(1024);
    // Class bits come only from line-start classes; without them there is
    // nothing to count.
    m_titleRows = m_engine.classesActive() ? m_rows.countRowsWith(rowflag::kClassMask) : 0;
    m_lastLayoutWidth = m_engine.wrapWidth();
    if (m_gap.open) m_gap.rowsBefore = rowOfOffset(m_gap.offset) + 1;
    m_lastChange = ChangeInfo{0, 0, m_rows.size(), -1, 0, 0, 0, true};
    return m_rows.size();
}

int32_t TextStore::deletionLength(int32_t offset, int32_t n) const {
    if (m_text.size() == 0 || offset < 0 || offset >= m_text.size()) return 0;
    n = std::clamp(n, 0, m_text.size() - offset - 1);
    if (n == 0) return 0;
    const uint8_t* t = m_text.bytes();
    int32_t e = offset + n;
    // The deletion ends inside a CR LF run whose start it removes, and what
    // precedes it is no line end that would take the LFs over: the LFs would
    // be left alone and become line ends of their own, so they go too.
    if (t[e] == kLf && crOrLf(t[e - 1]) && !(offset > 0 && crOrLf(t[offset - 1]))) {
        while (t[e] == kLf) ++e;
    }
    return e - offset;
}

int32_t TextStore::insertAt(int32_t offset, const char* p, int32_t n) {
    ensureInitialised();
    if (n < 0 || (n > 0 && !p)) return -1;
    offset = std::clamp(offset, 0, m_text.size() - 1);
    if (n == 0) return firstRowOfLine(rowOfOffset(offset));
    if (int64_t(m_text.size()) + n > kMaxTextSize) return -1;

    const int32_t r = rowOfOffset(offset);
    const int32_t f = firstRowOfLine(r);
    const int32_t l = lastRowOfLine(r);
    const int32_t lineStart = m_rows.offset(f);
    // Text that ends with a line end, inserted at the start of a line,
    // leaves that line's rows as they are: the new lines go in front.
    const bool keep = offset == lineStart && sjis::isLineEndByte(uint8_t(p[n - 1]));
    const int32_t removeCount = keep ? 0 : l - f + 1;
    const int32_t kept = f + removeCount;
    const int32_t regionEnd = (kept < m_rows.size() ? m_rows.offset(kept) : m_text.size()) + n;
    const int32_t line = m_rows.line(f);
    const int32_t carried = keep ? 0 : m_rows.flags(f) & rowflag::kCarried;

    if (!m_text.insert(offset, p, n)) return -1;
    char* d = m_text.data() + offset;
    for (int32_t i = 0; i < n; ++i)
        if (d[i] == 0) d[i] = ' ';
    return rebuild(f, removeCount, lineStart, regionEnd, line, n, carried, offset, n, 0);
}

int32_t TextStore::removeAt(int32_t offset, int32_t n) {
    ensureInitialised();
    offset = std::clamp(offset, 0, m_text.size() - 1);
    n = deletionLength(offset, n);
    if (n == 0) return firstRowOfLine(rowOfOffset(offset));

    const int32_t r = rowOfOffset(offset);
    const int32_t f = firstRowOfLine(r);
    int32_t l = lastRowOfLine(r);
    const int32_t lineStart = m_rows.offset(f);
    const int32_t end = offset + n;
    const int32_t q = rowOfOffset(end);
    if (q > l) {
        // The deletion reaches into later lines: they are rebuilt too,
        // except a line that begins exactly where a deletion from the start
        // of a line ends (whole lines deleted: that line stays as it is).
        const int32_t lastFirst = firstRowOfLine(q);
        l = offset == lineStart && end == m_rows.offset(lastFirst) ? lastFirst - 1 : lastRowOfLine(q);
    }
    const int32_t kept = l + 1;
    const int32_t regionEnd = (kept < m_rows.size() ? m_rows.offset(kept) : m_text.size()) - n;
    const int32_t line = m_rows.line(f);
    const int32_t carried = m_rows.flags(f) & rowflag::kCarried;

    m_text.erase(offset, n);
    return rebuild(f, l - f + 1, lineStart, regionEnd, line, -n, carried, offset, 0, n);
}

CommentState TextStore::stateBeforeRow(int32_t r) const {
    if (r <= 0 || m_engine.tagFile()) return CommentState::None;
    return CommentScanner::stateAfterLine(m_rows.flags(r - 1), false);
}

int32_t TextStore::rebuild(int32_t first, int32_t removeCount, int32_t start, int32_t end, int32_t line,
                           int32_t byteShift, int32_t carried, int32_t editOffset, int32_t inserted,
                           int32_t removed) {
    uint8_t* t = m_text.bytes();
    const int32_t kept = first + removeCount;
    const CommentState in = stateBeforeRow(first);
    // The state the first kept row was laid out with, read before its
    // predecessors are replaced.
    const CommentState keptBefore = kept < m_rows.size() ? stateBeforeRow(kept) : CommentState::None;

    // LFs at the start that follow a CR LF run of the line before belong to
    // that run: a full layout would skip them with it.
    if (start > 0 && t[start] == kLf && crOrLf(t[start - 1])) {
        while (start < end && t[start] == kLf) ++start;
    }
    m_scratch.clear();
    const LayoutStop stop = m_engine.layout(t, m_text.size(), start, end, line, in, m_scratch);
    if (stop.offset != end) {
        // Cannot happen while the row table matches the text; should it
        // ever, a full layout puts every row right again.
        assert(false && "incremental layout did not meet the next row");
        layoutAll();
        return 0;
    }

    const int32_t oldLines = removeCount ? m_rows.line(kept - 1) - m_rows.line(first) + 1 : 0;
    const int32_t newLines = stop.line - line;
    for (int32_t r = first; r < kept; ++r) {
        const int32_t fl = m_rows.flags(r);
        if (fl & rowflag::kMarked) --m_markedRows;
        if (fl & rowflag::kClassMask) --m_titleRows;
    }
    for (Row& row : m_scratch) {
        row.flags |= rowflag::kModified;
        if (row.flags & rowflag::kClassMask) ++m_titleRows;
    }
    // The old first row's mark and modified bit go onto the new first row
    // (or, when the lines vanished entirely, onto the row that now follows).
    if (removeCount > 0 && carried && !m_scratch.empty()) {
        m_scratch.front().flags |= carried;
        if (carried & rowflag::kMarked) ++m_markedRows;
    }
    const int32_t count = int32_t(m_scratch.size());
    m_rows.replace(first, removeCount, m_scratch.data(), count, newLines - oldLines, byteShift);
    if (removeCount > 0 && carried && count == 0 && first < m_rows.size()) {
        const int32_t fl = m_rows.flags(first);
        if ((carried & rowflag::kMarked) && !(fl & rowflag::kMarked)) ++m_markedRows;
        m_rows.setFlags(first, fl | carried);
    }
    if (count > 0 || (removeCount > 0 && (carried & rowflag::kModified))) m_modifiedRows = true;

    int32_t lastChanged = first + count - 1;
    if (first + count < m_rows.size()) {
        const int32_t recoloured = carryComments(first + count, stop.state, keptBefore);
        lastChanged = std::max(lastChanged, recoloured);
    }
    afterEditGap(editOffset, byteShift);
    m_lastChange = ChangeInfo{first, removeCount, count, std::max(lastChanged, first), editOffset, inserted, removed,
                              false};
    return first;
}

int32_t TextStore::carryComments(int32_t r, CommentState now, CommentState before) {
    int32_t last = r - 1;
    const bool tag = m_engine.tagFile();
    while (r < m_rows.size() && now != before) {
        int32_t lineLast = r;
        while (lineLast + 1 < m_rows.size() && (m_rows.flags(lineLast) & rowflag::kSoftWrap)) ++lineLast;
        before = CommentScanner::stateAfterLine(m_rows.flags(lineLast), tag);
        CommentState s = now;
        for (int32_t k = r; k <= lineLast; ++k) {
            const Row row = m_rows.at(k);
            const auto res = m_engine.commentBits(m_text.bytes() + row.offset, row, s);
            m_rows.setFlags(k, (row.flags & ~rowflag::kCommentMask) | res.flags);
            s = res.out;
        }
        now = tag ? CommentState::None : s;
        last = lineLast;
        r = lineLast + 1;
    }
    return last;
}

void TextStore::afterEditGap(int32_t editOffset, int32_t byteShift) {
    if (!m_gap.open) return;
    if (editOffset <= m_gap.offset) {
        if (byteShift < 0 && editOffset - byteShift > m_gap.offset) {
            forgetInsertionGap();  // the deletion reached into the gap
            return;
        }
        m_gap.offset += byteShift;
    } else if (editOffset < m_gap.offset + m_gap.length) {
        forgetInsertionGap();  // a change inside the gap ends it
        return;
    }
    m_gap.rowsBefore = rowOfOffset(m_gap.offset) + 1;
}

void TextStore::openInsertionGap(int32_t offset, int32_t length) {
    m_gap.open = true;
    m_gap.offset = std::clamp(offset, 0, std::max(0, m_text.size() - 1));
    m_gap.length = std::max(0, length);
    m_gap.rowsBefore = rowOfOffset(m_gap.offset) + 1;
}

bool TextStore::setMark(int32_t r, bool on) {
    if (r < 0 || r >= m_rows.size()) return false;
    const int32_t f = firstRowOfLine(r);
    const int32_t fl = m_rows.flags(f);
    if (bool(fl & rowflag::kMarked) == on) return false;
    m_rows.setFlags(f, on ? fl | rowflag::kMarked : fl & ~rowflag::kMarked);
    m_markedRows += on ? 1 : -1;
    return true;
}

void TextStore::clearMarks() {
    m_rows.clearFlagBits(rowflag::kMarked);
    m_markedRows = 0;
}

void TextStore::clearModifiedBits() {
    m_rows.clearFlagBits(rowflag::kModified);
    m_modifiedRows = false;
}

void TextStore::setHistoryBits(int32_t r, int32_t bits) {
    if (r < 0 || r >= m_rows.size()) return;
    const int32_t fl = m_rows.flags(r);
    const int32_t now = (fl & ~rowflag::kCarried) | (bits & rowflag::kCarried);
    if ((fl ^ now) & rowflag::kMarked) m_markedRows += (now & rowflag::kMarked) ? 1 : -1;
    if (now & rowflag::kModified) m_modifiedRows = true;
    m_rows.setFlags(r, now);
}

}  // namespace orvex
