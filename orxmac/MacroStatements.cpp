// Statements: each returns a status (StatementStatus) or a negative error,
// and leaves the cursor behind what it executed.
#include "orxmac/MacroError.h"
#include "orxmac/MacroInterpreter.h"
#include "orxmac/NestingGuard.h"

namespace orvex::orxmac {

using scan::Keyword;

int MacroInterpreter::execStatement() {
    if (int r = skipBlanksAtCursor()) return r;
    const uint8_t* t = m_text;
    if (t[m_pos] == '{') return execBlock();
    if (int r = stepHook(m_pos)) return r;
    if (t[m_pos] == ';') {
        ++m_pos;
        return kStatusNormal;
    }
    const Token* tok = nullptr;
    if (int r = tokenAtCursor(tok)) return r;
    if (tok->kind == TokenKind::Name) {
        switch (tok->keyword) {
            case Keyword::Int:
            case Keyword::Str: {
                if (int r = advance(tok)) return r;
                return execDeclaration(*m_frame, tok->keyword == Keyword::Int ? kTypeInt : kTypeStr);
            }
            case Keyword::If: return execIf(tok);
            case Keyword::For: return execFor(tok);
            case Keyword::While: return execWhile(tok);
            case Keyword::Do: return execDo(tok);
            case Keyword::Switch: return execSwitch(tok);
            case Keyword::Break: return execJump(tok, kStatusBreak);
            case Keyword::Continue: return execJump(tok, kStatusContinue);
            case Keyword::Return: return execReturn(tok);
            case Keyword::Exit: return execExit(tok);
            case Keyword::Goto: return execGoto(tok);
            default:
                // A label (a name and a colon with no blank between them) is
                // passed over; "else" and "case" out of place fall through to
                // the expression, where they are reserved words.
                if (!tok->reserved && t[tok->end] == ':') {
                    m_pos = tok->end + 1;
                    return kStatusNormal;
                }
                break;
        }
    }
    return execExpressionStatement();
}

int MacroInterpreter::execBlock() {
    VariableFrame& f = *m_frame;
    const uint32_t brace = m_pos;
    if (int r = stepHook(brace)) return r;
    NestingGuard guard(*this);
    if (guard.tooDeep()) return -kErrTooComplex;
    const uint32_t savedBlock = f.currentBlock;
    f.currentBlock = brace;
    const bool outermost = ++f.blockDepth == 1;
    ++m_pos;
    int status = kStatusNormal;
    for (;;) {
        if ((status = skipBlanksAtCursor()) != 0) break;
        const uint8_t c = m_text[m_pos];
        if (c == '}') {
            ++m_pos;
            break;
        }
        if (c == 0) {
            m_pos = brace;
            status = -kErrNoCloseBrace;
            break;
        }
        status = execStatement();
        if (status == kStatusNormal) continue;
        // A goto goes on here when its label lies in this block; the
        // outermost block of a function goes on at any label (the cursor).
        if (status == kStatusGoto && (outermost || f.gotoBlock == brace)) continue;
        break;
    }
    --f.blockDepth;
    f.currentBlock = savedBlock;
    return status;
}

int MacroInterpreter::execDeclaration(VariableFrame& frame, uint8_t type) {
    const uint8_t* t = m_text;
    for (;;) {
        const uint32_t namePos = m_pos;
        const Token* tok = nullptr;
        if (!scan::isIdentStart(t[m_pos])) return -kErrSyntax;
        if (int r = tokenAtCursor(tok)) return r;
        if (tok->reserved) return -kErrReservedWord;
        const uint32_t nameId = static_cast<uint32_t>(tok->value);
        if (int r = advance(tok)) return r;
        int32_t index = frame.find(nameId);
        if (index >= 0) {
            // The same declaration executed again (as in a loop) reuses the
            // variable; any other declaration of the name is an error.
            if (frame.variable(static_cast<uint32_t>(index)).declPos != namePos) {
                m_pos = namePos;
                return -kErrVariableTwice;
            }
        } else {
            const std::string_view name(reinterpret_cast<const char*>(t + namePos), tok->end - namePos);
            index = static_cast<int32_t>(frame.add(nameId, name, namePos, type));
        }
        // "a[10]" declares the plain name; elements are created on use.
        while (t[m_pos] == '[') {
            if (int r = m_index.skipGroup(m_pos)) return r;
            if (int r = skipBlanksAtCursor()) return r;
        }
        if (t[m_pos] == '=' && t[m_pos + 1] != '=') {
            ++m_pos;
            if (int r = evaluate()) return r;
            VariableFrame& cur = *m_frame;
            Operand& o = cur.operands[cur.operandCount - 1];
            const uint32_t i = static_cast<uint32_t>(index);
            if (type == kTypeStr) {
                if (!o.isStr()) return -kErrSyntax;
                if (o.kind == OperandKind::Str) {
                    frame.stringValue(i) = std::move(o.text);
                } else {
                    frame.stringValue(i) = strOf(o);
                }
            } else {
                if (!o.isInt()) return -kErrSyntax;
                frame.setInt(i, intOf(o));
            }
            --cur.operandCount;
            afterStore();
            if (int r = skipBlanksAtCursor()) return r;
        }
        if (t[m_pos] == ',') {
            ++m_pos;
            if (int r = skipBlanksAtCursor()) return r;
            continue;
        }
        if (t[m_pos] == ';') {
            ++m_pos;
            return kStatusNormal;
        }
        return -kErrSyntax;
    }
}

// Evaluates an expression whose value nobody reads (an expression
// statement, the initialisers and steps of a for).
int MacroInterpreter::evaluateDiscarded() {
    VariableFrame& f = *m_frame;
    if (int r = skipBlanksAtCursor()) return r;
    const uint32_t base = f.operandCount;
    if (f.operatorCount >= VariableFrame::kOperatorCapacity) return -kErrTooComplex;
    const uint32_t sentinel = f.operatorCount;
    f.operators[f.operatorCount++] = OperatorEntry{scan::Op::None, 0, static_cast<uint8_t>(base)};
    if (int r = evaluateUntilEnd(f, base, sentinel, true)) return r;
    --f.operatorCount;
    if (f.operandCount != base + 1) return -kErrSyntax;
    --f.operandCount;
    return 0;
}

int MacroInterpreter::execExpressionStatement() {
    if (int r = evaluateDiscarded()) return r;
    if (int r = skipBlanksAtCursor()) return r;
    if (m_text[m_pos] != ';') return -kErrNoSemicolon;
    ++m_pos;
    return kStatusNormal;
}

// "else" as a whole word at pos (after blanks); `after` is behind it.
bool MacroInterpreter::elseAt(uint32_t pos, uint32_t& after) {
    const uint32_t end = scan::identifierEnd(m_text, pos);
    if (end == pos || scan::keywordOf(m_text, pos, end) != Keyword::Else) return false;
    after = end;
    return true;
}

int MacroInterpreter::parenthesisedCondition(int32_t& value, int closeError) {
    if (int r = evaluateInt(value)) return r;
    if (int r = skipBlanksAtCursor()) return r;
    if (m_text[m_pos] != ')') return -closeError;
    ++m_pos;
    return kStatusNormal;
}

int MacroInterpreter::listSeparator(bool& more) {
    if (int r = skipBlanksAtCursor()) return r;
    more = m_text[m_pos] == ',';
    if (more) {
        ++m_pos;
        return skipBlanksAtCursor();
    }
    return m_text[m_pos] == ')' ? kStatusNormal : -kErrArguments;
}

int MacroInterpreter::execIf(const Token* tok) {
    NestingGuard guard(*this);
    if (guard.tooDeep()) return -kErrTooComplex;
    const uint8_t* t = m_text;
    if (int r = advance(tok)) return r;
    if (t[m_pos] != '(') return -kErrIf;
    ++m_pos;
    int32_t condition = 0;
    if (int r = parenthesisedCondition(condition, kErrIf)) return r;
    uint32_t afterElse = 0;
    if (condition != 0) {
        const int status = execStatement();
        if (status != kStatusNormal) return status;
        // The else chain is skipped; the conditions of its "else if"s are
        // not evaluated.
        uint32_t p = m_pos;
        if (int r = scan::skipBlanks(t, p)) {
            m_pos = p;
            return r;
        }
        if (elseAt(p, afterElse)) {
            m_pos = afterElse;
            if (int r = skipStatement(m_pos)) return r;
        }
        return kStatusNormal;
    }
    if (int r = skipStatement(m_pos)) return r;
    uint32_t p = m_pos;
    if (int r = scan::skipBlanks(t, p)) {
        m_pos = p;
        return r;
    }
    if (!elseAt(p, afterElse)) return kStatusNormal;
    m_pos = afterElse;
    return execStatement();
}

int MacroInterpreter::execFor(const Token* tok) {
    NestingGuard guard(*this);
    if (guard.tooDeep()) return -kErrTooComplex;
    const uint8_t* t = m_text;
    Token& forTok = const_cast<Token&>(*tok);
    if (int r = advance(tok)) return r;
    if (t[m_pos] != '(') return -kErrFor;
    ++m_pos;
    if (int r = skipBlanksAtCursor()) return r;
    // Initialisers, once.
    if (t[m_pos] != ';') {
        for (;;) {
            if (int r = evaluateDiscarded()) return r;
            if (int r = skipBlanksAtCursor()) return r;
            if (t[m_pos] == ',') {
                ++m_pos;
                continue;
            }
            if (t[m_pos] != ';') return -kErrFor;
            break;
        }
    }
    const uint32_t conditionPos = m_pos + 1;
    for (;;) {
        m_pos = conditionPos;
        if (int r = skipBlanksAtCursor()) return r;
        int32_t condition = 1;  // an empty condition is true
        if (t[m_pos] != ';') {
            if (int r = evaluateInt(condition)) return r;
            if (int r = skipBlanksAtCursor()) return r;
            if (t[m_pos] != ';') return -kErrFor;
        }
        const uint32_t stepsPos = m_pos + 1;
        if (forTok.aux == kNoPos) {
            // Find the body behind the steps without evaluating them.
            uint32_t p = stepsPos;
            if (int r = scan::skipBlanks(t, p)) {
                m_pos = p;
                return r;
            }
            if (t[p] != ')') {
                for (;;) {
                    if (int r = m_index.skipExpression(p)) {
                        m_pos = p;
                        return r;
                    }
                    if (t[p] == ',') {
                        ++p;
                        continue;
                    }
                    if (t[p] != ')') {
                        m_pos = p;
                        return -kErrFor;
                    }
                    break;
                }
            }
            forTok.aux = p + 1;
        }
        const uint32_t bodyPos = forTok.aux;
        if (condition == 0) break;
        m_pos = bodyPos;
        const int status = execStatement();
        if (status == kStatusBreak) break;
        if (status != kStatusNormal && status != kStatusContinue) return status;
        m_pos = stepsPos;
        if (int r = skipBlanksAtCursor()) return r;
        if (t[m_pos] != ')') {
            for (;;) {
                if (int r = evaluateDiscarded()) return r;
                if (int r = skipBlanksAtCursor()) return r;
                if (t[m_pos] == ',') {
                    ++m_pos;
                    continue;
                }
                if (t[m_pos] != ')') return -kErrFor;
                break;
            }
        }
    }
    m_pos = forTok.aux;
    if (int r = skipStatement(m_pos)) return r;
    return kStatusNormal;
}

int MacroInterpreter::execWhile(const Token* tok) {
    NestingGuard guard(*this);
    if (guard.tooDeep()) return -kErrTooComplex;
    const uint8_t* t = m_text;
    if (int r = advance(tok)) return r;
    if (t[m_pos] != '(') return -kErrWhile;
    const uint32_t open = m_pos;
    // A loop whose body is the empty statement does nothing at all: not even
    // its condition is evaluated.
    uint32_t p = open;
    if (int r = m_index.skipGroup(p)) {
        m_pos = p;
        return r;
    }
    if (int r = scan::skipBlanks(t, p)) {
        m_pos = p;
        return r;
    }
    if (t[p] == ';') {
        m_pos = p + 1;
        return kStatusNormal;
    }
    for (;;) {
        m_pos = open + 1;
        int32_t condition = 0;
        if (int r = parenthesisedCondition(condition, kErrWhile)) return r;
        const uint32_t bodyPos = m_pos;
        if (condition == 0) {
            if (int r = skipStatement(m_pos)) return r;
            return kStatusNormal;
        }
        const int status = execStatement();
        if (status == kStatusBreak) {
            m_pos = bodyPos;
            if (int r = skipStatement(m_pos)) return r;
            return kStatusNormal;
        }
        if (status != kStatusNormal && status != kStatusContinue) return status;
    }
}

int MacroInterpreter::execDo(const Token* tok) {
    NestingGuard guard(*this);
    if (guard.tooDeep()) return -kErrTooComplex;
    const uint8_t* t = m_text;
    Token& doTok = const_cast<Token&>(*tok);
    if (int r = advance(tok)) return r;
    const uint32_t bodyPos = m_pos;
    for (;;) {
        m_pos = bodyPos;
        const int status = execStatement();
        if (status != kStatusNormal && status != kStatusContinue && status != kStatusBreak) return status;
        if (doTok.aux == kNoPos) {
            uint32_t p = bodyPos;
            if (int r = skipStatement(p)) {
                m_pos = p;
                return (r == -kErrComment || r == -kErrTooComplex) ? r : -kErrDo;
            }
            doTok.aux = p;
        }
        m_pos = doTok.aux;
        if (int r = skipBlanksAtCursor()) return r;
        uint32_t end = scan::identifierEnd(t, m_pos);
        if (end == m_pos || scan::keywordOf(t, m_pos, end) != Keyword::While) return -kErrDo;
        m_pos = end;
        if (int r = skipBlanksAtCursor()) return r;
        if (t[m_pos] != '(') return -kErrWhile;
        int32_t condition = 0;
        if (status == kStatusBreak) {
            // Leave behind the whole statement without evaluating the condition.
            if (int r = m_index.skipGroup(m_pos)) return r;
        } else {
            ++m_pos;
            if (int r = parenthesisedCondition(condition, kErrWhile)) return r;
        }
        if (int r = skipBlanksAtCursor()) return r;
        if (t[m_pos] != ';') return -kErrWhile;
        ++m_pos;
        if (condition == 0) return kStatusNormal;
    }
}

int MacroInterpreter::execSwitch(const Token* tok) {
    NestingGuard guard(*this);
    if (guard.tooDeep()) return -kErrTooComplex;
    const uint8_t* t = m_text;
    if (int r = advance(tok)) return r;
    if (t[m_pos] != '(') return -kErrCase;
    ++m_pos;
    int32_t selector = 0;
    if (int r = parenthesisedCondition(selector, kErrSwitch)) return r;
    if (int r = skipBlanksAtCursor()) return r;
    if (t[m_pos] != '{') return -kErrCase;
    const uint32_t bodyPos = m_pos;
    ++m_pos;

    // Walk the case items in text order up to the first match.
    bool first = true;
    for (bool matched = false; !matched; first = false) {
        if (int r = skipBlanksAtCursor()) return r;
        const uint8_t c = t[m_pos];
        if (c == '}') {
            ++m_pos;
            return kStatusNormal;  // no match
        }
        if (c == 0) {
            m_pos = bodyPos;
            return -kErrNoCloseBrace;
        }
        const uint32_t end = scan::identifierEnd(t, m_pos);
        const Keyword word = end == m_pos ? Keyword::None : scan::keywordOf(t, m_pos, end);
        if (word == Keyword::Case) {
            m_pos = end;
            int32_t value = 0;
            if (int r = evaluateInt(value)) return r;
            if (int r = skipBlanksAtCursor()) return r;
            if (t[m_pos] != ':') return -kErrNoColon;
            ++m_pos;
            matched = value == selector;
        } else if (word == Keyword::Default) {
            m_pos = end;
            if (int r = skipBlanksAtCursor()) return r;
            if (t[m_pos] != ':') return -kErrNoColon;
            ++m_pos;
            matched = true;
        } else {
            if (first) return -kErrCase;
            // A statement of a case that did not match.
            if (int r = skipStatement(m_pos)) return r;
        }
    }
    // Case labels directly after the match are passed over unevaluated.
    for (;;) {
        if (int r = skipBlanksAtCursor()) return r;
        const uint32_t end = scan::identifierEnd(t, m_pos);
        const Keyword word = end == m_pos ? Keyword::None : scan::keywordOf(t, m_pos, end);
        if (word == Keyword::Case) {
            m_pos = end;
            if (int r = m_index.skipExpression(m_pos)) return r;
        } else if (word == Keyword::Default) {
            m_pos = end;
            if (int r = skipBlanksAtCursor()) return r;
        } else {
            break;
        }
        if (t[m_pos] != ':') return -kErrNoColon;
        ++m_pos;
    }
    // The statements run until one leaves the switch; running on into the
    // next case ("case" is a reserved word) or the closing brace (no
    // expression there) is an error. A continue that reaches this walk (one
    // among the case's statements, or one that left a block or an if within
    // them) is passed over: the case goes on behind the statement it came
    // from, which the cursor may still be inside. A continue inside a loop
    // within the switch is that loop's and never gets here.
    int status = kStatusNormal;
    for (;;) {
        const uint32_t statementPos = m_pos;
        status = execStatement();
        if (status == kStatusNormal) continue;
        if (status != kStatusContinue) break;
        m_pos = statementPos;
        if (int r = skipStatement(m_pos)) return r;
    }
    if (status != kStatusBreak) return status;
    m_pos = bodyPos;
    if (int r = m_index.skipGroup(m_pos)) return r;
    return kStatusNormal;
}

int MacroInterpreter::execJump(const Token* tok, int status) {
    if (int r = advance(tok)) return r;
    if (m_text[m_pos] != ';') return -kErrNoSemicolon;
    ++m_pos;
    return status;
}

int MacroInterpreter::execReturn(const Token* tok) {
    if (int r = advance(tok)) return r;
    VariableFrame& f = *m_frame;
    if (m_text[m_pos] == ';') {
        ++m_pos;
        // Without an expression a function returns 0 or the empty string.
        if (f.returnType() == kTypeStr) {
            if (int r = pushStr(f, std::string())) return r;
        } else if (int r = pushInt(f, 0)) {
            return r;
        }
        return kStatusReturn;
    }
    if (int r = evaluate()) return r;
    if (int r = skipBlanksAtCursor()) return r;
    if (m_text[m_pos] != ';') return -kErrNoSemicolon;
    ++m_pos;
    return kStatusReturn;
}

int MacroInterpreter::execExit(const Token* tok) {
    if (int r = advance(tok)) return r;
    if (m_text[m_pos] != ';') {
        if (int r = evaluateDiscarded()) return r;
        if (int r = skipBlanksAtCursor()) return r;
        if (m_text[m_pos] != ';') return -kErrNoSemicolon;
    }
    ++m_pos;
    return kStatusExit;
}

int MacroInterpreter::execGoto(const Token* tok) {
    if (int r = advance(tok)) return r;
    const uint32_t namePos = m_pos;
    const uint32_t nameEnd = scan::identifierEnd(m_text, m_pos);
    m_pos = nameEnd;
    if (int r = skipBlanksAtCursor()) return r;
    if (m_text[m_pos] != ';') return -kErrNoSemicolon;
    VariableFrame& f = *m_frame;
    const std::string_view name(reinterpret_cast<const char*>(m_text + namePos), nameEnd - namePos);
    if (f.labels != nullptr && !name.empty()) {
        for (const Label& label : *f.labels) {
            if (label.name == name) {
                // The enclosing blocks hand status 4 outwards until the block
                // that holds the label, or the function's outermost block.
                f.gotoBlock = label.block;
                m_pos = label.position;
                return kStatusGoto;
            }
        }
    }
    m_pos = namePos;
    return -kErrNoLabel;
}

}  // namespace orvex::orxmac
