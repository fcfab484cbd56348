#pragma once
// The macro library's own user-visible texts (UTF-8): the numbered error
// messages and the captions of its message boxes. Every literal text of the
// library lives in MacroTexts.cpp so that it can be reviewed in one place.
#include <string_view>

namespace orvex::orxmac {

// Message of a macro error number (0..30). Any other number, including 10
// and 11's neighbours past the table, gives the message of number 0.
std::string_view errorMessage(int number);

// Caption of the error box that ends a failed run.
inline constexpr std::string_view kErrorBoxCaption = "ORXMAC.DLL";
// Text of the debugger's result field after a run without error.
inline constexpr std::string_view kCompleteText = "Complete.";

// The library's own message boxes (the editor bridge and the entry points).
inline constexpr std::string_view kLibraryCaption = "orxmac.dll";
inline constexpr std::string_view kSetDirFailed = "カレントディレクトリを設定できませんでした";
inline constexpr std::string_view kRunFailed = "プログラムが起動できませんでした";
inline constexpr std::string_view kSpellLibraryMissing = "orxspl.dllがロードできません";
// Message 30000: a start while a macro still runs.
inline constexpr std::string_view kStillRunning =
    "前回のﾏｸﾛが終了していません。\n終了するまで待つか、強制終了させてください。";
// A macro file that cannot be opened; %s is its path.
inline constexpr std::string_view kCannotOpenFormat = "%s を開けません";

}  // namespace orvex::orxmac
