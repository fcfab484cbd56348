#pragma once
// Every value the layout reads, as one plain struct. The editor profile
// fills it for a document's file-type mode (the stored names are given
// beside each member); the defaults are the profile's defaults. Strings are
// Shift JIS.
#include <array>
#include <cstdint>
#include <string>

namespace orvex {

struct LayoutOptions {
    // Per file-type mode.
    int tabStops = 16;        // TabStops: tab width in quarter columns (16 = 4 columns)
    int lineMax = 80;         // LineMax: wrap width when adjCol is off
    bool adjCol = false;      // AdjCol: wrap at the window width
    bool kinsoku = false;     // Kinsoku: both line-breaking rules
    bool wordWrap = false;    // WordWrap: keep ASCII words whole
    int cmntSel = -1;         // CmntSel: comment syntax 0-8; -1 = 1 when the comment colour is set
    std::string usrCmnt;      // UsrCmnt: line-comment start of syntax 8
    std::array<int, 4> ttwdSel{-1, -1, 0, 0};  // TTwdSel1-4: line-start classes; -1 = on when coloured

    // Global.
    std::string kinsokuStr1 = defaultNoLineStart();  // KinsokuStr1: may not start a row
    std::string kinsokuStr2 = defaultNoLineEnd();    // KinsokuStr2: may not end a row
    int kinsokuWrap = 1;      // KinsokuWrap: columns that may hang beyond the wrap width
    int leftSpace = 0;        // LeftSpace, RightSpace: margins in quarter columns
    int rightSpace = 0;
    // Colours as stored (-1 = not set): TextColor4 (comments) and
    // TextColor5, TextColor6, TextColor10, TextColor11 (line-start classes
    // 1-4). A colour that is not set switches its tracking off.
    int commentColour = -1;
    std::array<int, 4> classColours{-1, -1, -1, -1};

    // Document values.
    std::array<std::string, 16> titleStr;  // TitleStr1-16: four prefixes per class
    bool tagFile = false;                  // comment state never spans lines

    // Tab width in columns: TabStops / 4, kept within the dialog's 1-16.
    int tabWidth() const;
    // Columns that may hang: KinsokuWrap, at least 1.
    int hangLimit() const { return kinsokuWrap < 1 ? 1 : kinsokuWrap; }
    // Comment syntax the layout tracks: 0 when the comment colour is not
    // set, -1 resolved, anything outside 0-8 treated as 0.
    int commentType() const;
    // Line-start class k (1-4) is on: its TTwdSel value (with -1 resolved)
    // is non-zero and its colour is set.
    bool classEnabled(int k) const;

    // The profile's default sets, converted to Shift JIS.
    static std::string defaultNoLineStart();
    static std::string defaultNoLineEnd();
};

// Wrap widths are kept within these bounds whatever the settings say.
constexpr int32_t kMinWrapWidth = 10;
constexpr int32_t kMaxWrapWidth = 2000;
constexpr int32_t clampWrapWidth(int32_t w) { return w < kMinWrapWidth ? kMinWrapWidth : w > kMaxWrapWidth ? kMaxWrapWidth : w; }

// What the wrap width of a view depends on: its client area in pixels, the
// line-number gutter and the width of one column.
struct ViewMetrics {
    int clientLeft = 0;
    int clientRight = 0;
    int gutterWidth = 0;
    int charWidth = 0;
};

// Wrap width of a view: with adjCol and a view that shows at least one whole
// column, the columns of its text area less one; otherwise lineMax; always
// within 10-2000. view may be null (no window yet).
int32_t computeWrapWidth(const LayoutOptions& options, const ViewMetrics* view);

}  // namespace orvex
