#pragma once
// Texts of dialog controls that this layer names itself (UTF-8): the
// labels the dialogs need beyond the command and search texts of the core.
namespace orvex::qt::dialogtexts {

constexpr const char* kCancel = "ｷｬﾝｾﾙ";
constexpr const char* kSearchString = "検索文字列(&T)";
constexpr const char* kReplacement = "置換文字列(&P)";
constexpr const char* kInSelection = "選択範囲のみ(&S)";
constexpr const char* kNoWrapQuestion = "先頭(末尾)に戻って検索しない(&R)";
constexpr const char* kNoFailureMessage = "見つからないときﾒｯｾｰｼﾞを表示しない(&G)";
constexpr const char* kBatchFind = "検索文字列";
constexpr const char* kBatchReplacement = "置換文字列";
constexpr const char* kFullWidth = "全角文字数(&W)";
constexpr const char* kLineLength = "一行の文字数(&N)";
constexpr const char* kTabWidth = "ﾀﾌﾞ幅(&T)";

}  // namespace orvex::qt::dialogtexts
