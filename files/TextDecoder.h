#pragma once
// From the bytes of a file to Shift JIS text: the steps of a load between
// reading the file and laying the text out, on one buffer.
//
//   std::string bytes;                         // the whole file (FileReader)
//   PreparedText prep = prepareFileText(bytes, autoKanji);
//   if (prep.hasNul) { ask; replaceNuls(bytes) or give up }
//   ConvertResult r = convertText(bytes, prep.utf16, autoKanji, code);
//
// decodeFileText does all of it for callers that need no question.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/CharCode.h"
#include "files/DetectConvert.h"

namespace orvex::files {

// True when the bytes are read as UTF-16: the read setting detects or asks
// for UTF-16 and the file starts with FF FE.
bool isUtf16File(const uint8_t* bytes, size_t len, int readSetting);

// Converts the UTF-16 little-endian units after the FF FE at buf[0] to Shift
// JIS in place; units with no Shift JIS form (a surrogate pair counts as one)
// become "?", an odd last byte is ignored. Returns the new length; the
// result is never longer than len - 2 and buf[result] is set to NUL.
size_t convertUtf16Input(uint8_t* buf, size_t len);

struct PreparedText {
    bool utf16 = false;    // the file began with FF FE and was converted
    bool eofMark = false;  // a final 0x1A was dropped
    bool hasNul = false;   // a NUL byte remains inside the text
};

// Converts a UTF-16 file, drops trailing NUL bytes and then one final 0x1A.
// Afterwards the string holds the text (its terminator is the string's own).
PreparedText prepareFileText(std::string& bytes, int readSetting);
// The same over buf[0, len), buf[len] writable; len becomes the text's
// length and buf[len] NUL.
PreparedText prepareFileText(uint8_t* buf, size_t& len, int readSetting);

// Every NUL inside the text becomes a blank.
void replaceNuls(std::string& text);
void replaceNuls(char* text, size_t len);

// Detection and conversion, or the line-end scan for text that came from
// UTF-16, resizing the string to the result. A detection that ends with
// kCodeReadAgainAsEuc converts the text again as EUC at once, so the code
// returned is always 0-4.
ConvertResult convertText(std::string& text, bool utf16, int readSetting, int code = kCodeUndetermined);
// The same over buf[0, len) with buf[len] NUL; the result's length is the
// text's new length (buf[length] is NUL).
ConvertResult convertText(uint8_t* buf, size_t len, bool utf16, int readSetting, int code = kCodeUndetermined);

struct DecodedText {
    ConvertResult convert;
    PreparedText prepared;
};

// prepareFileText, NULs to blanks, convertText.
DecodedText decodeFileText(std::string& bytes, int readSetting, int code = kCodeUndetermined);

}  // namespace orvex::files
