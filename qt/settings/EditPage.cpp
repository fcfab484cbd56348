// The editing page: insert and overwrite, cursor movement and scrolling,
// selections, input, and the date and time that the insert commands type.
#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

OptionForm* makeEditPage(shell::OptionsDraft& d, QWidget* parent) {
    using namespace settings;
    auto* f = new OptionForm(parent);
    EditorOptions& o = d.options;
    f->group("入力");
    f->check("起動時に上書きﾓｰﾄﾞ(&O)", o.insOver);
    f->check("字下げ挿入モード(&D)", o.oasysIns);
    f->choice("上書きﾓｰﾄﾞでのEnter(&E)",
              {"次の行へ移動", "改行を入力", "行末以外では次の行へ移動", "行の残りを消して次の行へ"}, o.insOverCR);
    f->check("上書きﾓｰﾄﾞのBSは左へ移動するだけ(&B)", o.insOverBS);
    f->check("Tabｷｰで選択行をｲﾝﾃﾞﾝﾄ(&T)", o.indentByTab);
    f->check("ｸﾘｯｸで変換中の文字を確定(&F)", o.imeFlush);
    f->check("罫線に半角文字を使用(&L)", o.eKeisen);
    f->text("下線の文字(&U)", o.uLineChar);

    f->group("ｶｰｿﾙとｽｸﾛｰﾙ");
    f->choice("Home/Endｷｰ(&H)", {"論理行の先頭/末尾", "表示行の先頭/末尾"}, o.homeEndMode);
    f->check("加速ｽｸﾛｰﾙ(&A)", o.keySpdUp);
    f->check("ｽｸﾛｰﾙ前にｶｰｿﾙをｳｨﾝﾄﾞｳ中央に移動(&C)", o.pageUpDown2);
    f->choice("ﾍﾟｰｼﾞ単位のｽｸﾛｰﾙ(&P)", {"1画面", "半画面", "余白を残す"}, o.scrlHalf);
    f->number("ｽｸﾛｰﾙの余白(行)(&M)", o.scrlMrgn, rangeOf(editorOptionsTable(), "ScrlMrgn"));
    f->check("ｶｰｿﾙが見えるようにｽｸﾛｰﾙ(&R)", o.scrollCaret);
    f->check("ﾏｳｽでの自動ｽｸﾛｰﾙ(&S)", o.autoScroll);
    f->check("入力中はﾏｳｽﾎﾟｲﾝﾀを隠す(&I)", o.hideMouseCursor);

    f->group("選択");
    f->check("選択終了後に矩形ﾓｰﾄﾞ(&X)", o.boxSel);
    f->check("ｺﾋﾟｰ後に選択を解除(&K)", o.cancelSel);
    f->check("削除した文字をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&Y)", o.delCopy);
    f->check("入力後も選択を保つ(&Z)", o.keepSelI);
    f->check("一括置換は選択範囲のみ(&G)", o.replacesSel);

    f->group("日付と時刻");
    f->choice("日付の形式(&1)",
              {"yy/mm/dd", "yy/mm/dd 曜", "yy/mm/dd（曜）", "yyyy/mm/dd", "yyyy/mm/dd 曜", "yyyy/mm/dd（曜）",
               "yy年m月d日", "yy年m月d日 曜日", "yyyy年m月d日", "yyyy年m月d日 曜日", "平成y年m月d日",
               "平成y年m月d日 曜日"},
              o.insDateYoubi);
    f->choice("時刻の形式(&2)", {"hh:mm", "hh:mm:ss", "h時m分", "h時m分s秒"}, o.insTimeType);
    f->finish();
    return f;
}

}  // namespace orvex::qt
