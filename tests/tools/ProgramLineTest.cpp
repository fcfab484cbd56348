// The command line of a registered program and its environment
// assignments.
#include <gtest/gtest.h>

#include <ostream>

#include "tools/EnvironmentText.h"
#include "tools/ProgramLine.h"

using namespace orvex;
using namespace orvex::tools;

namespace {

struct LineCase {
    const char* name;
    const char* command;
    const char* param;
    int paramFile;
    const char* currentFile;
    const char* expected;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }


class CommandLineCases : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineCases, BuildsTheLine) {
    const LineCase& c = GetParam();
    settings::ExternalProgram p;
    p.command = c.command;
    p.param = c.param;
    p.paramFile = c.paramFile;
    EXPECT_EQ(commandLineFor(p, c.currentFile), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineCases,
    ::testing::Values(LineCase{"NameAfter", "/usr/bin/cc", "-w", 1, "/src/a.c", "/usr/bin/cc -w a.c"},
                      LineCase{"NameBefore", "/usr/bin/cc", "-w", 2, "/src/a.c", "/usr/bin/cc a.c -w"},
                      LineCase{"NoName", "/usr/bin/cc", "-w", 0, "/src/a.c", "/usr/bin/cc -w"},
                      LineCase{"UntitledAddsNothing", "/usr/bin/cc", "-w", 1, "", "/usr/bin/cc -w"},
                      LineCase{"NoParameters", "make", "", 0, "/src/a.c", "make"},
                      LineCase{"NameWithoutFolder", "lint", "-q", 1, "a.c", "lint -q a.c"},
                      LineCase{"EmptyParametersStillJoined", "lint", "", 1, "/x/b.c", "lint  b.c"},
                      LineCase{"ShellCharactersPassThrough", "sh", "-c 'echo $HOME; ls'", 0, "", "sh -c 'echo $HOME; ls'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramFolder, FollowsTheCurrentFileOnlyWhenAsked) {
    settings::ExternalProgram p;
    p.dir = "/keep";
    followCurrentFile(p, "/src/deep/a.c");
    EXPECT_EQ(p.dir, "/keep");
    p.dirFile = 1;
    followCurrentFile(p, "/src/deep/a.c");
    EXPECT_EQ(p.dir, "/src/deep");
    followCurrentFile(p, "/a.c");  // the root keeps its slash
    EXPECT_EQ(p.dir, "/");
    followCurrentFile(p, "");  // untitled: unchanged
    EXPECT_EQ(p.dir, "/");
    followCurrentFile(p, "a.c");  // no folder: unchanged
    EXPECT_EQ(p.dir, "/");
}

struct EnvCase {
    const char* name;
    const char* text;
    bool ok;
    const char* variable;  // checked afterwards
    const char* value;     // nullptr: unset
    const char* fault;
};
void PrintTo(const EnvCase& c, std::ostream* os) { *os << c.name; }


class EnvironmentCases : public ::testing::TestWithParam<EnvCase> {};

TEST_P(EnvironmentCases, Applies) {
    const EnvCase& c = GetParam();
    Environment env({"PATH=/usr/bin", "HOME=/home/u"});
    const EnvironmentResult r = applyEnvironmentText(c.text, env);
    EXPECT_EQ(r.ok, c.ok);
    if (!c.ok) EXPECT_EQ(r.faultText, c.fault);
    const auto got = env.get(c.variable);
    if (c.value) {
        ASSERT_TRUE(got.has_value());
        EXPECT_EQ(*got, c.value);
    } else {
        EXPECT_FALSE(got.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Assignments, EnvironmentCases,
    ::testing::Values(
        EnvCase{"Plain", "FOO=1", true, "FOO", "1", ""},
        EnvCase{"SetPrefix", "set FOO=1", true, "FOO", "1", ""},
        EnvCase{"SetPrefixAnyCaseWithTab", "SeT\t \tFOO=2\r\n", true, "FOO", "2", ""},
        EnvCase{"SetAloneIsAName", "setting=3", true, "setting", "3", ""},
        EnvCase{"ExtendsItself", "PATH=%PATH%:/opt/bin", true, "PATH", "/usr/bin:/opt/bin", ""},
        EnvCase{"OnlyFirstReferenceReplaced", "PATH=%PATH%:%PATH%", true, "PATH", "/usr/bin:%PATH%", ""},
        EnvCase{"UnknownReferenceIsEmpty", "NEW=a%NEW%b", true, "NEW", "ab", ""},
        EnvCase{"ReferenceSeesEarlierLines", "A=x\r\nA=%A%y", true, "A", "xy", ""},
        EnvCase{"OtherNamesStayLiteral", "A=%HOME%", true, "A", "%HOME%", ""},
        EnvCase{"BlankLinesAndLfEnds", "\n\n  A=1\nB=2\n", true, "B", "2", ""},
        EnvCase{"EmptyValue", "A=", true, "A", "", ""},
        EnvCase{"ValueKeepsBlanksAndEquals", "A= x=y ", true, "A", " x=y ", ""},
        EnvCase{"NoEqualsIsFormatFault", "A=1\r\nBROKEN\r\nC=3", false, "A", "1", "BROKEN\r\nC=3"},
        EnvCase{"FaultStopsTheWalk", "BROKEN\r\nC=3", false, "C", nullptr, "BROKEN\r\nC=3"},
        EnvCase{"NameAtTheEnd", "A=1\r\nset TAIL", false, "A", "1", "set TAIL"},
        EnvCase{"EmptyNameCannotBeSet", "=1", false, "PATH", "/usr/bin", ""},
        // A lead byte before "%" keeps its trail: "%A%" inside a
        // double-byte character is no reference.
        EnvCase{"ReferenceOnCharacterBoundary", "A=v\nA=\x81%A%", true, "A", "\x81%A%", ""},
        EnvCase{"ReferenceAfterDoubleByte", "A=v\nA=\x82\xa0%A%", true, "A", "\x82\xa0v", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Environment, SetReplacesAndAdds) {
    Environment env({"A=1", "AB=2"});
    env.set("A", "3");
    env.set("C", "4");
    EXPECT_EQ(env.entries(), (std::vector<std::string>{"A=3", "AB=2", "C=4"}));
    EXPECT_FALSE(env.get("").has_value());
}

}  // namespace
