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
// EucTriples.h) as that 0x8F triple. UTF-16 writes little-endian units after
// FF FE, or big-endian ones after FE FF, line ends included. UTF-8 writes
// EF BB BF first when the form asks for the mark.
//
// With the document's table of characters code page 932 lacks
// (cp932::PrivateCharTable), a code the table holds is its character:
// UTF-16 and UTF-8 write that character, the other codes cannot hold it.
//
// A character the output code cannot hold is written as "?" and counted:
// in JIS and EUC a double-byte code without a row/cell pair or (EUC) a
// triple (the user-defined area, bad trail bytes; IBM extensions without a
// triple go out as their JIS X 0208 or NEC twins), in UTF-16 and UTF-8 a
// code without a Unicode character (and in UTF-8 a held lone surrogate),
// in every code other than those two a code the table holds.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "files/ByteSink.h"
#include "files/CharCode.h"

namespace orvex::cp932 {
class PrivateCharTable;
}

namespace orvex::files {

class CodeWriter {
public:
    CodeWriter(ByteSink& sink, int code);
    // The form's code with its byte-order details; `table` may be null.
    CodeWriter(ByteSink& sink, const FileForm& form, const cp932::PrivateCharTable* table);
    ~CodeWriter();
    CodeWriter(const CodeWriter&) = delete;
    CodeWriter& operator=(const CodeWriter&) = delete;

    // Output code actually used: 1-5 (0 and unknown codes write Shift JIS).
    int code() const { return m_code; }

    // The byte-order mark of UTF-16 (FF FE or FE FF) and of UTF-8 when the
    // form has one; nothing for the other codes.
    void begin();
    // A line or a piece of one, made of whole characters.
    void writeText(std::string_view sjis);
    // Ends the line: a JIS shift still open is closed, then the line-end
    // bytes (CR, LF, FF in any combination; empty for none) are written.
    void endLine(std::string_view lineEnd);
    // The end-of-file mark 0x1A (one UTF-16 unit in UTF-16).
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
    void putAscii(uint8_t c);

    ByteSink& m_sink;
    int m_code;
    bool m_bom = false;
    bool m_bigEndian = false;
    const cp932::PrivateCharTable* m_table = nullptr;  // null when empty
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
// One line in UTF-8 through the table (may be null), appended to out.
// Returns the characters written as "?".
size_t appendUtf8(std::string_view sjis, std::string& out, const cp932::PrivateCharTable* table);

}  // namespace orvex::files
