#pragma once
// Unicode files to Shift JIS in place: UTF-8 (with or without its
// byte-order mark) and UTF-16 in either byte order.
//
// Characters that code page 932 cannot hold get codes of the user-defined
// area from the document's table (cp932::PrivateCharTable), so nothing is
// lost; the codes of the area the file itself uses for private-use
// characters are marked used first. Without a table, or once the area is
// full, such a character becomes "?" and is counted as lost.
//
// The output is never longer than the input: a UTF-8 sequence of n bytes
// gives at most n bytes, a UTF-16 unit at most two, a surrogate pair two.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace orvex::cp932 {
class PrivateCharTable;
}

namespace orvex::files {

struct UnicodeInput {
    size_t length = 0;      // bytes of Shift JIS text; buf[length] is NUL
    size_t unreadable = 0;  // ill-formed UTF-8 sequences, each read as "?"
    size_t lost = 0;        // characters read as "?" for want of a code
};

// The UTF-8 bytes of buf[skip, len) (skip: 3 after a byte-order mark, else
// 0). An ill-formed sequence (a lead byte with the continuation bytes that
// follow it, up to its length) is one "?". buf[len] must be writable.
UnicodeInput convertUtf8Input(uint8_t* buf, size_t len, size_t skip, cp932::PrivateCharTable* table);

// Detection's UTF-8 conversion, with a table: when buf[0, len) holds a byte
// above 0x7F and is well-formed UTF-8 throughout, converts it (as
// convertUtf8Input without a mark); otherwise leaves the bytes and the
// table exactly as they were and returns nothing. One pass: Shift JIS and
// EUC text is turned away within its first few kilobytes, and ill-formed
// bytes met later make it write the converted part back.
std::optional<UnicodeInput> convertIfUtf8(uint8_t* buf, size_t len, cp932::PrivateCharTable& table);

// The UTF-16 units after the byte-order mark at buf[0, 2); an odd last byte
// is ignored. Unpaired surrogates are kept in the table like characters,
// so the file can be written back unit for unit.
UnicodeInput convertUtf16Input(uint8_t* buf, size_t len, bool bigEndian, cp932::PrivateCharTable* table);

}  // namespace orvex::files
