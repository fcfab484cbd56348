#pragma once
// URLs and mail addresses inside the content bytes of one row, for
// colouring (and for finding the URL under the pointer).
//
// URLs: every "://" is looked at in turn; the scheme right before it must
// be "http", "file", "https" or "ftp" (tried in that order, any case) and
// must lie behind the previous URL. The URL runs from the scheme over the
// URL characters (printable ASCII except blank, double quote, parentheses,
// asterisk, comma, semicolon, angle brackets and vertical bar) and, when
// double-byte characters are allowed or the scheme is "file", over
// double-byte characters too. A final period stays in the URL; a closing
// parenthesis ends it.
//
// Mail addresses: every "@" is looked at in turn. The domain runs forward
// over mail characters (ASCII letters, digits, "-", ".", "_", "@") and
// needs a "." after the "@" before any second "@"; the local part runs back
// from the "@" over mail characters and may not be empty. The first "@"
// that does not form an address ends the scan of the row.
//
// Both scans walk forward from the row's start, so a trail byte that looks
// like an ASCII letter is never taken for one.
#include <cstdint>
#include <vector>

namespace orvex {

struct ByteSpan {
    int32_t begin;  // byte columns [begin, end)
    int32_t end;
    friend bool operator==(const ByteSpan&, const ByteSpan&) = default;
};

void findUrls(const uint8_t* p, int32_t n, bool allowDoubleByte, std::vector<ByteSpan>& out);
void findMailAddresses(const uint8_t* p, int32_t n, std::vector<ByteSpan>& out);

}  // namespace orvex
