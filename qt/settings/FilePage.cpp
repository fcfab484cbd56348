// The file page: reading, saving, backups and the open dialog's filters
// and folders.
#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

OptionForm* makeFilePage(shell::OptionsDraft& d, QWidget* parent) {
    using namespace settings;
    auto* f = new OptionForm(parent);
    DocumentOptions& o = d.document;
    f->group("読み込み");
    f->choice("読み込みの文字ｺｰﾄﾞ(&R)", {"Shift JIS", "自動判別", "JIS", "EUC", "UTF-16", "UTF-8"}, o.autoKanji);
    f->choice("ﾌｧｲﾙのﾛｯｸ(&L)", {"しない", "他の書込を禁止", "他の読み書きを禁止"}, o.openFileLock);
    f->check("ﾀｸﾞﾌｧｲﾙ(*.tag)を使う(&T)", o.tagFileSet);
    f->check("ﾀｸﾞﾌｧｲﾙを書込禁止で開く(&P)", o.tagFileWrtProt);
    f->check("読み取り専用ﾌｧｲﾙも編集可能(&E)", o.editEnable);
    f->check("ﾀｲﾄﾙにﾌﾙﾊﾟｽを表示(&F)", o.fullPathDisp);

    f->group("保存");
    f->choice("保存の文字ｺｰﾄﾞ(&K)",
              {"元のｺｰﾄﾞ", "Shift JIS", "JIS", "EUC", "UTF-16", "UTF-8", "UTF-8 (BOM付き)", "UTF-16BE"}, o.saveKanji);
    f->choice("新規ﾌｧｲﾙの文字ｺｰﾄﾞ(&N)", {"Shift JIS", "JIS", "EUC", "UTF-16", "UTF-8", "UTF-8 (BOM付き)", "UTF-16BE"},
              o.newKanji, 1);
    f->choice("改行ｺｰﾄﾞ(&C)", {"元の改行", "CR+LF", "CR", "LF"}, o.saveCR);
    f->choice("EOF(1Ah)(&O)", {"読み込み時にあれば付ける", "付けない", "常に付ける"}, o.saveEOF);
    f->choice("ﾀﾌﾞの変換(&B)", {"しない", "ﾀﾌﾞを空白に", "空白をﾀﾌﾞに"}, o.saveTab);
    f->check("行末の空白を削除(&D)", o.saveDelSpc);
    f->check("折り返し位置で改行して保存(&W)", o.saveInsCR);
    f->check("保存時にｱﾝﾄﾞｩ履歴を消去(&U)", o.keepUndo);
    f->check("保存時に変更行ﾏｰｸを消去(&M)", o.keepModifyMk);
    f->check("閉じるとき空のﾌｧｲﾙの削除を確認(&Z)", o.delZeroFile);
    f->choice("無題の既定ﾌｧｲﾙ名(&A)", {"先頭行", "先頭の単語", "日付(yymmdd)", "日付(mmdd)"}, o.saveDefName);
    f->check("拡張子がないとき付ける(&X)", o.saveDefExt);
    f->text("付ける拡張子(&S)", o.saveDefExtStr);
    f->check("追加保存で確認しない(&Q)", o.saveMess);
    f->check("追加保存で見出し行を付ける(&H)", o.saveCmnt);

    f->group("ﾊﾞｯｸｱｯﾌﾟ");
    f->choice("ﾊﾞｯｸｱｯﾌﾟ(&1)", {"作らない", "拡張子 .bak", "ﾊﾞｯｸｱｯﾌﾟﾌｫﾙﾀﾞに同じ名前", "番号付き", "ごみ箱へ移動"},
              o.backupMode);
    f->text("ﾊﾞｯｸｱｯﾌﾟﾌｫﾙﾀﾞ(&2)", o.backupPath);
    f->number("番号付きﾊﾞｯｸｱｯﾌﾟの数(&3)", o.backupVerLimit, rangeOf(documentOptionsTable(), "BackupVerLimit"));
    f->choice("自動ﾊﾞｯｸｱｯﾌﾟ(&4)", {"しない", "ﾊﾞｯｸｱｯﾌﾟｺﾋﾟｰを作る", "上書き保存する"}, d.app.autoBackup);
    f->number("自動ﾊﾞｯｸｱｯﾌﾟの間隔(分)(&5)", d.app.autoBackupTime, rangeOf(appOptionsTable(), "AutoBackupTime"));
    f->text("自動ﾊﾞｯｸｱｯﾌﾟのﾌｫﾙﾀﾞ(&6)", d.app.autoBackupPath);

    f->group("ﾌｧｲﾙを開く");
    static const char* const kFilters[] = {"ﾌｨﾙﾀ1(&7)", "ﾌｨﾙﾀ2(&8)", "ﾌｨﾙﾀ3(&9)", "ﾌｨﾙﾀ4(&0)"};
    for (size_t i = 0; i < d.app.usrFileFilter.size(); ++i) f->text(kFilters[i], d.app.usrFileFilter[i]);
    f->check("既定のﾌｫﾙﾀﾞから開く(&G)", d.app.defDirEN);
    static const char* const kFolders[] = {"既定のﾌｫﾙﾀﾞ1(&I)", "既定のﾌｫﾙﾀﾞ2", "既定のﾌｫﾙﾀﾞ3", "既定のﾌｫﾙﾀﾞ4",
                                           "既定のﾌｫﾙﾀﾞ5",     "既定のﾌｫﾙﾀﾞ6", "既定のﾌｫﾙﾀﾞ7", "既定のﾌｫﾙﾀﾞ8",
                                           "既定のﾌｫﾙﾀﾞ9",     "既定のﾌｫﾙﾀﾞ10"};
    for (size_t i = 0; i < d.app.defDir.size(); ++i) f->text(kFolders[i], d.app.defDir[i]);
    f->finish();
    return f;
}

}  // namespace orvex::qt
