#include "orxmac/MacroTexts.h"

#include <array>

namespace orvex::orxmac {

namespace {

// Indexed by error number.
constexpr std::array<std::string_view, 31> kErrorMessages = {
    "定義されていないエラーです",            // 0
    "文法エラーがあります",                  // 1
    "式が複雑か、式の記述に誤りがあります",  // 2
    "変数が定義されていません",              // 3
    "0で割られました",                       // 4
    ";（セミコロン）がありません",           // 5
    "区切り文字がありません",                // 6
    ") がありません",                        // 7
    "] がありません",                        // 8
    "} がありません",                        // 9
    "( がありません",                        // 10
    "[ がありません",                        // 11
    "{ がありません",                        // 12
    "コメントの記述に誤りがあります",        // 13
    "文字列の記述に誤りがあります",          // 14
    "if 文の文法に誤りがあります",           // 15
    "for 文の文法に誤りがあります",          // 16
    "while 文の文法に誤りがあります",        // 17
    "do 文の文法に誤りがあります",           // 18
    "switch 文の文法に誤りがあります",       // 19
    "case 文の文法に誤りがあります",         // 20
    ":（コロン）がありません",               // 21
    "main 関数がありません",                 // 22
    "関数が２重定義されました",              // 23
    "変数が２重定義されました",              // 24
    "予約語が使用されています",              // 25
    "引数に誤りがあります",                  // 26
    "ラベルが２重定義されました",            // 27
    "ラベルが未定義です",                    // 28
    "関数が未定義です",                      // 29
    "ウィンドウがありません",                // 30
};

}  // namespace

std::string_view errorMessage(int number) {
    if (number < 0 || number >= static_cast<int>(kErrorMessages.size())) return kErrorMessages[0];
    return kErrorMessages[static_cast<size_t>(number)];
}

}  // namespace orvex::orxmac
