#include "text/ViewportState.h"

#include <algorithm>
#include <cassert>

namespace orvex {

void ViewportState::check() const {
    assert(m_visibleRows >= 1 && m_fullRows >= 1 && m_fullRows <= m_visibleRows);
    assert(m_visibleColumns >= 1);
    assert(m_topRow >= 0 && m_leftColumn >= 0);
}

void ViewportState::resize(int32_t visibleRows, int32_t fullyVisibleRows, int32_t visibleColumns) {
    m_visibleRows = std::max(1, visibleRows);
    m_fullRows = std::clamp(fullyVisibleRows, 1, m_visibleRows);
    m_visibleColumns = std::max(1, visibleColumns);
    check();
}

ViewportState::Moved ViewportState::scrollTo(int32_t topRow, int32_t leftColumn, int32_t availableRows) {
    topRow = std::clamp(topRow, 0, maxTopRow(availableRows));
    leftColumn = std::max(0, leftColumn);
    const Moved moved{topRow - m_topRow, leftColumn - m_leftColumn};
    m_topRow = topRow;
    m_leftColumn = leftColumn;
    check();
    return moved;
}

void ViewportState::clampTop(int32_t availableRows) {
    m_topRow = std::clamp(m_topRow, 0, maxTopRow(availableRows));
    check();
}

}  // namespace orvex
