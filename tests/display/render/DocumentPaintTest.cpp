// Painting rows of real documents: rows, flags and comment spans from the
// text store feed the attributes and the gutter.
#include <gtest/gtest.h>

#include <string>

#include "RenderTestSupport.h"
#include "display/Gutter.h"
#include "display/RowAttributes.h"
#include "text/TextStore.h"

namespace orvex {
namespace {

using test::codes;

class DocumentPaint : public ::testing::Test {
protected:
    void load(std::string_view utf8, int32_t wrap = 80) {
        LayoutOptions o;
        o.commentColour = 0x00FF00;
        o.cmntSel = 1;
        o.kinsoku = false;
        store.setLayout(o, wrap);
        ASSERT_TRUE(store.setText(test::sjis(utf8)));
        store.layoutAll();
        matcher = KeywordMatcher(keywords, keywordGroupsOn(options.keywdSel, colours));
    }
    const RowAttributes& paint(int32_t r) {
        RenderSetup setup;
        setup.colours = &colours;
        setup.options = &options;
        setup.keywords = &matcher;
        setup.tabWidth = store.tabWidth();
        setup.fillColumns = store.wrapWidth();
        const int32_t flags = store.rowFlags(r);
        spans.clear();
        if (RowAttributes::wantsComments(flags, colours)) store.commentSpans(r, spans);
        RowSource src{store.rowText(r), r, flags, &spans};
        row.build(setup, view, src);
        return row;
    }
    std::string gutterText(int32_t r) {
        GutterRow g;
        const bool first = r == 0 || store.row(r).line != store.row(r - 1).line;
        gutterRow(1, store.rowCount(), {r, store.row(r).line, first, store.rowFlags(r)}, colours, g);
        return g.text;
    }

    TextStore store;
    ColourTable colours = ColourTable::resolve(test::distinctColours());
    RenderOptions options;
    settings::KeywordStore keywords;
    KeywordMatcher matcher;
    ViewPaintState view;
    std::vector<CommentSpan> spans;
    RowAttributes row;
};

TEST_F(DocumentPaint, ABlockCommentOverTwoLines) {
    load("int a; /* one\r\ntwo */ x;\r\nint b;");
    ASSERT_EQ(store.rowCount(), 3);
    EXPECT_EQ(codes(paint(0)), "kkk....cccccc.");
    EXPECT_TRUE(row.lineEndMark());
    EXPECT_EQ(codes(paint(1)), "cccccc....");
    EXPECT_EQ(codes(paint(2)), "kkk....");
    EXPECT_EQ(row.end(), RowEnd::EndOfText);
    EXPECT_TRUE(row.eofMark());
}

TEST_F(DocumentPaint, AWrappedLineIsNumberedOnce) {
    load(std::string(24, 'a') + "\r\nb\r\n", 10);
    ASSERT_EQ(store.rowCount(), 5);
    EXPECT_EQ(gutterText(0), "    1");
    EXPECT_EQ(gutterText(1), "     ");
    EXPECT_EQ(gutterText(2), "     ");
    EXPECT_EQ(gutterText(3), "    2");
    EXPECT_EQ(gutterText(4), "    3");
    EXPECT_EQ(paint(0).end(), RowEnd::Wrapped);
    EXPECT_FALSE(row.lineEndMark());
    EXPECT_EQ(paint(2).end(), RowEnd::LineEnd);
}

TEST_F(DocumentPaint, TheGutterWidensAtOneHundredThousandRows) {
    std::string text;
    for (int i = 0; i < 99998; ++i) text += "\r\n";
    load(text);
    ASSERT_EQ(store.rowCount(), 99999);
    EXPECT_EQ(gutterCells(1, store.rowCount()), 6);
    EXPECT_EQ(gutterText(99998), "99999");
    load(text + "\r\n");
    ASSERT_EQ(store.rowCount(), 100000);
    EXPECT_EQ(gutterCells(1, store.rowCount()), 7);
    EXPECT_EQ(gutterText(99999), "100000");
}

TEST_F(DocumentPaint, UrlsOffWhenColouredLikeText) {
    // With "//" comments the URL's slashes open a line comment; the URL
    // colour, a later step, paints over it.
    load("see http://example.com/.");
    EXPECT_EQ(codes(paint(0)), "....uuuuuuuuuuuuuuuuuuuu.");
    StoredColours s = test::distinctColours();
    s[size_t(ColourSlot::Url)] = s[size_t(ColourSlot::Text)];
    colours = ColourTable::resolve(s);
    EXPECT_EQ(codes(paint(0)), ".........ccccccccccccccc.");
}

}  // namespace
}  // namespace orvex
