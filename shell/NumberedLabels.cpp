#include "shell/NumberedLabels.h"

namespace orvex::shell {

namespace {

std::string suffixFor(int n) {
    if (n < 1 || n > 20) return {};
    const char key = n <= 9 ? char('0' + n) : n == 10 ? '0' : char('A' + (n - 11));
    return std::string("(&") + key + ")";
}

std::string keywordPrefixFor(int n) {
    if (n < 1 || n > 20) return {};
    return std::string(1, char('0' + n / 10)) + "&" + char('0' + n % 10) + " ";
}

}  // namespace

std::string_view familyName(NumberedFamily family) {
    switch (family) {
    case NumberedFamily::Format: return "整形";
    case NumberedFamily::FixedString: return "定型文字列";
    case NumberedFamily::MacroRun: return "ﾏｸﾛの実行";
    case NumberedFamily::ProgramRun: return "ﾌﾟﾛｸﾞﾗﾑの実行";
    case NumberedFamily::FormattedPaste: return "整形貼り付け";
    case NumberedFamily::KeyMacroPlay: return "ｷｰﾏｸﾛ再生";
    case NumberedFamily::KeyMacroRecord: return "ｷｰﾏｸﾛ記録開始/終了";
    case NumberedFamily::Keyword: return "ｷｰﾜｰﾄﾞ";
    }
    return {};
}

std::string numberedMenuLabel(std::string_view title, NumberedFamily family, int n, bool accessKeys) {
    const bool keyword = family == NumberedFamily::Keyword;
    if (!title.empty()) {
        if (!accessKeys) return std::string(title);
        if (keyword) return keywordPrefixFor(n) + std::string(title);
        if (title.find('&') != std::string_view::npos) return std::string(title);
        return std::string(title) + suffixFor(n);
    }
    if (accessKeys) {
        if (keyword) return keywordPrefixFor(n);
        return std::string(familyName(family)) + std::to_string(n) + suffixFor(n);
    }
    return std::string(familyName(family)) + std::to_string(n);
}

}  // namespace orvex::shell
