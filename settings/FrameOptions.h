#pragma once
// Main-frame values: bars, clipboard history, file window, fixed-string
// titles, window placements ("Settings"); status-bar layouts ("StatusBar");
// external programs and URL launching ("ExProgExe"); favourite files
// ("Use File List").
#include <array>
#include <optional>
#include <string>

#include "settings/SettingsTable.h"
#include "settings/WindowPlacement.h"

namespace orvex::settings {

constexpr int kFixedStringCount = 20;
constexpr int kStatusBarStrings = 64;  // four layouts of 16 pane strings
constexpr int kFavouriteFileCount = 20;
constexpr int kExternalProgramCount = 10;

struct FrameOptions {
    int toolBarDisp = 1;        // ToolBarDisp
    int toolBarDisp2 = 1;       // ToolBarDisp2 (default: the ToolBarDisp value)
    int toolBarPos1 = 0;        // ToolBarPos1
    int toolBarPos2 = 0;        // ToolBarPos2
    int statusBarDisp = 1;      // StatusBarDisp
    int windBarDisp = 1;        // WindBarDisp
    int windBarPos = 1;         // WindBarPos: 0 top, 1 bottom, 2 left, 3 right
    int windBarBold = 0;        // WindBarBold
    int windBarBtnSize = 0;     // WindBarBtnSize
    int windBarBtnName = 0;     // WindBarBtnName
    int recentFilePos = 0;      // RecentFilePos
    int cMenuExe = 0;           // CMenuExe
    int defFrmWndSize = 0;      // DefFrmWndSize: 0 stored, 1 maximized, 2 sized, 3 minimized
    int defFrmWndSizeX = 600;   // DefFrmWndSizeX
    int defFrmWndSizeY = 400;   // DefFrmWndSizeY
    int clipHistory = 0;        // ClipHistory
    int clipClose = 1;          // ClipClose
    int clipDel = 0;            // ClipDel
    int fileWinDisp = 0;        // FileWinDisp
    int fileDefDirDisp = 0;     // FileDefDirDisp
    int fileDefDirDisp2 = 1;    // FileDefDirDisp2
    int toolbarChangeSoon = 0;  // ToolbarChangeSoon
    std::array<std::string, kFixedStringCount> teikeiTT;  // TeikeiTT1..TeikeiTT20: fixed-string titles
    // Placements of this machine's windows: not exported.
    std::optional<WindowPlacement> windowPos;   // WindowPos
    std::optional<WindowPlacement> floatTool1;  // FloatTool1
    std::optional<WindowPlacement> floatTool2;  // FloatTool2
    std::optional<WindowPlacement> fileWinPos;  // FileWinPos
    std::string fileWinPath;                    // FileWinPath
    int fileWinFilter = 0;                      // FileWinFilter

    // "StatusBar": StsBar1..StsBar64; layout k uses entries 16k .. 16k + 15.
    std::array<std::string, kStatusBarStrings> stsBar = defaultStatusBar();

    // "ExProgExe": URL launching and the clipboard options.
    int progNo = 0;            // ProgNo: external program selected last
    std::string httpPath;      // HttpPath
    std::string ftpPath;       // FtpPath
    std::string mailPath;      // MailPath
    int httpExecType = 1;      // HttpExecType
    int ftpExecType = 1;       // FtpExecType
    int mailExecType = 1;      // MailExecType
    int clikUrlJmp = 1;        // ClikUrlJmp
    int urlKanji = 1;          // UrlKanji
    int oleClipBoad = 0;       // OleClipBoad: off at every start
    int fileViewSort = 0;      // FileViewSort

    // "Use File List": File1..File20.
    std::array<std::string, kFavouriteFileCount> favouriteFiles;

    // Pane string i of a layout defaults to "%0" (i = 0), "" (1-6) or
    // "%1".."%9" (7-15).
    static std::string defaultStatusBarString(int index);
    static std::array<std::string, kStatusBarStrings> defaultStatusBar();

    friend bool operator==(const FrameOptions&, const FrameOptions&) = default;
};

// One registered external program (entries 0..9 in "ExProgExe", keys
// ending in the entry index).
struct ExternalProgram {
    std::string title;    // ProgTT%d
    std::string command;  // ProgCmd%d
    std::string param;    // ProgParam%d
    std::string dir;      // ProgDir%d
    std::string env;      // ProgEnv%d: one assignment per line
    int redirect = 0;     // ProgRedirect%d
    int tag = 0;          // ProgTag%d
    int paramFile = 0;    // ProgParamFile%d: 0 none, 1 after, 2 before the parameters
    int dirFile = 0;      // ProgDirFile%d

    friend bool operator==(const ExternalProgram&, const ExternalProgram&) = default;
};

const SettingsTable<FrameOptions>& frameOptionsTable();
const SettingsTable<ExternalProgram>& externalProgramTable();

}  // namespace orvex::settings
