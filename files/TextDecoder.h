#pragma once
// From the bytes of a file to Shift JIS text: the steps of a load between
// reading the file and laying the text out, on one buffer.
//
//   std::string bytes;                         // the whole file (FileReader)
//   PreparedText prep = prepareFileText(bytes, autoKanji, &table);
//   if (prep.hasNul) { ask; replaceNuls(bytes) or give up }
//   ConvertResult r = convertText(bytes, prep, autoKanji, code);
//
// decodeFileText does all of it for callers that need no question.
//
// Unicode files are recognised and converted first (prepareFileText): with
// the read setting kReadDetect a byte-order mark decides (EF BB BF UTF-8,
// FF FE UTF-16 little-endian, FE FF big-endian); without one, text that
// holds bytes above 0x7F and is well-formed UTF-8 throughout is UTF-8. The
// check gives up at the first ill-formed sequence, so Shift JIS and EUC text
// costs it a few bytes. Everything else goes to detectAndConvert as before.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/CharCode.h"
#include "files/DetectConvert.h"

namespace orvex::cp932 {
class PrivateCharTable;
}

namespace orvex::files {

// The Unicode form the bytes are read in: code kCodeUtf16 or kCodeUtf8 with
// the byte-order details, or code 0 when they are not read as Unicode.
// Only kReadDetect, kReadUtf16 (a UTF-16 mark) and kReadUtf8 read Unicode.
FileForm unicodeFormOf(const uint8_t* bytes, size_t len, int readSetting);
// True when the bytes are read as UTF-16 (kept for callers that ask only that).
bool isUtf16File(const uint8_t* bytes, size_t len, int readSetting);

// Converts the UTF-16 little-endian units after the FF FE at buf[0] to Shift
// JIS in place, without a table: characters with no Shift JIS form become
// "?". Returns the new length (buf[result] is NUL).
size_t convertUtf16Input(uint8_t* buf, size_t len);

struct PreparedText {
    // The Unicode form the file was read and converted in; form.code is 0
    // when the bytes are left to detectAndConvert.
    FileForm form;
    bool unicode() const { return form.code == kCodeUtf16 || form.code == kCodeUtf8; }
    bool eofMark = false;   // a final 0x1A was dropped
    bool hasNul = false;    // a NUL byte remains inside the text
    size_t unreadable = 0;  // ill-formed UTF-8 sequences read as "?"
    size_t lost = 0;        // characters read as "?" because no code was left for them
};

// Converts a Unicode file (characters code page 932 lacks go into the table
// when one is given, else become "?"), drops trailing NUL bytes and then
// one final 0x1A. Afterwards the string holds the text (its terminator is
// the string's own).
PreparedText prepareFileText(std::string& bytes, int readSetting, cp932::PrivateCharTable* table = nullptr);
// The same over buf[0, len), buf[len] writable; len becomes the text's
// length and buf[len] NUL.
PreparedText prepareFileText(uint8_t* buf, size_t& len, int readSetting, cp932::PrivateCharTable* table = nullptr);

// Every NUL inside the text becomes a blank.
void replaceNuls(std::string& text);
void replaceNuls(char* text, size_t len);

// Detection and conversion, or the line-end scan for text that came from a
// Unicode file (unicodeCode kCodeUtf16 or kCodeUtf8, which becomes the
// result's code; 0 otherwise), resizing the string to the result. A
// detection that ends with kCodeReadAgainAsEuc converts the text again as
// EUC at once, so the code returned is always 0-5.
ConvertResult convertText(std::string& text, int unicodeCode, int readSetting, int code = kCodeUndetermined);
// The same over buf[0, len) with buf[len] NUL; the result's length is the
// text's new length (buf[length] is NUL).
ConvertResult convertText(uint8_t* buf, size_t len, int unicodeCode, int readSetting, int code = kCodeUndetermined);
// After prepareFileText: its Unicode code, and its unreadable sequences
// added to the result's count (so reportUnreadable names them too).
ConvertResult convertText(std::string& text, const PreparedText& prepared, int readSetting);
ConvertResult convertText(uint8_t* buf, size_t len, const PreparedText& prepared, int readSetting);

struct DecodedText {
    ConvertResult convert;
    PreparedText prepared;
};

// prepareFileText, NULs to blanks, convertText.
DecodedText decodeFileText(std::string& bytes, int readSetting, int code = kCodeUndetermined,
                           cp932::PrivateCharTable* table = nullptr);

}  // namespace orvex::files
