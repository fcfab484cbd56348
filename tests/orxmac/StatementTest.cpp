// Statements: declarations, if/else, loops, switch, jumps and labels, and
// the skipping of branches that do not run.
#include <gtest/gtest.h>

#include <string>

#include "MacroTestSupport.h"

using namespace orvex::orxmac;
using namespace orvex::orxmac::test;

namespace {

constexpr const char* kGlobals = "int r, i, j, n; str s;";

struct RunRow {
    const char* body;
    const char* global;  // an int global to check after the run
    int32_t value;
};

inline void PrintTo(const RunRow& row, std::ostream* os) { *os << printable(row.body); }

}  // namespace

class MacroStatements : public ::testing::TestWithParam<RunRow> {};

TEST_P(MacroStatements, Run) {
    const RunRow& row = GetParam();
    MacroRun m(inMain(kGlobals, row.body));
    ASSERT_EQ(m.run(), 0) << row.body;
    EXPECT_EQ(m.intGlobal(row.global), row.value) << row.body;
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, MacroStatements,
    ::testing::Values(
        RunRow{"INT x; x = 5; r = x;", "r", 5},              // keywords ignore letter case
        RunRow{"Str x; x = \"ab\"; r = x == \"ab\";", "r", 1},
        RunRow{"int default; default = 3; r = default;", "r", 3},
        RunRow{"int void, main; void = 1; main = 2; r = void + main;", "r", 3},
        RunRow{"int a = 4, b[3], c = a * 2; r = a + c + b;", "r", 12},
        RunRow{"int a[2][3] = 6; r = a;", "r", 6},
        // A declaration run again in a loop keeps the value without
        // initialiser and resets it with one.
        RunRow{"for (i = 0; i < 3; i++) { int keep; keep += 10; r = keep; }", "r", 30},
        RunRow{"for (i = 0; i < 3; i++) { int reset = 1; reset += 10; r = reset; }", "r", 11},
        // No block scope: a declaration in a block belongs to the function.
        RunRow{"{ int inner = 8; } r = inner;", "r", 8},
        RunRow{"int r = 3; r++;", "r", 0}),  // a local hides the global
    [](const auto& info) { return rowName(info.index, info.param.body); });

INSTANTIATE_TEST_SUITE_P(
    Conditions, MacroStatements,
    ::testing::Values(
        RunRow{"if (1) r = 1; else r = 2;", "r", 1}, RunRow{"if (0) r = 1; else r = 2;", "r", 2},
        RunRow{"if (0) r = 1;", "r", 0}, RunRow{"if (-5) r = 3;", "r", 3},
        RunRow{"n = 2; if (n == 1) r = 1; else if (n == 2) r = 2; else if (n == 3) r = 3; else r = 4;", "r", 2},
        RunRow{"n = 9; if (n == 1) r = 1; else if (n == 2) r = 2; else r = 4;", "r", 4},
        // A chain that is skipped does not evaluate its conditions.
        RunRow{"if (1) r = 1; else if (i = 5) r = 2; j = i;", "j", 0},
        RunRow{"if (0) { r = 1; } else { r = 2; }", "r", 2},
        RunRow{"If (1) r = 1; ELSE r = 2;", "r", 1},
        // Compound statements in a branch that does not run are skipped whole.
        RunRow{"if (0) if (1) r = 1; else r = 2; j = 7;", "r", 0},
        RunRow{"if (0) while (1) { r = 1; } j = 7;", "j", 7},
        RunRow{"if (0) for (;;) { r = 1; } j = 7;", "j", 7},
        RunRow{"if (0) do { r = 1; } while (1); j = 7;", "j", 7},
        RunRow{"if (0) switch (1) { case 1: r = 1; break; } j = 7;", "j", 7},
        RunRow{"if (1) if (0) r = 1; else r = 2; else r = 3;", "r", 2}),
    [](const auto& info) { return rowName(info.index, info.param.body); });

INSTANTIATE_TEST_SUITE_P(
    Loops, MacroStatements,
    ::testing::Values(
        RunRow{"for (i = 0; i < 3; i++);", "i", 3},
        RunRow{"for (i = 0, j = 10; i < 5; i++, j--) r += j;", "r", 40},
        RunRow{"for (;;) { if (++i == 4) break; }", "i", 4},
        RunRow{"for (i = 0; i < 10; i++) if (i == 3) break; else r++;", "r", 3},
        RunRow{"for (i = 0; i < 10; i++) if (i == 3) break; j = i;", "j", 3},
        RunRow{"for (i = 0; i < 10; i++) { if (i % 2) continue; r++; }", "r", 5},
        RunRow{"for (i = 0; i < 0; i++) r = 1;", "r", 0},
        RunRow{"for (i = 0; i < 3; i++) if (i == 1) r = 5; else j++; n = i;", "n", 3},
        RunRow{"while (i < 5) i++;", "i", 5},
        RunRow{"while (1); r = 2;", "r", 2},                 // empty body: returns at once
        RunRow{"while (i = 9); j = i;", "j", 0},             // its condition is not evaluated
        RunRow{"while (1) { if (++i > 6) break; }", "i", 7},
        RunRow{"while (i < 10) { i++; if (i < 8) continue; r++; }", "r", 3},
        RunRow{"do i++; while (i < 5);", "i", 5},
        RunRow{"do { i++; } while (0);", "i", 1},
        RunRow{"do { i++; if (i == 3) break; } while (1); j = 1;", "i", 3},
        RunRow{"do { i++; if (i < 4) continue; r++; } while (i < 6);", "r", 3},
        RunRow{"for (i = 0; i < 3; i++) for (j = 0; j < 3; j++) r++;", "r", 9},
        RunRow{"for (i = 0; i < 3; i++) while (1) { r++; break; }", "r", 3}),
    [](const auto& info) { return rowName(info.index, info.param.body); });

INSTANTIATE_TEST_SUITE_P(
    Switches, MacroStatements,
    ::testing::Values(
        RunRow{"switch (2) { case 1: r = 1; break; case 2: r = 2; break; default: r = 9; break; }", "r", 2},
        RunRow{"switch (5) { case 1: r = 1; break; default: r = 9; break; }", "r", 9},
        RunRow{"switch (5) { case 1: r = 1; break; } j = 3;", "j", 3},          // no match
        RunRow{"switch (1) { default: r = 9; break; case 1: r = 1; break; }", "r", 9},  // text order
        RunRow{"switch (2) { case 1: case 2: case 3: r = 23; break; }", "r", 23},
        RunRow{"switch (3) { case 1: r = 1; r++; break; case 1 + 2: r = 3; break; }", "r", 3},
        RunRow{"switch (1) { case 1: { r = 4; } break; }", "r", 4},
        RunRow{"switch (0) { case 0: switch (1) { case 1: r = 5; break; } r++; break; }", "r", 6},
        // A continue among a case's statements is passed over: the rest of
        // the case runs.
        RunRow{"for (i = 0; i < 3; i++) switch (i) { case 1: continue; r = 10; break; default: break; }", "r", 10},
        RunRow{"for (i = 0; i < 2; i++) switch (0) { case 0: if (1) continue; r++; break; }", "r", 2},
        RunRow{"for (i = 0; i < 2; i++) switch (0) { case 0: { continue; } r++; break; }", "r", 2},
        // A continue in a block within a case leaves that block; the case
        // goes on behind the block.
        RunRow{"for (i = 0; i < 2; i++) switch (0) { case 0: { continue; r = 10; } r++; break; }", "r", 2},
        RunRow{"for (i = 0; i < 2; i++) switch (0) { case 0: if (1) { continue; r = 10; } r++; break; }", "r", 2},
        RunRow{"while (i < 2) { i++; switch (0) { case 0: { { continue; } r = 10; } r++; break; } j++; }", "r", 2},
        RunRow{"while (i < 2) { i++; switch (0) { case 0: { continue; } break; } j++; }", "j", 2},
        RunRow{"for (i = 0; i < 2; i++) switch (0) { case 0: if (1) continue; else r = 10; r++; break; }", "r", 2},
        RunRow{"for (i = 0; i < 2; i++) switch (0) { case 0: if (0) ; else { continue; r = 10; } r++; break; }", "r", 2},
        // ...but inside a loop inside the switch it continues that loop.
        RunRow{"switch (0) { case 0: for (i = 0; i < 4; i++) { if (i < 2) continue; r++; } break; }", "r", 2},
        RunRow{"while (1) { switch (0) { case 0: break; } r++; if (r == 3) break; }", "r", 3},
        RunRow{"switch (1) { case 1: r = 1; default: r = 2; break; }", "r", 2}),  // "default:" is a label
    [](const auto& info) { return rowName(info.index, info.param.body); });

INSTANTIATE_TEST_SUITE_P(
    Jumps, MacroStatements,
    ::testing::Values(
        RunRow{"i = 0; again: i++; if (i < 5) goto again; r = i;", "r", 5},
        RunRow{"goto skip; r = 1; skip: j = 2;", "r", 0},
        RunRow{"for (i = 0; i < 100; i++) for (j = 0; j < 3; j++) if (i == 7) goto out; out: r = i;", "r", 7},
        RunRow{"while (1) { while (1) { goto done; } } done: r = 8;", "r", 8},
        RunRow{"for (i = 0; i < 5; i++) { if (i == 2) goto next; r++; next: ; }", "r", 4},
        RunRow{"for (;;) if (++i == 3) goto end; end: j = i;", "j", 3},
        // A label in a block that is not running is reached at the outermost
        // level; that block's closing brace then ends the function.
        RunRow{"goto inside; if (0) { inside: r = 6; } r = 7;", "r", 6},
        RunRow{"switch (1) { case 1: goto after; } after: r = 4;", "r", 4},
        RunRow{"{ { r = 1; } } exit; r = 2;", "r", 1},
        RunRow{"r = 1; return; r = 2;", "r", 1},
        RunRow{"r = 1; return 5; r = 2;", "r", 1},
        RunRow{"r = 3; break; r = 4;", "r", 3},              // ends the function
        RunRow{"r = 3; continue; r = 4;", "r", 3},
        RunRow{"Lbl: r++; if (r < 2) goto Lbl;", "r", 2},
        RunRow{"default: r = 1;", "r", 1}),
    [](const auto& info) { return rowName(info.index, info.param.body); });

class MacroStatementErrors : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(MacroStatementErrors, ReportNumberAndPosition) {
    expectErrorAt(kGlobals, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, MacroStatementErrors,
    ::testing::Values(
        ErrorRow{"int while;", kErrReservedWord, "while;"},
        ErrorRow{"int x, Else;", kErrReservedWord, "Else"},
        ErrorRow{"int x; int x;", kErrVariableTwice, "x;\n}"},
        ErrorRow{"{ int x; } int x = 2;", kErrVariableTwice, "x = 2"},
        ErrorRow{"int r; str r;", kErrVariableTwice, "r;\n}"},
        ErrorRow{"int x y;", kErrSyntax, "y;"},
        ErrorRow{"int 5;", kErrSyntax, "5;"},
        ErrorRow{"str x = 5;", kErrSyntax, ";\n}"},
        ErrorRow{"r = 1", kErrNoSemicolon, "}"},
        ErrorRow{"r = 1 )", kErrNoSemicolon, ")\n}"},
        ErrorRow{"break", kErrNoSemicolon, "}"},
        ErrorRow{"return 1 2;", kErrSyntax, "2;"},
        ErrorRow{"return 1 )", kErrNoSemicolon, ")\n}"},
        ErrorRow{"exit 1 )", kErrNoSemicolon, ")\n}"},
        ErrorRow{"goto x )", kErrNoSemicolon, ")\n}"},
        ErrorRow{"if r;", kErrIf, "r;"},
        ErrorRow{"if (r; r = 1;", kErrIf, "; r = 1"},
        ErrorRow{"for i;", kErrFor, "i;"},
        ErrorRow{"for (i = 0 i < 2;) ;", kErrSyntax, "i < 2"},
        ErrorRow{"for (i = 0) ;", kErrFor, ") ;"},
        ErrorRow{"for (; i < 2 ) ;", kErrFor, ") ;"},
        ErrorRow{"for (;; i++ ;", kErrFor, ";\n}"},
        ErrorRow{"while r;", kErrWhile, "r;"},
        ErrorRow{"while (r < 1 ; ) r++;", kErrWhile, "; ) r++"},
        ErrorRow{"while (r < 1", kErrNoCloseParen, "(r"},
        ErrorRow{"do r++; until (r);", kErrDo, "until"},
        ErrorRow{"do r++ while (r);", kErrReservedWord, "while"},
        ErrorRow{"if (0) do r++ ) while (1);", kErrDo, ") while"},
        ErrorRow{"do r++; while r;", kErrWhile, "r;\n}"},
        ErrorRow{"do r++; while (r < 3) r++;", kErrWhile, "r++;\n}"},
        ErrorRow{"switch 1 { }", kErrCase, "1 {"},
        ErrorRow{"switch (1; { }", kErrSwitch, "; {"},
        ErrorRow{"switch (1) case 1: ;", kErrCase, "case"},
        ErrorRow{"switch (1) { r = 1; case 1: break; }", kErrCase, "r = 1"},
        ErrorRow{"switch (1) { case 1; break; }", kErrNoColon, "; break"},
        ErrorRow{"switch (2) { case 1: break; default break; }", kErrNoColon, "break; }"},
        // Running on into the next case or into the closing brace.
        ErrorRow{"switch (1) { case 1: r = 1; case 2: r = 2; break; }", kErrReservedWord, "case 2"},
        ErrorRow{"switch (1) { case 1: r = 1; }", kErrSyntax, "}\n}"},
        ErrorRow{"switch (\"a\") { }", kErrSyntax, ") { }"},
        ErrorRow{"switch (1) { case \"a\": break; }", kErrSyntax, ": break"},
        // Labels: exact names, no blank before the colon, none in a switch.
        ErrorRow{"goto nowhere;", kErrNoLabel, "nowhere"},
        ErrorRow{"goto L; l: ;", kErrNoLabel, "L;"},
        ErrorRow{"goto L; L : r = 1;", kErrNoLabel, "L;"},
        ErrorRow{"goto In; switch (1) { case 1: In: break; }", kErrNoLabel, "In;"},
        ErrorRow{"goto ;", kErrNoLabel, ";\n}"},
        ErrorRow{"a: r = 1; { a: r = 2; }", kErrLabelTwice, "a: r = 2"},
        ErrorRow{"else r = 1;", kErrReservedWord, "else"},
        ErrorRow{"case 1: r = 1;", kErrReservedWord, "case"},
        ErrorRow{"if (0) r = (1;\n", kErrNoDelimiter, "(1"},
        ErrorRow{"if (0) r = 1 )", kErrNoSemicolon, ")\n}"},
        ErrorRow{"if (0) do r++; until (1);", kErrDo, "until"},
        ErrorRow{"r = 1; /* open", kErrComment, "/* open"}),
    [](const auto& info) { return rowName(info.index, info.param.body); });

TEST(MacroStatements, DeclarationExecutedAgainReusesItsVariable) {
    // The same item position is the same declaration: without an
    // initialiser the values survive the rounds of the loop.
    MacroRun m(inMain("int r, i; str s;", "while (i < 4) { int x; str t; x = x + 2; t += \"a\"; i++; r = x; s = t; }"));
    ASSERT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("r"), 8);
    EXPECT_EQ(m.strGlobal("s"), "aaaa");
}

TEST(MacroStatements, ALabelNeedsItsColonDirectlyBehindTheName) {
    const std::string program = inMain("int r;", "goto target; r = 1; target : r = 2;");
    MacroRun m(program);
    EXPECT_EQ(m.run(), -kErrNoLabel);
    EXPECT_EQ(m.cursor(), positionOf(program, "target;"));
}

TEST(MacroStatements, LabelsAreCollectedPerFunction) {
    // The same label in two functions is fine; a goto finds only its own.
    MacroRun m("int r;\nf() { goto x; r = 100; x: r += 1; }\nmain() { f(); goto x; r = 50; x: r += 10; }\n");
    ASSERT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("r"), 11);
    const char* program = "int r;\nf() { goto y; }\nmain() { y: f(); }\n";
    MacroRun other(program);
    EXPECT_EQ(other.run(), -kErrNoLabel);
    EXPECT_EQ(other.cursor(), positionOf(program, "y; }"));
}
