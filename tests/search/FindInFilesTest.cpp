// Tag-file lines read from compiler, grep and result-document output; find
// in files over a generated tree in every code and line end; structure
// search (brackets, functions).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "search/FindInFiles.h"
#include "search/StructureSearch.h"
#include "search/TagLine.h"
#include "tests/settings/TempFolder.h"

using namespace orvex::search;
using orvex::test::TempFolder;

namespace {

// ---- Tag lines

struct TagRow {
    const char* line;
    const char* file;  // nullptr: no file named
    int32_t number;
};

class TagLineTest : public ::testing::TestWithParam<TagRow> {};

TEST_P(TagLineTest, NamesFileAndLine) {
    const TagRow& row = GetParam();
    const auto loc = parseTagLine(row.line);
    if (!row.file) {
        EXPECT_FALSE(loc.has_value());
        return;
    }
    ASSERT_TRUE(loc.has_value());
    EXPECT_EQ(loc->file, row.file);
    EXPECT_EQ(loc->line, row.number);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, TagLineTest,
    ::testing::Values(TagRow{"/src/a.c(12): int x;", "/src/a.c", 12},               // result document
                      TagRow{"src/a.c:12:34: error: expected ';'", "src/a.c", 12},  // GCC, Clang
                      TagRow{"a.c:7:int main()", "a.c", 7},                          // grep -n
                      TagRow{"C:/w/a.c(12,5): error C2143", "C", 12},                 // a drive is no prefix here
                      TagRow{"w/a.c(12,5): error C2143", "w/a.c", 12},               // MSVC with a column
                      TagRow{"\"/tmp/my dir/a b.c\"(30): x", "/tmp/my dir/a b.c", 30},
                      TagRow{"  \tdir with blank/a.c(3): x", "dir with blank/a.c", 3},
                      TagRow{"a.c 44 text", "a.c", 44},
                      TagRow{"a.c", "a.c", 0},                                        // no number: line 0
                      TagRow{"f(x) = 1", "f(x) =", 1},                                // "(" without digits; " 1" ends it
                      TagRow{"", nullptr, 0}, TagRow{"   ", nullptr, 0}, TagRow{":12: x", nullptr, 0},
                      TagRow{"\x83\x5c\x83\x74\x83\x67.txt(9): \x95\x5c", "\x83\x5c\x83\x74\x83\x67.txt", 9},
                      TagRow{"a.c(99999999999): x", "a.c", INT32_MAX}));

TEST(TagLine, ResolvesRelativeNamesAgainstTheBaseFolder) {
    EXPECT_EQ(resolveTagPath("a.c", "/src"), "/src/a.c");
    EXPECT_EQ(resolveTagPath("./a.c", "/src/"), "/src/a.c");
    EXPECT_EQ(resolveTagPath("lib/b.c", "/src"), "/src/lib/b.c");
    EXPECT_EQ(resolveTagPath("/abs/a.c", "/src"), "/abs/a.c");
    EXPECT_EQ(resolveTagPath("a.c", ""), "a.c");
}

TEST(TagLine, WrittenLinesReadBack) {
    std::string out;
    appendTagLine(out, "/src/a b/x.c", 12, "text: (3) here");
    EXPECT_EQ(out, "/src/a b/x.c(12): text: (3) here\r\n");
    const auto loc = parseTagLine(out);
    ASSERT_TRUE(loc);
    EXPECT_EQ(loc->file, "/src/a b/x.c");
    EXPECT_EQ(loc->line, 12);
}

// ---- Find in files

class Collect final : public FindInFilesSink {
public:
    void write(std::string_view lines) override {
        out.append(lines);
        ++batches;
    }
    bool keepGoing() override { return ++polls <= stopAfterPolls; }
    void cannotOpen(const std::string& path) override { unreadable.push_back(path); }
    std::string out;
    int batches = 0, polls = 0, stopAfterPolls = 1 << 30;
    std::vector<std::string> unreadable;
};

CompiledPattern compiled(std::string_view s, PatternOptions o = {true, false, false}) {
    CompiledPattern p;
    EXPECT_EQ(p.compile(s, o), CompiledPattern::Status::Ok);
    return p;
}

class FindInFilesTree : public ::testing::Test {
protected:
    std::string put(const std::string& name, const std::string& bytes) {
        TempFolder::write(folder.file(name), bytes);
        return folder.file(name);
    }
    FindInFilesResult run(std::string_view pattern, std::string filter, bool sub = true, bool one = false,
                          PatternOptions o = {true, false, false}) {
        const CompiledPattern p = compiled(pattern, o);
        FindInFilesRequest r;
        r.folder = folder.path();
        r.filter = std::move(filter);
        r.subFolders = sub;
        r.onlyOnePerFile = one;
        r.readSetting = 1;
        return findInFiles(p, r, sink);
    }
    TempFolder folder;
    Collect sink;
};

TEST_F(FindInFilesTree, EveryCodeAndLineEndGivesTheLineInShiftJis) {
    // 漢字 in Shift JIS 8A BF 8E 9A, EUC B4 C1 BB FA, JIS ESC $ B 34 41 3B 7A ESC ( B, UTF-16LE 22 6F 57 5B.
    put("sjis.txt", "one\r\nx \x8A\xBF\x8E\x9A y\r\n");
    put("euc.txt", "one\nx \xB4\xC1\xBB\xFA y\n");
    put("jis.txt", "one\rx \x1B$B4A;z\x1B(B y\r");
    put("utf16.txt", std::string("\xFF\xFE" "o\0n\0e\0\r\0\n\0x\0 \0\x22\x6F\x57\x5B \0y\0", 24));
    put("utf8.txt", "one\nx \xE6\xBC\xA2\xE5\xAD\x97 y\n");
    const FindInFilesResult r = run("\x8A\xBF\x8E\x9A", "*.txt");
    EXPECT_EQ(r.hits, 5u);
    for (const char* name : {"sjis", "euc", "jis", "utf16", "utf8"})
        EXPECT_NE(sink.out.find(folder.path() + "/" + name + ".txt(2): x \x8A\xBF\x8E\x9A y\r\n"), std::string::npos)
            << name << "\n" << sink.out;
}

TEST_F(FindInFilesTree, FilterPatternsWalkTheTreeOneAfterTheOther) {
    put("b.h", "hit\n");
    put("a.c", "hit\n");
    put("sub/c.c", "hit\n");
    put("sub/d.h", "hit\n");
    put("e.txt", "hit\n");
    run("hit", "*.c;*.h");
    const std::string p = folder.path();
    EXPECT_EQ(sink.out, p + "/a.c(1): hit\r\n" + p + "/sub/c.c(1): hit\r\n" + p + "/b.h(1): hit\r\n" + p +
                            "/sub/d.h(1): hit\r\n");
    sink.out.clear();
    run("hit", "*.c", false);
    EXPECT_EQ(sink.out, p + "/a.c(1): hit\r\n");
}

TEST_F(FindInFilesTree, OnlyOneLinePerFileAndOneLinePerHitLine) {
    put("a.c", "hit hit\nno\nhit\n");
    run("hit", "*.c", true, false);
    EXPECT_EQ(sink.out, folder.file("a.c") + "(1): hit hit\r\n" + folder.file("a.c") + "(3): hit\r\n");
    sink.out.clear();
    run("hit", "*.c", true, true);
    EXPECT_EQ(sink.out, folder.file("a.c") + "(1): hit hit\r\n");
}

TEST_F(FindInFilesTree, BinaryFilesAreSkippedAndUnreadableOnesReported) {
    put("bin.c", std::string("hit\0\x01\x02", 6));
    const std::string locked = put("locked.c", "hit\n");
    ::chmod(locked.c_str(), 0);
    const FindInFilesResult r = run("hit", "*.c");
    EXPECT_EQ(r.filesSkipped, 1u);
    if (::geteuid() != 0) {
        ASSERT_EQ(sink.unreadable.size(), 1u);
        EXPECT_EQ(sink.unreadable[0], locked);
        EXPECT_EQ(r.hits, 0u);
    }
}

TEST_F(FindInFilesTree, SymbolicLinkLoopEnds) {
    put("d/a.c", "hit\n");
    std::filesystem::create_directory_symlink(folder.path(), folder.file("d/loop"));
    const FindInFilesResult r = run("hit", "*.c");
    EXPECT_EQ(r.hits, 1u);
}

TEST_F(FindInFilesTree, MissingFolderEndsTheWalk) {
    const CompiledPattern p = compiled("x");
    FindInFilesRequest r;
    r.folder = folder.file("none");
    r.filter = "*.c";
    EXPECT_TRUE(findInFiles(p, r, sink).folderMissing);
}

TEST_F(FindInFilesTree, StopAfterABatchKeepsTheHitsSoFar) {
    std::string many;
    for (int i = 0; i < 200; ++i) many += "hit\n";
    put("a.c", many);
    sink.stopAfterPolls = 1;
    const FindInFilesResult r = run("hit", "*.c");
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.hits, 64u);  // two batches of 32: the second check said stop
}

TEST_F(FindInFilesTree, CaseWordAndRegexOptionsComeFromThePatternEngine) {
    put("a.c", "Hit\nwhite\nh1t\n");
    run("hit", "*.c", true, false, {false, false, false});
    EXPECT_EQ(sink.out, folder.file("a.c") + "(1): Hit\r\n" + folder.file("a.c") + "(2): white\r\n");
    sink.out.clear();
    run("hit", "*.c", true, false, {false, true, false});
    EXPECT_EQ(sink.out, folder.file("a.c") + "(1): Hit\r\n");
    sink.out.clear();
    run("^h.t$", "*.c", true, false, {true, false, true});
    EXPECT_EQ(sink.out, folder.file("a.c") + "(3): h1t\r\n");
}

TEST(FindInFilesText, LongLinesKeepTheirNumbersAndAreCutAtACharacter) {
    const CompiledPattern p = compiled("end");
    std::string text = "a\r\n" + std::string(4094, 'x') + "\x8A\xBF" + std::string(5000, 'y') + "end\r\nz";
    std::string out;
    EXPECT_EQ(searchText(p, text, "f", false, 4095, out), 1u);
    EXPECT_EQ(out.substr(0, 5), "f(2):");
    EXPECT_EQ(out, "f(2): " + std::string(4094, 'x') + "\r\n");
}

TEST(Wildcards, MatchFileNames) {
    EXPECT_TRUE(wildcardMatch("*.c", "a.c"));
    EXPECT_FALSE(wildcardMatch("*.c", "a.cpp"));
    EXPECT_TRUE(wildcardMatch("a?.*", "ab.txt"));
    EXPECT_TRUE(wildcardMatch("*.*", "Makefile"));
    EXPECT_TRUE(wildcardMatch("*a*b*", "xxaxxbxx"));
    EXPECT_FALSE(wildcardMatch("*a*b", "xxaxxbxx"));
}

// ---- Structure search

TEST(Brackets, MatchForwardBackwardAndAfterTheCaret) {
    const std::string t = "f(a, (b)) { x[1]; }";
    auto m = matchBracket(t, 1);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->partner, 8);
    m = matchBracket(t, 9);  // after ")": the character before the caret
    ASSERT_TRUE(m);
    EXPECT_EQ(m->bracket, 8);
    EXPECT_EQ(m->partner, 1);
    m = matchBracket(t, 10);  // on "{" after a blank
    ASSERT_TRUE(m);
    EXPECT_EQ(m->partner, 18);
    EXPECT_FALSE(matchBracket("abc", 1));
    EXPECT_FALSE(matchBracket("(abc", 0));
}

TEST(Brackets, CommentsDoNotCount) {
    const std::string t = "(a /* ) */ b)";
    auto m = matchBracket(t, 0);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->partner, 12);
    m = matchBracket(t, 12);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->partner, 0);
    const std::string lines = "{\r\n  // }\r\n}";
    m = matchBracket(lines, 0);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->partner, int32_t(lines.size()) - 1);
    EXPECT_FALSE(matchBracket("x // )", 6));     // in a line comment
    EXPECT_FALSE(matchBracket("( */ )", 0));     // "*/" outside a comment
    EXPECT_FALSE(matchBracket("( /* )", 6));     // "/*" met backward outside one
}

TEST(Brackets, TrailBytesThatLookLikeBracketsAreNotBrackets) {
    // 0x83 0x7B is a katakana whose trail byte is "{".
    const std::string t = "(\x83\x7B)";
    auto m = matchBracket(t, 4);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->partner, 0);
}

TEST(Functions, DefinitionsAreListedOncePrototypesAndCallsNot) {
    const std::string t =
        "int proto(int a);\r\n"
        "static int\r\n"
        "sum(int a,\r\n"
        "    int b)\r\n"
        "{\r\n"
        "  int inner(void) { }\r\n"
        "  return add(a, b);\r\n"
        "}\r\n"
        "/* c */ void Cls::go() const { }\r\n"
        "x = f(1);\r\n";
    const auto defs = functionDefinitions(t);
    ASSERT_EQ(defs.size(), 2u);
    EXPECT_EQ(t.substr(size_t(defs[0]), 6), "static");
    EXPECT_EQ(t.substr(size_t(defs[1]), 4), "void");
}

TEST(Functions, UnbalancedParenthesisEndsTheList) {
    EXPECT_EQ(functionDefinitions("a() { }\r\nb( {\r\nc() { }\r\n").size(), 1u);
}

}  // namespace

namespace {

// A sink that removes files the walk has listed but not yet read, as
// another program might while the search runs.
class VanishingSink final : public FindInFilesSink {
public:
    void write(std::string_view lines) override { out.append(lines); }
    bool keepGoing() override {
        for (const auto& f : doomed) std::filesystem::remove(f);
        doomed.clear();
        return true;
    }
    void cannotOpen(const std::string& path) override { unreadable.push_back(path); }
    std::vector<std::string> doomed, unreadable;
    std::string out;
};

}  // namespace

TEST(FindInFilesTreeSize, HundredThousandSmallFilesAreAllSearched) {
    TempFolder folder;
    for (int d = 0; d < 100; ++d) {
        const std::string dir = folder.file("d" + std::to_string(d));
        std::filesystem::create_directories(dir);
        for (int f = 0; f < 1000; ++f) {
            std::ofstream(dir + "/f" + std::to_string(f) + ".txt", std::ios::binary)
                << (d == 57 && f == 421 ? "needle\r\n" : "hay\r\n");
        }
    }
    CompiledPattern p;
    p.compile("needle", PatternOptions{true, false, false});
    FindInFilesRequest r;
    r.folder = folder.path();
    r.filter = "*.txt";
    r.subFolders = true;
    r.readSetting = 1;
    Collect sink;
    const FindInFilesResult res = findInFiles(p, r, sink);
    EXPECT_EQ(res.filesSearched, 100000u);
    EXPECT_EQ(res.hits, 1u);
    EXPECT_EQ(sink.out, folder.file("d57/f421.txt") + "(1): needle\r\n");
    // The search looked for input at least once per few hundred files.
    EXPECT_GE(sink.polls, 100000 / 256);
}

TEST(FindInFilesTreeSize, FileThatVanishesDuringTheSearchIsReportedAndTheRestSearched) {
    TempFolder folder;
    for (int f = 0; f < 600; ++f)
        TempFolder::write(folder.file("f" + std::to_string(1000 + f) + ".txt"), f == 599 ? "needle\r\n" : "x\r\n");
    CompiledPattern p;
    p.compile("needle", PatternOptions{true, false, false});
    FindInFilesRequest r;
    r.folder = folder.path();
    r.filter = "*";
    r.readSetting = 1;
    VanishingSink sink;
    sink.doomed = {folder.file("f1500.txt")};
    const FindInFilesResult res = findInFiles(p, r, sink);
    EXPECT_EQ(sink.unreadable, std::vector<std::string>{folder.file("f1500.txt")});
    EXPECT_EQ(res.filesSearched, 599u);
    EXPECT_EQ(sink.out, folder.file("f1599.txt") + "(1): needle\r\n");
}
