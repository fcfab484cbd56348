#pragma once
// Checks a text store against everything its row table must satisfy, and
// against a fresh full layout of the same text. Returns an empty string when
// all holds, else a description of the first violation. Shared by the
// randomized test and the fuzz target.
#include <cstdint>
#include <string>
#include <vector>

#include "display/LayoutEngine.h"
#include "text/TextStore.h"

namespace orvex::test {

inline std::string rowString(const Row& r) {
    return "{line " + std::to_string(r.line) + ", offset " + std::to_string(r.offset) + ", length " +
           std::to_string(r.length) + ", width " + std::to_string(r.width) + ", flags 0x" +
           [](int v) {
               char b[16];
               std::snprintf(b, sizeof b, "%x", v);
               return std::string(b);
           }(r.flags) +
           "}";
}

inline std::string checkInvariants(const TextStore& s) {
    const int32_t n = s.rowCount();
    const int32_t size = s.size();
    const uint8_t* t = s.bytes();
    if (size < 1 || t[size - 1] != 0) return "text does not end in NUL";
    for (int32_t i = 0; i + 1 < size; ++i)
        if (t[i] == 0) return "NUL inside the text at " + std::to_string(i);
    for (int32_t i = 0; i + 1 < size; ++i)
        if (t[i] == 0x0A && (i == 0 || (t[i - 1] != 0x0D && t[i - 1] != 0x0A)))
            return "lone LF at " + std::to_string(i);
    if (n < 1) return "no rows";
    if (s.row(0).offset != 0 || s.row(0).line != 0) return "row 0 does not start the text";
    int32_t marked = 0, titles = 0;
    bool modified = false;
    for (int32_t r = 0; r < n; ++r) {
        const Row row = s.row(r);
        const std::string at = "row " + std::to_string(r) + " " + rowString(row) + ": ";
        if (row.length < 1 || row.width < 1) return at + "empty row";
        if (row.flags & ~0x1FFF) return at + "stray flag bits";
        if (row.flags & rowflag::kMarked) {
            ++marked;
            if (r > 0 && s.row(r - 1).line == row.line) return at + "mark on a continuation row";
        }
        if (row.flags & rowflag::kClassMask) ++titles;
        if (row.flags & rowflag::kModified) modified = true;
        if (r + 1 < n) {
            const Row next = s.row(r + 1);
            if (t[next.offset] == 0x0A) return at + "next row starts with LF";
            if (endsLine(row)) {
                if (next.line != row.line + 1) return at + "line number does not step by one";
                const uint8_t e = t[row.offset + row.length - 1];
                if (e != 0x0D && e != 0x0C) return at + "last row of a line ends without CR or FF";
                int32_t o = row.offset + row.length;
                while (e == 0x0D && t[o] == 0x0A) ++o;
                if (next.offset != o) return at + "next row does not follow the line end";
            } else {
                if (next.line != row.line) return at + "continuation row changes line";
                if (next.offset != row.offset + row.length) return at + "gap after a continuation row";
            }
        } else {
            if (!endsLine(row)) return at + "last row continues";
            if (row.offset + row.length != size) return at + "last row does not end at the NUL";
        }
    }
    if (marked != s.markedRowCount()) return "marked-row count " + std::to_string(s.markedRowCount()) + " != " + std::to_string(marked);
    if (titles != s.titleRowCount()) return "title-row count " + std::to_string(s.titleRowCount()) + " != " + std::to_string(titles);
    if (modified && !s.modifiedRowsPresent()) return "modified rows not flagged";

    // Layout bits equal a fresh full layout of the same text.
    std::string copy(s.data(), size_t(size));
    RowBuffer fresh;
    s.engine().layout(reinterpret_cast<uint8_t*>(copy.data()), size, 0, size, 0, CommentState::None, fresh);
    if (copy != std::string(s.data(), size_t(size))) return "a fresh layout would still change the text";
    if (int32_t(fresh.size()) != n)
        return "row count " + std::to_string(n) + " != fresh layout's " + std::to_string(fresh.size());
    for (int32_t r = 0; r < n; ++r) {
        Row a = s.row(r), b = fresh[size_t(r)];
        a.flags &= ~rowflag::kCarried;
        b.flags &= ~rowflag::kCarried;
        if (!(a == b)) return "row " + std::to_string(r) + " is " + rowString(a) + ", fresh layout " + rowString(b);
    }
    const InsertionGap& gap = s.insertionGap();
    if (gap.open && gap.rowsBefore != s.rowOfOffset(gap.offset) + 1) return "insertion gap row count is stale";
    return {};
}

}  // namespace orvex::test
