#include "common/codepage/PrivateCharTable.h"

#include "common/codepage/Cp932.h"
#include "common/codepage/ShiftJis.h"
#include "common/codepage/Utf8.h"

namespace orvex::cp932 {

namespace {

constexpr bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

void PrivateCharTable::clear() {
    m_chars.fill(0);
    m_taken.reset();
    m_codes.clear();
    m_size = 0;
    m_next = 0;
}

uint16_t PrivateCharTable::codeOf(char32_t ch) const {
    const auto it = m_codes.find(ch);
    return it == m_codes.end() ? 0 : it->second;
}

void PrivateCharTable::markUsedIn(std::string_view sjis) {
    const auto* p = reinterpret_cast<const uint8_t*>(sjis.data());
    const size_t n = sjis.size();
    for (size_t i = 0; i < n;) {
        const uint8_t b = p[i];
        if (!sjis::isLeadByte(b)) {
            ++i;
            continue;
        }
        if (i + 1 < n && b >= 0xF0 && b <= 0xF9) {
            const auto code = static_cast<uint16_t>(b << 8 | p[i + 1]);
            if (charOf(code) == kNoChar) markUsed(code);
        }
        i += 2;
    }
}

bool PrivateCharTable::adoptShiftJis(std::string& sjis) {
    bool ok = true;
    size_t w = 0;
    for (size_t i = 0; i < sjis.size();) {
        const auto b = static_cast<uint8_t>(sjis[i]);
        if (!sjis::isLeadByte(b) || i + 1 >= sjis.size()) {
            sjis[w++] = sjis[i++];
            continue;
        }
        auto code = static_cast<uint16_t>(b << 8 | static_cast<uint8_t>(sjis[i + 1]));
        i += 2;
        if (b >= 0xF0 && b <= 0xF9 && isAreaCode(code)) {
            if (charOf(code) != kNoChar) {
                const uint16_t u = decodePair(b, static_cast<uint8_t>(code));
                code = u == kNoUnicode ? 0 : allocate(u);
                if (code == 0) {
                    ok = false;
                    sjis[w++] = '?';
                    continue;
                }
            } else {
                markUsed(code);
            }
        }
        sjis[w++] = static_cast<char>(code >> 8);
        sjis[w++] = static_cast<char>(code & 0xFF);
    }
    sjis.resize(w);
    return ok;
}

void PrivateCharTable::refreshFromText() {
    if (m_textSource) markUsedIn(m_textSource());
}

uint16_t PrivateCharTable::allocate(char32_t ch) {
    if (const uint16_t code = codeOf(ch)) return code;
    while (m_next < kCapacity && m_taken.test(m_next)) ++m_next;
    if (m_next >= kCapacity) return 0;
    const uint16_t code = codeAt(static_cast<int>(m_next));
    m_chars[m_next] = ch;
    m_taken.set(m_next);
    m_codes.emplace(ch, code);
    ++m_size;
    return code;
}

char32_t PrivateCharTable::toUnicode(uint16_t code) const {
    if (code < 0x100) {
        const uint16_t u = decodeSingle(static_cast<uint8_t>(code));
        return u == kNoUnicode ? kNoChar : u;
    }
    if (m_size != 0) {
        const char32_t held = charOf(code);
        if (held != kNoChar) return held;
    }
    const uint16_t u = decodePair(static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code));
    return u == kNoUnicode ? kNoChar : u;
}

uint16_t PrivateCharTable::lookupSjis(char32_t ch) const {
    if (ch < 0x10000 && !isSurrogate(ch)) {
        const uint16_t s = exactEncodeTableData()[ch];
        if (s != kNoSjis && (s < 0xF000 || charOf(s) == kNoChar)) return s;
    }
    return codeOf(ch);
}

uint16_t PrivateCharTable::toSjis(char32_t ch) {
    if (ch < 0x10000 && !isSurrogate(ch)) {
        const uint16_t s = exactEncodeTableData()[ch];
        if (s != kNoSjis) {
            const int i = s >= 0xF000 ? indexOf(s) : -1;
            if (i < 0) return s;
            if (m_chars[static_cast<size_t>(i)] == 0) {
                m_taken.set(static_cast<size_t>(i));  // the text uses it as itself
                return s;
            }
            // Held for another character: this one gets an entry of its own.
        }
    }
    return allocate(ch);
}

namespace {

// The characters of Shift JIS text through a table, one call each: bytes
// with no character (a lead byte at the end, undefined codes) give the
// replacement.
template <class Emit>
void forEachChar(const PrivateCharTable& table, std::string_view sjis, char32_t replacement, Emit&& emit) {
    const auto* p = reinterpret_cast<const uint8_t*>(sjis.data());
    const size_t n = sjis.size();
    for (size_t i = 0; i < n;) {
        const uint8_t b = p[i];
        if (b < 0x80) {
            emit(char32_t(b));
            ++i;
            continue;
        }
        uint16_t code = b;
        if (sjis::isLeadByte(b)) {
            if (i + 1 >= n) {
                emit(replacement);
                break;
            }
            code = static_cast<uint16_t>(b << 8 | p[i + 1]);
            i += 2;
        } else {
            ++i;
        }
        const char32_t c = table.toUnicode(code);
        emit(c == PrivateCharTable::kNoChar ? replacement : c);
    }
}

}  // namespace

std::u16string PrivateCharTable::toUtf16(std::string_view sjis, char32_t replacement) const {
    std::u16string out;
    out.reserve(sjis.size());
    forEachChar(*this, sjis, replacement, [&out](char32_t c) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    });
    return out;
}

std::string PrivateCharTable::toUtf8(std::string_view sjis, char32_t replacement) const {
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    uint8_t buf[4];
    forEachChar(*this, sjis, replacement, [&](char32_t c) {
        // A held lone surrogate has no UTF-8 form.
        if (isSurrogate(c)) c = replacement;
        out.append(reinterpret_cast<const char*>(buf), static_cast<size_t>(utf8::encode(c, buf)));
    });
    return out;
}

// next(ch) reads the next character into ch: 1 for a character, -1 for an
// ill-formed sequence, 0 at the end.
template <class Next>
PrivateCharTable::FromUnicode PrivateCharTable::fromUnicode(Next next, size_t sizeHint, bool allocateNew) {
    FromUnicode r;
    r.text.reserve(sizeHint);
    bool refreshed = false;
    char32_t ch = 0;
    for (int k; (k = next(ch)) != 0;) {
        if (k < 0) {
            r.text.push_back('?');
            ++r.invalid;
            continue;
        }
        uint16_t code = lookupSjis(ch);
        if (code == 0 && allocateNew) {
            if (!refreshed) {
                refreshFromText();
                refreshed = true;
            }
            code = toSjis(ch);
            if (code == 0) ++r.lost;
        } else if (code == 0) {
            // A search string may still find the nearest code page 932
            // character (¢ finds ￠).
            if (ch < 0x10000 && !isSurrogate(ch)) {
                const uint16_t nearest = encodeUnit(static_cast<char16_t>(ch));
                if (nearest != kNoSjis) code = nearest;
            }
            if (code == 0) ++r.invalid;
        } else if (code >= 0xF000 && allocateNew) {
            markUsed(code);  // a private-use character as itself
        }
        if (code == 0) {
            r.text.push_back('?');
        } else if (code < 0x100) {
            r.text.push_back(static_cast<char>(code));
        } else {
            r.text.push_back(static_cast<char>(code >> 8));
            r.text.push_back(static_cast<char>(code & 0xFF));
        }
    }
    return r;
}

PrivateCharTable::FromUnicode PrivateCharTable::fromUtf16(std::u16string_view s, bool allocateNew) {
    size_t i = 0;
    return fromUnicode(
        [&](char32_t& ch) {
            if (i >= s.size()) return 0;
            const char16_t u = s[i++];
            if (u >= 0xD800 && u <= 0xDBFF && i < s.size() && s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
                ch = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (s[i++] - 0xDC00);
            } else {
                ch = u;  // a lone surrogate too
            }
            return 1;
        },
        s.size() * 2, allocateNew);
}

PrivateCharTable::FromUnicode PrivateCharTable::fromUtf8(std::string_view s, bool allocateNew) {
    const auto* p = reinterpret_cast<const uint8_t*>(s.data());
    size_t i = 0;
    return fromUnicode(
        [&](char32_t& ch) {
            if (i >= s.size()) return 0;
            const int len = utf8::decode(p + i, s.size() - i, ch);
            i += len > 0 ? static_cast<size_t>(len) : 1;
            return len > 0 ? 1 : -1;
        },
        s.size(), allocateNew);
}

}  // namespace orvex::cp932
