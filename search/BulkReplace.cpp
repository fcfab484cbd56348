// Replace all in one edit of the touched lines.
//
// The text store rebuilds the rows of every logical line an edit touches;
// the rebuilt rows get the modified bit, and the first of them takes over
// the mark and modified bit of the old first row. Which lines end up
// rebuilt, and with which bits, depends on the order of the edits and on
// the exact rules of insertion and deletion, so the edits are replayed on
// a model of the touched lines (lengths and bits only, no text), and after
// the whole region has been replaced at once every row of it gets the bits
// the model says. Lines no edit touched keep their rows' bits unchanged.
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

// One logical line of the model.
struct ModelLine {
    int32_t length;  // bytes with its line end
    int32_t orig;    // index of the unchanged original line, -1 once rebuilt
    int32_t bits;    // rebuilt: bits of its first row; original: bits added to its first row
    bool last;       // the text's last line (no line end)
};

// The replacement split at its line ends (CR with its LFs, or FF): the
// lengths of the pieces that end with one, and what follows the last.
struct Pieces {
    std::vector<int32_t> ended;
    int32_t rest = 0;
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
        i += sjis::isLeadByte(b) && i + 1 < n && !endsContent(uint8_t(r[size_t(i + 1)])) ? 2 : 1;
    }
    p.rest = n - start;
    p.endsWithLineEnd = n > 0 && isLineEndByte(uint8_t(r.back()));
    return p;
}

// The touched lines as a gap buffer: lines before the gap in order, lines
// after it in reverse (back() is the line at the gap). Edits happen in or
// near the gap, which moves with them, so each edit costs the distance
// it moves.
class LineModel {
public:
    LineModel(std::vector<ModelLine> lines, const std::vector<int32_t>& origFirstBits)
        : m_origFirst(origFirstBits) {
        m_after.assign(lines.rbegin(), lines.rend());
    }

    bool remove(int32_t o, int32_t d);
    bool insert(int32_t o, const Pieces& p, int32_t n);
    std::vector<ModelLine> lines() const {
        std::vector<ModelLine> all = m_before;
        all.insert(all.end(), m_after.rbegin(), m_after.rend());
        return all;
    }

private:
    bool locate(int32_t o);
    int32_t firstBits(const ModelLine& l) const {
        return l.orig >= 0 ? (m_origFirst[size_t(l.orig)] | l.bits) & kCarried : l.bits;
    }
    void pushBefore(const ModelLine& l) {
        m_before.push_back(l);
        m_beforeLength += l.length;
    }

    std::vector<ModelLine> m_before, m_after;
    int32_t m_beforeLength = 0;
    const std::vector<int32_t>& m_origFirst;
};

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
    const ModelLine& cur = m_after.back();
    return o < m_beforeLength + cur.length || (cur.last && o == m_beforeLength + cur.length);
}

bool LineModel::remove(int32_t o, int32_t d) {
    if (d <= 0) return true;
    if (!locate(o)) return false;
    const ModelLine cur = m_after.back();
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
        const ModelLine next = m_after.back();
        if (end < nextStart + next.length || next.last) {
            if (o == lineStart && end == nextStart) {
                wholeLines = true;
                break;
            }
            total += next.length;
            last = next.last;
            m_after.pop_back();
            break;
        }
        total += next.length;
        nextStart += next.length;
        m_after.pop_back();
    }
    if (wholeLines) {
        // No row is laid out; the old first row's bits go to the line that
        // now follows.
        ModelLine& next = m_after.back();
        next.bits |= carried;
        return true;
    }
    m_after.push_back({total - d, -1, carried | kModified, last});
    return true;
}

bool LineModel::insert(int32_t o, const Pieces& p, int32_t n) {
    if (n <= 0) return true;
    if (!locate(o)) return false;
    const int32_t lineStart = m_beforeLength;
    if (o == lineStart && p.endsWithLineEnd) {
        // Whole new lines in front of this one, which stays as it is.
        for (int32_t len : p.ended) pushBefore({len, -1, kModified, false});
        return true;
    }
    const ModelLine cur = m_after.back();
    m_after.pop_back();
    const int32_t head = o - lineStart;
    const int32_t tail = cur.length - head;
    const int32_t carried = firstBits(cur);
    if (p.ended.empty()) {
        m_after.push_back({cur.length + n, -1, carried | kModified, cur.last});
        return true;
    }
    for (size_t i = 0; i < p.ended.size(); ++i)
        pushBefore({(i == 0 ? head : 0) + p.ended[i], -1, (i == 0 ? carried : 0) | kModified, false});
    m_after.push_back({p.rest + tail, -1, kModified, cur.last});
    return true;
}

}  // namespace

bool applyBulk(CLuDoc& doc, const ReplaceAllRequest& req, const ReplacePlan& plan, const std::string& stored) {
    TextStore& text = doc.text();
    const Subject s = subjectOf(text);
    const int32_t n = s.length;
    const int32_t repLen = int32_t(stored.size());

    // ---- The region: whole lines from the first to the last one touched.
    int32_t lowest = plan.edits.front().offset, highest = lowest;
    for (const PlannedEdit& e : plan.edits) {
        lowest = std::min(lowest, e.offset);
        highest = std::max(highest, e.offset + e.length);
    }
    const int32_t regionStart = s.lineStartBefore(lowest, 0);
    std::vector<ModelLine> lines;
    int32_t p = regionStart;
    while (true) {
        const int32_t e = s.findLineEnd(p, n);
        if (e >= n) {
            lines.push_back({n - p, int32_t(lines.size()), 0, true});
            p = n;
            break;
        }
        const int32_t len = e + s.unitLength(e) - p;
        lines.push_back({len, int32_t(lines.size()), 0, false});
        p += len;
        if (highest < p) break;
    }
    const int32_t regionEnd = p;
    const int32_t regionLines = int32_t(lines.size());
    // The line after the region may take over bits (whole lines deleted).
    if (!lines.back().last) {
        const int32_t e = s.findLineEnd(p, n);
        lines.push_back({e >= n ? n - p : e + s.unitLength(e) - p, int32_t(lines.size()), 0, e >= n});
    }

    // ---- The rows' history bits of those lines, line by line.
    const RowTable& rows = text.rows();
    const int32_t firstRow = text.rowOfOffset(regionStart);
    std::vector<int32_t> rowBits, lineFirstRow, origFirst;
    for (int32_t r = firstRow, k = 0; k < int32_t(lines.size()); ++k) {
        if (r >= rows.size()) return false;
        const int32_t line = rows.line(r);
        lineFirstRow.push_back(int32_t(rowBits.size()));
        origFirst.push_back(rows.flags(r) & kCarried);
        for (; r < rows.size() && rows.line(r) == line; ++r) rowBits.push_back(rows.flags(r) & kCarried);
    }
    lineFirstRow.push_back(int32_t(rowBits.size()));

    // ---- Replay the edits on the model.
    const Pieces pieces = splitLines(stored);
    LineModel model(lines, origFirst);
    for (size_t j = 0; j < plan.edits.size(); ++j) {
        const PlannedEdit& e = plan.edits[j];
        const int32_t at = e.timeOffset - regionStart;
        const bool refused = plan.lastRefused && j + 1 == plan.edits.size();
        if (!model.remove(at, e.length)) return false;
        if (!refused && !model.insert(at, pieces, repLen)) return false;
    }
    const std::vector<ModelLine> result = model.lines();
    const int32_t newLines = int32_t(result.size()) - int32_t(lines.size() - size_t(regionLines));
    int64_t newLength = 0;
    for (int32_t k = 0; k < newLines; ++k) newLength += result[size_t(k)].length;
    if (newLength != int64_t(regionEnd - regionStart) + plan.delta) return false;
    if (newLines < int32_t(result.size()) && result.back().orig != int32_t(lines.size()) - 1) return false;

    // ---- The new text of the region, and the old one.
    // The refused edit (if any) is the last one made: the highest offset
    // going forward, the lowest going backward.
    std::vector<PlannedEdit> ascending = plan.edits;
    if (!req.forward) std::reverse(ascending.begin(), ascending.end());
    const size_t refusedAt = !plan.lastRefused ? ascending.size() : req.forward ? ascending.size() - 1 : 0;
    const std::string old(text.data() + regionStart, size_t(regionEnd - regionStart));
    std::string region;
    region.reserve(size_t(newLength));
    int32_t at = regionStart;
    for (size_t j = 0; j < ascending.size(); ++j) {
        const PlannedEdit& e = ascending[j];
        region.append(text.data() + at, size_t(e.offset - at));
        if (j != refusedAt) region += stored;
        at = e.offset + e.length;
    }
    region.append(text.data() + at, size_t(regionEnd - at));

    // Rows of the undo records: backward edits are made on text whose
    // earlier part is still unchanged.
    std::vector<int32_t> recordRows(plan.edits.size(), 0);
    if (!req.forward)
        for (size_t j = 0; j < plan.edits.size(); ++j) recordRows[j] = editPosition(text, plan.edits[j].timeOffset).row;

    // ---- One edit: whole lines out, the new lines in.
    if (text.removeAt(regionStart, regionEnd - regionStart) < 0) return false;
    if (!region.empty() && text.insertAt(regionStart, region.data(), int32_t(region.size())) < 0) {
        // Out of memory: the old lines fit where they were.
        text.insertAt(regionStart, old.data(), int32_t(old.size()));
        return false;
    }

    // ---- The bits the edits one by one would have left.
    const RowTable& now = text.rows();
    for (int32_t r = text.rowOfOffset(regionStart), k = 0; k < int32_t(result.size()); ++k) {
        const ModelLine& l = result[size_t(k)];
        if (r >= now.size()) break;
        const int32_t line = now.line(r);
        if (l.orig >= 0) {
            const int32_t from = lineFirstRow[size_t(l.orig)];
            const int32_t count = lineFirstRow[size_t(l.orig) + 1] - from;
            for (int32_t i = 0; r < now.size() && now.line(r) == line; ++r, ++i)
                text.setHistoryBits(r, (i < count ? rowBits[size_t(from + i)] : 0) | (i == 0 ? l.bits : 0));
        } else {
            for (int32_t i = 0; r < now.size() && now.line(r) == line; ++r, ++i)
                text.setHistoryBits(r, i == 0 ? l.bits : kModified);
        }
    }

    // ---- The undo records, as the edits one by one would have written them.
    if (req.forward)
        for (size_t j = 0; j < plan.edits.size(); ++j) recordRows[j] = editPosition(text, plan.edits[j].timeOffset).row;
    UndoHistory& undo = doc.undoHistory();
    for (size_t j = 0; j < plan.edits.size(); ++j) {
        const PlannedEdit& e = plan.edits[j];
        const bool refused = plan.lastRefused && j + 1 == plan.edits.size();
        const char* deleted = old.data() + (e.offset - regionStart);
        if (e.length > 0)
            undo.add(repLen > 0 ? undokind::kReplaceDelete : undokind::kDelete, recordRows[j], e.timeOffset, deleted,
                     e.length);
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
