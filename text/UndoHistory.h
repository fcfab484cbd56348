#pragma once
// The document's undo history: records of five 32-bit words and the bytes
// they refer to, concatenated in record order in one byte array.
//
//   position   records currently applied; undo steps back from here
//   count      records that exist; redo is possible while position < count
//   saved      position at the last save or load, -1 when that state can no
//              longer be reached (its records were discarded or dropped)
//   truncated  old records were dropped since the last clear: undo cannot
//              lead back to the saved state
//
// The bytes in use stay below the byte limit: before a record is added the
// oldest records are dropped (a replace pair of kinds 3 and 4 together)
// until the new one fits. Adding a record first discards the redo tail.
#include <cstdint>
#include <optional>
#include <vector>

namespace orvex {

namespace undokind {
constexpr int32_t kInsert = 1;
constexpr int32_t kDelete = 2;
constexpr int32_t kReplaceDelete = 3;
constexpr int32_t kReplaceInsert = 4;
constexpr int32_t kBaseMask = 0x07;
constexpr int32_t kGrouped = 0x10;        // undone together with the record before it
constexpr int32_t kInsertionGap = 0x20;   // opens or closes the insertion gap
constexpr int32_t base(int32_t kind) { return kind & kBaseMask; }
}  // namespace undokind

struct UndoRecord {
    int32_t kind;
    int32_t bytesOffset;
    int32_t row;
    int32_t textOffset;
    int32_t length;
};
static_assert(sizeof(UndoRecord) == 20, "an undo record is five 32-bit words");

// One record as undo and redo see it; bytes stay valid until the history
// next changes.
struct UndoStep {
    int32_t kind;
    int32_t row;
    int32_t textOffset;
    const char* bytes;
    int32_t length;
};

class UndoHistory {
public:
    static constexpr int32_t kMaxRecordBytes = 67108863;
    static constexpr int32_t kByteLimit = 67108864;

    // byteLimit is lowered by tests to exercise dropping without 64 MiB.
    explicit UndoHistory(int32_t byteLimit = kByteLimit) : m_byteLimit(byteLimit) {}

    // Adds a record (after discarding the redo tail and dropping old records
    // as needed). False when the change is too long for any record; the
    // history is then cleared and marked truncated, since its records no
    // longer describe the text.
    bool add(int32_t kind, int32_t row, int32_t textOffset, const char* bytes, int32_t length);

    // Back lowers the position and returns the record there; forward
    // returns the record at the position and raises it.
    std::optional<UndoStep> stepBack();
    std::optional<UndoStep> stepForward();
    // The record a step would return, without moving.
    std::optional<UndoStep> peekBack() const;
    std::optional<UndoStep> peekForward() const;

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < count(); }
    int32_t position() const { return m_position; }
    int32_t count() const { return int32_t(m_records.size()); }
    int32_t savedPosition() const { return m_saved; }
    int32_t bytesUsed() const { return m_bytesUsed; }
    bool truncated() const { return m_truncated; }
    int32_t byteLimit() const { return m_byteLimit; }
    const UndoRecord& record(int32_t i) const { return m_records[size_t(i)]; }

    // Undo leads back to the state of the last save or load.
    bool atSavedState() const { return !m_truncated && m_saved == m_position; }
    void markSaved() { m_saved = m_position; }
    // Row word of the record just below the position, -1 at position 0.
    int32_t lastChangeRow() const { return m_position > 0 ? m_records[size_t(m_position - 1)].row : -1; }

    void clear();
    // Forgets every record because the text changed without one.
    void invalidate();

private:
    UndoStep stepAt(int32_t i) const;
    void dropOldest(int32_t needed);

    std::vector<UndoRecord> m_records;
    std::vector<char> m_bytes;
    int32_t m_position = 0;
    int32_t m_saved = 0;
    int32_t m_bytesUsed = 0;
    bool m_truncated = false;
    int32_t m_byteLimit;
};

}  // namespace orvex
