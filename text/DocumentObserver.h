#pragma once
// How a document tells its views what happened. Views register with
// CLuDoc::addObserver and unregister before they go away.
#include <cstdint>

#include "text/TextStore.h"

namespace orvex {

class CLuDoc;

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    // The text changed through another view (or through undo/redo asked by
    // another view): keep the cursor's row index and display column, clamp
    // them to the new rows, recompute the scroll sizes and repaint.
    virtual void documentEdited(CLuDoc& doc, const ChangeInfo& change) = 0;
    // Rows first..last (last -1: to the end) look different (marks,
    // modified bits) and need repainting in every view.
    virtual void documentRowsChanged(CLuDoc& doc, int32_t first, int32_t last) {}
    // The whole row table was rebuilt (new wrap width, tab width, mode).
    virtual void documentRelaid(CLuDoc& doc) {}
};

}  // namespace orvex
