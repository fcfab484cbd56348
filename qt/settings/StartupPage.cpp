// The start-up page: instances and resident mode, the files of the last
// run, the input method, the main window's size at start and the
// recent-file list.
#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

OptionForm* makeStartupPage(shell::OptionsDraft& d, QWidget* parent) {
    using namespace settings;
    auto* f = new OptionForm(parent);
    AppOptions& a = d.app;
    f->group("起動");
    f->check("二重起動しない(ﾌｧｲﾙは起動中のOrvexで開く)(&D)", a.dualBoot);
    f->check("常駐する(&K)", a.keepRun);
    f->check("常駐起動時はｳｨﾝﾄﾞｳを隠す(&H)", a.runHide);
    f->check("前回開いていたﾌｧｲﾙを開く(&A)", a.autoLoad);
    f->check("ｶｰｿﾙ位置を復元(&R)", a.restorCursor);
    f->check("起動時にIMEをｵﾝ(&I)", a.imeOpen);

    f->group("ﾒｲﾝｳｨﾝﾄﾞｳの大きさ");
    f->choice("起動時の状態(&S)", {"前回の位置と大きさ", "最大化", "指定の大きさ", "最小化"}, d.frame.defFrmWndSize);
    f->number("幅(&W)", d.frame.defFrmWndSizeX, rangeOf(frameOptionsTable(), "DefFrmWndSizeX"));
    f->number("高さ(&E)", d.frame.defFrmWndSizeY, rangeOf(frameOptionsTable(), "DefFrmWndSizeY"));

    f->group("最近使ったﾌｧｲﾙ");
    f->number("表示する数(&N)", a.recentFileNum, rangeOf(appOptionsTable(), "RecentFileNum"));
    f->check("開けなかったﾌｧｲﾙを一覧から削除(&X)", a.delRecentFile);
    f->check("ｻﾌﾞﾒﾆｭｰにまとめる(&M)", d.frame.recentFilePos);
    f->finish();
    return f;
}

}  // namespace orvex::qt
