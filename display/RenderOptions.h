#pragma once
// The display options painting and scrolling read, as one plain struct.
// The editor profile fills it (RenderSettings.h) from the global options
// and the options of the document's file-type mode; the defaults here are
// the profile's defaults. Strings are Shift JIS.
#include <array>
#include <string>

namespace orvex {

struct RenderOptions {
    // Marks.
    bool crDisp = true;          // CRDisp: line-end arrows
    bool eofDisp = true;         // EOFDisp: "[EOF]"
    bool tabDisp = false;        // TabDisp: a mark in the first cell of each tab
    std::string tabDispCode = "^";  // TabDispCode: its first character is the mark
    bool dspcDisp = false;       // DspcDisp: a mark in place of each full-width blank
    std::string dblSpc = "\x81\xa0";  // DblSpc: its first two bytes are the mark ("□")
    bool colorSpChar = true;     // ColorSpChar: marks in TextColor2

    // Caret line and gutter.
    bool underLine = true;       // UnderLine: underline the caret row
    bool keepUnderLine = true;   // KeepUnderLine: also without the focus
    int lineNoDisp = 1;          // LineNoDisp: 0 none, 1 logical lines, 2 rows

    // Ruler.
    bool rulaDisp = true;        // RulaDisp
    int rulaPitch = 1;           // RulaPitch: columns between ticks
    int rulaType = 1;            // RulaType: 1 raised, else flat

    // Scrolling.
    int scrlMrgn = 1;            // ScrlMrgn: rows and columns kept between the caret and the edges
    bool scrollCaret = true;     // ScrollCaret: the wheel moves the caret with the rows
    bool adjCol = false;         // AdjCol (per mode): wrapping at the window width, no horizontal margin

    // Geometry.
    int leftSpace = 0;           // LeftSpace, RightSpace: quarter columns
    int rightSpace = 0;
    int upperSpace = 0;          // UpperSpace: pixels
    int dispGyoukan = 0;         // DispGyoukan: extra row distance 0..5
    int adjChWidth = 0;          // AdjChWidth: pixels added to the character width

    // Colouring.
    bool urlKanji = true;        // UrlKanji: URLs run over double-byte characters
    // KeywdSel1..8 of the mode; -1 means "on when the group's colour is set".
    std::array<int, 8> keywdSel{-1, -1, 0, 0, 0, 0, 0, 0};

    // RulaPitch, at least 1.
    int pitch() const { return rulaPitch < 1 ? 1 : rulaPitch; }
    bool raisedRuler() const { return rulaType == 1; }
};

}  // namespace orvex
