// Keys, characters and input-method text that reach the view (the keys the
// key table did not turn into commands).
#include <string>

#include "common/codepage/SjisWalk.h"
#include "text/CLuView.h"
#include "text/ViewCommandIds.h"
#include "text/VirtualKeys.h"

namespace orvex {

void CLuView::noteKeyPress(uint16_t virtualKey, bool autoRepeat) {
    // The held-key count: repeats of the same key since it went down.
    if (autoRepeat && virtualKey == m_heldKey) {
        ++m_heldCount;
    } else {
        m_heldKey = virtualKey;
        m_heldCount = 0;
    }
}

void CLuView::keyDown(uint16_t key, int32_t repeat, bool autoRepeat) {
    noteKeyPress(key, autoRepeat);
    const int32_t n = repeat < 1 ? 1 : repeat;
    const int32_t fast = n * speedCount();  // arrows and page keys go faster when held
    EditorState& st = *m_ctx.state;
    switch (key) {
    case vk::kBack:
        deleteBefore(n);
        break;
    case vk::kShift:
        if (!st.selectionMode) {
            st.selectionMode = true;
            if (m_platform.ui) m_platform.ui->updateStatus();
        }
        break;
    case vk::kControl:
        st.controlHeld = true;
        if (m_platform.ui) m_platform.ui->updateStatus();
        break;
    case vk::kEscape:
        if (m_ctx.hooks) m_ctx.hooks->resetPendingKeys();
        if (hasSelection()) clearSelection();
        break;
    case vk::kPrior: scrollCommand(ScrollStep::Page, -1, false, fast); break;
    case vk::kNext: scrollCommand(ScrollStep::Page, 1, false, fast); break;
    case vk::kHome: moveHome(false); break;
    case vk::kEnd: moveEnd(false); break;
    case vk::kLeft: moveCharLeft(false, fast); break;
    case vk::kRight: moveCharRight(false, fast); break;
    case vk::kUp: moveRows(-fast, false); break;
    case vk::kDown: moveRows(fast, false); break;
    case vk::kInsert: cmdInsertOverwrite(cmd::kInsertOverwrite); break;
    case vk::kDelete: deleteAt(n); break;
    case vk::kApps:
        if (hasSelection()) updateCursor(false, ScrollMode::None, SelectionUpdate::Settle);
        if (m_ctx.host) m_ctx.host->showContextMenu(m_cursor.row, m_cursor.displayColumn);
        break;
    default:
        break;
    }
    if (recording()) m_ctx.keyMacro->record(keymacro::kKeyDown, keymacro::keyParameter(key, n));
}

void CLuView::keyUp(uint16_t key, int32_t repeat) {
    EditorState& st = *m_ctx.state;
    if (key == m_heldKey) {
        m_heldKey = 0;
        m_heldCount = 0;
    }
    switch (key) {
    case vk::kShift:
        st.selectionMode = false;
        if (m_platform.ui) m_platform.ui->updateStatus();
        break;
    case vk::kControl:
        st.controlHeld = false;
        if (m_platform.ui) m_platform.ui->updateStatus();
        break;
    case vk::kEscape:
        // The flags follow the keys really held.
        if (m_ctx.host) {
            st.selectionMode = m_ctx.host->isKeyDown(vk::kShift);
            st.controlHeld = m_ctx.host->isKeyDown(vk::kControl);
        }
        break;
    default:
        break;
    }
    if (recording()) m_ctx.keyMacro->record(keymacro::kKeyUp, keymacro::keyParameter(key, repeat < 1 ? 1 : repeat));
}

void CLuView::character(uint8_t byte, int32_t repeat) {
    std::string text;
    if (m_pendingLead) {
        const uint8_t lead = m_pendingLead;
        m_pendingLead = 0;
        // A byte that cannot follow a lead byte drops the lead byte.
        if (sjis::isTrailByte(byte)) {
            text = {char(lead), char(byte)};
        }
    }
    if (text.empty()) {
        if (sjis::awaitsTrail(byte)) {
            m_pendingLead = byte;  // the second byte comes with the next message
            return;
        }
        // Printable bytes, blanks, TAB and CR (Enter); other controls are
        // handled by key down or dropped.
        const bool takes = byte == '\t' || byte == '\r' || (byte >= 0x20 && byte != 0x7F);
        if (!takes) return;
        text.assign(size_t(repeat > 1 ? repeat : 1), char(byte));
    }
    typeText(text);
    if (recording()) m_ctx.keyMacro->recordText(keymacro::kText, text);
}

void CLuView::inputMethodText(std::string_view sjis) {
    if (sjis.empty()) return;
    m_pendingLead = 0;
    typeText(sjis);
    if (recording()) m_ctx.keyMacro->recordText(keymacro::kText, sjis);
}

}  // namespace orvex
