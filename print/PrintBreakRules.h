#pragma once
// The line-breaking rules of printed rows: the document's tab width and
// line-breaking character sets with the format's print switches
// (PrnKinsoku, PrnWordWrap) in place of the display switches.
#include "display/CharSet.h"
#include "display/LayoutOptions.h"
#include "display/LineBreaker.h"
#include "settings/PrintOptions.h"

namespace orvex::print {

class PrintBreakRules {
public:
    PrintBreakRules(const settings::PageLayoutFormat& format, const LayoutOptions& layout);
    PrintBreakRules(const PrintBreakRules&) = delete;
    PrintBreakRules& operator=(const PrintBreakRules&) = delete;
    const LineBreakRules& rules() const { return m_rules; }

private:
    CharSet m_noLineStart;
    CharSet m_noLineEnd;
    LineBreakRules m_rules;
};

}  // namespace orvex::print
