#pragma once
// The requests the macro library sends to the editor's windows, and the
// editor's answers: frame requests to the main window, view requests to one
// editor view, and commands to either. Both sides include this one list.
//
// Every request is a synchronous sendMessage from the macro thread; the
// receiver answers on the user-interface thread. Strings passed in lParam
// are zero-terminated and belong to the sender for the length of the call.
#include <cstdint>
#include <string>

#include "winmsg/MessageLayer.h"

namespace orvex::win {

// A command: wParam = command id | (notification code << 16), lParam 0.
// The macro library sends notification code 1 (as from an accelerator).
constexpr uint32_t kMsgCommand = 0x0111;
constexpr WParam commandWParam(uint32_t id, uint32_t code = 1) { return WParam(id & 0xFFFF) | (WParam(code) << 16); }

// Frame requests (the main window's control message WM_USER+1); the answer
// is the handle of the view that is active afterwards, 0 when none. Codes 4
// to 9 are the hand-over of a second start (shell/HandOver.h).
constexpr uint32_t kMsgFrameRequest = 0x401;
enum FrameRequest : WParam {
    kFrameNew = 0,     // the File New command
    kFrameOpen = 1,    // lParam: const char* path; empty or null: File Open with its dialog
    kFrameClose = 2,   // the File Close command for the active document
    kFrameSize = 3,    // lParam: width * 65536 + height in pixels; a zero half maximises
};

// View requests (WM_USER+2) to one view; -1 answers an unknown code. Rows
// are display rows from 0, offsets byte offsets into the text; a row
// argument is clamped to 0 .. row count - 1. The main window passes this
// message on to its active view and answers 0.
constexpr uint32_t kMsgViewRequest = 0x402;
enum ViewRequest : WParam {
    kViewInsertFile = 3,       // lParam: const char* path; inserted at the caret
    kViewSave = 4,             // save under the document's own path
    kViewSaveAs = 5,           // lParam: const char* path
    kViewTextAddress = 100,    // address of the text (valid until it changes; UI thread only)
    kViewTextLength = 101,     // bytes of text, terminator not counted
    kViewRowCount = 102,
    kViewLineCount = 103,
    kViewRowOfLine = 104,      // lParam: logical line; its first row
    kViewFirstRowOfLine = 105, // lParam: row; first row of its logical line
    kViewLastRowOfLine = 106,  // lParam: row; last row of its logical line
    kViewLineOfRow = 107,      // lParam: row
    kViewRowOffset = 108,      // lParam: row
    kViewRowLength = 109,      // lParam: row; bytes to the next row's offset, line end included
    kViewRowWidth = 110,       // lParam: row; display width, without the line-end mark
    kViewCaretRow = 111,
    kViewCaretColumn = 112,
    kViewCaretByteColumn = 113,
    kViewSelStartRow = 114,    // first selection end: row, display column, byte column
    kViewSelStartColumn = 115,
    kViewSelStartByteColumn = 116,
    kViewSelEndRow = 117,      // second selection end
    kViewSelEndColumn = 118,
    kViewSelEndByteColumn = 119,
    kViewRowOfOffset = 120,    // lParam: offset; also becomes the caret row
    kViewSetCaret = 121,       // lParam: offset, clamped to 0 .. text size - 1
    kViewExtendSelection = 122,// lParam: offset; as 121, extending the selection
    kViewUpdate = 123,         // update the view as after a caret move
    kViewInsertText = 124,     // lParam: const char* text, inserted as typed input
    kViewSetSize = 125,        // lParam: columns * 65536 + rows; both 0 maximise
    kViewPath = 126,           // address of the document's full path (UI thread only)

    // Copies made on the user-interface thread, for senders on other threads:
    // the macro thread never reads the document's own buffers, which the
    // user may change while it runs. The answer is the number of bytes
    // copied, -1 when lParam is null.
    kViewCopyText = 150,       // lParam: TextCopy*
    kViewCopyRow = 151,        // lParam: RowCopy*
    kViewCopyPath = 152,       // lParam: std::string* receiving the full path

    kViewModeFirst = 200,      // 200 + n: mode setting n; lParam the new value, -1 only reads
    kViewModeLast = 209,
};

// Mode settings of requests 200 .. 209.
enum ViewMode : int {
    kModeOverwrite = 0,   // insert (0) or overwrite (1), all documents
    kModeFreeCursor = 1,
    kModeAutoIndent = 2,
    kModeAutoLineBreak = 3,
    kModeBoxSelection = 4,
    kModeInputMethod = 5,
    kModeHangingIndent = 6,
    kModeTabWidth = 7,
    kModeWrapWidth = 8,   // of this view
    kModeAutoWrap = 9,
};

// kViewCopyText: `length` bytes from `offset` (negative length: to the end
// of the text); the range is clipped to the text.
struct TextCopy {
    int32_t offset = 0;
    int32_t length = -1;
    std::string out;
};

// kViewCopyRow: the bytes of a row as kViewRowLength counts them, from
// kViewRowOffset; a negative row means the caret row. `row` is set to the
// row read (after clamping) and `offset` to its offset.
struct RowCopy {
    int32_t row = -1;
    int32_t offset = 0;
    std::string out;
};

}  // namespace orvex::win
