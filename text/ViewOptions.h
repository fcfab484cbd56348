#pragma once
// The option values a view reads, as plain structs, and the source that
// hands them to the view. The values live in the editor profile; the view
// never keeps a copy across commands, so a change made in a settings
// dialog takes effect with the next key.
//
// Per-mode values are those of the document's file-type mode. The layout
// values of that mode (tab width, wrap width, kinsoku, word wrap and the
// line-breaking sets) are read from the document's layout options instead,
// so the typing operation always agrees with the rows it produces.
#include <cstdint>

namespace orvex {

class CLuDoc;

// Global editing, input and scrolling options (section "Settings").
struct ViewGlobalOptions {
    int homeEndMode = 0;      // HomeEndMode: 0 logical line, otherwise display row
    int keySpdUp = 0;         // KeySpdUp: held keys scroll and move faster
    int scrlHalf = 0;         // ScrlHalf
    int scrlMrgn = 1;         // ScrlMrgn: rows kept between the caret and the edges
    int pageUpDown2 = 0;      // PageUpDown2: centre the caret before paging
    int lineNoDisp = 1;       // LineNoDisp: 2 = rows are numbered (go to line asks a row)
    int boxSel = 0;           // BoxSel: box mode after a selection ends
    int cancelSel = 1;        // CancelSel: copying clears the selection
    int delCopy = 0;          // DelCopy: the delete commands copy what they delete
    int rBtnUpDown = 0;       // RBtnUpDown: context menu on button down
    int imeFlush = 1;         // ImeFlush: clicks finish the input method's composition
    int insOverBS = 0;        // InsOverBS: BS in overwrite mode only moves left
    int insOverCR = 0;        // InsOverCR: Enter in overwrite mode (0-3)
    int indentByTab = 1;      // IndentByTab: TAB over a multi-row selection indents it
    int hideMouseCursor = 0;  // HideMouseCursor: typing hides the mouse pointer
    int rulaPitch = 1;        // RulaPitch: horizontal scroll positions are multiples of it
    int insOver = 0;          // InsOver: insert/overwrite state at start
    int oasysIns = 0;         // OasysIns: indented insertion at start
    int eKeisen = 0;          // EKeisen: ruled lines in half-width characters
};

// Per file-type mode options the view reads.
struct ViewModeOptions {
    int freeCurs = 0;      // FreeCurs: the cursor may stand beyond row ends
    int freeCursHome = 0;  // FreeCursHome: with the free cursor, Left at a row start goes up
    int stopEof = 0;       // StopEof: no free cursor on the last row of the text
    int autoIndent = 0;    // AutoIndent
    int tabCode = 0;       // TabCode: 0 a typed TAB stays a TAB, else blanks
    int freeTab = 0;       // FreeTab: free-cursor fills use TABs
    int wrapCr = 0;        // WrapCr: automatic line break while typing
    int wrapNum = 70;      // WrapNum: its column
    int adjCol = 0;        // AdjCol: wrap at the window width
    int lineMax = 80;      // LineMax: wrap width when AdjCol is off
};

// Per-mode options the view's toggle commands change.
enum class ModeOption { FreeCurs, AutoIndent, WrapCr, AdjCol };

class ViewOptionsSource {
public:
    virtual ~ViewOptionsSource() = default;
    virtual ViewGlobalOptions global() const = 0;
    virtual ViewModeOptions mode(const CLuDoc& doc) const = 0;
    // Stores a per-mode option into the mode of doc (nothing is written to
    // the settings store until the next save).
    virtual void setModeOption(const CLuDoc& doc, ModeOption which, int value) = 0;
};

// Options held by value: one global set and one mode set for every
// document. Used where no editor profile exists (tests, tools).
class PlainViewOptions final : public ViewOptionsSource {
public:
    ViewGlobalOptions globals;
    ViewModeOptions modes;

    ViewGlobalOptions global() const override { return globals; }
    ViewModeOptions mode(const CLuDoc&) const override { return modes; }
    void setModeOption(const CLuDoc&, ModeOption which, int value) override {
        switch (which) {
        case ModeOption::FreeCurs: modes.freeCurs = value; break;
        case ModeOption::AutoIndent: modes.autoIndent = value; break;
        case ModeOption::WrapCr: modes.wrapCr = value; break;
        case ModeOption::AdjCol: modes.adjCol = value; break;
        }
    }
};

}  // namespace orvex
