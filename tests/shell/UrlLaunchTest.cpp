// The URL jump: what lies under the caret, which command starts it, how
// the URL goes in as one argument of its own (never through a shell), and
// the double click in a session.
#include <gtest/gtest.h>

#include <fstream>

#include "common/codepage/Cp932.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/UrlLaunch.h"
#include "tests/settings/TempFolder.h"
#include "tests/shell/SessionFixture.h"
#include "tests/support/FakePlatform.h"

using namespace orvex;
using namespace orvex::shell;

namespace {

struct FindRow {
    const char* name;
    const char* row;
    int column;
    const char* expected;  // empty: none
    UrlKind kind;
};
class UrlsUnderTheCaret : public ::testing::TestWithParam<FindRow> {};

TEST_P(UrlsUnderTheCaret, Found) {
    const FindRow& r = GetParam();
    const std::optional<FoundUrl> u = urlAt(cp932::fromUtf8(r.row), r.column, true);
    if (!*r.expected) {
        EXPECT_FALSE(u);
        return;
    }
    ASSERT_TRUE(u);
    EXPECT_EQ(cp932::toUtf8(u->text), r.expected);
    EXPECT_EQ(u->kind, r.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UrlsUnderTheCaret,
    ::testing::Values(FindRow{"Web", "see http://example.org/a.", 8, "http://example.org/a.", UrlKind::Web},
                      FindRow{"FirstByteOfTheUrl", "http://x.jp y", 0, "http://x.jp", UrlKind::Web},
                      FindRow{"JustAfterTheUrl", "http://x.jp y", 11, "", UrlKind::Web},
                      FindRow{"FileTransfer", "(ftp://ftp.x.org/pub)", 5, "ftp://ftp.x.org/pub", UrlKind::FileTransfer},
                      FindRow{"Mail", "mail: user.name@example.co.jp", 12, "user.name@example.co.jp", UrlKind::Mail},
                      FindRow{"NothingThere", "plain text", 3, "", UrlKind::Web},
                      FindRow{"AfterJapaneseText", "案内http://例.jp/ページ", 8, "http://例.jp/ページ", UrlKind::Web}),
    [](const ::testing::TestParamInfo<FindRow>& i) { return std::string(i.param.name); });

struct ArgsRow {
    const char* name;
    const char* command;
    std::vector<std::string> expected;
};
class LaunchArguments : public ::testing::TestWithParam<ArgsRow> {};

TEST_P(LaunchArguments, UrlIsOneArgumentOfItsOwn) {
    const ArgsRow& r = GetParam();
    EXPECT_EQ(launchArguments(r.command, "http://x/a b;rm -rf ~"), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, LaunchArguments,
    ::testing::Values(
        ArgsRow{"UrlAppended", "firefox", {"firefox", "http://x/a b;rm -rf ~"}},
        ArgsRow{"PercentLetterReplaced", "browser --new-window %1", {"browser", "--new-window", "http://x/a b;rm -rf ~"}},
        ArgsRow{"InsideAnArgument", "prog --url=%s", {"prog", "--url=http://x/a b;rm -rf ~"}},
        ArgsRow{"QuotedPathWithBlanks", "\"/opt/my browser/run\" -x", {"/opt/my browser/run", "-x", "http://x/a b;rm -rf ~"}},
        ArgsRow{"EmptyCommand", "", {}}),
    [](const ::testing::TestParamInfo<ArgsRow>& i) { return std::string(i.param.name); });

class UrlJumpSession : public shell::test::SessionFixture {
protected:
    UrlJumpSession() {
        const std::string path = folder.file("links.txt");
        std::ofstream(path, std::ios::binary) << "web http://example.org/x\r\nmail someone@example.jp\r\n";
        window = session->openFile(path);
    }
    void doubleClickAt(int row, int column) {
        MouseEvent e;
        e.row = row;
        e.column = column;
        session->activeView()->leftDoubleClick(e);
        session->activeView()->leftButtonUp(e);
    }
    EditorWindow* window = nullptr;
};

TEST_F(UrlJumpSession, DoubleClickOpensWithTheDesktopOrTheConfiguredCommand) {
    ASSERT_NE(window, nullptr);
    doubleClickAt(0, 8);
    EXPECT_EQ(fakes.launcher.opened, std::vector<std::string>{"http://example.org/x"});
    session->settings().frame.mailPath = "mailer -compose %1";
    doubleClickAt(1, 8);
    ASSERT_EQ(fakes.launcher.started.size(), 1u);
    EXPECT_EQ(fakes.launcher.started[0], (std::vector<std::string>{"mailer", "-compose", "someone@example.jp"}));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(UrlJumpSession, AFailedStartSaysSoAndTheOptionTurnsTheJumpOff) {
    fakes.launcher.works = false;
    doubleClickAt(0, 8);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].textId, 30050);
    session->settings().frame.clikUrlJmp = 0;
    fakes.launcher.opened.clear();
    doubleClickAt(0, 8);
    EXPECT_TRUE(fakes.launcher.opened.empty());
}

}  // namespace

namespace {
TEST_F(UrlJumpSession, TheCommandStartsTheUrlAtTheCaret) {
    session->activeView()->placeCursor(0, 10);
    EXPECT_TRUE(session->router().run(cmd::kUrlJump));
    EXPECT_EQ(fakes.launcher.opened, std::vector<std::string>{"http://example.org/x"});
}
}  // namespace
