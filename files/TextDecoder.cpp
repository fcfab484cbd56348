#include "files/TextDecoder.h"

#include <cstring>

#include "common/codepage/Cp932.h"

namespace orvex::files {

namespace {

inline uint8_t* bytesOf(std::string& s) { return reinterpret_cast<uint8_t*>(s.data()); }

}  // namespace

bool isUtf16File(const uint8_t* bytes, size_t len, int readSetting) {
    return (readSetting == kReadDetect || readSetting == kReadUtf16) && len >= 2 && bytes[0] == 0xFF &&
           bytes[1] == 0xFE;
}

size_t convertUtf16Input(uint8_t* buf, size_t len) {
    // Unit i lies at 2 + 2i and its output starts at o <= 2i and takes at
    // most two bytes a unit, so no output reaches a unit not yet read.
    const size_t units = len >= 2 ? (len - 2) / 2 : 0;
    const uint8_t* src = buf + 2;
    size_t o = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // In pieces through the code-page module's bulk conversion; a piece
    // never ends between the two halves of a surrogate pair.
    constexpr size_t kPiece = 4096;
    char16_t piece[kPiece];
    size_t i = 0;
    while (i < units) {
        size_t n = units - i < kPiece ? units - i : kPiece;
        std::memcpy(piece, src + 2 * i, 2 * n);
        if (i + n < units && n > 1 && piece[n - 1] >= 0xD800 && piece[n - 1] <= 0xDBFF) --n;
        o += cp932::fromUtf16(piece, n, buf + o);
        i += n;
    }
#else
    for (size_t i = 0; i < units; ++i) {
        char16_t u = static_cast<char16_t>(src[2 * i] | src[2 * i + 1] << 8);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const char16_t low = static_cast<char16_t>(src[2 * i + 2] | src[2 * i + 3] << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) ++i;
            buf[o++] = '?';
            continue;
        }
        const uint16_t s = cp932::encodeUnit(u);
        if (s == cp932::kNoSjis) {
            buf[o++] = '?';
        } else if (s < 0x100) {
            buf[o++] = static_cast<uint8_t>(s);
        } else {
            buf[o] = static_cast<uint8_t>(s >> 8);
            buf[o + 1] = static_cast<uint8_t>(s);
            o += 2;
        }
    }
#endif
    buf[o] = 0;
    return o;
}

PreparedText prepareFileText(uint8_t* buf, size_t& len, int readSetting) {
    PreparedText prep;
    if (isUtf16File(buf, len, readSetting)) {
        prep.utf16 = true;
        len = convertUtf16Input(buf, len);
    }
    while (len > 0 && buf[len - 1] == 0) --len;
    if (len > 0 && buf[len - 1] == 0x1A) {
        --len;
        prep.eofMark = true;
    }
    prep.hasNul = std::memchr(buf, 0, len) != nullptr;
    buf[len] = 0;
    return prep;
}

PreparedText prepareFileText(std::string& bytes, int readSetting) {
    size_t len = bytes.size();
    const PreparedText prep = prepareFileText(bytesOf(bytes), len, readSetting);
    bytes.resize(len);
    return prep;
}

void replaceNuls(char* p, size_t len) {
    char* const end = p + len;
    while ((p = static_cast<char*>(std::memchr(p, 0, static_cast<size_t>(end - p)))) != nullptr) *p++ = ' ';
}

void replaceNuls(std::string& text) { replaceNuls(text.data(), text.size()); }

ConvertResult convertText(uint8_t* buf, size_t len, bool utf16, int readSetting, int code) {
    if (utf16) return scanLineEnds(buf, len);
    ConvertResult r = detectAndConvert(buf, len, readSetting, code);
    if (r.code == kCodeReadAgainAsEuc) r = detectAndConvert(buf, len, readSetting, kCodeReadAgainAsEuc);
    return r;
}

ConvertResult convertText(std::string& text, bool utf16, int readSetting, int code) {
    const ConvertResult r = convertText(bytesOf(text), text.size(), utf16, readSetting, code);
    text.resize(r.length);
    return r;
}

DecodedText decodeFileText(std::string& bytes, int readSetting, int code) {
    DecodedText d;
    d.prepared = prepareFileText(bytes, readSetting);
    if (d.prepared.hasNul) replaceNuls(bytes);
    d.convert = convertText(bytes, d.prepared.utf16, readSetting, code);
    return d;
}

}  // namespace orvex::files
