#pragma once
// The character-code and line-end choices of the open and save dialogs,
// the conversion commands, and how a save picks its code and line end.
#include <array>
#include <cstdint>
#include <string_view>

#include "files/CharCode.h"

namespace orvex::files {

// Open dialog: the read code list. Item 0 detects (`AutoKanji` 1), item 1
// is Shift JIS (0), items 2-4 set 2-4.
inline constexpr std::array<std::string_view, 5> kReadCodeChoices = {"自動認識", "SHIFT JIS", "JIS", "EUC",
                                                                     "UNI CODE"};
// Save dialog: `SaveKanji` and `SaveCR` are the item index.
inline constexpr std::array<std::string_view, 5> kSaveCodeChoices = {"現在の状態", "SHIFT JIS", "JIS", "EUC",
                                                                     "UNI CODE"};
inline constexpr std::array<std::string_view, 4> kSaveLineEndChoices = {"現在の状態", "CR/LF", "CR", "LF"};

constexpr int autoKanjiOfReadChoice(int item) {
    return item == 0 ? kReadDetect : item == 1 ? kReadShiftJis : item;
}
constexpr int readChoiceOfAutoKanji(int autoKanji) {
    return autoKanji == kReadDetect ? 0 : autoKanji == kReadShiftJis ? 1 : autoKanji >= 2 && autoKanji <= 4 ? autoKanji : 0;
}

// View commands that set the document's code or line-end type (with its
// explicit flag) and save it.
struct ConversionCommand {
    uint16_t id;
    std::string_view text;
    int code;     // 0 when the command sets the line end
    int lineEnd;  // 0 when the command sets the code
};
inline constexpr std::array<ConversionCommand, 6> kConversionCommands = {{
    {33485, "ｼﾌﾄJISに変換", kCodeShiftJis, 0},
    {33486, "JISに変換", kCodeJis, 0},
    {33487, "EUCに変換", kCodeEuc, 0},
    {33499, "UNI CODEに変換", kCodeUtf16, 0},
    {33488, "改行をCR/LFに変換", 0, kLineEndCrLf},
    {33489, "改行をLFに変換", 0, kLineEndLf},
}};

// The code a save writes: `SaveKanji` unless it is 0 or the document's code
// was set explicitly, else the document's code; 2-4 as they are, anything
// else Shift JIS.
constexpr int outputCode(int saveKanji, bool explicitCode, int documentCode) {
    const int code = saveKanji != 0 && !explicitCode ? saveKanji : documentCode;
    return code == kCodeJis || code == kCodeEuc || code == kCodeUtf16 ? code : kCodeShiftJis;
}

// The line-end choice of a save: `SaveCR` unless the document's line end was
// set explicitly (0 then, meaning the document's own).
constexpr int lineEndChoice(int saveCr, bool explicitLineEnd) { return explicitLineEnd ? 0 : saveCr; }

// Bytes of an ordinary line end: choice 1-3 as such, 0 the document's type
// (CR, LF, or CR LF for anything else).
constexpr std::string_view lineEndText(int choice, int documentLineEnd) {
    const int type = choice >= kLineEndCrLf && choice <= kLineEndLf ? choice : documentLineEnd;
    return lineEndBytes(type);
}

}  // namespace orvex::files
