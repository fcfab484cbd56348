#include "settings/AppOptions.h"

namespace orvex::settings {

LogFont defaultDisplayFont() {
    LogFont f;
    f.pitchAndFamily = 0;
    f.faceName = "System";
    return f;
}

LogFont defaultPrintFont() {
    LogFont f;
    f.pitchAndFamily = 17;  // fixed pitch, roman family
    f.faceName = cp932::fromUtf8("ＭＳ 明朝");
    return f;
}

const SettingsTable<AppOptions>& appOptionsTable() {
    using A = AppOptions;
    static const SettingsTable<A> table("Settings", Numbering::Single, 1, {
        intKey<&A::defIcon>("DefIcon", 0).in("System"),
        strKey<&A::exts>("Exts", "").in("System"),
        strKey<&A::newExt>("NewExt", ".txt").in("System"),
        strKey<&A::usrFileFilter>("UsrFileFilter%d", "*.*").numbered(1, 1, 0),
        strKey<&A::usrFileFilter>("UsrFileFilter%d", "*.txt;*.log;*.ini;*.cpp;*.c;*.h").numbered(2, 1, 1),
        strKey<&A::usrFileFilter>("UsrFileFilter%d", "").numbered(3, 2, 2),
        intKey<&A::autoLoad>("AutoLoad", 0),
        intKey<&A::restorCursor>("RestorCursor", 0),
        // Minutes; the upper bound keeps the interval in milliseconds within
        // 32 bits.
        intKey<&A::autoBackupTime>("AutoBackupTime", 0).clamp(0, 35791),
        intKey<&A::autoBackup>("AutoBackup", 0),
        strKey<&A::autoBackupPath>("AutoBackupPath").defaultFromFolder(DefaultSource::TempFolder),
        strKey<&A::defDir>("DefDir").defaultFromFolder(DefaultSource::HomeFolder).in("OpenPathName"),
        strKey<&A::defDir>("DefDir%d", "").numbered(2, 9, 1).in("OpenPathName"),
        strKey<&A::histDir>("HistDir%d", "").numbered(1, 10).in("OpenPathName"),
        intKey<&A::defDirEN>("DefDirEN", 0).in("OpenPathName"),
        fontKey<&A::font>("Font", &defaultDisplayFont),
        intKey<&A::propFont>("PropFont", 0),
        intKey<&A::propFontEn>("PropFontEn", 0),
        intKey<&A::imeOpen>("ImeOpen", 0),
        intKey<&A::dualBoot>("DualBoot", 0),
        intKey<&A::keepRun>("KeepRun", 0),
        intKey<&A::runHide>("RunHide", 0),
        intKey<&A::findWnd>("FindWnd", 1),
        intKey<&A::recentFileNum>("RecentFileNum", 10).clamp(0, 16),
        intKey<&A::delRecentFile>("DelRecentFile", 0),
    });
    return table;
}

const SettingsTable<ColourOptions>& colourOptionsTable() {
    using C = ColourOptions;
    // Read in this order: EOFColor and MailColor default to the value just
    // read for CRColor and URLColor.
    static const SettingsTable<C> table("Settings", Numbering::Single, 1, {
        intKey<&C::textColor>("TextColor", -1),
        intKey<&C::windowColor>("WindowColor", -1),
        intKey<&C::crColor>("CRColor", 0x00FF0000),
        intKey<&C::eofColor>("EOFColor", 0).from("CRColor"),
        intKey<&C::lineColor>("LineColor", 0x00FF0000),
        intKey<&C::rulaColor>("RulaColor", -1),
        intKey<&C::lineNoColor>("LineNoColor", -1),
        intKey<&C::lineNo2Color>("LineNo2Color", -1),
        intKey<&C::textColorN>("TextColor%d", -1).numbered(2, 14, 2),
        intKey<&C::windowColor2>("WindowColor2", -1),
        intKey<&C::urlColor>("URLColor", -1),
        intKey<&C::mailColor>("MailColor", 0).from("URLColor"),
        intKey<&C::curLineColor>("CurLineColor", -1),
        intKey<&C::curLineColorBk>("CurLineColorBk", -1),
        intKey<&C::findTextColor>("FindTextColor", -1),
        intKey<&C::selTextColor>("SelTextColor", -1),
    });
    return table;
}

}  // namespace orvex::settings
