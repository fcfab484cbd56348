#include "orxmac/StringBuiltins.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/codepage/Cp932.h"
#include "common/codepage/SjisWalk.h"
#include "orxmac/BuiltinRegistry.h"
#include "orxmac/MacroError.h"
#include "orxmac/MacroInterpreter.h"

namespace orvex::orxmac {

namespace {

// The length of the character at s[i] (a lead byte at the end stands alone).
size_t charLength(std::string_view s, size_t i) {
    return size_t(sjis::plainStepWithin(s.data() + i, ptrdiff_t(s.size() - i)));
}

// The character at s[i] as a code (lead * 256 + trail for a double-byte one).
int32_t charCode(std::string_view s, size_t i, size_t len) {
    const auto b = uint8_t(s[i]);
    return len == 2 ? int32_t(b) * 256 + uint8_t(s[i + 1]) : int32_t(b);
}

// A code as bytes: one byte, or lead and trail.
std::string codeBytes(int32_t c) {
    if (c > 0xFF && c <= 0xFFFF) return {char(c >> 8), char(c & 0xFF)};
    return std::string(1, char(c & 0xFF));
}

// The Unicode character of a double-byte code, 0 when it is none.
char16_t wide(int32_t c) {
    if (c <= 0xFF || c > 0xFFFF) return 0;
    const uint8_t bytes[2] = {uint8_t(c >> 8), uint8_t(c & 0xFF)};
    if (sjis::plainCharLength(bytes[0]) != 2) return 0;
    char16_t u = 0;
    if (cp932::toUtf16(bytes, 2, &u, 0) != 1) return 0;
    return u;
}

bool asciiIn(int32_t c, CharClass cls) {
    const bool upper = c >= 'A' && c <= 'Z', lower = c >= 'a' && c <= 'z', digit = c >= '0' && c <= '9';
    const bool space = c == ' ' || (c >= 0x09 && c <= 0x0D);
    const bool print = c >= 0x20 && c < 0x7F;
    switch (cls) {
    case CharClass::Alpha: return upper || lower;
    case CharClass::Upper: return upper;
    case CharClass::Lower: return lower;
    case CharClass::Digit: return digit;
    case CharClass::XDigit: return digit || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    case CharClass::Space: return space;
    case CharClass::Punct: return print && !upper && !lower && !digit && c != ' ';
    case CharClass::Alnum: return upper || lower || digit;
    case CharClass::Print: return print;
    case CharClass::Graph: return print && c != ' ';
    case CharClass::Cntrl: return c < 0x20 || c == 0x7F;
    }
    return false;
}

// Double-byte characters: the full-width forms of the ASCII classes; the
// symbols of the first row (and the full-width ASCII symbols) are
// punctuation; every real character prints.
bool wideIn(char16_t u, CharClass cls) {
    const bool upper = u >= 0xFF21 && u <= 0xFF3A, lower = u >= 0xFF41 && u <= 0xFF5A;
    const bool digit = u >= 0xFF10 && u <= 0xFF19, space = u == 0x3000;
    const bool punct = (u >= 0x3001 && u <= 0x303F) || (u >= 0xFF01 && u <= 0xFF0F) || (u >= 0xFF1A && u <= 0xFF20) ||
                       (u >= 0xFF3B && u <= 0xFF40) || (u >= 0xFF5B && u <= 0xFF65) || (u >= 0x2010 && u <= 0x266F);
    switch (cls) {
    case CharClass::Alpha: return upper || lower;
    case CharClass::Upper: return upper;
    case CharClass::Lower: return lower;
    case CharClass::Digit: return digit;
    case CharClass::Space: return space;
    case CharClass::Punct: return punct;
    case CharClass::Alnum: return upper || lower || digit;
    case CharClass::Print: return true;
    case CharClass::Graph: return !space;
    case CharClass::XDigit:
    case CharClass::Cntrl: return false;
    }
    return false;
}

// Compares a and b by bytes; with `fold` ASCII letters compare without case.
int compareBytes(std::string_view a, std::string_view b, bool fold) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int x = uint8_t(a[i]), y = uint8_t(b[i]);
        if (fold) {
            x = (x >= 'A' && x <= 'Z') ? x + 32 : x;
            y = (y >= 'A' && y <= 'Z') ? y + 32 : y;
        }
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The first n characters of s (whole double-byte characters).
std::string_view firstChars(std::string_view s, int32_t n) {
    size_t i = 0;
    for (int32_t k = 0; k < n && i < s.size(); ++k) i += charLength(s, i);
    return s.substr(0, i);
}

std::string_view firstBytes(std::string_view s, int32_t n) { return s.substr(0, size_t(std::max(n, 0))); }

// Reading arguments: each reader returns 0 or the error.
struct Args {
    MacroInterpreter& in;
    int status = 0;
    Args& i(int32_t& v) {
        if (!status) status = in.argInt(v);
        return *this;
    }
    Args& s(std::string& v) {
        if (!status) status = in.argStr(v);
        return *this;
    }
    Args& var(VariableRef& r) {
        if (!status) status = in.argStrVariable(r);
        return *this;
    }
    Args& comma() {
        if (!status) status = in.argSeparator();
        return *this;
    }
    int end() { return status ? status : in.argEnd(); }
};

// A built-in that changes its string variable and yields the new value.
template <class Change>
BuiltinFunction changing(Change change) {
    return [change](MacroInterpreter& in, BuiltinResult& out) {
        VariableRef ref;
        Args a{in};
        a.var(ref);
        std::string t;
        int32_t n = 0, c = 0;
        if constexpr (requires { change(std::declval<std::string&>(), t, n); }) {
            a.comma().s(t).comma().i(n);
        } else if constexpr (requires { change(std::declval<std::string&>(), t); }) {
            a.comma().s(t);
        } else if constexpr (requires { change(std::declval<std::string&>(), c, n); }) {
            a.comma().i(c).comma().i(n);
        } else if constexpr (requires { change(std::declval<std::string&>(), c); }) {
            a.comma().i(c);
        }
        if (int r = a.end()) return r;
        std::string& s = in.stringVariable(ref);
        if constexpr (requires { change(s, t, n); }) change(s, t, n);
        else if constexpr (requires { change(s, t); }) change(s, t);
        else if constexpr (requires { change(s, c, n); }) change(s, c, n);
        else if constexpr (requires { change(s, c); }) change(s, c);
        else change(s);
        // A string past the interpreter's limit ends the run (a loop that
        // appends a string to itself would otherwise take all memory).
        if (s.size() > in.limits().maxStringLength) return -kErrTooComplex;
        in.variableStored();
        out.setStr(s);
        return 0;
    };
}

// Replaces the first `limit` characters of s (all with a negative limit)
// by the character c.
void setChars(std::string& s, int32_t c, int32_t limit) {
    std::string out;
    size_t i = 0;
    for (int32_t k = 0; i < s.size() && (limit < 0 || k < limit); ++k) {
        i += charLength(s, i);
        out += codeBytes(c);
    }
    s = out + s.substr(i);
}

void caseChars(std::string& s, bool upper) {
    for (size_t i = 0; i < s.size();) {
        const size_t len = charLength(s, i);
        if (len == 1) {
            const char c = s[i];
            if (upper && c >= 'a' && c <= 'z') s[i] = char(c - 32);
            if (!upper && c >= 'A' && c <= 'Z') s[i] = char(c + 32);
        }
        i += len;
    }
}

}  // namespace

bool inCharClass(int32_t c, CharClass cls) {
    if (c >= 0 && c <= 0xFF) return asciiIn(c, cls);
    const char16_t u = wide(c);
    return u != 0 && wideIn(u, cls);
}

int32_t toLowerChar(int32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0x8260 && c <= 0x8279) return c + 0x21;  // full-width Ａ-Ｚ to ａ-ｚ
    return c;
}

int32_t toUpperChar(int32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0x8281 && c <= 0x829A) return c - 0x21;
    return c;
}

std::string integerText(int32_t v, int32_t radix) {
    if (radix < 2 || radix > 36) return {};
    if (radix == 10) return std::to_string(v);
    auto u = uint32_t(v);
    std::string out;
    do {
        const uint32_t d = u % uint32_t(radix);
        out += char(d < 10 ? '0' + d : 'a' + d - 10);
        u /= uint32_t(radix);
    } while (u);
    std::reverse(out.begin(), out.end());
    return out;
}

int32_t leadingInteger(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    uint32_t v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) v = v * 10 + uint32_t(s[i] - '0');
    return int32_t(negative ? 0u - v : v);
}

void registerStringBuiltins(BuiltinRegistry& r) {
    auto intOf = [](auto f) {
        return [f](MacroInterpreter& in, BuiltinResult& out) {
            int32_t c = 0;
            if (int e = Args{in}.i(c).end()) return e;
            out.setInt(f(c));
            return 0;
        };
    };
    r.add("string", [](MacroInterpreter& in, BuiltinResult& out) {
        int32_t c = 0;
        if (int e = Args{in}.i(c).end()) return e;
        out.setStr(std::string(1, char(c & 0xFF)));
        return 0;
    });
    r.add("strcat", changing([](std::string& s, const std::string& t) { s += t; }));
    r.add("strncat", changing([](std::string& s, const std::string& t, int32_t n) { s += firstBytes(t, n); }));
    r.add("strcpy", changing([](std::string& s, const std::string& t) { s = t; }));
    r.add("strncpy", changing([](std::string& s, const std::string& t, int32_t n) { s = std::string(firstBytes(t, n)); }));
    r.add("strlwr", changing([](std::string& s) { caseChars(s, false); }));
    r.add("strupr", changing([](std::string& s) { caseChars(s, true); }));
    r.add("strset", changing([](std::string& s, int32_t c) { setChars(s, c, -1); }));
    r.add("strnset", changing([](std::string& s, int32_t c, int32_t n) { setChars(s, c, std::max(n, 0)); }));
    r.add("strrev", changing([](std::string& s) {
        std::vector<std::string_view> chars;
        for (size_t i = 0; i < s.size();) {
            const size_t len = charLength(s, i);
            chars.push_back(std::string_view(s).substr(i, len));
            i += len;
        }
        std::string out;
        for (auto it = chars.rbegin(); it != chars.rend(); ++it) out += *it;
        s = out;
    }));

    auto two = [](auto f) {
        return [f](MacroInterpreter& in, BuiltinResult& out) {
            std::string a, b;
            if (int e = Args{in}.s(a).comma().s(b).end()) return e;
            out.setInt(f(a, b));
            return 0;
        };
    };
    auto twoN = [](auto f) {
        return [f](MacroInterpreter& in, BuiltinResult& out) {
            std::string a, b;
            int32_t n = 0;
            if (int e = Args{in}.s(a).comma().s(b).comma().i(n).end()) return e;
            out.setInt(f(a, b, n));
            return 0;
        };
    };
    r.add("strcmp", two([](const std::string& a, const std::string& b) { return compareBytes(a, b, false); }));
    r.add("stricmp", two([](const std::string& a, const std::string& b) { return compareBytes(a, b, true); }));
    r.add("strncmp", twoN([](const std::string& a, const std::string& b, int32_t n) {
        return compareBytes(firstBytes(a, n), firstBytes(b, n), false);
    }));
    r.add("strncimp", twoN([](const std::string& a, const std::string& b, int32_t n) {
        return compareBytes(firstChars(a, n), firstChars(b, n), true);
    }));
    r.add("strstr", two([](const std::string& a, const std::string& b) {
        // A match must start on a character, not on a trail byte.
        for (size_t i = 0; i + b.size() <= a.size(); i += charLength(a, i)) {
            if (a.compare(i, b.size(), b) == 0) return int32_t(i);
            if (i == a.size()) break;
        }
        return int32_t(-1);
    }));
    auto span = [](bool inside) {
        return [inside](const std::string& a, const std::string& b) {
            size_t i = 0;
            while (i < a.size()) {
                const size_t len = charLength(a, i);
                const std::string_view ch = std::string_view(a).substr(i, len);
                bool found = false;
                for (size_t j = 0; j < b.size() && !found;) {
                    const size_t l = charLength(b, j);
                    found = std::string_view(b).substr(j, l) == ch;
                    j += l;
                }
                if (found != inside) break;
                i += len;
            }
            return int32_t(i);
        };
    };
    r.add("strspn", two(span(true)));
    r.add("strcspn", two(span(false)));

    auto strInt = [](auto f) {
        return [f](MacroInterpreter& in, BuiltinResult& out) {
            std::string s;
            int32_t c = 0;
            if (int e = Args{in}.s(s).comma().i(c).end()) return e;
            out.setInt(f(s, c));
            return 0;
        };
    };
    r.add("strchr", strInt([](const std::string& s, int32_t c) {
        for (size_t i = 0; i < s.size(); i += charLength(s, i))
            if (charCode(s, i, charLength(s, i)) == c) return int32_t(i);
        return int32_t(-1);
    }));
    r.add("strrchr", strInt([](const std::string& s, int32_t c) {
        int32_t last = -1;
        for (size_t i = 0; i < s.size(); i += charLength(s, i))
            if (charCode(s, i, charLength(s, i)) == c) last = int32_t(i);
        return last;
    }));
    r.add("ascii", strInt([](const std::string& s, int32_t i) {
        return i < 0 || size_t(i) >= s.size() ? 0 : int32_t(int8_t(s[size_t(i)]));
    }));
    r.add("strlen", [](MacroInterpreter& in, BuiltinResult& out) {
        std::string s;
        if (int e = Args{in}.s(s).end()) return e;
        out.setInt(int32_t(std::min<size_t>(s.size(), INT32_MAX)));
        return 0;
    });
    r.add("atoi", [](MacroInterpreter& in, BuiltinResult& out) {
        std::string s;
        if (int e = Args{in}.s(s).end()) return e;
        out.setInt(leadingInteger(s));
        return 0;
    });
    r.add("itoa", [](MacroInterpreter& in, BuiltinResult& out) {
        int32_t v = 0, radix = 10;
        if (int e = Args{in}.i(v).comma().i(radix).end()) return e;
        out.setStr(integerText(v, radix));
        return 0;
    });
    r.add("strleft", [](MacroInterpreter& in, BuiltinResult& out) {
        std::string s;
        int32_t n = 0;
        if (int e = Args{in}.s(s).comma().i(n).end()) return e;
        out.setStr(std::string(firstBytes(s, n)));
        return 0;
    });
    r.add("strright", [](MacroInterpreter& in, BuiltinResult& out) {
        std::string s;
        int32_t n = 0;
        if (int e = Args{in}.s(s).comma().i(n).end()) return e;
        const size_t k = std::min(s.size(), size_t(std::max(n, 0)));
        out.setStr(s.substr(s.size() - k));
        return 0;
    });
    r.add("strmid", [](MacroInterpreter& in, BuiltinResult& out) {
        std::string s;
        int32_t start = 0, n = 0;
        if (int e = Args{in}.s(s).comma().i(start).comma().i(n).end()) return e;
        if (start < 0 || size_t(start) >= s.size()) {
            out.setStr({});
            return 0;
        }
        out.setStr(n < 1 ? s.substr(size_t(start)) : s.substr(size_t(start), size_t(n)));
        return 0;
    });

    const std::pair<const char*, CharClass> classes[] = {
        {"isalpha", CharClass::Alpha}, {"isupper", CharClass::Upper}, {"islower", CharClass::Lower},
        {"isdigit", CharClass::Digit}, {"isxdigit", CharClass::XDigit}, {"isspace", CharClass::Space},
        {"ispunct", CharClass::Punct}, {"isalnum", CharClass::Alnum}, {"isprint", CharClass::Print},
        {"isgraph", CharClass::Graph}, {"iscntrl", CharClass::Cntrl}};
    for (const auto& [name, cls] : classes) r.add(name, intOf([cls](int32_t c) { return inCharClass(c, cls) ? 1 : 0; }));
    auto lead = intOf([](int32_t c) { return sjis::plainCharLength(uint8_t(c & 0xFF)) == 2 ? 1 : 0; });
    r.add("iskanji", lead);
    r.add("iskana", lead);
    r.add("tolower", intOf(toLowerChar));
    r.add("toupper", intOf(toUpperChar));
}

}  // namespace orvex::orxmac
