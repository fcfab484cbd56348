#include "transform/CharConvert.h"

#include <cstdint>

#include "common/codepage/Cp932Mapping.h"
#include "common/codepage/SjisWalk.h"

namespace orvex::transform {

namespace {

constexpr uint8_t kVoicedMark = 0xDE;
constexpr uint8_t kSemiVoicedMark = 0xDF;
constexpr uint16_t kFullBlank = 0x8140;
constexpr uint16_t kFullVu = 0x8394;       // ヴ
constexpr uint16_t kFullU = 0x8345;        // ウ
constexpr uint16_t kKatakanaFirst = 0x8340;
constexpr uint16_t kKatakanaLast = 0x8396;

// Output written through a pointer into a buffer sized for the worst case
// (three bytes out for one byte in), trimmed at the end.
struct Writer {
    char* w;
    void byte(uint8_t b) { *w++ = char(b); }
    void code(uint16_t c) {
        if (c > 0xFF) *w++ = char(c >> 8);
        *w++ = char(c & 0xFF);
    }
    void copy(const uint8_t* p, size_t n) {
        for (size_t k = 0; k < n; ++k) *w++ = char(p[k]);
    }
    void text(std::string_view s) { copy(reinterpret_cast<const uint8_t*>(s.data()), s.size()); }
};

int kanaPosition(uint16_t code) {
    const int k = cp932::katakanaPosition(code);
    return k >= 0 ? k : cp932::hiraganaPosition(code);
}

// Katakana (and the three marks) that the katakana-only mode converts.
bool halfKanaModeTakes(uint16_t code) {
    return (code >= kKatakanaFirst && code <= kKatakanaLast) || code == 0x814A || code == 0x814B || code == 0x815B;
}

void toHalf(Writer& out, const uint8_t* p, ConvertMode mode) {
    const uint16_t code = uint16_t(p[0] << 8 | p[1]);
    const int single = cp932::toSingleByte(code);
    if (single < 0) return out.copy(p, 2);
    if (single >= 0x80) {
        // A half-width katakana or mark.
        if (mode == ConvertMode::HalfLatin || mode == ConvertMode::HalfBlank) return out.copy(p, 2);
        if (mode == ConvertMode::HalfKana && !halfKanaModeTakes(code)) return out.copy(p, 2);
        out.byte(uint8_t(single));
        switch (cp932::kanaVoicing(kanaPosition(code))) {
            case cp932::Voicing::Voiced: out.byte(kVoicedMark); break;
            case cp932::Voicing::SemiVoiced: out.byte(kSemiVoicedMark); break;
            case cp932::Voicing::None: break;
        }
        return;
    }
    const bool take = mode == ConvertMode::HalfAll || mode == ConvertMode::HalfLatin || single == 0x20;
    if (take) out.byte(uint8_t(single));
    else out.copy(p, 2);
}

// Full-width form of the half-width kana `full` followed by a sound mark:
// the voiced (or semi-voiced) kana when the code page has one, else 0 (the
// mark then stands on its own, so that no other kana is made up).
uint16_t combineMark(uint16_t full, uint8_t mark) {
    if (mark == kVoicedMark && full == kFullU) return kFullVu;
    const uint16_t combined = uint16_t(full + (mark == kVoicedMark ? 1 : 2));
    const int pos = cp932::katakanaPosition(combined);
    if (pos < 0 || cp932::katakanaPosition(full) < 0) return 0;
    const cp932::Voicing want = mark == kVoicedMark ? cp932::Voicing::Voiced : cp932::Voicing::SemiVoiced;
    return cp932::kanaVoicing(pos) == want ? combined : 0;
}

uint16_t katakanaToHiragana(uint16_t code) {
    if (code < kKatakanaFirst || code > 0x8393) return code;  // ヴ ヵ ヶ stay katakana
    return uint16_t(code <= 0x837E ? code - 0xA1 : code - 0xA2);
}

}  // namespace

std::string convertText(std::string_view text, ConvertMode mode) {
    const auto* p = reinterpret_cast<const uint8_t*>(text.data());
    const size_t n = text.size();
    std::string buffer(n * 3 + 1, '\0');
    Writer out{buffer.data()};
    const bool toHalfWidth = mode == ConvertMode::HalfAll || mode == ConvertMode::HalfLatin ||
                             mode == ConvertMode::HalfBlank || mode == ConvertMode::HalfKana;
    for (size_t i = 0; i < n;) {
        if (mode == ConvertMode::WesternRepair) {
            if (p[i] < 0x80) out.byte(p[i]);
            else out.text(cp932::westernRepair(p[i]));
            ++i;
            continue;
        }
        const int len = sjis::stepWithin(p + i, ptrdiff_t(n - i));
        if (toHalfWidth) {
            if (len == 2) toHalf(out, p + i, mode);
            else out.byte(p[i]);
        } else if (mode == ConvertMode::Upper || mode == ConvertMode::Lower) {
            const uint16_t code = len == 2 ? uint16_t(p[i] << 8 | p[i + 1]) : p[i];
            out.code(mode == ConvertMode::Upper ? cp932::toUpper(code) : cp932::toLower(code));
        } else {
            const uint8_t b = p[i];
            uint16_t full = 0;
            if (len == 1) {
                if (mode == ConvertMode::FullBlank) full = b == 0x20 ? kFullBlank : 0;
                else if (mode == ConvertMode::FullAll || b >= 0x80) full = cp932::toFullWidth(b);
            }
            if (full == 0) {
                out.copy(p + i, size_t(len));
            } else {
                if (sjis::isHalfWidthKana(b) && i + 1 < n && (p[i + 1] == kVoicedMark || p[i + 1] == kSemiVoicedMark)) {
                    if (const uint16_t c = combineMark(full, p[i + 1])) {
                        full = c;
                        ++i;  // the mark is consumed
                    }
                }
                if (mode == ConvertMode::FullHiragana) full = katakanaToHiragana(full);
                out.code(full);
            }
        }
        i += size_t(len);
    }
    buffer.resize(size_t(out.w - buffer.data()));
    return buffer;
}

size_t unitLength(std::string_view text, size_t at, ConvertMode mode) {
    const auto* p = reinterpret_cast<const uint8_t*>(text.data());
    const size_t n = text.size();
    const int len = sjis::stepWithin(p + at, ptrdiff_t(n - at));
    if (mode != ConvertMode::WesternRepair && len == 1 && sjis::isHalfWidthKana(p[at]) && at + 1 < n &&
        (p[at + 1] == kVoicedMark || p[at + 1] == kSemiVoicedMark))
        return 2;
    return size_t(len);
}

}  // namespace orvex::transform
