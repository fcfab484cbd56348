#include "text/UndoHistory.h"

#include <cstring>

namespace orvex {

void UndoHistory::clear() {
    m_records.clear();
    m_bytes.clear();
    m_position = m_saved = m_bytesUsed = 0;
    m_truncated = false;
}

void UndoHistory::invalidate() {
    clear();
    m_truncated = true;
    m_saved = -1;
}

UndoStep UndoHistory::stepAt(int32_t i) const {
    const UndoRecord& r = m_records[size_t(i)];
    return {r.kind, r.row, r.textOffset, m_bytes.data() + r.bytesOffset, r.length};
}

void UndoHistory::dropOldest(int32_t needed) {
    // Decide how many of the oldest records go, then move everything once.
    const int32_t n = count();
    int32_t drop = 0;
    int32_t freed = 0;
    while (drop < n && int64_t(m_bytesUsed - freed) + needed >= m_byteLimit) {
        const int32_t k = undokind::base(m_records[size_t(drop)].kind);
        const int32_t take = (k == undokind::kReplaceDelete || k == undokind::kReplaceInsert) && n - drop >= 2 ? 2 : 1;
        for (int32_t j = 0; j < take; ++j) freed += m_records[size_t(drop + j)].length;
        drop += take;
    }
    if (drop == 0) return;
    std::memmove(m_bytes.data(), m_bytes.data() + freed, size_t(m_bytesUsed - freed));
    m_bytesUsed -= freed;
    m_bytes.resize(size_t(m_bytesUsed));
    m_records.erase(m_records.begin(), m_records.begin() + drop);
    for (UndoRecord& r : m_records) r.bytesOffset -= freed;
    m_position = m_position > drop ? m_position - drop : 0;
    m_saved = m_saved >= drop ? m_saved - drop : -1;
    m_truncated = true;
}

bool UndoHistory::add(int32_t kind, int32_t row, int32_t textOffset, const char* bytes, int32_t length) {
    if (length < 0 || length > kMaxRecordBytes || length >= m_byteLimit) {
        invalidate();
        return false;
    }
    // Discard the redo tail; a saved state that lay in it is gone for good.
    if (m_position < count()) {
        m_bytesUsed = m_records[size_t(m_position)].bytesOffset;
        m_bytes.resize(size_t(m_bytesUsed));
        m_records.resize(size_t(m_position));
        if (m_saved > m_position) m_saved = -1;
    }
    dropOldest(length);
    const int32_t at = m_bytesUsed;
    if (length > 0) m_bytes.insert(m_bytes.end(), bytes, bytes + length);
    m_bytesUsed += length;
    m_records.push_back({kind, at, row, textOffset, length});
    m_position = count();
    return true;
}

std::optional<UndoStep> UndoHistory::stepBack() {
    if (m_position <= 0) return std::nullopt;
    --m_position;
    return stepAt(m_position);
}

std::optional<UndoStep> UndoHistory::stepForward() {
    if (m_position >= count()) return std::nullopt;
    return stepAt(m_position++);
}

std::optional<UndoStep> UndoHistory::peekBack() const {
    if (m_position <= 0) return std::nullopt;
    return stepAt(m_position - 1);
}

std::optional<UndoStep> UndoHistory::peekForward() const {
    if (m_position >= count()) return std::nullopt;
    return stepAt(m_position);
}

}  // namespace orvex
