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
    kCodeUtf16 = 4,         // with its byte-order mark: FF FE little-endian, FE FF big-endian
    kCodeUtf8 = 5,          // with or without the byte-order mark EF BB BF
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
    kReadUtf16 = 4,  // UTF-16 when the file starts with FF FE or FE FF, else the bytes as they are
    kReadUtf8 = 5,   // UTF-8 whatever the bytes (a byte-order mark is dropped)
};

// A file's code with what Unicode files add to it: the document keeps it
// from its load so that a save writes the file the same way.
struct FileForm {
    int code = kCodeUndetermined;
    bool bom = false;        // UTF-8: the file starts with EF BB BF
    bool bigEndian = false;  // UTF-16: FE FF and big-endian units (else FF FE, little-endian)

    friend bool operator==(const FileForm&, const FileForm&) = default;
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
