// Expression evaluation by operator precedence on the frame's two stacks.
//
// The operator stack holds at most 16 entries (the sentinel of each
// evaluation and every open parenthesis count) and the operand stack 32;
// overflowing either, or applying an operator without enough operands, is
// error 2. A binary operator first applies the operators on the stack that
// bind at least as tightly (assignments: more tightly, so they group to the
// right); an end character applies everything down to the sentinel.
#include <climits>

#include "orxmac/MacroError.h"
#include "orxmac/MacroInterpreter.h"
#include "orxmac/StackLimit.h"

namespace orvex::orxmac {

using scan::Op;

namespace {

constexpr uint8_t kUnaryPrecedence = 12;

uint8_t precedenceOf(Op op) {
    switch (op) {
        case Op::Increment: case Op::Decrement: case Op::UnaryPlus: case Op::UnaryMinus:
        case Op::BitNot: case Op::LogicalNot:
            return kUnaryPrecedence;
        case Op::Mul: case Op::Div: case Op::Mod: return 11;
        case Op::Plus: case Op::Minus: return 10;
        case Op::Shl: case Op::Shr: return 9;
        case Op::Lt: case Op::Le: case Op::Gt: case Op::Ge: return 8;
        case Op::Eq: case Op::Ne: return 7;
        case Op::BitAnd: return 6;
        case Op::BitXor: return 5;
        case Op::BitOr: return 4;
        case Op::LogicalAnd: return 3;
        case Op::LogicalOr: return 2;
        default: return 1;  // the assignments
    }
}

bool isUnary(Op op) {
    return op == Op::Increment || op == Op::Decrement || op == Op::UnaryPlus || op == Op::UnaryMinus ||
           op == Op::BitNot || op == Op::LogicalNot;
}

bool isAssignment(Op op) { return op >= Op::Assign && op <= Op::OrAssign; }

bool acceptsStrings(Op op) {
    switch (op) {
        case Op::Plus: case Op::Lt: case Op::Le: case Op::Gt: case Op::Ge: case Op::Eq: case Op::Ne:
        case Op::Assign: case Op::AddAssign:
            return true;
        default:
            return false;
    }
}

int32_t wrapAdd(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
int32_t wrapSub(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
int32_t wrapMul(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b)); }

// Integer result of a binary operator (assignments use their arithmetic
// counterpart). Returns 0 or error 4.
int integerOp(Op op, int32_t a, int32_t b, int32_t& out) {
    switch (op) {
        case Op::Mul: case Op::MulAssign: out = wrapMul(a, b); return 0;
        case Op::Div: case Op::DivAssign:
            if (b == 0) return -kErrDivideByZero;
            out = (a == INT32_MIN && b == -1) ? INT32_MIN : a / b;  // the one quotient that overflows wraps
            return 0;
        case Op::Mod: case Op::ModAssign:
            if (b == 0) return -kErrDivideByZero;
            out = b == -1 ? 0 : a % b;
            return 0;
        case Op::Plus: case Op::AddAssign: out = wrapAdd(a, b); return 0;
        case Op::Minus: case Op::SubAssign: out = wrapSub(a, b); return 0;
        case Op::Shl: case Op::ShlAssign:
            out = static_cast<int32_t>(static_cast<uint32_t>(a) << (b & 31));
            return 0;
        case Op::Shr: case Op::ShrAssign: out = a >> (b & 31); return 0;
        case Op::Lt: out = a < b; return 0;
        case Op::Le: out = a <= b; return 0;
        case Op::Gt: out = a > b; return 0;
        case Op::Ge: out = a >= b; return 0;
        case Op::Eq: out = a == b; return 0;
        case Op::Ne: out = a != b; return 0;
        case Op::BitAnd: case Op::AndAssign: out = a & b; return 0;
        case Op::BitXor: case Op::XorAssign: out = a ^ b; return 0;
        case Op::BitOr: case Op::OrAssign: out = a | b; return 0;
        case Op::LogicalAnd: out = (a != 0) && (b != 0); return 0;  // both sides were evaluated
        case Op::LogicalOr: out = (a != 0) || (b != 0); return 0;
        case Op::Assign: out = b; return 0;
        default: return -kErrSyntax;
    }
}

}  // namespace

int32_t MacroInterpreter::intOf(const Operand& o) const {
    return o.kind == OperandKind::Int ? o.value : o.var.frame->intValue(o.var.index);
}

const std::string& MacroInterpreter::strOf(const Operand& o) const {
    return o.kind == OperandKind::Str ? o.text : o.var.frame->stringValue(o.var.index);
}

int MacroInterpreter::pushInt(VariableFrame& f, int32_t value) {
    if (f.operandCount >= VariableFrame::kOperandCapacity) return -kErrTooComplex;
    Operand& o = f.operands[f.operandCount++];
    o.kind = OperandKind::Int;
    o.value = value;
    return 0;
}

int MacroInterpreter::pushStr(VariableFrame& f, const std::string& value) {
    if (f.operandCount >= VariableFrame::kOperandCapacity) return -kErrTooComplex;
    Operand& o = f.operands[f.operandCount++];
    o.kind = OperandKind::Str;
    o.text = value;
    return 0;
}

int MacroInterpreter::evaluate() {
    VariableFrame& f = *m_frame;
    if (int r = skipBlanksAtCursor()) return r;
    const uint32_t base = f.operandCount;
    if (f.operatorCount >= VariableFrame::kOperatorCapacity) return -kErrTooComplex;
    const uint32_t sentinel = f.operatorCount;
    f.operators[f.operatorCount++] = OperatorEntry{Op::None, 0, static_cast<uint8_t>(base)};
    if (int r = evaluateUntilEnd(f, base, sentinel, false)) return r;
    --f.operatorCount;
    if (f.operandCount != base + 1) return -kErrSyntax;
    return 0;
}

// Reads tokens from the cursor until an expression end character and
// reduces down to the marker at `sentinel`, which stays on the stack. The
// cursor is left on the end character.
int MacroInterpreter::evaluateUntilEnd(VariableFrame& f, uint32_t base, uint32_t sentinel, bool discard) {
    const uint8_t* t = m_text;
    bool expectOperand = true;  // the token before was an operator, "(" or nothing
    for (;;) {
        const Token* tok = nullptr;
        if (int r = tokenAtCursor(tok)) return r;
        switch (tok->kind) {
            case TokenKind::End:
                return reduceAll(f, base, sentinel, discard);
            case TokenKind::Number:
                if (!expectOperand) return -kErrSyntax;
                if (int r = pushInt(f, tok->value)) return r;
                if (int r = advance(tok)) return r;
                expectOperand = false;
                break;
            case TokenKind::String:
                if (!expectOperand) return -kErrSyntax;
                if (int r = pushStr(f, m_index.literal(tok->value))) return r;
                if (int r = advance(tok)) return r;
                expectOperand = false;
                break;
            case TokenKind::Name: {
                if (!expectOperand) return -kErrSyntax;
                if (tok->reserved) return -kErrReservedWord;
                const uint32_t namePos = m_pos;
                if (int r = advance(tok)) return r;
                if (t[m_pos] == '(') {
                    if (int r = callFunction(f, tok, namePos)) return r;
                } else if (int r = pushVariable(f, tok, namePos)) {
                    return r;
                }
                expectOperand = false;
                break;
            }
            case TokenKind::Operator: {
                Op op = tok->op;
                if (op == Op::OpenParen) {
                    if (!expectOperand) return -kErrSyntax;
                    if (f.operatorCount >= VariableFrame::kOperatorCapacity) return -kErrTooComplex;
                    const uint32_t inner = f.operandCount;
                    const uint32_t marker = f.operatorCount;
                    f.operators[f.operatorCount++] = OperatorEntry{Op::None, 0, static_cast<uint8_t>(inner)};
                    if (int r = advance(tok)) return r;
                    if (currentStackAddress() < m_stackFloor) return -kErrTooComplex;
                    if (int r = evaluateUntilEnd(f, inner, marker, false)) return r;
                    if (t[m_pos] != ')') return -kErrSyntax;
                    --f.operatorCount;
                    if (f.operandCount != inner + 1) return -kErrSyntax;
                    ++m_pos;
                    if (int r = skipBlanksAtCursor()) return r;
                    expectOperand = false;
                    break;
                }
                if (expectOperand && (op == Op::Plus || op == Op::Minus)) {
                    op = op == Op::Plus ? Op::UnaryPlus : Op::UnaryMinus;
                }
                if (isUnary(op)) {
                    // Written after a variable, ++ and -- still change it
                    // before its value is used; nothing binary may follow.
                    if (f.operatorCount >= VariableFrame::kOperatorCapacity) return -kErrTooComplex;
                    f.operators[f.operatorCount++] = OperatorEntry{op, kUnaryPrecedence, 0};
                } else {
                    if (expectOperand) return -kErrSyntax;
                    const uint8_t prec = precedenceOf(op);
                    const bool rightToLeft = isAssignment(op);
                    while (f.operatorCount > sentinel + 1) {
                        const uint8_t top = f.operators[f.operatorCount - 1].precedence;
                        if (top < prec || (rightToLeft && top == prec)) break;
                        if (int r = apply(f, base, true)) return r;
                    }
                    if (f.operatorCount >= VariableFrame::kOperatorCapacity) return -kErrTooComplex;
                    f.operators[f.operatorCount++] = OperatorEntry{op, prec, 0};
                }
                if (int r = advance(tok)) return r;
                expectOperand = true;
                break;
            }
            case TokenKind::Other:
                return -kErrSyntax;
        }
    }
}

int MacroInterpreter::reduceAll(VariableFrame& f, uint32_t base, uint32_t sentinel, bool discard) {
    while (f.operatorCount > sentinel + 1) {
        // "s = s + t" at the end of an expression: the "+" and the "=" are
        // applied back to back, so appending t to s in place gives the same
        // value, store and result without copying s.
        if (f.operatorCount >= sentinel + 3 && f.operandCount >= base + 3 &&
            f.operators[f.operatorCount - 1].op == Op::Plus && f.operators[f.operatorCount - 2].op == Op::Assign) {
            Operand& target = f.operands[f.operandCount - 3];
            const Operand& left = f.operands[f.operandCount - 2];
            const Operand& tail = f.operands[f.operandCount - 1];
            if (target.kind == OperandKind::StrVar && left.kind == OperandKind::StrVar && tail.isStr() &&
                target.var.frame == left.var.frame && target.var.index == left.var.index) {
                std::string& s = target.var.frame->stringValue(target.var.index);
                const std::string& t = strOf(tail);
                if (s.size() + t.size() > m_limits.maxStringLength) return -kErrTooComplex;
                s += t;
                f.operatorCount -= 2;
                f.operandCount -= 2;
                target.kind = OperandKind::Str;
                const bool last = f.operatorCount == sentinel + 1;
                if (discard && last) {
                    target.text.clear();
                } else {
                    target.text = s;
                }
                afterStore();
                continue;
            }
        }
        // The last operator of an expression whose value nobody reads need
        // not copy its string result.
        const bool last = f.operatorCount == sentinel + 2;
        if (int r = apply(f, base, !(discard && last))) return r;
    }
    return 0;
}

int MacroInterpreter::apply(VariableFrame& f, uint32_t base, bool wantResult) {
    const Op op = f.operators[--f.operatorCount].op;
    if (isUnary(op)) return applyUnary(f, op, base);
    return applyBinary(f, op, base, wantResult);
}

int MacroInterpreter::applyUnary(VariableFrame& f, Op op, uint32_t base) {
    if (f.operandCount < base + 1) return -kErrTooComplex;
    Operand& a = f.operands[f.operandCount - 1];
    if (op == Op::Increment || op == Op::Decrement) {
        if (a.kind != OperandKind::IntVar) return -kErrSyntax;
        const int32_t v = op == Op::Increment ? wrapAdd(intOf(a), 1) : wrapSub(intOf(a), 1);
        a.var.frame->setInt(a.var.index, v);
        a.kind = OperandKind::Int;
        a.value = v;
        afterStore();
        return 0;
    }
    if (!a.isInt()) return -kErrSyntax;
    const int32_t v = intOf(a);
    a.kind = OperandKind::Int;
    switch (op) {
        case Op::UnaryPlus: a.value = v; break;
        case Op::UnaryMinus: a.value = wrapSub(0, v); break;
        case Op::BitNot: a.value = ~v; break;
        default: a.value = v == 0; break;  // LogicalNot
    }
    return 0;
}

int MacroInterpreter::applyBinary(VariableFrame& f, Op op, uint32_t base, bool wantResult) {
    if (f.operandCount < base + 2) return -kErrTooComplex;
    Operand& a = f.operands[f.operandCount - 2];
    Operand& b = f.operands[f.operandCount - 1];
    const bool assignment = isAssignment(op);
    if (!acceptsStrings(op) || b.isInt()) {
        if (!a.isInt() || !b.isInt()) return -kErrSyntax;
        if (assignment && a.kind != OperandKind::IntVar) return -kErrSyntax;
        const int32_t x = intOf(a);
        const int32_t y = intOf(b);
        int32_t result = 0;
        if (int r = integerOp(op, x, y, result)) return r;
        if (assignment) a.var.frame->setInt(a.var.index, result);
        a.kind = OperandKind::Int;
        a.value = result;
        --f.operandCount;
        if (assignment) afterStore();
        return 0;
    }
    // Both operands are strings.
    if (!a.isStr()) return -kErrSyntax;
    if (assignment) {
        if (a.kind != OperandKind::StrVar) return -kErrSyntax;
        std::string& target = a.var.frame->stringValue(a.var.index);
        if (op == Op::AddAssign) {
            const std::string& tail = strOf(b);
            if (target.size() + tail.size() > m_limits.maxStringLength) return -kErrTooComplex;
            target += tail;
        } else if (b.kind == OperandKind::Str) {
            target = std::move(b.text);
        } else {
            target = strOf(b);
        }
        a.kind = OperandKind::Str;
        if (wantResult) {
            a.text = target;
        } else {
            a.text.clear();
        }
        --f.operandCount;
        afterStore();
        return 0;
    }
    if (op == Op::Plus) {
        const std::string& tail = strOf(b);
        if (strOf(a).size() + tail.size() > m_limits.maxStringLength) return -kErrTooComplex;
        if (a.kind == OperandKind::Str) {
            a.text += tail;
        } else {
            std::string joined;
            joined.reserve(strOf(a).size() + tail.size());
            joined += strOf(a);
            joined += tail;
            a.text = std::move(joined);
            a.kind = OperandKind::Str;
        }
        --f.operandCount;
        return 0;
    }
    // Comparisons: byte order, letter case significant.
    const int c = strOf(a).compare(strOf(b));
    int32_t result = 0;
    switch (op) {
        case Op::Lt: result = c < 0; break;
        case Op::Le: result = c <= 0; break;
        case Op::Gt: result = c > 0; break;
        case Op::Ge: result = c >= 0; break;
        case Op::Eq: result = c == 0; break;
        default: result = c != 0; break;  // Ne
    }
    a.kind = OperandKind::Int;
    a.value = result;
    --f.operandCount;
    return 0;
}

int MacroInterpreter::pushVariable(VariableFrame& f, const Token* tok, uint32_t namePos) {
    const uint32_t nameId = static_cast<uint32_t>(tok->value);
    VariableFrame* holder = &f;
    int32_t index = f.find(nameId);
    if (index < 0 && f.enclosing() != nullptr) {
        holder = f.enclosing();
        index = holder->find(nameId);
    }
    if (index < 0) {
        m_pos = namePos;
        return -kErrNoVariable;
    }
    if (m_text[m_pos] == '[') {
        // Each subscript appends "[%d]": a[2][10] is the element named
        // "a[2][10]", created on first use in the frame of its base name.
        const Variable& baseVar = holder->variable(static_cast<uint32_t>(index));
        const uint8_t type = baseVar.type;
        std::string name = baseVar.name;
        std::string key = m_index.names().text(nameId);
        while (m_text[m_pos] == '[') {
            ++m_pos;
            int32_t subscript = 0;
            if (int r = evaluateInt(subscript)) return r;
            if (int r = skipBlanksAtCursor()) return r;
            if (m_text[m_pos] != ']') return -kErrSyntax;
            ++m_pos;
            if (int r = skipBlanksAtCursor()) return r;
            const std::string suffix = "[" + std::to_string(subscript) + "]";
            name += suffix;
            key += suffix;
        }
        const uint32_t elementId = m_index.names().intern(key);
        index = holder->find(elementId);
        if (index < 0) index = static_cast<int32_t>(holder->add(elementId, name, 0, type));
    }
    if (f.operandCount >= VariableFrame::kOperandCapacity) return -kErrTooComplex;
    Operand& o = f.operands[f.operandCount++];
    const uint8_t type = holder->variable(static_cast<uint32_t>(index)).type;
    if (type == kTypeVoid) {
        // A parameter written without a type is bound to nothing and reads
        // as the integer 0.
        o.kind = OperandKind::Int;
        o.value = 0;
        return 0;
    }
    o.kind = type == kTypeStr ? OperandKind::StrVar : OperandKind::IntVar;
    o.var = VariableRef{holder, static_cast<uint32_t>(index)};
    return 0;
}

}  // namespace orvex::orxmac
