#include "settings/PrintOptions.h"

namespace orvex::settings {

const SettingsTable<PageLayoutFormat>& pageLayoutTable() {
    using P = PageLayoutFormat;
    static const SettingsTable<P> table("PageLayout", Numbering::PlainThenNext, kPageLayoutCount, {
        intKey<&P::printFontSize>("FontSize", 0).in("PrintFont"),
        fontKey<&P::printFont>("PrintFont", &defaultPrintFont),
        intKey<&P::headerFontSize>("FontSize", 0).in("HeaderFont"),
        fontKey<&P::headerFont>("HeaderFont", &defaultPrintFont),
        intKey<&P::footerFontSize>("FontSize", 0).in("FooterFont"),
        fontKey<&P::footerFont>("FooterFont", &defaultPrintFont),
        intKey<&P::orientation>("Orientation", 0),
        intKey<&P::paperSize>("PaperSize", -1),
        strKey<&P::header>("Header", "&f"),
        strKey<&P::footer>("Footer", "&p"),
        intKey<&P::headerPos>("HeaderPos", 0),
        intKey<&P::footerPos>("FooterPos", 0),
        intKey<&P::lMrgn>("LMrgn", 20),
        intKey<&P::rMrgn>("RMrgn", 20),
        intKey<&P::tMrgn>("TMrgn", 20),
        intKey<&P::bMrgn>("BMrgn", 20),
        intKey<&P::hMrgn>("HMrgn", 0).from("TMrgn"),
        intKey<&P::fMrgn>("FMrgn", 0).from("BMrgn"),
        // The column count is 2 to the power of Dangumi1.
        intKey<&P::dangumi1>("Dangumi1", 0).clamp(0, 2),
        intKey<&P::dangumi2>("Dangumi2", 20),
        intKey<&P::printLineNo>("PrintLineNo", 0),
        intKey<&P::gyoukan>("Gyoukan", 0),
        intKey<&P::prnKinsoku>("PrnKinsoku", 0),
        intKey<&P::prnWordWrap>("PrnWordWrap", 0),
        intKey<&P::mojikan>("Mojikan", 0),
        intKey<&P::prnSkip>("PrnSkip", 0),
        strKey<&P::printTT>("PrintTT", ""),
        intKey<&P::prnConf>("PrnConf", 0),
        strKey<&P::prnExt>("PrnExt", ""),
    }, SuffixOn::Section);
    return table;
}

const SettingsTable<PrintOptions>& printOptionsTable() {
    using P = PrintOptions;
    static const SettingsTable<P> table("Settings", Numbering::Single, 1, {
        intKey<&P::printForm>("PrintForm", 0).in("PageLayout").clamp(0, kPageLayoutCount - 1),
        intKey<&P::prnExtSel>("PrnExtSel", 0),
        intKey<&P::prnInfo>("PrnInfo", 0),
    });
    return table;
}

}  // namespace orvex::settings
