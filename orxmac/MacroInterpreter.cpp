#include "orxmac/MacroInterpreter.h"

#include <cstdio>
#include <new>

#include "common/platform/MessageBoxes.h"
#include "orxmac/MacroError.h"
#include "orxmac/MacroTexts.h"
#include "orxmac/StackLimit.h"

namespace orvex::orxmac {

using scan::Keyword;

MacroInterpreter::MacroInterpreter() = default;
MacroInterpreter::~MacroInterpreter() = default;

void MacroInterpreter::resetRun(const MacroSource& source) {
    m_source = &source;
    m_text = source.bytes();
    m_index.reset(source);
    m_pos = 0;
    m_functions.clear();
    m_functionByName.clear();
    m_mainIndex = -1;
    m_globals.reset(nullptr, kTypeInt);
    m_frame = &m_globals;
    m_framesInUse = 0;
    m_labelScans.clear();
    m_builtinByName.clear();
    m_nesting = 0;
    m_stackFloor = stackFloor();
    m_statements = 0;
    m_budgetExhausted = false;
}

int MacroInterpreter::load(const MacroSource& source) {
    resetRun(source);
    try {
        const int r = loadProgram();
        return r == kStatusExit ? 0 : r;
    } catch (const std::bad_alloc&) {
        return -kErrTooComplex;
    }
}

int MacroInterpreter::run(const MacroSource& source) {
    resetRun(source);
    try {
        int r = loadProgram();
        if (r == kStatusExit) return 0;  // exit in a global initialiser ends the run
        if (r != 0) return r;
        // main's parameter list is passed over: its arguments are ignored.
        const MacroFunction& main = m_functions[static_cast<size_t>(m_mainIndex)];
        VariableFrame& frame = acquireFrame();
        frame.reset(&m_globals, main.type);
        m_frame = &frame;
        m_pos = main.bodyPos;
        if (int e = enterLabels(frame, main.bodyPos)) return e;
        const int status = execBlock();
        return status < 0 ? status : 0;
    } catch (const std::bad_alloc&) {
        // A program that asks for more memory than there is fails like one
        // whose expression is too complex, instead of ending the thread.
        return -kErrTooComplex;
    }
}

// The load-time scan: repeated heads of functions and global declarations.
int MacroInterpreter::loadProgram() {
    const uint8_t* t = m_text;
    for (;;) {
        if (int r = skipBlanksAtCursor()) return r;
        if (t[m_pos] == 0) return m_mainIndex < 0 ? -kErrNoMain : 0;

        uint32_t nameEnd = scan::identifierEnd(t, m_pos);
        if (nameEnd == m_pos) return -kErrSyntax;
        uint8_t type = kTypeInt;
        Keyword word = scan::keywordOf(t, m_pos, nameEnd);
        if (word == Keyword::Int || word == Keyword::Str || word == Keyword::Void) {
            type = word == Keyword::Int ? kTypeInt : word == Keyword::Str ? kTypeStr : kTypeVoid;
            m_pos = nameEnd;
            if (int r = skipBlanksAtCursor()) return r;
            nameEnd = scan::identifierEnd(t, m_pos);
            if (nameEnd == m_pos) return -kErrSyntax;
            word = scan::keywordOf(t, m_pos, nameEnd);
        }
        const uint32_t namePos = m_pos;
        if (scan::isReserved(word)) return -kErrReservedWord;
        const Token* nameTok = nullptr;
        uint32_t errPos = 0;
        if (int r = m_index.token(namePos, nameTok, errPos)) return r;  // cannot fail on a name
        m_pos = nameEnd;
        if (int r = skipBlanksAtCursor()) return r;

        const uint8_t c = t[m_pos];
        if (c == '(') {
            const uint32_t nameId = static_cast<uint32_t>(nameTok->value);
            if (m_functionByName.count(nameId)) {
                m_pos = namePos;
                return -kErrFunctionTwice;
            }
            MacroFunction fn;
            fn.name.assign(reinterpret_cast<const char*>(t + namePos), nameEnd - namePos);
            fn.nameId = nameId;
            fn.parenPos = m_pos;
            fn.type = type;
            // The parameter items are only counted here; their shape is
            // checked when the function is called.
            ++m_pos;
            if (int r = skipBlanksAtCursor()) return r;
            if (t[m_pos] == ')') {
                ++m_pos;
            } else {
                for (;;) {
                    if (int r = m_index.skipExpression(m_pos)) return r;
                    ++fn.paramCount;
                    if (t[m_pos] == ',') {
                        ++m_pos;
                    } else if (t[m_pos] == ')') {
                        ++m_pos;
                        break;
                    } else {
                        return -kErrArguments;
                    }
                }
            }
            if (int r = skipBlanksAtCursor()) return r;
            if (t[m_pos] != '{') return -kErrNoOpenBrace;
            fn.bodyPos = m_pos;
            if (int r = m_index.skipGroup(m_pos)) return r;
            if (word == Keyword::Main) m_mainIndex = static_cast<int32_t>(m_functions.size());
            m_functionByName.emplace(nameId, static_cast<uint32_t>(m_functions.size()));
            m_functions.push_back(std::move(fn));
        } else if (c == ',' || c == ';' || c == '=' || c == '[') {
            if (type == kTypeVoid) return -kErrSyntax;
            // A global declaration runs at once, from its name on: its
            // initialisers see the globals declared before it and the
            // functions defined above it.
            m_pos = namePos;
            if (int r = execDeclaration(m_globals, type)) return r;
        } else {
            return -kErrSyntax;
        }
    }
}

int MacroInterpreter::stepHook(uint32_t position) {
    ++m_statements;
    if (m_limits.statementBudget != 0 && m_statements > m_limits.statementBudget) {
        m_budgetExhausted = true;
        return kStopped;
    }
    if (m_control == nullptr) return 0;
    if (m_control->stopRequested()) return kStopped;
    if (m_control->stepping() && m_control->notifier != nullptr) {
        // The receiver holds the macro thread here until the user goes on.
        m_control->notifier->stepNotification(position);
        if (m_control->stopRequested()) return kStopped;
    }
    return 0;
}

void MacroInterpreter::afterStore() {
    if (m_control != nullptr && m_control->notifier != nullptr && m_control->stepping()) showVariables(*m_frame);
}

void MacroInterpreter::showVariables(const VariableFrame& frame) {
    if (m_control == nullptr || m_control->notifier == nullptr || !m_control->stepping() ||
        m_control->stopRequested())
        return;
    RunNotifier& n = *m_control->notifier;
    std::string line;
    for (const VariableFrame* f = &frame; f != nullptr; f = f->enclosing()) {
        const bool local = f != &m_globals;
        n.clearVariables(local);
        for (uint32_t i = 0; i < f->variableCount(); ++i) {
            const Variable& v = f->variable(i);
            line = v.name;
            line += " = ";
            if (v.type == kTypeStr) {
                // The list shows one line: the value is cut before its first line end.
                const std::string& s = f->stringValue(i);
                line.append(s, 0, s.find_first_of("\r\n\f"));
            } else {
                line += std::to_string(v.type == kTypeInt ? v.value : 0);
            }
            n.addVariable(local, line);
        }
    }
}

void MacroInterpreter::reportEnd(int result, MessageBoxes* boxes) {
    const bool stopped = m_control != nullptr && m_control->stopRequested();
    if (result < 0 && !stopped && result != kStopped && boxes != nullptr && m_source != nullptr) {
        MessageRequest request;
        request.text = errorReportText(result, m_source->withTerminator(), m_pos);
        request.caption = std::string(kErrorBoxCaption);
        request.icon = MsgIcon::Question;
        request.buttons = MsgButtons::Ok;
        boxes->show(request);
    }
    if (m_control != nullptr && m_control->notifier != nullptr) m_control->notifier->resultNotification(result, m_pos);
}

int MacroInterpreter::evaluateInt(int32_t& value) {
    if (int r = evaluate()) return r;
    VariableFrame& f = *m_frame;
    const Operand& o = f.operands[f.operandCount - 1];
    if (!o.isInt()) return -kErrSyntax;
    value = intOf(o);
    --f.operandCount;
    return 0;
}

int MacroInterpreter::evaluateStr(std::string& value) {
    if (int r = evaluate()) return r;
    VariableFrame& f = *m_frame;
    const Operand& o = f.operands[f.operandCount - 1];
    if (!o.isStr()) return -kErrSyntax;
    value = strOf(o);
    --f.operandCount;
    return 0;
}

namespace {

bool emptyArgument(const uint8_t* t, uint32_t pos) { return t[pos] == ',' || t[pos] == ')'; }

}  // namespace

int MacroInterpreter::argInt(int32_t& value) {
    if (int r = skipBlanksAtCursor()) return r;
    if (emptyArgument(m_text, m_pos)) return -kErrArguments;
    return evaluateInt(value);
}

int MacroInterpreter::argStr(std::string& value) {
    if (int r = skipBlanksAtCursor()) return r;
    if (emptyArgument(m_text, m_pos)) return -kErrArguments;
    return evaluateStr(value);
}

int MacroInterpreter::argStrVariable(VariableRef& ref) {
    if (int r = skipBlanksAtCursor()) return r;
    if (emptyArgument(m_text, m_pos)) return -kErrArguments;
    if (int r = evaluate()) return r;
    VariableFrame& f = *m_frame;
    const Operand& o = f.operands[f.operandCount - 1];
    if (o.kind != OperandKind::StrVar) return -kErrSyntax;
    ref = o.var;
    --f.operandCount;
    return 0;
}

int MacroInterpreter::argSeparator() {
    if (int r = skipBlanksAtCursor()) return r;
    if (m_text[m_pos] != ',') return -kErrArguments;
    ++m_pos;
    return skipBlanksAtCursor();
}

int MacroInterpreter::argEnd() {
    if (int r = skipBlanksAtCursor()) return r;
    if (m_text[m_pos] != ')') return -kErrArguments;
    ++m_pos;
    return 0;
}

}  // namespace orvex::orxmac
