// Function calls: frames, parameters, return values, recursion, exit, and
// the built-in registry.
#include <gtest/gtest.h>
#include <pthread.h>

#include <string>

#include "MacroTestSupport.h"

using namespace orvex::orxmac;
using namespace orvex::orxmac::test;

TEST(MacroCalls, AFunctionSeesItsLocalsAndTheGlobalsOnly) {
    MacroRun hides("int v = 1, seen;\nf() { int v = 5; seen = v; }\nmain() { f(); }\n");
    ASSERT_EQ(hides.run(), 0);
    EXPECT_EQ(hides.intGlobal("seen"), 5);
    EXPECT_EQ(hides.intGlobal("v"), 1);

    const char* program = "int seen;\nf() { seen = mine; }\nmain() { int mine = 3; f(); }\n";
    MacroRun cannotSeeCaller(program);
    EXPECT_EQ(cannotSeeCaller.run(), -kErrNoVariable);
    EXPECT_EQ(cannotSeeCaller.cursor(), positionOf(program, "mine;"));
}

TEST(MacroCalls, RecursionGivesEachCallItsOwnFrame) {
    MacroRun fib("int r;\nint fib(int n) { int a, b; if (n < 2) return n; a = fib(n - 1); b = fib(n - 2); return a + b; }\n"
                 "main() { r = fib(15); }\n");
    ASSERT_EQ(fib.run(), 0);
    EXPECT_EQ(fib.intGlobal("r"), 610);

    MacroRun strings("str r;\nstr rev(str s, int n) { if (n == 0) return \"\"; return rev(s, n - 1) + s; }\n"
                     "main() { r = rev(\"ab\", 3); }\n");
    ASSERT_EQ(strings.run(), 0);
    EXPECT_EQ(strings.strGlobal("r"), "ababab");
}

TEST(MacroCalls, EndlessRecursionFailsWith2InsteadOfOverflowingTheStack) {
    const char* program = "int depth;\nf() { depth++; f(); }\nmain() { f(); }\n";
    MacroRun m(program);
    EXPECT_EQ(m.run(), -kErrTooComplex);
    EXPECT_GT(m.intGlobal("depth"), 500);
    // Recursion within the limit works however it is nested.
    MacroRun deep("int r;\nint sum(int n) { if (n == 0) return 0; return n + sum(n - 1); }\nmain() { r = sum(1000); }\n");
    ASSERT_EQ(deep.run(), 0);
    EXPECT_EQ(deep.intGlobal("r"), 500500);
}

TEST(MacroCalls, RecursionOnASmallThreadStackFailsWith2) {
    // The real stack is watched as well as the nesting count: a thread with
    // 256 KiB of stack ends deep recursion inside parentheses with error 2.
    struct Job {
        int result = 1;
        int depth = 0;
        static void* run(void* arg) {
            auto* job = static_cast<Job*>(arg);
            MacroRun m("int d;\nf(int n) { d = n; return (((((((((((((f(n + 1))))))))))))); }\nmain() { f(0); }\n");
            job->result = m.run();
            job->depth = m.intGlobal("d");
            return nullptr;
        }
    } job;
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, 256 * 1024), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr, &Job::run, &job), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    EXPECT_EQ(job.result, -kErrTooComplex);
    EXPECT_GT(job.depth, 5);
}

TEST(MacroCalls, DeepNestingOfBlocksAndStatementsFailsWith2) {
    const std::string blocks = "main() " + std::string(20000, '{') + std::string(20000, '}');
    MacroRun b(blocks);
    EXPECT_EQ(b.run(), -kErrTooComplex);
    std::string ifs = "main() { ";
    for (int n = 0; n < 20000; ++n) ifs += "if (1) ";
    ifs += "; }";
    MacroRun i(ifs);
    EXPECT_EQ(i.run(), -kErrTooComplex);
    std::string skipped = "main() { if (0) ";
    for (int n = 0; n < 20000; ++n) skipped += "while (1) ";
    skipped += "; }";
    MacroRun s(skipped);
    EXPECT_EQ(s.run(), -kErrTooComplex);
    // A long else-if chain within the limit runs.
    std::string chain = "int r;\nmain() { int n = 300; ";
    for (int n = 0; n < 400; ++n) chain += "if (n == " + std::to_string(n) + ") r = " + std::to_string(n) + "; else ";
    chain += "r = -1; }";
    MacroRun c(chain);
    ASSERT_EQ(c.run(), 0);
    EXPECT_EQ(c.intGlobal("r"), 300);
}

TEST(MacroCalls, ArgumentsBindFromTheLastParameterToTheFirst) {
    // The kind error of the last argument is found first, at its parameter.
    const char* program = "f(int a, str b) { }\nmain() { f(\"x\", 2); }\n";
    MacroRun m(program);
    EXPECT_EQ(m.run(), -kErrSyntax);
    EXPECT_EQ(m.cursor(), positionOf(program, "b)"));
    const char* first = "f(int a, str b) { }\nmain() { f(\"x\", \"y\"); }\n";
    MacroRun f(first);
    EXPECT_EQ(f.run(), -kErrSyntax);
    EXPECT_EQ(f.cursor(), positionOf(first, "a,"));
}

TEST(MacroCalls, ReturnValuesFollowTheFunctionType) {
    MacroRun m(
        "int a, b, c, d, e; str s, t;\n"
        "int none() { }\n"
        "int wrong() { return \"x\"; }\n"
        "str sNone() { return; }\n"
        "str sWrong() { return 5; }\n"
        "void v() { return 9; }\n"
        "int early() { return 4; return 5; }\n"
        "untyped() { return 7; }\n"
        "int fromVar() { int x = 11; return x; }\n"
        "main() { a = none(); b = wrong(); s = sNone(); t = sWrong(); c = v(); d = early() + untyped(); e = fromVar(); }\n");
    ASSERT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("a"), 0);
    EXPECT_EQ(m.intGlobal("b"), 0);
    EXPECT_EQ(m.strGlobal("s"), "");
    EXPECT_EQ(m.strGlobal("t"), "");
    EXPECT_EQ(m.intGlobal("c"), 0);
    EXPECT_EQ(m.intGlobal("d"), 11);
    EXPECT_EQ(m.intGlobal("e"), 11);
}

TEST(MacroCalls, UntypedParameterReadsAsZeroAndCannotBeAssigned) {
    MacroRun m("int r;\nf(x, int y) { r = x + y; }\nmain() { f(5, 2); }\n");
    ASSERT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("r"), 2);
    MacroRun s("int r;\nf(x) { r = x; }\nmain() { f(\"strings too\"); }\n");
    ASSERT_EQ(s.run(), 0);
    EXPECT_EQ(s.intGlobal("r"), 0);
    const char* program = "f(x) { x = 1; }\nmain() { f(5); }\n";
    MacroRun assign(program);
    EXPECT_EQ(assign.run(), -kErrSyntax);
}

TEST(MacroCalls, ExitInsideAFunctionEndsTheWholeRun) {
    MacroRun m("int r;\nf() { r = 1; exit; r = 2; }\nmain() { f(); r = 3; }\n");
    EXPECT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("r"), 1);
    MacroRun nested("int r;\nint g() { while (1) { exit 5; } }\nmain() { r = 1 + g(); r = 9; }\n");
    EXPECT_EQ(nested.run(), 0);
    EXPECT_EQ(nested.intGlobal("r"), 0);
}

TEST(MacroCalls, MainIgnoresItsParametersAndMayBeCalledAgain) {
    MacroRun m("int r;\nmain(int a, str b) { r++; if (r < 3) main(1, \"x\"); }\n");
    ASSERT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("r"), 3);
}

struct CallErrorRow {
    const char* program;
    int error;
    const char* at;
};

inline void PrintTo(const CallErrorRow& row, std::ostream* os) { *os << printable(row.program); }

class MacroCallErrors : public ::testing::TestWithParam<CallErrorRow> {};

TEST_P(MacroCallErrors, ReportNumberAndPosition) {
    const CallErrorRow& row = GetParam();
    MacroRun m(row.program);
    EXPECT_EQ(m.run(), -row.error) << row.program;
    EXPECT_EQ(m.cursor(), positionOf(row.program, row.at)) << row.program;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, MacroCallErrors,
    ::testing::Values(
        CallErrorRow{"f(int a) {}\nmain() { f(); }", kErrArguments, "); }"},
        CallErrorRow{"f(int a) {}\nmain() { f(1, 2); }", kErrArguments, "); }"},
        CallErrorRow{"f(int a, int b) {}\nmain() { f(1, ); }", kErrArguments, "); }"},
        CallErrorRow{"f(int a) {}\nmain() { f(1; }", kErrArguments, "; }"},
        CallErrorRow{"f(int a,) {}\nmain() { f(1, 2); }", kErrArguments, ") {}"},
        CallErrorRow{"f(1 + 2) {}\nmain() { f(1); }", kErrArguments, "1 + 2"},
        CallErrorRow{"f(int a, int A) {}\nmain() { f(1, 2); }", kErrVariableTwice, "A)"},
        CallErrorRow{"f(int for) {}\nmain() { f(1); }", kErrReservedWord, "for"},
        CallErrorRow{"main() { nosuch(1); }", kErrNoFunction, "nosuch"},
        // No built-ins are registered here.
        CallErrorRow{"main() { GetPos(); }", kErrNoFunction, "GetPos"}),
    [](const auto& info) { return rowName(info.index, info.param.program); });

TEST(MacroBuiltins, RegistryIsSearchedAfterUserFunctionsWithoutRegardToCase) {
    BuiltinRegistry registry;
    registry.add("twice", [](MacroInterpreter& in, BuiltinResult& out) {
        int32_t v = 0;
        if (int r = in.argInt(v)) return r;
        if (int r = in.argEnd()) return r;
        out.setInt(v * 2);
        return 0;
    });
    registry.add("join", [](MacroInterpreter& in, BuiltinResult& out) {
        std::string a, b;
        if (int r = in.argStr(a)) return r;
        if (int r = in.argSeparator()) return r;
        if (int r = in.argStr(b)) return r;
        if (int r = in.argEnd()) return r;
        out.setStr(a + b);
        return 0;
    });
    registry.add("append", [](MacroInterpreter& in, BuiltinResult& out) {
        VariableRef ref;
        std::string tail;
        if (int r = in.argStrVariable(ref)) return r;
        if (int r = in.argSeparator()) return r;
        if (int r = in.argStr(tail)) return r;
        if (int r = in.argEnd()) return r;
        in.stringVariable(ref) += tail;
        in.variableStored();
        out.setStr(in.stringVariable(ref));
        return 0;
    });
    EXPECT_NE(registry.find("TWICE"), nullptr);

    MacroRun m("int a, b; str s, t = \"x\";\nlocal(int v) { return v + 100; }\n"
               "main() { a = Twice(4) + TWICE(1); s = join(\"a\", \"b\") + join(\"\", \"c\"); append(t, \"yz\"); b = local(1); }\n",
               &registry);
    ASSERT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("a"), 10);
    EXPECT_EQ(m.strGlobal("s"), "abc");
    EXPECT_EQ(m.strGlobal("t"), "xyz");
    EXPECT_EQ(m.intGlobal("b"), 101);

    // A user function of the same name comes first.
    MacroRun shadow("int a;\ntwice(int v) { return 0 - v; }\nmain() { a = twice(3); }\n", &registry);
    ASSERT_EQ(shadow.run(), 0);
    EXPECT_EQ(shadow.intGlobal("a"), -3);

    struct Row {
        const char* program;
        int error;
        const char* at;
    };
    const Row rows[] = {
        {"main() { twice(); }", kErrArguments, "); }"},
        {"main() { twice(1, 2); }", kErrArguments, ", 2"},
        {"main() { twice(\"a\"); }", kErrSyntax, "); }"},
        {"main() { join(\"a\" \"b\"); }", kErrSyntax, "\"b\""},
        {"main() { join(\"a\"; }", kErrArguments, "; }"},
        {"main() { append(\"lit\", \"x\"); }", kErrSyntax, ", \"x\""},
    };
    for (const Row& row : rows) {
        MacroRun e(row.program, &registry);
        EXPECT_EQ(e.run(), -row.error) << row.program;
        EXPECT_EQ(e.cursor(), positionOf(row.program, row.at)) << row.program;
    }
}

TEST(MacroBuiltins, EditorBuiltinsWithoutAWindowFailWith30) {
    BuiltinRegistry registry;
    registerWindowlessEditorBuiltins(registry);
    for (const char* name : {"FileOpen", "GetText", "getlinetext", "SetSel", "Ins", "Paste", "Send", "spell"}) {
        const std::string program = std::string("main() { ") + name + "(1, 2); }";
        MacroRun m(program, &registry);
        EXPECT_EQ(m.run(), -kErrNoWindow) << name;
        EXPECT_EQ(m.cursor(), positionOf(program, "1, 2")) << name;
    }
    // Built-ins that do not need a window are not among them.
    for (const char* name : {"strlen", "MessageBox", "GetDir", "SetDir", "Sleep"}) {
        EXPECT_EQ(registry.find(name), nullptr) << name;
    }
}
