#pragma once
// Character-code detection and conversion of loaded text, in place.
//
// One pass over the bytes of a file both recognises its code and converts
// JIS and EUC to Shift JIS, while it turns every lone LF into CR and counts
// the line ends (a CR followed by LFs is one line end, a FF is one too). The
// pass never makes the text longer: escape sequences and the EUC 0x8E prefix
// are removed, pairs are converted where they stand, an EUC three-byte
// character becomes its code page 932 pair or "?" (see EucTriples.h).
//
// Detection, with the read setting kReadDetect and no code yet, settles at
// the first byte that decides: a byte 0x80-0xA0 other than 0x8E, or an
// ASCII byte after an odd number of high bytes, means Shift JIS; a JIS
// double-byte escape means JIS. An EUC three-byte character (0x8F followed
// by two bytes 0xA1-0xFE, after an even number of high bytes) does not
// decide: it counts as an EUC-looking pair. Text that never decides and holds no
// EUC-looking pairs keeps code 0 (written back as Shift JIS); text whose
// high bytes all pair up like EUC yields kCodeReadAgainAsEuc.
#include <cstddef>
#include <cstdint>

#include "files/CharCode.h"

namespace orvex::files {

struct ConvertResult {
    size_t length = 0;     // bytes of text after the pass; buf[length] is NUL
    int code = kCodeUndetermined;
    int lineEnd = kLineEndUndetermined;  // the last line end met
    size_t lineCount = 1;  // line ends met + 1
    // EUC three-byte characters with no code page 932 form, each read as "?".
    size_t unreadable = 0;
};

// Detects and converts buf[0, len); buf[len] must be readable and NUL (it
// terminates look-aheads). `code` is the code known before the pass (0 when
// none; 13 is taken as EUC); `readSetting` is `AutoKanji`.
//
// Bytes inside the range are all text, NUL included. A lead byte as the very
// last byte is dropped. The result code is 0-4, or kCodeReadAgainAsEuc: then
// the buffer is left exactly as it came and the caller converts it as EUC by
// calling again with that code (convertText does this).
ConvertResult detectAndConvert(uint8_t* buf, size_t len, int readSetting, int code);

// The line-end part of the pass alone, for text that came from a Unicode
// file: lone LFs become CR, line ends are counted, a trailing lead byte is
// dropped. The result's code is `code` (kCodeUtf16 unless told).
ConvertResult scanLineEnds(uint8_t* buf, size_t len, int code = kCodeUtf16);

}  // namespace orvex::files
