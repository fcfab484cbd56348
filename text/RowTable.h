#pragma once
// The row table: one five-word record per display row, in text order.
//
// Storage is one array with a gap at the last place rows were inserted or
// removed, so that repeated edits in one place move no records. Rows after
// an edit move by a constant number of lines and bytes; that shift is
// applied lazily: records at index m_stepStart and beyond are stored without
// the pending (m_stepLine, m_stepOffset) and at() adds it. Moving the
// shift point to another edit costs a pass over the rows in between; an
// edit at the same place costs nothing. at() is constant time and always
// exact.
//
// Invariants:
//   m_rows.size() == m_count + m_gapLength
//   logical row r lives at m_rows[r] when r < m_gapStart, else at
//   m_rows[r + m_gapLength]
//   0 <= m_stepStart <= m_count; records below m_stepStart are exact
#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/Row.h"
#include "display/RowBuffer.h"

namespace orvex {

class RowTable {
public:
    int32_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }

    Row at(int32_t r) const {
        const Row& s = stored(r);
        if (r < m_stepStart) return s;
        return Row{s.line + m_stepLine, s.offset + m_stepOffset, s.length, s.width, s.flags};
    }
    int32_t line(int32_t r) const { return stored(r).line + (r < m_stepStart ? 0 : m_stepLine); }
    int32_t offset(int32_t r) const { return stored(r).offset + (r < m_stepStart ? 0 : m_stepOffset); }
    int32_t flags(int32_t r) const { return stored(r).flags; }
    void setFlags(int32_t r, int32_t flags) { stored(r).flags = flags; }

    // Replaces rows [first, first + removeCount) by rows[0, count) (given
    // with their final values) and moves every later row by lineShift lines
    // and offsetShift bytes.
    void replace(int32_t first, int32_t removeCount, const Row* rows, int32_t count, int32_t lineShift,
                 int32_t offsetShift);
    // Takes a freshly built table (every record exact).
    void adopt(RowBuffer&& rows);
    // Hands the storage out for reuse by a full layout (emptied, capacity kept).
    RowBuffer release();
    void clear();

    // Minimum growth, in records, when the gap is too small.
    void setGrowthStep(int32_t records) { m_growthStep = records > 0 ? records : 1; }
    int32_t growthStep() const { return m_growthStep; }
    size_t capacity() const { return m_rows.capacity(); }

    // Bit operations over every row.
    void clearFlagBits(int32_t mask);
    int32_t countRowsWith(int32_t mask) const;

    // Every row with its exact values (tests, diagnostics).
    std::vector<Row> snapshot() const;

private:
    const Row& stored(int32_t r) const { return m_rows[size_t(r < m_gapStart ? r : r + m_gapLength)]; }
    Row& stored(int32_t r) { return m_rows[size_t(r < m_gapStart ? r : r + m_gapLength)]; }
    void moveStep(int32_t to);
    void addToRange(int32_t from, int32_t to, int32_t lines, int32_t bytes);
    void moveGap(int32_t to);
    void ensureGap(int32_t n);

    RowBuffer m_rows;  // physical records: the rows and, at m_gapStart, the gap
    int32_t m_count = 0;
    int32_t m_gapStart = 0;
    int32_t m_gapLength = 0;
    int32_t m_stepStart = 0;
    int32_t m_stepLine = 0;
    int32_t m_stepOffset = 0;
    int32_t m_growthStep = 1024;
};

}  // namespace orvex
