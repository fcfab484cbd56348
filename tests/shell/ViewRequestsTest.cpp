// The answers of an editor view to the requests of the macro library, on a
// headless session: reading rows and text, moving the caret, inserting,
// the mode settings and the copies; a closed view answers nothing; the main
// window's control answers with the active view's handle.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "common/commands/CommandIds.h"
#include "shell/EditorWindow.h"
#include "shell/InstanceControl.h"
#include "shell/ViewRequests.h"
#include "tests/shell/SessionFixture.h"
#include "text/CLuDoc.h"
#include "text/CLuView.h"
#include "winmsg/EditorRequests.h"

namespace orvex::shell {
namespace {

// Row 0 "ab" + a double-byte character + "cd" CR LF (offsets 0-7), row 1
// "xyz" CR LF (8-12), row 2 the empty last row at 13.
const std::string kText = "ab\x82\xa0" "cd\r\nxyz\r\n";

class ViewRequestsTest : public test::SessionFixture {
protected:
    ViewRequestsTest() {
        window = session->newDocument();
        view().insertText(kText);
        handle = session->viewHandle(&view());
    }
    CLuView& view() { return window->activeView(); }
    win::LResult send(win::WParam code, win::LParam arg = 0) {
        return win::sendMessage(handle, win::kMsgViewRequest, code, arg);
    }
    win::LResult sendText(win::WParam code, const std::string& s) {
        return send(code, reinterpret_cast<win::LParam>(s.c_str()));
    }
    std::string text() const { return std::string(window->document().doc().text().view()); }

    EditorWindow* window = nullptr;
    win::Handle handle = nullptr;
};

// ---- Row requests with clamped rows

struct RowCase {
    const char* name;
    win::WParam code;
    win::LParam row;
    win::LResult answer;
};

class RowRequests : public ViewRequestsTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(RowRequests, AnswerForTheClampedRow) {
    EXPECT_EQ(send(GetParam().code, GetParam().row), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RowRequests,
    ::testing::Values(RowCase{"LineOfRow1", win::kViewLineOfRow, 1, 1},
                      RowCase{"LineOfNegativeRow", win::kViewLineOfRow, -4, 0},
                      RowCase{"LineOfRowPastTheEnd", win::kViewLineOfRow, 99, 2},
                      RowCase{"OffsetOfRow1", win::kViewRowOffset, 1, 8},
                      RowCase{"OffsetOfLastRow", win::kViewRowOffset, 2, 13},
                      RowCase{"OffsetOfRowPastTheEnd", win::kViewRowOffset, 1000, 13},
                      RowCase{"OffsetOfNegativeRow", win::kViewRowOffset, -1, 0},
                      RowCase{"LengthWithLineEnd", win::kViewRowLength, 0, 8},
                      RowCase{"LengthOfRow1", win::kViewRowLength, 1, 5},
                      RowCase{"LengthOfLastRowStopsBeforeTheTerminator", win::kViewRowLength, 2, 0},
                      RowCase{"LengthPastTheEnd", win::kViewRowLength, 7, 0},
                      RowCase{"WidthWithoutLineEndMark", win::kViewRowWidth, 0, 6},
                      RowCase{"WidthOfRow1", win::kViewRowWidth, 1, 3},
                      RowCase{"WidthOfLastRow", win::kViewRowWidth, 2, 0},
                      RowCase{"FirstRowOfLine", win::kViewFirstRowOfLine, 1, 1},
                      RowCase{"LastRowOfLine", win::kViewLastRowOfLine, -7, 0},
                      RowCase{"RowOfLine1", win::kViewRowOfLine, 1, 1},
                      RowCase{"UnknownCode", 99, 0, -1}, RowCase{"UnknownCodeBetween", 127, 0, -1},
                      RowCase{"UnknownCodeAfterTheModes", 210, 0, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewRequestsTest, CountsAndAddresses) {
    EXPECT_EQ(send(win::kViewTextLength), win::LResult(kText.size()));
    EXPECT_EQ(send(win::kViewRowCount), 3);
    EXPECT_EQ(send(win::kViewLineCount), 3);
    const auto* address = reinterpret_cast<const char*>(send(win::kViewTextAddress));
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(std::string(address), kText);
    EXPECT_STREQ(reinterpret_cast<const char*>(send(win::kViewPath)), "");
}

TEST_F(ViewRequestsTest, WrappedRowsCountTheirBytesAndFullWidth) {
    EditorWindow* w = session->newDocument();
    CLuView& v = w->activeView();
    v.insertText(std::string(25, 'a') + "\r\n");
    v.applyWrapWidth(10, true);
    const win::Handle h = session->viewHandle(&v);
    ASSERT_EQ(win::sendMessage(h, win::kMsgViewRequest, win::kViewRowCount), 4);
    // A row that wraps has no line end: its whole width counts.
    EXPECT_EQ(win::sendMessage(h, win::kMsgViewRequest, win::kViewRowLength, 0), 10);
    EXPECT_EQ(win::sendMessage(h, win::kMsgViewRequest, win::kViewRowWidth, 0), 10);
    EXPECT_EQ(win::sendMessage(h, win::kMsgViewRequest, win::kViewRowLength, 2), 7);
    EXPECT_EQ(win::sendMessage(h, win::kMsgViewRequest, win::kViewRowWidth, 2), 5);
    EXPECT_EQ(win::sendMessage(h, win::kMsgViewRequest, win::kViewLineOfRow, 2), 0);
    EXPECT_EQ(win::sendMessage(h, win::kMsgViewRequest, win::kViewFirstRowOfLine, 2), 0);
    EXPECT_EQ(win::sendMessage(h, win::kMsgViewRequest, win::kViewLastRowOfLine, 1), 2);
    EXPECT_EQ(win::sendMessage(h, win::kMsgViewRequest, win::kViewRowOfLine, 1), 3);
    // The last row's length stops before the terminator.
    EXPECT_EQ(win::sendMessage(h, win::kMsgViewRequest, win::kViewRowLength, 3), 0);
}

// ---- Offsets to rows and the caret

struct OffsetCase {
    const char* name;
    win::LParam offset;
    win::LResult row;
};

class RowOfOffset : public ViewRequestsTest, public ::testing::WithParamInterface<OffsetCase> {};

TEST_P(RowOfOffset, IsTheLastRowNotBeyondAndBecomesTheCaretRow) {
    EXPECT_EQ(send(win::kViewRowOfOffset, GetParam().offset), GetParam().row);
    EXPECT_EQ(send(win::kViewCaretRow), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(Table, RowOfOffset,
                         ::testing::Values(OffsetCase{"Start", 0, 0}, OffsetCase{"InsideADoubleByteCharacter", 3, 0},
                                           OffsetCase{"TheLineEnd", 7, 0}, OffsetCase{"NextRow", 8, 1},
                                           OffsetCase{"TheEnd", 13, 2}, OffsetCase{"PastTheEnd", 500, 2},
                                           OffsetCase{"Negative", -9, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewRequestsTest, SetCaretClampsAndExtendSelects) {
    EXPECT_EQ(send(win::kViewSetCaret, -5), 0);
    EXPECT_EQ(send(win::kViewCaretRow), 0);
    EXPECT_EQ(send(win::kViewCaretByteColumn), 0);
    send(win::kViewSetCaret, 1000);
    EXPECT_EQ(send(win::kViewCaretRow), 2);
    EXPECT_EQ(send(win::kViewCaretByteColumn), 0);
    EXPECT_FALSE(view().hasSelection());

    // Inside a double-byte character the caret stands on a character start.
    send(win::kViewSetCaret, 3);
    const win::LResult column = send(win::kViewCaretByteColumn);
    EXPECT_TRUE(column == 2 || column == 4) << column;

    send(win::kViewSetCaret, 1);
    send(win::kViewExtendSelection, 10);
    ASSERT_TRUE(view().hasSelection());
    EXPECT_EQ(send(win::kViewSelStartRow), 0);
    EXPECT_EQ(send(win::kViewSelStartByteColumn), 1);
    EXPECT_EQ(send(win::kViewSelStartColumn), 1);
    EXPECT_EQ(send(win::kViewSelEndRow), 1);
    EXPECT_EQ(send(win::kViewSelEndByteColumn), 2);
    EXPECT_EQ(send(win::kViewSelEndColumn), 2);
    EXPECT_EQ(view().selectedText(), "b\x82\xa0" "cd\r\nxy");
    // An update keeps the selection; a caret move ends it.
    send(win::kViewUpdate);
    EXPECT_TRUE(view().hasSelection());
    send(win::kViewSetCaret, 9);
    EXPECT_FALSE(view().hasSelection());
    // Without a selection both ends are the caret.
    EXPECT_EQ(send(win::kViewSelStartRow), 1);
    EXPECT_EQ(send(win::kViewSelEndByteColumn), 1);
    EXPECT_EQ(send(win::kViewCaretColumn), 1);
}

// ---- Changing the text

TEST_F(ViewRequestsTest, InsertTextTypesAtTheCaretWithUndo) {
    send(win::kViewSetCaret, 8);
    EXPECT_EQ(sendText(win::kViewInsertText, "12"), 0);
    EXPECT_EQ(text(), "ab\x82\xa0" "cd\r\n12xyz\r\n");
    // Overwrite mode overwrites, as typing does.
    EXPECT_EQ(send(win::kViewModeFirst + win::WParam(win::kModeOverwrite), 1), 0);
    sendText(win::kViewInsertText, "Q");
    EXPECT_EQ(text(), "ab\x82\xa0" "cd\r\n12Qyz\r\n");
    ASSERT_TRUE(session->router().run(cmd::kUndo));
    EXPECT_EQ(text(), "ab\x82\xa0" "cd\r\n12xyz\r\n");
    // A null or empty text does nothing.
    EXPECT_EQ(send(win::kViewInsertText, 0), 0);
    EXPECT_EQ(sendText(win::kViewInsertText, ""), 0);
    EXPECT_EQ(text(), "ab\x82\xa0" "cd\r\n12xyz\r\n");
}

TEST_F(ViewRequestsTest, ReadOnlyDocumentRefusesInsertions) {
    const std::string file = folder.file("ins.txt");
    { std::FILE* f = std::fopen(file.c_str(), "wb"); std::fputs("inserted", f); std::fclose(f); }
    // A read-only document that takes no edits (EditEnable off).
    CLuDoc& doc = window->document().doc();
    EditSettings settings = doc.editSettings();
    settings.editEnable = false;
    doc.setEditSettings(settings);
    doc.setReadOnly(true);
    EXPECT_EQ(sendText(win::kViewInsertText, "zz"), 0);
    EXPECT_EQ(sendText(win::kViewInsertFile, file), 0);
    EXPECT_EQ(text(), kText);
    // Once editable, the file goes in at the caret.
    doc.setReadOnly(false);
    send(win::kViewSetCaret, 8);
    sendText(win::kViewInsertFile, file);
    EXPECT_EQ(text(), "ab\x82\xa0" "cd\r\ninsertedxyz\r\n");
}

TEST_F(ViewRequestsTest, SaveAsWritesTheFileAndPathIsAnswered) {
    const std::string file = folder.file("saved.txt");
    sendText(win::kViewSaveAs, file);
    std::string path;
    EXPECT_EQ(send(win::kViewCopyPath, reinterpret_cast<win::LParam>(&path)), win::LResult(file.size()));
    EXPECT_EQ(path, file);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(send(win::kViewPath))), file);
    EXPECT_FALSE(window->document().doc().isModified());
    sendText(win::kViewInsertText, "+");
    send(win::kViewSave);
    EXPECT_FALSE(window->document().doc().isModified());
}

// ---- Copies

TEST_F(ViewRequestsTest, CopiesAreClippedToTheText) {
    win::TextCopy all;
    EXPECT_EQ(send(win::kViewCopyText, reinterpret_cast<win::LParam>(&all)), win::LResult(kText.size()));
    EXPECT_EQ(all.out, kText);
    win::TextCopy part{2, 2, {}};
    EXPECT_EQ(send(win::kViewCopyText, reinterpret_cast<win::LParam>(&part)), 2);
    EXPECT_EQ(part.out, "\x82\xa0");
    win::TextCopy beyond{40, 5, {}};
    EXPECT_EQ(send(win::kViewCopyText, reinterpret_cast<win::LParam>(&beyond)), 0);
    EXPECT_EQ(beyond.out, "");
    win::TextCopy tail{10, 100, {}};
    EXPECT_EQ(send(win::kViewCopyText, reinterpret_cast<win::LParam>(&tail)), 3);
    EXPECT_EQ(tail.out, "z\r\n");

    send(win::kViewSetCaret, 9);
    win::RowCopy caretRow;
    EXPECT_EQ(send(win::kViewCopyRow, reinterpret_cast<win::LParam>(&caretRow)), 5);
    EXPECT_EQ(caretRow.row, 1);
    EXPECT_EQ(caretRow.offset, 8);
    EXPECT_EQ(caretRow.out, "xyz\r\n");
    win::RowCopy past{77, 0, {}};
    EXPECT_EQ(send(win::kViewCopyRow, reinterpret_cast<win::LParam>(&past)), 0);
    EXPECT_EQ(past.row, 2);

    for (win::WParam code : {win::kViewCopyText, win::kViewCopyRow, win::kViewCopyPath})
        EXPECT_EQ(send(code, 0), -1) << code;
}

// ---- Mode settings

class ModeToggles : public ViewRequestsTest, public ::testing::WithParamInterface<int> {};

TEST_P(ModeToggles, SameValueChangesNothingOtherValueTogglesOnce) {
    const win::WParam code = win::kViewModeFirst + win::WParam(GetParam());
    const win::LResult was = send(code, -1);
    ASSERT_TRUE(was == 0 || was == 1) << was;
    EXPECT_EQ(send(code, was), was);
    EXPECT_EQ(send(code, -1), was);
    EXPECT_EQ(send(code, was ? 0 : 1), was);
    EXPECT_EQ(send(code, -1), was ? 0 : 1);
    // Any non-zero value means on.
    EXPECT_EQ(send(code, was ? 0 : 5), was ? 0 : 1);
    EXPECT_EQ(send(code, -1), was ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeToggles,
                         ::testing::Values(win::kModeOverwrite, win::kModeFreeCursor, win::kModeAutoIndent,
                                           win::kModeAutoLineBreak, win::kModeBoxSelection, win::kModeHangingIndent,
                                           win::kModeAutoWrap));

TEST_F(ViewRequestsTest, OverwriteModeFollowsTheSharedState) {
    EXPECT_EQ(send(win::kViewModeFirst + win::WParam(win::kModeOverwrite), 0), 0);
    EXPECT_EQ(session->state().insOver, 0);
    send(win::kViewModeFirst + win::WParam(win::kModeOverwrite), 1);
    EXPECT_EQ(session->state().insOver, 1);
    // Without an input method the conversion state reads off.
    EXPECT_EQ(send(win::kViewModeFirst + win::WParam(win::kModeInputMethod), -1), 0);
}

TEST_F(ViewRequestsTest, TabAndWrapWidthsAreSetDirectly) {
    const win::WParam tab = win::kViewModeFirst + win::WParam(win::kModeTabWidth);
    const win::WParam wrap = win::kViewModeFirst + win::WParam(win::kModeWrapWidth);
    const win::LResult tabWas = send(tab, -1);
    EXPECT_EQ(tabWas, session->settings().editor.mode(window->document().mode()).tabWidth());
    EXPECT_EQ(send(tab, 8), tabWas);
    EXPECT_EQ(send(tab, -1), 8);
    EXPECT_EQ(session->settings().editor.mode(window->document().mode()).tabStops, 32);
    // A tab now reaches column 8.
    send(win::kViewSetCaret, 13);
    sendText(win::kViewInsertText, "\tx");
    EXPECT_EQ(send(win::kViewCaretColumn), 9);
    const win::LResult wrapWas = send(wrap, -1);
    EXPECT_EQ(send(wrap, 30), wrapWas);
    EXPECT_EQ(send(wrap, -1), 30);
    EXPECT_EQ(window->document().doc().text().wrapWidth(), 30);
    // Out of range values are clamped.
    send(wrap, 1);
    EXPECT_EQ(send(wrap, -1), 10);
}

// ---- Commands and closed views

TEST_F(ViewRequestsTest, CommandRunsInThatViewAndTheActiveWindowStays) {
    EditorWindow* other = session->newDocument();
    ASSERT_EQ(session->activeWindow(), other);
    EXPECT_EQ(win::sendMessage(handle, win::kMsgCommand, win::commandWParam(cmd::kSelectAll)), 0);
    EXPECT_TRUE(view().hasSelection());
    EXPECT_FALSE(other->activeView().hasSelection());
    EXPECT_EQ(session->activeWindow(), other);
}

TEST_F(ViewRequestsTest, ClosedViewAnswersNothing) {
    window->document().doc().setModified(false);
    ASSERT_TRUE(win::isWindow(handle));
    ASSERT_TRUE(session->closeWindow(*window));
    EXPECT_FALSE(win::isWindow(handle));
    EXPECT_EQ(send(win::kViewRowCount), 0);
    EXPECT_EQ(session->viewHandle(nullptr), nullptr);
    EXPECT_EQ(session->activeViewHandle(), nullptr);
}

// Another thread sends while this one, the user-interface thread, pumps.
class ViewRequestsAcrossThreads : public ViewRequestsTest {
protected:
    ViewRequestsAcrossThreads() { win::attachUiThread(); }
    ~ViewRequestsAcrossThreads() override {
        win::setPlatformHooks({});
        win::detachUiThread();
    }
    win::LResult sendFromThread(win::Handle h, win::WParam code) {
        std::atomic<bool> done{false};
        win::LResult answer = -99;
        std::thread t([&] {
            answer = win::sendMessage(h, win::kMsgViewRequest, code, 0);
            done = true;
            win::wake();
        });
        win::waitPumping([&] { return done.load(); });
        t.join();
        return answer;
    }
};

TEST_F(ViewRequestsAcrossThreads, OpenViewAnswersAndClosedViewGivesZero) {
    EXPECT_EQ(sendFromThread(handle, win::kViewRowCount), 3);
    win::TextCopy copy;
    std::atomic<bool> done{false};
    std::thread t([&] {
        win::sendMessage(handle, win::kMsgViewRequest, win::kViewCopyText, reinterpret_cast<win::LParam>(&copy));
        done = true;
        win::wake();
    });
    win::waitPumping([&] { return done.load(); });
    t.join();
    EXPECT_EQ(copy.out, kText);

    window->document().doc().setModified(false);
    ASSERT_TRUE(session->closeWindow(*window));
    EXPECT_EQ(sendFromThread(handle, win::kViewRowCount), 0);
}

TEST_F(ViewRequestsAcrossThreads, ASenderWaitingOnAViewThatClosesGetsZero) {
    // The layer's wake hook says when the send is queued; the window then
    // closes before this thread answers it.
    std::mutex m;
    std::condition_variable cv;
    bool queued = false;
    win::setPlatformHooks({[&] {
                               std::lock_guard lock(m);
                               queued = true;
                               cv.notify_all();
                           },
                           {}});
    win::LResult answer = -1;
    std::thread t([&] { answer = win::sendMessage(handle, win::kMsgViewRequest, win::kViewRowCount); });
    {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return queued; });
    }
    window->document().doc().setModified(false);
    ASSERT_TRUE(session->closeWindow(*window));
    t.join();
    EXPECT_EQ(answer, 0);
}

// ---- The main window's control

TEST_F(ViewRequestsTest, MainWindowAnswersWithTheActiveViewsHandle) {
    const win::Handle main = session->instanceControl().attach();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(session->mainWindowHandle(), main);
    const win::LResult made = win::sendMessage(main, win::kMsgFrameRequest, win::kFrameNew);
    ASSERT_NE(made, 0);
    EXPECT_EQ(made, reinterpret_cast<win::LResult>(session->activeViewHandle()));
    EXPECT_TRUE(win::isWindow(reinterpret_cast<win::Handle>(made)));
    EXPECT_EQ(session->windows().size(), 2u);

    // View requests are passed on to the active view, answered 0.
    auto* fresh = reinterpret_cast<win::Handle>(made);
    EXPECT_EQ(win::sendMessage(main, win::kMsgViewRequest, win::kViewInsertText,
                               reinterpret_cast<win::LParam>("typed")), 0);
    EXPECT_EQ(win::sendMessage(fresh, win::kMsgViewRequest, win::kViewTextLength), 5);
    // Commands run through the router.
    EXPECT_EQ(win::sendMessage(main, win::kMsgCommand, win::commandWParam(cmd::kFileNew)), 0);
    EXPECT_EQ(session->windows().size(), 3u);

    for (EditorWindow* w : session->windows()) w->document().doc().setModified(false);
    win::LResult last = -1;
    while (!session->windows().empty()) last = win::sendMessage(main, win::kMsgFrameRequest, win::kFrameClose);
    EXPECT_EQ(last, 0);
    EXPECT_FALSE(win::isWindow(fresh));
}

}  // namespace
}  // namespace orvex::shell
