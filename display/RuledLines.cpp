#include "display/RuledLines.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/codepage/SjisWalk.h"

namespace orvex::ruled {

namespace {

// The junction characters in code order, 0x849F first (UTF-8, three bytes
// each).
constexpr const char* kJunctions = "─│┌┐┘└├┬┤┴┼━┃┏┓┛┗┣┳┫┻╋┠┯┨┷┿┝┰┥┸╂";
constexpr int kJunctionCount = 32;

// What a cell becomes over an existing junction character. Row: the
// character replaced (in code order); column: the stroke code. The thin
// table serves thin pens, the thick one thick pens.
constexpr const char* kThinMerge[kJunctionCount] = {
    "───┼┬┴┬┬┴┴",  // ─
    "┼├┤│││├┤├┤",  // │
    "┬┌┬├┌├┌┬├┼",  // ┌
    "┬┬┐┤┐┤┬┐┼┤",  // ┐
    "┴┴┘┤┤┘┼┤┴┘",  // ┘
    "┴└┴├├└├┼└┴",  // └
    "┼├┼├├├├┼├┼",  // ├
    "┬┬┬┼┬┼┬┬┼┼",  // ┬
    "┼┼┤┤┤┤┼┤┼┤",  // ┤
    "┴┴┴┼┼┴┼┼┴┴",  // ┴
    "┼┼┼┼┼┼┼┼┼┼",  // ┼
    "───┿┯┷┬┬┴┴",  // ━
    "╂┠┨│││├┤├┤",  // ┃
    "┰┌┰┝┌┝┌┬├┼",  // ┏
    "┰┰┐┥┐┥┬┐┼┤",  // ┓
    "┸┸┘┥┥┘┼┤┴┘",  // ┛
    "┸└┸┝┝└├┼└┴",  // ┗
    "╂┠╂┝┝┝├┼├┼",  // ┣
    "┰┰┰┿┯┿┬┬┼┼",  // ┳
    "╂╂┨┥┥┥┼┤┼┤",  // ┫
    "┸┸┸┿┿┷┼┼┴┴",  // ┻
    "╂╂╂┿┿┿┼┼┼┼",  // ╋
    "╂┠╂├├├├┼├┼",  // ┠
    "┬┬┬┿┯┿┬┬┼┼",  // ┯
    "╂╂┨┤┤┤┼┤┼┤",  // ┨
    "┴┴┴┿┿┷┼┼┴┴",  // ┷
    "┼┼┼┿┿┿┼┼┼┼",  // ┿
    "┼├┼┝┝┝├┼├┼",  // ┝
    "┰┰┰┼┬┼┬┬┼┼",  // ┰
    "┼┼┤┥┥┥┼┤┼┤",  // ┥
    "┸┸┸┼┼┴┼┼┴┴",  // ┸
    "╂╂╂┼┼┼┼┼┼┼",  // ╂
};
constexpr const char* kThickMerge[kJunctionCount] = {
    "━━━╂┰┸┳┳┻┻",  // ─
    "┿┝┥┃┃┃┣┫┣┫",  // │
    "┯┏┯┠┏┠┏┳┣╋",  // ┌
    "┯┯┓┨┓┨┳┓╋┫",  // ┐
    "┷┷┛┨┨┛╋┫┻┛",  // ┘
    "┷┗┷┠┠┗┣╋┗┻",  // └
    "┿┝┿┠┠┠┣╋┣╋",  // ├
    "┯┯┯╂┰╂┳┳╋╋",  // ┬
    "┿┿┥┨┨┨╋┫╋┫",  // ┤
    "┷┷┷╂╂┸╋╋┻┻",  // ┴
    "┿┿┿╂╂╂╋╋╋╋",  // ┼
    "━━━╋┳┻┳┳┻┻",  // ━
    "╋┣┫┃┃┃┣┫┣┫",  // ┃
    "┳┏┳┣┏┣┏┳┣╋",  // ┏
    "┳┳┓┫┓┫┳┓╋┫",  // ┓
    "┻┻┛┫┫┛╋┫┻┛",  // ┛
    "┻┗┻┣┣┗┣╋┗┻",  // ┗
    "╋┣╋┣┣┣┣╋┣╋",  // ┣
    "┳┳┳╋┳╋┳┳╋╋",  // ┳
    "╋╋┫┫┫┫╋┫╋┫",  // ┫
    "┻┻┻╋╋┻╋╋┻┻",  // ┻
    "╋╋╋╋╋╋╋╋╋╋",  // ╋
    "╋┝╋┠┠┠┣╋┣╋",  // ┠
    "┯┯┯╋┳╋┳┳╋╋",  // ┯
    "╋╋╋┨┨┨╋┫╋┫",  // ┨
    "┷┷┷╋╋┻╋╋┻┻",  // ┷
    "┿┿┿╋╋╋╋╋╋╋",  // ┿
    "┿┝┿┣┣┣┣╋┣╋",  // ┝
    "┳┳┳╂┰╂┳┳╋╋",  // ┰
    "┿┿┥┫┫┫╋┫╋┫",  // ┥
    "┻┻┻╂╂┸╋╋┻┻",  // ┸
    "╋╋╋╂╂╂╋╋╋╋",  // ╂
};

using MergeTable = std::array<std::array<uint8_t, 10>, kJunctionCount>;

// Index of the three-byte UTF-8 character at p among the junctions.
int junctionIndex(const char* p) {
    for (int i = 0; i < kJunctionCount; ++i)
        if (std::memcmp(kJunctions + 3 * i, p, 3) == 0) return i;
    return 0;
}

MergeTable decode(const char* const (&rows)[kJunctionCount]) {
    MergeTable table{};
    for (int r = 0; r < kJunctionCount; ++r)
        for (int s = 0; s < 10; ++s) table[size_t(r)][size_t(s)] = uint8_t(junctionIndex(rows[r] + 3 * s));
    return table;
}

const MergeTable& thinTable() {
    static const MergeTable t = decode(kThinMerge);
    return t;
}
const MergeTable& thickTable() {
    static const MergeTable t = decode(kThickMerge);
    return t;
}

constexpr uint16_t kThickFrom = 0x84AA;

// One character of a row: where it starts in bytes and columns, its bytes,
// its width in columns and its code.
struct Piece {
    int32_t byte;
    int32_t length;
    int32_t column;
    int32_t width;
    uint16_t code;
};

std::vector<Piece> piecesOf(std::string_view row, int32_t tabWidth) {
    std::vector<Piece> pieces;
    const auto* p = reinterpret_cast<const uint8_t*>(row.data());
    const int32_t n = int32_t(row.size());
    int32_t col = 0;
    for (int32_t i = 0; i < n;) {
        const int32_t len = p[i] == sjis::kTab ? 1 : sjis::stepWithin(p + i, n - i);
        const int32_t width = p[i] == sjis::kTab ? sjis::nextTabStop(col, tabWidth) - col : len;
        const uint16_t code = len == 2 ? uint16_t(p[i] << 8 | p[i + 1]) : p[i];
        pieces.push_back({i, len, col, width, code});
        col += width;
        i += len;
    }
    return pieces;
}

void putCode(std::string& out, uint16_t code) {
    if (code > 0xFF) out.push_back(char(code >> 8));
    out.push_back(char(code & 0xFF));
}

// The row with the cells [start, end] (cell starts) replaced by what
// cellText gives for each cell's column and the code of the character that
// starts there (0 for none).
template <class CellText>
std::string replaceCells(std::string_view row, int32_t start, int32_t end, Pen pen, int32_t tabWidth,
                         CellText cellText) {
    const int32_t w = cellWidth(pen);
    const int32_t stop = end + w;  // first column after the segment
    const std::vector<Piece> pieces = piecesOf(row, tabWidth);
    std::string out;
    out.reserve(row.size() + size_t(stop - start) + 8);
    int32_t rowWidth = 0;
    for (const Piece& c : pieces) {
        rowWidth = c.column + c.width;
        if (c.column + c.width <= start) {
            out.append(row.substr(size_t(c.byte), size_t(c.length)));
        } else if (c.column < start) {
            out.append(size_t(start - c.column), ' ');  // cut by the segment's start
        }
    }
    if (rowWidth < start) out.append(size_t(start - rowWidth), ' ');
    size_t k = 0;
    for (int32_t col = start; col <= end; col += w) {
        while (k < pieces.size() && pieces[k].column < col) ++k;
        const bool starts = k < pieces.size() && pieces[k].column == col && pieces[k].code != sjis::kTab;
        putCode(out, cellText(col, starts ? pieces[k].code : uint16_t(0)));
    }
    for (const Piece& c : pieces) {
        if (c.column >= stop) {
            out.append(row.substr(size_t(c.byte), size_t(c.length)));
        } else if (c.column + c.width > stop) {
            // Cut by the segment's end: a TAB keeps its end column as
            // blanks, a double-byte character becomes one blank.
            out.append(size_t(c.column + c.width - stop), ' ');
        }
    }
    return out;
}

}  // namespace

uint16_t penCharacter(Pen pen, int stroke) {
    if (pen == Pen::HalfWidth) {
        if (stroke <= kRightEnd) return '-';
        if (stroke <= kBottomEnd) return '|';
        return '+';
    }
    // Thin and thick sets: horizontal, vertical, then the corners.
    static constexpr uint16_t kThin[] = {0x849F, 0x84A0, 0x84A1, 0x84A2, 0x84A4, 0x84A3};
    static constexpr uint16_t kThick[] = {0x84AA, 0x84AB, 0x84AC, 0x84AD, 0x84AF, 0x84AE};
    const uint16_t* set = pen == Pen::Thick ? kThick : kThin;
    if (stroke <= kRightEnd) return set[0];
    if (stroke <= kBottomEnd) return set[1];
    return set[2 + (stroke - kTopLeft)];
}

uint16_t mergeCell(uint16_t existing, uint16_t drawn, int stroke, Pen pen) {
    if (pen == Pen::HalfWidth) {
        if (existing == '-' || existing == '|' || existing == '+')
            return existing == '+' || existing != drawn ? uint16_t('+') : drawn;
        return drawn;
    }
    if (!isJunction(existing) || stroke < 0 || stroke > kBottomRight) return drawn;
    const MergeTable& table = drawn >= kThickFrom ? thickTable() : thinTable();
    return uint16_t(kFirstJunction + table[size_t(existing - kFirstJunction)][size_t(stroke)]);
}

std::string drawSegment(std::string_view row, int32_t startColumn, int32_t endColumn, int code, Pen pen,
                        int32_t tabWidth) {
    endColumn = std::max(endColumn, startColumn);
    return replaceCells(row, startColumn, endColumn, pen, tabWidth, [&](int32_t col, uint16_t existing) {
        int stroke = kMiddle;
        if (col == startColumn) {
            stroke = code == kNoCorner ? kLeftEnd : code;
        } else if (col + cellWidth(pen) > endColumn) {
            stroke = code == kNoCorner ? kRightEnd : code == kTopLeft ? kTopRight : kBottomRight;
        }
        return mergeCell(existing, penCharacter(pen, stroke), stroke, pen);
    });
}

std::string eraseSegment(std::string_view row, int32_t startColumn, int32_t endColumn, Pen pen, int32_t tabWidth) {
    endColumn = std::max(endColumn, startColumn);
    return replaceCells(row, startColumn, endColumn, pen, tabWidth,
                        [&](int32_t, uint16_t) { return pen == Pen::HalfWidth ? uint16_t(' ') : uint16_t(0x2020); });
}

Shape shapeBetween(int32_t row0, int32_t column0, int32_t row1, int32_t column1, Pen pen) {
    const int32_t w = cellWidth(pen);
    const auto cell = [w](int32_t col) { return col < 0 ? 0 : col - col % w; };
    Shape s;
    s.topRow = std::min(row0, row1);
    s.bottomRow = std::max(row0, row1);
    s.leftColumn = std::min(cell(column0), cell(column1));
    s.rightColumn = std::max(cell(column0), cell(column1));
    return s;
}

std::vector<std::string> drawShape(const std::vector<std::string_view>& rows, const Shape& shape, Pen pen,
                                   int32_t tabWidth) {
    std::vector<std::string> out;
    const size_t last = rows.empty() ? 0 : rows.size() - 1;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int32_t l = shape.leftColumn, r = shape.rightColumn;
        if (shape.horizontal()) {
            out.push_back(drawSegment(rows[i], l, r, kNoCorner, pen, tabWidth));
        } else if (shape.vertical()) {
            const int code = i == 0 ? kTopEnd : i == last ? kBottomEnd : kVertical;
            out.push_back(drawSegment(rows[i], l, l, code, pen, tabWidth));
        } else if (i == 0 || i == last) {
            out.push_back(drawSegment(rows[i], l, r, i == 0 ? kTopLeft : kBottomLeft, pen, tabWidth));
        } else {
            const std::string left = drawSegment(rows[i], l, l, kVertical, pen, tabWidth);
            out.push_back(drawSegment(left, r, r, kVertical, pen, tabWidth));
        }
    }
    return out;
}

std::vector<std::string> eraseShape(const std::vector<std::string_view>& rows, const Shape& shape, Pen pen,
                                    int32_t tabWidth) {
    std::vector<std::string> out;
    const size_t last = rows.empty() ? 0 : rows.size() - 1;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int32_t l = shape.leftColumn, r = shape.rightColumn;
        if (i == 0 || i == last || l == r) {
            out.push_back(eraseSegment(rows[i], l, r, pen, tabWidth));
        } else {
            const std::string left = eraseSegment(rows[i], l, l, pen, tabWidth);
            out.push_back(eraseSegment(left, r, r, pen, tabWidth));
        }
    }
    return out;
}

}  // namespace orvex::ruled
