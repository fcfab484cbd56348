#include "common/strings/StringTable.h"

#include <algorithm>
#include <iterator>

#include "common/codepage/Cp932.h"

namespace orvex::strings {

namespace {

struct Entry {
    int id;
    std::string_view text;
};

// Sorted by id.
constexpr Entry kEditor[] = {
    {30000, "検索文字列はありません"},
    {30001, "ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙの作成に失敗しました"},
    {30003, "文章が大きすぎます"},
    {30008, "%1 は他のﾌﾟﾛｸﾞﾗﾑより読み書きのｱｸｾｽを拒否されました"},
    {30010, "新規"},
    {30011, "全ての編集を破棄してよろしいですか"},
    {30012, "%1 は他のﾌﾟﾛｸﾞﾗﾑより書込のｱｸｾｽを拒否されました\n書込禁止でﾌｧｲﾙをｵｰﾌﾟﾝします"},
    {30013, "編集を一旦破棄してよろしいですか"},
    {30014, "これ以上ｷｰｺｰﾄﾞを登録できません．不要なｺｰﾄﾞがある場合は解除して下さい．"},
    {30015, "これ以上ﾂｰﾙﾊﾞｰを登録できません"},
    {30017, "--区切り--"},
    {30018, "変更"},
    {30019, "ﾌｧｲﾙの最後まで検索しました\r\nﾌｧｲﾙの先頭に戻り検索しますか"},
    {30020, "ﾌｧｲﾙの先頭まで検索しました\r\nﾌｧｲﾙの最後に戻り検索しますか"},
    {30021, "正規表現に誤りがあるか複雑すぎます"},
    {30022, "ﾌｧｲﾙを開けません"},
    {30023, "%1個の文字列を置換しました"},
    {30024, "プログラムを実行できません"},
    {30025, "実行結果をﾘﾀﾞｲﾚｸﾄできません"},
    {30026, "ﾃﾝﾎﾟﾗﾘﾌｧｲﾙを作成できません"},
    {30027, "ﾌﾟﾛｸﾞﾗﾑ名が設定されていません"},
    {30028, "検索結果.tag"},
    {30029, "実行結果 "},
    {30030, "環境変数の書式に誤りがあります"},
    {30032, "Orvex KeyMacroFile V1.00"},
    {30033, "ﾏｸﾛﾌｧｲﾙの読み込みまたは，書き込みに失敗しました"},
    {30034, "ｷｰﾏｸﾛﾌｧｲﾙではありません"},
    {30037, "ﾚｼﾞｽﾄﾘｰｷｰの設定に失敗しました"},
    {30038, "%1 は既に %2 に関連付けられています."},
    {30042, "%1への変更を保存しますか？"},
    {30046, "クリップボード整形"},
    {30050, "ﾌﾟﾛｸﾞﾗﾑが起動できませんでした"},
    {30054, "この文字列の組み合わせで置換できません"},
    {30056, "%1は読み取り専用です"},
    {30057, "半角文字で指定してください"},
    {30058, "%1は空のファイルです。ﾌｧｲﾙを削除しますか。"},
    {57344, "Orvex"},
};

constexpr Entry kMacroLibrary[] = {
    {30000, "前回のﾏｸﾛが終了していません。\n終了するまで待つか、強制終了させてください。"},
};

template <size_t N>
std::string_view lookup(const Entry (&table)[N], int id) {
    auto it = std::lower_bound(std::begin(table), std::end(table), id,
                               [](const Entry& e, int key) { return e.id < key; });
    if (it == std::end(table) || it->id != id) return {};
    return it->text;
}

}  // namespace

std::string_view text(int id) { return lookup(kEditor, id); }
std::string_view macroText(int id) { return lookup(kMacroLibrary, id); }

std::string substitute(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            size_t n = static_cast<size_t>(pattern[i + 1] - '1');
            if (n < args.size()) out.append(*(args.begin() + n));
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

std::string sjis(int id) { return cp932::fromUtf8(text(id)); }

}  // namespace orvex::strings
