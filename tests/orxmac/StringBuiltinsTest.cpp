// The string and character built-ins through the interpreter: each row is
// a program whose global `r` (or `s`) must come out as given; double-byte
// characters are never split by the built-ins that work by character, and
// a malformed call gives the interpreter's error.
#include <gtest/gtest.h>

#include "common/codepage/Cp932.h"
#include "orxmac/BuiltinRegistry.h"
#include "orxmac/MacroError.h"
#include "orxmac/StringBuiltins.h"
#include "tests/orxmac/MacroTestSupport.h"

using namespace orvex;
using namespace orvex::orxmac;
using orvex::orxmac::test::MacroRun;

namespace {

const BuiltinRegistry& registry() {
    static const BuiltinRegistry r = [] {
        BuiltinRegistry b;
        registerStringBuiltins(b);
        return b;
    }();
    return r;
}

struct IntRow {
    const char* body;  // statements of main() setting int r
    int32_t r;
};

class IntBuiltins : public ::testing::TestWithParam<IntRow> {};

TEST_P(IntBuiltins, Value) {
    MacroRun m(cp932::fromUtf8(std::string("int r; str s;\nmain() { ") + GetParam().body + " }\n"), &registry());
    ASSERT_EQ(m.run(), 0) << GetParam().body;
    EXPECT_EQ(m.intGlobal("r"), GetParam().r) << GetParam().body;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IntBuiltins,
    ::testing::Values(
        IntRow{"r = strlen(\"日本abc\");", 7}, IntRow{"r = strlen(\"\");", 0},
        IntRow{"r = strcmp(\"abc\", \"abd\") < 0;", 1}, IntRow{"r = strcmp(\"b\", \"ab\") > 0;", 1},
        IntRow{"r = stricmp(\"ABC\", \"abc\");", 0}, IntRow{"r = strncmp(\"abcX\", \"abcY\", 3);", 0},
        IntRow{"r = strncimp(\"日本A\", \"日本b\", 2);", 0}, IntRow{"r = strncimp(\"日本A\", \"日本b\", 3) < 0;", 1},
        IntRow{"r = strchr(\"abcabc\", 'c');", 2}, IntRow{"r = strchr(\"abc\", 'z');", -1},
        IntRow{"r = strrchr(\"abcabc\", 'b');", 4},
        // "ソ" is 0x83 0x5C: its trail byte is a backslash, which is not a hit.
        IntRow{"r = strchr(\"ソ\\\\\", 0x5C);", 2}, IntRow{"r = strrchr(\"あい\", 0x82A2);", 2},
        IntRow{"r = strstr(\"hello world\", \"wor\");", 6}, IntRow{"r = strstr(\"abc\", \"x\");", -1},
        IntRow{"r = strstr(\"ソ\\\\x\", \"\\\\x\");", 2}, IntRow{"r = strspn(\"aabbc\", \"ab\");", 4},
        IntRow{"r = strcspn(\"abc;def\", \";,\");", 3}, IntRow{"r = strspn(\"あいう\", \"いあ\");", 4},
        IntRow{"r = ascii(\"A\", 0);", 65}, IntRow{"r = ascii(\"\\xff\", 0);", -1}, IntRow{"r = ascii(\"A\", 5);", 0},
        IntRow{"r = atoi(\"  -42xyz\");", -42}, IntRow{"r = atoi(\"+7\");", 7}, IntRow{"r = atoi(\"x1\");", 0},
        IntRow{"r = isalpha('a') && isupper('Q') && islower('q') && isdigit('5');", 1},
        IntRow{"r = isxdigit('f') + isxdigit('g');", 1}, IntRow{"r = isspace(' ') + isspace(0x8140);", 2},
        IntRow{"r = ispunct('!') + ispunct(0x8142) + ispunct('a');", 2},
        IntRow{"r = isalpha(0x8260) + isdigit(0x824F) + isalnum(0x8281);", 3},
        IntRow{"r = isprint(0x88A0) + isgraph(0x8140) + iscntrl(0x7F) + iscntrl(0x8140);", 2},
        IntRow{"r = iskanji(0x88) + iskana(0x8288) + iskanji('A');", 2},
        IntRow{"r = tolower('A') == 'a' && toupper(0x8281) == 0x8260 && tolower(0x8260) == 0x8281;", 1},
        IntRow{"s = \"ab\"; r = strlen(strcat(s, \"cd\")) + strlen(s);", 8}));

struct StrRow {
    const char* body;  // statements of main() setting str s
    const char* s;     // UTF-8
};

class StrBuiltins : public ::testing::TestWithParam<StrRow> {};

TEST_P(StrBuiltins, Value) {
    MacroRun m(cp932::fromUtf8(std::string("int r; str s, t;\nmain() { ") + GetParam().body + " }\n"), &registry());
    ASSERT_EQ(m.run(), 0) << GetParam().body;
    EXPECT_EQ(cp932::toUtf8(m.strGlobal("s")), GetParam().s) << GetParam().body;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StrBuiltins,
    ::testing::Values(StrRow{"s = string(65) + string(0x141);", "AA"}, StrRow{"s = \"ab\"; strcat(s, \"cd\");", "abcd"},
                      StrRow{"s = \"ab\"; strncat(s, \"cdef\", 2);", "abcd"}, StrRow{"strcpy(s, \"xyz\");", "xyz"},
                      StrRow{"s = \"old\"; strncpy(s, \"new text\", 3);", "new"},
                      StrRow{"s = \"Abc日本Z\"; strlwr(s);", "abc日本z"}, StrRow{"s = \"Abc日本z\"; strupr(s);", "ABC日本Z"},
                      StrRow{"s = \"日本ab\"; strset(s, '*');", "****"},
                      StrRow{"s = \"日本ab\"; strnset(s, 0x82A0, 1);", "あ本ab"},
                      StrRow{"s = \"ab日本\"; strrev(s);", "本日ba"}, StrRow{"s = strleft(\"abcdef\", 2);", "ab"},
                      StrRow{"s = strright(\"abcdef\", 2);", "ef"}, StrRow{"s = strright(\"ab\", 9);", "ab"},
                      StrRow{"s = strmid(\"abcdef\", 2, 3);", "cde"}, StrRow{"s = strmid(\"abcdef\", 2, 0);", "cdef"},
                      StrRow{"s = strmid(\"abc\", 7, 1);", ""}, StrRow{"s = itoa(-255, 10);", "-255"},
                      StrRow{"s = itoa(255, 16);", "ff"}, StrRow{"s = itoa(-1, 16);", "ffffffff"},
                      StrRow{"s = itoa(5, 2);", "101"}, StrRow{"s = itoa(5, 1);", ""}));

TEST(StringBuiltins, MalformedCallsGiveTheInterpretersErrors) {
    MacroRun extraArgument("int r;\nmain() { r = strlen(\"a\", \"b\"); }\n", &registry());
    EXPECT_EQ(extraArgument.run(), -kErrArguments);
    MacroRun missingArgument("int r;\nmain() { r = strcmp(\"a\"); }\n", &registry());
    EXPECT_EQ(missingArgument.run(), -kErrArguments);
    MacroRun notAVariable("int r;\nmain() { strcat(\"x\", \"y\"); }\n", &registry());
    EXPECT_EQ(notAVariable.run(), -kErrSyntax);
}

}  // namespace

namespace {

// A string appended to itself in a loop stops at the interpreter's string
// limit with error 2 instead of taking all memory.
TEST(StringBuiltins, AppendingAStringToItselfStopsAtTheLimit) {
    MacroRun m("str s = \"x\";\nmain() { while (1) { strcat(s, s); } }\n", &registry());
    EXPECT_EQ(m.run(), -kErrTooComplex);
}

}  // namespace
