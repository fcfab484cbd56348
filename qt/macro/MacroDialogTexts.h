#pragma once
// Texts of the macro library's own windows (UTF-8).
namespace orvex::qt::macrotexts {

constexpr const char* kRunningCaption = "ﾏｸﾛ実行中...";
constexpr const char* kAbort = "中断";

constexpr const char* kDebuggerCaption = "ﾃﾞﾊﾞｯｸﾞ ｳｨﾝﾄﾞｳ";
constexpr const char* kClose = "閉じる";
constexpr const char* kStart = "ｽﾀｰﾄ";
constexpr const char* kStep = "ｽﾃｯﾌﾟ";
constexpr const char* kStop = "ｽﾄｯﾌﾟ";
constexpr const char* kReset = "ﾘｾｯﾄ";
constexpr const char* kHelp = "ﾍﾙﾌﾟ";
constexpr const char* kProgram = "プログラム";
constexpr const char* kGlobals = "グローバル変数";
constexpr const char* kLocals = "ローカル変数";
constexpr const char* kErrorStatus = "エラーステータス";
constexpr const char* kTabStop = "ﾀﾌﾞｽﾄｯﾌﾟ";
constexpr const char* kOk = "OK";

// What the debugger's help button explains.
constexpr const char* kDebuggerHelp =
    "ｽﾀｰﾄ: ﾏｸﾛを最後まで実行します。\n"
    "ｽﾃｯﾌﾟ: 次の文を一つ実行して止まります。\n"
    "ｽﾄｯﾌﾟ: 実行中のﾏｸﾛを次の文の前で止めます。\n"
    "ﾘｾｯﾄ: ﾏｸﾛを最初から実行し直せるようにします。\n"
    "閉じる: ﾏｸﾛを終了してｳｨﾝﾄﾞｳを閉じます。";

}  // namespace orvex::qt::macrotexts
