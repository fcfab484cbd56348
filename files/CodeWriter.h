#pragma once
// Writes Shift JIS text line by line in a file's character code.
//
//   CodeWriter out(sink, kCodeJis);
//   out.begin();                       // FF FE for UTF-16
//   for each line: out.writeText(bytes); out.endLine("\r\n" or "" or "\f");
//   out.writeEofMark();                // when wanted
//   bool ok = out.finish();
//
// Shift JIS (and codes 0 and anything unknown) is written as it is. JIS
// writes ESC $ B before double-byte characters, ESC ( I before half-width
// katakana (the bytes themselves stay 0xA1-0xDF) and ESC ( B before anything
// else; the shift carries over pieces of a line and is closed with ESC ( B
// at its end, so every line end is written in ASCII. EUC writes double-byte
// characters with bit 7 set in both row/cell bytes and half-width katakana
// after 0x8E, and the codes an EUC three-byte character is read as (see
// EucTriples.h) as that 0x8F triple. UTF-16 writes little-endian units, line
// ends included.
//
// A character the output code cannot hold is written as "?" and counted:
// in JIS and EUC a double-byte code without a row/cell pair or (EUC) a
// triple (the user-defined area, bad trail bytes; IBM extensions without a
// triple go out as their JIS X 0208 or NEC twins), in UTF-16 a code without
// a Unicode character.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "files/ByteSink.h"
#include "files/CharCode.h"

namespace orvex::files {

class CodeWriter {
public:
    CodeWriter(ByteSink& sink, int code);
    ~CodeWriter();
    CodeWriter(const CodeWriter&) = delete;
    CodeWriter& operator=(const CodeWriter&) = delete;

    // Output code actually used: 1-4 (0 and unknown codes write Shift JIS).
    int code() const { return m_code; }

    // The byte-order mark FF FE for UTF-16; nothing for the other codes.
    void begin();
    // A line or a piece of one, made of whole characters.
    void writeText(std::string_view sjis);
    // Ends the line: a JIS shift still open is closed, then the line-end
    // bytes (CR, LF, FF in any combination; empty for none) are written.
    void endLine(std::string_view lineEnd);
    // The end-of-file mark 0x1A (1A 00 in UTF-16).
    void writeEofMark();
    // Hands everything buffered to the sink; false when any write failed.
    bool finish();

    bool ok() const { return m_ok; }
    // Characters written as "?" so far.
    uint64_t unrepresentable() const { return m_unrepresentable; }
    // Bytes handed to the sink or waiting in the buffer.
    uint64_t bytesWritten() const { return m_written + m_used; }

private:
    void reserve(size_t bytes);
    void flush();

    ByteSink& m_sink;
    int m_code;
    int m_shift = 0;  // JIS: 0 ASCII, 1 double-byte, 2 half-width katakana
    bool m_ok = true;
    uint64_t m_unrepresentable = 0;
    uint64_t m_written = 0;
    std::unique_ptr<uint8_t[]> m_buffer;
    size_t m_used = 0;
};

// One line in JIS with the shift state carried in and out (no closing
// sequence), appended to out. Returns the characters written as "?".
size_t appendJis(std::string_view sjis, std::string& out, int& shift);
// One line in EUC, appended to out. Returns the characters written as "?".
size_t appendEuc(std::string_view sjis, std::string& out);

}  // namespace orvex::files
