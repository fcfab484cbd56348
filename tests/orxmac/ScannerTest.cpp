// Lexical rules: blanks and comments, numbers, literals and escapes,
// operators, and the skipping primitives.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "orxmac/MacroSource.h"
#include "orxmac/Scanner.h"

using namespace orvex::orxmac;

namespace {

struct Text {
    explicit Text(std::string_view s) : source(s) {}
    const uint8_t* t() const { return source.bytes(); }
    MacroSource source;
};

}  // namespace

TEST(MacroSourceText, DropsEndOfFileMarkAndAppendsNul) {
    MacroSource a(std::string_view("main(){}\x1A"));
    EXPECT_EQ(a.size(), 8u);
    EXPECT_EQ(a.bytes()[8], 0);
    MacroSource b(std::string_view("x\x1A\x1A"));  // only the last mark goes
    EXPECT_EQ(b.text(), std::string_view("x\x1A"));
    MacroSource c(std::string_view("\x1A"));
    EXPECT_EQ(c.size(), 0u);
    EXPECT_EQ(c.withTerminator(), std::string_view("\0", 1));
}

TEST(MacroSourceText, ReadsAFileWhole) {
    const std::string path = ::testing::TempDir() + "orxmac-source-test.mac";
    {
        std::ofstream out(path, std::ios::binary);
        out << std::string("main() {}\r\n\0x\x1A", 14);
    }
    MacroSource source;
    ASSERT_TRUE(MacroSource::readFile(path, source));
    EXPECT_EQ(source.text(), std::string_view("main() {}\r\n\0x", 13));  // a NUL inside is kept
    EXPECT_FALSE(MacroSource::readFile(path + ".missing", source));
    std::remove(path.c_str());
}

TEST(MacroScanner, BlanksIncludeFullWidthBlankAndComments) {
    Text s("  \t\r\n\v\f\x81\x40// line\n\n/* block\n */x");
    uint32_t pos = 0;
    EXPECT_EQ(scan::skipBlanks(s.t(), pos), 0);
    EXPECT_EQ(s.t()[pos], 'x');
    // A line comment ends at CR and at FF too.
    Text cr("// a\rb");
    pos = 0;
    EXPECT_EQ(scan::skipBlanks(cr.t(), pos), 0);
    EXPECT_EQ(cr.t()[pos], 'b');
    Text ff("// a\fb");
    pos = 0;
    EXPECT_EQ(scan::skipBlanks(ff.t(), pos), 0);
    EXPECT_EQ(ff.t()[pos], 'b');
    // Half of a full-width blank is not a blank.
    Text half("\x81\x41");
    pos = 0;
    EXPECT_EQ(scan::skipBlanks(half.t(), pos), 0);
    EXPECT_EQ(pos, 0u);
}

TEST(MacroScanner, UnterminatedBlockCommentIsError13AtItsStart) {
    for (const char* text : {"  /* never closed", "/*/", "/* *", "x /* a */ /* b"}) {
        Text s(text);
        uint32_t pos = text[0] == 'x' ? 1 : 0;
        EXPECT_EQ(scan::skipBlanks(s.t(), pos), -13) << text;
        EXPECT_EQ(pos, std::string_view(text).rfind("/*")) << text;
    }
}

TEST(MacroScanner, IdentifiersAndKeywords) {
    Text s("while1 _x9 WHILE Default 9a");
    EXPECT_EQ(scan::identifierEnd(s.t(), 0), 6u);
    EXPECT_EQ(scan::keywordOf(s.t(), 0, 6), scan::Keyword::None);
    EXPECT_EQ(scan::identifierEnd(s.t(), 7), 10u);
    EXPECT_EQ(scan::keywordOf(s.t(), 11, 16), scan::Keyword::While);
    EXPECT_EQ(scan::keywordOf(s.t(), 17, 24), scan::Keyword::Default);
    EXPECT_EQ(scan::identifierEnd(s.t(), 25), 25u);  // a digit does not start a name
    // Reserved words: fourteen, without void, default and main.
    int reserved = 0;
    for (int k = 1; k <= static_cast<int>(scan::Keyword::Main); ++k) reserved += scan::isReserved(scan::Keyword(k));
    EXPECT_EQ(reserved, 14);
    EXPECT_FALSE(scan::isReserved(scan::Keyword::Void));
    EXPECT_FALSE(scan::isReserved(scan::Keyword::Default));
    EXPECT_FALSE(scan::isReserved(scan::Keyword::Main));
}

struct NumberRow {
    const char* text;
    int32_t value;
    uint32_t length;
};

TEST(MacroScanner, IntegerLiteralsReadAsUnsigned32BitCNumbers) {
    const NumberRow rows[] = {
        {"0x10", 16, 4},          {"010", 8, 3},      {"0", 0, 1},          {"123", 123, 3},
        {"0XfF", 255, 4},         {"4294967295", -1, 10},
        {"4294967296", -1, 10},   {"99999999999999999999", -1, 20},  // overflow reads as 0xFFFFFFFF
        {"0x7fffffff", 0x7fffffff, 10}, {"0x80000000", INT32_MIN, 10},
        {"0x", 0, 1},             {"0xg", 0, 1},      {"08", 0, 1},         {"0778", 63, 3},
        {"12ab", 12, 2},
    };
    for (const NumberRow& row : rows) {
        Text s(row.text);
        int32_t v = 7;
        EXPECT_EQ(scan::readNumber(s.t(), 0, v), row.length) << row.text;
        EXPECT_EQ(v, row.value) << row.text;
    }
}

struct CharRow {
    const char* text;
    int32_t value;
};

TEST(MacroScanner, CharacterLiteralsPackBytesAndEscapesAreSigned) {
    const CharRow rows[] = {
        {"'a'", 97},
        {"'AB'", 0x4142},
        {"''", 0},
        {"'\x82\xA0'", 0x82A0},           // a double-byte character adds both bytes
        {"'a\x82\xA0'", 0x6182A0},
        {"'\\n'", 10},
        {"'\\xFF'", -1},                   // escapes are signed bytes
        {"'\\x80'", -128},
        {"'AB\\x41'", 0x41},               // an escape replaces what came before
        {"'\\x41B'", 0x4142},
        {"'\\''", '\''},
        {"'\\\\'", '\\'},
        {"'\\q'", 'q'},
        {"'\\x00'", ('x' << 16) | ('0' << 8) | '0'},  // \x giving 0 yields the letter, digits follow
        {"'\\X0'", ('X' << 8) | '0'},
        {"'ABCDE'", 0x42434445},           // the oldest bytes shift out
    };
    for (const CharRow& row : rows) {
        Text s(row.text);
        uint32_t pos = 0;
        int32_t v = 0;
        EXPECT_EQ(scan::readCharLiteral(s.t(), pos, v), 0) << row.text;
        EXPECT_EQ(v, row.value) << row.text;
        EXPECT_EQ(pos, std::string_view(row.text).size()) << row.text;
    }
}

TEST(MacroScanner, ControlCharacterInLiteralIsError1AtThatCharacter) {
    for (const char* text : {"'a\tb'", "'ab", "\"a\nb\"", "\"abc", "\"a\\", "\"\x82"}) {
        Text s(text);
        uint32_t pos = 0;
        int32_t v = 0;
        std::string out;
        const int r = text[0] == '\'' ? scan::readCharLiteral(s.t(), pos, v) : scan::readStringLiteral(s.t(), pos, out);
        EXPECT_EQ(r, -1) << text;
        const std::string_view view(text);
        const size_t bad = view.find_first_of("\t\n");
        EXPECT_EQ(pos, bad == std::string_view::npos ? view.size() : bad) << text;
    }
}

struct StringRow {
    const char* text;
    const char* value;
};

TEST(MacroScanner, StringLiteralsCopyPairsAndEscapes) {
    const StringRow rows[] = {
        {"\"abc\"", "abc"},
        {"\"\\n\\r\\t\\f\"", "\n\r\t\f"},
        {"\"\\\"\\\\\\'\"", "\"\\'"},
        {"\"\\x41\\x4a\\X7e\"", "AJ~"},
        {"\"\\x4\"", "\x04"},
        {"\"\\x00\"", "x00"},               // never a byte 0
        {"\"\\x0g\"", "x0g"},
        {"\"\x95\x5C\"", "\x95\x5C"},       // a trail byte 0x5C is not a backslash
        {"\"\x83\x5C\\n\"", "\x83\x5C\n"},
        {"\"\\\x82\xA0\"", "\x82\xA0"},     // backslash before a lead byte gives that byte
    };
    for (const StringRow& row : rows) {
        Text s(row.text);
        uint32_t pos = 0;
        std::string out;
        EXPECT_EQ(scan::readStringLiteral(s.t(), pos, out), 0) << row.text;
        EXPECT_EQ(out, row.value) << row.text;
        EXPECT_EQ(pos, std::string_view(row.text).size()) << row.text;
    }
}

TEST(MacroScanner, OperatorsMatchLongestFirst) {
    struct Row {
        const char* text;
        scan::Op op;
        uint32_t length;
    };
    const Row rows[] = {
        {"<<=", scan::Op::ShlAssign, 3}, {"<<", scan::Op::Shl, 2}, {"<=", scan::Op::Le, 2}, {"<", scan::Op::Lt, 1},
        {">>=", scan::Op::ShrAssign, 3}, {">>", scan::Op::Shr, 2}, {">=", scan::Op::Ge, 2}, {">", scan::Op::Gt, 1},
        {"++", scan::Op::Increment, 2},  {"+=", scan::Op::AddAssign, 2}, {"+", scan::Op::Plus, 1},
        {"--", scan::Op::Decrement, 2},  {"-=", scan::Op::SubAssign, 2}, {"-", scan::Op::Minus, 1},
        {"&&", scan::Op::LogicalAnd, 2}, {"&=", scan::Op::AndAssign, 2}, {"&", scan::Op::BitAnd, 1},
        {"||", scan::Op::LogicalOr, 2},  {"|=", scan::Op::OrAssign, 2},  {"|", scan::Op::BitOr, 1},
        {"==", scan::Op::Eq, 2},         {"=", scan::Op::Assign, 1},     {"!=", scan::Op::Ne, 2},
        {"!", scan::Op::LogicalNot, 1},  {"^=", scan::Op::XorAssign, 2}, {"^", scan::Op::BitXor, 1},
        {"*=", scan::Op::MulAssign, 2},  {"/=", scan::Op::DivAssign, 2}, {"%=", scan::Op::ModAssign, 2},
        {"~", scan::Op::BitNot, 1},      {"(", scan::Op::OpenParen, 1},  {"+++", scan::Op::Increment, 2},
        {".", scan::Op::None, 0},        {"[", scan::Op::None, 0},       {"?", scan::Op::None, 0},
    };
    for (const Row& row : rows) {
        Text s(row.text);
        uint32_t length = 9;
        EXPECT_EQ(scan::matchOperator(s.t(), 0, length), row.op) << row.text;
        EXPECT_EQ(length, row.length) << row.text;
    }
}

TEST(MacroScanner, ExpressionEndCharacters) {
    for (char c : std::string_view(")],:;?}")) EXPECT_TRUE(scan::isExpressionEnd(static_cast<uint8_t>(c))) << c;
    EXPECT_TRUE(scan::isExpressionEnd(0));
    EXPECT_TRUE(scan::isExpressionEnd(0x80));
    EXPECT_TRUE(scan::isExpressionEnd(0xFF));
    for (char c : std::string_view("([{.+=\"'a0")) EXPECT_FALSE(scan::isExpressionEnd(static_cast<uint8_t>(c))) << c;
}

TEST(MacroScanner, GroupsSkipNestedLiteralsAndComments) {
    struct Row {
        const char* text;
        int result;
        uint32_t pos;  // behind the group, or where the error is reported
    };
    const Row rows[] = {
        {"(a(b)c)d", 0, 7},
        {"[x[1]]y", 0, 6},
        {"{ \"}\" '}' /* } */ // }\n }z", 0, 25},
        {"{ \x83\x7D }x", 0, 6},       // a trail byte that looks like a brace
        {"( [ ) ]", 0, 5},             // only openers of the same kind count
        {"(a", -7, 0},
        {"[a", -8, 0},
        {"{ {}", -9, 0},
        {"{ \"abc\n\" }", -14, 2},     // a literal broken by a line end
        {"( /* )", -13, 2},
        {"( \"a\\\"b)\" )", 0, 11},
    };
    for (const Row& row : rows) {
        Text s(row.text);
        uint32_t pos = 0;
        EXPECT_EQ(scan::skipGroup(s.t(), pos), row.result) << row.text;
        EXPECT_EQ(pos, row.pos) << row.text;
    }
}

TEST(MacroScanner, ExpressionSkipStopsAtEndCharactersAndReportsBreaksAs6) {
    struct Row {
        const char* text;
        int result;
        uint32_t pos;
    };
    const Row rows[] = {
        {"a + f(b, c) , d", 0, 12},
        {"x[\";\"] ; y", 0, 7},
        {"a ? b", 0, 2},
        {"a : b", 0, 2},
        {"{ a; b } ;", 0, 9},
        {"\x82\x5D ]", 0, 3},          // ] as a trail byte is passed over
        {"a (b", -6, 2},
        {"a \"b\n\"", -6, 2},
        {"a /* b", -13, 2},
        {"a ( /* ) ", -13, 4},
        {"", 0, 0},
    };
    for (const Row& row : rows) {
        Text s(row.text);
        uint32_t pos = 0;
        EXPECT_EQ(scan::skipExpression(s.t(), pos), row.result) << row.text;
        EXPECT_EQ(pos, row.pos) << row.text;
    }
}

TEST(MacroScanner, SkippedLiteralsBreakOnlyAtLineEnds) {
    struct Row {
        const char* text;
        int result;
        uint32_t pos;
    };
    const Row rows[] = {
        {"\"a\tb\" x", 0, 5},          // a tab is fine when only skipped
        {"'\\''x", 0, 4},
        {"\"\\\n\"", 0, 4},            // an escaped line feed belongs to the escape
        {"\"a\r\"", -14, 0},
        {"\"a\n\"", -14, 0},
        {"\"abc", -14, 0},
        {"\"\x82\"\"", 0, 4},          // a lead byte takes the quote as its trail byte
    };
    for (const Row& row : rows) {
        Text s(row.text);
        uint32_t pos = 0;
        EXPECT_EQ(scan::skipLiteral(s.t(), pos), row.result) << row.text;
        EXPECT_EQ(pos, row.pos) << row.text;
    }
}

TEST(MacroScanner, NoWalkLeavesTheTextAtItsEnd) {
    // A lead byte or a backslash as the very last byte never takes the NUL.
    for (const char* text : {"\x82", "\"\x82", "'\\", "(\x82", "a\x82", "/\x82"}) {
        Text s(text);
        const uint32_t size = s.source.size();
        uint32_t pos = 0;
        scan::skipBlanks(s.t(), pos);
        EXPECT_LE(pos, size);
        pos = 0;
        scan::skipExpression(s.t(), pos);
        EXPECT_LE(pos, size);
        pos = 0;
        if (text[0] == '(') scan::skipGroup(s.t(), pos);
        EXPECT_LE(pos, size);
        pos = 0;
        std::string out;
        int32_t v = 0;
        if (text[0] == '"') scan::readStringLiteral(s.t(), pos, out);
        if (text[0] == '\'') scan::readCharLiteral(s.t(), pos, v);
        EXPECT_LE(pos, size);
    }
}
