// The view widget driven with real Qt events: typing, the key table before
// the view's keys, paging, split panes, the input method, the clipboard,
// drops from other programs, and saving in another code.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QScrollBar>
#include <algorithm>
#include <memory>

#include "files/CharCode.h"
#include "qt/mainframe/StatusPanes.h"
#include "qt/platform/QtClipboard.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class ViewWidgetTest : public EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        newChild();
    }
    void typeIme(const QString& commit, const QString& preedit = {}) {
        QInputMethodEvent e(preedit, {});
        e.setCommitString(commit);
        QApplication::sendEvent(&pane(), &e);
    }
};

TEST_F(ViewWidgetTest, TypedKeysLandInTheDocumentAndMoveTheCaret) {
    QTest::keyClicks(&pane(), QStringLiteral("abc"));
    QTest::keyClick(&pane(), Qt::Key_Return);
    QTest::keyClicks(&pane(), QStringLiteral("d"));
    EXPECT_EQ(text(), "abc\r\nd");
    EXPECT_EQ(view().cursor().row, 1);
    EXPECT_EQ(view().cursor().byteColumn, 1);
    QTest::keyClick(&pane(), Qt::Key_Left);
    QTest::keyClick(&pane(), Qt::Key_Backspace);
    EXPECT_EQ(text(), "abcd");
    EXPECT_EQ(view().cursor().byteColumn, 3);
    // Tab is typed, not a focus move.
    QTest::keyClick(&pane(), Qt::Key_Tab);
    EXPECT_EQ(text(), "abc\td");
    EXPECT_TRUE(pane().hasFocus() || !QApplication::focusWidget());
}

TEST_F(ViewWidgetTest, KeyTableRunsBeforeTheViewsOwnKeys) {
    QTest::keyClicks(&pane(), QStringLiteral("a"));
    // Ctrl+Z: undo; Ctrl+A: redo (not select-all); Alt+Ctrl+BackSpace: undo.
    QTest::keyClick(&pane(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(), "");
    QTest::keyClick(&pane(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(text(), "a");
    EXPECT_FALSE(view().hasSelection());
    QTest::keyClick(&pane(), Qt::Key_Backspace, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(text(), "");
    // Ctrl+D duplicates the line; no character is typed with a table key.
    load("one");
    QTest::keyClick(&pane(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(text(), "one\r\none");
    // A Ctrl key without a record types nothing either.
    QTest::keyClick(&pane(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(text(), "one\r\none");
}

TEST_F(ViewWidgetTest, ChangedKeyTableTakesEffectAtOnce) {
    settings::KeyTable& keys = ctx->settings().tables.keys;
    // Ctrl+Z to "delete the caret row" instead of undo.
    shell::assignKey(keys, 0x08, 'Z', 32813);
    ctx->applySettings();
    load("one\r\ntwo");
    QTest::keyClick(&pane(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(), "two");
}

TEST_F(ViewWidgetTest, PageDownKeepsTheCaretVisible) {
    std::string many;
    for (int i = 0; i < 400; ++i) many += "row " + std::to_string(i) + "\r\n";
    load(many);
    const int32_t full = view().fullyVisibleRows();
    ASSERT_GT(full, 5);
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(&pane(), Qt::Key_PageDown);
        const int32_t row = view().cursor().row;
        EXPECT_GE(row, view().topRow());
        EXPECT_LT(row, view().topRow() + full);
    }
    EXPECT_GT(view().topRow(), 4 * full);
    // The scroll bar follows the view.
    EXPECT_EQ(pane().verticalScrollBar()->value(), view().topRow());
    // Ctrl+End: the last row, visible.
    QTest::keyClick(&pane(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view().cursor().row, doc().text().rowCount() - 1);
    EXPECT_LT(view().cursor().row, view().topRow() + full);
}

TEST_F(ViewWidgetTest, ScrollBarMovesTheViewAndWheelScrollsBothPanes) {
    std::string many;
    for (int i = 0; i < 200; ++i) many += "x\r\n";
    load(many);
    frame->activeChild()->window().setSplit(true);
    settle();
    pane().verticalScrollBar()->setValue(50);
    EXPECT_EQ(view().topRow(), 50);
    CLuView& other = frame->activeChild()->pane(1).view();
    const int32_t before = other.topRow();
    QWheelEvent wheel(QPointF(10, 10), pane().mapToGlobal(QPoint(10, 10)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pane().viewport(), &wheel);
    EXPECT_EQ(view().topRow(), 53);
    EXPECT_EQ(other.topRow(), before + 3);
}

TEST_F(ViewWidgetTest, ASplitPaneMirrorsTheSelection) {
    load("first line\r\nsecond line\r\n");
    CChildFrame* child = frame->activeChild();
    child->window().setSplit(true);
    settle();
    CLuViewWidget& top = child->pane(0);
    CLuView& bottom = child->pane(1).view();
    QTest::keyPress(&top, Qt::Key_Shift);
    QTest::keyClick(&top, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&top, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&top, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyRelease(&top, Qt::Key_Shift);
    ASSERT_TRUE(top.view().hasSelection());
    EXPECT_TRUE(bottom.hasSelection());
    EXPECT_EQ(bottom.selectionStartOffset(), top.view().selectionStartOffset());
    EXPECT_EQ(bottom.selectionEndOffset(), top.view().selectionEndOffset());
    EXPECT_EQ(top.view().selectedText(), "first line\r\nse");
    // Both panes show the same rows: an edit in one is in the other.
    QTest::keyClicks(&child->pane(1), QStringLiteral("Z"));
    EXPECT_EQ(utf8(child->document().doc().text().view()).substr(0, 1), "Z");
}

TEST_F(ViewWidgetTest, InputMethodPreeditShowsAndCommitTypes) {
    load("ab");
    QTest::keyClick(&pane(), Qt::Key_Right);
    typeIme({}, QStringLiteral("にほん"));
    EXPECT_EQ(pane().preedit(), QStringLiteral("にほん"));
    EXPECT_EQ(text(), "ab");  // a composition is not text yet
    typeIme(QStringLiteral("日本"));
    EXPECT_TRUE(pane().preedit().isEmpty());
    EXPECT_EQ(text(), "a日本b");
    EXPECT_EQ(view().cursor().byteColumn, 5);
    // One commit is one edit: one undo takes it back.
    QTest::keyClick(&pane(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(), "ab");
}

TEST_F(ViewWidgetTest, InputMethodQueriesAnswerWithTheCaretRectangle) {
    load("あいう");
    QTest::keyClick(&pane(), Qt::Key_Right);
    const QRect caret = pane().caretRect();
    const QRect r = pane().inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_EQ(r, caret.translated(pane().viewport()->pos()));
    EXPECT_EQ(caret.x(), pane().viewGeometry().textLeft + 2 * pane().viewGeometry().charWidth);
    EXPECT_TRUE(pane().inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_EQ(pane().inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("あいう"));
    EXPECT_EQ(pane().inputMethodQuery(Qt::ImCursorPosition).toInt(), 1);
    // The open state: the IME command turns input-method input off and on.
    frame->runCommand(32886);
    EXPECT_FALSE(pane().inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_FALSE(frame->commandState(32886).checked);
    frame->runCommand(32886);
    EXPECT_TRUE(pane().testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(ViewWidgetTest, CopyPutCrLfOnTheClipboard) {
    load("one\r\ntwo\r\n三");
    frame->runCommand(cmd::kSelectAll);
    frame->runCommand(cmd::kCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("one\ntwo\n三"));
    // A document of lone CRs gives LFs too.
    load("a\rb\r");
    frame->runCommand(cmd::kSelectAll);
    frame->runCommand(cmd::kCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\nb\n"));
    // Text from other programs comes in with any of the three line ends.
    load("");
    QGuiApplication::clipboard()->setText(QStringLiteral("x\ny\r\nz\rw"));
    frame->runCommand(cmd::kPaste);
    EXPECT_EQ(text(), "x\r\ny\r\nz\rw");
    EXPECT_EQ(doc().text().lineCount(), 4);
}

TEST_F(ViewWidgetTest, SelectionIsThePrimarySelectionAndAMiddleClickPastesIt) {
    load("alpha beta\r\ngamma");
    view().selectRange(6, 10);  // "beta"
    settle();
    EXPECT_EQ(ctx->clipboard().primary(), "beta");
    // A middle click at the start of the second row puts it there; the
    // clipboard itself is untouched.
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    QTest::mouseClick(pane().viewport(), Qt::MiddleButton, Qt::NoModifier, pane().cellPosition(1, 0) + QPoint(1, 2));
    settle();
    EXPECT_EQ(text(), "alpha beta\r\nbetagamma");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("clip"));
    // Read-only documents take nothing.
    doc().setReadOnly(true);
    ctx->settings().document.editEnable = 0;
    doc().setEditSettings(EditSettings{false, true, true});
    QTest::mouseClick(pane().viewport(), Qt::MiddleButton, Qt::NoModifier, pane().cellPosition(0, 0) + QPoint(1, 2));
    EXPECT_EQ(text(), "alpha beta\r\nbetagamma");
}

TEST_F(ViewWidgetTest, ClipboardGoesBothWaysWithOtherPrograms) {
    load("漢字とかな");
    frame->runCommand(57642);  // select all
    QTest::keyClick(&pane(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("漢字とかな"));
    QGuiApplication::clipboard()->setText(QStringLiteral("外から"));
    QTest::keyClick(&pane(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&pane(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), "漢字とかな外から");
    EXPECT_FALSE(ctx->platform().clipboard->isRectangle());
}

TEST_F(ViewWidgetTest, TextDroppedFromAnotherProgramIsInsertedAtTheDropPoint) {
    load("abcd");
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("全角"));
    const QPoint at = pane().cellPosition(0, 2) + QPoint(1, 3);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane().viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane().viewport(), &drop);
    EXPECT_EQ(text(), "ab全角cd");
    EXPECT_EQ(view().selectedText(), sj("全角"));
    delete mime;
}

TEST_F(ViewWidgetTest, MouseClickAndDragSelectByCells) {
    load("あいうえお");
    const QPoint from = pane().cellPosition(0, 2) + QPoint(1, 3);
    const QPoint to = pane().cellPosition(0, 6) + QPoint(1, 3);
    QTest::mousePress(pane().viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(pane().viewport(), to);
    QTest::mouseRelease(pane().viewport(), Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_EQ(view().selectedText(), sj("いう"));
}

TEST_F(ViewWidgetTest, RuledLineModeDrawsABoxWithCtrlDragAndShiftDragErasesIt) {
    load("abcdefgh\n12345678\nxyz");
    ASSERT_TRUE(frame->runCommand(cmd::kRuledLineMode));
    const auto cell = [&](int row, int col) { return pane().cellPosition(row, col) + QPoint(1, 3); };
    QTest::mousePress(pane().viewport(), Qt::LeftButton, Qt::NoModifier, cell(0, 0));
    const QImage before = pane().viewport()->grab().toImage();
    QTest::mouseMove(pane().viewport(), cell(2, 4));
    settle();
    // The outline of the box is drawn over the text while the button is held.
    EXPECT_NE(pane().viewport()->grab().toImage(), before);
    QTest::mouseRelease(pane().viewport(), Qt::LeftButton, Qt::ControlModifier, cell(2, 4));
    EXPECT_EQ(text(), "┌─┐gh\r│34│78\r└─┘");
    EXPECT_EQ(view().cursor(), (TextPosition{0, 0, 0}));

    QTest::mousePress(pane().viewport(), Qt::LeftButton, Qt::ShiftModifier, cell(0, 0));
    QTest::mouseRelease(pane().viewport(), Qt::LeftButton, Qt::ShiftModifier, cell(2, 4));
    EXPECT_EQ(text(), "      gh\r  34  78\r      ");
    ASSERT_TRUE(frame->runCommand(cmd::kUndo));
    EXPECT_EQ(text(), "┌─┐gh\r│34│78\r└─┘");
    frame->runCommand(cmd::kRuledLineMode);
}

TEST_F(ViewWidgetTest, CaretIsABarWhenInsertingAndCoversTheCharacterWhenOverwriting) {
    load("a漢b");
    const int cw = pane().viewGeometry().charWidth;
    const int bar = std::max(2, ctx->settings().editor.options.caretWidth);
    const auto caretAt = [&](int32_t offset) {
        view().placeCursorAtOffset(offset);
        view().updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        return pane().caretRect();
    };
    ASSERT_EQ(ctx->state().insOver, 0);
    for (int32_t offset : {0, 1, 3, 4}) EXPECT_EQ(caretAt(offset).width(), bar) << offset;
    EXPECT_EQ(caretAt(1).height(), pane().viewGeometry().rowHeight);
    frame->runCommand(32781);  // overwrite
    ASSERT_EQ(ctx->state().insOver, 1);
    // Over a half-width character one cell, over a double-byte character
    // both of its cells, at the row's end one cell.
    EXPECT_EQ(caretAt(0).width(), cw);
    const QRect dbcs = caretAt(1);
    EXPECT_EQ(dbcs.width(), 2 * cw);
    EXPECT_EQ(dbcs.x(), pane().cellPosition(0, 1).x());
    EXPECT_EQ(caretAt(3).width(), cw);
    EXPECT_EQ(caretAt(3).x(), pane().cellPosition(0, 3).x());
    EXPECT_EQ(caretAt(4).width(), cw);
    frame->runCommand(32781);
    EXPECT_EQ(caretAt(1).width(), bar);
}

TEST_F(ViewWidgetTest, RectangleFlagLastsUntilTheClipboardChanges) {
    load("ab\r\ncd\r\nef");
    ctx->state().boxMode = true;
    view().selectRange(0, 5);  // a box over the first column of two rows
    ASSERT_TRUE(view().boxSelection());
    QTest::keyClick(&pane(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\nc"));
    EXPECT_TRUE(ctx->platform().clipboard->isRectangle());
    settle();
    EXPECT_TRUE(ctx->platform().clipboard->isRectangle());  // our own change keeps it
    // Another program takes the clipboard: the text is plain again.
    QGuiApplication::clipboard()->setText(QStringLiteral("x\r\ny"));
    settle();
    EXPECT_FALSE(ctx->platform().clipboard->isRectangle());
    ctx->state().boxMode = false;
    view().placeCursorAtOffset(1);
    view().updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    QTest::keyClick(&pane(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), "ax\r\nyb\r\ncd\r\nef");
    // A box copy again, then a stream copy: plain.
    ctx->state().boxMode = true;
    view().selectRange(0, 5);
    QTest::keyClick(&pane(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(ctx->platform().clipboard->isRectangle());
    ctx->state().boxMode = false;
    view().selectRange(0, 2);
    QTest::keyClick(&pane(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(ctx->platform().clipboard->isRectangle());
}

// A drag out of one view dropped on another: the drop event on the target
// and the source's end of the drag (what QDrag::exec would run between).
class DragMoveTest : public ViewWidgetTest {
protected:
    static QMimeData* dragData(const std::string& sjis) {
        auto* mime = new QMimeData;
        mime->setText(QString::fromStdString(utf8(sjis)));
        mime->setData(QStringLiteral("application/x-orvex-shift-jis"), QByteArray(sjis.data(), qsizetype(sjis.size())));
        return mime;
    }
    static bool drop(CLuViewWidget& target, const QMimeData& mime, int32_t row, int32_t column) {
        const QPoint at = target.cellPosition(row, column) + QPoint(1, 3);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target.viewport(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent e(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target.viewport(), &e);
        return e.isAccepted();
    }
    static void setText(CLuViewWidget& w, std::string_view utf8Text) {
        CLuDoc& d = w.document().doc();
        d.text().setText(sj(utf8Text));
        d.layoutAll();
        d.markLoaded();
        w.view().placeCursorAtOffset(0);
        w.view().updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    }
};

TEST_F(DragMoveTest, MoveToAnotherDocumentInsertsThereAndRemovesTheSource) {
    CLuViewWidget& source = pane();
    setText(source, "ab漢字cd");
    CChildFrame* other = newChild();
    CLuViewWidget& target = other->pane(0);
    ASSERT_NE(&target.document(), &source.document());
    setText(target, "xy\r\nz");
    source.view().selectRange(2, 6);
    const std::string dragged = source.view().beginDrag();
    EXPECT_EQ(dragged, sj("漢字"));
    const std::unique_ptr<QMimeData> mime(dragData(dragged));
    ASSERT_TRUE(drop(target, *mime, 1, 1));
    source.view().endDrag(true);
    EXPECT_EQ(utf8(target.document().doc().text().view()), "xy\r\nz漢字");
    EXPECT_EQ(target.view().selectedText(), sj("漢字"));
    EXPECT_EQ(utf8(source.document().doc().text().view()), "abcd");
    EXPECT_FALSE(source.view().hasSelection());
    // Each side takes its part back with one undo.
    source.document().doc().undo();
    EXPECT_EQ(utf8(source.document().doc().text().view()), "ab漢字cd");
    target.document().doc().undo();
    EXPECT_EQ(utf8(target.document().doc().text().view()), "xy\r\nz");
}

TEST_F(DragMoveTest, CopyToAnotherDocumentLeavesTheSource) {
    CLuViewWidget& source = pane();
    setText(source, "abcd");
    CChildFrame* other = newChild();
    CLuViewWidget& target = other->pane(0);
    setText(target, "xy");
    source.view().selectRange(1, 3);
    const std::unique_ptr<QMimeData> mime(dragData(source.view().beginDrag()));
    // A copy (the drag ended without a move) keeps the source.
    ASSERT_TRUE(drop(target, *mime, 0, 1));
    source.view().endDrag(false);
    EXPECT_EQ(utf8(target.document().doc().text().view()), "xbcy");
    EXPECT_EQ(utf8(source.document().doc().text().view()), "abcd");
}

TEST_F(DragMoveTest, MoveBetweenTheTwoPanesOfOneDocumentIsOneUndoStep) {
    load("one two three");
    CChildFrame* child = frame->activeChild();
    child->window().setSplit(true);
    settle();
    CLuViewWidget& top = child->pane(0);
    CLuViewWidget& bottom = child->pane(1);
    top.view().selectRange(0, 4);  // "one "
    const std::string dragged = top.view().beginDrag();
    // What the bottom pane's drop does for a move from the other pane of its
    // document: the source moves the text to the drop point in one step.
    MouseEvent at;
    at.row = 0;
    at.column = 8;  // before "three"
    top.view().dropText(at, dragged, true);
    top.view().endDrag(false);
    EXPECT_EQ(text(), "two one three");
    EXPECT_EQ(top.view().selectedText(), "one ");
    EXPECT_EQ(bottom.view().cursor().row, 0);
    doc().undo();
    EXPECT_EQ(text(), "one two three");
}

TEST_F(ViewWidgetTest, StatusBarShowsLineColumnModeAndCode) {
    load("ab\r\ncd");
    QTest::keyClick(&pane(), Qt::Key_Down);
    QTest::keyClick(&pane(), Qt::Key_Right);
    settle();
    EXPECT_EQ(frame->statusPanes().lineColumnText().simplified(), QStringLiteral("2:2"));
    EXPECT_EQ(StatusPanes::paneText(3, &pane(), ctx->state()), QStringLiteral("挿入"));
    EXPECT_EQ(StatusPanes::paneText(5, &pane(), ctx->state()), QStringLiteral("SJIS"));
    EXPECT_EQ(StatusPanes::paneText(2, &pane(), ctx->state()), QStringLiteral("64"));
    EXPECT_EQ(StatusPanes::paneText(4, &pane(), ctx->state()), QStringLiteral("新規"));
}

class FileRoundTripTest : public EditorWindowTest {};

TEST_F(FileRoundTripTest, SavesInTheCodeChosenInTheDialogAndReadsItBack) {
    newChild();
    QInputMethodEvent e;
    e.setCommitString(QStringLiteral("日本語の文章"));
    QApplication::sendEvent(&pane(), &e);
    QTest::keyClick(&pane(), Qt::Key_Return);
    QTest::keyClicks(&pane(), QStringLiteral("abc"));
    struct Case {
        int codeIndex, lineEndIndex;
        int code;
        std::string bytes;
    };
    const Case cases[] = {
        {3, 3, files::kCodeEuc, "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xCA\xB8\xBE\xCF\nabc"},
        {2, 1, files::kCodeJis, "\x1B$BF|K\\8l$NJ8>O\x1B(B\r\nabc"},
        {4, 2, files::kCodeUtf16, std::string("\xFF\xFE\xE5\x65\x2C\x67\x9E\x8A\x6E\x30\x87\x65\xE0\x7A\r\0a\0b\0c\0", 22)},
        {1, 1, files::kCodeShiftJis, sj("日本語の文章") + "\r\nabc"},
    };
    for (const Case& c : cases) {
        FileDialogResult r;
        r.paths = {path("round.txt")};
        r.codeIndex = c.codeIndex;
        r.lineEndIndex = c.lineEndIndex;
        dialogs.answer(r);
        ASSERT_TRUE(frame->runCommand(cmd::kFileSaveAs));
        EXPECT_EQ(readFile(path("round.txt")), c.bytes) << c.code;
        EXPECT_FALSE(doc().isModified());
        // Read back in a window of its own: the code is detected.
        shell::EditorDocument again(ctx->session());
        ASSERT_TRUE(again.open(path("round.txt")));
        // CR LF stays; a lone CR or LF is held as CR.
        const std::string lineEnd = c.lineEndIndex == 1 ? "\r\n" : "\r";
        EXPECT_EQ(utf8(again.doc().text().view()), "日本語の文章" + lineEnd + "abc") << c.code;
        EXPECT_EQ(again.code(), c.code);
    }
}

TEST_F(FileRoundTripTest, SaveKeepsTheFilesOwnCodeAndEndOfFileMark) {
    const std::string p = writeFile("euc.txt", std::string("\xA4\xA2\xA4\xA4\n\xA4\xA6\n\x1A"));
    CChildFrame* child = frame->openFile(p);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->document().code(), files::kCodeEuc);
    EXPECT_EQ(child->document().lineEnd(), files::kLineEndLf);
    QTest::keyClicks(&pane(), QStringLiteral("x"));
    EXPECT_TRUE(frame->runCommand(cmd::kFileSave));
    EXPECT_EQ(readFile(p), "x\xA4\xA2\xA4\xA4\n\xA4\xA6\n\x1A");
}

TEST_F(FileRoundTripTest, AFileThatCannotBeReadLeavesNoWindow) {
    dialogs.answer(std::nullopt);
    frame->runCommand(cmd::kFileOpen);
    EXPECT_TRUE(frame->childFrames().empty());
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].codeChoices.size(), 6u);
    EXPECT_EQ(dialogs.requests[0].codeChoices[5], "UTF-8");
    EXPECT_EQ(dialogs.requests[0].codeChoices[0], "自動認識");
    FileDialogResult r;
    r.paths = {path("nothere.txt")};
    dialogs.answer(r);
    frame->runCommand(cmd::kFileOpen);
    EXPECT_TRUE(frame->childFrames().empty());
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
}  // namespace orvex::qt::test
