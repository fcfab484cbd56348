#include "common/codepage/ShiftJis.h"

#include <initializer_list>

namespace orvex::sjis {

namespace {

constexpr auto makeByteClassTable() {
    struct Table {
        uint8_t v[256]{};
    } t;
    t.v[0x00] = kClassEndOfText;
    t.v[0x0C] = kClassLineEndCrFf;
    t.v[0x0D] = kClassLineEndCrFf;
    t.v[0x0A] = kClassLineEndLf;
    for (unsigned char c : {'!', '#', '$', '%', '&', '\'', '+', '=', '[', ']', '^', '`', '{', '}', '~'})
        t.v[c] = 0x08;
    for (unsigned c = '0'; c <= '9'; ++c) t.v[c] = 0x18;
    for (unsigned c = 'A'; c <= 'Z'; ++c) t.v[c] = 0x18;
    for (unsigned c = 'a'; c <= 'z'; ++c) t.v[c] = 0x18;
    for (unsigned char c : {'-', '.', '_', '@'}) t.v[c] = 0x18;
    for (unsigned char c : {'"', '*', ',', ';', '<', '>', '|'}) t.v[c] = 0x20;
    for (unsigned char c : {'/', ':', '?', '\\'}) t.v[c] = 0x28;
    return t;
}

constexpr auto kTable = makeByteClassTable();

}  // namespace

const uint8_t kByteClass[256] = {
#define ROW(i) kTable.v[i], kTable.v[i + 1], kTable.v[i + 2], kTable.v[i + 3], kTable.v[i + 4], kTable.v[i + 5], \
               kTable.v[i + 6], kTable.v[i + 7]
    ROW(0),   ROW(8),   ROW(16),  ROW(24),  ROW(32),  ROW(40),  ROW(48),  ROW(56),
    ROW(64),  ROW(72),  ROW(80),  ROW(88),  ROW(96),  ROW(104), ROW(112), ROW(120),
    ROW(128), ROW(136), ROW(144), ROW(152), ROW(160), ROW(168), ROW(176), ROW(184),
    ROW(192), ROW(200), ROW(208), ROW(216), ROW(224), ROW(232), ROW(240), ROW(248),
#undef ROW
};

int charClass(const uint8_t* p) {
    const uint8_t b = p[0];
    // The order of the tests matters: blank first, then word, then
    // half-width kana, then any other single byte, then double-byte rules.
    if (b == 0x20 || b == 0x09 || (b == 0x81 && p[1] == 0x40)) return kCharBlank;
    if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_') return kCharWord;
    if (isHalfWidthKana(b)) return kCharHalfKana;
    if (!isLeadByte(b)) return kCharOther;
    const uint8_t t = p[1];
    if (b == 0x82) return t <= 0x9A ? kCharFullAlnum : kCharHiragana;
    if (b == 0x83) return t <= 0x96 ? kCharKatakana : kCharFullSymbol;
    if (b == 0x81) {
        if (t == 0x4A || t == 0x4B || t == 0x5B) return kCharKatakana;
        if (t >= 0x52 && t <= 0x59) return kCharKanji;
        return kCharFullSymbol;
    }
    if (b >= 0x84 && b <= 0x87) return kCharFullSymbol;
    return kCharKanji;  // 0x88-0x9F and 0xE0-0xFC
}

}  // namespace orvex::sjis
