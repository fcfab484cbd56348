// Start-up, the instance hand-over and the exit order, headless: the frame
// the second start sends and the running instance reads, the control
// message's operations on a session, what a start does with its command
// line, and what the exit saves.
#include <gtest/gtest.h>

#include <fstream>

#include "settings/AtomicFile.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FrameStores.h"
#include "shell/HandOver.h"
#include "shell/InstanceControl.h"
#include "shell/Startup.h"
#include "tests/settings/TempFolder.h"
#include "tests/support/FakePlatform.h"
#include "text/CLuView.h"

using namespace orvex;
using namespace orvex::shell;
using orvex::test::TempFolder;

namespace {

std::string u32(uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s.push_back(char((v >> (8 * i)) & 0xFF));
    return s;
}

std::string frame(uint32_t magic, uint32_t code, uint32_t length, std::string_view payload) {
    return u32(magic) + u32(code) + u32(0) + u32(length) + std::string(payload);
}

// ---- The hand-over frame

TEST(HandOver, CommandLineTravelsTokenByTokenInPieces) {
    HandOverMessage m;
    m.code = kCtlHandOver;
    m.directory = "/home/me/work";
    m.tokens = {"My Notes/a \"b\".txt", "/j25", "", "x"};
    const std::string bytes = encodeHandOver(m);
    HandOverReader reader;
    // Byte by byte, as a slow socket may deliver it.
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        ASSERT_EQ(reader.feed(bytes.substr(i, 1)), HandOverReader::Status::NeedMore) << i;
    ASSERT_EQ(reader.feed(bytes.substr(bytes.size() - 1)), HandOverReader::Status::Complete);
    EXPECT_EQ(reader.message(), m);

    const CommandLineInfo info = commandLineOf(reader.message());
    EXPECT_EQ(info.file, "/home/me/work/My Notes/a \"b\".txt");  // relative: in the sender's folder
    EXPECT_EQ(info.jumpLine, 25);
    EXPECT_EQ(info.more, (std::vector<std::string>{"/home/me/work/x"}));
}

struct BadFrame {
    const char* name;
    std::string bytes;
};

class HandOverRefuses : public ::testing::TestWithParam<BadFrame> {};

TEST_P(HandOverRefuses, DamagedOrForeignFrames) {
    HandOverReader reader;
    EXPECT_EQ(reader.feed(GetParam().bytes), HandOverReader::Status::Invalid);
    // Once refused, more bytes do not revive it.
    EXPECT_EQ(reader.feed(frame(kInstanceMagic, 0, 0, "")), HandOverReader::Status::Invalid);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, HandOverRefuses,
    ::testing::Values(BadFrame{"WrongMagic", frame(0x4F727666, 0, 0, "")},
                      BadFrame{"ForeignTextProtocol", "GET / HTTP/1.0\r\n\r\n"},
                      BadFrame{"HugeLength", frame(kInstanceMagic, kCtlHandOver, 0xFFFFFFF0u, "")},
                      BadFrame{"UnknownCode", frame(kInstanceMagic, 10, 0, "")},
                      BadFrame{"HandOverWithoutTerminator", frame(kInstanceMagic, kCtlHandOver, 3, "abc")},
                      BadFrame{"EmptyHandOver", frame(kInstanceMagic, kCtlHandOver, 0, "")},
                      BadFrame{"TooManyTokens",
                               frame(kInstanceMagic, kCtlHandOver, uint32_t(kMaxHandOverTokens + 2) * 2,
                                     std::string((kMaxHandOverTokens + 2) * 2, '\0'))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HandOver, TruncatedFrameWaitsAndAnswerNeedsTheMagic) {
    HandOverReader reader;
    EXPECT_EQ(reader.feed(frame(kInstanceMagic, kCtlOpenPath, 10, "/tmp")), HandOverReader::Status::NeedMore);
    bool invalid = false;
    EXPECT_EQ(decodeAnswer(encodeAnswer(-7), &invalid), std::optional<int64_t>(-7));
    EXPECT_FALSE(decodeAnswer(encodeAnswer(1).substr(0, 11), &invalid).has_value());
    EXPECT_FALSE(invalid);
    EXPECT_FALSE(decodeAnswer("HTTP/1.1 400", &invalid).has_value());
    EXPECT_TRUE(invalid);
}

// ---- Sessions

class StartupSession : public ::testing::Test {
protected:
    StartupSession() { make(); }
    void make() {
        settings::SettingsEnvironment env;
        env.settingsFile = folder.file("settings.ini");
        env.dataFolder = folder.file("data");
        env.tempFolder = folder.path();
        env.homeFolder = folder.path();
        session = std::make_unique<EditorSession>(env, fakes.platform(), true);
        control = std::make_unique<InstanceControl>(*session);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string p = folder.file(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    win::LResult send(uint32_t code, win::LParam lParam = 0) { return control->onMessage(kControlMessage, code, lParam); }
    static std::string numberedLines(int n) {
        std::string s;
        for (int i = 1; i <= n; ++i) s += "line " + std::to_string(i) + "\r\n";
        return s;
    }

    TempFolder folder;
    test::FakePlatform fakes;
    std::unique_ptr<EditorSession> session;
    std::unique_ptr<InstanceControl> control;
};

TEST_F(StartupSession, ControlMessageOperations) {
    // 0: a new document; the answer is the active view.
    const win::LResult first = send(kCtlNewDocument);
    EXPECT_EQ(first, reinterpret_cast<win::LResult>(session->activeViewHandle()));
    EXPECT_NE(first, 0);
    EXPECT_EQ(session->windows().size(), 1u);
    // 1: open a path.
    const std::string a = write("a b.txt", numberedLines(40));
    send(kCtlOpenPath, reinterpret_cast<win::LParam>(a.c_str()));
    ASSERT_EQ(session->windows().size(), 2u);
    EXPECT_EQ(session->activeWindow()->document().path(), a);
    // 4: a whole command line with a quoted name and a jump.
    const std::string line = "\"" + a + "\" /j25";
    send(kCtlCommandLine, reinterpret_cast<win::LParam>(line.c_str()));
    EXPECT_EQ(session->windows().size(), 2u);  // the open window is taken
    EXPECT_EQ(session->activeView()->cursor().row, 24);
    // 5-7: a long command line in pieces, cut at the announced length.
    const std::string b = write("b.txt", "b\r\n");
    send(kCtlBeginLong, win::LParam(b.size()));
    send(kCtlAppendLong, reinterpret_cast<win::LParam>(b.substr(0, 3).c_str()));
    send(kCtlAppendLong, reinterpret_cast<win::LParam>((b.substr(3) + "-ignored-beyond-length").c_str()));
    send(kCtlProcessLong);
    EXPECT_EQ(session->activeWindow()->document().path(), b);
    // 2: close the active document; 7 without 5 does nothing.
    send(kCtlCloseActive);
    EXPECT_EQ(session->windows().size(), 2u);
    const win::LResult idle = send(kCtlProcessLong);
    EXPECT_EQ(idle, reinterpret_cast<win::LResult>(session->activeViewHandle()));
    // 8: the hand-over of a second start, relative to its folder.
    HandOverMessage m;
    m.code = kCtlHandOver;
    m.directory = folder.path();
    m.tokens = {"b.txt", "/J2"};
    control->setHandOver(m);
    send(kCtlHandOver);
    EXPECT_EQ(session->windows().size(), 3u);
    EXPECT_EQ(session->activeView()->cursor().row, 1);
    // A second code 8 without a new hand-over does nothing; unknown codes neither.
    send(kCtlHandOver);
    send(42);
    EXPECT_EQ(session->windows().size(), 3u);
    // Another message than WM_USER+1 is not answered.
    EXPECT_EQ(control->onMessage(0x402, kCtlNewDocument, 0), 0);
}

TEST_F(StartupSession, HandOverOfMissingFileStopsAndKeepsTheSessionWhole) {
    HandOverMessage m;
    m.code = kCtlHandOver;
    m.directory = folder.path();
    m.tokens = {"no-such-dir/none.txt", write("c.txt", "c")};
    control->setHandOver(m);
    send(kCtlHandOver);
    EXPECT_TRUE(session->windows().empty());  // the first failed: the rest is not opened
}

struct StartCase {
    const char* name;
    const char* line;
    int runHide, keepRun, autoLoad;
    bool stored;
    StartAction expected;
};

class StartActions : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartActions, FromCommandLineAndOptions) {
    const StartCase& c = GetParam();
    settings::AppOptions app;
    app.runHide = c.runHide;
    app.keepRun = c.keepRun;
    app.autoLoad = c.autoLoad;
    settings::OpenFileList stored;
    if (c.stored) stored.entries[3] = {"/tmp/x.txt", 0, 0, 0, std::nullopt, 1};
    stored.entries[0] = {"/tmp/closed.txt", 0, 0, 0, std::nullopt, 0};  // Close 0: not reopened
    EXPECT_EQ(startAction(parseCommandLine(c.line), app, stored), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartActions,
    ::testing::Values(StartCase{"FileOpens", "a.txt /h", 1, 1, 1, true, StartAction::OpenFiles},
                      StartCase{"HideHonoured", "/h", 1, 1, 1, true, StartAction::StartHidden},
                      StartCase{"HideWithoutRunHideIgnored", "/H", 0, 1, 0, false, StartAction::NewDocument},
                      StartCase{"HideNeedsResidentMode", "-h", 1, 0, 0, false, StartAction::NewDocument},
                      StartCase{"ReopenStored", "", 0, 0, 1, true, StartAction::Reopen},
                      StartCase{"OnlyClosedEntry", "", 0, 0, 1, false, StartAction::NewDocument},
                      StartCase{"AutoLoadOff", "", 0, 0, 0, true, StartAction::NewDocument},
                      StartCase{"Print", "/p a.txt", 0, 0, 0, false, StartAction::Print}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartActions, InstanceLookupFollowsDualBootOrKeepRun) {
    settings::AppOptions app;
    EXPECT_FALSE(looksForInstance(app));
    app.keepRun = 1;
    EXPECT_TRUE(looksForInstance(app));
    app.keepRun = 0;
    app.dualBoot = 1;
    EXPECT_TRUE(looksForInstance(app));
}

TEST_F(StartupSession, ExitStoresOpenFilesAndReopenRestoresCarets) {
    session->settings().app.autoLoad = 1;
    session->settings().app.restorCursor = 1;
    const std::string a = write("a.txt", numberedLines(30));
    session->openFile(a);
    session->activeView()->goToLine(12);
    session->newDocument();  // untitled: not recorded
    session->scrapBook().add("scrap");
    ASSERT_TRUE(session->exit());
    EXPECT_TRUE(session->exited());
    std::string scrap;
    ASSERT_EQ(settings::readWholeFile(folder.file("data/OrvexS1.dat"), scrap), settings::ReadResult::Ok);
    EXPECT_EQ(scrap, "scrap\x0C");

    // The next start reads the list and reopens at the stored caret.
    session.reset();
    make();
    ASSERT_TRUE(hasFilesToReopen(session->settings().openFiles));
    EXPECT_EQ(session->settings().openFiles.entries[0].file, a);
    EXPECT_EQ(reopenStoredFiles(*session), 1);
    EXPECT_EQ(session->activeView()->cursor().row, 11);
    EXPECT_EQ(session->settings().recentFiles.files[0], a);
}

TEST_F(StartupSession, CancelledSaveQuestionStopsTheExitBeforeAnythingIsSaved) {
    session->settings().app.autoLoad = 1;
    session->newDocument();
    session->activeView()->typeText("unsaved");
    session->scrapBook().add("kept");
    fakes.messages.answer(MsgResult::Cancel);
    EXPECT_FALSE(session->exit());
    EXPECT_FALSE(session->exited());
    EXPECT_EQ(session->windows().size(), 1u);
    EXPECT_EQ(session->activeWindow()->document().doc().text().view(), "unsaved");
    std::string none;
    EXPECT_EQ(settings::readWholeFile(folder.file("data/OrvexS1.dat"), none), settings::ReadResult::Missing);
    // The resident close asks the same and keeps the window on Cancel too.
    fakes.messages.answer(MsgResult::Cancel);
    EXPECT_FALSE(session->residentClose());
    EXPECT_EQ(session->windows().size(), 1u);
}

TEST_F(StartupSession, MacroIsStoppedFirstAndResidentIconGoesOnExit) {
    std::vector<std::string> order;
    session->setMacroStopper([&] { order.push_back("macro"); });
    session->setResidentEnd([&] { order.push_back("icon"); });
    ASSERT_TRUE(session->exit());
    EXPECT_EQ(order, (std::vector<std::string>{"macro", "icon"}));
}

}  // namespace
