#pragma once
// The fourteen formatting presets (numbered 0..13). Preset 0 uses the plain
// key names, preset n >= 1 appends n + 1 ("Seikei2", "SeikeiCR14"); a
// missing Seikei, SeikeiCH or SeikeiCR of preset n >= 1 takes preset 0's
// value.
#include <string>

#include "settings/SettingsTable.h"

namespace orvex::settings {

constexpr int kFormatPresetCount = 14;

struct FormatPreset {
    std::string seikeiTT;          // SeikeiTT: page title, empty for the built-in name
    int seikei = 70;               // Seikei: line width in half-width columns, 1..250
    int seikeiCH = 1;              // SeikeiCH: break lines at the width
    int seikeiCR = 0;              // SeikeiCR: joining option bits
    int seikeiKinsoku = 0;         // SeikeiKinsoku
    int seikeiKinsokuWrap = 0;     // SeikeiKinsokuWrap: 0..20
    int seikeiWordWrap = 0;        // SeikeiWordWrap
    int commentIns = 0;            // CommentIns
    std::string commentStr = "> ";  // CommentStr
    int danraku = 0;               // Danraku: itemised indentation bits
    int seikeiTab = 0;             // SeikeiTab
    int seikeiDelSpc = 0;          // SeikeiDelSpc: blank removal bits
    int seikeiSpc = 0;             // SeikeiSpc
    int wrapInf = 0;               // WrapInf
    int modifyAutoCR = 0;          // ModifyAutoCR
    std::string prohibitCnctChr;   // ProhibitCnctChr (default "([{｢・（〔［｛〈《「『【")
    std::string prohibitCnctChrL;  // ProhibitCnctChrL (default ".。．")
    int seikeiParagraph = 0;       // SeikeiParagraph: 0 whole text, 1 line, 2 paragraph

    FormatPreset();
    friend bool operator==(const FormatPreset&, const FormatPreset&) = default;
};

const SettingsTable<FormatPreset>& formatPresetTable();

}  // namespace orvex::settings
