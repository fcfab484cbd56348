#include "files/ModeLayout.h"

namespace orvex::files {

LayoutOptions layoutOptionsFor(const settings::EditorProfile& editor, const settings::ColourOptions& colours,
                               const settings::DocumentOptions& document, int mode, bool tagFile) {
    const settings::ModeOptions& m = editor.mode(mode);
    const settings::EditorOptions& g = editor.options;
    LayoutOptions o;
    o.tabStops = m.tabStops;
    o.lineMax = m.lineMax;
    o.adjCol = m.adjCol != 0;
    o.kinsoku = m.kinsoku != 0;
    o.wordWrap = m.wordWrap != 0;
    o.cmntSel = m.cmntSel;
    o.usrCmnt = m.usrCmnt;
    o.ttwdSel = m.ttwdSel;
    o.kinsokuStr1 = g.kinsokuStr1;
    o.kinsokuStr2 = g.kinsokuStr2;
    o.kinsokuWrap = g.kinsokuWrap;
    o.leftSpace = g.leftSpace;
    o.rightSpace = g.rightSpace;
    // Comments are coloured with TextColor4, the line-start classes 1-4
    // with TextColor5, 6, 10 and 11.
    o.commentColour = colours.textColorNo(4);
    o.classColours = {colours.textColorNo(5), colours.textColorNo(6), colours.textColorNo(10),
                      colours.textColorNo(11)};
    o.titleStr = document.titleStr;
    o.tagFile = tagFile;
    return o;
}

}  // namespace orvex::files
