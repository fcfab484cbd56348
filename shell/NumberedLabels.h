#pragma once
// Menu labels of the numbered command families (formatting presets, fixed
// strings, macros, external programs, formatted paste, key macros, keyword
// classes): one rule for all of them, from the family, the entry's title
// and its number n (1..20).
#include <string>
#include <string_view>

namespace orvex::shell {

enum class NumberedFamily {
    Format,          // "整形"
    FixedString,     // "定型文字列"
    MacroRun,        // "ﾏｸﾛの実行"
    ProgramRun,      // "ﾌﾟﾛｸﾞﾗﾑの実行"
    FormattedPaste,  // "整形貼り付け"
    KeyMacroPlay,    // "ｷｰﾏｸﾛ再生"
    KeyMacroRecord,  // "ｷｰﾏｸﾛ記録開始/終了"
    Keyword,         // "ｷｰﾜｰﾄﾞ"
};

std::string_view familyName(NumberedFamily family);

// The label for title (UTF-8) and number n:
//  - with a title and access keys: keyword family: the prefix for n, then
//    the title; others: the title as it is when it holds "&", else the title
//    and the suffix for n;
//  - with a title, without access keys: the title;
//  - without a title, with access keys: keyword family: the prefix for n;
//    others: the family name, n and the suffix ("定型文字列3(&3)");
//  - without either: the family name and n ("整形4").
// Suffixes for n = 1..20: "(&1)".."(&9)", "(&0)", "(&A)".."(&J)"; keyword
// prefixes "0&1 ".."0&9 ", "1&0 ".."1&9 ", "2&0 ".
std::string numberedMenuLabel(std::string_view title, NumberedFamily family, int n, bool accessKeys);

}  // namespace orvex::shell
