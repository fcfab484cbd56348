// Rendering a view offscreen into an image and reading the colours back at
// known cells: text, selection, gutter numbers and separator, line-end
// arrow, "[EOF]", the caret-row underline, and double-byte characters kept
// in exactly two columns.
#include <QImage>
#include <QPainter>

#include "qt/view/DisplayFont.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

// Stored colours are 0x00BBGGRR.
constexpr int bgr(int r, int g, int b) { return r | g << 8 | b << 16; }

const QColor kText(0, 0, 0);
const QColor kWindow(255, 255, 255);
const QColor kSelBack(0, 0, 200);
const QColor kSelText(255, 255, 0);
const QColor kArrow(255, 0, 0);
const QColor kEof(200, 0, 200);
const QColor kLineNo(0, 140, 0);
const QColor kUnderline(0, 160, 255);

class RenderTest : public EditorWindowTest {
protected:
    void configure(settings::Settings& s) override {
        s.colours.textColor = bgr(0, 0, 0);
        s.colours.windowColor = bgr(255, 255, 255);
        s.colours.windowColor2 = bgr(0, 0, 200);
        s.colours.selTextColor = bgr(255, 255, 0);
        s.colours.crColor = bgr(255, 0, 0);
        s.colours.eofColor = bgr(200, 0, 200);
        s.colours.lineNoColor = bgr(0, 140, 0);
        s.colours.lineColor = bgr(0, 160, 255);
        s.editor.options.rulaDisp = 1;
        s.editor.options.lineNoDisp = 1;
    }

    QImage render() { return renderPane(pane()); }

    // The pixel rectangle of a screen cell (the first visible row is 0).
    QRect cell(int screenRow, int column, int cells = 1) const {
        const ViewGeometry& g = const_cast<RenderTest*>(this)->pane().viewGeometry();
        return QRect(g.columnX(column), g.rowY(screenRow), g.charWidth * cells, g.rowHeight);
    }
    // Pixels of the rectangle close to a colour.
    static int count(const QImage& image, const QRect& r, const QColor& c, int tolerance = 40) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor p = image.pixelColor(x, y);
                if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) <=
                    tolerance)
                    ++n;
            }
        return n;
    }
};

TEST_F(RenderTest, CellsShowTextSelectionGutterAndMarksInTheirColours) {
    newChild();
    load("abcdef\r\nあa\r\n");
    view().selectRange(1, 3);  // "bc" on the first row
    const QImage image = render();
    const ViewGeometry& g = pane().viewGeometry();
    ASSERT_GT(g.rulerHeight, 0);
    ASSERT_EQ(g.gutterWidth, 6 * g.charWidth);

    // Text: ink in the text colour on the window colour.
    EXPECT_GT(count(image, cell(0, 0), kText), 3);
    EXPECT_GT(count(image, cell(0, 0), kWindow), 3);
    // Selection: its background fills the cells, the text in its colour.
    const QRect sel = cell(0, 1, 2);
    EXPECT_EQ(image.pixelColor(sel.left() + 1, sel.top() + 1), kSelBack);
    EXPECT_GT(count(image, sel, kSelText, 60), 3);
    EXPECT_EQ(count(image, sel, kText, 10), 0);
    EXPECT_EQ(count(image, cell(0, 3), kSelBack, 10), 0);
    // Gutter: "1" in the last digit cell of row 0, "2" of row 1, in the
    // line-number colour, and the separator half a cell after the digits.
    const QRect digit(0, g.rowY(0), 5 * g.charWidth, g.rowHeight);
    EXPECT_GT(count(image, digit, kLineNo), 3);
    EXPECT_GT(count(image, QRect(4 * g.charWidth, g.rowY(1), g.charWidth, g.rowHeight), kLineNo), 3);
    const int sepX = 11 * g.charWidth / 2;
    EXPECT_EQ(image.pixelColor(sepX, g.rowY(0) + g.rowHeight / 2), kLineNo);
    // Line-end arrows after the text of each line.
    EXPECT_GT(count(image, cell(0, 6), kArrow), 4);
    EXPECT_GT(count(image, cell(1, 3), kArrow), 4);
    EXPECT_EQ(count(image, cell(0, 7), kArrow), 0);
    // "[EOF]" on the last row.
    EXPECT_GT(count(image, cell(2, 0, 5), kEof, 60), 10);
    // The caret row is underlined across the text area (a selection on one
    // row keeps the underline).
    EXPECT_EQ(image.pixelColor(g.columnX(20), g.rowY(0) + g.rowHeight - 1), kUnderline);
    EXPECT_NE(image.pixelColor(g.columnX(20), g.rowY(1) + g.rowHeight - 1), kUnderline);
}

TEST_F(RenderTest, DoubleByteCharactersTakeExactlyTwoColumns) {
    newChild();
    load("あa\r\nHHH\r\n");
    const QImage image = render();
    // "あ" inks the first two cells only; "a" starts in the third.
    EXPECT_GT(count(image, cell(0, 0, 2), kText), 10);
    EXPECT_GT(count(image, cell(0, 2), kText), 3);
    EXPECT_EQ(count(image, cell(0, 3, 3), kText, 10), 0);
    // Three letters sit in three cells, one each.
    for (int c = 0; c < 3; ++c) EXPECT_GT(count(image, cell(1, c), kText), 3) << c;
}

TEST_F(RenderTest, HorizontalScrollNeverDrawsHalfACharacterIntoTheGutter) {
    newChild();
    load("あいうえお");
    view().scrollTo(0, 1);  // the first column shows the second half of "あ"
    const QImage image = render();
    const ViewGeometry& g = pane().viewGeometry();
    // The gutter stays clean right up to the text area.
    EXPECT_EQ(count(image, QRect(6 * g.charWidth, g.rowY(0), g.textLeft - 6 * g.charWidth, g.rowHeight), kText, 10),
              0);
    // "い" starts at screen column 1.
    EXPECT_GT(count(image, cell(0, 1, 2), kText), 10);
}

TEST_F(RenderTest, RulerShowsTicksAndTheCaretMarker) {
    newChild();
    load("0123456789012345");
    QTest::keyClick(&pane(), Qt::Key_End);
    const QImage image = render();
    const ViewGeometry& g = pane().viewGeometry();
    const QRect ruler(g.textLeft, 0, 20 * g.charWidth, g.rulerHeight);
    // Ticks and the digit "1" at column 10 in the ruler's ink.
    EXPECT_GT(count(image, ruler, QColor(0, 0, 0), 120), 10);
    // The caret marker inverts the cell of column 16.
    const QColor face = image.pixelColor(g.columnX(3) + 1, g.rulerHeight / 2);
    const QColor marker = image.pixelColor(g.columnX(16) + 1, g.rulerHeight / 2);
    EXPECT_NE(face, marker);
}

// The search highlight and the caret-line colour, with their switches.
const QColor kFound(230, 0, 0);
const QColor kCaretBack(200, 255, 200);

class RenderSearchTest : public RenderTest {
protected:
    void configure(settings::Settings& s) override {
        RenderTest::configure(s);
        s.colours.findTextColor = bgr(230, 0, 0);
        s.colours.curLineColorBk = bgr(200, 255, 200);
    }
};

TEST_F(RenderSearchTest, HighlightIsPaintedInFindTextColorUntilReset) {
    newChild();
    load("xcdx\r\nab cd CD\r\n");
    ctx->search().addSearchString("cd");
    frame->runCommand(32773);  // finds and selects the first "cd"
    EXPECT_EQ(view().selectionStartOffset(), 1);
    EXPECT_EQ(ctx->search().highlight(), "cd");
    QImage image = render();
    // The other occurrence on row 1 (columns 3-4) is inked in FindTextColor
    // on the window colour; "ab" keeps the text colour. Match case is off:
    // "CD" is an occurrence too.
    EXPECT_GT(count(image, cell(1, 3, 2), kFound), 6);
    EXPECT_GT(count(image, cell(1, 3, 2), kWindow), 6);
    EXPECT_EQ(count(image, cell(1, 0, 2), kFound), 0);
    EXPECT_GT(count(image, cell(1, 6, 2), kFound), 6);
    // With match case only the lower-case one.
    search::SearchFlags f = ctx->search().flags();
    f.matchCase = true;
    ctx->search().setFlags(f);
    image = render();
    EXPECT_GT(count(image, cell(1, 3, 2), kFound), 6);
    EXPECT_EQ(count(image, cell(1, 6, 2), kFound), 0);

    // 33081 empties the highlight: nothing in FindTextColor any more.
    EXPECT_TRUE(frame->commandState(33081).enabled);
    EXPECT_TRUE(frame->runCommand(33081));
    EXPECT_TRUE(ctx->search().highlight().empty());
    image = render();
    EXPECT_EQ(count(image, cell(1, 3, 2), kFound), 0);
    EXPECT_FALSE(frame->commandState(33081).enabled);

    // FindTextColor equal to TextColor switches the highlight off.
    ctx->settings().colours.findTextColor = ctx->settings().colours.textColor;
    ctx->applySettings();
    pane().applySettings();
    view().placeCursorAtOffset(0);
    view().updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    frame->runCommand(32773);
    EXPECT_EQ(view().selectionStartOffset(), 1);
    EXPECT_TRUE(ctx->search().highlight().empty());
}

TEST_F(RenderSearchTest, CaretLineWaitsWhileTheViewWasJustFocusedOrScrolled) {
    newChild();
    std::string text;
    for (int i = 0; i < 200; ++i) text += "row\r\n";
    load(text);
    pane().clearTransientState();
    const QRect right = cell(0, 10, 4);  // right of the text on the caret row
    EXPECT_GT(count(render(), right, kCaretBack, 10), 20);
    // Gaining the focus: the caret line is not coloured until the timer ends.
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(&pane(), &in);
    EXPECT_TRUE(pane().transientState());
    EXPECT_EQ(count(render(), right, kCaretBack, 10), 0);
    pane().clearTransientState();
    EXPECT_GT(count(render(), right, kCaretBack, 10), 20);
    // Scrolling too.
    view().scrollTo(1, 0);
    EXPECT_TRUE(pane().transientState());
    view().scrollTo(0, 0);
    EXPECT_EQ(count(render(), right, kCaretBack, 10), 0);
    pane().clearTransientState();
    EXPECT_GT(count(render(), right, kCaretBack, 10), 20);
}

class RenderNoNumbersTest : public RenderTest {
protected:
    void configure(settings::Settings& s) override {
        RenderTest::configure(s);
        s.editor.options.lineNoDisp = 0;
        s.editor.options.rulaDisp = 0;
        s.editor.options.leftSpace = 8;  // two columns
        s.editor.options.dispGyoukan = 5;
    }
};

TEST_F(RenderNoNumbersTest, GutterIsOneCellPlusLeftSpaceAndRowsAreSpaced) {
    newChild();
    load("a\r\nb");
    doc().toggleMark(0);
    const QImage image = render();
    const ViewGeometry& g = pane().viewGeometry();
    EXPECT_EQ(g.rulerHeight, 0);
    EXPECT_EQ(g.gutterWidth, g.charWidth);
    EXPECT_EQ(g.textLeft, 3 * g.charWidth);
    const int line = ctx->font().metrics().height + ctx->font().metrics().externalLeading;
    EXPECT_EQ(g.rowHeight, line + line / 2);
    // A marked row shows a bar in the line-end colour in the gutter cell.
    EXPECT_GT(count(image, QRect(0, g.rowY(0), g.charWidth, g.rowHeight), kArrow), 5);
    EXPECT_EQ(count(image, QRect(0, g.rowY(1), g.charWidth, g.rowHeight), kArrow), 0);
}

}  // namespace
}  // namespace orvex::qt::test
