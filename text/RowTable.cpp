#include "text/RowTable.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace orvex {

void RowTable::addToRange(int32_t from, int32_t to, int32_t lines, int32_t bytes) {
    // Logical [from, to) split around the gap into at most two physical runs.
    auto apply = [&](size_t a, size_t b) {
        Row* p = m_rows.data();
        for (size_t i = a; i < b; ++i) {
            p[i].line += lines;
            p[i].offset += bytes;
        }
    };
    if (from < m_gapStart) apply(size_t(from), size_t(std::min(to, m_gapStart)));
    if (to > m_gapStart) apply(size_t(std::max(from, m_gapStart) + m_gapLength), size_t(to + m_gapLength));
}

void RowTable::moveStep(int32_t to) {
    if (m_stepLine != 0 || m_stepOffset != 0) {
        if (to > m_stepStart) addToRange(m_stepStart, to, m_stepLine, m_stepOffset);
        else if (to < m_stepStart) addToRange(to, m_stepStart, -m_stepLine, -m_stepOffset);
    }
    m_stepStart = to;
}

void RowTable::moveGap(int32_t to) {
    if (to == m_gapStart || m_gapLength == 0) {
        m_gapStart = to;
        return;
    }
    Row* p = m_rows.data();
    if (to < m_gapStart) {
        std::memmove(p + to + m_gapLength, p + to, size_t(m_gapStart - to) * sizeof(Row));
    } else {
        std::memmove(p + m_gapStart, p + m_gapStart + m_gapLength, size_t(to - m_gapStart) * sizeof(Row));
    }
    m_gapStart = to;
}

void RowTable::ensureGap(int32_t n) {
    if (m_gapLength >= n) return;
    const size_t step = size_t(m_growthStep);
    const size_t extra = (size_t(n - m_gapLength) + step - 1) / step * step;
    const size_t oldSize = m_rows.size();
    m_rows.resize(oldSize + extra);
    Row* p = m_rows.data();
    const size_t tailStart = size_t(m_gapStart + m_gapLength);
    std::memmove(p + tailStart + extra, p + tailStart, (oldSize - tailStart) * sizeof(Row));
    m_gapLength += int32_t(extra);
}

void RowTable::replace(int32_t first, int32_t removeCount, const Row* rows, int32_t count, int32_t lineShift,
                       int32_t offsetShift) {
    assert(first >= 0 && removeCount >= 0 && first + removeCount <= m_count && count >= 0);
    const int32_t keptFrom = first + removeCount;
    // Rows before `first` become exact, rows from keptFrom on carry the
    // pending shift; rows in between are replaced anyway.
    if (m_stepStart < first) moveStep(first);
    else if (m_stepStart > keptFrom) moveStep(keptFrom);

    const int32_t common = std::min(removeCount, count);
    for (int32_t k = 0; k < common; ++k) stored(first + k) = rows[k];
    if (count < removeCount) {
        const int32_t at = first + common, n = removeCount - common;
        moveGap(at);
        m_gapLength += n;
        m_count -= n;
    } else if (count > removeCount) {
        const int32_t at = first + common, n = count - common;
        moveGap(at);
        ensureGap(n);
        std::memcpy(m_rows.data() + m_gapStart, rows + common, size_t(n) * sizeof(Row));
        m_gapStart += n;
        m_gapLength -= n;
        m_count += n;
    }
    m_stepStart = first + count;
    m_stepLine += lineShift;
    m_stepOffset += offsetShift;
    if (m_stepStart == m_count) m_stepLine = m_stepOffset = 0;
}

void RowTable::adopt(RowBuffer&& rows) {
    m_rows = std::move(rows);
    m_count = int32_t(m_rows.size());
    m_gapStart = m_count;
    m_gapLength = 0;
    m_stepStart = m_count;
    m_stepLine = m_stepOffset = 0;
}

RowBuffer RowTable::release() {
    RowBuffer out = std::move(m_rows);
    out.clear();
    clear();
    return out;
}

void RowTable::clear() {
    m_rows = RowBuffer();
    m_count = m_gapStart = m_gapLength = m_stepStart = m_stepLine = m_stepOffset = 0;
}

void RowTable::clearFlagBits(int32_t mask) {
    Row* p = m_rows.data();
    for (int32_t i = 0; i < m_gapStart; ++i) p[i].flags &= ~mask;
    for (size_t i = size_t(m_gapStart + m_gapLength); i < m_rows.size(); ++i) p[i].flags &= ~mask;
}

int32_t RowTable::countRowsWith(int32_t mask) const {
    int32_t n = 0;
    const Row* p = m_rows.data();
    for (int32_t i = 0; i < m_gapStart; ++i) n += (p[i].flags & mask) != 0;
    for (size_t i = size_t(m_gapStart + m_gapLength); i < m_rows.size(); ++i) n += (p[i].flags & mask) != 0;
    return n;
}

std::vector<Row> RowTable::snapshot() const {
    std::vector<Row> out;
    out.reserve(size_t(m_count));
    for (int32_t r = 0; r < m_count; ++r) out.push_back(at(r));
    return out;
}

}  // namespace orvex
