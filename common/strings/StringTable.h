#pragma once
// Every user-visible text that is known by a numeric id: the message box
// texts 30000-30058, the application title 57344 and the fixed names the
// program uses. Texts are UTF-8 here; sjis() converts on demand for texts
// that enter a document. Later subsystems add their ids to the tables in
// StringTable.cpp.
#include <initializer_list>
#include <string>
#include <string_view>

namespace orvex::strings {

// Ids of the editor's string table.
enum Id : int {
    kNoMatch = 30000,             // "検索文字列はありません"
    kBackupFailed = 30001,
    kTextTooLarge = 30003,
    kAccessDenied = 30008,        // %1 path
    kNewFile = 30010,
    kDiscardAllEdits = 30011,
    kWriteDeniedReadOnly = 30012, // %1 path
    kDiscardEdits = 30013,
    kTooManyKeys = 30014,
    kTooManyToolbarItems = 30015,
    kMenuSeparator = 30017,
    kModifiedMarker = 30018,
    kSearchedToEnd = 30019,
    kSearchedToTop = 30020,
    kBadRegex = 30021,
    kCannotOpenFile = 30022,
    kReplacedCount = 30023,       // %1 count
    kCannotRunProgram = 30024,
    kCannotRedirect = 30025,
    kCannotCreateTemp = 30026,
    kNoProgramName = 30027,
    kSearchResultName = 30028,
    kRunResultTitle = 30029,
    kBadEnvironment = 30030,
    kKeyMacroMagic = 30032,
    kKeyMacroIoFailed = 30033,
    kNotKeyMacroFile = 30034,
    kAssociationFailed = 30037,
    kAlreadyAssociated = 30038,   // %1 extension, %2 other type
    kSaveChangesTo = 30042,       // %1 path
    kClipboardFormatTitle = 30046,
    kProgramStartFailed = 30050,
    kCannotReplaceCombination = 30054,
    kReadOnlyFile = 30056,        // %1 path
    kSingleByteRequired = 30057,
    kEmptyFileDelete = 30058,     // %1 path
    kAppTitle = 57344,            // "Orvex"
};

// Fixed names that have no id of their own.
inline constexpr std::string_view kUntitledName = "無題のﾌｧｲﾙ";
// Printing: the questions between the jobs of one-page and two-sided
// printing, the printer failures of the page-layout dialog, the title of a
// clipboard print and the framework's failure of a preview.
inline constexpr std::string_view kPrintContinueQuestion =
    "印刷を続けますか\r\n用紙が排出されたことを確認してOKをｸﾘｯｸしてください";
inline constexpr std::string_view kPrintTurnPaperQuestion =
    "用紙を反転して入れ直してください\r\n用紙が排出されたことを確認してOKをｸﾘｯｸしてください";
inline constexpr std::string_view kNoDefaultPrinter = "ﾃﾞﾌｫﾙﾄのﾌﾟﾘﾝﾀを取得できません。";
inline constexpr std::string_view kNoPrinterContext = "ﾌﾟﾘﾝﾀのﾃﾞﾊﾞｲｽ ｺﾝﾃｷｽﾄを取得できません。";
inline constexpr std::string_view kClipboardPrintTitle = "クリップボード印刷";
inline constexpr std::string_view kCommandFailed = "Command failed.";

// The editor's text for an id, or an empty view for an unknown id.
std::string_view text(int id);
// The macro library's own table (its ids overlap the editor's).
std::string_view macroText(int id);

// Replaces %1 .. %9 by the arguments (missing arguments by nothing).
std::string substitute(std::string_view pattern, std::initializer_list<std::string_view> args);
inline std::string format(int id, std::initializer_list<std::string_view> args = {}) {
    return substitute(text(id), args);
}

// The text converted to Shift JIS for use inside a document.
std::string sjis(int id);

}  // namespace orvex::strings
