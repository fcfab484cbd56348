// The load-time scan: function table, main, global declarations in text
// order, and the errors of program structure.
#include <gtest/gtest.h>

#include "MacroTestSupport.h"

using namespace orvex::orxmac;
using namespace orvex::orxmac::test;

TEST(MacroLoad, FunctionTableRecordsParenTypeAndParameterCount) {
    const char* program =
        "int g;\n"
        "str name(str a, int b) { }\n"
        "void Show() { }\n"
        "count(x, y, z) { }\n"
        "MAIN() { }\n";
    MacroRun m(program);
    ASSERT_EQ(m.load(), 0);
    const auto& fns = m.interpreter().functions();
    ASSERT_EQ(fns.size(), 4u);
    EXPECT_EQ(fns[0].name, "name");
    EXPECT_EQ(fns[0].parenPos, positionOf(program, "(str a"));
    EXPECT_EQ(fns[0].type, kTypeStr);
    EXPECT_EQ(fns[0].paramCount, 2u);
    EXPECT_EQ(fns[1].type, kTypeVoid);
    EXPECT_EQ(fns[1].paramCount, 0u);
    EXPECT_EQ(fns[2].type, kTypeInt);  // no type word: int
    EXPECT_EQ(fns[2].paramCount, 3u);
    EXPECT_EQ(m.interpreter().mainIndex(), 3);  // main in any letter case
    EXPECT_TRUE(m.hasGlobal("g"));
}

TEST(MacroLoad, OnlyGlobalsFailsWith22AndEmptyMainCompletes) {
    MacroRun globalsOnly("int a; str b = \"x\";\n");
    EXPECT_EQ(globalsOnly.run(), -kErrNoMain);
    EXPECT_EQ(globalsOnly.cursor(), globalsOnly.source().size());
    EXPECT_EQ(globalsOnly.strGlobal("b"), "x");  // the declarations did run

    MacroRun empty("main(){}");
    EXPECT_EQ(empty.run(), 0);
    MacroRun emptyWithComment("/* a macro */ main ( ) { // nothing\n}\x1A");
    EXPECT_EQ(emptyWithComment.run(), 0);
    MacroRun nothing("");
    EXPECT_EQ(nothing.run(), -kErrNoMain);
}

TEST(MacroLoad, GlobalInitialisersRunInTextOrderAndSeeEarlierFunctionsOnly) {
    MacroRun m(
        "int a = 2, b = a * 10;\n"
        "int twice(int v) { return v * 2; }\n"
        "int c = twice(b) + 1;\n"
        "str s = \"v\", t[4], u = s + s;\n"
        "x = 7;\n"  // a head without type declares an int
        "main() { }\n");
    ASSERT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("a"), 2);
    EXPECT_EQ(m.intGlobal("b"), 20);
    EXPECT_EQ(m.intGlobal("c"), 41);
    EXPECT_EQ(m.strGlobal("u"), "vv");
    EXPECT_EQ(m.strGlobal("t"), "");
    EXPECT_EQ(m.intGlobal("x"), 7);

    const char* later = "int c = later();\nint later() { return 1; }\nmain() {}\n";
    MacroRun l(later);
    EXPECT_EQ(l.run(), -kErrNoFunction);
    EXPECT_EQ(l.cursor(), positionOf(later, "later()"));
}

TEST(MacroLoad, ExitInAGlobalInitialiserEndsTheRunAsCompleted) {
    MacroRun m("int stop() { exit; }\nint a = 1;\nint b = stop();\nint c = 3;\nmain() { a = 99; }\n");
    EXPECT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("a"), 1);
    EXPECT_FALSE(m.hasGlobal("c"));
}

struct LoadErrorRow {
    const char* program;
    int error;
    const char* at;  // where the cursor stands ("$" = end of text)
};

inline void PrintTo(const LoadErrorRow& row, std::ostream* os) { *os << printable(row.program); }

class MacroLoadErrors : public ::testing::TestWithParam<LoadErrorRow> {};

TEST_P(MacroLoadErrors, ReportsNumberAndPosition) {
    const LoadErrorRow& row = GetParam();
    MacroRun m(row.program);
    EXPECT_EQ(m.run(), -row.error) << row.program;
    EXPECT_EQ(m.cursor(), positionOf(row.program, row.at)) << row.program;
}

INSTANTIATE_TEST_SUITE_P(
    Structure, MacroLoadErrors,
    ::testing::Values(
        LoadErrorRow{"main() {}\n123;", kErrSyntax, "123"},
        LoadErrorRow{"int 5x;", kErrSyntax, "5x"},
        LoadErrorRow{"void v; main(){}", kErrSyntax, "; main"},   // void only for functions
        LoadErrorRow{"int f{ }", kErrSyntax, "{"},
        LoadErrorRow{"main() {} f() {} F() {}", kErrFunctionTwice, "F()"},
        LoadErrorRow{"int while;", kErrReservedWord, "while"},
        LoadErrorRow{"If() {}", kErrReservedWord, "If"},
        LoadErrorRow{"str Exit = \"\";", kErrReservedWord, "Exit"},
        LoadErrorRow{"f(a; b) {} main() {}", kErrArguments, "; b"},
        LoadErrorRow{"f(a b] {} main() {}", kErrArguments, "] {"},
        LoadErrorRow{"main() ;", kErrNoOpenBrace, ";"},
        LoadErrorRow{"main() { x = (1; ", kErrNoCloseBrace, "{"},
        LoadErrorRow{"main() { s = \"ab\ncd\"; }", kErrString, "\"ab"},
        LoadErrorRow{"f(\"a\nb\") {} main() {}", kErrNoDelimiter, "\"a"},
        LoadErrorRow{"int a[3; main() {}", kErrNoCloseBracket, "["},
        LoadErrorRow{"main() {} /* unterminated", kErrComment, "/*"},
        LoadErrorRow{"int g = 1 / 0; main() {}", kErrDivideByZero, "; main"},
        LoadErrorRow{"int g = h; main() {}", kErrNoVariable, "h;"},
        LoadErrorRow{"int a, a; main() {}", kErrVariableTwice, "a;"},
        LoadErrorRow{"main() {} int g", kErrSyntax, "$"}),
    [](const auto& info) { return rowName(info.index, info.param.program); });

TEST(MacroLoad, DuplicateMainIsAFunctionDefinedTwice) {
    const char* program = "main() {}\nMain() {}\n";
    MacroRun m(program);
    EXPECT_EQ(m.run(), -kErrFunctionTwice);
    EXPECT_EQ(m.cursor(), positionOf(program, "Main"));
}
