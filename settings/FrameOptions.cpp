#include "settings/FrameOptions.h"

namespace orvex::settings {

std::string FrameOptions::defaultStatusBarString(int index) {
    const int i = index % 16;
    if (i == 0) return "%0";
    if (i <= 6) return "";
    return "%" + std::to_string(i - 6);
}

std::array<std::string, kStatusBarStrings> FrameOptions::defaultStatusBar() {
    std::array<std::string, kStatusBarStrings> a;
    for (int i = 0; i < kStatusBarStrings; ++i) a[static_cast<size_t>(i)] = defaultStatusBarString(i);
    return a;
}

const SettingsTable<FrameOptions>& frameOptionsTable() {
    using F = FrameOptions;
    static const SettingsTable<F> table("Settings", Numbering::Single, 1, {
        intKey<&F::toolBarDisp>("ToolBarDisp", 1),
        intKey<&F::toolBarDisp2>("ToolBarDisp2", 0).from("ToolBarDisp"),
        intKey<&F::toolBarPos1>("ToolBarPos1", 0),
        intKey<&F::toolBarPos2>("ToolBarPos2", 0),
        intKey<&F::statusBarDisp>("StatusBarDisp", 1),
        intKey<&F::windBarDisp>("WindBarDisp", 1),
        intKey<&F::windBarPos>("WindBarPos", 1).clamp(0, 3),
        intKey<&F::windBarBold>("WindBarBold", 0),
        intKey<&F::windBarBtnSize>("WindBarBtnSize", 0),
        intKey<&F::windBarBtnName>("WindBarBtnName", 0),
        intKey<&F::recentFilePos>("RecentFilePos", 0),
        intKey<&F::cMenuExe>("CMenuExe", 0),
        intKey<&F::defFrmWndSize>("DefFrmWndSize", 0),
        intKey<&F::defFrmWndSizeX>("DefFrmWndSizeX", 600).clamp(0, 32767),
        intKey<&F::defFrmWndSizeY>("DefFrmWndSizeY", 400).clamp(0, 32767),
        intKey<&F::clipHistory>("ClipHistory", 0),
        intKey<&F::clipClose>("ClipClose", 1),
        intKey<&F::clipDel>("ClipDel", 0),
        intKey<&F::fileWinDisp>("FileWinDisp", 0),
        intKey<&F::fileDefDirDisp>("FileDefDirDisp", 0),
        intKey<&F::fileDefDirDisp2>("FileDefDirDisp2", 1),
        intKey<&F::toolbarChangeSoon>("ToolbarChangeSoon", 0),
        strKey<&F::teikeiTT>("TeikeiTT%d", "").numbered(1, kFixedStringCount),
        placementKey<&F::windowPos>("WindowPos").with(kNotExported),
        placementKey<&F::floatTool1>("FloatTool1").with(kNotExported),
        placementKey<&F::floatTool2>("FloatTool2").with(kNotExported),
        placementKey<&F::fileWinPos>("FileWinPos").with(kNotExported),
        strKey<&F::fileWinPath>("FileWinPath", "").with(kNotExported),
        intKey<&F::fileWinFilter>("FileWinFilter", 0).with(kNotExported),
        strKey<&F::stsBar>("StsBar%d").numbered(1, kStatusBarStrings).in("StatusBar")
            .defaults(&FrameOptions::defaultStatusBarString),
        intKey<&F::progNo>("ProgNo", 0).in("ExProgExe").clamp(0, kExternalProgramCount - 1),
        strKey<&F::httpPath>("HttpPath", "").in("ExProgExe"),
        strKey<&F::ftpPath>("FtpPath", "").in("ExProgExe"),
        strKey<&F::mailPath>("MailPath", "").in("ExProgExe"),
        intKey<&F::httpExecType>("HttpExecType", 1).in("ExProgExe"),
        intKey<&F::ftpExecType>("FtpExecType", 1).in("ExProgExe"),
        intKey<&F::mailExecType>("MailExecType", 1).in("ExProgExe"),
        intKey<&F::clikUrlJmp>("ClikUrlJmp", 1).in("ExProgExe"),
        intKey<&F::urlKanji>("UrlKanji", 1).in("ExProgExe"),
        intKey<&F::oleClipBoad>("OleClipBoad", 0).in("ExProgExe").with(kStartsOff),
        intKey<&F::fileViewSort>("FileViewSort", 0).in("ExProgExe"),
        strKey<&F::favouriteFiles>("File%d", "").numbered(1, kFavouriteFileCount).in("Use File List"),
    });
    return table;
}

const SettingsTable<ExternalProgram>& externalProgramTable() {
    using P = ExternalProgram;
    static const SettingsTable<P> table("ExProgExe", Numbering::Index, kExternalProgramCount, {
        strKey<&P::title>("ProgTT", ""),
        strKey<&P::command>("ProgCmd", ""),
        strKey<&P::param>("ProgParam", ""),
        strKey<&P::dir>("ProgDir", ""),
        strKey<&P::env>("ProgEnv", ""),
        intKey<&P::redirect>("ProgRedirect", 0),
        intKey<&P::tag>("ProgTag", 0),
        intKey<&P::paramFile>("ProgParamFile", 0),
        intKey<&P::dirFile>("ProgDirFile", 0),
    });
    return table;
}

}  // namespace orvex::settings
