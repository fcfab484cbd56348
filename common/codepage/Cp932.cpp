#include "common/codepage/Cp932.h"

#include <array>
#include <cstring>
#include <memory>

#include "common/codepage/Cp932Tables.h"
#include "common/codepage/ShiftJis.h"

namespace orvex::cp932 {

namespace {

// The encode table is the inverse of the decode tables (the first code in
// byte order wins) corrected by the generated overrides. Built once, on
// first use; C++ guarantees the static initialisation is thread-safe.
const uint16_t* encodeTable() {
    static const std::unique_ptr<uint16_t[]> table = [] {
        auto t = std::make_unique<uint16_t[]>(65536);
        std::fill(t.get(), t.get() + 65536, kNoSjis);
        for (unsigned b = 0; b < 256; ++b) {
            uint16_t u = tables::kSingleToUnicode[b];
            if (u != kNoUnicode && t[u] == kNoSjis) t[u] = static_cast<uint16_t>(b);
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!sjis::isLeadByte(static_cast<uint8_t>(lead))) continue;
            const uint16_t* row = &tables::kDoubleToUnicode[tables::leadIndex(static_cast<uint8_t>(lead)) * 256];
            for (unsigned trail = 0; trail < 256; ++trail) {
                uint16_t u = row[trail];
                if (u != kNoUnicode && t[u] == kNoSjis) t[u] = static_cast<uint16_t>(lead << 8 | trail);
            }
        }
        for (size_t i = 0; i < tables::kEncodeOverrideCount; ++i)
            t[tables::kEncodeOverrides[i].unicode] = tables::kEncodeOverrides[i].sjis;
        return t;
    }();
    return table.get();
}

inline bool allAscii8(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return (v & 0x8080808080808080ULL) == 0;
}

}  // namespace

uint16_t decodeSingle(uint8_t b) { return tables::kSingleToUnicode[b]; }

uint16_t decodePair(uint8_t lead, uint8_t trail) {
    if (!sjis::isLeadByte(lead)) return kNoUnicode;
    return tables::kDoubleToUnicode[tables::leadIndex(lead) * 256 + trail];
}

uint16_t encodeUnit(char16_t u) { return encodeTable()[u]; }

const uint16_t* encodeTableData() { return encodeTable(); }

const uint16_t* exactEncodeTableData() {
    static const std::unique_ptr<uint16_t[]> table = [] {
        const uint16_t* from = encodeTable();
        auto t = std::make_unique<uint16_t[]>(65536);
        for (unsigned u = 0; u < 65536; ++u) {
            const uint16_t s = from[u];
            const uint16_t back = s == kNoSjis ? kNoUnicode
                                  : s < 0x100  ? decodeSingle(static_cast<uint8_t>(s))
                                               : decodePair(static_cast<uint8_t>(s >> 8), static_cast<uint8_t>(s));
            t[u] = back == u ? s : kNoSjis;
        }
        return t;
    }();
    return table.get();
}

size_t toUtf16(const uint8_t* src, size_t n, char16_t* dst, char16_t replacement) {
    size_t i = 0, o = 0;
    while (i < n) {
        // ASCII runs are common in Japanese prose too (markup, digits, line ends).
        while (i + 8 <= n && allAscii8(src + i)) {
            for (int k = 0; k < 8; ++k) dst[o + k] = src[i + k];
            i += 8;
            o += 8;
        }
        if (i >= n) break;
        const uint8_t b = src[i];
        if (b < 0x80) {
            dst[o++] = b;
            ++i;
        } else if (sjis::isLeadByte(b)) {
            if (i + 1 >= n) {  // lead byte with no trail byte left
                dst[o++] = replacement;
                break;
            }
            uint16_t u = tables::kDoubleToUnicode[tables::leadIndex(b) * 256 + src[i + 1]];
            dst[o++] = u == kNoUnicode ? replacement : static_cast<char16_t>(u);
            i += 2;
        } else {
            uint16_t u = tables::kSingleToUnicode[b];
            dst[o++] = u == kNoUnicode ? replacement : static_cast<char16_t>(u);
            ++i;
        }
    }
    return o;
}

size_t fromUtf16(const char16_t* src, size_t n, uint8_t* dst, uint8_t replacement) {
    const uint16_t* table = encodeTable();
    size_t o = 0;
    for (size_t i = 0; i < n; ++i) {
        const char16_t u = src[i];
        if (u < 0x80) {
            dst[o++] = static_cast<uint8_t>(u);
            continue;
        }
        if (u >= 0xD800 && u <= 0xDBFF) {
            // A surrogate pair is one character that code page 932 cannot hold.
            if (i + 1 < n && src[i + 1] >= 0xDC00 && src[i + 1] <= 0xDFFF) ++i;
            dst[o++] = replacement;
            continue;
        }
        const uint16_t s = table[u];
        if (s == kNoSjis) {
            dst[o++] = replacement;
        } else if (s < 0x100) {
            dst[o++] = static_cast<uint8_t>(s);
        } else {
            dst[o++] = static_cast<uint8_t>(s >> 8);
            dst[o++] = static_cast<uint8_t>(s & 0xFF);
        }
    }
    return o;
}

std::u16string toUtf16(std::string_view sjis, char16_t replacement) {
    std::u16string out(sjis.size(), u'\0');
    out.resize(toUtf16(reinterpret_cast<const uint8_t*>(sjis.data()), sjis.size(), out.data(), replacement));
    return out;
}

std::string fromUtf16(std::u16string_view utf16, char replacement) {
    std::string out(utf16.size() * 2, '\0');
    out.resize(fromUtf16(utf16.data(), utf16.size(), reinterpret_cast<uint8_t*>(out.data()),
                         static_cast<uint8_t>(replacement)));
    return out;
}

std::string toUtf8(std::string_view sjis, char16_t replacement) {
    std::u16string wide = toUtf16(sjis, replacement);
    std::string out;
    out.reserve(wide.size() * 3);
    for (char16_t u : wide) {
        // No surrogates come out of code page 932, so every unit is one character.
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (u >> 12)));
            out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

std::string fromUtf8(std::string_view utf8, char replacement) {
    const uint16_t* table = encodeTable();
    std::string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const uint8_t b = p[i];
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        // Decode one sequence; anything malformed or overlong is one "?".
        int len = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
        if (len == 0 || b > 0xF4 || i + static_cast<size_t>(len) > n) {
            out.push_back(replacement);
            ++i;
            continue;
        }
        uint32_t cp = b & (0x7F >> len);
        bool ok = true;
        for (int k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (!ok || (len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(replacement);
            ++i;
            continue;
        }
        i += static_cast<size_t>(len);
        const uint16_t s = cp > 0xFFFF ? kNoSjis : table[cp];
        if (s == kNoSjis) {
            out.push_back(replacement);
        } else if (s < 0x100) {
            out.push_back(static_cast<char>(s));
        } else {
            out.push_back(static_cast<char>(s >> 8));
            out.push_back(static_cast<char>(s & 0xFF));
        }
    }
    return out;
}

}  // namespace orvex::cp932
