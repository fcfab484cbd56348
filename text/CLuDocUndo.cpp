// Undo and redo of a document.
//
// A step is one record, or a replace pair (kind 3 followed by kind 4) taken
// together. A record with the group bit 0x10 belongs with the record before
// it: undo takes one more step after a step whose earliest record carries
// the bit, redo takes one more step when the record after its step carries
// it, so that redo repeats exactly what one undo took back.
#include "text/CLuDoc.h"

namespace orvex {

namespace {
using namespace undokind;
}

int32_t CLuDoc::applyInsert(int32_t offset, const char* p, int32_t n) {
    const int32_t first = m_text.insertAt(offset, p, n);
    if (first < 0) {
        // Undo and redo only restore states the text held before, so this
        // means memory ran out; the records no longer fit the text.
        tooLarge();
        m_undo.invalidate();
    }
    afterEdit(true);
    return first;
}

int32_t CLuDoc::applyRemove(int32_t offset, int32_t n) {
    const int32_t first = m_text.removeAt(offset, n);
    afterEdit(true);
    return first;
}

bool CLuDoc::undoOne(UndoResult& result) {
    const auto rec = m_undo.stepBack();
    if (!rec) return false;
    UndoStep earliest = *rec;
    const bool gap = rec->kind & kInsertionGap;
    switch (base(rec->kind)) {
    case kInsert:
        result.firstRow = applyRemove(rec->textOffset, rec->length);
        if (gap) m_text.forgetInsertionGap();
        break;
    case kDelete:
        result.firstRow = applyInsert(rec->textOffset, rec->bytes, rec->length);
        if (gap && result.firstRow >= 0) m_text.openInsertionGap(rec->textOffset, rec->length);
        break;
    case kReplaceInsert: {
        result.firstRow = applyRemove(rec->textOffset, rec->length);
        const auto prev = m_undo.peekBack();
        if (prev && base(prev->kind) == kReplaceDelete) {
            m_undo.stepBack();
            result.firstRow = applyInsert(prev->textOffset, prev->bytes, prev->length);
            earliest = *prev;
            ++result.records;
        }
        break;
    }
    case kReplaceDelete:  // its insertion half was refused
        result.firstRow = applyInsert(rec->textOffset, rec->bytes, rec->length);
        break;
    default:
        break;
    }
    ++result.records;
    result.cursorOffset = earliest.textOffset;
    result.applied = true;
    // Another step when this one is grouped with the record before it.
    return (earliest.kind & kGrouped) != 0;
}

bool CLuDoc::redoOne(UndoResult& result) {
    const auto rec = m_undo.stepForward();
    if (!rec) return false;
    const bool gap = rec->kind & kInsertionGap;
    switch (base(rec->kind)) {
    case kInsert:
        result.firstRow = applyInsert(rec->textOffset, rec->bytes, rec->length);
        if (gap && result.firstRow >= 0) m_text.openInsertionGap(rec->textOffset, rec->length);
        break;
    case kDelete:
        result.firstRow = applyRemove(rec->textOffset, rec->length);
        if (gap) m_text.forgetInsertionGap();
        break;
    case kReplaceDelete: {
        result.firstRow = applyRemove(rec->textOffset, rec->length);
        const auto next = m_undo.peekForward();
        if (next && base(next->kind) == kReplaceInsert) {
            m_undo.stepForward();
            result.firstRow = applyInsert(next->textOffset, next->bytes, next->length);
            ++result.records;
        }
        break;
    }
    case kReplaceInsert:
        result.firstRow = applyInsert(rec->textOffset, rec->bytes, rec->length);
        break;
    default:
        break;
    }
    ++result.records;
    result.cursorOffset = rec->textOffset;
    result.applied = true;
    const auto next = m_undo.peekForward();
    return next && (next->kind & kGrouped);
}

UndoResult CLuDoc::undo(DocumentObserver* source) {
    UndoResult result;
    if (undoOne(result)) undoOne(result);
    if (result.applied) notifyEdited(source);
    return result;
}

UndoResult CLuDoc::redo(DocumentObserver* source) {
    UndoResult result;
    if (redoOne(result)) redoOne(result);
    if (result.applied) notifyEdited(source);
    return result;
}

}  // namespace orvex
