#include "files/CodeWriter.h"

#include <cstring>

#include "common/codepage/Cp932.h"
#include "common/codepage/PrivateCharTable.h"
#include "common/codepage/ShiftJis.h"
#include "common/codepage/Utf8.h"
#include "files/EucTriples.h"
#include "files/JisMapping.h"

namespace orvex::files {

namespace {

constexpr size_t kBufferSize = size_t{1} << 16;
// Input bytes converted per step. The output of one input byte is at most
// 4 bytes (JIS: a shift sequence and the byte), plus 3 to close a shift.
constexpr size_t kPiece = 8192;
constexpr size_t kMaxOutPerByte = 4;

constexpr uint8_t kEscToDouble[3] = {0x1B, '$', 'B'};
constexpr uint8_t kEscToKana[3] = {0x1B, '(', 'I'};
constexpr uint8_t kEscToAscii[3] = {0x1B, '(', 'B'};

constexpr bool isTrailByte(uint8_t t) { return t >= 0x40 && t <= 0xFC && t != 0x7F; }

// jis::fromShiftJis as tables, so that converting a pair takes no branch on
// its byte values: the odd row of a lead byte, the cell of a trail byte and
// whether the trail byte belongs to the even row.
struct RowCellTables {
    uint8_t row[256]{};
    uint8_t cell[256]{};
    uint8_t evenRow[256]{};
    constexpr RowCellTables() {
        for (int b = 0; b < 256; ++b) {
            const uint16_t asLead = jis::fromShiftJis(static_cast<uint8_t>(b), 0x40);
            row[b] = static_cast<uint8_t>(asLead >> 8);
            const uint16_t asTrail = jis::fromShiftJis(0x81, static_cast<uint8_t>(b));
            cell[b] = static_cast<uint8_t>(asTrail & 0xFF);
            evenRow[b] = asTrail != 0 && (asTrail >> 8) == 0x22 ? 1 : 0;
        }
    }
};
constexpr RowCellTables kRowCell;

// The row/cell pair written for a double-byte character, 0 when none.
inline uint16_t rowCellOf(uint8_t lead, uint8_t trail) {
    const unsigned row = kRowCell.row[lead];
    const unsigned cell = kRowCell.cell[trail];
    if (row != 0 && cell != 0) return static_cast<uint16_t>((row + kRowCell.evenRow[trail]) << 8 | cell);
    return jis::outputPair(lead, trail);
}

inline uint8_t* put3(uint8_t* d, const uint8_t (&seq)[3]) {
    d[0] = seq[0];
    d[1] = seq[1];
    d[2] = seq[2];
    return d + 3;
}

// Each encoder converts the characters of s that start before `stop` (a
// pair that starts there may reach one byte further, up to n), advancing
// pos, and returns the new output end. A lead byte with no valid trail byte
// gives "?" and its next byte is converted as a character of its own.

uint8_t* encodeJis(const uint8_t* s, size_t& pos, size_t stop, size_t n, uint8_t* d, int& shift,
                   uint64_t& bad) {
    size_t i = pos;
    while (i < stop) {
        const uint8_t b = s[i];
        if (b < 0x80) {
            if (shift != 0) {
                d = put3(d, kEscToAscii);
                shift = 0;
            }
            *d++ = b;
            ++i;
            while (i < stop && s[i] < 0x80) *d++ = s[i++];
            continue;
        }
        if (sjis::isLeadByte(b)) {
            if (i + 1 < n && isTrailByte(s[i + 1])) {
                const uint16_t pair = rowCellOf(b, s[i + 1]);
                i += 2;
                if (pair != 0) {
                    if (shift != 1) {
                        d = put3(d, kEscToDouble);
                        shift = 1;
                    }
                    d[0] = static_cast<uint8_t>(pair >> 8);
                    d[1] = static_cast<uint8_t>(pair);
                    d += 2;
                    continue;
                }
            } else {
                ++i;
            }
            if (shift != 0) {
                d = put3(d, kEscToAscii);
                shift = 0;
            }
            *d++ = '?';
            ++bad;
            continue;
        }
        if (sjis::isHalfWidthKana(b)) {
            if (shift != 2) {
                d = put3(d, kEscToKana);
                shift = 2;
            }
        } else if (shift != 0) {
            d = put3(d, kEscToAscii);
            shift = 0;
        }
        *d++ = b;
        ++i;
    }
    pos = i;
    return d;
}

// True for a code the table holds: a character only Unicode output keeps.
inline bool heldByTable(const cp932::PrivateCharTable* table, uint8_t lead, uint8_t trail) {
    return table && lead >= 0xF0 && lead <= 0xF9 &&
           table->charOf(static_cast<uint16_t>(lead << 8 | trail)) != cp932::PrivateCharTable::kNoChar;
}

// Shift JIS as it is, except the codes the table holds.
uint8_t* encodeShiftJisHeld(const uint8_t* s, size_t& pos, size_t stop, size_t n, uint8_t* d,
                            const cp932::PrivateCharTable* table, uint64_t& bad) {
    size_t i = pos;
    while (i < stop) {
        const uint8_t b = s[i];
        if (!sjis::isLeadByte(b) || i + 1 >= n) {
            *d++ = b;
            ++i;
            continue;
        }
        if (heldByTable(table, b, s[i + 1])) {
            *d++ = '?';
            ++bad;
        } else {
            d[0] = b;
            d[1] = s[i + 1];
            d += 2;
        }
        i += 2;
    }
    pos = i;
    return d;
}

uint8_t* encodeEuc(const uint8_t* s, size_t& pos, size_t stop, size_t n, uint8_t* d, uint64_t& bad,
                   const cp932::PrivateCharTable* table = nullptr) {
    size_t i = pos;
    while (i < stop) {
        const uint8_t b = s[i];
        if (b < 0x80) {
            *d++ = b;
            ++i;
            continue;
        }
        if (sjis::isLeadByte(b)) {
            if (i + 1 < n && isTrailByte(s[i + 1])) {
                const uint8_t t = s[i + 1];
                i += 2;
                if (heldByTable(table, b, t)) {
                    *d++ = '?';
                    ++bad;
                    continue;
                }
                // The codes a three-byte character is read as go back to
                // that character; the rest of the IBM rows to their twins.
                if (const uint16_t triple = b >= 0xF0 ? euc::tripleOfSjis(b, t) : 0) {
                    d[0] = 0x8F;
                    d[1] = static_cast<uint8_t>(triple >> 8);
                    d[2] = static_cast<uint8_t>(triple);
                    d += 3;
                    continue;
                }
                const uint16_t pair = rowCellOf(b, t);
                if (pair != 0) {
                    d[0] = static_cast<uint8_t>((pair >> 8) | 0x80);
                    d[1] = static_cast<uint8_t>(pair | 0x80);
                    d += 2;
                    continue;
                }
            } else {
                ++i;
            }
            *d++ = '?';
            ++bad;
            continue;
        }
        if (sjis::isHalfWidthKana(b)) *d++ = 0x8E;
        *d++ = b;
        ++i;
    }
    pos = i;
    return d;
}

template <bool kBigEndian>
inline uint8_t* putUnit(uint8_t* d, uint16_t u) {
    d[kBigEndian ? 1 : 0] = static_cast<uint8_t>(u);
    d[kBigEndian ? 0 : 1] = static_cast<uint8_t>(u >> 8);
    return d + 2;
}

// The Unicode character of the Shift JIS character at s[i] (advancing i):
// the table's for a code it holds, else code page 932's; kNoChar when none.
inline char32_t nextChar(const uint8_t* s, size_t& i, size_t n, const cp932::PrivateCharTable* table) {
    const uint8_t b = s[i];
    if (sjis::isLeadByte(b)) {
        if (i + 1 < n && isTrailByte(s[i + 1])) {
            const uint8_t t = s[i + 1];
            i += 2;
            if (heldByTable(table, b, t)) return table->charOf(static_cast<uint16_t>(b << 8 | t));
            const uint16_t u = cp932::decodePair(b, t);
            return u == cp932::kNoUnicode ? cp932::PrivateCharTable::kNoChar : u;
        }
        ++i;
        return cp932::PrivateCharTable::kNoChar;
    }
    ++i;
    const uint16_t u = cp932::decodeSingle(b);
    return u == cp932::kNoUnicode ? cp932::PrivateCharTable::kNoChar : u;
}

template <bool kBigEndian>
uint8_t* encodeUtf16(const uint8_t* s, size_t& pos, size_t stop, size_t n, uint8_t* d, uint64_t& bad,
                     const cp932::PrivateCharTable* table) {
    size_t i = pos;
    while (i < stop) {
        const uint8_t b = s[i];
        if (b < 0x80) {
            d = putUnit<kBigEndian>(d, b);
            ++i;
            continue;
        }
        char32_t c = nextChar(s, i, n, table);
        if (c == cp932::PrivateCharTable::kNoChar) {
            c = '?';
            ++bad;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            d = putUnit<kBigEndian>(d, static_cast<uint16_t>(0xD800 + (c >> 10)));
            d = putUnit<kBigEndian>(d, static_cast<uint16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            d = putUnit<kBigEndian>(d, static_cast<uint16_t>(c));
        }
    }
    pos = i;
    return d;
}

uint8_t* encodeUtf8(const uint8_t* s, size_t& pos, size_t stop, size_t n, uint8_t* d, uint64_t& bad,
                    const cp932::PrivateCharTable* table) {
    size_t i = pos;
    while (i < stop) {
        const uint8_t b = s[i];
        if (b < 0x80) {
            *d++ = b;
            ++i;
            continue;
        }
        char32_t c = nextChar(s, i, n, table);
        if (c == cp932::PrivateCharTable::kNoChar || (c >= 0xD800 && c <= 0xDFFF)) {
            c = '?';
            ++bad;
        }
        d += utf8::encode(c, d);
    }
    pos = i;
    return d;
}

}  // namespace

CodeWriter::CodeWriter(ByteSink& sink, int code) : CodeWriter(sink, FileForm{code, false, false}, nullptr) {}

CodeWriter::CodeWriter(ByteSink& sink, const FileForm& form, const cp932::PrivateCharTable* table)
    : m_sink(sink),
      m_code(form.code == kCodeJis || form.code == kCodeEuc || form.code == kCodeUtf16 || form.code == kCodeUtf8
                 ? form.code
                 : kCodeShiftJis),
      m_bom(form.code == kCodeUtf8 && form.bom),
      m_bigEndian(form.code == kCodeUtf16 && form.bigEndian),
      m_table(table && !table->empty() ? table : nullptr),
      m_buffer(std::make_unique<uint8_t[]>(kBufferSize)) {}

CodeWriter::~CodeWriter() = default;

void CodeWriter::flush() {
    if (m_used == 0) return;
    if (m_ok && !m_sink.write(m_buffer.get(), m_used)) m_ok = false;
    m_written += m_used;
    m_used = 0;
}

void CodeWriter::reserve(size_t bytes) {
    if (m_used + bytes > kBufferSize) flush();
}

void CodeWriter::begin() {
    reserve(3);
    if (m_code == kCodeUtf16) {
        m_buffer[m_used++] = m_bigEndian ? 0xFE : 0xFF;
        m_buffer[m_used++] = m_bigEndian ? 0xFF : 0xFE;
    } else if (m_bom) {
        m_buffer[m_used++] = 0xEF;
        m_buffer[m_used++] = 0xBB;
        m_buffer[m_used++] = 0xBF;
    }
}

// A line-end or end-of-file byte in the output code.
void CodeWriter::putAscii(uint8_t c) {
    reserve(2);
    if (m_code == kCodeUtf16 && m_bigEndian) m_buffer[m_used++] = 0;
    m_buffer[m_used++] = c;
    if (m_code == kCodeUtf16 && !m_bigEndian) m_buffer[m_used++] = 0;
}

void CodeWriter::writeText(std::string_view sjis) {
    const auto* s = reinterpret_cast<const uint8_t*>(sjis.data());
    const size_t n = sjis.size();
    if (m_code == kCodeShiftJis && !m_table) {
        if (n >= kBufferSize / 2) {
            flush();
            if (m_ok && !m_sink.write(s, n)) m_ok = false;
            m_written += n;
            return;
        }
        reserve(n);
        std::memcpy(m_buffer.get() + m_used, s, n);
        m_used += n;
        return;
    }
    size_t pos = 0;
    while (pos < n) {
        const size_t stop = n - pos > kPiece ? pos + kPiece : n;
        reserve((stop - pos + 1) * kMaxOutPerByte);
        uint8_t* const start = m_buffer.get() + m_used;
        uint8_t* end;
        if (m_code == kCodeJis)
            end = encodeJis(s, pos, stop, n, start, m_shift, m_unrepresentable);
        else if (m_code == kCodeEuc)
            end = encodeEuc(s, pos, stop, n, start, m_unrepresentable, m_table);
        else if (m_code == kCodeUtf8)
            end = encodeUtf8(s, pos, stop, n, start, m_unrepresentable, m_table);
        else if (m_code == kCodeUtf16)
            end = m_bigEndian ? encodeUtf16<true>(s, pos, stop, n, start, m_unrepresentable, m_table)
                              : encodeUtf16<false>(s, pos, stop, n, start, m_unrepresentable, m_table);
        else
            end = encodeShiftJisHeld(s, pos, stop, n, start, m_table, m_unrepresentable);
        m_used += static_cast<size_t>(end - start);
    }
}

void CodeWriter::endLine(std::string_view lineEnd) {
    if (m_code == kCodeJis && m_shift != 0) {
        reserve(3);
        put3(m_buffer.get() + m_used, kEscToAscii);
        m_used += 3;
        m_shift = 0;
    }
    for (char c : lineEnd) putAscii(static_cast<uint8_t>(c));
}

void CodeWriter::writeEofMark() { putAscii(0x1A); }

bool CodeWriter::finish() {
    flush();
    return m_ok;
}

size_t appendJis(std::string_view sjis, std::string& out, int& shift) {
    const auto* s = reinterpret_cast<const uint8_t*>(sjis.data());
    const size_t old = out.size();
    out.resize(old + sjis.size() * kMaxOutPerByte + 3);
    auto* d = reinterpret_cast<uint8_t*>(out.data()) + old;
    size_t pos = 0;
    uint64_t bad = 0;
    uint8_t* end = encodeJis(s, pos, sjis.size(), sjis.size(), d, shift, bad);
    out.resize(old + static_cast<size_t>(end - d));
    return static_cast<size_t>(bad);
}

size_t appendEuc(std::string_view sjis, std::string& out) {
    const auto* s = reinterpret_cast<const uint8_t*>(sjis.data());
    const size_t old = out.size();
    out.resize(old + sjis.size() * 2);
    auto* d = reinterpret_cast<uint8_t*>(out.data()) + old;
    size_t pos = 0;
    uint64_t bad = 0;
    uint8_t* end = encodeEuc(s, pos, sjis.size(), sjis.size(), d, bad);
    out.resize(old + static_cast<size_t>(end - d));
    return static_cast<size_t>(bad);
}

}  // namespace orvex::files

namespace orvex::files {

size_t appendUtf8(std::string_view sjis, std::string& out, const cp932::PrivateCharTable* table) {
    const auto* s = reinterpret_cast<const uint8_t*>(sjis.data());
    const size_t old = out.size();
    out.resize(old + sjis.size() * 3);
    auto* d = reinterpret_cast<uint8_t*>(out.data()) + old;
    size_t pos = 0;
    uint64_t bad = 0;
    uint8_t* end = encodeUtf8(s, pos, sjis.size(), sjis.size(), d, bad, table && !table->empty() ? table : nullptr);
    out.resize(old + static_cast<size_t>(end - d));
    return static_cast<size_t>(bad);
}

}  // namespace orvex::files
