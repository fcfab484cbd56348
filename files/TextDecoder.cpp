#include "files/TextDecoder.h"

#include <cstring>
#include <optional>

#include "common/codepage/Utf8.h"
#include "files/UnicodeInput.h"

namespace orvex::files {

namespace {

inline uint8_t* bytesOf(std::string& s) { return reinterpret_cast<uint8_t*>(s.data()); }

}  // namespace

namespace {

// The form a byte-order mark or the read setting gives, before any look at
// the text itself.
FileForm markedFormOf(const uint8_t* bytes, size_t len, int readSetting) {
    FileForm form;
    const bool detect = readSetting == kReadDetect;
    const bool utf8Bom = len >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
    if (readSetting == kReadUtf8 || (detect && utf8Bom)) {
        form.code = kCodeUtf8;
        form.bom = utf8Bom;
        return form;
    }
    if ((detect || readSetting == kReadUtf16) && len >= 2) {
        if (bytes[0] == 0xFF && bytes[1] == 0xFE) {
            form.code = kCodeUtf16;
        } else if (bytes[0] == 0xFE && bytes[1] == 0xFF) {
            form.code = kCodeUtf16;
            form.bigEndian = true;
        }
    }
    return form;
}

}  // namespace

FileForm unicodeFormOf(const uint8_t* bytes, size_t len, int readSetting) {
    FileForm form = markedFormOf(bytes, len, readSetting);
    if (form.code == kCodeUndetermined && readSetting == kReadDetect && utf8::isNonAsciiUtf8(bytes, len))
        form.code = kCodeUtf8;
    return form;
}

bool isUtf16File(const uint8_t* bytes, size_t len, int readSetting) {
    return unicodeFormOf(bytes, len, readSetting).code == kCodeUtf16;
}

size_t convertUtf16Input(uint8_t* buf, size_t len) { return convertUtf16Input(buf, len, false, nullptr).length; }

PreparedText prepareFileText(uint8_t* buf, size_t& len, int readSetting, cp932::PrivateCharTable* table) {
    PreparedText prep;
    prep.form = markedFormOf(buf, len, readSetting);
    if (prep.form.code == kCodeUndetermined && readSetting == kReadDetect) {
        // Text without a mark: UTF-8 when well-formed with a high byte.
        // With a table the check and the conversion are one pass.
        if (table) {
            if (const std::optional<UnicodeInput> in = convertIfUtf8(buf, len, *table)) {
                prep.form.code = kCodeUtf8;
                len = in->length;
                prep.lost = in->lost;
            }
        } else if (utf8::isNonAsciiUtf8(buf, len)) {
            prep.form.code = kCodeUtf8;
            const UnicodeInput in = convertUtf8Input(buf, len, 0, nullptr);
            len = in.length;
            prep.lost = in.lost;
        }
    } else if (prep.form.code != kCodeUndetermined) {
        const UnicodeInput in = prep.form.code == kCodeUtf16
                                    ? convertUtf16Input(buf, len, prep.form.bigEndian, table)
                                    : convertUtf8Input(buf, len, prep.form.bom ? 3 : 0, table);
        len = in.length;
        prep.unreadable = in.unreadable;
        prep.lost = in.lost;
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

PreparedText prepareFileText(std::string& bytes, int readSetting, cp932::PrivateCharTable* table) {
    size_t len = bytes.size();
    const PreparedText prep = prepareFileText(bytesOf(bytes), len, readSetting, table);
    bytes.resize(len);
    return prep;
}

void replaceNuls(char* p, size_t len) {
    char* const end = p + len;
    while ((p = static_cast<char*>(std::memchr(p, 0, static_cast<size_t>(end - p)))) != nullptr) *p++ = ' ';
}

void replaceNuls(std::string& text) { replaceNuls(text.data(), text.size()); }

ConvertResult convertText(uint8_t* buf, size_t len, int unicodeCode, int readSetting, int code) {
    if (unicodeCode == kCodeUtf16 || unicodeCode == kCodeUtf8) return scanLineEnds(buf, len, unicodeCode);
    ConvertResult r = detectAndConvert(buf, len, readSetting, code);
    if (r.code == kCodeReadAgainAsEuc) r = detectAndConvert(buf, len, readSetting, kCodeReadAgainAsEuc);
    return r;
}

ConvertResult convertText(std::string& text, int unicodeCode, int readSetting, int code) {
    const ConvertResult r = convertText(bytesOf(text), text.size(), unicodeCode, readSetting, code);
    text.resize(r.length);
    return r;
}

ConvertResult convertText(uint8_t* buf, size_t len, const PreparedText& prepared, int readSetting) {
    ConvertResult r = convertText(buf, len, prepared.form.code, readSetting);
    r.unreadable += prepared.unreadable;
    return r;
}

ConvertResult convertText(std::string& text, const PreparedText& prepared, int readSetting) {
    const ConvertResult r = convertText(bytesOf(text), text.size(), prepared, readSetting);
    text.resize(r.length);
    return r;
}

DecodedText decodeFileText(std::string& bytes, int readSetting, int code, cp932::PrivateCharTable* table) {
    DecodedText d;
    d.prepared = prepareFileText(bytes, readSetting, table);
    if (d.prepared.hasNul) replaceNuls(bytes);
    d.convert = d.prepared.unicode() ? convertText(bytes, d.prepared, readSetting)
                                     : convertText(bytes, 0, readSetting, code);
    return d;
}

}  // namespace orvex::files
