#pragma once
// Application values: the process-wide options read by load all and written
// by save all, in sections "System", "Settings", "OpenPathName" and "Font",
// and the colour table's stored colours.
#include <array>
#include <string>

#include "settings/LogFont.h"
#include "settings/SettingsTable.h"

namespace orvex::settings {

// The member initializers of the option structs are the stored defaults
// (defaults that depend on the environment, such as folders, are empty
// here and filled in by Settings), so a default-constructed struct is a
// usable set of options. The tables hold the same defaults; a test keeps the
// two in step.

// Colours are 0x00BBGGRR; -1 means "not set" (the system colour, or the
// fallback the drawing code gives each slot).
struct ColourOptions {
    int textColor = -1;      // TextColor
    int windowColor = -1;    // WindowColor
    int crColor = 0x00FF0000;   // CRColor
    int eofColor = 0x00FF0000;  // EOFColor (default: the CRColor value)
    int lineColor = 0x00FF0000; // LineColor
    int rulaColor = -1;      // RulaColor
    int lineNoColor = -1;    // LineNoColor
    int lineNo2Color = -1;   // LineNo2Color
    // textColorN[n] is TextColor<n> for n = 2..15 (keyword groups, comments,
    // line-start classes, marks); entries 0 and 1 are unused.
    std::array<int, 16> textColorN = [] {
        std::array<int, 16> a;
        a.fill(-1);
        return a;
    }();
    int windowColor2 = -1;   // WindowColor2
    int urlColor = -1;       // URLColor
    int mailColor = -1;      // MailColor (default: the URLColor value)
    int curLineColor = -1;   // CurLineColor
    int curLineColorBk = -1; // CurLineColorBk
    int findTextColor = -1;  // FindTextColor
    int selTextColor = -1;   // SelTextColor

    // TextColor (n = 1) or TextColor<n> (n = 2..15).
    int textColorNo(int n) const { return n <= 1 ? textColor : textColorN[static_cast<size_t>(n)]; }

    friend bool operator==(const ColourOptions&, const ColourOptions&) = default;
};

struct AppOptions {
    // "System"
    int defIcon = 0;         // DefIcon
    std::string exts;        // Exts
    std::string newExt = ".txt";  // NewExt
    // "Settings"
    std::array<std::string, 4> usrFileFilter = {"*.*", "*.txt;*.log;*.ini;*.cpp;*.c;*.h", "", ""};  // UsrFileFilter1..4
    int autoLoad = 0;        // AutoLoad
    int restorCursor = 0;    // RestorCursor
    int autoBackupTime = 0;  // AutoBackupTime, minutes
    int autoBackup = 0;      // AutoBackup; turned on for the run by a stored AutoBackupTime
    std::string autoBackupPath;  // AutoBackupPath (default: the temporary folder)
    // "OpenPathName"
    std::array<std::string, 10> defDir;   // DefDir (default: the home folder), DefDir2..DefDir10
    std::array<std::string, 10> histDir;  // HistDir1..HistDir10
    int defDirEN = 0;        // DefDirEN
    // "Font": the editor display font
    LogFont font = defaultDisplayFont();
    // "Settings"
    int propFont = 0;        // PropFont
    int propFontEn = 0;      // PropFontEn
    int imeOpen = 0;         // ImeOpen
    int dualBoot = 0;        // DualBoot
    int keepRun = 0;         // KeepRun
    int runHide = 0;         // RunHide
    int findWnd = 1;         // FindWnd
    int recentFileNum = 10;  // RecentFileNum
    int delRecentFile = 0;   // DelRecentFile

    friend bool operator==(const AppOptions&, const AppOptions&) = default;
};

const SettingsTable<AppOptions>& appOptionsTable();
const SettingsTable<ColourOptions>& colourOptionsTable();

}  // namespace orvex::settings
