// The shared search state (histories, option sets, settings), the
// replacement's special characters, batch pairs and the highlight scan.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/codepage/Cp932.h"
#include "search/BatchReplace.h"
#include "search/HighlightScan.h"
#include "search/Replacement.h"
#include "search/SearchState.h"
#include "settings/EditorProfile.h"

using namespace orvex;
using namespace orvex::search;

namespace {

std::string sj(const std::string& utf8) { return cp932::fromUtf8(utf8); }

TEST(SearchHistory, MostRecentFirstNoDuplicatesThirtyEntries) {
    SearchState st;
    for (int i = 1; i <= 30; ++i) st.addSearchString("s" + std::to_string(i));
    ASSERT_EQ(st.searchHistory().size(), 30u);
    EXPECT_EQ(st.searchHistory().front(), "s30");
    EXPECT_EQ(st.searchHistory().back(), "s1");
    // An existing entry moves to the top instead of repeating.
    st.addSearchString("s10");
    EXPECT_EQ(st.searchHistory().size(), 30u);
    EXPECT_EQ(st.searchHistory()[0], "s10");
    EXPECT_EQ(st.searchHistory()[1], "s30");
    EXPECT_EQ(st.searchString(), "s10");
    // The 31st distinct string pushes the oldest out.
    st.addSearchString("s31");
    EXPECT_EQ(st.searchHistory().size(), 30u);
    EXPECT_EQ(st.searchHistory().back(), "s2");
    // Exact comparison: case matters; empty strings are never added.
    st.addSearchString("S31");
    EXPECT_EQ(st.searchHistory()[1], "s31");
    st.addSearchString("");
    EXPECT_EQ(st.searchString(), "S31");
}

TEST(SearchHistory, ReplacementHistoryKeepsTen) {
    SearchState st;
    for (int i = 1; i <= 12; ++i) st.addReplaceString("r" + std::to_string(i));
    ASSERT_EQ(st.replaceHistory().size(), 10u);
    EXPECT_EQ(st.replaceHistory().front(), "r12");
    EXPECT_EQ(st.replaceHistory().back(), "r3");
    st.setReplaceString("");
    EXPECT_EQ(st.replaceString(), "");
    EXPECT_EQ(st.replaceHistory().size(), 10u);
}

TEST(SearchOptionsSets, RegexTurnsWholeWordOff) {
    SearchState st;
    SearchFlags f;
    f.wholeWord = true;
    f.regex = true;
    f.messages = 7;
    st.setFlags(f);
    EXPECT_FALSE(st.flags().wholeWord);
    EXPECT_EQ(st.flags().messages, 3);
    st.saveOptionSet(OptionSet::Replace);
    st.saveOptionSet(OptionSet::FindInFiles);
    EXPECT_FALSE(st.optionSet(OptionSet::Replace).wholeWord);
    EXPECT_EQ(st.optionSet(OptionSet::FindInFiles).messages, 0);
    EXPECT_EQ(st.optionSet(OptionSet::Find), SearchFlags{});
    f.regex = false;
    st.setFlags(f);
    EXPECT_TRUE(st.flags().pattern().wholeWord);
    st.useOptionSet(OptionSet::Replace);
    EXPECT_TRUE(st.flags().regex);
}

TEST(SearchOptionsSets, SettingsRoundTrip) {
    settings::EditorProfile p;
    p.search.findCase = 1;
    p.search.findMsg = 2;
    p.search.findNrm1 = 1;
    p.search.findWord1 = 1;  // stored with the regular expression on: read as off
    p.search.findSel1 = 1;
    p.search.findWord2 = 1;
    p.search.repSpChr = 1;
    p.history.findStr[0] = "b";
    p.history.findStr[1] = "";
    p.history.findStr[2] = "a";
    p.history.findStr[3] = "b";  // a duplicate from an older file
    p.history.repStr[0] = "x";
    p.batch.find[0] = "ab";
    p.batch.replace[0] = "x";
    p.options.replacesSel = 1;
    SearchState st;
    st.load(p);
    EXPECT_EQ(st.searchHistory(), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(st.searchString(), "b");
    EXPECT_EQ(st.replaceString(), "x");
    EXPECT_TRUE(st.optionSet(OptionSet::Find).matchCase);
    EXPECT_EQ(st.optionSet(OptionSet::Find).messages, 2);
    EXPECT_TRUE(st.optionSet(OptionSet::Replace).regex);
    EXPECT_FALSE(st.optionSet(OptionSet::Replace).wholeWord);
    EXPECT_TRUE(st.optionSet(OptionSet::Replace).inSelection);
    EXPECT_TRUE(st.optionSet(OptionSet::FindInFiles).wholeWord);
    EXPECT_TRUE(st.specialCharacters());
    EXPECT_EQ(st.batchPairs().find[0], "ab");
    EXPECT_TRUE(st.batchSelectionOnly());
    EXPECT_EQ(st.flags(), st.optionSet(OptionSet::Find));

    st.addSearchString("c");
    settings::EditorProfile q;
    st.save(q);
    EXPECT_EQ(q.history.findStr[0], "c");
    EXPECT_EQ(q.history.findStr[2], "a");
    EXPECT_EQ(q.history.findStr[3], "");
    EXPECT_EQ(q.search.findWord1, 0);
    EXPECT_EQ(q.search.findNrm1, 1);
    EXPECT_EQ(q.search.findMsg, 2);
    EXPECT_EQ(q.search.repSpChr, 1);
    EXPECT_EQ(q.batch, p.batch);
    EXPECT_EQ(q.options.replacesSel, 1);
}

struct Expansion {
    const char* typed;
    bool special;
    const char* inserted;
};

class SpecialCharacters : public ::testing::TestWithParam<Expansion> {};

TEST_P(SpecialCharacters, Expand) {
    const Expansion& e = GetParam();
    EXPECT_EQ(expandReplacement(sj(e.typed), e.special), sj(e.inserted));
}

INSTANTIATE_TEST_SUITE_P(Replacement, SpecialCharacters,
                         ::testing::Values(Expansion{"a\\nb", true, "a\r\nb"}, Expansion{"a\\rb", true, "a\r\nb"},
                                           Expansion{"\\t\\f", true, "\t\f"}, Expansion{"\\\\n", true, "\\n"},
                                           Expansion{"\\q", true, "\\q"}, Expansion{"x\\", true, "x\\"},
                                           Expansion{"表n", true, "表n"}, Expansion{"\\表", true, "\\表"},
                                           Expansion{"a\\nb", false, "a\\nb"}));

struct BatchRow {
    const char* text;
    std::vector<std::pair<const char*, const char*>> pairs;
    const char* expected;  // the whole text after the batch
    int32_t count;
};

class BatchRows : public ::testing::TestWithParam<BatchRow> {};

TEST_P(BatchRows, Replace) {
    const BatchRow& r = GetParam();
    settings::BatchPairs pairs;
    for (size_t i = 0; i < r.pairs.size(); ++i) {
        pairs.find[i + 1] = sj(r.pairs[i].first);  // slot 1 left empty: skipped
        pairs.replace[i + 1] = sj(r.pairs[i].second);
    }
    const std::string text = sj(r.text);
    const Subject s{reinterpret_cast<const uint8_t*>(text.data()), int32_t(text.size())};
    const BatchOutcome o = batchReplaceText(s, 0, s.length, pairs);
    EXPECT_EQ(o.count, r.count);
    std::string whole = text;
    if (o.count > 0) whole.replace(size_t(o.changeBegin), size_t(o.changeEnd - o.changeBegin), o.text);
    EXPECT_EQ(whole, sj(r.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Batch, BatchRows,
    ::testing::Values(BatchRow{"abac", {{"ab", "x"}, {"a", "y"}}, "xyc", 2},
                      BatchRow{"abac", {{"a", "y"}, {"ab", "x"}}, "ybyc", 2},
                      BatchRow{"aaa", {{"a", "aa"}}, "aaaaaa", 3},           // replaced text is not scanned again
                      BatchRow{"アA", {{"A", "B"}}, "アB", 1},                // never inside a double-byte character
                      BatchRow{"表\\", {{"\\", "/"}}, "表/", 1},
                      BatchRow{"x\r\ny", {{"\n", "-"}}, "x\r\ny", 0},        // a line end is one character
                      BatchRow{"全角ｶﾅ", {{"全角", "ｾﾞﾝｶｸ"}}, "ｾﾞﾝｶｸｶﾅ", 1},
                      BatchRow{"none", {{"q", "r"}}, "none", 0}));

TEST(BatchReplaceText, LoneLeadByteNeverTakesHalfACharacter) {
    settings::BatchPairs pairs;
    pairs.find[0] = "\x82";
    pairs.replace[0] = "X";
    const std::string text = "\x82\xa0\x82\r";
    const Subject s{reinterpret_cast<const uint8_t*>(text.data()), int32_t(text.size())};
    const BatchOutcome o = batchReplaceText(s, 0, s.length, pairs);
    EXPECT_EQ(o.count, 1);
    EXPECT_EQ(o.changeBegin, 2);
}

TEST(HighlightScan, EveryCharacterPositionNeverSplit) {
    std::vector<std::pair<int32_t, int32_t>> out;
    const std::string row = "xAbab";
    findHighlights(reinterpret_cast<const uint8_t*>(row.data()), int32_t(row.size()), "ab", false, out);
    EXPECT_EQ(out, (std::vector<std::pair<int32_t, int32_t>>{{1, 2}, {3, 2}}));
    out.clear();
    findHighlights(reinterpret_cast<const uint8_t*>(row.data()), int32_t(row.size()), "ab", true, out);
    EXPECT_EQ(out, (std::vector<std::pair<int32_t, int32_t>>{{3, 2}}));
    out.clear();
    // The second byte of ア is "A": only the real A is marked, and ASCII
    // folding never touches a second byte.
    const std::string kana = sj("アAア");
    findHighlights(reinterpret_cast<const uint8_t*>(kana.data()), int32_t(kana.size()), "a", false, out);
    EXPECT_EQ(out, (std::vector<std::pair<int32_t, int32_t>>{{2, 1}}));
    out.clear();
    const std::string wide = sj("アア");
    findHighlights(reinterpret_cast<const uint8_t*>(wide.data()), int32_t(wide.size()), sj("ア"), false, out);
    EXPECT_EQ(out, (std::vector<std::pair<int32_t, int32_t>>{{0, 2}, {2, 2}}));
    out.clear();
    const std::string kanaA = sj("ア");
    const std::string folded = "\x83\x61";  // ア with its second byte lower-cased is another character
    findHighlights(reinterpret_cast<const uint8_t*>(kanaA.data()), int32_t(kanaA.size()), folded, false, out);
    EXPECT_TRUE(out.empty());
}

}  // namespace
