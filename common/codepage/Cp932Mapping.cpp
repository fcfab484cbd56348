#include "common/codepage/Cp932Mapping.h"

#include <array>
#include <string>
#include <vector>

#include "common/codepage/Cp932.h"

namespace orvex::cp932 {

namespace {

// Full-width forms of the half-width katakana and punctuation 0xA1-0xDF.
constexpr uint16_t kHalfKanaToFull[63] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342,  // ｡｢｣､･ｦｧｨ
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B,  // ｩｪｫｬｭｮｯｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,  // ｱｲｳｴｵｶｷｸ
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E,  // ｹｺｻｼｽｾｿﾀ
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C,  // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,  // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A,  // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,          // ﾙﾚﾛﾜﾝﾞﾟ
};

// Voicing of the 86 kana positions (ァ at 0 .. ヶ at 85).
constexpr auto makeVoicing() {
    struct T {
        Voicing v[86]{};
    } t;
    // Positions of カ..ト (the voiced ones follow their base: ガ = カ + 1).
    for (int base : {10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 35, 37, 39}) t.v[base + 1] = Voicing::Voiced;
    // ハ ヒ フ ヘ ホ: + 1 voiced, + 2 semi-voiced.
    for (int base : {46, 49, 52, 55, 58}) {
        t.v[base + 1] = Voicing::Voiced;
        t.v[base + 2] = Voicing::SemiVoiced;
    }
    t.v[83] = Voicing::Voiced;  // ヴ
    return t;
}
constexpr auto kVoicing = makeVoicing();

// Half-width base of a katakana position, built from the table above and
// the voicing (ガ shares ｶ with カ, パ and バ share ﾊ with ハ, ヴ takes ｳ).
struct KanaToHalf {
    int16_t half[86];
    constexpr KanaToHalf() : half{} {
        for (auto& h : half) h = -1;
        for (int i = 0; i < 63; ++i) {
            uint16_t full = kHalfKanaToFull[i];
            if (full >= 0x8340 && full <= 0x8396) half[katakanaPos(full)] = static_cast<int16_t>(0xA1 + i);
        }
        for (int p = 0; p < 86; ++p) {
            if (kVoicing.v[p] == Voicing::Voiced && half[p] < 0) half[p] = p == 83 ? half[katakanaPos(0x8345)] : half[p - 1];
            if (kVoicing.v[p] == Voicing::SemiVoiced && half[p] < 0) half[p] = half[p - 2];
        }
    }
    static constexpr int katakanaPos(uint16_t code) {
        int trail = code & 0xFF;
        return trail < 0x7F ? trail - 0x40 : trail - 0x41;
    }
};
constexpr KanaToHalf kKanaToHalf;

// The Western repair texts of the bytes 0x80-0xFF, written in UTF-8 and
// converted to Shift JIS once.
constexpr const char* kWesternRepairUtf8[128] = {
    " ", " ", ",", "f", ",,", "...", "†", "‡", "^", "‰", "S", "<", "(E", " ", " ", " ",         // 80-8F
    " ", "'", "'", "\"", "\"", "・", "-", "--", "~", "TM", "s", ">", "OE", " ", " ", "Y",        // 90-9F
    " ", "i", "￠", "￡", "〇", "￥", "｜", "§", "‥", "(C)", "a", "《", "-", "-", "(R)", "￣",      // A0-AF
    "〇", "±", "2", "3", "′", "μ", "¶", "・", "，", "1", "0", "》", "1/4", "1/2", "3/4", "?",     // B0-BF
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",             // C0-CF
    "D", "N", "O", "O", "O", "O", "O", "X", "φ", "U", "U", "U", "U", "Y", "ｐ", "β",             // D0-DF
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",             // E0-EF
    "o", "n", "o", "o", "o", "o", "o", "÷", "φ", "u", "u", "u", "u", "y", "p", "y",              // F0-FF
};

}  // namespace

bool isUpperLetter(uint16_t code) { return (code >= 'A' && code <= 'Z') || (code >= 0x8260 && code <= 0x8279); }
bool isLowerLetter(uint16_t code) { return (code >= 'a' && code <= 'z') || (code >= 0x8281 && code <= 0x829A); }

uint16_t toUpper(uint16_t code) {
    if (code >= 'a' && code <= 'z') return code - 0x20;
    if (code >= 0x8281 && code <= 0x829A) return code - 0x21;
    return code;
}

uint16_t toLower(uint16_t code) {
    if (code >= 'A' && code <= 'Z') return code + 0x20;
    if (code >= 0x8260 && code <= 0x8279) return code + 0x21;
    return code;
}

int katakanaPosition(uint16_t code) {
    if (code < 0x8340 || code > 0x8396 || code == 0x837F) return -1;
    return KanaToHalf::katakanaPos(code);
}

int hiraganaPosition(uint16_t code) {
    if (code < 0x829F || code > 0x82F1) return -1;
    return code - 0x829F;
}

uint16_t katakanaAt(int position) {
    if (position < 0 || position >= 86) return 0;
    return static_cast<uint16_t>(position < 63 ? 0x8340 + position : 0x8341 + position);
}

uint16_t hiraganaAt(int position) {
    if (position < 0 || position > 0x82F1 - 0x829F) return 0;
    return static_cast<uint16_t>(0x829F + position);
}

Voicing kanaVoicing(int position) {
    if (position < 0 || position >= 86) return Voicing::None;
    return kVoicing.v[position];
}

namespace {

int computeSingleByte(uint16_t code) {
    if (code < 0x100) return -1;
    if (code == 0x8140) return 0x20;
    int pos = katakanaPosition(code);
    if (pos < 0) pos = hiraganaPosition(code);
    if (pos >= 0) return kKanaToHalf.half[pos];
    for (int i = 0; i < 63; ++i)
        if (kHalfKanaToFull[i] == code) return 0xA1 + i;  // punctuation and the marks
    // Full-width ASCII: U+FF01-U+FF5E correspond to 0x21-0x7E.
    uint16_t u = decodePair(static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code & 0xFF));
    if (u >= 0xFF01 && u <= 0xFF5E) return u - 0xFEE0;
    return -1;
}

uint16_t computeFullWidth(uint8_t b) {
    if (b == 0x20) return 0x8140;
    if (b > 0x20 && b < 0x7F) {
        uint16_t s = encodeUnit(static_cast<char16_t>(b + 0xFEE0));
        return s == kNoSjis ? 0 : s;
    }
    if (b >= 0xA1 && b <= 0xDF) return kHalfKanaToFull[b - 0xA1];
    return 0;
}

}  // namespace

// The conversions run once per character over whole documents: both
// mappings are looked up in tables computed on first use.
const SingleByteTable& singleByteTable() {
    // Few lead bytes have codes with single-byte forms (symbols, full-width
    // Latin, kana, and the IBM and NEC extension rows that hold a second
    // code of a full-width symbol): a row of 256 entries for each of them.
    static const SingleByteTable table = [] {
        SingleByteTable t;
        t.rowOf.fill(-1);
        for (uint32_t lead = 0x81; lead <= 0xFC; ++lead) {
            std::array<int16_t, 256> row{};
            bool any = false;
            for (uint32_t trail = 0; trail < 256; ++trail) {
                row[trail] = int16_t(computeSingleByte(uint16_t(lead << 8 | trail)));
                any = any || row[trail] >= 0;
            }
            if (!any) continue;
            t.rowOf[lead] = int8_t(t.rows.size());
            t.rows.push_back(row);
        }
        return t;
    }();
    return table;
}

int toSingleByte(uint16_t code) { return singleByteTable().lookup(code); }

uint16_t toFullWidth(uint8_t b) {
    static const std::array<uint16_t, 256> table = [] {
        std::array<uint16_t, 256> t{};
        for (int c = 0; c < 256; ++c) t[size_t(c)] = computeFullWidth(uint8_t(c));
        return t;
    }();
    return table[b];
}

std::string_view westernRepair(uint8_t b) {
    static const std::array<std::string, 128> texts = [] {
        std::array<std::string, 128> t;
        for (size_t i = 0; i < t.size(); ++i) t[i] = fromUtf8(kWesternRepairUtf8[i]);
        return t;
    }();
    return b < 0x80 ? std::string_view() : std::string_view(texts[b - 0x80]);
}

}  // namespace orvex::cp932
