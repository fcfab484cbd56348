// Registered programs through the headless session and the real /bin/sh:
// a start fills a read-only tag-jump list whose lines lead to the files
// (relative names against the program's working folder), and each failure
// gives its message and leaves no stray window.
#include <gtest/gtest.h>

#include "common/codepage/Cp932.h"

#include <ostream>

#include <chrono>

#include "common/strings/StringTable.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/ExternalProgramCommands.h"
#include "tests/settings/TempFolder.h"
#include "tests/shell/SessionFixture.h"
#include "tests/support/FakeFrameHost.h"
#include "tests/support/FakePlatform.h"
#include "text/CLuView.h"
#include "text/TextStore.h"

using namespace orvex;
using namespace orvex::shell;
using orvex::test::TempFolder;

namespace {

// Pending input during the wait: after a few looks the user stops the run.
class StoppingUi final : public UiRequests {
public:
    void invalidateRows(const void*, int, int) override {}
    void invalidateAll(const void*) override {}
    void updateTitle(const void*) override {}
    void updateStatus() override {}
    void processPendingInput() override {
        if (++looks == stopAfter && session) session->router().run(cmd::kExternalProgramRun);
        if (looks == closeAfter && session && session->activeWindow()) session->closeWindow(*session->activeWindow());
    }
    EditorSession* session = nullptr;
    int looks = 0, stopAfter = -1, closeAfter = -1;
};

class ExternalProgramTest : public shell::test::SessionFixture {
protected:
    ExternalProgramTest() {
        session->platform().ui = &ui;
        ui.session = session.get();
    }
    settings::ExternalProgram& program(int i) { return session->settings().programs[size_t(i)]; }
    std::string write(const std::string& name, const std::string& bytes) {
        TempFolder::write(folder.file(name), bytes);
        return folder.file(name);
    }
    static std::string text(EditorWindow* w) { return std::string(w->document().doc().text().view()); }
    static int32_t caretLine(EditorWindow* w) {
        return w->document().doc().text().row(w->activeView().cursor().row).line + 1;
    }
    std::vector<int> messageIds() const { return fakes.messages.ids(); }

    StoppingUi ui;
};

TEST_F(ExternalProgramTest, CapturedOutputIsAReadOnlyListWhoseLinesJump) {
    write("proj/src/a.c", "l1\r\nl2\r\nl3\r\nl4\r\n");
    program(2).command = "/bin/sh";
    program(2).param = "-c 'printf \"src/a.c:3:1: warning: x\\n\"; printf \"err\\n\" >&2'";
    program(2).dir = folder.file("proj");
    program(2).redirect = 1;
    ASSERT_TRUE(session->router().state(cmd::kExternalProgramRun + 2).enabled);
    EXPECT_FALSE(session->router().state(cmd::kExternalProgramRun + 3).enabled);
    ASSERT_TRUE(session->router().run(cmd::kExternalProgramRun + 2));

    EditorWindow* out = session->activeWindow();
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(session->settings().frame.progNo, 2);
    EXPECT_EQ(text(out), "src/a.c:3:1: warning: x\r\nerr\r\n");
    EXPECT_EQ(out->document().doc().titleBase(),
              std::string(strings::text(strings::kRunResultTitle)) + program(2).command + " " + program(2).param);
    EXPECT_TRUE(out->document().doc().readOnly());
    EXPECT_TRUE(out->document().file().tagFile());
    EXPECT_TRUE(out->document().toolOutput());
    EXPECT_FALSE(out->document().doc().isModified());
    EXPECT_EQ(out->activeView().cursor().row, 0);
    EXPECT_TRUE(messageIds().empty());

    ASSERT_TRUE(session->router().run(cmd::kTagJump));
    EditorWindow* opened = session->activeWindow();
    ASSERT_NE(opened, out);
    EXPECT_EQ(opened->document().path(), folder.file("proj/src/a.c"));
    EXPECT_EQ(caretLine(opened), 3);
}

TEST_F(ExternalProgramTest, CurrentFileNameAndFolderGoToTheProgram) {
    const std::string a = write("src/a b.c", "x\r\n");
    ASSERT_NE(session->openFile(a), nullptr);
    program(0).command = "printf";
    program(0).param = "'[%s]\\n'";
    program(0).paramFile = 1;
    program(0).dirFile = 1;
    program(0).redirect = 1;
    session->externalPrograms().start(0);
    // The name goes to the shell as it stands: the blank splits it.
    EXPECT_EQ(text(session->activeWindow()), "[a]\r\n[b.c]\r\n");
    EXPECT_EQ(program(0).dir, folder.file("src"));
}

TEST_F(ExternalProgramTest, EnvironmentAssignmentsReachOnlyTheChild) {
    program(1).command = "/bin/sh";
    program(1).param = "-c 'echo \"$ORVEX_A:$ORVEX_B\"'";
    program(1).env = "set ORVEX_A=one\r\nORVEX_B=%ORVEX_B%two\r\n";
    program(1).redirect = 1;
    session->externalPrograms().start(1);
    EXPECT_EQ(text(session->activeWindow()), "one:two\r\n");
    EXPECT_EQ(std::getenv("ORVEX_A"), nullptr);
}

TEST_F(ExternalProgramTest, EmptyOutputLeavesAnEmptyReadOnlyWindow) {
    program(0).command = "true";
    program(0).redirect = 1;
    session->externalPrograms().start(0);
    ASSERT_EQ(session->windows().size(), 1u);
    EditorWindow* out = session->activeWindow();
    EXPECT_EQ(text(out), "");
    EXPECT_TRUE(out->document().doc().readOnly());
    EXPECT_EQ(out->document().doc().titleBase(), std::string(strings::text(strings::kRunResultTitle)) + "true");
}

struct FailureCase {
    const char* name;
    const char* command;
    const char* env;
    const char* dir;
    int redirect;
    int message;      // 0: none
    size_t windows;   // left open
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }


class ProgramFailures : public ExternalProgramTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ProgramFailures, GiveTheirMessage) {
    const FailureCase& c = GetParam();
    program(4).command = c.command;
    program(4).env = c.env;
    program(4).dir = c.dir;
    program(4).redirect = c.redirect;
    session->externalPrograms().start(4);
    EXPECT_EQ(session->windows().size(), c.windows);
    if (c.message) {
        ASSERT_EQ(messageIds().size(), 1u);
        EXPECT_EQ(messageIds().front(), c.message);
    } else {
        EXPECT_TRUE(messageIds().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Starts, ProgramFailures,
    ::testing::Values(FailureCase{"EmptyCommandKeepsTheWindow", "", "", "", 1, strings::kNoProgramName, 1},
                      FailureCase{"MissingProgram", "/nonexistent/cc", "", "", 1, strings::kCannotRunProgram, 0},
                      FailureCase{"MissingProgramWithoutCapture", "orvex-no-such-program", "", "", 0,
                                  strings::kCannotRunProgram, 0},
                      FailureCase{"MissingWorkingFolder", "true", "", "/nonexistent/folder", 1,
                                  strings::kCannotRunProgram, 0},
                      FailureCase{"BadEnvironmentLine", "true", "A=1\r\nNOEQUALS", "", 1, strings::kBadEnvironment, 0},
                      FailureCase{"WithoutCaptureTheWindowCloses", "true", "", "", 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExternalProgramTest, BadEnvironmentShowsTheFaultyLine) {
    program(0).command = "true";
    program(0).env = "A=1\r\nNOEQUALS\r\nB=2";
    session->externalPrograms().start(0);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text,
              "NOEQUALS\r\nB=2\r\n" + std::string(strings::text(strings::kBadEnvironment)));
}

TEST_F(ExternalProgramTest, StartCommandWhileWaitingStopsTheProgram) {
    program(0).command = "/bin/sh";
    program(0).param = "-c 'echo begun; while :; do sleep 1; done'";
    program(0).redirect = 1;
    ui.stopAfter = 3;
    const auto start = std::chrono::steady_clock::now();
    session->externalPrograms().start(0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(session->externalPrograms().running());
    ASSERT_EQ(session->windows().size(), 1u);
    EXPECT_EQ(text(session->activeWindow()), "begun\r\n");
}

TEST_F(ExternalProgramTest, WindowClosedDuringTheWaitStopsTheProgramAndIsNotTouched) {
    program(0).command = "/bin/sh";
    program(0).param = "-c 'sleep 30; echo late'";
    program(0).redirect = 1;
    ui.closeAfter = 2;
    const auto start = std::chrono::steady_clock::now();
    session->externalPrograms().start(0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(session->windows().empty());
    EXPECT_FALSE(session->externalPrograms().running());
}

TEST_F(ExternalProgramTest, RunHereNeverWritesIntoAWorkingDocument) {
    EditorWindow* mine = session->newDocument();
    mine->activeView().insertText("keep me\r\n");
    program(0).command = "echo";
    program(0).param = "out";
    program(0).redirect = 1;
    session->settings().frame.progNo = 0;
    ASSERT_TRUE(session->router().run(cmd::kExternalProgram));
    EXPECT_EQ(text(mine), "keep me\r\n");
    EXPECT_FALSE(mine->document().doc().readOnly());
    ASSERT_EQ(session->windows().size(), 2u);
    EXPECT_EQ(text(session->activeWindow()), "out\r\n");
}

TEST_F(ExternalProgramTest, HugeOutputIsCutAtACompleteLine) {
    // 100 MB of double-byte lines; the kept part must not end inside one.
    program(0).command = "/bin/sh";
    program(0).param = "-c 'yes \"$(printf \"\\202\\240\\202\\242x\")\" | head -c 100000000'";
    program(0).redirect = 1;
    session->externalPrograms().setOutputLimit(1000001);
    session->externalPrograms().start(0);
    const std::string t = text(session->activeWindow());
    ASSERT_GE(t.size(), 900000u);
    EXPECT_LE(t.size(), 1000001u * 7 / 6);  // LF became CR LF
    EXPECT_EQ(t.substr(t.size() - 7), "\x82\xa0\x82\xa2x\r\n");
    EXPECT_EQ(t.substr(0, 7), "\x82\xa0\x82\xa2x\r\n");
}

TEST_F(ExternalProgramTest, MenuLabelsFollowTheTitles) {
    program(0).title = "make";
    EXPECT_EQ(session->externalPrograms().menuLabel(0, true), "make(&1)");
    EXPECT_EQ(session->externalPrograms().menuLabel(9, true), "ﾌﾟﾛｸﾞﾗﾑの実行10(&0)");
    EXPECT_EQ(session->externalPrograms().menuLabel(0, false), "make");
}

TEST_F(ExternalProgramTest, JapaneseTitleWasShownAsRawShiftJisInTheMenu) {
    // Titles are stored in Shift JIS; the label is UTF-8 for the menu.
    program(1).title = cp932::fromUtf8("ビルド");
    EXPECT_EQ(session->externalPrograms().menuLabel(1, true), "ビルド(&2)");
}

// 70 MB of long lines with a capture limit above what a document holds:
// the document must get as much as fits, not nothing.
TEST_F(ExternalProgramTest, OutputBeyondTheDocumentSizeIsCutNotLost) {
    program(0).command = "/bin/sh";
    program(0).param = "-c 'yes \"$(head -c 998 /dev/zero | tr \"\\0\" a)\" | head -c 70000000'";
    program(0).redirect = 1;
    session->externalPrograms().setOutputLimit(size_t(TextStore::kMaxTextSize) + (8 << 20));
    session->externalPrograms().start(0);
    const std::string t = text(session->activeWindow());
    EXPECT_GT(t.size(), size_t(TextStore::kMaxTextSize) - 1001);
    EXPECT_EQ(t.size() % 1000, 0u);  // whole lines of 998 + CR LF
    EXPECT_EQ(t.substr(t.size() - 3), "a\r\n");
}

TEST_F(ExternalProgramTest, Utf8OutputBecomesDocumentText) {
    program(0).command = "printf";
    program(0).param = "'\\343\\201\\202.c(2): x\\n'";  // "あ.c" in UTF-8
    program(0).redirect = 1;
    session->externalPrograms().start(0);
    EXPECT_EQ(text(session->activeWindow()), "\x82\xa0.c(2): x\r\n");
}

}  // namespace

// The registration sheet edits copies: cancelling keeps every registration
// but still selects the page shown last; OK stores all ten and relabels the
// menus; "実行" stores, then starts the page's program or says its command
// is missing.
class ProgramSheetTest : public ExternalProgramTest {
protected:
    ProgramSheetTest() { session->setFrameHost(&host); }
    ~ProgramSheetTest() override { session->setFrameHost(nullptr); }
    orvex::test::FakeFrameHost host;
};

TEST_F(ProgramSheetTest, CancelKeepsTheRegistrationsButSelectsTheLastPage) {
    program(3).title = "old";
    session->settings().frame.progNo = 3;
    int openedOn = -1;
    host.programSheet = [&](ProgramSheetRequest& r) {
        openedOn = r.page;
        r.programs[3].title = "new";
        r.page = 7;
        r.close = ProgramSheetRequest::Close::Cancel;
    };
    ASSERT_TRUE(session->router().run(cmd::kExternalProgramSheet));
    EXPECT_EQ(openedOn, 3);
    EXPECT_EQ(program(3).title, "old");
    EXPECT_EQ(session->settings().frame.progNo, 7);
    EXPECT_EQ(host.menuTextRefreshes, 0);
}

TEST_F(ProgramSheetTest, OkStoresAllTenAndRelabelsTheMenus) {
    host.programSheet = [&](ProgramSheetRequest& r) {
        for (int i = 0; i < settings::kExternalProgramCount; ++i) r.programs[size_t(i)].title = "p" + std::to_string(i);
        r.programs[9].paramFile = 2;
        r.close = ProgramSheetRequest::Close::Ok;
    };
    ASSERT_TRUE(session->router().run(cmd::kExternalProgramSheet));
    for (int i = 0; i < settings::kExternalProgramCount; ++i) EXPECT_EQ(program(i).title, "p" + std::to_string(i));
    EXPECT_EQ(program(9).paramFile, 2);
    EXPECT_EQ(host.menuTextRefreshes, 1);
    EXPECT_TRUE(session->windows().empty());
}

TEST_F(ProgramSheetTest, RunStartsThePageProgramOrSaysItsCommandIsMissing) {
    host.programSheet = [&](ProgramSheetRequest& r) {
        r.page = 5;
        r.close = ProgramSheetRequest::Close::Run;
    };
    ASSERT_TRUE(session->router().run(cmd::kExternalProgramSheet));
    EXPECT_EQ(messageIds(), std::vector<int>{strings::kNoProgramName});
    EXPECT_TRUE(session->windows().empty());

    host.programSheet = [&](ProgramSheetRequest& r) {
        r.programs[5].command = "printf";
        r.programs[5].param = "'ran\\n'";
        r.programs[5].redirect = 1;
        r.page = 5;
        r.close = ProgramSheetRequest::Close::Run;
    };
    ASSERT_TRUE(session->router().run(cmd::kExternalProgramSheet));
    ASSERT_EQ(session->windows().size(), 1u);
    EXPECT_EQ(text(session->activeWindow()), "ran\r\n");
    EXPECT_EQ(program(5).command, "printf");
}
