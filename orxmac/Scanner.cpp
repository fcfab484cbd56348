#include "orxmac/Scanner.h"

#include <array>
#include <cstring>

namespace orvex::orxmac::scan {

namespace {

bool isHexDigit(uint8_t c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int hexValue(uint8_t c) { return isDigit(c) ? c - '0' : (toLowerAscii(c) - 'a' + 10); }

bool isComment(const uint8_t* t, uint32_t pos) {
    return t[pos] == '/' && (t[pos + 1] == '/' || t[pos + 1] == '*');
}

// Steps over one character that is not special to the caller: a lead byte
// takes its trail byte with it unless that is the terminating NUL.
uint32_t stepChar(const uint8_t* t, uint32_t pos) {
    return pos + charBytes(t, pos);
}

struct KeywordEntry {
    const char* text;
    Keyword keyword;
};
constexpr std::array<KeywordEntry, 17> kKeywords = {{
    {"int", Keyword::Int},       {"str", Keyword::Str},       {"void", Keyword::Void},
    {"if", Keyword::If},         {"else", Keyword::Else},     {"for", Keyword::For},
    {"while", Keyword::While},   {"do", Keyword::Do},         {"switch", Keyword::Switch},
    {"case", Keyword::Case},     {"default", Keyword::Default}, {"break", Keyword::Break},
    {"continue", Keyword::Continue}, {"return", Keyword::Return}, {"goto", Keyword::Goto},
    {"exit", Keyword::Exit},     {"main", Keyword::Main},
}};

}  // namespace

int skipBlanks(const uint8_t* t, uint32_t& pos) {
    for (;;) {
        const uint8_t c = t[pos];
        if (c == ' ' || (c >= 0x09 && c <= 0x0D)) {
            ++pos;
        } else if (c == 0x81 && t[pos + 1] == 0x40) {
            pos += 2;
        } else if (c == '/' && t[pos + 1] == '/') {
            // A line comment ends at a line feed, form feed or carriage return.
            pos += 2;
            while (t[pos] != 0 && t[pos] != '\n' && t[pos] != '\r' && t[pos] != '\f') ++pos;
            while (t[pos] == '\n') ++pos;
        } else if (c == '/' && t[pos + 1] == '*') {
            uint32_t p = pos + 2;
            while (t[p] != 0 && !(t[p] == '*' && t[p + 1] == '/')) ++p;
            if (t[p] == 0) return -13;
            pos = p + 2;
        } else {
            return 0;
        }
    }
}

uint32_t identifierEnd(const uint8_t* t, uint32_t pos) {
    if (!isIdentStart(t[pos])) return pos;
    ++pos;
    while (isIdentChar(t[pos])) ++pos;
    return pos;
}

Keyword keywordOf(const uint8_t* t, uint32_t pos, uint32_t end) {
    const uint32_t len = end - pos;
    if (len < 2 || len > 8) return Keyword::None;
    char lower[8];
    for (uint32_t i = 0; i < len; ++i) lower[i] = static_cast<char>(toLowerAscii(t[pos + i]));
    for (const KeywordEntry& k : kKeywords) {
        if (std::strlen(k.text) == len && std::memcmp(k.text, lower, len) == 0) return k.keyword;
    }
    return Keyword::None;
}

bool isReserved(Keyword k) {
    switch (k) {
        case Keyword::Int: case Keyword::Str: case Keyword::Continue: case Keyword::Break:
        case Keyword::Return: case Keyword::Goto: case Keyword::For: case Keyword::While:
        case Keyword::Do: case Keyword::If: case Keyword::Else: case Keyword::Switch:
        case Keyword::Case: case Keyword::Exit:
            return true;
        default:
            return false;
    }
}

int skipLiteral(const uint8_t* t, uint32_t& pos) {
    const uint8_t quote = t[pos];
    uint32_t p = pos + 1;
    for (;;) {
        const uint8_t c = t[p];
        if (c == 0 || c == '\n' || c == '\r') return -14;
        if (c == quote) break;
        if (c == '\\') {
            // The escaped byte belongs to the escape, whatever it is (an
            // escaped quote does not end the literal).
            p += t[p + 1] != 0 ? 2 : 1;
        } else {
            p = stepChar(t, p);
        }
    }
    pos = p + 1;
    return 0;
}

int skipGroup(const uint8_t* t, uint32_t& pos) {
    const uint8_t open = t[pos];
    const uint8_t close = open == '(' ? ')' : open == '[' ? ']' : '}';
    const int unclosed = open == '(' ? -7 : open == '[' ? -8 : -9;
    uint32_t p = pos;
    int depth = 0;
    for (;;) {
        const uint8_t c = t[p];
        if (c == 0) return unclosed;
        if (c == open) {
            ++depth;
            ++p;
        } else if (c == close) {
            ++p;
            if (--depth == 0) break;
        } else if (c == '"' || c == '\'') {
            if (int r = skipLiteral(t, p)) {
                pos = p;
                return r;
            }
        } else if (isComment(t, p)) {
            if (int r = skipBlanks(t, p)) {
                pos = p;
                return r;
            }
        } else {
            p = stepChar(t, p);
        }
    }
    pos = p;
    return 0;
}

int skipExpression(const uint8_t* t, uint32_t& pos) {
    uint32_t p = pos;
    for (;;) {
        const uint8_t c = t[p];
        if (c == 0 || c == ')' || c == ',' || c == ':' || c == ';' || c == '?' || c == ']' || c == '}') break;
        if (c == '(' || c == '[' || c == '{') {
            uint32_t q = p;
            if (int r = skipGroup(t, q)) {
                pos = r == -13 ? q : p;
                return r == -13 ? r : -6;
            }
            p = q;
        } else if (c == '"' || c == '\'') {
            if (skipLiteral(t, p)) {
                pos = p;
                return -6;
            }
        } else if (isComment(t, p)) {
            if (int r = skipBlanks(t, p)) {
                pos = p;
                return r;
            }
        } else {
            p = stepChar(t, p);
        }
    }
    pos = p;
    return 0;
}

uint32_t readNumber(const uint8_t* t, uint32_t pos, int32_t& value) {
    uint32_t base = 10;
    uint32_t p = pos;
    if (t[p] == '0' && (t[p + 1] == 'x' || t[p + 1] == 'X') && isHexDigit(t[p + 2])) {
        base = 16;
        p += 2;
    } else if (t[p] == '0') {
        base = 8;
    }
    uint64_t v = 0;
    bool overflow = false;
    for (;; ++p) {
        const uint8_t c = t[p];
        uint32_t d;
        if (isDigit(c)) {
            d = static_cast<uint32_t>(c - '0');
        } else if (base == 16 && isHexDigit(c)) {
            d = static_cast<uint32_t>(hexValue(c));
        } else {
            break;
        }
        if (d >= base) break;
        if (!overflow) {
            v = v * base + d;
            if (v > 0xFFFFFFFFull) overflow = true;
        }
    }
    value = static_cast<int32_t>(overflow ? 0xFFFFFFFFu : static_cast<uint32_t>(v));
    return p;
}

uint8_t readEscape(const uint8_t* t, uint32_t& pos) {
    const uint8_t c = t[pos + 1];
    switch (c) {
        case 'n': pos += 2; return 10;
        case 'r': pos += 2; return 13;
        case 't': pos += 2; return 9;
        case 'f': pos += 2; return 12;
        case 'x':
        case 'X': {
            uint32_t p = pos + 2;
            int v = 0;
            for (int i = 0; i < 2 && isHexDigit(t[p]); ++i, ++p) v = v * 16 + hexValue(t[p]);
            if (v != 0) {
                pos = p;
                return static_cast<uint8_t>(v);
            }
            // No byte 0 is ever produced: the escape stands for the letter
            // and the digits are read as ordinary characters.
            pos += 2;
            return c;
        }
        default:
            pos += 2;
            return c;
    }
}

int readCharLiteral(const uint8_t* t, uint32_t& pos, int32_t& value) {
    uint32_t p = pos + 1;
    uint32_t v = 0;
    for (;;) {
        const uint8_t c = t[p];
        if (c == '\'') break;
        if (c < 0x20) {
            pos = p;
            return -1;
        }
        if (c == '\\' && t[p + 1] != 0) {
            // An escape replaces what came before it by its byte taken as a
            // signed 8-bit number.
            v = static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(readEscape(t, p))));
        } else if (c == '\\') {
            ++p;  // a backslash at the end of the text: the NUL then breaks the literal
        } else if (charBytes(t, p) == 2) {
            v = (v << 8) + c;
            v = (v << 8) + t[p + 1];
            p += 2;
        } else {
            v = (v << 8) + c;
            ++p;
        }
    }
    value = static_cast<int32_t>(v);
    pos = p + 1;
    return 0;
}

int readStringLiteral(const uint8_t* t, uint32_t& pos, std::string& out) {
    out.clear();
    uint32_t p = pos + 1;
    for (;;) {
        const uint8_t c = t[p];
        if (c == '"') break;
        if (c < 0x20) {
            pos = p;
            return -1;
        }
        if (c == '\\' && t[p + 1] != 0) {
            out.push_back(static_cast<char>(readEscape(t, p)));
        } else if (c == '\\') {
            ++p;
        } else if (charBytes(t, p) == 2) {
            out.push_back(static_cast<char>(c));
            out.push_back(static_cast<char>(t[p + 1]));
            p += 2;
        } else {
            out.push_back(static_cast<char>(c));
            ++p;
        }
    }
    pos = p + 1;
    return 0;
}

Op matchOperator(const uint8_t* t, uint32_t pos, uint32_t& length) {
    const uint8_t c = t[pos];
    const uint8_t n = t[pos + 1];
    auto one = [&](Op op) { length = 1; return op; };
    auto two = [&](Op op) { length = 2; return op; };
    switch (c) {
        case '(': return one(Op::OpenParen);
        case '~': return one(Op::BitNot);
        case '+': return n == '+' ? two(Op::Increment) : n == '=' ? two(Op::AddAssign) : one(Op::Plus);
        case '-': return n == '-' ? two(Op::Decrement) : n == '=' ? two(Op::SubAssign) : one(Op::Minus);
        case '!': return n == '=' ? two(Op::Ne) : one(Op::LogicalNot);
        case '*': return n == '=' ? two(Op::MulAssign) : one(Op::Mul);
        case '/': return n == '=' ? two(Op::DivAssign) : one(Op::Div);
        case '%': return n == '=' ? two(Op::ModAssign) : one(Op::Mod);
        case '^': return n == '=' ? two(Op::XorAssign) : one(Op::BitXor);
        case '=': return n == '=' ? two(Op::Eq) : one(Op::Assign);
        case '&': return n == '&' ? two(Op::LogicalAnd) : n == '=' ? two(Op::AndAssign) : one(Op::BitAnd);
        case '|': return n == '|' ? two(Op::LogicalOr) : n == '=' ? two(Op::OrAssign) : one(Op::BitOr);
        case '<':
            if (n == '<') {
                if (t[pos + 2] == '=') {
                    length = 3;
                    return Op::ShlAssign;
                }
                return two(Op::Shl);
            }
            return n == '=' ? two(Op::Le) : one(Op::Lt);
        case '>':
            if (n == '>') {
                if (t[pos + 2] == '=') {
                    length = 3;
                    return Op::ShrAssign;
                }
                return two(Op::Shr);
            }
            return n == '=' ? two(Op::Ge) : one(Op::Gt);
        default:
            length = 0;
            return Op::None;
    }
}

}  // namespace orvex::orxmac::scan
