#pragma once
// What the search commands ask of their dialogs, as data. The Qt layer
// shows the dialogs "文字列の検索", "文字列の置換" and "一括置換"; tests answer
// from a script. The confirmation dialog "置換確認" is a plain choice with
// five buttons and goes through MessageBoxes::choose.
//
// Strings are Shift JIS.
#include <string>
#include <vector>

#include "search/SearchState.h"
#include "settings/EditorOptions.h"

namespace orvex::search {

struct FindDialogData {
    std::string text;                  // the search combo
    std::vector<std::string> history;  // its list, most recent first
    SearchFlags flags;                 // whole word, case, regex, the two message options
};
enum class FindAction { Cancel, Forward, Backward, Mark };

struct ReplaceDialogData {
    std::string text;
    std::vector<std::string> history;
    std::string replacement;
    std::vector<std::string> replaceHistory;
    SearchFlags flags;                 // the four options and the two message options
    bool specialCharacters = false;    // RepSpChr
};
enum class ReplaceAction { Cancel, Forward, Backward, All };

struct BatchDialogData {
    settings::BatchPairs pairs;
    bool selectionOnly = false;
};
// "閉じる" keeps the edits, "実行" keeps them and runs, "ｷｬﾝｾﾙ" drops them.
enum class BatchAction { Cancel, Close, Run };

// "ﾌｧｲﾙから文字列の検索": the search string with its history, the folder and
// file-type combos with theirs, and the options of find in files.
struct FindInFilesDialogData {
    std::string text;
    std::vector<std::string> history;
    std::string folder;                      // file-system bytes
    std::vector<std::string> folderHistory;  // FindPath0..9
    std::string filter;
    std::vector<std::string> filterHistory;  // FindFilter0..9
    SearchFlags flags;                       // case, whole word, regex
    bool subFolders = false;                 // FindSubDir
    bool openDocuments = false;              // FindCurFile
    bool onlyOnePerFile = false;             // FindOnlyOne
};

// The confirmation dialog's buttons (MessageBoxes::choose indexes).
enum class ConfirmChoice { ReplaceAndNext = 0, FindNext = 1, ReplaceAndClose = 2, ReplaceAll = 3, Close = 4 };

class SearchDialogs {
public:
    virtual ~SearchDialogs() = default;
    // Each edits data in place and says how it was closed.
    virtual FindAction askFind(FindDialogData& data) = 0;
    virtual ReplaceAction askReplace(ReplaceDialogData& data) = 0;
    virtual BatchAction askBatch(BatchDialogData& data) = 0;
    // True on "検索(&F)".
    virtual bool askFindInFiles(FindInFilesDialogData& data) { return false; }
};

}  // namespace orvex::search
