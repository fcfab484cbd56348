#include "text/ProfileViewOptions.h"

namespace orvex {

ViewGlobalOptions ProfileViewOptions::global() const {
    const settings::EditorOptions& o = m_profile.options;
    ViewGlobalOptions g;
    g.homeEndMode = o.homeEndMode;
    g.keySpdUp = o.keySpdUp;
    g.scrlHalf = o.scrlHalf;
    g.scrlMrgn = o.scrlMrgn;
    g.pageUpDown2 = o.pageUpDown2;
    g.lineNoDisp = o.lineNoDisp;
    g.boxSel = o.boxSel;
    g.cancelSel = o.cancelSel;
    g.delCopy = o.delCopy;
    g.rBtnUpDown = o.rBtnUpDown;
    g.imeFlush = o.imeFlush;
    g.insOverBS = o.insOverBS;
    g.insOverCR = o.insOverCR;
    g.indentByTab = o.indentByTab;
    g.hideMouseCursor = o.hideMouseCursor;
    g.rulaPitch = o.rulaPitch < 1 ? 1 : o.rulaPitch;
    g.insOver = o.insOver;
    g.oasysIns = o.oasysIns;
    g.eKeisen = o.eKeisen;
    return g;
}

ViewModeOptions ProfileViewOptions::mode(const CLuDoc& doc) const {
    const settings::ModeOptions& m = m_profile.mode(modeIndex(doc));
    ViewModeOptions v;
    v.freeCurs = m.freeCurs;
    v.freeCursHome = m.freeCursHome;
    v.stopEof = m.stopEof;
    v.autoIndent = m.autoIndent;
    v.tabCode = m.tabCode;
    v.freeTab = m.freeTab;
    v.wrapCr = m.wrapCr;
    // A WrapNum of 0 (never left by loading) means LineMax - 1.
    v.wrapNum = m.wrapNum > 0 ? m.wrapNum : m.lineMax - 1;
    v.adjCol = m.adjCol;
    v.lineMax = m.lineMax;
    return v;
}

void ProfileViewOptions::setModeOption(const CLuDoc& doc, ModeOption which, int value) {
    settings::ModeOptions& m = m_profile.mode(modeIndex(doc));
    switch (which) {
    case ModeOption::FreeCurs: m.freeCurs = value; break;
    case ModeOption::AutoIndent: m.autoIndent = value; break;
    case ModeOption::WrapCr: m.wrapCr = value; break;
    case ModeOption::AdjCol: m.adjCol = value; break;
    }
}

}  // namespace orvex
