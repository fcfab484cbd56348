#pragma once
// Titles and button texts of the search dialogs (UTF-8).
#include <array>
#include <string_view>

namespace orvex::search::texts {

constexpr std::string_view kFindTitle = "文字列の検索";
constexpr std::string_view kReplaceTitle = "文字列の置換";
constexpr std::string_view kConfirmTitle = "置換確認";
constexpr std::string_view kBatchTitle = "一括置換";

// The confirmation dialog's buttons, in the order of ConfirmChoice.
constexpr std::array<std::string_view, 5> kConfirmButtons = {"置換して次へ(&Y)", "次を検索(&N)", "置換して終了(&L)",
                                                             "全て置換(&A)", "終了(&Q)"};

// Find dialog.
constexpr std::string_view kWholeWord = "単語単位で検索(&W)";
constexpr std::string_view kMatchCase = "大文字と小文字を区別する(&C)";
constexpr std::string_view kRegex = "正規表現(&E)";
constexpr std::string_view kFindForward = "後方検索(&F)";
constexpr std::string_view kFindBackward = "前方検索(&B)";
constexpr std::string_view kFindMark = "ﾏｰｸ設定(&M)";

// Replace dialog.
constexpr std::string_view kSpecialCharacters = "置換文字列に特殊文字(\\r,\\n,\\t)を許可(&C)";
constexpr std::string_view kReplaceForward = "後方置換(&F)";
constexpr std::string_view kReplaceBackward = "前方置換(&B)";
constexpr std::string_view kReplaceAll = "全置換(&A)";

// Batch dialog.
constexpr std::string_view kSelectionOnly = "選択範囲のみ(&S)";
constexpr std::string_view kBatchClose = "閉じる";
constexpr std::string_view kBatchRun = "実行";
constexpr std::string_view kBatchCancel = "ｷｬﾝｾﾙ";

}  // namespace orvex::search::texts
