#pragma once
// Child-window values and document values (load, save, backups, tag files,
// line-start prefixes), all in section "Settings".
#include <array>
#include <string>

#include "settings/SettingsTable.h"

namespace orvex::settings {

struct ChildOptions {
    int showCmd = 0;         // ShowCmd: show state of new child windows
    int defWinSize = 0;      // DefWinSize
    int sizeDefWinX = 0;     // SizeDefWinX
    int sizeDefWinY = 0;     // SizeDefWinY
    int sizeDefCharX = 80;   // SizeDefCharX: columns of a new window
    int sizeDefCharY = 20;   // SizeDefCharY: rows of a new window
    int scrollBarDisp = 1;   // ScrollBarDisp
    int scrollBarDisp2 = 1;  // ScrollBarDisp2 (default: the ScrollBarDisp value)

    friend bool operator==(const ChildOptions&, const ChildOptions&) = default;
};

constexpr int kTitleStrCount = 16;

struct DocumentOptions {
    int backupMode = 0;        // BackupMode: 0 none, 1 ".bak", 2 backup folder, 3 numbered, 4 trash
    std::string backupPath;    // BackupPath (default: the temporary folder)
    int backupVerLimit = 3;    // BackupVerLimit
    int saveCR = 0;            // SaveCR: 0 own, 1 CR LF, 2 CR, 3 LF
    int saveDelSpc = 0;        // SaveDelSpc
    int saveEOF = 0;           // SaveEOF
    int saveTab = 0;           // SaveTab
    int openFileLock = 0;      // OpenFileLock: 0 none, 1 deny writers, 2 exclusive
    int fullPathDisp = 0;      // FullPathDisp
    int saveDefExt = 0;        // SaveDefExt
    std::string saveDefExtStr = ".txt";  // SaveDefExtStr
    int saveDefName = 1;       // SaveDefName
    int saveMess = 0;          // SaveMess
    int saveCmnt = 0;          // SaveCmnt
    int autoKanji = 1;         // AutoKanji: 0 Shift JIS, 1 detect, 2 JIS, 3 EUC, 4 UTF-16, 5 UTF-8
    int saveKanji = 0;         // SaveKanji: 0 own, 1 Shift JIS, 2 JIS, 3 EUC, 4 UTF-16, 5 UTF-8, 6 UTF-8 with BOM, 7 UTF-16BE
    int newKanji = 1;          // NewKanji: code of new documents, SaveKanji's 1-7
    int tagFileSet = 1;        // TagFileSet
    int tagFileWrtProt = 0;    // TagFileWrtProt
    int keepUndo = 1;          // KeepUndo
    int saveInsCR = 0;         // SaveInsCR
    int editEnable = 1;        // EditEnable
    int keepModifyMk = 1;      // KeepModifyMk
    int delZeroFile = 0;       // DelZeroFile
    // TitleStr1..TitleStr16: line-start prefixes; class k (1..4) owns
    // entries 4(k-1) .. 4(k-1)+3.
    std::array<std::string, kTitleStrCount> titleStr;

    friend bool operator==(const DocumentOptions&, const DocumentOptions&) = default;
};

const SettingsTable<ChildOptions>& childOptionsTable();
const SettingsTable<DocumentOptions>& documentOptionsTable();

}  // namespace orvex::settings
