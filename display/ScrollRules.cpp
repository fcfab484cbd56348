#include "display/ScrollRules.h"

#include <algorithm>
#include <cstdlib>

namespace orvex {

namespace {

int32_t pitchOf(int p) { return p < 1 ? 1 : p; }

int32_t maxTop(int32_t availableRows) { return std::max<int32_t>(0, availableRows - 1); }

}  // namespace

int32_t horizontalStep(int32_t c) {
    if ((c / 4) * 4 > 32) return 8;
    if (c < 5) return 1;
    return c / 4;
}

int32_t horizontalMargin(const ScrollSettings& s, int32_t visibleColumns) {
    if (s.adjCol) return 0;
    return std::clamp<int32_t>(s.scrlMrgn, 0, std::max<int32_t>(0, visibleColumns / 4));
}

int32_t verticalMargin(const ScrollSettings& s, int32_t fullRows) {
    return std::clamp<int32_t>(s.scrlMrgn, 0, std::max<int32_t>(0, (fullRows - 2) / 2));
}

ScrollPosition keepCaretVisible(const Viewport& v, int32_t caretRow, int32_t caretColumn, const ScrollSettings& s,
                                bool centre) {
    ScrollPosition out{v.topRow, v.leftColumn};

    // Columns.
    const int32_t c = std::max<int32_t>(1, v.visibleColumns);
    const int32_t step = horizontalStep(c);
    const int32_t hm = horizontalMargin(s, c);
    const int32_t pitch = pitchOf(s.rulaPitch);
    const auto inView = [&](int32_t left) { return caretColumn >= left && caretColumn < left + c; };
    if (caretColumn < v.leftColumn + hm) {
        int32_t left = std::max<int32_t>(0, caretColumn - hm) / step * step;
        const int32_t rounded = left / pitch * pitch;
        if (inView(rounded)) left = rounded;
        out.leftColumn = left;
    } else if (caretColumn >= v.leftColumn + c - hm) {
        int32_t left = caretColumn - c + hm + step + 1;
        const int32_t up = (left + pitch - 1) / pitch * pitch;
        const int32_t down = left / pitch * pitch;
        if (inView(up)) left = up;
        else if (inView(down)) left = down;
        out.leftColumn = std::max<int32_t>(0, left);
    }

    // Rows.
    const int32_t f = std::max<int32_t>(1, v.fullRows);
    const int32_t vm = verticalMargin(s, f);
    if (caretRow < v.topRow + vm || caretRow >= v.topRow + f - vm) {
        int32_t top;
        if (centre) top = caretRow - f / 2;
        else if (caretRow < v.topRow + vm) top = caretRow - vm;
        else top = caretRow - f + vm + 1;
        out.topRow = std::clamp<int32_t>(top, 0, maxTop(v.availableRows));
    }
    return out;
}

ScrollBarSpec verticalScrollBar(int32_t availableRows, int32_t fullRows) {
    return {maxTop(availableRows), std::max<int32_t>(1, fullRows), 1};
}

ScrollBarSpec horizontalScrollBar(int32_t contentColumns, int32_t visibleColumns, int rulaPitch) {
    const int32_t pitch = pitchOf(rulaPitch);
    const int32_t beyond = std::max<int32_t>(0, contentColumns - std::max<int32_t>(0, visibleColumns));
    // Rounded up, so that the last columns can always be reached.
    const int32_t maximum = (beyond + pitch - 1) / pitch * pitch;
    const int32_t page = std::max(pitch, std::max<int32_t>(0, visibleColumns) / pitch * pitch);
    return {maximum, page, pitch};
}

int32_t snapColumn(int32_t column, int rulaPitch) {
    const int32_t pitch = pitchOf(rulaPitch);
    return std::max<int32_t>(0, column) / pitch * pitch;
}

int32_t clampTopRow(int32_t row, int32_t availableRows) { return std::clamp<int32_t>(row, 0, maxTop(availableRows)); }

int32_t caretColumnInView(int32_t caretColumn, int32_t leftColumn, int32_t visibleColumns) {
    const int32_t last = leftColumn + std::max<int32_t>(1, visibleColumns) - 1;
    return std::clamp(caretColumn, leftColumn, last);
}

int32_t WheelAccumulator::add(int32_t delta) {
    if ((delta > 0 && m_rest < 0) || (delta < 0 && m_rest > 0)) m_rest = 0;
    // Deltas are small; the sum cannot overflow before it is drained below.
    m_rest += std::clamp<int32_t>(delta, -(1 << 20), 1 << 20);
    const int32_t notches = m_rest / kUnitsPerNotch;
    m_rest -= notches * kUnitsPerNotch;
    return notches;
}

WheelResult wheelScroll(const Viewport& v, const WheelInput& in) {
    WheelResult r;
    r.topRow = v.topRow;
    r.caretRow = in.caretRow;
    if (in.shift || in.ctrl) return r;
    r.handled = true;
    const int32_t page = std::max<int32_t>(1, v.fullRows);
    const int32_t perNotch = in.pageScroll ? page : std::clamp<int32_t>(in.wheelLines, 1, page);
    const int64_t want = int64_t(v.topRow) - int64_t(in.notches) * perNotch;
    r.topRow = int32_t(std::clamp<int64_t>(want, 0, maxTop(v.availableRows)));
    r.rowsScrolled = r.topRow - v.topRow;
    if (in.scrollCaret && r.rowsScrolled != 0)
        r.caretRow = std::clamp<int32_t>(in.caretRow + r.rowsScrolled, 0, maxTop(v.availableRows));
    return r;
}

}  // namespace orvex
