#include <gtest/gtest.h>

#include "shell/CommandLine.h"

using namespace orvex::shell;

TEST(CommandLine, FilesJumpAndQuotes) {
    CommandLineInfo info = parseCommandLine(R"(  "/home/me/My Notes/a b.txt"  /j25 second.txt)");
    EXPECT_EQ(info.command, ShellCommand::Open);
    EXPECT_EQ(info.file, "/home/me/My Notes/a b.txt");
    EXPECT_EQ(info.jumpLine, 25);
    ASSERT_EQ(info.more.size(), 1u);
    EXPECT_EQ(info.more[0], "second.txt");
    EXPECT_EQ(parseCommandLine("-J120 x").jumpLine, 120);  // letters without regard to case
    EXPECT_EQ(parseCommandLine("/j x").jumpLine, -1);      // no number, no jump
    // Absolute paths start with "/" as well: only known options are options.
    CommandLineInfo paths = parseCommandLine("/jx12 /home/a.txt /h /tmp/b");
    EXPECT_EQ(paths.jumpLine, -1);
    EXPECT_EQ(paths.file, "/jx12");
    EXPECT_EQ(paths.more, (std::vector<std::string>{"/home/a.txt", "/tmp/b"}));
    EXPECT_TRUE(paths.hide);
}

TEST(CommandLine, EmptyMeansNewAndOptions) {
    CommandLineInfo info = parseCommandLine(" \t ");
    EXPECT_EQ(info.command, ShellCommand::New);
    EXPECT_TRUE(info.files().empty());
    EXPECT_TRUE(parseCommandLine("/H").hide);
    EXPECT_TRUE(parseCommandLine("-h").hide);
    EXPECT_FALSE(parseCommandLine("-hx").hide);
    EXPECT_EQ(parseCommandLine("/p a.txt").command, ShellCommand::Print);
    CommandLineInfo pt = parseCommandLine("/pt a.txt printer driver port");
    EXPECT_EQ(pt.command, ShellCommand::PrintTo);
    EXPECT_EQ(pt.file, "a.txt");
    EXPECT_EQ(pt.printer, "printer");
    EXPECT_EQ(pt.port, "port");
    EXPECT_TRUE(pt.more.empty());
    EXPECT_EQ(parseCommandLine("/dde").command, ShellCommand::Dde);
}

TEST(CommandLine, AtMostTwentyOneFiles) {
    std::string line;
    for (int i = 1; i <= 25; ++i) line += "f" + std::to_string(i) + ".txt ";
    CommandLineInfo info = parseCommandLine(line);
    std::vector<std::string> files = info.files();
    ASSERT_EQ(files.size(), 21u);
    EXPECT_EQ(files.front(), "f1.txt");
    EXPECT_EQ(files.back(), "f21.txt");
}

TEST(CommandLine, SplittingKeepsQuotedBlanksAndDropsEmptyQuotes) {
    EXPECT_EQ(splitCommandLine(R"(a "b c" d"e f"g)"), (std::vector<std::string>{"a", "b c", "de fg"}));
    EXPECT_EQ(parseCommandLine(R"("" x)").file, "x");
}
