#pragma once
// Texts of the file dialogs and questions that have no string-table id.
#include <string_view>

namespace orvex::files {

// Titles of the save dialog: saving under a new name, saving a copy, and
// appending the selection to a file.
inline constexpr std::string_view kSaveAsTitle = "名前を付けて保存";
inline constexpr std::string_view kSaveCopyTitle = "コピーを保存";
inline constexpr std::string_view kAppendTitle = "追加保存";

// Asked before a save that would write characters the output code cannot
// hold: %1 the file, %2 how many characters become "?".
inline constexpr std::string_view kUnrepresentableQuestion =
    "%1 の文字ｺｰﾄﾞで表せない文字が %2 個あります。\n"
    "これらの文字は「?」として保存されます。保存しますか？";

// Shown once after a load that read EUC three-byte characters with no code
// page 932 form as "?": %1 the file, %2 how many.
inline constexpr std::string_view kUnreadableWarning =
    "%1 に読み込めない文字が %2 個あります。\n"
    "これらの文字は「?」として読み込まれ、保存すると「?」になります。";

// Shown after a load of a Unicode file with more distinct characters that
// code page 932 lacks than the user-defined area holds: %1 the file, %2 how
// many characters were read as "?", %3 the area's size. The document is
// read-only, so the file keeps them.
inline constexpr std::string_view kAreaFullWarning =
    "%1 にはShift JISで表せない文字の種類が多すぎます（外字領域は %3 文字分）。\n"
    "%2 個の文字を「?」として表示しています。ﾌｧｲﾙを守るため、読み取り専用で開きました。";

// Shown when text appended to a file holds more characters that code page
// 932 lacks than the target's user-defined area has room for: %1 the
// target, %2 how many found no code. Nothing is appended.
inline constexpr std::string_view kAreaFullAppendWarning =
    "%1 の外字領域に空きがないため、Shift JISで表せない文字 %2 個を追加できません。\n"
    "追加保存を中止しました。";

}  // namespace orvex::files
