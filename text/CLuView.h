#pragma once
// An editor view of a document: its cursor, selection and scroll position,
// its command table and its input handling, without any window system.
// The view widget of the Qt layer feeds it with keys (virtual-key codes),
// characters (Shift JIS bytes), input-method strings and mouse positions
// already converted to rows and display columns, tells it the size of its
// text area in rows and columns, and draws what it reads back (cursor,
// selection, first row and column, box flag).
//
// Positions are (row, byte column, display column) over the document's row
// table. Invariants after every public call:
//  - the cursor row lies within the rows available to movement (the rows
//    before an open insertion gap) and its byte column never points into a
//    double-byte character; a byte column beyond the row's end column is a
//    free-cursor position (end column + the columns beyond);
//  - selection start and end are the anchor and moving end in text order
//    (widened to a whole anchor range), derived by the view's
//    SelectionState (text/SelectionState.h), which states its invariants;
//  - the first row lies within the rows available to movement; the first
//    row and column and the text area's size are the view's ViewportState
//    (text/ViewportState.h);
//  - every change of the text goes through edit(), which writes the undo
//    record, places the cursor, ends the selection and tells the other
//    views of the document.
//
// The implementation is split by concern: CLuView.cpp (state, cursor
// update, scrolling into view, other views), ViewSelection.cpp,
// ViewMovement.cpp, ViewScrolling.cpp, ViewEdit.cpp (the edit primitive and
// the delete commands), ViewTyping.cpp, ViewClipboard.cpp, ViewInput.cpp
// (keys and characters), ViewMouse.cpp, ViewModes.cpp (toggles),
// ViewDocumentCommands.cpp (undo, marks, jumps) and CLuViewCommands.cpp
// (the command table).
//
// New command families do not become members here: they are command
// targets of their own that work on the view through its public members
// (see addCommandExtension), like the file and search commands.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/commands/CommandTable.h"
#include "common/platform/Platform.h"
#include "text/CLuDoc.h"
#include "text/DragHandler.h"
#include "text/DocumentObserver.h"
#include "text/EditorHooks.h"
#include "text/EditorState.h"
#include "text/KeyMacroHook.h"
#include "text/SelectionState.h"
#include "text/TextPosition.h"
#include "text/ViewHost.h"
#include "text/ViewOptions.h"
#include "text/ViewportState.h"

namespace orvex {

// Everything a view borrows besides its document. All pointers are
// non-owning and may be null: a view without editor state or options keeps
// its own defaults, and does without the others.
struct ViewContext {
    EditorState* state = nullptr;
    ViewOptionsSource* options = nullptr;
    KeyMacroHook* keyMacro = nullptr;
    EditorHooks* hooks = nullptr;
    ViewHost* host = nullptr;
};

// Scrolling asked of the cursor update.
enum class ScrollMode { None = 0, Visible = 1, Centred = 2 };
// Selection update of the cursor update.
enum class SelectionUpdate { Clear = 0, Extend = 1, Settle = 2, SetRange = 3 };

// A mouse position: row and display column in document terms (first row
// and first column of the view already added), with the area it lies in.
struct MouseEvent {
    int32_t row = 0;
    int32_t column = 0;
    bool inMargin = false;  // left of the text (the line-number margin)
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// What a left-button press started.
enum class MousePress { Ignored, Selecting, DragPending };

// Edit primitive modes and flags.
enum class EditMode { Insert = 0, Delete = 1, Replace = 2 };
namespace editflag {
constexpr int kRecord = 0x01;         // write undo records
constexpr int kGrouped = 0x10;        // undone together with the record before
constexpr int kInsertionGap = 0x20;   // opens or closes the insertion gap
constexpr int kGroupMask = 0xF0;
}  // namespace editflag

// Typing flags.
namespace typeflag {
constexpr int kTakeControls = 0x01;  // insert control characters instead of dropping them
}

class CLuView final : public DocumentObserver, public CommandTarget {
public:
    CLuView(CLuDoc& doc, const ViewContext& context);
    ~CLuView() override;
    CLuView(const CLuView&) = delete;
    CLuView& operator=(const CLuView&) = delete;

    CLuDoc& document() { return m_doc; }
    const CLuDoc& document() const { return m_doc; }
    const ViewContext& context() const { return m_ctx; }
    EditorState& state() { return *m_ctx.state; }
    ViewGlobalOptions globalOptions() const { return m_ctx.options->global(); }
    ViewModeOptions modeOptions() const { return m_ctx.options->mode(m_doc); }

    // ---- What the widget draws
    const TextPosition& cursor() const { return m_cursor; }
    int32_t desiredColumn() const { return m_desiredColumn; }
    int32_t desiredRow() const { return m_desiredRow; }
    const SelectionState& selection() const { return m_sel; }
    bool hasSelection() const { return m_sel.any(); }
    const TextPosition& anchorStart() const { return m_sel.anchorStart(); }
    const TextPosition& anchorEnd() const { return m_sel.anchorEnd(); }
    const TextPosition& movingEnd() const { return m_sel.moving(); }
    const TextPosition& selectionStart() const { return m_sel.start(); }
    const TextPosition& selectionEnd() const { return m_sel.end(); }
    bool viewBoxMode() const { return m_sel.viewBox(); }
    // A selection made with the left button held is under way (the status
    // bar shows its second pair of layouts meanwhile).
    bool mouseSelecting() const { return m_buttonDown && !m_dragPending && !m_dragActive && !m_marginDrag; }
    // The selection is a rectangle (global box mode or this view's flag).
    bool boxSelection() const { return m_ctx.state->boxMode || m_sel.viewBox(); }
    BoxRect boxRect() const { return m_sel.boxRect(); }
    // Selected text offsets [start, end) of a stream selection.
    int32_t selectionStartOffset() const;
    int32_t selectionEndOffset() const;

    // ---- Viewport (rows and columns of the text area)
    const ViewportState& viewport() const { return m_view; }
    int32_t topRow() const { return m_view.topRow(); }
    int32_t leftColumn() const { return m_view.leftColumn(); }
    int32_t visibleRows() const { return m_view.visibleRows(); }
    int32_t fullyVisibleRows() const { return m_view.fullyVisibleRows(); }
    int32_t visibleColumns() const { return m_view.visibleColumns(); }
    void setViewport(int32_t visibleRows, int32_t fullyVisibleRows, int32_t visibleColumns);
    // Scrolls to a first row and column (clamped); tells the host.
    void scrollTo(int32_t topRow, int32_t leftColumn);
    // Lays the document out for a new wrap width; the caret stays at its
    // place in the text, the selection is kept.
    void applyWrapWidth(int32_t wrapWidth, bool force = false);
    // The other pane of the same window (set by the frame), or null.
    void setSiblingPane(CLuView* other);
    CLuView* siblingPane() const { return m_sibling; }

    // ---- Cursor
    // The one update after every movement: scroll, selection, caret,
    // status bar, the sibling pane.
    void updateCursor(bool rememberColumn, ScrollMode scroll, SelectionUpdate selection);
    // Puts the cursor at a position (clamped into the available rows and
    // onto a character boundary) without running the update.
    void placeCursor(int32_t row, int32_t byteColumn);
    void placeCursorAtOffset(int32_t offset);
    // Moves the cursor and runs the update (Clear or Extend by the
    // selection mode).
    void moveTo(int32_t row, int32_t byteColumn, ScrollMode scroll = ScrollMode::Visible);
    // Selects [from, to) in text offsets; the cursor goes to `to`.
    void selectRange(int32_t from, int32_t to);
    void clearSelection();
    // Rows available to cursor movement.
    int32_t availableRows() const { return m_doc.text().availableRowCount(); }
    bool freeCursorOn(int32_t row) const;

    // ---- Editing
    // The edit primitive at the cursor; returns the first row rebuilt, or -1
    // when nothing changed (read-only document, size limit).
    int32_t edit(std::string_view text, int32_t deleteLength, EditMode mode, bool repaint, int flags);
    int32_t insertText(std::string_view text, bool repaint = true, int flags = editflag::kRecord);
    int32_t deleteText(int32_t length, bool repaint = true, int flags = editflag::kRecord);
    int32_t replaceText(std::string_view text, int32_t deleteLength, bool repaint = true,
                        int flags = editflag::kRecord);
    // The typing operation: text as typed at the cursor.
    void typeText(std::string_view sjis, int flags = 0);
    // The selected bytes (a box selection: each row's part, joined by CR LF).
    std::string selectedText() const;
    // Deletes the selection as one undo step; false without one.
    bool deleteSelection(int groupBits = 0);
    void deleteBefore(int32_t count);
    void deleteAt(int32_t count);
    // Indents the lines of the selection by levels TABs (or blanks).
    void indentSelectedLines(int32_t levels);
    // Indentation text the next line break inserts instead of the automatic
    // one (set by the indentation commands).
    void setPendingIndent(std::optional<std::string> indent) { m_pendingIndent = std::move(indent); }
    const std::optional<std::string>& pendingIndent() const { return m_pendingIndent; }

    // ---- Movement (the commands' work, also used by other subsystems)
    void goToLine(int32_t number);
    int32_t jumpLine() const { return m_jumpLine; }
    // The line "jump again" (33006) goes to; key-macro playback restores it.
    void setJumpLine(int32_t line) { m_jumpLine = line; }

    // ---- Raw input
    // Keys: repeat is the message's count, autoRepeat tells that the key was
    // already down (auto-repeat).
    void keyDown(uint16_t virtualKey, int32_t repeat = 1, bool autoRepeat = false);
    void keyUp(uint16_t virtualKey, int32_t repeat = 1);
    // Called for every key press, also for those the key table turns into a
    // command, so that held keys speed up scrolling (KeySpdUp).
    void noteKeyPress(uint16_t virtualKey, bool autoRepeat);
    int32_t heldKeyCount() const { return m_heldCount; }
    void character(uint8_t byte, int32_t repeat = 1);
    void inputMethodText(std::string_view sjis);
    bool leadBytePending() const { return m_pendingLead != 0; }

    // Mouse.
    MousePress leftButtonDown(const MouseEvent& e);
    void mouseMove(const MouseEvent& e);  // with the left button down
    void leftButtonUp(const MouseEvent& e);
    void leftDoubleClick(const MouseEvent& e);
    void rightButtonDown(const MouseEvent& e, bool otherButtonsHeld = false);
    void rightButtonUp(const MouseEvent& e, bool otherButtonsHeld = false);
    bool autoScrolling() const { return m_scrollTimer != 0; }
    // Drag and drop of the selection as text. beginDrag gives the text to
    // drag; endDrag tells how the drag ended (a move to elsewhere deletes
    // the selection here). dropText inserts at a position; a move within
    // this view deletes the source, both undone as one step (a box goes in as
    // a rectangle).
    std::string beginDrag();
    void endDrag(bool movedElsewhere);
    void dropText(const MouseEvent& at, std::string_view sjis, bool moveFromThisView);
    bool dragging() const { return m_dragActive; }

    // ---- Commands
    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<CLuView>& commandTable();
    // What the command gate asks: the document takes edits, a selection
    // exists, the key-macro recorder; and the refusal of an edit.
    CommandGate commandGate() const;
    void commandRefused(CommandId id);
    // Targets consulted after the view's own table (commands of later
    // subsystems that work on the view); not owned.
    void addCommandExtension(CommandTarget* target);
    void removeCommandExtension(CommandTarget* target);
    // The family offered every left-button press first (one at a time;
    // null to remove it). Not owned.
    void setDragHandler(DragHandler* handler);
    DragHandler* dragHandler() const { return m_dragHandler; }

    // ---- Document observer
    void documentEdited(CLuDoc& doc, const ChangeInfo& change) override;
    void documentRowsChanged(CLuDoc& doc, int32_t first, int32_t last) override;
    void documentRelaid(CLuDoc& doc) override;

private:
    // ---- State helpers (CLuView.cpp)
    TextPosition clampedPosition(TextPosition p, bool allowFree) const;
    TextPosition positionAtOffset(int32_t offset) const;
    void resnapAfterChange();
    // Text offsets of the cursor and selection points, kept so that a full
    // layout (new wrap width) leaves them at their places in the text.
    void rememberOffsets();
    void restoreOffsets();
    void scrollIntoView(ScrollMode mode);
    void mirrorSelectionToSibling();
    void repaintRows(int32_t first, int32_t last);
    void repaintAll();
    int32_t maxTopRow() const { return ViewportState::maxTopRow(availableRows()); }
    int32_t wrapWidth() const { return m_doc.text().wrapWidth(); }
    void record(CommandId id);
    bool recording() const;
    void refreshCaret();

    // ---- Selection (ViewSelection.cpp)
    void applySelectionUpdate(SelectionUpdate mode);
    void collapse(bool toStart);
    bool anchorIsRange() const { return m_sel.anchorIsRange(); }
    void setAnchorHere() { m_sel.collapseTo(m_cursor); }
    // Ends the selection at the cursor (an edit, a cleared selection): box
    // mode returns to its setting when there was one, the view's box flag
    // goes off.
    void endSelectionAtCursor();
    struct SelectionSnapshot {
        TextPosition start, end, cursor;
        bool any;
    };
    SelectionSnapshot snapshot() const;
    void repaintSelectionChange(const SelectionSnapshot& before);
    // Row parts [from, to) of a box selection, per display row.
    using RowPart = BoxRowPart;
    std::vector<RowPart> boxParts() const { return m_sel.boxParts(m_doc.text(), availableRows()); }

    // ---- Movement (ViewMovement.cpp)
    SelectionUpdate moveSelection(bool extend) const;
    void moveCharLeft(bool extend, int32_t count);
    void moveCharRight(bool extend, int32_t count);
    void moveRows(int32_t delta, bool extend);
    void moveWord(bool right, bool extend);
    void moveHome(bool extend);
    void moveEnd(bool extend);
    void moveNextLine(bool extend);
    TextPosition lineStartOf(const TextPosition& p) const;
    TextPosition lineEndOf(const TextPosition& p) const;
    TextPosition nextLineStartOf(const TextPosition& p) const;
    TextPosition textEnd() const;
    TextPosition atDesiredColumn(int32_t row, int32_t column) const;
    void selectTo(const TextPosition& target);
    void selectAsRange(const TextPosition& from, const TextPosition& to);

    // ---- Scrolling (ViewScrolling.cpp)
    enum class ScrollStep { Page, Half, Quarter, Eighth, Row };
    void scrollCommand(ScrollStep step, int direction, bool extend, int32_t count);
    int32_t speedCount() const;

    // ---- Editing (ViewEdit.cpp, ViewTyping.cpp)
    std::string freeCursorFill(const TextPosition& p) const;
    // Where a change at a text offset is made: its row and byte column,
    // with the start of a continuation row taken as the end of the row
    // before.
    TextPosition editPosition(int32_t offset) const;
    void deleteRange(int32_t from, int32_t to, bool delCopy);
    void replaceRange(int32_t from, int32_t to, std::string_view text, int groupBits);
    int32_t deleteBoxSelection(int groupBits);
    std::string autoIndentText() const;
    void applyTyped(class TypedTextBuilder& builder, int32_t rowStart, int32_t deleteCount, int groupBits);
    bool overwriteMovesOnLineEnd() const;
    void finishEdit(int32_t firstRow, int32_t rowsBefore, bool repaint, bool notifyOthers = true);

    // ---- Clipboard (ViewClipboard.cpp)
    void copySelection(bool append);
    void paste();
    void pasteRectangle(std::string_view text, int groupBits);
    void extendedPaste();

    // ---- Mouse (ViewMouse.cpp)
    TextPosition hitPosition(const MouseEvent& e, bool dragging) const;
    void extendToMouse(const MouseEvent& e, ScrollMode scroll);
    void startAutoScroll();
    void stopAutoScroll();
    void autoScrollTick();
    bool insideSelection(const TextPosition& p) const;
    void selectWholeLineAt(const TextPosition& p, bool extend);
    // Moves the box selection to a drop point (a drag within the view).
    void moveBox(const TextPosition& dropPoint);

    // ---- Modes (ViewModes.cpp)
    void openInsertionGap();
    void closeInsertionGap();
    void toggleModeOption(ModeOption which, bool currentlyOn);

    // ---- Command handlers (one per family; the id tells the member)
    void cmdMove(CommandId id);
    void cmdScroll(CommandId id);
    void cmdJump(CommandId id);
    void cmdSelectTo(CommandId id);
    void cmdDeleteTo(CommandId id);
    void cmdDeleteChar(CommandId id);
    void cmdSelectAll(CommandId id);
    void cmdClearAll(CommandId id);
    void cmdClearSelection(CommandId id);
    void cmdGoToLine(CommandId id);
    void cmdJumpAgain(CommandId id);
    void cmdInsertOverwrite(CommandId id);
    void cmdBoxMode(CommandId id);
    void cmdSelectionMode(CommandId id);
    void cmdFreeCursor(CommandId id);
    void cmdIndentedInsertion(CommandId id);
    void cmdModeToggle(CommandId id);
    void cmdIme(CommandId id);
    void cmdRegisterWord(CommandId id);
    void cmdCopy(CommandId id);
    void cmdCut(CommandId id);
    void cmdPaste(CommandId id);
    void cmdExtendedPaste(CommandId id);
    void cmdScrap(CommandId id);
    void cmdCopyAll(CommandId id);
    void cmdTypeLineEnd(CommandId id);
    void cmdTab(CommandId id);
    void cmdBlankLine(CommandId id);
    void cmdPageBreak(CommandId id);
    void cmdCodeInput(CommandId id);
    void cmdDuplicateLine(CommandId id);
    void cmdUndoRedo(CommandId id);
    void cmdMarks(CommandId id);
    void cmdRowSearch(CommandId id);

    // ---- Update handlers
    void updateUndo(CommandId id, CommandState& s);
    void updateRedo(CommandId id, CommandState& s);
    void updatePaste(CommandId id, CommandState& s);
    void updateScrapPaste(CommandId id, CommandState& s);
    void updateJumpAgain(CommandId id, CommandState& s);
    void updateInsertOverwrite(CommandId id, CommandState& s);
    void updateBoxMode(CommandId id, CommandState& s);
    void updateSelectionMode(CommandId id, CommandState& s);
    void updateFreeCursor(CommandId id, CommandState& s);
    void updateIndentedInsertion(CommandId id, CommandState& s);
    void updateModeToggle(CommandId id, CommandState& s);
    void updateIme(CommandId id, CommandState& s);
    void updateMarks(CommandId id, CommandState& s);
    void updateRowSearch(CommandId id, CommandState& s);

    CLuDoc& m_doc;
    ViewContext m_ctx;
    Platform m_platform;
    std::unique_ptr<EditorState> m_ownState;          // when the context has none
    std::unique_ptr<PlainViewOptions> m_ownOptions;   // when the context has none

    // Cursor and selection.
    TextPosition m_cursor;
    int32_t m_desiredColumn = 0;
    int32_t m_desiredRow = 0;
    SelectionState m_sel;

    ViewportState m_view;
    CLuView* m_sibling = nullptr;

    // Input.
    uint8_t m_pendingLead = 0;
    uint16_t m_heldKey = 0;
    int32_t m_heldCount = 0;
    std::optional<std::string> m_pendingIndent;
    int32_t m_jumpLine = 0;

    // Mouse.
    bool m_buttonDown = false;
    bool m_marginDrag = false;
    bool m_dragPending = false;
    bool m_dragActive = false;
    MouseEvent m_pressEvent;
    int32_t m_pointerRow = 0;     // last pointer position relative to the viewport
    int32_t m_pointerColumn = 0;
    bool m_pointerInMargin = false;
    Timers::TimerId m_scrollTimer = 0;

    struct SavedOffsets {
        int32_t cursor = 0, excess = 0, anchorStart = 0, anchorEnd = 0, moving = 0;
        bool selection = false;
    } m_saved;

    std::vector<CommandTarget*> m_extensions;
    DragHandler* m_dragHandler = nullptr;
    bool m_handlerDrag = false;  // the handler holds the current drag
};

}  // namespace orvex
