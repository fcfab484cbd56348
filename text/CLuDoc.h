#pragma once
// A document: its text store (text buffer, row table, insertion gap), its
// undo history with the modified state, its title and its views.
//
// Later parts add their own members beside these by composition (file
// state, locks and backups; the file-type mode); nothing here depends on
// them. Every view that shows the document registers as an observer.
//
// Editing entry points:
//  - insertText / deleteText: plain changes, no undo record, no change of
//    the modified state (loading, filling result documents);
//  - insertRecorded / deleteRecorded: the changes views make (through their
//    edit primitive). kind != 0 writes an undo record of that kind (low bits
//    1-4, group bits 0x10/0x20); kind 0 changes the text without a record,
//    which makes the existing records useless, so the history is dropped
//    and marked truncated.
//  - undo / redo: step through the history; the asking view places its
//    cursor at the returned offset, the other views are told to clamp.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/platform/Platform.h"
#include "display/LayoutOptions.h"
#include "text/DocumentObserver.h"
#include "text/TextPosition.h"
#include "text/TextStore.h"
#include "text/UndoHistory.h"

namespace orvex {

// Settings the document's editing reads (section "Settings").
struct EditSettings {
    bool editEnable = true;    // EditEnable: a read-only document may still be edited
    bool keepUndo = true;      // KeepUndo: saving clears the undo history
    bool keepModifyMk = true;  // KeepModifyMk: saving clears the modified bits of the rows
};

// What undo or redo did, for the view that asked.
struct UndoResult {
    bool applied = false;
    int32_t cursorOffset = 0;  // text offset for the asking view's cursor
    int32_t firstRow = 0;      // first row rebuilt by the last change
    int32_t records = 0;       // records applied
};

class CLuDoc {
public:
    explicit CLuDoc(const Platform& platform);
    CLuDoc(const CLuDoc&) = delete;
    CLuDoc& operator=(const CLuDoc&) = delete;

    const Platform& platform() const { return m_platform; }
    TextStore& text() { return m_text; }
    const TextStore& text() const { return m_text; }

    // ---- Layout
    // New layout options (the profile of the document's mode) with the
    // current wrap width; lays out again.
    void setLayoutOptions(const LayoutOptions& options);
    const LayoutOptions& layoutOptions() const { return m_text.layoutOptions(); }
    int32_t layoutAll();
    // Re-layout for a view whose wrap width may have changed: nothing when
    // the width equals the current and the last full layout's width and
    // force is false; otherwise a full layout, and the caret comes back at
    // the same place in the text (a free-cursor excess is kept).
    TextPosition relayoutForWidth(int32_t wrapWidth, bool force, const TextPosition& caret);

    // ---- Plain changes (no undo, modified state unchanged)
    int32_t insertText(int32_t row, int32_t byteColumn, const char* p, int32_t n);
    int32_t deleteText(int32_t row, int32_t byteColumn, int32_t n);
    // Empties the text, rows, counters and undo history; with initialise
    // the document holds the single NUL and one row.
    void reset(bool initialise);

    // ---- Changes with undo
    int32_t insertRecorded(int32_t row, int32_t byteColumn, const char* p, int32_t n, int32_t kind);
    int32_t deleteRecorded(int32_t row, int32_t byteColumn, int32_t n, int32_t kind);
    // The same at a text offset (search and replace, conversions); the
    // record's row is the row that holds the offset.
    int32_t insertRecordedAt(int32_t offset, const char* p, int32_t n, int32_t kind);
    int32_t deleteRecordedAt(int32_t offset, int32_t n, int32_t kind);
    // Insertion gap: opens with a recorded insertion of kind 0x21 (plus
    // group bits) at the position; closes with a recorded deletion of the
    // gap's bytes (kind 0x22). -1 when refused or when there is nothing to do.
    int32_t openInsertionGap(int32_t row, int32_t byteColumn, const char* p, int32_t n, int32_t groupBits = 0);
    int32_t closeInsertionGap(int32_t groupBits = 0);

    UndoResult undo(DocumentObserver* source = nullptr);
    UndoResult redo(DocumentObserver* source = nullptr);
    bool canUndo() const { return m_undo.canUndo(); }
    bool canRedo() const { return m_undo.canRedo(); }
    int32_t lastChangeRow() const { return m_undo.lastChangeRow(); }
    void clearUndo() { m_undo.clear(); }
    UndoHistory& undoHistory() { return m_undo; }
    const UndoHistory& undoHistory() const { return m_undo; }

    // ---- Modified state and title
    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    // After a successful save: KeepUndo clears the history, otherwise the
    // saved position moves to the current one; KeepModifyMk clears the rows'
    // modified bits; the document is not modified.
    void markSaved();
    // After load or revert: empty history, not modified.
    void markLoaded();
    // Clears bit 0 of every row when any is set, and repaints.
    void clearModifiedMarks();
    // The title shown for the document: base, plus " *変更" for a document
    // with a path or "*" for an untitled one while modified.
    void setTitleBase(std::string base, bool hasPath);
    std::string title() const;
    const std::string& titleBase() const { return m_titleBase; }

    // ---- File identity (kept by the file side, read by views and layout)
    // The file the document was loaded from or last saved under; empty for
    // an untitled document. Paths are the file system's bytes.
    const std::string& pathName() const { return m_pathName; }
    void setPathName(std::string path) { m_pathName = std::move(path); }
    // File-type mode 0-4 chosen by the file's extension; the per-mode
    // options of views and layout are read through it.
    int fileTypeMode() const { return m_fileTypeMode; }
    void setFileTypeMode(int mode) { m_fileTypeMode = mode; }

    // ---- Read-only and editing settings
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // The table of characters code page 932 lacks that the document's file
    // side keeps (null without one): whatever converts this document's
    // bytes to or from Unicode goes through it.
    cp932::PrivateCharTable* privateChars() const { return m_privateChars; }
    void setPrivateChars(cp932::PrivateCharTable* table) { m_privateChars = table; }
    const EditSettings& editSettings() const { return m_settings; }
    void setEditSettings(const EditSettings& settings) { m_settings = settings; }
    bool editable() const { return !m_readOnly || m_settings.editEnable; }

    // ---- Marks and row searches (rows are display rows)
    // Toggles the mark of the logical line of row r (on its first row);
    // returns that row, or -1 when the text is empty.
    int32_t toggleMark(int32_t r);
    void clearAllMarks();
    // First row after `from` (wrapping to the top) or before it (wrapping to
    // the end) within the available rows whose flags meet mask; -1 if none.
    int32_t findRow(int32_t from, int32_t mask, bool forward) const;
    int32_t nextMarkRow(int32_t from, bool forward) const;
    int32_t nextTitleRow(int32_t from, bool forward) const;
    int32_t nextModifiedRow(int32_t from, bool forward) const;
    // Row of the last change (the record below the undo position), clamped
    // to the available rows; -1 without modified rows or records.
    int32_t lastModifiedRow() const;

    // ---- Views
    void addObserver(DocumentObserver* view);
    void removeObserver(DocumentObserver* view);
    const std::vector<DocumentObserver*>& observers() const { return m_observers; }
    // Tells every view but source to clamp to the changed rows.
    void notifyEdited(DocumentObserver* source);
    // While closing, views are no longer told of changes.
    void setClosing(bool closing) { m_closing = closing; }
    bool closing() const { return m_closing; }

private:
    int32_t applyInsert(int32_t offset, const char* p, int32_t n);
    int32_t applyRemove(int32_t offset, int32_t n);
    bool undoOne(UndoResult& result);
    bool redoOne(UndoResult& result);
    void afterEdit(bool byHistory);
    void tooLarge();
    void notifyRows(int32_t first, int32_t last);

    Platform m_platform;
    TextStore m_text;
    UndoHistory m_undo;
    EditSettings m_settings;
    bool m_modified = false;
    bool m_readOnly = false;
    cp932::PrivateCharTable* m_privateChars = nullptr;
    bool m_closing = false;
    std::string m_titleBase;
    bool m_titleHasPath = false;
    std::string m_pathName;
    int m_fileTypeMode = 0;
    std::vector<DocumentObserver*> m_observers;
};

}  // namespace orvex
