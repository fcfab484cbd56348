// Expressions: precedence and associativity, integer and string kinds,
// wrap-around arithmetic, increments, arrays, and the stack limits.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "MacroTestSupport.h"

using namespace orvex::orxmac;
using namespace orvex::orxmac::test;

namespace {

constexpr const char* kGlobals = "int r, i, j, k, a[3]; str s, t, u, w[4];";

struct IntRow {
    const char* setup;  // statements run first
    const char* expr;   // assigned to r
    int32_t value;
};

inline void PrintTo(const IntRow& row, std::ostream* os) { *os << printable(row.expr); }

struct StrRow {
    const char* setup;
    const char* expr;   // assigned to s
    const char* value;
};

inline void PrintTo(const StrRow& row, std::ostream* os) { *os << printable(row.expr); }

}  // namespace

class MacroIntegerExpressions : public ::testing::TestWithParam<IntRow> {};

TEST_P(MacroIntegerExpressions, Evaluate) {
    const IntRow& row = GetParam();
    MacroRun m(inMain(kGlobals, std::string(row.setup) + "\nr = " + row.expr + ";"));
    ASSERT_EQ(m.run(), 0) << row.expr;
    EXPECT_EQ(m.intGlobal("r"), row.value) << row.expr;
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, MacroIntegerExpressions,
    ::testing::Values(
        IntRow{"", "1 + 2 * 3", 7}, IntRow{"", "(1 + 2) * 3", 9}, IntRow{"", "10 - 4 - 3", 3},
        IntRow{"", "100 / 10 / 5", 2}, IntRow{"", "-7 / 2", -3}, IntRow{"", "-7 % 2", -1},
        IntRow{"", "7 % -2", 1}, IntRow{"", "2147483647 + 1", INT_MIN}, IntRow{"", "0x80000000 - 1", INT_MAX},
        IntRow{"", "65536 * 65536", 0}, IntRow{"", "0x80000000 / -1", INT_MIN}, IntRow{"", "0x80000000 % -1", 0},
        IntRow{"", "- 0x80000000", INT_MIN}, IntRow{"", "-(-5)", 5}, IntRow{"", "- -5", 5}, IntRow{"", "+-+3", -3},
        IntRow{"", "1 << 33", 2}, IntRow{"", "1 << -1", INT_MIN}, IntRow{"", "-8 >> 1", -4},
        IntRow{"", "-1 >> 40", -1}, IntRow{"", "0x40000000 << 1", INT_MIN}, IntRow{"", "1 + 2 << 3", 24},
        IntRow{"", "1 < 2 == 1", 1}, IntRow{"", "3 > 2 > 1", 0}, IntRow{"", "2 >= 2", 1}, IntRow{"", "2 <= 1", 0},
        IntRow{"", "5 != 5", 0}, IntRow{"", "6 & 3", 2}, IntRow{"", "6 | 3", 7}, IntRow{"", "6 ^ 3", 5},
        IntRow{"", "1 | 2 ^ 3 & 4", 3}, IntRow{"", "~0", -1}, IntRow{"", "!5", 0}, IntRow{"", "!0", 1},
        IntRow{"", "!!7", 1}, IntRow{"", "5 && 9", 1}, IntRow{"", "0 || -3", 1}, IntRow{"", "1 || 0 && 0", 1},
        IntRow{"", "'A' + 1", 66}, IntRow{"", "'AB'", 0x4142}, IntRow{"", "0x10 + 010", 24},
        IntRow{"", "4294967295", -1}, IntRow{"", "99999999999", -1},
        IntRow{"", "\"ab\" < \"b\"", 1}, IntRow{"", "\"b\" < \"ab\"", 0}, IntRow{"", "\"a\" == \"a\"", 1},
        IntRow{"", "\"A\" < \"a\"", 1}, IntRow{"", "\"ab\" >= \"ab\"", 1}, IntRow{"", "\"\x82\xA0\" > \"z\"", 1},
        IntRow{"", "\"x\" != \"x \"", 1},
        // Both sides of && and || are evaluated.
        IntRow{"i = 0;", "0 && (i = 5)", 0}, IntRow{"i = 0; r = 1 || (i = 6);", "i", 6},
        // ++ and -- change the variable before its value is used, also
        // written after it.
        IntRow{"i = 5;", "i++", 6}, IntRow{"i = 5;", "++i", 6}, IntRow{"i = 5; j = i--;", "i * 10 + j", 44},
        IntRow{"i = 1;", "-i++", -2}, IntRow{"i = 2147483647; i++;", "i", INT_MIN},
        // Assignments group to the right and yield the stored value.
        IntRow{"i = j = k = 4;", "i + j + k", 12}, IntRow{"i = 5; i += 3;", "i", 8}, IntRow{"i = 5; i -= 7;", "i", -2},
        IntRow{"i = 5; i *= 3;", "i", 15}, IntRow{"i = 17; i /= 5;", "i", 3}, IntRow{"i = 17; i %= 5;", "i", 2},
        IntRow{"i = 1; i <<= 4;", "i", 16}, IntRow{"i = -16; i >>= 2;", "i", -4}, IntRow{"i = 6; i &= 3;", "i", 2},
        IntRow{"i = 6; i |= 3;", "i", 7}, IntRow{"i = 6; i ^= 3;", "i", 5}, IntRow{"i = 2;", "(i += 3) * 2", 10},
        IntRow{"i = 1;", "i = i + 1 == 2", 1},
        // Arrays: elements by name, created on use, with the base's type.
        IntRow{"a[1] = 7; a[2] = 8;", "a[1] + a[2] + a[0]", 15}, IntRow{"i = 2; a[i * 2] = 3;", "a[4]", 3},
        IntRow{"a[2][10] = 5;", "a[2][10]", 5}, IntRow{"a[-1] = 9;", "a [ -1 ]", 9}, IntRow{"a = 4;", "a", 4}),
    [](const auto& info) { return rowName(info.index, info.param.expr); });

class MacroStringExpressions : public ::testing::TestWithParam<StrRow> {};

TEST_P(MacroStringExpressions, Evaluate) {
    const StrRow& row = GetParam();
    MacroRun m(inMain(kGlobals, std::string(row.setup) + "\ns = " + row.expr + ";"));
    ASSERT_EQ(m.run(), 0) << row.expr;
    EXPECT_EQ(m.strGlobal("s"), row.value) << row.expr;
}

INSTANTIATE_TEST_SUITE_P(
    Strings, MacroStringExpressions,
    ::testing::Values(StrRow{"", "\"ab\" + \"cd\"", "abcd"}, StrRow{"t = \"x\";", "t + t + \"y\"", "xxy"},
                      StrRow{"t = \"a\"; t += \"b\"; t += t;", "t", "abab"},
                      StrRow{"t = \"q\";", "u = t", "q"}, StrRow{"", "t = u = \"z\"", "z"},
                      StrRow{"", "\"\\x41\\tB\"", "A\tB"}, StrRow{"", "\"\x95\x5C\" + \"\\\\\"", "\x95\x5C\\"},
                      StrRow{"t = \"12\";", "(t += \"3\") + \"!\"", "123!"},
                      StrRow{"", "\"\"", ""},
                      // "t = t + ..." appends in place with the same result.
                      StrRow{"t = \"ab\";", "t = t + t", "abab"},
                      StrRow{"t = \"a\"; t = t + \"b\" + \"c\";", "t", "abc"},
                      StrRow{"t = \"a\"; u = \"b\"; t = u + t;", "t", "ba"},
                      StrRow{"t = \"x\";", "t + (t = t + \"y\")", "xyxy"},
                      // Elements of a str array: created on use as the empty
                      // string, each its own variable beside the plain name.
                      StrRow{"", "w[2] + \"|\"", "|"}, StrRow{"w[3] += \"z\";", "w[3]", "z"},
                      StrRow{"w[1] = \"a\"; w[1] += \"bc\"; w[1] += w[1];", "w[1]", "abcabc"},
                      StrRow{"w[0] = \"ab\";", "w[0] = w[0] + w[0] + \"!\"", "abab!"},
                      StrRow{"i = 1; w[i + 1] = \"q\";", "w[2] + w[1]", "q"},
                      StrRow{"w = \"base\"; w[0] = \"e\"; w[0][1] = \"f\";", "w + w[0] + w[0][1]", "baseef"},
                      StrRow{"str v[2]; v[1] = \"lo\"; v[1] += \"c\";", "v[1] + v[0] + v[9]", "loc"},
                      StrRow{"str v[2];", "v[5] = v[5] + \"n\"", "n"}),
    [](const auto& info) { return rowName(info.index, info.param.expr); });

class MacroExpressionErrors : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(MacroExpressionErrors, ReportNumberAndPosition) {
    expectErrorAt(kGlobals, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, MacroExpressionErrors,
    ::testing::Values(
        // Kinds: no implicit conversion.
        ErrorRow{"s = \"a\" + 1;", kErrSyntax, ";\n}"}, ErrorRow{"r = 1 + \"a\";", kErrSyntax, ";\n}"},
        ErrorRow{"r = \"a\" * \"b\";", kErrSyntax, ";\n}"}, ErrorRow{"s = 5;", kErrSyntax, ";\n}"},
        ErrorRow{"r = \"x\";", kErrSyntax, ";\n}"}, ErrorRow{"s -= \"x\";", kErrSyntax, ";\n}"},
        ErrorRow{"r = -\"x\";", kErrSyntax, ";\n}"}, ErrorRow{"if (\"x\") r = 1;", kErrSyntax, ") r"},
        // Division by zero with all four operators.
        ErrorRow{"r = 5 / 0;", kErrDivideByZero, ";\n}"}, ErrorRow{"r = 5 % (i - i);", kErrDivideByZero, ";\n}"},
        ErrorRow{"r = 5; r /= 0;", kErrDivideByZero, ";\n}"}, ErrorRow{"r = 5; r %= 0;", kErrDivideByZero, ";\n}"},
        // Stores need a variable of the right kind.
        ErrorRow{"5 = r;", kErrSyntax, ";\n}"}, ErrorRow{"r = 1; (r = 2) = 3;", kErrSyntax, ";\n}"},
        ErrorRow{"++5;", kErrSyntax, ";\n}"}, ErrorRow{"s++;", kErrSyntax, ";\n}"},
        ErrorRow{"r = i++ * 2;", kErrSyntax, "* 2"}, ErrorRow{"r = i++ + 1;", kErrSyntax, ";\n}"},
        // Sequence errors and stray characters.
        ErrorRow{"r = 1 2;", kErrSyntax, "2;"}, ErrorRow{"r = i j;", kErrSyntax, "j;"},
        ErrorRow{"r = * 2;", kErrSyntax, "* 2"}, ErrorRow{"r = (1 + 2;", kErrSyntax, ";\n}"},
        ErrorRow{"r = i.j;", kErrSyntax, ".j"}, ErrorRow{"r = 3[1];", kErrSyntax, "[1]"},
        ErrorRow{"r = a[1;", kErrSyntax, ";\n}"}, ErrorRow{"r = a[\"x\"];", kErrSyntax, "];\n}"},
        ErrorRow{"r = 'a\tb';", kErrSyntax, "\tb"}, ErrorRow{"r = i (1);", kErrNoFunction, "i (1)"},
        ErrorRow{";r = ();", kErrSyntax, ");"}, ErrorRow{"r 1;", kErrSyntax, "1;"},
        // "?" ends the expression: the statement then lacks its ";".
        ErrorRow{"r = 1 ? 2 : 3;", kErrNoSemicolon, "? 2"},
        // The stacks: 16 operator entries, 32 operands.
        ErrorRow{"r = -;", kErrTooComplex, ";\n}"}, ErrorRow{"r = ;", kErrTooComplex, ";\n}"},
        ErrorRow{"r = 1 +;", kErrTooComplex, ";\n}"},
        // Names.
        ErrorRow{"r = nothing;", kErrNoVariable, "nothing"}, ErrorRow{"r = nothing[1];", kErrNoVariable, "nothing"},
        ErrorRow{"r = while;", kErrReservedWord, "while;"}, ErrorRow{"r = 1 + CASE;", kErrReservedWord, "CASE"},
        ErrorRow{"r = undefined(1);", kErrNoFunction, "undefined"}),
    [](const auto& info) { return rowName(info.index, info.param.body); });

TEST(MacroExpressions, OperatorStackHoldsSixteenEntries) {
    // The sentinel, "=" and fourteen open parentheses fill the stack; one
    // more parenthesis overflows it where it is read.
    const std::string fits = inMain("int r;", "r = " + std::string(14, '(') + "7" + std::string(14, ')') + ";");
    MacroRun ok(fits);
    EXPECT_EQ(ok.run(), 0);
    EXPECT_EQ(ok.intGlobal("r"), 7);
    const std::string over = inMain("int r;", "r = " + std::string(15, '(') + "7" + std::string(15, ')') + ";");
    MacroRun overflow(over);
    EXPECT_EQ(overflow.run(), -kErrTooComplex);
    EXPECT_EQ(overflow.cursor(), positionOf(over, "(7"));
    // Pending binary operators count as well.
    std::string chain = "r = 1";
    for (int n = 0; n < 16; ++n) chain += " = 1";
    MacroRun assignments(inMain("int r;", chain + ";"));
    EXPECT_EQ(assignments.run(), -kErrTooComplex);
}

TEST(MacroExpressions, OperandStackHoldsThirtyTwoEntries) {
    std::string args;
    std::string params;
    for (int n = 0; n < 32; ++n) {
        args += (n ? ", " : "") + std::to_string(n);
        params += (n ? ", int p" : "int p") + std::to_string(n);
    }
    const std::string program = "int r;\nf(" + params + ") { r = p0 + p31; }\nmain() { f(" + args + "); }\n";
    MacroRun thirtyTwo(program);
    EXPECT_EQ(thirtyTwo.run(), 0);
    EXPECT_EQ(thirtyTwo.intGlobal("r"), 31);
    // With the variable r already on the stack the last argument does not fit.
    const std::string over = "int r;\nf(" + params + ") { return p31; }\nmain() { r = f(" + args + "); }\n";
    MacroRun thirtyThree(over);
    EXPECT_EQ(thirtyThree.run(), -kErrTooComplex);
    EXPECT_EQ(thirtyThree.cursor(), positionOf(over, "31); }"));
}

TEST(MacroExpressions, ElementsAreNamedBySubscriptsAndCreatedInTheBaseFrame) {
    MacroRun m(
        "int g[2]; str names;\n"
        "fill() { int k; k = 3; g[k][k + 1] = 34; }\n"
        "main() { fill(); g[0] = 1; }\n");
    ASSERT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("g[3][4]"), 34);
    EXPECT_EQ(m.intGlobal("g[0]"), 1);
    EXPECT_EQ(m.strGlobal("names"), "");
    // Elements carry declaration position 0; the base keeps its own.
    const VariableFrame& globals = m.interpreter().globals();
    for (uint32_t i = 0; i < globals.variableCount(); ++i) {
        const Variable& v = globals.variable(i);
        EXPECT_EQ(v.declPos == 0, v.name.find('[') != std::string::npos) << v.name;
    }
}

TEST(MacroExpressions, VariablesAndFunctionsIgnoreLetterCase) {
    MacroRun m("int Count; Twice(int V) { return v * 2; }\nmain() { COUNT = twice(4); count++; }\n");
    ASSERT_EQ(m.run(), 0);
    EXPECT_EQ(m.intGlobal("Count"), 9);
}
