#pragma once
// Lexical rules of the macro language over Shift JIS bytes.
//
// Every function takes the program text (NUL-terminated, see MacroSource)
// and a position, never moves a position past the terminating NUL and
// returns 0 or a negative error number. On an error the position is left at
// the place the error is reported for: the start of the comment, literal or
// group that could not be skipped, or the byte that broke a literal.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/codepage/SjisWalk.h"

namespace orvex::orxmac::scan {

// Operator tokens. Plus and Minus are resolved to their unary forms by the
// evaluator, which knows the token before them.
enum class Op : uint8_t {
    None,
    OpenParen,
    Increment, Decrement, BitNot, LogicalNot,
    Plus, Minus,
    Mul, Div, Mod, Shl, Shr, Ge, Gt, Le, Lt, Ne, Eq, BitAnd, BitXor, BitOr, LogicalAnd, LogicalOr,
    Assign, AddAssign, SubAssign, MulAssign, DivAssign, ModAssign, ShlAssign, ShrAssign, AndAssign,
    XorAssign, OrAssign,
    UnaryPlus, UnaryMinus,
};

// Words with a meaning of their own (matched without regard to case).
enum class Keyword : uint8_t {
    None, Int, Str, Void, If, Else, For, While, Do, Switch, Case, Default, Break, Continue, Return, Goto, Exit,
    Main,
};

inline bool isIdentStart(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
inline bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }
inline bool isIdentChar(uint8_t c) { return isIdentStart(c) || isDigit(c); }
// Bytes of the character at t[pos]: a macro's source is not document text,
// so a lead byte takes any byte after it but the terminating NUL (the
// walker's plain rule, sjis::plainStep).
inline uint32_t charBytes(const uint8_t* t, uint32_t pos) { return uint32_t(sjis::plainStep(t + pos)); }
inline uint8_t toLowerAscii(uint8_t c) { return c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c + 32) : c; }

// Characters that end an expression; every byte of 0x80 or above and the
// end of the text do too.
inline bool isExpressionEnd(uint8_t c) {
    return c == 0 || c >= 0x80 || c == ')' || c == ',' || c == ':' || c == ';' || c == '?' || c == ']' ||
           c == '}';
}

// Skips blanks (including the full-width blank 0x81 0x40) and comments.
// -13 for a "/*" without "*/" (position at the "/*").
int skipBlanks(const uint8_t* t, uint32_t& pos);

// End of the identifier (ASCII letter or "_", then letters, digits and
// "_") that starts at pos; pos itself when none starts there.
uint32_t identifierEnd(const uint8_t* t, uint32_t pos);

// Keyword spelled by the bytes [pos, end), Keyword::None for other names.
Keyword keywordOf(const uint8_t* t, uint32_t pos, uint32_t end);
// The fourteen words that may not name a function or variable or stand in
// an expression (void, default and main are not among them).
bool isReserved(Keyword k);

// Skips the string or character literal whose quote is at pos. A line end
// or the end of the text before the closing quote is -14.
int skipLiteral(const uint8_t* t, uint32_t& pos);

// Skips the group opened by "(", "[" or "{" at pos, counting nested openers
// of the same kind and passing over literals and comments; the position
// ends behind the matching closer. Reaching the end of the text is -7, -8
// or -9 (position at the opener); a broken literal or comment inside gives
// its own error.
int skipGroup(const uint8_t* t, uint32_t& pos);

// Skips one expression: up to ")", ",", ":", ";", "?", "]", "}" or the end
// of the text, passing over literals, comments and balanced groups. A group
// or literal that breaks inside is -6 (position at its start); an
// unterminated comment stays -13.
int skipExpression(const uint8_t* t, uint32_t& pos);

// Reads the integer literal at pos (a digit) as an unsigned 32-bit C number
// with base prefix; an overflowing number reads as 0xFFFFFFFF. Returns the
// end of the literal.
uint32_t readNumber(const uint8_t* t, uint32_t pos, int32_t& value);

// Reads the escape sequence whose backslash is at pos (the byte behind it
// is not NUL) and returns its byte.
uint8_t readEscape(const uint8_t* t, uint32_t& pos);

// Evaluates the character literal at pos (a single quote): -1 at a control
// character before the closing quote. Position ends behind the quote.
int readCharLiteral(const uint8_t* t, uint32_t& pos, int32_t& value);

// Evaluates the string literal at pos (a double quote) into out: -1 at a
// control character before the closing quote.
int readStringLiteral(const uint8_t* t, uint32_t& pos, std::string& out);

// The operator token at pos, longest match first; Op::None when none.
Op matchOperator(const uint8_t* t, uint32_t pos, uint32_t& length);

}  // namespace orvex::orxmac::scan
