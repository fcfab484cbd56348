#include "text/SelectionState.h"

#include <algorithm>
#include <cassert>

#include "common/codepage/SjisWalk.h"
#include "text/CursorSteps.h"

namespace orvex {

namespace {
bool samePlace(const TextPosition& a, const TextPosition& b) { return a.row == b.row && a.byteColumn == b.byteColumn; }
}  // namespace

bool SelectionState::anchorIsRange() const { return !samePlace(m_anchorStart, m_anchorEnd); }

void SelectionState::derive() {
    if (anchorIsRange()) {
        m_start = nav::before(m_moving, m_anchorStart) ? m_moving : m_anchorStart;
        m_end = nav::before(m_anchorEnd, m_moving) ? m_moving : m_anchorEnd;
    } else if (nav::before(m_moving, m_anchorStart)) {
        m_start = m_moving;
        m_end = m_anchorStart;
    } else {
        m_start = m_anchorStart;
        m_end = m_moving;
    }
    assert(!nav::before(m_moving, m_start) && !nav::before(m_end, m_moving));
}

void SelectionState::collapseTo(const TextPosition& p) { set(p, p, p); }

void SelectionState::set(const TextPosition& anchorStart, const TextPosition& anchorEnd, const TextPosition& moving) {
    m_anchorStart = anchorStart;
    m_anchorEnd = anchorEnd;
    m_moving = moving;
    derive();
}

void SelectionState::setMoving(const TextPosition& p) {
    m_moving = p;
    derive();
}

void SelectionState::extendTo(const TextPosition& cursor, bool box, int32_t desiredColumn) {
    if (anchorIsRange() && !nav::before(cursor, m_anchorStart) && !nav::before(m_anchorEnd, cursor))
        m_moving = m_anchorEnd;
    else
        m_moving = cursor;
    if (box && m_anchorStart.row != m_moving.row) m_moving.displayColumn = desiredColumn;
    derive();
}

TextPosition SelectionState::settle(const TextPosition& cursor) {
    if (!any() || !anchorIsRange()) return cursor;
    if (nav::before(m_moving, m_anchorStart)) m_anchorStart = m_anchorEnd;
    else if (!nav::before(m_anchorEnd, m_moving)) m_moving = m_anchorEnd;
    m_anchorEnd = m_anchorStart;
    derive();
    return m_moving;
}

TextPosition SelectionState::setRange(const TextPosition& cursor) {
    if (!nav::before(m_anchorStart, cursor)) {
        m_anchorEnd = m_anchorStart;
        m_anchorStart = cursor;
    } else {
        m_anchorEnd = cursor;
    }
    m_moving = m_anchorEnd;
    derive();
    return m_anchorStart;
}

BoxRect SelectionState::boxRect() const {
    BoxRect b;
    b.top = std::min(m_anchorStart.row, m_moving.row);
    b.bottom = std::max(m_anchorStart.row, m_moving.row);
    b.left = std::min(m_anchorStart.displayColumn, m_moving.displayColumn);
    b.right = std::max(m_anchorStart.displayColumn, m_moving.displayColumn);
    return b;
}

std::vector<BoxRowPart> SelectionState::boxRowParts(const TextStore& t, const BoxRect& box, int32_t availableRows) {
    std::vector<BoxRowPart> parts;
    const int32_t last = std::min(box.bottom, availableRows - 1);
    for (int32_t r = box.top; r <= last; ++r) {
        const uint8_t* p = t.bytes() + t.row(r).offset;
        const int32_t end = t.endColumn(r);
        int32_t i = 0, col = 0, from = -1, to = -1;
        while (i < end) {
            const int len = sjis::step(p + i);
            if (col >= box.right) break;
            if (col >= box.left) {
                if (from < 0) from = i;
                to = i + len;
            }
            col = sjis::advance(p + i, col, t.tabWidth());
            i += len;
        }
        if (from < 0) from = to = std::min(i, end);
        const BoxRowPart part{r, from, std::min(to, end)};
        assert(part.from <= part.to);
        parts.push_back(part);
    }
    return parts;
}

}  // namespace orvex
