#pragma once
// The character-code and line-end choices of the open and save dialogs,
// the conversion commands, and how a save picks its code and line end.
#include <array>
#include <cstdint>
#include <string_view>

#include "common/commands/CommandIds.h"
#include "files/CharCode.h"

namespace orvex::files {

// Open dialog: the read code list. Item 0 detects (`AutoKanji` 1), item 1
// is Shift JIS (0), items 2-5 set 2-5 (4 reads UTF-16 of either byte order
// from its mark, 5 reads UTF-8).
inline constexpr std::array<std::string_view, 6> kReadCodeChoices = {"自動認識", "SHIFT JIS", "JIS", "EUC",
                                                                     "UNI CODE", "UTF-8"};
// Save dialog: `SaveKanji` and `SaveCR` are the item index. The code items
// are the SaveCode values below.
inline constexpr std::array<std::string_view, 8> kSaveCodeChoices = {
    "現在の状態", "SHIFT JIS", "JIS", "EUC", "UNI CODE", "UTF-8", "UTF-8 (BOM)", "UNI CODE (BE)"};

// `SaveKanji` values, and the values of the code setting of new documents
// (`NewKanji`, 1-7).
enum SaveCode : int {
    kSaveDocumentCode = 0,  // the document's own code and form
    kSaveShiftJis = 1,
    kSaveJis = 2,
    kSaveEuc = 3,
    kSaveUtf16 = 4,    // little-endian, FF FE
    kSaveUtf8 = 5,     // no byte-order mark
    kSaveUtf8Bom = 6,  // EF BB BF
    kSaveUtf16Be = 7,  // big-endian, FE FF
};

// The file form of a SaveCode value 1-7 (anything else: Shift JIS).
constexpr FileForm formOfSaveCode(int saveCode) {
    switch (saveCode) {
        case kSaveJis: return {kCodeJis, false, false};
        case kSaveEuc: return {kCodeEuc, false, false};
        case kSaveUtf16: return {kCodeUtf16, false, false};
        case kSaveUtf8: return {kCodeUtf8, false, false};
        case kSaveUtf8Bom: return {kCodeUtf8, true, false};
        case kSaveUtf16Be: return {kCodeUtf16, false, true};
        default: return {kCodeShiftJis, false, false};
    }
}
inline constexpr std::array<std::string_view, 4> kSaveLineEndChoices = {"現在の状態", "CR/LF", "CR", "LF"};

// The SaveCode value (1-7) that writes a form; Shift JIS for code 0. With
// kSaveCodeChoices it names a document's form (the status bar, dialogs).
constexpr int saveCodeOfForm(const FileForm& form) {
    switch (form.code) {
        case kCodeJis: return kSaveJis;
        case kCodeEuc: return kSaveEuc;
        case kCodeUtf16: return form.bigEndian ? kSaveUtf16Be : kSaveUtf16;
        case kCodeUtf8: return form.bom ? kSaveUtf8Bom : kSaveUtf8;
        default: return kSaveShiftJis;
    }
}

constexpr int autoKanjiOfReadChoice(int item) {
    return item == 0 ? kReadDetect : item == 1 ? kReadShiftJis : item;
}
constexpr int readChoiceOfAutoKanji(int autoKanji) {
    return autoKanji == kReadDetect ? 0 : autoKanji == kReadShiftJis ? 1 : autoKanji >= 2 && autoKanji <= 5 ? autoKanji : 0;
}

// View commands that set the document's code or line-end type (with its
// explicit flag) and save it.
struct ConversionCommand {
    uint16_t id;
    std::string_view text;
    int code;     // 0 when the command sets the line end
    int lineEnd;  // 0 when the command sets the code
    bool bom = false;  // UTF-8 with its byte-order mark
};
inline constexpr std::array<ConversionCommand, 8> kConversionCommands = {{
    {cmd::kConvertToShiftJis, "ｼﾌﾄJISに変換", kCodeShiftJis, 0},
    {cmd::kConvertToJis, "JISに変換", kCodeJis, 0},
    {cmd::kConvertToEuc, "EUCに変換", kCodeEuc, 0},
    {cmd::kConvertToUnicode, "UNI CODEに変換", kCodeUtf16, 0},
    {cmd::kConvertToUtf8, "UTF-8に変換", kCodeUtf8, 0},
    {cmd::kConvertToUtf8Bom, "UTF-8 (BOM)に変換", kCodeUtf8, 0, true},
    {cmd::kConvertToCrLf, "改行をCR/LFに変換", 0, kLineEndCrLf},
    {cmd::kConvertToLf, "改行をLFに変換", 0, kLineEndLf},
}};

// The code a save writes: `SaveKanji` unless it is 0 or the document's code
// was set explicitly, else the document's code; 2-5 as they are, anything
// else Shift JIS.
constexpr int outputCode(int saveKanji, bool explicitCode, int documentCode) {
    const int code = saveKanji != 0 && !explicitCode ? formOfSaveCode(saveKanji).code : documentCode;
    return code == kCodeJis || code == kCodeEuc || code == kCodeUtf16 || code == kCodeUtf8 ? code : kCodeShiftJis;
}

// The whole form a save writes: as outputCode, with the byte-order details
// of the `SaveKanji` item, or the document's own when its form is used.
constexpr FileForm outputForm(int saveKanji, bool explicitCode, const FileForm& document) {
    if (saveKanji != 0 && !explicitCode) return formOfSaveCode(saveKanji);
    FileForm form = document;
    form.code = outputCode(0, true, document.code);
    form.bom = form.code == kCodeUtf8 && document.bom;
    form.bigEndian = form.code == kCodeUtf16 && document.bigEndian;
    return form;
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
