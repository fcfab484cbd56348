#include "print/PrintBreakRules.h"

namespace orvex::print {

PrintBreakRules::PrintBreakRules(const settings::PageLayoutFormat& format, const LayoutOptions& layout)
    : m_noLineStart(layout.kinsokuStr1), m_noLineEnd(layout.kinsokuStr2) {
    m_rules.tabWidth = layout.tabWidth();
    m_rules.hangColumns = layout.hangLimit();
    m_rules.kinsoku = format.prnKinsoku != 0;
    m_rules.wordWrap = format.prnWordWrap != 0;
    m_rules.noLineStart = &m_noLineStart;
    m_rules.noLineEnd = &m_noLineEnd;
}

}  // namespace orvex::print
