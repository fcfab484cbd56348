// The rewriting conversions on whole stretches of text: capitalisation,
// line ends, HTML, tabs and blanks, indentation, alignment, sort, and the
// date and time texts.
#include <gtest/gtest.h>

#include <string>

#include "common/codepage/Cp932.h"
#include "transform/DateTimeText.h"
#include "transform/SortLines.h"
#include "transform/TextEdits.h"

using namespace orvex;
using namespace orvex::transform;

namespace {

std::string sj(std::string_view utf8) { return cp932::fromUtf8(utf8); }
std::string u8(std::string_view sjis) { return cp932::toUtf8(sjis); }

struct LineEndRow {
    int keep;
    const char* in;
    const char* out;
};

class LineEnds : public ::testing::TestWithParam<LineEndRow> {};

TEST_P(LineEnds, KeepAtMostNAfterTextAndOneFewerAtTheStart) {
    EXPECT_EQ(removeLineEnds(GetParam().in, GetParam().keep), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Rows, LineEnds, ::testing::Values(
    LineEndRow{0, "A\r\n\r\n\r\nB\r\n\r\n\r\nC", "ABC"},
    LineEndRow{1, "A\r\n\r\n\r\nB\r\n\r\n\r\nC", "A\r\nB\r\nC"},
    LineEndRow{2, "A\r\n\r\n\r\nB\r\n\r\n\r\nC", "A\r\n\r\nB\r\n\r\nC"},
    LineEndRow{1, "\r\n\r\nA\r\nB", "A\r\nB"},
    LineEndRow{2, "\r\n\r\n\r\nA", "\r\nA"},
    LineEndRow{1, "A\rB\n\nC\r\n\nD", "A\rB\n\nC\r\n\nD"},  // CR, a run of LFs and CR LF LF are each one line end
    LineEndRow{1, "A\f\fB", "A\fB"},
    LineEndRow{0, "no end", "no end"},
    LineEndRow{0, "", ""}));

TEST(HtmlToText, ParagraphAndBreakTagsBecomeLineEnds) {
    EXPECT_EQ(htmlToText("<p>Hello<br>\r\nWorld</p>"), "\r\n\r\nHello\r\nWorld");
    EXPECT_EQ(htmlToText("<P class=x>a<BR/>b<b>c</b>"), "\r\n\r\na\r\nbc");
    EXPECT_EQ(u8(htmlToText(sj("<i>表示</i>&amp;"))), "表示&amp;");
}

TEST(HtmlToText, AnUnterminatedTagKeepsTheRestOfTheText) {
    EXPECT_EQ(htmlToText("a<br>b<unclosed and more"), "a\r\nb<unclosed and more");
}

TEST(HtmlTags, BreaksAndParagraphs) {
    EXPECT_EQ(insertHtmlBreaks("a\r\n<hr>\r\n\r\nb"), "a<BR>\r\n<hr>\r\n<BR>\r\nb<BR>");
    EXPECT_EQ(insertHtmlParagraphs("a\r\nb\r\n\r\nc"), "<P>\r\na<BR>\r\nb\r\n</P>\r\n\r\n<P>\r\nc\r\n</P>");
}

TEST(Capitalise, WordsAndSentences) {
    EXPECT_EQ(capitaliseWords("hello wORLD 3d x-ray"), "Hello WORLD 3d X-Ray");
    EXPECT_EQ(u8(capitaliseWords(sj("ａｂｃ ｄｅ"))), "Ａｂｃ Ｄｅ");
    EXPECT_EQ(capitaliseSentences("one. two.  three\r\nfour"), "One. Two.  Three\r\nFour");
    EXPECT_EQ(u8(capitaliseSentences(sj("a。b．　c"))), "A。B．　C");
    EXPECT_EQ(sentenceStartBefore("one. two. three", 12), 10u);
    EXPECT_EQ(sentenceStartBefore("one two", 5), 0u);
}

struct TabRow {
    bool toBlanks;
    const char* in;
    size_t from;
    const char* out;
};

class Tabs : public ::testing::TestWithParam<TabRow> {};

TEST_P(Tabs, ConvertAfterTheSelectionStartOnly) {
    const TabRow& r = GetParam();
    EXPECT_EQ(r.toBlanks ? tabsToBlanks(r.in, r.from, 4) : blanksToTabs(r.in, r.from, 4), r.out);
}

INSTANTIATE_TEST_SUITE_P(Rows, Tabs, ::testing::Values(
    TabRow{true, "a\tb\r\n\tc", 0, "a   b\r\n    c"},
    TabRow{true, "\ta\tb", 2, "   b"},        // the first TAB lies before the selection
    TabRow{true, "\x95\x5C\tx", 0, "\x95\x5C  x"},  // a double-byte character is two columns
    TabRow{false, "a   b", 0, "a\tb"},
    TabRow{false, "abc b", 0, "abc b"},      // one blank stays a blank
    TabRow{false, "a  \tb  ", 0, "a  \tb  "},  // blanks short of a stop stay
    TabRow{false, "        x", 0, "\t\tx"},
    TabRow{false, "    a    b", 2, "\ta\t b"}));

TEST(Indentation, IndentAndUnindentEveryLine) {
    EXPECT_EQ(indentLines("a\r\n\r\nb", 4, true), "\ta\r\n\t\r\n\tb");
    EXPECT_EQ(indentLines("a", 2, false), "  a");
    EXPECT_EQ(unindentLines("\ta\r\n    b\r\n  c\r\n \td\r\ne", 4), "a\r\nb\r\nc\r\nd\r\ne");
}

TEST(Alignment, ContentWithoutOuterBlanksPlacedInTheWidth) {
    EXPECT_EQ(alignLines("  ab  \r\nc", 10, 4, Align::Right), "        ab\r\n         c");
    EXPECT_EQ(alignLines("ab", 11, 4, Align::Centre), "    ab");
    EXPECT_EQ(u8(alignLines(sj("　表　"), 6, 4, Align::Right)), "    表");
    EXPECT_EQ(alignLines("  ab \r\n\r\n", 10, 4, Align::Left), "ab\r\n\r\n");
    EXPECT_EQ(alignLines("abcdefghijkl", 10, 4, Align::Right), "abcdefghijkl");
}

TEST(Sort, WholeLinesFieldsAndColumns) {
    SortOptions o;
    EXPECT_EQ(sortLines("b\r\n\r\nA\r\nc", o, 4), "A\r\nb\r\nc\r\n");
    o.caseSensitive = true;
    EXPECT_EQ(sortLines("b\r\nA\r\na", o, 4), "A\r\na\r\nb\r\n");
    o = SortOptions{};
    o.type = 1;
    o.field = 2;
    EXPECT_EQ(sortLines("x,3\r\ny,1\r\nz,2", o, 4), "y,1\r\nz,2\r\nx,3\r\n");
    EXPECT_EQ(sortLines("\"a,z\",2\r\n\"b\",1", o, 4), "\"b\",1\r\n\"a,z\",2\r\n");
    o.type = 2;
    o.column = 3;
    EXPECT_EQ(sortLines("aac\r\nbbb\r\nz", o, 4), "bbb\r\naac\r\nz\r\n");
}

TEST(DateTime, FormatsAndEraYear) {
    std::tm t{};
    t.tm_year = 2001 - 1900;
    t.tm_mon = 10;
    t.tm_mday = 4;
    t.tm_wday = 0;
    t.tm_hour = 7;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(u8(dateText(t, 0)), "01/11/04");
    EXPECT_EQ(u8(dateText(t, 2)), "01/11/04（日）");
    EXPECT_EQ(u8(dateText(t, 5)), "2001/11/04（日）");
    EXPECT_EQ(u8(dateText(t, 7)), "01年11月4日 日曜日");
    EXPECT_EQ(u8(dateText(t, 10)), "平成13年11月4日");
    EXPECT_EQ(u8(dateText(t, 11)), "平成13年11月4日 日曜日");
    EXPECT_EQ(u8(dateText(t, 99)), "01/11/04");
    EXPECT_EQ(u8(timeText(t, 1)), "07:05:09");
    EXPECT_EQ(u8(timeText(t, 3)), "7時5分9秒");
    EXPECT_EQ(u8(timeText(t, -1)), "07:05");
    t.tm_year = 1980 - 1900;
    EXPECT_EQ(u8(dateText(t, 10)), "平成0年11月4日");
}

}  // namespace
