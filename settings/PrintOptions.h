#pragma once
// The ten page-layout formats ("書式1" to "書式10") and the global print
// options. Format 0 lives in sections "PageLayout", "PrintFont",
// "HeaderFont" and "FooterFont"; format i (1..9) in the same names followed
// by i + 1 ("PageLayout2" .. "PageLayout10").
#include <array>
#include <string>

#include "settings/LogFont.h"
#include "settings/SettingsTable.h"

namespace orvex::settings {

constexpr int kPageLayoutCount = 10;

struct PageLayoutFormat {
    // Fonts: FontSize in tenths of a point (below 1: the description's own
    // height) and the font description, per section.
    int printFontSize = 0;                   // "PrintFont" FontSize
    LogFont printFont = defaultPrintFont();  // "PrintFont" font group
    int headerFontSize = 0;                  // "HeaderFont" FontSize
    LogFont headerFont = defaultPrintFont();
    int footerFontSize = 0;                  // "FooterFont" FontSize
    LogFont footerFont = defaultPrintFont();
    int orientation = 0;    // Orientation: 0 portrait, 1 landscape
    int paperSize = -1;     // PaperSize: printer paper code, negative = printer's own
    std::string header = "&f";  // Header
    std::string footer = "&p";  // Footer
    int headerPos = 0;      // HeaderPos: 0 none, 1 left, 2 centre, 3 right
    int footerPos = 0;      // FooterPos
    int lMrgn = 20;         // LMrgn, mm
    int rMrgn = 20;         // RMrgn
    int tMrgn = 20;         // TMrgn
    int bMrgn = 20;         // BMrgn
    int hMrgn = 20;         // HMrgn (default: the TMrgn value)
    int fMrgn = 20;         // FMrgn (default: the BMrgn value)
    int dangumi1 = 0;       // Dangumi1: 0, 1, 2 for 1, 2, 4 columns
    int dangumi2 = 20;      // Dangumi2: column gap, mm
    int printLineNo = 0;    // PrintLineNo
    int gyoukan = 0;        // Gyoukan, 0.1 mm
    int prnKinsoku = 0;     // PrnKinsoku
    int prnWordWrap = 0;    // PrnWordWrap
    int mojikan = 0;        // Mojikan, 0.1 mm
    int prnSkip = 0;        // PrnSkip
    std::string printTT;    // PrintTT
    int prnConf = 0;        // PrnConf
    std::string prnExt;     // PrnExt

    friend bool operator==(const PageLayoutFormat&, const PageLayoutFormat&) = default;
};

struct PrintOptions {
    int printForm = 0;  // "PageLayout" PrintForm: the current format index
    int prnExtSel = 0;  // PrnExtSel
    int prnInfo = 0;    // PrnInfo

    friend bool operator==(const PrintOptions&, const PrintOptions&) = default;
};

const SettingsTable<PageLayoutFormat>& pageLayoutTable();
const SettingsTable<PrintOptions>& printOptionsTable();

}  // namespace orvex::settings
