// The editor built-ins against a fake editor: what they answer, which
// requests they send, their argument rules and error 30 without a window.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <string>

#include "MacroTestSupport.h"
#include "MacroThreadSupport.h"
#include "common/codepage/Cp932.h"
#include "orxmac/MacroError.h"
#include "orxmac/MacroTexts.h"
#include "orxmac/bridge/EditorBuiltins.h"

using namespace orvex;
using namespace orvex::orxmac;
using namespace orvex::orxmac::test;

namespace {

constexpr const char* kDocument = "ab\ncd\nef";  // rows at 0, 3 and 6; 8 bytes

// One query: the document state, a statement that sets n or s, and what
// they must hold afterwards.
struct QueryRow {
    const char* statement;
    int32_t caret;
    int32_t anchor;
    int32_t n;
    const char* s;
};

void PrintTo(const QueryRow& row, std::ostream* os) { *os << row.statement; }

class EditorQueryTest : public MacroThreadTest, public ::testing::WithParamInterface<QueryRow> {};

TEST_P(EditorQueryTest, AnswersFromTheDocument) {
    const QueryRow& row = GetParam();
    editor->text = kDocument;
    editor->caret = row.caret;
    editor->anchor = row.anchor;
    editor->modes[3] = 1;
    editor->path = "/work/notes.txt";
    ASSERT_EQ(run(inMain("int n = -7; str s = \"?\";", row.statement)), 0) << row.statement;
    EXPECT_EQ(intGlobal("n"), row.n);
    EXPECT_EQ(strGlobal("s"), row.s);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, EditorQueryTest,
    ::testing::Values(
        QueryRow{"n = GetText(0);", 0, 0, 'a', "?"},
        QueryRow{"n = GetText(-1);", 3, 3, 'c', "?"},
        // At the end of the text the caret stands on the terminator.
        QueryRow{"n = GetText(-1);", 8, 8, 0, "?"},
        QueryRow{"n = GetText(100);", 0, 0, 0, "?"},
        QueryRow{"s = GetFileText();", 0, 0, -7, "ab\ncd\nef"},
        QueryRow{"n = GetFileLength();", 0, 0, 8, "?"},
        QueryRow{"n = GetLineCount();", 0, 0, 3, "?"},
        QueryRow{"s = GetLineText(1);", 0, 0, -7, "cd\n"},
        QueryRow{"s = GetLineText(-1);", 7, 7, -7, "ef"},
        QueryRow{"s = GetLineText(99);", 0, 0, -7, "ef"},
        QueryRow{"n = GetLineLength(0);", 0, 0, 3, "?"},
        QueryRow{"n = GetLineLength(-1);", 7, 7, 2, "?"},
        QueryRow{"n = GetLineLength2(0);", 0, 0, 2, "?"},
        QueryRow{"n = GetLine(4);", 0, 0, 1, "?"},
        QueryRow{"n = GetLine(-1);", 7, 7, 2, "?"},
        QueryRow{"n = GetIndex(2);", 0, 0, 6, "?"},
        QueryRow{"n = GetIndex(-1);", 4, 4, 3, "?"},
        QueryRow{"n = GetLineNo(1);", 0, 0, 1, "?"},
        QueryRow{"n = GetPos();", 4, 4, 4, "?"},
        QueryRow{"n = GetSel(0);", 1, 7, 1, "?"},
        QueryRow{"n = GetSel(1);", 1, 7, 7, "?"},
        // Without a selection both ends are the caret.
        QueryRow{"n = GetSel(0) * 100 + GetSel(1);", 4, 4, 404, "?"},
        QueryRow{"s = GetSelText();", 4, 1, -7, "b\nc"},
        QueryRow{"s = GetSelText();", 4, 4, -7, ""},
        QueryRow{"n = GetMode(3);", 0, 0, 1, "?"},
        QueryRow{"n = GetMode(10);", 0, 0, -1, "?"},
        QueryRow{"s = GetPath();", 0, 0, -7, "/work/notes.txt"}),
    [](const ::testing::TestParamInfo<QueryRow>& info) { return rowName(info.index, info.param.statement); });

TEST_F(MacroThreadTest, GetTextAnswersHighBytesUnsigned) {
    editor->text = cp932::fromUtf8("あ");
    ASSERT_EQ(run(inMain("int n;", "n = GetText(0);")), 0);
    EXPECT_EQ(intGlobal("n"), 0x82);
}

TEST_F(MacroThreadTest, ModeNumbersOutsideTheTableAreNotSent) {
    // 200 + n would reach other requests (-79 would move the caret).
    editor->text = kDocument;
    ASSERT_EQ(run(inMain("int a; int b;", "a = GetMode(-79); b = SetMode(-100, 5);")), 0);
    EXPECT_EQ(intGlobal("a"), -1);
    EXPECT_EQ(intGlobal("b"), -1);
    EXPECT_EQ(editor->countView(win::kViewSetCaret), 0u);
    EXPECT_EQ(editor->countView(win::kViewTextAddress), 0u);
}

TEST_F(MacroThreadTest, TextIsCopiedOnTheUserInterfaceThreadNeverReadFromTheBuffer) {
    editor->text = kDocument;
    editor->caret = 4;
    editor->anchor = 1;
    ASSERT_EQ(run(inMain("str a; str b; str c; str d;",
                         "a = GetFileText(); b = GetLineText(0); c = GetSelText(); d = GetPath();")),
              0);
    EXPECT_EQ(editor->countView(win::kViewTextAddress), 0u);
    EXPECT_EQ(editor->countView(win::kViewPath), 0u);
    EXPECT_GE(editor->countView(win::kViewCopyText), 2u);
    EXPECT_EQ(editor->countView(win::kViewCopyRow), 1u);
    EXPECT_EQ(editor->countView(win::kViewCopyPath), 1u);
}

TEST_F(MacroThreadTest, SetPosAndSetSelMoveTheCaretWithTheRightRequests) {
    editor->text = kDocument;
    ASSERT_EQ(run(inMain("", "SetSel(1, 4); SetSel(2, 2); SetSel(-1, 3); SetPos(100);")), 0);
    const auto set = editor->viewRequests(win::kViewSetCaret);
    ASSERT_EQ(set.size(), 3u);
    EXPECT_EQ(set[0].argument, 1);
    EXPECT_EQ(set[1].argument, 2);
    EXPECT_EQ(set[2].argument, 100);
    const auto extend = editor->viewRequests(win::kViewExtendSelection);
    ASSERT_EQ(extend.size(), 1u);  // not for a selection of nothing
    EXPECT_EQ(extend[0].argument, 4);
    EXPECT_EQ(editor->countView(win::kViewUpdate), 1u);  // the negative pair only updates
    EXPECT_EQ(editor->caret, 8);
}

TEST_F(MacroThreadTest, SetModeAnswersThePreviousValueAndTogglesOnlyOnAChange) {
    editor->modes[0] = 0;
    ASSERT_EQ(run(inMain("int a; int b; int c;", "a = SetMode(0, 0); b = SetMode(0, 1); c = GetMode(0);")), 0);
    EXPECT_EQ(intGlobal("a"), 0);
    EXPECT_EQ(intGlobal("b"), 0);
    EXPECT_EQ(intGlobal("c"), 1);
    EXPECT_EQ(editor->toggles, std::vector<uint32_t>{0});
    EXPECT_EQ(editor->countView(win::kViewModeFirst), 3u);
}

TEST_F(MacroThreadTest, SizesArePackedAndNegativeSizesSendNothing) {
    ASSERT_EQ(run(inMain("", "SetSize(80, 25); SetSize(-1, 5); SetWinSize(640, 480); SetWinSize(3, -2);")), 0);
    const auto size = editor->viewRequests(win::kViewSetSize);
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(size[0].argument, (80 << 16) | 25);
    int frameSizes = 0;
    for (const Request& r : editor->requests)
        if (r.msg == win::kMsgFrameRequest && r.code == win::kFrameSize) {
            ++frameSizes;
            EXPECT_EQ(r.argument, (640 << 16) | 480);
        }
    EXPECT_EQ(frameSizes, 1);
}

TEST_F(MacroThreadTest, InsAndTheEditingCommandsReachTheView) {
    editor->text = kDocument;
    editor->caret = editor->anchor = 2;
    ASSERT_EQ(run(inMain("", "Ins(\"XY\"); Del(); Cut(); Copy(); Paste();")), 0);
    EXPECT_EQ(editor->text, "abXY\ncd\nef");
    EXPECT_EQ(editor->viewCommands, (std::vector<uint32_t>{kCmdDelete, kCmdCut, kCmdCopy, kCmdPaste}));
}

TEST_F(MacroThreadTest, FileBuiltinsSendTheirRequestsWithTheirPaths) {
    const std::string program = inMain("", "FileNew(); FileOpen(\"a.txt\"); FileIns(\"b.txt\"); FileSave(); "
                                           "FileSaveAs(\"c.txt\"); FileClose();");
    ASSERT_EQ(run(program), 0);
    std::vector<std::string> seen;
    for (const Request& r : editor->requests) {
        if (r.msg == win::kMsgFrameRequest) seen.push_back("frame " + std::to_string(r.code) + " " + r.text);
        if (r.msg == win::kMsgViewRequest) seen.push_back("view " + std::to_string(r.code) + " " + r.text);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"frame 0 ", "frame 1 a.txt", "view 3 b.txt", "view 4 ", "view 5 c.txt",
                                              "frame 2 "}));
}

TEST_F(MacroThreadTest, FilePathsTravelAsFileSystemNames) {
    // A Shift JIS name in the macro reaches the editor as UTF-8, and the
    // document's path comes back in Shift JIS.
    editor->path = "/tmp/メモ.txt";
    const std::string program = cp932::fromUtf8(inMain("str p;", "FileOpen(\"表.txt\"); p = GetPath();"));
    ASSERT_EQ(run(program), 0);
    bool found = false;
    for (const Request& r : editor->requests)
        if (r.msg == win::kMsgFrameRequest && r.code == win::kFrameOpen) found = r.text == "表.txt";
    EXPECT_TRUE(found);
    EXPECT_EQ(strGlobal("p"), cp932::fromUtf8("/tmp/メモ.txt"));
}

TEST_F(MacroThreadTest, AfterClosingTheLastDocumentGetPosFailsWithError30) {
    editor->text = kDocument;
    const std::string program = inMain("int n = 5;", "FileClose(); n = GetPos();");
    EXPECT_EQ(run(program), -kErrNoWindow);
    EXPECT_EQ(intGlobal("n"), 5);
    EXPECT_EQ(editor->countView(win::kViewCaretRow), 0u);
}

TEST_F(MacroThreadTest, FileNewAfterTheLastCloseGivesTheMacroAViewAgain) {
    editor->text = kDocument;
    ASSERT_EQ(run(inMain("int n;", "FileClose(); FileNew(); n = GetFileLength();")), 0);
    EXPECT_EQ(intGlobal("n"), 8);
}

TEST_F(MacroThreadTest, AViewThatGoesAwayMidRunAnswersZero) {
    editor->text = kDocument;
    editor->closeOnCommand = kCmdDelete;
    ASSERT_EQ(run(inMain("int n = 9; str s = \"x\"; int p = 9;", "Del(); n = GetFileLength(); s = GetFileText(); "
                                                               "p = GetPos(); Ins(\"z\"); s = s + GetLineText(0);")),
              0);
    EXPECT_EQ(intGlobal("n"), 0);
    EXPECT_EQ(intGlobal("p"), 0);
    EXPECT_EQ(strGlobal("s"), "");
}

TEST_F(MacroThreadTest, SendOfAMacroRunCommandStopsThisMacroAndPostsStopThenTheCommand) {
    const std::string program = inMain("int after;", "Send(32927); after = 1;");
    EXPECT_EQ(run(program), kStopped);
    EXPECT_EQ(intGlobal("after"), 0);
    win::dispatchPending();
    EXPECT_EQ(editor->mainCommands, (std::vector<uint32_t>{kCmdMacroStop, 32927}));
    EXPECT_TRUE(host.shown.empty());  // a stopped run reports nothing
}

TEST_F(MacroThreadTest, SendOfTheStopCommandIsPostedAndOtherCommandsRunBeforeSendReturns) {
    ASSERT_EQ(run(inMain("", "Send(32943); Send(57600);")), 0);
    win::dispatchPending();
    std::vector<uint32_t> commands = editor->mainCommands;
    std::sort(commands.begin(), commands.end());
    EXPECT_EQ(commands, (std::vector<uint32_t>{kCmdMacroStop, 57600u}));
}

TEST(EditorBuiltinsTable, MacroRunCommandsAreTheTenSlots) {
    for (int id : {32926, 32930, 33025, 33029}) EXPECT_TRUE(isMacroRunCommand(id)) << id;
    for (int id : {32925, 32931, 33024, 33030, 32943}) EXPECT_FALSE(isMacroRunCommand(id)) << id;
}

// Error 30 before the arguments are read: which handle each built-in needs.
struct WindowRow {
    const char* call;
    bool needsMain;
};

void PrintTo(const WindowRow& row, std::ostream* os) { *os << row.call; }

class MissingWindowTest : public MacroThreadTest, public ::testing::WithParamInterface<WindowRow> {};

TEST_P(MissingWindowTest, FailsWithError30AtTheCall) {
    const WindowRow& row = GetParam();
    const std::string program = inMain("int n = 1;", std::string("n = 2; ") + row.call + ";");
    const int result = row.needsMain ? runWith(program, nullptr, editor->viewHandle)
                                     : runWith(program, editor->mainHandle, nullptr);
    EXPECT_EQ(result, -kErrNoWindow) << row.call;
    EXPECT_EQ(intGlobal("n"), 2);
    EXPECT_TRUE(editor->requests.empty()) << row.call;
    // The error box reports it.
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text.rfind("Error 30 ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Handles, MissingWindowTest,
    ::testing::Values(WindowRow{"FileNew()", true}, WindowRow{"FileOpen(\"a\")", true}, WindowRow{"FileClose()", true},
                      WindowRow{"SetWinSize(1, 2)", true}, WindowRow{"Send(57600)", true},
                      WindowRow{"FileIns(\"a\")", false}, WindowRow{"FileSave()", false},
                      WindowRow{"FileSaveAs(\"a\")", false}, WindowRow{"GetFileText()", false},
                      WindowRow{"GetFileLength()", false}, WindowRow{"GetLineCount()", false},
                      WindowRow{"GetText(0)", false}, WindowRow{"GetLineText(0)", false},
                      WindowRow{"GetLineLength(0)", false}, WindowRow{"GetLineLength2(0)", false},
                      WindowRow{"GetLine(0)", false}, WindowRow{"GetIndex(0)", false},
                      WindowRow{"GetLineNo(0)", false}, WindowRow{"GetPos()", false}, WindowRow{"GetSel(0)", false},
                      WindowRow{"GetSelText()", false}, WindowRow{"GetMode(0)", false},
                      WindowRow{"GetPath()", false}, WindowRow{"SetPos(0)", false},
                      WindowRow{"SetSel(0, 1)", false}, WindowRow{"SetMode(0, 1)", false},
                      WindowRow{"SetSize(1, 1)", false}, WindowRow{"Ins(\"a\")", false}, WindowRow{"Del()", false},
                      WindowRow{"Cut()", false}, WindowRow{"Copy()", false}, WindowRow{"Paste()", false},
                      WindowRow{"spell(\"a\", \"b\", \"c\")", false},
                      // Checked before the arguments: even a broken list gives 30.
                      WindowRow{"GetText(\"x\")", false}, WindowRow{"FileOpen(1)", true}),
    [](const ::testing::TestParamInfo<WindowRow>& info) { return rowName(info.index, info.param.call); });

// Malformed argument lists (26) and values of the wrong kind (1).
struct ArgumentRow {
    const char* call;
    int error;
};

void PrintTo(const ArgumentRow& row, std::ostream* os) { *os << row.call; }

class ArgumentRuleTest : public MacroThreadTest, public ::testing::WithParamInterface<ArgumentRow> {};

TEST_P(ArgumentRuleTest, FailsWithItsError) {
    const ArgumentRow& row = GetParam();
    editor->text = kDocument;
    EXPECT_EQ(run(inMain("int n;", std::string("n = ") + row.call + ";")), -row.error) << row.call;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ArgumentRuleTest,
    ::testing::Values(ArgumentRow{"GetText()", kErrArguments}, ArgumentRow{"GetText(1, 2)", kErrArguments},
                      ArgumentRow{"GetPos(1)", kErrArguments}, ArgumentRow{"SetSel(1)", kErrArguments},
                      ArgumentRow{"SetSel(1, )", kErrArguments}, ArgumentRow{"spell(\"a\", \"b\")", kErrArguments},
                      ArgumentRow{"MessageBox(\"a\")", kErrArguments}, ArgumentRow{"Sleep()", kErrArguments},
                      ArgumentRow{"GetText(\"x\")", kErrSyntax}, ArgumentRow{"Ins(5)", kErrSyntax},
                      ArgumentRow{"FileOpen(1)", kErrSyntax}, ArgumentRow{"SetMode(0, \"1\")", kErrSyntax},
                      ArgumentRow{"MessageBox(1, 1)", kErrSyntax}, ArgumentRow{"Input(0)", kErrSyntax},
                      ArgumentRow{"Run(0)", kErrSyntax}, ArgumentRow{"SetDir(0)", kErrSyntax}),
    [](const ::testing::TestParamInfo<ArgumentRow>& info) { return rowName(info.index, info.param.call); });

// MessageBox: its buttons by type and the answers as the macro sees them.
struct BoxRow {
    int type;
    MsgButtons buttons;
    MsgResult answer;
    int32_t value;
};

class MessageBoxTest : public MacroThreadTest, public ::testing::WithParamInterface<BoxRow> {};

TEST_P(MessageBoxTest, ShowsItsButtonsAndAnswers) {
    const BoxRow& row = GetParam();
    host.answers.push_back(row.answer);
    ASSERT_EQ(run(inMain("int n;", "n = MessageBox(\"hello\", " + std::to_string(row.type) + ");")), 0);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text, "hello");
    EXPECT_EQ(host.shown[0].caption, kLibraryCaption);
    EXPECT_EQ(host.shown[0].buttons, row.buttons);
    EXPECT_EQ(intGlobal("n"), row.value);
}

INSTANTIATE_TEST_SUITE_P(Answers, MessageBoxTest,
                         ::testing::Values(BoxRow{0, MsgButtons::Ok, MsgResult::Ok, 0},
                                           BoxRow{7, MsgButtons::Ok, MsgResult::Ok, 0},
                                           BoxRow{1, MsgButtons::YesNo, MsgResult::Yes, 2},
                                           BoxRow{1, MsgButtons::YesNo, MsgResult::No, 3},
                                           BoxRow{2, MsgButtons::YesNoCancel, MsgResult::Cancel, 1},
                                           BoxRow{2, MsgButtons::YesNoCancel, MsgResult::No, 3}));

TEST_F(MacroThreadTest, InputGivesTheTextOrTheEmptyStringWhenCancelled) {
    host.inputAnswers.push_back(std::string("入力"));
    host.inputAnswers.push_back(std::nullopt);
    ASSERT_EQ(run(cp932::fromUtf8(inMain("str a = \"?\"; str b = \"?\";", "a = Input(\"名前\"); b = Input(\"t\");"))), 0);
    EXPECT_EQ(host.inputs, (std::vector<std::string>{"名前", "t"}));
    EXPECT_EQ(strGlobal("a"), cp932::fromUtf8("入力"));
    EXPECT_EQ(strGlobal("b"), "");
}

TEST_F(MacroThreadTest, SetDirChangesTheDirectoryAndTellsWhenItCannot) {
    char before[PATH_MAX];
    ASSERT_NE(getcwd(before, sizeof before), nullptr);
    const int result = run(inMain("str d;", "SetDir(\"/\"); d = GetDir(); SetDir(\"/no/such/folder\");"));
    const bool changed = chdir(before) == 0;
    ASSERT_TRUE(changed);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(strGlobal("d"), "/");
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text, kSetDirFailed);
    EXPECT_EQ(host.shown[0].caption, kLibraryCaption);
    EXPECT_EQ(host.shown[0].buttons, MsgButtons::Ok);
}

TEST_F(MacroThreadTest, RunOfAMissingProgramTellsAndTheMacroGoesOn) {
    ASSERT_EQ(run(inMain("int after;", "Run(\"orvex-no-such-program-here --x\"); Run(\"true\"); after = 1;")), 0);
    EXPECT_EQ(intGlobal("after"), 1);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text, kRunFailed);
    EXPECT_EQ(host.shown[0].caption, kLibraryCaption);
}

TEST_F(MacroThreadTest, SpellWithoutTheSpellLibraryTellsAndUpdatesTheView) {
    editor->text = kDocument;
    ASSERT_EQ(run(inMain("int after;", "spell(\"a\", \"b\", \"c\"); after = 1;")), 0);
    EXPECT_EQ(intGlobal("after"), 1);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text, kSpellLibraryMissing);
    EXPECT_EQ(host.shown[0].caption, kLibraryCaption);
    EXPECT_EQ(editor->countView(win::kViewUpdate), 1u);
    EXPECT_EQ(editor->countView(win::kViewTextAddress), 0u);
}

}  // namespace
