// The search page: the options each search dialog starts with (find,
// replace, find in files), and how find in files shows its results.
#include "qt/dialogs/DialogTexts.h"
#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"
#include "search/SearchState.h"
#include "search/SearchTexts.h"

namespace orvex::qt {

namespace {

struct FlagSet {
    int& matchCase;
    int& wholeWord;
    int& regex;
    int& inSelection;
    int* messages;  // null: the set has no message options
};

void addSet(OptionForm* f, const char* title, const FlagSet& s) {
    namespace t = search::texts;
    f->group(title);
    f->check(t::kMatchCase.data(), s.matchCase);
    f->check(t::kWholeWord.data(), s.wholeWord);
    f->check(t::kRegex.data(), s.regex);
    f->check(dialogtexts::kInSelection, s.inSelection);
    if (!s.messages) return;
    f->flag(dialogtexts::kNoWrapQuestion, *s.messages, search::kNoWrapQuestion);
    f->flag(dialogtexts::kNoFailureMessage, *s.messages, search::kNoFailureMessage);
}

}  // namespace

OptionForm* makeSearchPage(shell::OptionsDraft& d, QWidget* parent) {
    auto* f = new OptionForm(parent);
    settings::SearchOptions& o = d.search;
    addSet(f, "検索", {o.findCase, o.findWord, o.findNrm, o.findSel, &o.findMsg});
    addSet(f, "置換", {o.findCase1, o.findWord1, o.findNrm1, o.findSel1, &o.findMsg1});
    addSet(f, "ﾌｧｲﾙ検索", {o.findCase2, o.findWord2, o.findNrm2, o.findSel2, nullptr});
    f->check("ｻﾌﾞﾌｫﾙﾀﾞも検索(&D)", o.findSubDir);
    f->check("開いているﾌｧｲﾙを検索(&O)", o.findCurFile);
    f->check("1ﾌｧｲﾙにつき1行だけ(&1)", o.findOnlyOne);
    f->check("結果を新しいｳｨﾝﾄﾞｳに出す(&N)", d.app.findWnd);
    f->group("置換文字列");
    f->check("置換文字列の\\t \\nを変換(&T)", o.repSpChr);
    f->finish();
    return f;
}

}  // namespace orvex::qt
