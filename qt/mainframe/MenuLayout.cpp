#include "qt/mainframe/MenuLayout.h"

#include <algorithm>
#include <map>

#include "common/strings/CommandTexts.h"

namespace orvex::qt {

namespace {

MenuNode item(CommandId id) { return MenuNode{nullptr, id, {}}; }
MenuNode sep() { return MenuNode{}; }
MenuNode sub(const char* title, std::vector<MenuNode> children) { return MenuNode{title, 0, std::move(children)}; }

struct FramePrompt {
    CommandId id;
    const char* text;
};

// Sorted by id.
constexpr FramePrompt kFramePrompts[] = {
    {32780, "文字列の検索Box"},
    {32788, "全ﾌｧｲﾙを保存して終了"},
    {32789, "全ての編集を破棄して終了"},
    {32800, "変更されたすべてのﾌｧｲﾙを保存\n全て保存"},
    {32998, "次のｳｨﾝﾄﾞｳに切り替える"},
    {32999, "前のｳｨﾝﾄﾞｳに切り替える"},
    {33007, "すべてのﾌｧｲﾙを閉じる"},
    {33081, "検索文字のｶﾗｰをﾘｾｯﾄ"},
    {57600, "新規にﾌｧｲﾙを作成\n新規作成"},
    {57601, "既存のﾌｧｲﾙを開く\n開く"},
    {57602, "作業中のﾌｧｲﾙを閉じる\n閉じる"},
    {57603, "作業中のﾌｧｲﾙを保存\n上書き保存"},
    {57604, "作業中のﾌｧｲﾙを名前を付けて保存\n名前を付けて保存"},
    {57650, "ｳｨﾝﾄﾞｳを重ねて表示\n重ねて表示"},
    {57651, "ｳｨﾝﾄﾞｳを上下に並べて表示\n上下に並べて表示"},
    {57652, "ｳｨﾝﾄﾞｳを左右に並べて表示\n左右に並べて表示"},
    {57653, "作業中のｳｨﾝﾄﾞｳを分割\n分割"},
    {57664, "ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"},
    {57665, "ｴﾃﾞｨﾀの終了"},
    {59392, "ﾂｰﾙﾊﾞｰ1の表示/非表示"},
    {59393, "ｽﾃｰﾀｽﾊﾞｰの表示/非表示"},
};

}  // namespace

std::string frameCommandPrompt(CommandId id) {
    auto it = std::lower_bound(std::begin(kFramePrompts), std::end(kFramePrompts), id,
                               [](const FramePrompt& p, CommandId v) { return p.id < v; });
    return it != std::end(kFramePrompts) && it->id == id ? std::string(it->text) : std::string();
}

std::string promptOf(CommandId id) {
    std::string p = commands::statusPrompt(id);
    return p.empty() ? frameCommandPrompt(id) : p;
}

std::string menuTextOf(CommandId id) {
    std::string text = promptOf(id);
    if (const size_t nl = text.find('\n'); nl != std::string::npos) text.resize(nl);
    return text;
}

const std::vector<MenuNode>& mainMenuLayout() {
    static const std::vector<MenuNode> menu = {
        sub("ﾌｧｲﾙ(&F)",
            {item(57600), item(57601), item(57602), item(33007), sep(), item(57603), item(57604), item(57611), item(32800), sep(),
             item(32787), item(32790), item(32868), sep(), item(33485), item(33486), item(33487), item(33499),
             item(33488), item(33489), sep(), item(57607), item(57609), sep(), item(32788), item(32789), item(57665)}),
        sub("編集(&E)",
            {item(57643), item(57644), sep(), item(57635), item(57634), item(57637), item(32798), item(32799),
             item(32913), item(33111), sep(), item(57642), item(32994), item(33042),
             sub("選択(&S)", {item(32803), item(32804), item(32805), item(32806), item(32807), item(32808),
                              item(32809), item(32810), sep(), item(32835), item(32836), item(32837), item(32838),
                              item(32840), item(32841), item(32830), item(32831)}),
             sub("削除(&D)", {item(32843), item(32842), sep(), item(32811), item(32812), item(32813), item(32814),
                              item(32815), item(32816), item(32817), item(32818), sep(), item(57633)}),
             sub("挿入(&I)", {item(32946), item(32945), item(32833), item(32834), item(32889), item(32984),
                              item(32882), item(32883)}),
             sep(), item(32988), item(32987), item(32989)}),
        sub("検索(&S)",
            {item(57636), item(32773), item(32774), item(33495), item(33496), item(32864), item(33054), item(33081),
             sep(), item(57641), item(33001), item(33002), item(33003), item(32931), sep(), item(32777), item(33006),
             item(32778), item(32779), item(33040), item(33041), sep(), item(32782), item(32783), item(32784),
             item(32785), sep(), item(32985), item(32986), item(33043), item(33044), item(33045)}),
        sub("ｶｰｿﾙ(&C)",
            {item(32819), item(32820), item(32821), item(32822), item(32823), item(32824), item(32825), item(32826),
             item(32827), sep(), item(32828), item(32829), item(32899), item(32900), item(33071), item(33072),
             item(33076), item(33077), item(33074), item(33075)}),
        sub("ﾓｰﾄﾞ(&M)",
            {item(32781), item(32920), item(32915), item(32916), sep(), item(32884), item(32885), item(32967),
             item(33103), item(33104), sep(), item(32886), item(32878)}),
        sub("表示(&V)", {item(59392), item(59393)}),
        sub("ｳｨﾝﾄﾞｳ(&W)", {item(57650), item(57651), item(57652), item(57653), sep(), item(32998), item(32999)}),
        sub("ﾍﾙﾌﾟ(&H)", {item(57664)}),
    };
    return menu;
}

const std::vector<MenuNode>& contextSubmenu(CommandId id) {
    static const std::map<CommandId, std::vector<MenuNode>> menus = {
        {32893, {item(57642), item(32805), item(32808), item(32806), item(32807), item(32803), item(32804), sep(),
                 item(33042), item(32994)}},
        {32894, {item(32813), item(32814), item(32815), item(32816), item(32811), item(32812), sep(), item(57633)}},
        {32895, {item(32792), item(32791), item(32888), item(32887), item(32793), item(32794)}},
        {32896, {item(32833), item(32834), item(32889), item(32984), item(32882), item(32883)}},
        {32897, {item(32781), item(32920), item(32915), item(32916), sep(), item(32884), item(32885), item(32967),
                 sep(), item(32886)}},
    };
    static const std::vector<MenuNode> none;
    auto it = menus.find(id);
    return it != menus.end() ? it->second : none;
}

}  // namespace orvex::qt
