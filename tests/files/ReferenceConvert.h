#pragma once
// The load conversion written out byte by byte, in the order the steps are
// taken, with no search, no in-place tricks and the "read again as EUC"
// case done by a second pass over the original bytes. EUC three-byte
// characters go through the same generated table as the pass. The optimised pass in
// files/DetectConvert.cpp must give exactly the same text, code, line-end
// type and line count for every input; the tests and the fuzz target
// compare the two.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/EucTriples.h"

namespace orvex::files::reference {

struct Result {
    std::string text;
    int code = 0;
    int lineEnd = 0;
    size_t lineCount = 1;
    size_t unreadable = 0;  // EUC three-byte characters read as "?"
};

inline bool lead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

inline uint16_t jisToSjis(unsigned j1, unsigned j2) {
    // Row pairs share a lead byte; odd rows take the low trail range.
    unsigned s1 = (j1 - 0x21) / 2 + 0x81;
    if (s1 > 0x9F) s1 += 0x40;
    unsigned s2;
    if ((j1 - 0x21) % 2 == 0) {
        s2 = j2 - 0x21 + 0x40;
        if (s2 >= 0x7F) ++s2;
    } else {
        s2 = j2 - 0x21 + 0x9F;
    }
    return static_cast<uint16_t>(s1 << 8 | s2);
}

inline Result onePass(const std::string& input, int setting, int code) {
    const size_t len = input.size();
    std::vector<uint8_t> b(input.begin(), input.end());
    b.resize(len + 8, 0);  // the terminator and room for look-aheads
    int c = code == 13 ? 3 : code;
    if (c < 0 || c > 4) c = 0;
    if (c == 0) {
        if (setting == 0) c = 1;
        if (setting == 2) c = 2;
        if (setting == 3) c = 3;
    }
    int s = 0;
    bool p = false, e = false;
    size_t n = 0;
    int t = 0;
    Result res;
    std::string& out = res.text;
    size_t i = 0;
    while (i < len) {
        uint8_t x = b[i];
        bool step5 = false;
        if (setting == 1 && c == 0) {
            const auto euc = [](uint8_t v) { return v >= 0xA1 && v <= 0xFE; };
            if (x == 0x8F && !p && i + 2 < len && euc(b[i + 1]) && euc(b[i + 2])) {
                // An EUC three-byte character: evidence of EUC; 0x8F takes
                // no part in the parity, the byte the walk crosses with it
                // counts once.
                e = true;
                p = true;
            } else if (x >= 0x80 && x <= 0xA0 && x != 0x8E) {
                c = 1;
                step5 = true;
            } else if (x > 0xA0 || x == 0x8E) {
                const bool pairStart = lead(x) && (b[i + 1] >= 0xA1 || b[i + 1] == 0x8E);
                if (p) {
                    p = false;
                    e = true;
                    if (pairStart) p = true;
                } else {
                    p = true;
                    if (pairStart) {
                        p = false;
                        e = true;
                    }
                }
            } else if (p) {
                c = 1;
                step5 = true;
            }
        }
        if (!step5) {
            if ((setting == 1 || setting == 2) && (c == 0 || c == 2)) {
                if (x == 0x1B) {
                    int m = 0, shift = 0;
                    bool dbl = false;
                    auto at = [&](size_t k, uint8_t v) { return i + k < len && b[i + k] == v; };
                    if (at(1, '$') && (at(2, 'B') || at(2, '@'))) m = 3, shift = 1, dbl = true;
                    else if (at(1, '$') && at(2, '(') && at(3, 'B')) m = 4, shift = 1, dbl = true;
                    else if (at(1, '(') && (at(2, 'B') || at(2, 'J'))) m = 3, shift = 0;
                    else if (at(1, '(') && at(2, 'I')) m = 3, shift = 2;
                    if (m) {
                        s = shift;
                        if (dbl) c = 2;
                        i += static_cast<size_t>(m);
                        continue;
                    }
                }
                if (s != 0) {
                    if (x < 0x21 || x >= 0x7F) {
                        s = 0;
                    } else if (s == 2) {
                        x = static_cast<uint8_t>(x | 0x80);
                    } else {
                        const uint8_t nx = b[i + 1];
                        if (nx < 0x21 || nx > 0x7E) {
                            s = 0;
                            continue;
                        }
                        const uint16_t sj = jisToSjis(x, nx);
                        out.push_back(static_cast<char>(sj >> 8));
                        out.push_back(static_cast<char>(sj & 0xFF));
                        i += 2;
                        continue;
                    }
                }
            } else if (c == 3) {
                const uint8_t nx = b[i + 1];
                if (x >= 0xA1 && x <= 0xFE && nx >= 0xA1 && nx <= 0xFE) {
                    const uint16_t sj = jisToSjis(x - 0x80u, nx - 0x80u);
                    out.push_back(static_cast<char>(sj >> 8));
                    out.push_back(static_cast<char>(sj & 0xFF));
                    i += 2;
                    continue;
                }
                if (x == 0x8E && nx >= 0xA1 && nx <= 0xDF) {
                    out.push_back(static_cast<char>(nx));
                    i += 2;
                    continue;
                }
                if (x == 0x8F && i + 2 < len && nx >= 0xA1 && nx <= 0xFE && b[i + 2] >= 0xA1 && b[i + 2] <= 0xFE) {
                    if (const uint16_t sj = euc::sjisOfTriple(nx, b[i + 2])) {
                        out.push_back(static_cast<char>(sj >> 8));
                        out.push_back(static_cast<char>(sj & 0xFF));
                    } else {
                        out.push_back('?');
                        ++res.unreadable;
                    }
                    i += 3;
                    continue;
                }
            }
        }
        // Line ends and the advance.
        if (x == 0x0D) {
            out.push_back('\r');
            ++i;
            if (i < len && b[i] == 0x0A) {
                while (i < len && b[i] == 0x0A) {
                    out.push_back('\n');
                    ++i;
                }
                t = 1;
            } else {
                t = 2;
            }
            ++n;
        } else if (x == 0x0A) {
            out.push_back('\r');
            ++i;
            t = 3;
            ++n;
        } else if (x == 0x0C) {
            out.push_back('\f');
            ++i;
            ++n;
        } else if (lead(x)) {
            if (i + 1 >= len) {
                ++i;
            } else {
                out.push_back(static_cast<char>(x));
                out.push_back(static_cast<char>(b[i + 1]));
                i += 2;
            }
        } else {
            out.push_back(static_cast<char>(x));
            ++i;
        }
    }
    res.code = setting == 1 && c == 0 && e ? 13 : c;
    res.lineEnd = t;
    res.lineCount = n + 1;
    return res;
}

// One pass, and a second one as EUC over the original bytes when the first
// asks for it.
inline Result convert(const std::string& input, int setting, int code) {
    Result r = onePass(input, setting, code);
    if (r.code == 13) r = onePass(input, setting, 13);
    return r;
}

}  // namespace orvex::files::reference
