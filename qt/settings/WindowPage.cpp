// The window page: new document windows and the main window's bars.
#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

OptionForm* makeWindowPage(shell::OptionsDraft& d, QWidget* parent) {
    using namespace settings;
    auto* f = new OptionForm(parent);
    f->group("新しいｳｨﾝﾄﾞｳ");
    f->check("大きさを文字数で指定(&S)", d.child.defWinSize);
    f->number("桁数(&X)", d.child.sizeDefCharX, rangeOf(childOptionsTable(), "SizeDefCharX"));
    f->number("行数(&Y)", d.child.sizeDefCharY, rangeOf(childOptionsTable(), "SizeDefCharY"));

    FrameOptions& o = d.frame;
    f->group("ﾊﾞｰ");
    f->check("ﾂｰﾙﾊﾞｰ1(&1)", o.toolBarDisp);
    f->check("ﾂｰﾙﾊﾞｰ2(&2)", o.toolBarDisp2);
    f->check("ｽﾃｰﾀｽﾊﾞｰ(&T)", o.statusBarDisp);
    f->check("ｳｨﾝﾄﾞｳﾊﾞｰ(&W)", o.windBarDisp);
    f->choice("ｳｨﾝﾄﾞｳﾊﾞｰの位置(&P)", {"上", "下", "左", "右"}, o.windBarPos);
    f->check("ｳｨﾝﾄﾞｳﾊﾞｰの文字を太字(&B)", o.windBarBold);
    f->check("ｳｨﾝﾄﾞｳﾊﾞｰのﾎﾞﾀﾝを小さく(&M)", o.windBarBtnSize);
    f->check("ｳｨﾝﾄﾞｳﾊﾞｰにﾌｧｲﾙ名だけ表示(&N)", o.windBarBtnName);

    f->group("ﾌｧｲﾙｳｨﾝﾄﾞｳ");
    f->check("ﾌｧｲﾙｳｨﾝﾄﾞｳ(&F)", o.fileWinDisp);
    f->check("既定のﾌｫﾙﾀﾞを表示(&D)", o.fileDefDirDisp);
    f->check("既定のﾌｫﾙﾀﾞを先頭に表示(&E)", o.fileDefDirDisp2);

    f->group("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ履歴");
    f->check("履歴開始(&X)", o.clipHistory);
    f->check("実行後閉じる(&C)", o.clipClose);
    f->check("実行後削除(&A)", o.clipDel);
    f->finish();
    return f;
}

}  // namespace orvex::qt
