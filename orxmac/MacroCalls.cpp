// Function calls: user functions first, then built-ins; labels of a
// function body.
#include "orxmac/MacroError.h"
#include "orxmac/MacroInterpreter.h"
#include "orxmac/NestingGuard.h"

namespace orvex::orxmac {

using scan::Keyword;

VariableFrame& MacroInterpreter::acquireFrame() {
    if (m_framesInUse == m_framePool.size()) m_framePool.push_back(std::make_unique<VariableFrame>());
    return *m_framePool[m_framesInUse++];
}

void MacroInterpreter::releaseFrame() { --m_framesInUse; }

int MacroInterpreter::callFunction(VariableFrame& caller, const Token* nameTok, uint32_t namePos) {
    auto it = m_functionByName.find(static_cast<uint32_t>(nameTok->value));
    if (it != m_functionByName.end()) return callUser(caller, m_functions[it->second]);
    return callBuiltin(caller, nameTok, namePos);
}

int MacroInterpreter::callBuiltin(VariableFrame& caller, const Token* nameTok, uint32_t namePos) {
    const uint32_t nameId = static_cast<uint32_t>(nameTok->value);
    const BuiltinFunction* fn = nullptr;
    auto cached = m_builtinByName.find(nameId);
    if (cached != m_builtinByName.end()) {
        fn = cached->second;
    } else {
        if (m_builtins != nullptr) {
            fn = m_builtins->find(std::string_view(reinterpret_cast<const char*>(m_text + namePos),
                                                   nameTok->end - namePos));
        }
        m_builtinByName.emplace(nameId, fn);
    }
    if (fn == nullptr) {
        m_pos = namePos;
        return -kErrNoFunction;
    }
    ++m_pos;  // the "("
    if (int r = skipBlanksAtCursor()) return r;
    BuiltinResult result;
    if (int r = (*fn)(*this, result)) return r;
    if (int r = skipBlanksAtCursor()) return r;
    // A built-in that ends the run (none does today) would return it above;
    // its value goes onto the caller's stack.
    if (result.isString) {
        if (result.text.size() > m_limits.maxStringLength) return -kErrTooComplex;
        if (caller.operandCount >= VariableFrame::kOperandCapacity) return -kErrTooComplex;
        Operand& o = caller.operands[caller.operandCount++];
        o.kind = OperandKind::Str;
        o.text = std::move(result.text);
        return 0;
    }
    return pushInt(caller, result.value);
}

int MacroInterpreter::callUser(VariableFrame& caller, const MacroFunction& fn) {
    const uint8_t* t = m_text;
    // Arguments, onto the caller's operand stack.
    ++m_pos;
    if (int r = skipBlanksAtCursor()) return r;
    const uint32_t argBase = caller.operandCount;
    uint32_t count = 0;
    if (t[m_pos] != ')') {
        for (;;) {
            if (t[m_pos] == ',' || t[m_pos] == ')') return -kErrArguments;
            if (int r = evaluate()) return r;
            ++count;
            bool more = false;
            if (int r = listSeparator(more)) return r;
            if (!more) break;
        }
    }
    if (count != fn.paramCount) return -kErrArguments;
    const uint32_t returnPos = m_pos + 1;

    NestingGuard guard(*this);
    if (guard.tooDeep()) return -kErrTooComplex;
    // The new frame sees its own variables and the globals, never the
    // caller's.
    VariableFrame& frame = acquireFrame();
    frame.reset(&m_globals, fn.type);
    struct Restore {
        MacroInterpreter& self;
        VariableFrame* frame;
        ~Restore() {
            self.m_frame = frame;
            self.releaseFrame();
        }
    } restore{*this, m_frame};
    m_frame = &frame;

    m_pos = fn.parenPos + 1;
    if (int r = declareParameters(frame, caller, argBase, count)) return r;
    m_pos = fn.bodyPos;
    if (int r = enterLabels(frame, fn.bodyPos)) return r;
    const int status = execBlock();
    if (status < 0) return status;
    if (status == kStatusExit) return kStatusExit;  // ends the whole run after the call

    // The value: what return left on the frame's stack, if of the
    // function's kind; a void function yields the integer 0.
    const bool returned = status == kStatusReturn && frame.operandCount > 0;
    const Operand* value = returned ? &frame.operands[frame.operandCount - 1] : nullptr;
    m_pos = returnPos;
    if (int r = skipBlanksAtCursor()) return r;
    if (fn.type == kTypeStr) {
        if (caller.operandCount >= VariableFrame::kOperandCapacity) return -kErrTooComplex;
        Operand& o = caller.operands[caller.operandCount++];
        o.kind = OperandKind::Str;
        if (value == nullptr || !value->isStr()) {
            o.text.clear();
        } else if (value->kind == OperandKind::Str) {
            o.text = std::move(frame.operands[frame.operandCount - 1].text);
        } else {
            o.text = strOf(*value);
        }
        return 0;
    }
    const int32_t v = (fn.type == kTypeInt && value != nullptr && value->isInt()) ? intOf(*value) : 0;
    return pushInt(caller, v);
}

// Declares the parameters written in the definition (each "int" or "str"
// and a name; a name alone is untyped) and binds the arguments on the
// caller's stack to them, from the last to the first.
int MacroInterpreter::declareParameters(VariableFrame& frame, VariableFrame& caller, uint32_t argBase,
                                        uint32_t count) {
    const uint8_t* t = m_text;
    uint32_t indexes[VariableFrame::kOperandCapacity];
    uint32_t positions[VariableFrame::kOperandCapacity];
    uint32_t declared = 0;
    if (int r = skipBlanksAtCursor()) return r;
    if (t[m_pos] != ')') {
        for (;;) {
            uint32_t end = scan::identifierEnd(t, m_pos);
            if (end == m_pos) return -kErrArguments;
            uint8_t type = kTypeVoid;
            Keyword word = scan::keywordOf(t, m_pos, end);
            if (word == Keyword::Int || word == Keyword::Str) {
                type = word == Keyword::Int ? kTypeInt : kTypeStr;
                m_pos = end;
                if (int r = skipBlanksAtCursor()) return r;
                end = scan::identifierEnd(t, m_pos);
                if (end == m_pos) return -kErrArguments;
                word = scan::keywordOf(t, m_pos, end);
            }
            if (scan::isReserved(word)) return -kErrReservedWord;
            const uint32_t namePos = m_pos;
            const Token* tok = nullptr;
            if (int r = tokenAtCursor(tok)) return r;
            const uint32_t nameId = static_cast<uint32_t>(tok->value);
            if (frame.find(nameId) >= 0) return -kErrVariableTwice;
            if (declared >= count) return -kErrArguments;  // cannot happen: counted at load
            indexes[declared] = frame.add(
                nameId, std::string_view(reinterpret_cast<const char*>(t + namePos), end - namePos), namePos, type);
            positions[declared] = namePos;
            ++declared;
            m_pos = end;
            bool more = false;
            if (int r = listSeparator(more)) return r;
            if (!more) break;
        }
    }
    if (declared != count) return -kErrArguments;
    for (uint32_t k = count; k-- > 0;) {
        const Operand& arg = caller.operands[argBase + k];
        const uint32_t index = indexes[k];
        const uint8_t type = frame.variable(index).type;
        if (type == kTypeInt) {
            if (!arg.isInt()) return (m_pos = positions[k], -kErrSyntax);
            frame.setInt(index, intOf(arg));
        } else if (type == kTypeStr) {
            if (!arg.isStr()) return (m_pos = positions[k], -kErrSyntax);
            frame.stringValue(index) = strOf(arg);
        }
    }
    caller.operandCount = argBase;
    return 0;
}

int MacroInterpreter::enterLabels(VariableFrame& frame, uint32_t bodyPos) {
    const LabelScan& found = labelsOf(bodyPos);
    if (found.error != 0) {
        m_pos = found.errorPos;
        return found.error;
    }
    frame.labels = &found.labels;
    return 0;
}

// The labels of a function body: every name directly followed by a colon,
// in the body and its nested blocks, but not inside the parentheses and
// body of a switch. The scan only looks for labels; a broken literal or
// comment stops it quietly (running into it reports the error).
const MacroInterpreter::LabelScan& MacroInterpreter::labelsOf(uint32_t bodyPos) {
    auto found = m_labelScans.find(bodyPos);
    if (found != m_labelScans.end()) return found->second;
    LabelScan& result = m_labelScans[bodyPos];
    const uint8_t* t = m_text;
    std::vector<uint32_t> blocks{bodyPos};
    uint32_t p = bodyPos + 1;
    while (!blocks.empty()) {
        if (scan::skipBlanks(t, p) != 0) break;
        const uint8_t c = t[p];
        if (c == 0) break;
        if (c == '{') {
            blocks.push_back(p++);
        } else if (c == '}') {
            blocks.pop_back();
            ++p;
        } else if (c == '"' || c == '\'') {
            if (scan::skipLiteral(t, p) != 0) break;
        } else if (scan::isIdentStart(c)) {
            const uint32_t end = scan::identifierEnd(t, p);
            const Keyword word = scan::keywordOf(t, p, end);
            if (word == Keyword::Switch) {
                p = end;
                if (scan::skipBlanks(t, p) != 0) break;
                if (t[p] == '(' && scan::skipGroup(t, p) != 0) break;
                if (scan::skipBlanks(t, p) != 0) break;
                if (t[p] == '{' && scan::skipGroup(t, p) != 0) break;
                continue;
            }
            if (t[end] == ':' && !scan::isReserved(word)) {
                const std::string name(reinterpret_cast<const char*>(t + p), end - p);
                for (const Label& label : result.labels) {
                    if (label.name == name) {
                        result.error = -kErrLabelTwice;
                        result.errorPos = p;
                        return result;
                    }
                }
                result.labels.push_back(Label{name, end + 1, blocks.back()});
                p = end + 1;
                continue;
            }
            p = end;
        } else if (scan::isDigit(c)) {
            while (scan::isIdentChar(t[p])) ++p;
        } else {
            p += scan::charBytes(t, p);
        }
    }
    return result;
}

}  // namespace orvex::orxmac
