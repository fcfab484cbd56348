#include <gtest/gtest.h>

#include "common/codepage/Cp932.h"
#include "common/strings/StringTable.h"
#include "support/FakePlatform.h"

using namespace orvex;

TEST(StringTable, KnownTextsAndUnknownIds) {
    EXPECT_EQ(strings::text(30003), "文章が大きすぎます");
    EXPECT_EQ(strings::text(57344), "Orvex");
    EXPECT_EQ(strings::text(30029), "実行結果 ");  // keeps its trailing blank
    EXPECT_EQ(strings::text(30002), "");
    EXPECT_EQ(strings::text(0), "");
    EXPECT_NE(strings::macroText(30000), strings::text(30000));
}

TEST(StringTable, EveryTextConvertsToShiftJisWithoutLoss) {
    for (int id = 30000; id <= 30058; ++id) {
        std::string_view t = strings::text(id);
        if (t.empty()) continue;
        std::string sj = strings::sjis(id);
        EXPECT_EQ(sj.find('?'), std::string::npos) << id;
        EXPECT_EQ(cp932::toUtf8(sj), t) << id;
    }
    EXPECT_EQ(cp932::fromUtf8(strings::kUntitledName), "\x96\xB3\x91\xE8\x82\xCC\xCC\xA7\xB2\xD9");
}

TEST(StringTable, Substitution) {
    EXPECT_EQ(strings::format(30023, {"12"}), "12個の文字列を置換しました");
    EXPECT_EQ(strings::format(30038, {".txt", "Text"}), ".txt は既に Text に関連付けられています.");
    EXPECT_EQ(strings::substitute("%1%1-%2-%3", {"a", "b"}), "aa-b-");
    EXPECT_EQ(strings::substitute("100%", {}), "100%");
    EXPECT_EQ(strings::substitute("%0 %x", {"a"}), "%0 %x");
}

TEST(ScriptedMessages, RecordsAndAnswersInOrder) {
    test::ScriptedMessageBoxes boxes;
    boxes.answer(MsgResult::No);
    boxes.defaultAnswer = MsgResult::Yes;
    EXPECT_EQ(boxes.showId(30056, MsgIcon::Exclamation, MsgButtons::YesNo, {"/tmp/a"}), MsgResult::No);
    EXPECT_EQ(boxes.showId(30003, MsgIcon::Exclamation), MsgResult::Yes);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "/tmp/aは読み取り専用です");
    EXPECT_EQ(boxes.ids(), (std::vector<int>{30056, 30003}));
}

// ---- Line ends across the clipboard

#include "common/platform/ClipboardText.h"

namespace {

struct LineEndRow {
    const char* editor;    // the editor's bytes
    const char* outgoing;  // what other programs get
    const char* incoming;  // what the editor takes back from that
};

class ClipboardLineEnds : public ::testing::TestWithParam<LineEndRow> {};

TEST_P(ClipboardLineEnds, LeaveAsLfAndComeBackAsTheEditorsLineEnds) {
    const LineEndRow& r = GetParam();
    EXPECT_EQ(orvex::clipboardtext::outgoing(r.editor), r.outgoing);
    EXPECT_EQ(orvex::clipboardtext::incoming(r.outgoing), r.incoming);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClipboardLineEnds,
    ::testing::Values(LineEndRow{"a\r\nb", "a\nb", "a\r\nb"}, LineEndRow{"a\rb\r", "a\nb\n", "a\r\nb\r\n"},
                      LineEndRow{"\r\n\r\n", "\n\n", "\r\n\r\n"}, LineEndRow{"a\r\r\nb", "a\n\nb", "a\r\n\r\nb"},
                      LineEndRow{"\x82\xa0\r\n\x82\xa2", "\x82\xa0\n\x82\xa2", "\x82\xa0\r\n\x82\xa2"},
                      LineEndRow{"", "", ""}, LineEndRow{"\f", "\f", "\f"}));

TEST(ClipboardLineEnds, IncomingKeepsCrLfAndLoneCr) {
    EXPECT_EQ(orvex::clipboardtext::incoming("x\r\ny\rz\n"), "x\r\ny\rz\r\n");
}

}  // namespace
