#pragma once
// The editor option set: the options that exist once per file-type mode
// (ModeOptions) and the global ones (EditorOptions, SearchOptions and the
// search histories, batch-replace pairs, formatting presets). Section
// "Settings" unless stated otherwise. Strings are Shift JIS.
#include <array>
#include <string>

#include "settings/SettingsTable.h"

namespace orvex::settings {

constexpr int kModeCount = 5;

// Options of one file-type mode. Stored names: mode 0 uses the plain name
// and modes 1..4 append 2..5 ("TabStops", "TabStops2".."TabStops5"); the
// options marked "1 to 5" always carry a digit, mode m appending m + 1
// ("CmntSel1".."CmntSel5", "KeywdSel11".."KeywdSel15").
struct ModeOptions {
    std::string extSel;     // ExtSel: extension list, e.g. "*.c;*.cpp;*.h"
    int tabStops = 16;      // TabStops: tab width in quarter columns
    int lineMax = 80;       // LineMax: wrap width in columns when AdjCol is off
    int adjCol = 0;         // AdjCol: wrap at the window width
    int freeCurs = 0;       // FreeCurs
    int freeCursHome = 0;   // FreeCursHome (1 to 5)
    int autoIndent = 0;     // AutoIndent
    int autoIndentF = 1;    // AutoIndentF
    int tabCode = 0;        // TabCode: 0 tab, else blanks to the next stop
    int freeTab = 0;        // FreeTab
    int wrapCr = 0;         // WrapCr: automatic line break while typing
    int wrapNum = 0;        // WrapNum: column of that break (never 0 after loading)
    int kinsoku = 0;        // Kinsoku: line-breaking rules
    int wordWrap = 0;       // WordWrap
    int stopEof = 0;        // StopEof
    int cmntSel = -1;       // CmntSel (1 to 5): comment syntax 0..8 (never -1 after loading)
    std::string usrCmnt;    // UsrCmnt (1 to 5): line-comment start for syntax 8
    // KeywdSel1..KeywdSel8 (1 to 5): keyword groups 1..8 on. Entries 0 and 1
    // are never -1 after loading.
    std::array<int, 8> keywdSel = {-1, -1, 0, 0, 0, 0, 0, 0};
    // TTwdSel1..TTwdSel4 (1 to 5): line-start classes 1..4 on. Entries 0 and
    // 1 are never -1 after loading.
    std::array<int, 4> ttwdSel = {-1, -1, 0, 0};

    // Tab width in columns (TabStops is kept at 4 or more).
    int tabWidth() const { return tabStops / 4; }

    friend bool operator==(const ModeOptions&, const ModeOptions&) = default;
};

// Global display, editing, input and line-breaking options.
struct EditorOptions {
    // Display
    int lineNoDisp = 1;        // LineNoDisp: 0 none, 1 logical lines, 2 rows
    int crDisp = 1;            // CRDisp
    int eofDisp = 1;           // EOFDisp (default: the CRDisp value)
    int rulaDisp = 1;          // RulaDisp
    int rulaPitch = 1;         // RulaPitch: at least 1
    int rulaType = 1;          // RulaType: 1 raised, other values flat
    int underLine = 1;         // UnderLine
    int keepUnderLine = 1;     // KeepUnderLine
    int scrlHalf = 0;          // ScrlHalf
    int scrlMrgn = 1;          // ScrlMrgn
    int tabDisp = 0;           // TabDisp
    std::string tabDispCode = "^";  // TabDispCode
    int dspcDisp = 0;          // DspcDisp
    std::string dblSpc;        // DblSpc (default "□")
    int colorSpChar = 1;       // ColorSpChar
    int leftSpace = 0;         // LeftSpace, quarter columns
    int rightSpace = 0;        // RightSpace, quarter columns
    int upperSpace = 0;        // UpperSpace, pixels
    int modifyWinWidth = 0;    // ModifyWinWidth
    int numByWchar = 0;        // NumByWchar
    int rcDispMode = 0;        // RCDispMode (a stored 1 reads as 6)
    int dispGyoukan = 0;       // DispGyoukan: 0..5
    int caretWidth = 0;        // CaretWidth
    int caretBlink = 0;        // CaretBlink
    int caretWidth2 = 0;       // CaretWidth2 (default: the CaretWidth value)
    int drawInCaret = 0;       // DrawInCaret

    // Editing and input
    int insOver = 0;           // InsOver
    int homeEndMode = 0;       // HomeEndMode
    int keySpdUp = 0;          // KeySpdUp
    int insOverCR = 0;         // InsOverCR
    int insOverBS = 0;         // InsOverBS
    int pageUpDown2 = 0;       // PageUpDown2
    int insDateYoubi = 0;      // InsDateYoubi
    int insTimeType = 0;       // InsTimeType
    int oasysIns = 0;          // OasysIns
    int boxSel = 0;            // BoxSel
    int eKeisen = 0;           // EKeisen
    int adjChWidth = 0;        // AdjChWidth
    int replacesSel = 0;       // ReplacesSel
    int cancelSel = 1;         // CancelSel
    int delCopy = 0;           // DelCopy
    int keepSelI = 1;          // KeepSelI
    int scrollCaret = 1;       // ScrollCaret
    int hideMouseCursor = 0;   // HideMouseCursor
    int autoScroll = 0;        // AutoScroll
    int indentByTab = 1;       // IndentByTab
    int imeFlush = 1;          // ImeFlush
    int rBtnUpDown = 0;        // RBtnUpDown
    std::string brakets;       // Brakets: bracket pairs separated by commas
    std::string uLineChar = "~";  // ULineChar
    int sortType = 0;          // SortType
    int sortField = 1;         // SortField
    int sortColumn = 1;        // SortColumn
    std::string sortPunct = ",";   // SortPunct
    std::string sortQuot = "\"";   // SortQuot
    int sortFlags = 0;         // SortFlags
    int macroBK = 1;           // MacroBK
    std::array<std::string, 10> macroName;    // MacroName1..MacroName10
    std::array<std::string, 10> macroTT;      // MacroTT1..MacroTT10
    std::array<std::string, 20> keyMacroTT;   // KeyMacroTT1..KeyMacroTT20

    // Line breaking
    std::string kinsokuStr1;   // KinsokuStr1: may not start a line
    std::string kinsokuStr2;   // KinsokuStr2: may not end a line
    int kinsokuWrap = 1;       // KinsokuWrap: columns that may hang

    // Ruler height in pixels that RulaType gives.
    int rulerHeight() const { return rulaType == 1 ? 15 : 6; }

    EditorOptions();
    friend bool operator==(const EditorOptions&, const EditorOptions&) = default;
};

// Search option sets: the find dialog (plain names), the replace dialog
// (digit 1) and find in files (digit 2).
struct SearchOptions {
    int findCase = 0, findNrm = 0, findSel = 0, findWord = 0, findMsg = 0;
    // FindCase1 .. FindMsg1 default to the values of the plain names.
    int findCase1 = 0, findNrm1 = 0, findSel1 = 0, findWord1 = 0, findMsg1 = 0;
    int findCase2 = 0, findNrm2 = 0, findSel2 = 0, findWord2 = 0;
    int findSubDir = 0, findCurFile = 0, repSpChr = 0, findOnlyOne = 0;

    friend bool operator==(const SearchOptions&, const SearchOptions&) = default;
};

// Section "FindStrings": most recent first.
struct SearchHistory {
    std::array<std::string, 30> findStr;     // FindStr0..FindStr29
    std::array<std::string, 10> repStr;      // RepStr0..RepStr9
    std::array<std::string, 10> findPath;    // FindPath0 (default: the home folder)..FindPath9
    std::array<std::string, 10> findFilter = {"*.c;*.cpp"};  // FindFilter0..FindFilter9

    friend bool operator==(const SearchHistory&, const SearchHistory&) = default;
};

constexpr int kBatchPairCount = 40;

struct BatchPairs {
    std::array<std::string, kBatchPairCount> find;     // Gaiji1..Gaiji40
    std::array<std::string, kBatchPairCount> replace;  // GaijiTo1..GaijiTo40

    friend bool operator==(const BatchPairs&, const BatchPairs&) = default;
};

const SettingsTable<ModeOptions>& modeOptionsTable();
const SettingsTable<EditorOptions>& editorOptionsTable();
const SettingsTable<SearchOptions>& searchOptionsTable();
const SettingsTable<SearchHistory>& searchHistoryTable();
const SettingsTable<BatchPairs>& batchPairsTable();

}  // namespace orvex::settings
