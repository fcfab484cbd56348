// Codes shown in the window: the status bar and the conversion menu name
// what the next save writes; characters code page 932 lacks are typed,
// pasted, drawn and saved through the document's table.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "files/CharCode.h"
#include "common/codepage/PrivateCharTable.h"
#include "qt/mainframe/FindBox.h"
#include "qt/mainframe/StatusPanes.h"
#include "qt/view/CellGlyphs.h"
#include "qt/view/DisplayFont.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

class UnicodeWindowTest : public EditorWindowTest {
protected:
    QString codePane() { return StatusPanes::paneText(5, frame->activePane(), ctx->state()); }
    QString lineEndPane() { return StatusPanes::paneText(12, frame->activePane(), ctx->state()); }
    void saveAs(const std::string& p, int codeIndex, int lineEndIndex = 0) {
        FileDialogResult r;
        r.paths = {p};
        r.codeIndex = codeIndex;
        r.lineEndIndex = lineEndIndex;
        dialogs.answer(r);
        ASSERT_TRUE(frame->runCommand(cmd::kFileSaveAs));
        settle();
    }
};

TEST_F(UnicodeWindowTest, StatusBarKeptTheOldCodeAfterSaveAsInAnother) {
    CChildFrame* a = frame->openFile(writeFile("a.txt", sj("日本語\r\n")));
    ASSERT_NE(a, nullptr);
    settle();
    EXPECT_EQ(codePane(), QStringLiteral("SJIS"));
    EXPECT_TRUE(frame->commandState(cmd::kConvertToShiftJis).checked);
    // Save as EUC with LF: both panes and the menu follow at once.
    saveAs(path("a-euc.txt"), 3, 3);
    EXPECT_EQ(codePane(), QStringLiteral("EUC"));
    EXPECT_EQ(lineEndPane(), QStringLiteral("LF"));
    EXPECT_TRUE(frame->commandState(cmd::kConvertToEuc).checked);
    EXPECT_FALSE(frame->commandState(cmd::kConvertToShiftJis).checked);
    EXPECT_TRUE(frame->commandState(cmd::kConvertToLf).checked);
    EXPECT_EQ(readFile(path("a-euc.txt")), "\xC6\xFC\xCB\xDC\xB8\xEC\n");
    // Another Shift JIS document: its next Ctrl+S writes EUC too (the save
    // dialog's choice holds for every document), and the status bar says so.
    CChildFrame* b = frame->openFile(writeFile("b.txt", sj("かな\r\n")));
    ASSERT_NE(b, nullptr);
    settle();
    EXPECT_EQ(codePane(), QStringLiteral("EUC"));
    EXPECT_TRUE(frame->commandState(cmd::kConvertToEuc).checked);
    QTest::keyClicks(&pane(), QStringLiteral("x"));
    QTest::keyClick(&pane(), Qt::Key_S, Qt::ControlModifier);
    settle();
    EXPECT_EQ(readFile(path("b.txt")), "x\xA4\xAB\xA4\xCA\n");
    // A conversion command sets this document's own code: it wins.
    ASSERT_TRUE(frame->runCommand(cmd::kConvertToUtf8));
    settle();
    EXPECT_EQ(codePane(), QStringLiteral("UTF-8"));
    EXPECT_TRUE(frame->commandState(cmd::kConvertToUtf8).checked);
    EXPECT_EQ(readFile(path("b.txt")), "xかな\n");
    ASSERT_TRUE(frame->runCommand(cmd::kConvertToUtf8Bom));
    settle();
    EXPECT_EQ(codePane(), QStringLiteral("UTF-8 (BOM)"));
    EXPECT_TRUE(frame->commandState(cmd::kConvertToUtf8Bom).checked);
    EXPECT_FALSE(frame->commandState(cmd::kConvertToUtf8).checked);
    EXPECT_EQ(readFile(path("b.txt")), "\xEF\xBB\xBFxかな\n");
}

TEST_F(UnicodeWindowTest, AnEmojiPastedIntoAShiftJisDocumentSavesAsUtf8AndReopens) {
    frame->openFile(writeFile("e.txt", sj("絵文字:")));
    settle();
    frame->runCommand(cmd::kFileBottom);
    QGuiApplication::clipboard()->setText(QStringLiteral("😀 and 한국어"));
    ASSERT_TRUE(frame->runCommand(cmd::kPaste));
    settle();
    CLuDoc& d = doc();
    ASSERT_NE(d.privateChars(), nullptr);
    EXPECT_EQ(d.privateChars()->size(), 4u);  // the emoji and three hangul syllables
    // Copy gives the real characters back.
    frame->runCommand(cmd::kSelectAll);
    frame->runCommand(cmd::kCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("絵文字:😀 and 한국어"));
    // Saved as UTF-8 (save as, code item 5) and opened again: the same text.
    saveAs(path("e8.txt"), 5);
    EXPECT_EQ(readFile(path("e8.txt")), "絵文字:😀 and 한국어");
    frame->runCommand(cmd::kFileClose);
    settle();
    CChildFrame* again = frame->openFile(path("e8.txt"));
    ASSERT_NE(again, nullptr);
    settle();
    EXPECT_EQ(again->document().code(), files::kCodeUtf8);
    frame->runCommand(cmd::kSelectAll);
    frame->runCommand(cmd::kCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("絵文字:😀 and 한국어"));
    EXPECT_EQ(codePane(), QStringLiteral("UTF-8"));
}

TEST_F(UnicodeWindowTest, TypedCharactersOutsideTheCodePageGetCodesOfTheTable) {
    newChild();
    // A key that types them, then the input method committing more.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("é€😀"));
    QApplication::sendEvent(&pane(), &key);
    QInputMethodEvent im;
    im.setCommitString(QStringLiteral("한😀"));
    QApplication::sendEvent(&pane(), &im);
    settle();
    CLuDoc& d = doc();
    ASSERT_NE(d.privateChars(), nullptr);
    frame->runCommand(cmd::kSelectAll);
    frame->runCommand(cmd::kCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("é€😀한😀"));
    EXPECT_EQ(d.privateChars()->size(), 4u);  // the second emoji takes the first one's code
}

TEST_F(UnicodeWindowTest, TheFindBoxFindsACharacterOnlyTheDocumentsTableHolds) {
    ASSERT_NE(frame->findBox(), nullptr);
    frame->openFile(writeFile("u.txt", "first 😀 then 😀 again"));
    settle();
    frame->runCommand(cmd::kFileTop);
    frame->findBox()->setEditText(QStringLiteral("😀"));
    QTest::keyClick(frame->findBox(), Qt::Key_Return);
    settle();
    ASSERT_TRUE(view().hasSelection());
    EXPECT_EQ(view().selectionStartOffset(), 6);
    frame->runCommand(cmd::kFindNext);
    EXPECT_EQ(view().selectionStartOffset(), 14);
    // The search string made no entry of its own: still the one emoji.
    EXPECT_EQ(doc().privateChars()->size(), 1u);
}

// Cells of a code the document's table holds show its character; without
// the table the same code is drawn as its private-use character.
TEST_F(UnicodeWindowTest, TableCodesAreDrawnAsTheirCharacters) {
    cp932::PrivateCharTable table;
    const uint16_t code = table.toSjis(U'\u00E9');  // é, not in the code page
    ASSERT_TRUE(cp932::PrivateCharTable::isAreaCode(code));
    const std::string cells{char(code >> 8), char(code & 0xFF)};
    auto paint = [&](const cp932::PrivateCharTable* chars) {
        CellGlyphs& glyphs = ctx->font().glyphs();
        glyphs.setPrivateChars(chars);
        QImage strip(20, 24, QImage::Format_RGB32);
        strip.fill(Qt::white);
        glyphs.paintRun(strip, 0, cells, 0x000000, 0xFFFFFF, {10, 24, 18});
        glyphs.setPrivateChars(nullptr);
        return strip;
    };
    auto inked = [](const QImage& strip) {
        int dark = 0;
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x) dark += qGray(strip.pixel(x, y)) < 128;
        return dark;
    };
    const QImage held = paint(&table);
    EXPECT_GT(inked(held), 0);
    EXPECT_NE(held, paint(nullptr));
    EXPECT_EQ(held, paint(&table));  // the cached cell is the same
}

}  // namespace
}  // namespace orvex::qt::test
