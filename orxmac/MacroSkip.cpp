// Skipping a statement without executing it: the branch not taken, the body
// of a finished loop, the statements of a case that did not match.
//
// A block is skipped as a balanced group and a simple statement up to its
// ";". A compound statement is skipped as a whole, following its grammar:
// "if" with its condition, statement and any else branch; "for", "while"
// and "switch" with their parentheses and body; "do" with its body and
// while tail. So an if-else or a loop whose body is a block, written
// without braces around it, is skipped exactly as far as it runs.
#include "orxmac/MacroError.h"
#include "orxmac/MacroInterpreter.h"
#include "orxmac/NestingGuard.h"

namespace orvex::orxmac {

using scan::Keyword;

int MacroInterpreter::skipStatement(uint32_t& pos) {
    if (int r = scan::skipBlanks(m_text, pos)) return r;
    const Token* tok = nullptr;
    uint32_t errPos = 0;
    // Remembered ends are kept on the token slot of the statement's start;
    // a literal that breaks there is handled by the uncached skip below.
    if (m_index.token(pos, tok, errPos) == 0 && tok->statementEnd != kNoPos) {
        pos = tok->statementEnd;
        return 0;
    }
    const uint32_t start = pos;
    if (int r = skipStatementUncached(pos)) return r;
    if (m_index.token(start, tok, errPos) == 0) const_cast<Token*>(tok)->statementEnd = pos;
    return 0;
}

int MacroInterpreter::skipStatementUncached(uint32_t& pos) {
    NestingGuard guard(*this);
    if (guard.tooDeep()) return -kErrTooComplex;
    const uint8_t* t = m_text;
    const uint8_t c = t[pos];
    if (c == '{') return m_index.skipGroup(pos);
    if (c == ';') {
        ++pos;
        return 0;
    }
    const uint32_t end = scan::identifierEnd(t, pos);
    const Keyword word = end == pos ? Keyword::None : scan::keywordOf(t, pos, end);
    // Skips blanks and then a parenthesised group, or fails with `shape`.
    auto group = [&](uint32_t& p, int shape) -> int {
        if (int r = scan::skipBlanks(t, p)) return r;
        if (t[p] != '(') return -shape;
        return m_index.skipGroup(p);
    };
    uint32_t p = end;
    switch (word) {
        case Keyword::If: {
            if (int r = group(p, kErrIf)) return (pos = p, r);
            if (int r = skipStatement(p)) return (pos = p, r);
            uint32_t q = p;
            if (int r = scan::skipBlanks(t, q)) return (pos = q, r);
            uint32_t afterElse = 0;
            if (elseAt(q, afterElse)) {
                p = afterElse;
                if (int r = skipStatement(p)) return (pos = p, r);
            }
            pos = p;
            return 0;
        }
        case Keyword::For:
        case Keyword::While: {
            if (int r = group(p, word == Keyword::For ? kErrFor : kErrWhile)) return (pos = p, r);
            if (int r = skipStatement(p)) return (pos = p, r);
            pos = p;
            return 0;
        }
        case Keyword::Switch: {
            if (int r = group(p, kErrCase)) return (pos = p, r);
            if (int r = scan::skipBlanks(t, p)) return (pos = p, r);
            if (t[p] != '{') return (pos = p, -kErrCase);
            if (int r = m_index.skipGroup(p)) return (pos = p, r);
            pos = p;
            return 0;
        }
        case Keyword::Do: {
            if (int r = skipStatement(p)) {
                pos = p;
                return (r == -kErrComment || r == -kErrTooComplex) ? r : -kErrDo;
            }
            if (int r = scan::skipBlanks(t, p)) return (pos = p, r);
            const uint32_t whileEnd = scan::identifierEnd(t, p);
            if (whileEnd == p || scan::keywordOf(t, p, whileEnd) != Keyword::While) return (pos = p, -kErrDo);
            p = whileEnd;
            if (int r = group(p, kErrWhile)) return (pos = p, r);
            if (int r = scan::skipBlanks(t, p)) return (pos = p, r);
            if (t[p] != ';') return (pos = p, -kErrWhile);
            pos = p + 1;
            return 0;
        }
        default:
            break;
    }
    if (end != pos && !scan::isReserved(word) && t[end] == ':') {
        pos = end + 1;  // a label is a statement of its own
        return 0;
    }
    if (int r = m_index.skipExpression(pos)) return r;
    if (t[pos] != ';') return -kErrNoSemicolon;
    ++pos;
    return 0;
}

}  // namespace orvex::orxmac
