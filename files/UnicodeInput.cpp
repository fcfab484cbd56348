#include "files/UnicodeInput.h"

#include <cstring>
#include <string>

#include "common/codepage/Cp932.h"
#include "common/codepage/PrivateCharTable.h"
#include "common/codepage/Utf8.h"
#include "files/CodeWriter.h"

namespace orvex::files {

namespace {

using cp932::PrivateCharTable;

// The private-use characters code page 932 keeps in the user-defined area.
constexpr char32_t kAreaFirst = 0xE000;
constexpr char32_t kAreaLast = 0xE757;

// Writes the code of a character that the encode table gives no plain code
// (none, or one of the user-defined area); returns the new output end.
inline uint8_t* putSpecial(uint8_t* d, char32_t cp, uint16_t direct, PrivateCharTable* table, size_t& lost) {
    uint16_t code = 0;
    if (table) code = table->toSjis(cp);
    else if (direct != cp932::kNoSjis) code = direct;
    if (code == 0) {
        *d++ = '?';
        ++lost;
    } else if (code < 0x100) {
        *d++ = static_cast<uint8_t>(code);
    } else {
        d[0] = static_cast<uint8_t>(code >> 8);
        d[1] = static_cast<uint8_t>(code);
        d += 2;
    }
    return d;
}

inline uint8_t* putCode(uint8_t* d, uint16_t s) {
    if (s < 0x100) {
        *d++ = static_cast<uint8_t>(s);
    } else {
        d[0] = static_cast<uint8_t>(s >> 8);
        d[1] = static_cast<uint8_t>(s);
        d += 2;
    }
    return d;
}

inline bool allAscii8(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return (v & 0x8080808080808080ULL) == 0;
}

// Length a lead byte announces (1 for a byte that starts nothing).
inline int announcedLength(uint8_t b) { return b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1; }

// The conversion of UTF-8. Strict (detection without a mark): it stops at
// the first ill-formed sequence, and at the first character that finds no
// code when the rest of the text is ill-formed, leaving buf[i, len) as it
// came; `stop` is then that offset and the output so far ends at r.length.
template <bool kStrict>
bool convertUtf8(uint8_t* buf, size_t len, size_t skip, PrivateCharTable* table, UnicodeInput& r, size_t& stop) {
    // The codes the file uses for private-use characters are taken before
    // any character gets a new one (U+E000-U+E757 are EE 80 80 - EE 9D 97).
    if (table) {
        for (const uint8_t* p = buf + skip; (p = static_cast<const uint8_t*>(
                                                  std::memchr(p, 0xEE, static_cast<size_t>(buf + len - p)))) != nullptr;
             ++p) {
            char32_t cp;
            if (utf8::decode(p, static_cast<size_t>(buf + len - p), cp) == 3 && cp >= kAreaFirst && cp <= kAreaLast)
                table->markUsed(cp932::encodeUnit(static_cast<char16_t>(cp)));
        }
    }
    // With a table only codes that give the character back are taken (the
    // rest go into the table); without one the nearest code is better than "?".
    const uint16_t* const enc = table ? cp932::exactEncodeTableData() : cp932::encodeTableData();
    size_t i = skip;
    uint8_t* d = buf;
    bool restValid = false;  // strict: the text after a character without a code was checked
    // A character without a plain code; false when a strict pass must stop.
    const auto special = [&](char32_t cp, uint16_t direct, size_t at) {
        if (kStrict && table && !restValid && table->lookupSjis(cp) == 0 && table->freeCodes() == 0) {
            if (utf8::firstInvalid(buf + i, len - i) != len - i) {
                stop = at;
                return false;
            }
            restValid = true;
        }
        d = putSpecial(d, cp, direct, table, r.lost);
        return true;
    };
    while (i < len) {
        // Reading eight bytes before writing them keeps overlapping runs
        // right: d never passes buf + i.
        while (i + 8 <= len && allAscii8(buf + i)) {
            uint64_t v;
            std::memcpy(&v, buf + i, 8);
            std::memcpy(d, &v, 8);
            d += 8;
            i += 8;
        }
        if (i >= len) break;
        const uint8_t b = buf[i];
        if (b < 0x80) {
            *d++ = b;
            ++i;
            continue;
        }
        // Most Japanese text is three-byte sequences whose lead byte allows
        // every continuation byte (E1-EC, EE, EF); they go without the
        // general decoder.
        if (b >= 0xE1 && b != 0xED && b <= 0xEF && i + 2 < len && (buf[i + 1] & 0xC0) == 0x80 &&
            (buf[i + 2] & 0xC0) == 0x80) {
            const char32_t cp3 = static_cast<char32_t>((b & 0x0F) << 12 | (buf[i + 1] & 0x3F) << 6 | (buf[i + 2] & 0x3F));
            const size_t at = i;
            i += 3;
            const uint16_t s3 = enc[cp3];
            if (s3 != cp932::kNoSjis && s3 < 0xF000) d = putCode(d, s3);
            else if (!special(cp3, s3, at)) break;
            continue;
        }
        char32_t cp;
        const int n = utf8::decode(buf + i, len - i, cp);
        if (n == 0) {
            if (kStrict) {
                stop = i;
                break;
            }
            // One "?" for the lead byte and the continuation bytes it took.
            const int want = announcedLength(b);
            ++i;
            for (int k = 1; k < want && i < len && (buf[i] & 0xC0) == 0x80; ++k) ++i;
            *d++ = '?';
            ++r.unreadable;
            continue;
        }
        const size_t at = i;
        i += static_cast<size_t>(n);
        const uint16_t s = cp < 0x10000 ? enc[cp] : cp932::kNoSjis;
        if (s != cp932::kNoSjis && s < 0xF000) d = putCode(d, s);
        else if (!special(cp, s, at)) break;
    }
    r.length = static_cast<size_t>(d - buf);
    if (stop != len) return false;
    buf[r.length] = 0;
    return true;
}

}  // namespace

UnicodeInput convertUtf8Input(uint8_t* buf, size_t len, size_t skip, PrivateCharTable* table) {
    UnicodeInput r;
    size_t stop = len;
    convertUtf8<false>(buf, len, skip, table, r, stop);
    return r;
}

std::optional<UnicodeInput> convertIfUtf8(uint8_t* buf, size_t len, PrivateCharTable& table) {
    // Shift JIS and EUC text fails within its first high bytes: those go
    // back at once, untouched.
    const size_t firstHigh = [&] {
        size_t i = 0;
        while (i + 8 <= len && allAscii8(buf + i)) i += 8;
        while (i < len && buf[i] < 0x80) ++i;
        return i;
    }();
    if (firstHigh >= len) return std::nullopt;
    const size_t probe = len - firstHigh < 4096 ? len - firstHigh : 4096;
    const size_t bad = utf8::firstInvalid(buf + firstHigh, probe);
    // A sequence cut by the end of the probe is not yet ill-formed.
    if (bad < probe && (probe == len - firstHigh || bad + 4 <= probe)) return std::nullopt;

    const PrivateCharTable before = table;
    UnicodeInput r;
    size_t stop = len;
    if (convertUtf8<true>(buf, len, 0, &table, r, stop)) return r;
    // Ill-formed after all: the part converted goes back to the bytes it
    // came from, which the table gives back exactly, and the table to what
    // it was.
    const std::string converted(reinterpret_cast<const char*>(buf), r.length);
    std::string original;
    original.reserve(stop);
    appendUtf8(converted, original, &table);
    std::memcpy(buf, original.data(), original.size() < stop ? original.size() : stop);
    table = before;
    return std::nullopt;
}

UnicodeInput convertUtf16Input(uint8_t* buf, size_t len, bool bigEndian, PrivateCharTable* table) {
    UnicodeInput r;
    const size_t units = len >= 2 ? (len - 2) / 2 : 0;
    const uint8_t* const src = buf + 2;
    const auto unitAt = [&](size_t k) -> char16_t {
        const uint8_t a = src[2 * k], b = src[2 * k + 1];
        return static_cast<char16_t>(bigEndian ? a << 8 | b : b << 8 | a);
    };
    if (table) {
        for (size_t k = 0; k < units; ++k) {
            const char16_t u = unitAt(k);
            if (u >= kAreaFirst && u <= kAreaLast) table->markUsed(cp932::encodeUnit(u));
        }
    }
    // With a table only codes that give the character back are taken (the
    // rest go into the table); without one the nearest code is better than "?".
    const uint16_t* const enc = table ? cp932::exactEncodeTableData() : cp932::encodeTableData();
    // Unit k lies at 2 + 2k; its output starts at or before 2k and takes at
    // most two bytes, so no output reaches a unit not yet read.
    uint8_t* d = buf;
    for (size_t k = 0; k < units; ++k) {
        const char16_t u = unitAt(k);
        if (u < 0x80) {
            *d++ = static_cast<uint8_t>(u);
            continue;
        }
        char32_t cp = u;
        if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units) {
            const char16_t low = unitAt(k + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00);
                ++k;
            }
        }
        const uint16_t s = cp < 0x10000 ? enc[cp] : cp932::kNoSjis;
        if (s != cp932::kNoSjis && s < 0xF000) d = putCode(d, s);
        else d = putSpecial(d, cp, s, table, r.lost);
    }
    r.length = static_cast<size_t>(d - buf);
    buf[r.length] = 0;
    return r;
}

}  // namespace orvex::files
