#pragma once
// What the interpreter has learnt about its source text while walking it.
//
// The interpreter re-reads the source as it runs: a loop reads its
// condition and body once per round. Everything the scanner finds at a
// position depends only on the bytes there, so the first reading of each
// position is remembered: the token that starts there (with its value and
// the position of the next token), and the end of a group, expression or
// statement skipped from there. Only successes are remembered; a failing
// reading is repeated each time, so errors and their positions are exactly
// those of a fresh reading.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "orxmac/MacroSource.h"
#include "orxmac/Scanner.h"

namespace orvex::orxmac {

inline constexpr uint32_t kNoPos = 0xFFFFFFFFu;

enum class TokenKind : uint8_t {
    End,       // a character that ends an expression, or the end of the text
    Number,    // integer or character literal
    String,    // string literal
    Name,      // identifier (keywords included)
    Operator,  // an operator token or "("
    Other,     // any other punctuation: a syntax error in an expression
};

struct Token {
    uint32_t end = 0;        // behind the token
    uint32_t next = kNoPos;  // behind the blanks after the token; kNoPos when they hold a broken comment
    TokenKind kind = TokenKind::Other;
    scan::Op op = scan::Op::None;
    scan::Keyword keyword = scan::Keyword::None;
    bool reserved = false;
    int32_t value = 0;       // Number: value; String: literal index; Name: name id
    // Remembered skips from this position, kNoPos while unknown.
    uint32_t groupEnd = kNoPos;
    uint32_t expressionEnd = kNoPos;
    uint32_t statementEnd = kNoPos;
    uint32_t aux = kNoPos;   // per statement kind: the for body, the do tail, the while condition's end
};

// Names folded to lower case, numbered in order of first sight. Variables
// and functions are found by these numbers.
class NameTable {
public:
    uint32_t intern(std::string_view lowered);
    // Number of a name that has not been seen, without adding it.
    bool find(std::string_view lowered, uint32_t& id) const;
    const std::string& text(uint32_t id) const { return m_names[id]; }
    void clear();

private:
    std::unordered_map<std::string, uint32_t> m_ids;
    std::vector<std::string> m_names;
};

class SourceIndex {
public:
    void reset(const MacroSource& source);
    const uint8_t* text() const { return m_text; }

    // The token at pos, which must stand on a non-blank byte. Fails with -1
    // (a broken literal; errorPos at the offending byte) and leaves tok unset.
    int token(uint32_t pos, const Token*& tok, uint32_t& errorPos) {
        if (pos <= m_size) {
            const uint32_t entry = m_tokenAt[pos];
            if (entry != 0) {
                const Token& t = tokenAtIndex(entry - 1);
                if (t.end != kNoPos) {
                    tok = &t;
                    return 0;
                }
            }
        }
        return lex(pos, tok, errorPos);
    }

    const std::string& literal(int32_t index) const { return m_literals[static_cast<size_t>(index)]; }
    NameTable& names() { return m_names; }

    // The scanner's skips, remembered per start position.
    int skipGroup(uint32_t& pos);
    int skipExpression(uint32_t& pos);

private:
    int lex(uint32_t pos, const Token*& tok, uint32_t& errorPos);
    Token& slot(uint32_t pos);
    // A scanner skip from pos, its end kept in the token's field so that
    // the skip runs once per start position.
    int rememberedSkip(uint32_t& pos, uint32_t Token::*end, int (*skip)(const uint8_t*, uint32_t&));
    Token& tokenAtIndex(uint32_t index) { return m_chunks[index >> kChunkBits][index & (kChunkSize - 1)]; }

    // Tokens live in fixed chunks, so their addresses never change.
    static constexpr uint32_t kChunkBits = 8;
    static constexpr uint32_t kChunkSize = 1u << kChunkBits;

    const uint8_t* m_text = nullptr;
    uint32_t m_size = 0;
    std::vector<uint32_t> m_tokenAt;  // per position: token index + 1, 0 unknown
    std::vector<std::unique_ptr<Token[]>> m_chunks;
    uint32_t m_tokenCount = 0;
    std::vector<std::string> m_literals;
    NameTable m_names;
};

}  // namespace orvex::orxmac
