#pragma once
// One display row of a document: five 32-bit words, in this order.
//
//   line    logical line number, from 0
//   offset  byte offset of the row's first byte in the text buffer
//   length  bytes of the row's content; the last row of a logical line
//           counts its line end as one more byte (a CR followed by LFs
//           counts as one), the last row of the text counts the NUL
//   width   display columns; the last row of a logical line counts one
//           more column for the line-end mark
//   flags   the bits below
//
// Rows cover the text in order: the next row starts after this row's
// content and its whole line end (the LFs of a CR LF run belong to no row's
// length but lie between the two offsets).
#include <cstdint>

namespace orvex {

struct Row {
    int32_t line = 0;
    int32_t offset = 0;
    int32_t length = 0;
    int32_t width = 0;
    int32_t flags = 0;

    friend bool operator==(const Row&, const Row&) = default;
};
static_assert(sizeof(Row) == 20, "a row record is five 32-bit words");

namespace rowflag {
constexpr int32_t kModified = 0x0001;        // rebuilt by an edit since the last save
constexpr int32_t kMarked = 0x0002;          // line mark, on the first row of a logical line
constexpr int32_t kCommentDelimiter = 0x0004;  // the row holds a comment delimiter
constexpr int32_t kCommentOpens = 0x0008;    // a comment opens here and is open at the row's end
constexpr int32_t kCommentCloses = 0x0010;   // a comment open at the row's start closes here
constexpr int32_t kCommentRunsOn = 0x0020;   // open at start and end: one block, or a line comment
constexpr int32_t kCommentRunsOnNested = 0x0040;  // open at start and end: more than one block
constexpr int32_t kCommentEndsWithLine = 0x0080;  // a line comment from an earlier row ends with the line
constexpr int32_t kCommentMask = 0x00FC;
constexpr int32_t kCommentOpenAtEnd = kCommentOpens | kCommentRunsOn | kCommentRunsOnNested;
constexpr int32_t kClassMask = 0x0F00;       // line-start class: 0x100 class 1 ... 0x800 class 4
constexpr int32_t kClassShift = 8;
constexpr int32_t kSoftWrap = 0x1000;        // the row does not end its logical line
// Bits an edit carries from the old first row of a rebuilt line to the new
// one; every other bit is the layout's.
constexpr int32_t kCarried = kModified | kMarked;

constexpr int32_t classBit(int cls) { return cls > 0 ? (1 << (kClassShift + cls - 1)) : 0; }
}  // namespace rowflag

// The row ends its logical line (with a line end, or with the NUL).
constexpr bool endsLine(const Row& r) { return (r.flags & rowflag::kSoftWrap) == 0; }
// Byte column just before the line end (last row) or at the row's end
// (continuation row); the same rule on width gives the end display column.
constexpr int32_t endColumn(const Row& r) { return endsLine(r) ? r.length - 1 : r.length; }
constexpr int32_t endDisplayColumn(const Row& r) { return endsLine(r) ? r.width - 1 : r.width; }

}  // namespace orvex
