#include "transform/CharConvert.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

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

// Output written through a pointer into a small buffer sized for the worst
// case of one chunk of input (three bytes out for one byte in), appended to
// the result chunk by chunk: no byte of the result is written twice and no
// large buffer is cleared first.
struct Writer {
    static constexpr size_t kChunk = 8192;  // input bytes per flush, at most (+1 for a kana with its mark)
    std::string& result;
    char buffer[kChunk * 3 + 16];
    // Appends the buffer up to w to the result; the next writes start at
    // the buffer's start again.
    char* flush(char* w) {
        result.append(buffer, size_t(w - buffer));
        return buffer;
    }
};

// Writes through a cursor held in a local variable of the loop: a store
// through a char pointer may alias anything, so a cursor kept in memory
// would be reloaded after every byte.
struct Cursor {
    char*& w;
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

// The half-width form of every double-byte code that has one, with its
// sound mark: built once from the code page's mappings and the voicing
// table, so that the loop makes one look-up per character.
struct HalfForms {
    std::array<int8_t, 256> rowOf{};
    std::vector<std::array<uint16_t, 256>> rows;  // 0 none, else byte | mark << 8
    HalfForms() {
        const cp932::SingleByteTable& single = cp932::singleByteTable();
        rowOf = single.rowOf;
        rows.resize(single.rows.size());
        for (int lead = 0; lead < 256; ++lead) {
            if (rowOf[size_t(lead)] < 0) continue;
            auto& row = rows[size_t(rowOf[size_t(lead)])];
            for (int t = 0; t < 256; ++t) {
                const uint16_t code = uint16_t(lead << 8 | t);
                const int b = single.lookup(code);
                if (b < 0) {
                    row[size_t(t)] = 0;
                    continue;
                }
                uint16_t mark = 0;
                if (b >= 0x80) {
                    const cp932::Voicing v = cp932::kanaVoicing(kanaPosition(code));
                    mark = v == cp932::Voicing::Voiced ? kVoicedMark : v == cp932::Voicing::SemiVoiced ? kSemiVoicedMark : 0;
                }
                row[size_t(t)] = uint16_t(b | mark << 8);
            }
        }
    }
    uint16_t lookup(uint16_t code) const {
        const int row = rowOf[code >> 8];
        return row < 0 ? 0 : rows[size_t(row)][code & 0xFF];
    }
};

const HalfForms& halfForms() {
    static const HalfForms forms;
    return forms;
}

inline void toHalf(Cursor out, const uint8_t* p, ConvertMode mode, const HalfForms& forms) {
    if (!cp932::leadHasSingleByteForms(p[0])) return out.copy(p, 2);
    const uint16_t code = uint16_t(p[0] << 8 | p[1]);
    const uint16_t form = forms.lookup(code);
    if (form == 0) return out.copy(p, 2);
    const uint8_t single = uint8_t(form & 0xFF);
    if (single >= 0x80) {
        // A half-width katakana or mark.
        if (mode == ConvertMode::HalfLatin || mode == ConvertMode::HalfBlank) return out.copy(p, 2);
        if (mode == ConvertMode::HalfKana && !halfKanaModeTakes(code)) return out.copy(p, 2);
        out.byte(single);
        if (form >> 8) out.byte(uint8_t(form >> 8));
        return;
    }
    const bool take = mode == ConvertMode::HalfAll || mode == ConvertMode::HalfLatin || single == 0x20;
    if (take) out.byte(single);
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

namespace {

// The loop of one mode; the mode is a template argument so that each loop
// carries only its own tests.
template <ConvertMode kMode>
void convertLoop(const uint8_t* p, size_t n, Writer& writer) {
    char* w = writer.buffer;
    Cursor out{w};
    const HalfForms& forms = halfForms();
    constexpr bool kToHalf = kMode == ConvertMode::HalfAll || kMode == ConvertMode::HalfLatin ||
                             kMode == ConvertMode::HalfBlank || kMode == ConvertMode::HalfKana;
    constexpr bool kCase = kMode == ConvertMode::Upper || kMode == ConvertMode::Lower;
    size_t flushAt = Writer::kChunk;
    for (size_t i = 0; i < n;) {
        if (i >= flushAt) {
            w = writer.flush(w);
            flushAt = i + Writer::kChunk;
        }
        if constexpr (kMode == ConvertMode::WesternRepair) {
            if (p[i] < 0x80) out.byte(p[i]);
            else out.text(cp932::westernRepair(p[i]));
            ++i;
            continue;
        }
        const int len = sjis::stepWithin(p + i, ptrdiff_t(n - i));
        if constexpr (kToHalf) {
            if (len == 2) toHalf(out, p + i, kMode, forms);
            else out.byte(p[i]);
        } else if constexpr (kCase) {
            const uint16_t code = len == 2 ? uint16_t(p[i] << 8 | p[i + 1]) : p[i];
            out.code(kMode == ConvertMode::Upper ? cp932::toUpper(code) : cp932::toLower(code));
        } else {
            const uint8_t b = p[i];
            uint16_t full = 0;
            if (len == 1) {
                if constexpr (kMode == ConvertMode::FullBlank) full = b == 0x20 ? kFullBlank : 0;
                else if (kMode == ConvertMode::FullAll || b >= 0x80) full = cp932::toFullWidth(b);
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
                if constexpr (kMode == ConvertMode::FullHiragana) full = katakanaToHiragana(full);
                out.code(full);
            }
        }
        i += size_t(len);
    }
    writer.flush(w);
}

}  // namespace

std::string convertText(std::string_view text, ConvertMode mode) {
    const auto* p = reinterpret_cast<const uint8_t*>(text.data());
    const size_t n = text.size();
    std::string result;
    // The result's size at most: twice the text to full width, three times
    // for the Western repair, the text's own size otherwise.
    const bool toFull = mode == ConvertMode::FullAll || mode == ConvertMode::FullHiragana ||
                        mode == ConvertMode::FullKatakana || mode == ConvertMode::FullBlank;
    result.reserve(mode == ConvertMode::WesternRepair ? 3 * n + 16 : toFull ? 2 * n + 16 : n + 16);
    auto out = std::make_unique<Writer>(result);  // on the heap: its buffer is 24 KiB
    switch (mode) {
        case ConvertMode::Upper: convertLoop<ConvertMode::Upper>(p, n, *out); break;
        case ConvertMode::Lower: convertLoop<ConvertMode::Lower>(p, n, *out); break;
        case ConvertMode::HalfAll: convertLoop<ConvertMode::HalfAll>(p, n, *out); break;
        case ConvertMode::HalfLatin: convertLoop<ConvertMode::HalfLatin>(p, n, *out); break;
        case ConvertMode::HalfBlank: convertLoop<ConvertMode::HalfBlank>(p, n, *out); break;
        case ConvertMode::HalfKana: convertLoop<ConvertMode::HalfKana>(p, n, *out); break;
        case ConvertMode::FullAll: convertLoop<ConvertMode::FullAll>(p, n, *out); break;
        case ConvertMode::FullHiragana: convertLoop<ConvertMode::FullHiragana>(p, n, *out); break;
        case ConvertMode::FullKatakana: convertLoop<ConvertMode::FullKatakana>(p, n, *out); break;
        case ConvertMode::FullBlank: convertLoop<ConvertMode::FullBlank>(p, n, *out); break;
        case ConvertMode::WesternRepair: convertLoop<ConvertMode::WesternRepair>(p, n, *out); break;
    }
    return result;
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
