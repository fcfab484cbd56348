#include "display/ProfileLayout.h"

#include <algorithm>

namespace orvex {

LayoutOptions layoutOptionsFor(const settings::ModeOptions& mode, const settings::EditorOptions& editor,
                               const settings::ColourOptions& colours, const settings::DocumentOptions& document,
                               bool tagFile) {
    LayoutOptions o;
    o.tabStops = mode.tabStops;
    o.lineMax = mode.lineMax;
    o.adjCol = mode.adjCol != 0;
    o.kinsoku = mode.kinsoku != 0;
    o.wordWrap = mode.wordWrap != 0;
    o.cmntSel = mode.cmntSel;
    o.usrCmnt = mode.usrCmnt;
    o.ttwdSel = mode.ttwdSel;
    o.kinsokuStr1 = editor.kinsokuStr1;
    o.kinsokuStr2 = editor.kinsokuStr2;
    o.kinsokuWrap = editor.kinsokuWrap;
    o.leftSpace = editor.leftSpace;
    o.rightSpace = editor.rightSpace;
    // Comments are TextColor4; the line-start classes 1-4 are TextColor5,
    // TextColor6, TextColor10 and TextColor11.
    o.commentColour = colours.textColorN[4];
    o.classColours = {colours.textColorN[5], colours.textColorN[6], colours.textColorN[10], colours.textColorN[11]};
    std::copy_n(document.titleStr.begin(), std::min(o.titleStr.size(), document.titleStr.size()), o.titleStr.begin());
    o.tagFile = tagFile;
    return o;
}

}  // namespace orvex
