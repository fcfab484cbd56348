#pragma once
// Character codes and line-end types of text files, as stored in a
// document and in the settings.
namespace orvex::files {

// The document's character code.
enum CharCode : int {
    kCodeUndetermined = 0,  // nothing decided it; written back as Shift JIS
    kCodeShiftJis = 1,
    kCodeJis = 2,           // 7-bit with escape sequences
    kCodeEuc = 3,
    kCodeUtf16 = 4,         // little-endian with FF FE
    // Detection result only: the bytes look like EUC pairs but nothing
    // decided the code; the caller converts them again as EUC.
    kCodeReadAgainAsEuc = 13,
};

// The read setting (`AutoKanji`).
enum ReadSetting : int {
    kReadShiftJis = 0,
    kReadDetect = 1,
    kReadJis = 2,
    kReadEuc = 3,
    kReadUtf16 = 4,  // UTF-16 when the file starts with FF FE, else the bytes as they are
};

// The document's line-end type: the last line end met at load, or the type
// chosen by a conversion.
enum LineEndType : int {
    kLineEndUndetermined = 0,
    kLineEndCrLf = 1,
    kLineEndCr = 2,
    kLineEndLf = 3,
};

// Bytes written for a line-end type; the undetermined type writes CR LF.
constexpr const char* lineEndBytes(int type) {
    return type == kLineEndCr ? "\r" : type == kLineEndLf ? "\n" : "\r\n";
}

}  // namespace orvex::files
