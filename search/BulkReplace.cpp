// Replace all by rebuilding the touched lines at once.
//
// The text store rebuilds the rows of every logical line an edit touches;
// the rebuilt rows get the modified bit, and the first of them takes over
// the mark and modified bit of the old first row. Which lines end up
// rebuilt, and with which bits, depends on the order of the edits and on
// the exact rules of insertion and deletion, so the edits are replayed on
// a model of the lines (lengths and bits only, no text), and after the
// region has been replaced (in slices of whole lines, a deletion and an
// insertion each) every row of it gets the bits the model says. Lines no
// edit touched keep their rows' bits unchanged.
//
// The model keeps runs of untouched lines as single items and splits them
// only where an edit lands, so its size follows the number of edits, not
// the number of lines.
#include <algorithm>
#include <cstring>
#include <vector>

#include "common/strings/StringTable.h"
#include "search/DocumentSearch.h"
#include "search/ReplacePlan.h"
#include "text/CLuDoc.h"

namespace orvex::search {

namespace {

using rowflag::kCarried;
using rowflag::kModified;


// The original lines of the region, numbered from 0, as the row table
// holds them before the edit. The edits come in text order (or in reverse),
// so lookups start from the row found last and walk a few rows before they
// fall back to a binary search.
class OriginalLines {
public:
    OriginalLines(const TextStore& text, int32_t firstLine, int32_t lineCount)
        : m_text(text), m_rows(text.rows()), m_first(firstLine), m_count(lineCount) {}
    int32_t count() const { return m_count; }
    int32_t firstRow(int32_t k) const {
        if (k >= m_count) return rowEnd();
        return rowNear([&](int32_t r) { return m_rows.line(r) >= m_first + k; });
    }
    int32_t rowEnd() const {
        const int32_t lastLine = m_first + m_count - 1;
        return lastLine >= m_text.lineCount() - 1 ? m_text.rowCount() : m_text.rowOfLine(lastLine + 1);
    }
    int32_t start(int32_t k) const {
        const int32_t r = firstRow(k);
        return r >= m_text.rowCount() ? m_text.length() : m_rows.offset(r);
    }
    // The line that holds byte offset o.
    int32_t lineAt(int32_t o) const {
        // The last row whose offset is at most o: one before the first row
        // that starts beyond it.
        const int32_t after = rowNear([&](int32_t r) { return m_rows.offset(r) > o; });
        return m_rows.line(std::max(0, after - 1)) - m_first;
    }
    bool isTextEnd(int32_t k) const { return m_first + k == m_text.lineCount() - 1; }

private:
    // The first row r with past(r) (a predicate false then true over the
    // rows), searched near the row found last.
    template <class Past>
    int32_t rowNear(Past past) const {
        const int32_t n = m_rows.size();
        auto at = [&](int32_t r) { return r >= n || past(r); };  // true past the last row
        int32_t r = std::clamp(m_hint, 0, n);
        constexpr int kWalk = 64;
        int k = 0;
        if (at(r)) {
            while (r > 0 && at(r - 1) && ++k < kWalk) --r;
            if (r == 0 || !at(r - 1)) return m_hint = r;
        } else {
            while (!at(r) && ++k < kWalk) ++r;
            if (at(r)) return m_hint = r;
        }
        int32_t lo = 0, hi = n;  // the answer lies in [lo, hi]
        while (lo < hi) {
            const int32_t mid = lo + (hi - lo) / 2;
            if (past(mid)) hi = mid;
            else lo = mid + 1;
        }
        return m_hint = lo;
    }

    const TextStore& m_text;
    const RowTable& m_rows;
    int32_t m_first, m_count;
    mutable int32_t m_hint = 0;
};

// A run of untouched original lines, or one rebuilt line.
struct Item {
    int32_t length;  // bytes, line ends included
    int32_t orig;    // first original line of a run; -1 for a rebuilt line
    int32_t lines;   // original lines in the run (1 for a rebuilt line)
    int32_t bits;    // rebuilt: bits of its first row; run: bits added to its first row
    bool last;       // ends with the text's last line (no line end)
};

// The replacement split at its line ends (CR with its LFs, or FF).
struct Pieces {
    std::vector<int32_t> ended;  // lengths of the pieces that end with a line end
    int32_t rest = 0;            // bytes after the last line end
    bool endsWithLineEnd = false;
};

Pieces splitLines(const std::string& r) {
    Pieces p;
    int32_t start = 0;
    const int32_t n = int32_t(r.size());
    for (int32_t i = 0; i < n;) {
        const uint8_t b = uint8_t(r[size_t(i)]);
        if (b == kCr || b == kFf) {
            int32_t e = i + 1;
            if (b == kCr)
                while (e < n && r[size_t(e)] == '\n') ++e;
            p.ended.push_back(e - start);
            start = e;
            i = e;
            continue;
        }
        i += sjis::stepWithin(r.data() + i, n - i);
    }
    p.rest = n - start;
    p.endsWithLineEnd = n > 0 && isLineEndByte(uint8_t(r.back()));
    return p;
}

// The lines as a gap buffer: items before the gap in order, items after it
// in reverse (back() is the item at the gap). Edits happen at or near the
// gap, which moves with them.
class LineModel {
public:
    LineModel(const OriginalLines& orig, const std::vector<uint8_t>& rowBits, int32_t firstRow)
        : m_orig(orig), m_rowBits(rowBits), m_firstRow(firstRow) {
        m_after.push_back(runOf(0, orig.count(), 0));
    }

    bool remove(int32_t o, int32_t d);
    bool insert(int32_t o, const Pieces& p, int32_t n);
    std::vector<Item> items() const {
        std::vector<Item> all = m_before;
        all.insert(all.end(), m_after.rbegin(), m_after.rend());
        return all;
    }

private:
    Item runOf(int32_t from, int32_t to, int32_t bits) const {
        return {m_orig.start(to) - m_orig.start(from), from, to - from, bits, m_orig.isTextEnd(to - 1)};
    }
    int32_t firstBits(const Item& it) const {
        if (it.orig < 0) return it.bits;
        return (m_rowBits[size_t(m_orig.firstRow(it.orig) - m_firstRow)] | it.bits) & kCarried;
    }
    void pushBefore(const Item& it) {
        m_before.push_back(it);
        m_beforeLength += it.length;
    }
    // Splits the run at the gap so that its first line stands alone there.
    void isolateFirstLine() {
        Item run = m_after.back();
        if (run.orig < 0 || run.lines == 1) return;
        m_after.pop_back();
        m_after.push_back(runOf(run.orig + 1, run.orig + run.lines, 0));
        m_after.push_back(runOf(run.orig, run.orig + 1, run.bits));
    }
    bool locate(int32_t o);

    const OriginalLines& m_orig;
    const std::vector<uint8_t>& m_rowBits;
    int32_t m_firstRow;
    std::vector<Item> m_before, m_after;
    int32_t m_beforeLength = 0;
};

// Brings the line that holds o (intermediate offset) to the gap, alone.
bool LineModel::locate(int32_t o) {
    while (!m_before.empty() && o < m_beforeLength) {
        m_beforeLength -= m_before.back().length;
        m_after.push_back(m_before.back());
        m_before.pop_back();
    }
    while (m_after.size() > 1 && !m_after.back().last && o >= m_beforeLength + m_after.back().length) {
        pushBefore(m_after.back());
        m_after.pop_back();
    }
    if (m_after.empty() || o < m_beforeLength) return false;
    Item run = m_after.back();
    if (run.orig >= 0 && run.lines > 1) {
        // Split the run around the line that holds o (runs are unchanged
        // text, so the original row table tells which line that is).
        const int32_t k = std::min(run.orig + run.lines - 1,
                                   m_orig.lineAt(m_orig.start(run.orig) + (o - m_beforeLength)));
        m_after.pop_back();
        if (k + 1 < run.orig + run.lines) m_after.push_back(runOf(k + 1, run.orig + run.lines, 0));
        m_after.push_back(runOf(k, k + 1, k == run.orig ? run.bits : 0));
        if (k > run.orig) pushBefore(runOf(run.orig, k, run.bits));
    }
    const Item& cur = m_after.back();
    return o < m_beforeLength + cur.length || (cur.last && o == m_beforeLength + cur.length);
}

bool LineModel::remove(int32_t o, int32_t d) {
    if (d <= 0) return true;
    if (!locate(o)) return false;
    const Item cur = m_after.back();
    m_after.pop_back();
    const int32_t lineStart = m_beforeLength;
    const int32_t carried = firstBits(cur);
    const int32_t end = o + d;
    int32_t total = cur.length;
    int32_t nextStart = lineStart + cur.length;
    bool last = cur.last;
    bool wholeLines = false;
    // The deletion reaches into later lines: those it covers go, and the
    // line where it ends goes too, unless whole lines were deleted from a
    // line start (that line then stays as it is).
    while (!last && end >= nextStart) {
        if (m_after.empty()) return false;
        const Item& next = m_after.back();
        if (next.orig >= 0 && next.lines > 1 && !next.last && end >= nextStart + next.length) {
            total += next.length;  // a whole run of lines deleted
            nextStart += next.length;
            m_after.pop_back();
            continue;
        }
        isolateFirstLine();
        const Item line = m_after.back();
        if (end < nextStart + line.length || line.last) {
            if (o == lineStart && end == nextStart) {
                wholeLines = true;
                break;
            }
            total += line.length;
            last = line.last;
            m_after.pop_back();
            break;
        }
        total += line.length;
        nextStart += line.length;
        m_after.pop_back();
    }
    if (wholeLines) {
        // No row is laid out; the old first row's bits go onto the line that
        // now follows.
        m_after.back().bits |= carried;
        return true;
    }
    m_after.push_back({total - d, -1, 1, carried | kModified, last});
    return true;
}

bool LineModel::insert(int32_t o, const Pieces& p, int32_t n) {
    if (n <= 0) return true;
    if (!locate(o)) return false;
    const int32_t lineStart = m_beforeLength;
    if (o == lineStart && p.endsWithLineEnd) {
        // Whole new lines in front of this one, which stays as it is.
        for (int32_t len : p.ended) pushBefore({len, -1, 1, kModified, false});
        return true;
    }
    const Item cur = m_after.back();
    m_after.pop_back();
    const int32_t head = o - lineStart;
    const int32_t tail = cur.length - head;
    const int32_t carried = firstBits(cur);
    if (p.ended.empty()) {
        m_after.push_back({cur.length + n, -1, 1, carried | kModified, cur.last});
        return true;
    }
    for (size_t i = 0; i < p.ended.size(); ++i)
        pushBefore({(i == 0 ? head : 0) + p.ended[i], -1, 1, (i == 0 ? carried : 0) | kModified, false});
    m_after.push_back({p.rest + tail, -1, 1, kModified, cur.last});
    return true;
}

}  // namespace

bool applyBulk(CLuDoc& doc, const ReplaceAllRequest& req, const ReplacePlan& plan, const std::string& stored) {
    TextStore& text = doc.text();
    const RowTable& rows = text.rows();
    const int32_t repLen = int32_t(stored.size());

    // ---- The region: whole lines from the first to the last one touched,
    // and the line after them, which may take over bits.
    int32_t lowest = plan.edits.front().offset, highest = lowest;
    for (const PlannedEdit& e : plan.edits) {
        lowest = std::min(lowest, e.offset);
        highest = std::max(highest, e.offset + e.length);
    }
    const int32_t firstRow = text.firstRowOfLine(text.rowOfOffset(lowest));
    const int32_t firstLine = rows.line(firstRow);
    const int32_t lastLine = rows.line(text.rowOfOffset(highest));
    const bool withNext = lastLine + 1 < text.lineCount();
    const OriginalLines orig(text, firstLine, lastLine - firstLine + 1 + (withNext ? 1 : 0));
    const int32_t regionLines = lastLine - firstLine + 1;
    const int32_t regionStart = orig.start(0);
    const int32_t regionEnd = orig.start(regionLines);
    const int32_t endRow = orig.rowEnd();
    std::vector<uint8_t> rowBits;
    rowBits.reserve(size_t(endRow - firstRow));
    for (int32_t r = firstRow; r < endRow; ++r) rowBits.push_back(uint8_t(rows.flags(r) & kCarried));

    // ---- Replay the edits on the model.
    const Pieces pieces = splitLines(stored);
    LineModel model(orig, rowBits, firstRow);
    for (size_t j = 0; j < plan.edits.size(); ++j) {
        const PlannedEdit& e = plan.edits[j];
        const int32_t at = e.timeOffset - regionStart;
        const bool refused = plan.lastRefused && j + 1 == plan.edits.size();
        if (!model.remove(at, e.length)) return false;
        if (!refused && !model.insert(at, pieces, repLen)) return false;
    }
    const std::vector<Item> items = model.items();
    int64_t newLength = 0;
    for (const Item& it : items) newLength += it.length;
    const int32_t nextLength = withNext ? orig.start(regionLines + 1) - regionEnd : 0;
    newLength -= nextLength;
    if (newLength != int64_t(regionEnd - regionStart) + plan.delta) return false;
    if (withNext && (items.back().orig != regionLines || items.back().lines != 1)) return false;
    // Where the untouched runs' rows lie in the snapshot (the original row
    // table is gone once the edit is made).
    std::vector<std::pair<int32_t, int32_t>> runRows;
    for (const Item& it : items)
        if (it.orig >= 0) {
            const int32_t from = orig.firstRow(it.orig) - firstRow;
            runRows.emplace_back(from, orig.firstRow(it.orig + it.lines) - firstRow - from);
        }

    // ---- The edits in text order, and the bytes the records keep. The
    // refused edit (if any) is the last one made: the highest offset going
    // forward, the lowest going backward.
    std::vector<PlannedEdit> ascending = plan.edits;
    if (!req.forward) std::reverse(ascending.begin(), ascending.end());
    const size_t refusedAt = !plan.lastRefused ? ascending.size() : req.forward ? ascending.size() - 1 : 0;
    std::string deleted;
    for (const PlannedEdit& e : plan.edits) deleted.append(text.data() + e.offset, size_t(e.length));

    // Rows of the undo records: backward edits are made on text whose
    // earlier part is still unchanged.
    std::vector<int32_t> recordRows(plan.edits.size(), 0);
    if (!req.forward)
        for (size_t j = 0; j < plan.edits.size(); ++j) recordRows[j] = editPosition(text, plan.edits[j].timeOffset).row;

    // ---- The region in slices of whole lines, each replaced by one
    // deletion and one insertion. Slices keep the scratch memory small; each
    // moves the text after it, so they are not too small either. A slice
    // never cuts an edit, and the slices go in the order of the edits, so
    // the text never grows past what the edits one by one reached.
    struct Slice {
        int32_t begin, end;    // original offsets, line starts
        size_t first, last;    // edits [first, last) in ascending order
        int32_t delta;
    };
    std::vector<Slice> slices;
    const int32_t sliceBytes = req.sliceBytes > 0 ? req.sliceBytes : kDefaultSliceBytes;
    {
        Slice cur{regionStart, regionEnd, 0, 0, 0};
        for (size_t j = 0; j < ascending.size(); ++j) {
            const PlannedEdit& e = ascending[j];
            if (j > cur.first && e.offset - cur.begin >= sliceBytes) {
                const int32_t cut = rows.offset(text.firstRowOfLine(text.rowOfOffset(e.offset)));
                const PlannedEdit& prev = ascending[j - 1];
                if (cut > cur.begin && cut >= prev.offset + prev.length && cut > prev.offset) {
                    cur.end = cut;
                    cur.last = j;
                    slices.push_back(cur);
                    cur = Slice{cut, regionEnd, j, 0, 0};
                }
            }
            cur.delta += (j == refusedAt ? 0 : repLen) - e.length;
        }
        cur.last = ascending.size();
        slices.push_back(cur);
    }
    // The room for the largest size on the way, taken first, so that no
    // insertion can fail once its deletion is done.
    int64_t size = text.size(), most = size;
    if (req.forward) {
        for (const Slice& sl : slices) most = std::max(most, size += sl.delta);
    } else {
        for (auto it = slices.rbegin(); it != slices.rend(); ++it) most = std::max(most, size += it->delta);
    }
    if (most > TextStore::kMaxTextSize || !text.buffer().reserve(size_t(most))) return false;
    std::string piece;
    auto replaceSlice = [&](const Slice& sl, int32_t shift) {
        // Built from the unchanged text, which lies shift bytes away.
        const char* orig = text.data() + shift;
        piece.clear();
        int32_t at = sl.begin;
        for (size_t j = sl.first; j < sl.last; ++j) {
            const PlannedEdit& e = ascending[j];
            piece.append(orig + at, size_t(e.offset - at));
            if (j != refusedAt) piece += stored;
            at = e.offset + e.length;
        }
        piece.append(orig + at, size_t(sl.end - at));
        text.removeAt(sl.begin + shift, sl.end - sl.begin);
        if (!piece.empty()) text.insertAt(sl.begin + shift, piece.data(), int32_t(piece.size()));
    };
    if (req.forward) {
        int32_t shift = 0;
        for (const Slice& sl : slices) {
            replaceSlice(sl, shift);
            shift += sl.delta;
        }
    } else {
        for (auto it = slices.rbegin(); it != slices.rend(); ++it) replaceSlice(*it, 0);
    }

    // ---- The bits the edits one by one would have left.
    const RowTable& now = text.rows();
    int32_t r = text.rowOfOffset(regionStart);
    size_t run = 0;
    for (const Item& it : items) {
        if (it.orig >= 0) {
            // Untouched lines are laid out as before: row for row.
            const auto [from, count] = runRows[run++];
            for (int32_t i = 0; i < count && r < now.size(); ++i, ++r)
                text.setHistoryBits(r, rowBits[size_t(from + i)] | (i == 0 ? it.bits : 0));
        } else if (r < now.size()) {
            const int32_t line = now.line(r);
            for (int32_t i = 0; r < now.size() && now.line(r) == line; ++r, ++i)
                text.setHistoryBits(r, i == 0 ? it.bits : kModified);
        }
    }

    // ---- The undo records, as the edits one by one would have written them.
    if (req.forward)
        for (size_t j = 0; j < plan.edits.size(); ++j) recordRows[j] = editPosition(text, plan.edits[j].timeOffset).row;
    UndoHistory& undo = doc.undoHistory();
    size_t kept = 0;
    for (size_t j = 0; j < plan.edits.size(); ++j) {
        const PlannedEdit& e = plan.edits[j];
        const bool refused = plan.lastRefused && j + 1 == plan.edits.size();
        if (e.length > 0)
            undo.add(repLen > 0 ? undokind::kReplaceDelete : undokind::kDelete, recordRows[j], e.timeOffset,
                     deleted.data() + kept, e.length);
        kept += size_t(e.length);
        if (!refused && repLen > 0)
            undo.add(e.length > 0 ? undokind::kReplaceInsert : undokind::kInsert, recordRows[j], e.timeOffset,
                     stored.data(), repLen);
    }
    if (plan.lastRefused && doc.platform().messages)
        doc.platform().messages->showId(strings::kTextTooLarge, MsgIcon::Exclamation);
    if (plan.count > 0 || plan.lastRefused) doc.setModified(true);
    return true;
}

}  // namespace orvex::search
