#pragma once
// The macro interpreter: loads a program and runs it by walking its source
// text with a cursor.
//
// There is no token list, tree or byte code. Statements execute where they
// stand, loops move the cursor back to their head, branches not taken are
// skipped with the scanner's skipping rules, and expressions are evaluated
// by operator precedence on the current frame's two small stacks. What the
// scanner finds at a position is remembered (SourceIndex), which changes
// nothing observable: every status, error number and error position is
// that of a fresh reading.
//
// One run: clear everything; load (find the functions, execute the global
// declarations in text order); run main's body as a block in a frame whose
// enclosing frame is the global frame. The first error ends the run, with
// the cursor where the error was found. Before each statement and on block
// entry the step hook polls the stop flag and, in step mode, reports the
// position to the notifier.
//
// Threading: a run happens on one thread (the macro thread); only the
// RunControl words are shared with other threads.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "orxmac/BuiltinRegistry.h"
#include "orxmac/MacroSource.h"
#include "orxmac/Operand.h"
#include "orxmac/RunControl.h"
#include "orxmac/SourceIndex.h"
#include "orxmac/VariableFrame.h"

namespace orvex {
class MessageBoxes;
}

namespace orvex::orxmac {

// Statement statuses (a negative value is an error number or kStopped).
enum StatementStatus : int {
    kStatusNormal = 0,
    kStatusContinue = 1,
    kStatusBreak = 2,
    kStatusReturn = 3,
    kStatusGoto = 4,
    kStatusExit = 5,
};

struct MacroLimits {
    // Nested blocks, compound statements, statement skips and function calls
    // together (about 2000 levels of plain recursion). Deeper programs fail
    // with error 2. Independently of this count the thread's real stack is
    // checked (StackLimit.h), so no program overflows it in any build.
    uint32_t maxNesting = 4000;
    // Longest string value; longer results fail with error 2.
    size_t maxStringLength = size_t{256} << 20;
    // Statements (step hooks) a run may execute; 0 is no limit. A run that
    // exhausts it ends like a stopped run (kStopped).
    uint64_t statementBudget = 0;
};

struct MacroFunction {
    std::string name;        // as written
    uint32_t nameId = 0;
    uint32_t parenPos = 0;   // the "(" of the parameter list
    uint32_t bodyPos = 0;    // the "{" of the body
    uint8_t type = kTypeInt;
    uint32_t paramCount = 0;
};

class MacroInterpreter {
public:
    MacroInterpreter();
    ~MacroInterpreter();
    MacroInterpreter(const MacroInterpreter&) = delete;
    MacroInterpreter& operator=(const MacroInterpreter&) = delete;

    // Built-ins found after the user's functions; none when null.
    void setBuiltins(const BuiltinRegistry* builtins) { m_builtins = builtins; }
    // Stop flag, step mode and notifier; none when null.
    void setControl(RunControl* control) { m_control = control; }
    void setLimits(const MacroLimits& limits) { m_limits = limits; }
    const MacroLimits& limits() const { return m_limits; }

    // Executes one run of the program. Returns 0 when it completed (also by
    // exit), a negative error number, or kStopped. The source must stay
    // alive while the interpreter is used.
    int run(const MacroSource& source);
    // Only the load-time scan (functions, main, global declarations).
    int load(const MacroSource& source);

    // End of a run: unless a stop was requested, a negative result is shown
    // in the error box; then the notifier, if any, receives the result and
    // the cursor's offset.
    void reportEnd(int result, MessageBoxes* boxes);

    // State after (or during) a run.
    uint32_t cursor() const { return m_pos; }
    const MacroSource* source() const { return m_source; }
    const VariableFrame& globals() const { return m_globals; }
    const std::vector<MacroFunction>& functions() const { return m_functions; }
    int32_t mainIndex() const { return m_mainIndex; }
    uint64_t statementsExecuted() const { return m_statements; }
    bool budgetExhausted() const { return m_budgetExhausted; }
    // The frame the run is executing in (the globals while loading).
    VariableFrame& currentFrame() { return *m_frame; }

    // Expression evaluation at the cursor in the current frame, for the
    // statements and the built-ins. evaluate leaves exactly one operand on
    // the frame's operand stack; the others take the value of the wanted
    // kind (the other kind is error 1) and pop it. They return 0, a negative
    // error, or kStatusExit when a called function ended the run with exit.
    int evaluate();
    int evaluateInt(int32_t& value);
    int evaluateStr(std::string& value);

    // Argument helpers for built-ins: one argument (an empty one is error
    // 26), the "," between arguments and the closing ")" (else error 26).
    int argInt(int32_t& value);
    int argStr(std::string& value);
    // A string variable argument, changed in place by the built-in through
    // stringVariable(); anything else is error 1.
    int argStrVariable(VariableRef& ref);
    int argSeparator();
    int argEnd();
    std::string& stringVariable(const VariableRef& ref) { return ref.frame->stringValue(ref.index); }
    // Tells the debugger that a built-in changed a variable.
    void variableStored() { afterStore(); }

    // Sends the frame's and its enclosing frame's variables to the notifier
    // (only in step mode, with a notifier, while no stop is requested).
    void showVariables(const VariableFrame& frame);

private:
    struct LabelScan {
        int error = 0;
        uint32_t errorPos = 0;
        std::vector<Label> labels;
    };

    void resetRun(const MacroSource& source);
    int loadProgram();

    // Statements (MacroStatements.cpp).
    int execStatement();
    int execBlock();
    int execDeclaration(VariableFrame& frame, uint8_t type);
    int execExpressionStatement();
    // The integer condition of if, while, do-while and switch, read from
    // the cursor up to and over its closing ")" (else closeError).
    int parenthesisedCondition(int32_t& value, int closeError);
    // After one item of an argument or parameter list: over a "," to the
    // next item (more is true) or onto the closing ")" (more is false);
    // anything else is error 26.
    int listSeparator(bool& more);
    int execIf(const Token* tok);
    int execFor(const Token* tok);
    int execWhile(const Token* tok);
    int execDo(const Token* tok);
    int execSwitch(const Token* tok);
    int execReturn(const Token* tok);
    int execExit(const Token* tok);
    int execGoto(const Token* tok);
    int execJump(const Token* tok, int status);
    int evaluateDiscarded();
    int stepHook(uint32_t position);

    // Statement skipping (MacroSkip.cpp).
    int skipStatement(uint32_t& pos);
    int skipStatementUncached(uint32_t& pos);
    bool elseAt(uint32_t pos, uint32_t& after);

    // Expressions (MacroExpressions.cpp).
    int evaluateUntilEnd(VariableFrame& f, uint32_t base, uint32_t sentinel, bool discard);
    int reduceAll(VariableFrame& f, uint32_t base, uint32_t sentinel, bool discard);
    int apply(VariableFrame& f, uint32_t base, bool wantResult);
    int applyUnary(VariableFrame& f, scan::Op op, uint32_t base);
    int applyBinary(VariableFrame& f, scan::Op op, uint32_t base, bool wantResult);
    int pushVariable(VariableFrame& f, const Token* tok, uint32_t namePos);
    int pushInt(VariableFrame& f, int32_t value);
    int pushStr(VariableFrame& f, const std::string& value);
    int32_t intOf(const Operand& o) const;
    const std::string& strOf(const Operand& o) const;
    // Moves the cursor behind the token and the blanks after it.
    int advance(const Token* tok) {
        if (tok->next != kNoPos) {
            m_pos = tok->next;
            return 0;
        }
        m_pos = tok->end;
        return skipBlanksAtCursor();
    }
    int skipBlanksAtCursor() { return scan::skipBlanks(m_text, m_pos); }
    int tokenAtCursor(const Token*& tok) {
        uint32_t errPos = 0;
        if (int r = m_index.token(m_pos, tok, errPos)) {
            m_pos = errPos;
            return r;
        }
        return 0;
    }
    void afterStore();

    // Calls (MacroCalls.cpp).
    int callFunction(VariableFrame& caller, const Token* nameTok, uint32_t namePos);
    int callUser(VariableFrame& caller, const MacroFunction& fn);
    int callBuiltin(VariableFrame& caller, const Token* nameTok, uint32_t namePos);
    int declareParameters(VariableFrame& frame, VariableFrame& caller, uint32_t argBase, uint32_t count);
    int enterLabels(VariableFrame& frame, uint32_t bodyPos);
    const LabelScan& labelsOf(uint32_t bodyPos);
    VariableFrame& acquireFrame();
    void releaseFrame();

    class NestingGuard;

    const MacroSource* m_source = nullptr;
    const uint8_t* m_text = nullptr;
    SourceIndex m_index;
    uint32_t m_pos = 0;

    std::vector<MacroFunction> m_functions;
    std::unordered_map<uint32_t, uint32_t> m_functionByName;
    int32_t m_mainIndex = -1;

    VariableFrame m_globals;
    VariableFrame* m_frame = &m_globals;
    std::vector<std::unique_ptr<VariableFrame>> m_framePool;
    uint32_t m_framesInUse = 0;
    std::unordered_map<uint32_t, LabelScan> m_labelScans;  // by body position

    const BuiltinRegistry* m_builtins = nullptr;
    std::unordered_map<uint32_t, const BuiltinFunction*> m_builtinByName;
    RunControl* m_control = nullptr;

    MacroLimits m_limits;
    uint32_t m_nesting = 0;
    uintptr_t m_stackFloor = 0;  // see StackLimit.h
    uint64_t m_statements = 0;
    bool m_budgetExhausted = false;
};

}  // namespace orvex::orxmac
