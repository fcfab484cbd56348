#include "display/RenderSettings.h"

namespace orvex {

StoredColours storedColours(const settings::ColourOptions& c) {
    StoredColours s = unsetColours();
    auto set = [&s](ColourSlot slot, int v) { s[size_t(slot)] = v; };
    set(ColourSlot::Text, c.textColor);
    set(ColourSlot::Window, c.windowColor);
    set(ColourSlot::Cr, c.crColor);
    set(ColourSlot::Eof, c.eofColor);
    set(ColourSlot::Line, c.lineColor);
    set(ColourSlot::Rula, c.rulaColor);
    set(ColourSlot::LineNo, c.lineNoColor);
    set(ColourSlot::LineNo2, c.lineNo2Color);
    for (int n = 2; n <= 15; ++n) set(textColourSlot(n), c.textColorNo(n));
    set(ColourSlot::Url, c.urlColor);
    set(ColourSlot::Mail, c.mailColor);
    set(ColourSlot::CurLine, c.curLineColor);
    set(ColourSlot::CurLineBk, c.curLineColorBk);
    set(ColourSlot::FindText, c.findTextColor);
    set(ColourSlot::SelText, c.selTextColor);
    set(ColourSlot::Window2, c.windowColor2);
    return s;
}

RenderOptions renderOptions(const settings::EditorOptions& o, const settings::ModeOptions& m, int urlKanji) {
    RenderOptions r;
    r.crDisp = o.crDisp != 0;
    r.eofDisp = o.eofDisp != 0;
    r.tabDisp = o.tabDisp != 0;
    r.tabDispCode = o.tabDispCode;
    r.dspcDisp = o.dspcDisp != 0;
    r.dblSpc = o.dblSpc;
    r.colorSpChar = o.colorSpChar != 0;
    r.underLine = o.underLine != 0;
    r.keepUnderLine = o.keepUnderLine != 0;
    r.lineNoDisp = o.lineNoDisp;
    r.rulaDisp = o.rulaDisp != 0;
    r.rulaPitch = o.rulaPitch;
    r.rulaType = o.rulaType;
    r.scrlMrgn = o.scrlMrgn;
    r.scrollCaret = o.scrollCaret != 0;
    r.adjCol = m.adjCol != 0;
    r.leftSpace = o.leftSpace;
    r.rightSpace = o.rightSpace;
    r.upperSpace = o.upperSpace;
    r.dispGyoukan = o.dispGyoukan;
    r.adjChWidth = o.adjChWidth;
    r.urlKanji = urlKanji != 0;
    r.keywdSel = m.keywdSel;
    return r;
}

}  // namespace orvex
