// Replace all: the loop's rules (termination, the step after empty matches
// and "$", the surroundings of replaced text), undo one replacement at a
// time, and the fast ways against the plain one-by-one loop on random texts
// and patterns.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "common/codepage/Cp932.h"
#include "common/strings/StringTable.h"
#include "search/ReplaceAll.h"
#include "tests/support/FakePlatform.h"
#include "tests/text/TextInvariants.h"
#include "text/CLuDoc.h"

using namespace orvex;
using namespace orvex::search;

namespace {

std::string sj(const std::string& utf8) { return cp932::fromUtf8(utf8); }

struct Doc {
    Doc() : doc(fake.platform()) {}
    void load(const std::string& s, int32_t wrap = 2000, const LayoutOptions& layout = LayoutOptions{}) {
        doc.text().setLayout(layout, wrap);
        ASSERT_TRUE(doc.text().setText(s));
        doc.layoutAll();
        doc.markLoaded();
    }
    std::string text() const { return std::string(doc.text().view()); }
    test::FakePlatform fake;
    CLuDoc doc;
};

struct Outcome {
    std::string text;
    ReplaceAllResult result;
};

Outcome run(const std::string& input, const std::string& pattern, const std::string& replacement, bool regex,
            bool forward = true, ReplaceStrategy strategy = ReplaceStrategy::Automatic) {
    Doc d;
    d.load(input);
    CompiledPattern p;
    EXPECT_EQ(p.compile(pattern, {true, false, regex}), CompiledPattern::Status::Ok);
    ReplaceAllRequest req;
    req.pattern = &p;
    req.replacement = replacement;
    req.rangeBegin = 0;
    req.rangeEnd = d.doc.text().length();
    req.from = forward ? 0 : req.rangeEnd;
    req.forward = forward;
    Outcome o;
    o.result = replaceAll(d.doc, req, strategy);
    o.text = d.text();
    return o;
}

struct Case {
    const char* name;
    const char* text;
    const char* pattern;
    const char* replacement;
    bool regex;
    bool forward;
    const char* expected;
    int32_t count;
};

class ReplaceRows : public ::testing::TestWithParam<Case> {};

TEST_P(ReplaceRows, EveryWayGivesTheSameResult) {
    const Case& c = GetParam();
    for (ReplaceStrategy s : {ReplaceStrategy::OneByOne, ReplaceStrategy::Planned, ReplaceStrategy::Bulk}) {
        const Outcome o = run(sj(c.text), sj(c.pattern), sj(c.replacement), c.regex, c.forward, s);
        EXPECT_EQ(o.text, sj(c.expected)) << int(s);
        EXPECT_EQ(o.result.count, c.count) << int(s);
    }
}

const Case kCases[] = {
    // Replaced text is not searched again.
    {"AByAaTerminates", "banana", "a", "aa", false, true, "baanaanaa", 3},
    {"AByAaBackward", "banana", "a", "aa", false, false, "baanaanaa", 3},
    // After an empty match the search steps on by one character.
    {"LineEndsGetAMark", "ab\r\ncd\r\n", "$", ";", true, true, "ab;\r\ncd;\r\n;", 3},
    {"LineEndsBackward", "ab\r\ncd", "$", ";", true, false, "ab;\r\ncd;", 2},
    {"LineStarts", "ab\r\ncd", "^", "> ", true, true, "> ab\r\n> cd", 2},
    {"EmptyMatchesEverywhere", "abc", "x*", "-", true, true, "-a-b-c-", 4},
    // A regular expression ending in "$" moves on after each match.
    {"DollarAfterMatch", "aaa\r\nba", "a*$", "X", true, true, "X\r\nbX", 2},
    // Empty matches with nothing to insert are passed over, not counted.
    {"EmptyWithEmptyPassedOver", "ba", "b*", "", true, true, "a", 1},
    // What precedes the resume point is the replacement.
    {"WordStartAfterReplacement", "aa", "\\<a", "-", true, true, "--", 2},
    {"WordStartBackward", "aa", "a\\>", "-", true, false, "--", 2},
    {"LineStartAfterInsertedLineEnd", "aab", "^a", "\r\n", true, true, "\r\n\r\nb", 2},
    // Line ends inside matches and replacements.
    {"JoinLines", "a\r\nb\r\nc", "\\n", "+", true, true, "a+b+c", 2},
    {"SplitLines", "a,b,c", ",", "\r\n", false, true, "a\r\nb\r\nc", 2},
    {"WholeLinesAway", "x\r\ny\r\nx\r\n", "x\\n", "", true, true, "y\r\n", 2},
    {"DoubleByte", "あいあい", "い", "う", false, true, "あうあう", 2},
    {"TrailByteNotMatched", "アA", "A", "B", false, true, "アB", 1},
};

INSTANTIATE_TEST_SUITE_P(Replace, ReplaceRows, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ReplaceAll, EmptyMatchWithEmptyReplacementStalls) {
    for (ReplaceStrategy s : {ReplaceStrategy::OneByOne, ReplaceStrategy::Automatic}) {
        const Outcome o = run("abc", "x*", "", true, true, s);
        EXPECT_TRUE(o.result.stalled);
        EXPECT_EQ(o.result.count, 0);
        EXPECT_EQ(o.text, "abc");
    }
}

TEST(ReplaceAll, UndoTakesBackOneReplacementAtATime) {
    Doc d;
    d.load("one two one two one");
    CompiledPattern p;
    p.compile("one", {true, false, false});
    ReplaceAllRequest req;
    req.pattern = &p;
    req.replacement = "1";
    req.rangeEnd = d.doc.text().length();
    const ReplaceAllResult r = replaceAll(d.doc, req, ReplaceStrategy::Bulk);
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(d.text(), "1 two 1 two 1");
    EXPECT_EQ(r.caret, 13);
    EXPECT_EQ(r.rangeEnd, 13);
    EXPECT_TRUE(d.doc.isModified());
    EXPECT_TRUE(d.doc.undo().applied);
    EXPECT_EQ(d.text(), "1 two 1 two one");
    EXPECT_TRUE(d.doc.undo().applied);
    EXPECT_EQ(d.text(), "1 two one two one");
    EXPECT_TRUE(d.doc.undo().applied);
    EXPECT_EQ(d.text(), "one two one two one");
    EXPECT_FALSE(d.doc.isModified());
    EXPECT_FALSE(d.doc.canUndo());
    for (int i = 0; i < 3; ++i) d.doc.redo();
    EXPECT_EQ(d.text(), "1 two 1 two 1");
}

TEST(ReplaceAll, RangeCurrentMatchAndCaret) {
    Doc d;
    d.load("a a a a");
    CompiledPattern p;
    p.compile("a", {true, false, false});
    ReplaceAllRequest req;
    req.pattern = &p;
    req.replacement = "bb";
    req.rangeBegin = 2;
    req.rangeEnd = 5;
    req.from = 2;
    req.current = {2, 1};
    const ReplaceAllResult r = replaceAll(d.doc, req, ReplaceStrategy::Bulk);
    EXPECT_EQ(d.text(), "a bb bb a");
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.caret, 7);
    EXPECT_EQ(r.rangeEnd, 7);
    // Toward the start the caret ends before the last replacement.
    Doc e;
    e.load("a a a a");
    req.forward = false;
    req.from = 5;
    req.current = {4, 1};
    const ReplaceAllResult b = replaceAll(e.doc, req, ReplaceStrategy::Bulk);
    EXPECT_EQ(e.text(), "a bb bb a");
    EXPECT_EQ(b.caret, 2);
}

TEST(ReplaceAll, ReadOnlyDocumentIsLeftAlone) {
    Doc d;
    d.load("aaa");
    d.doc.setReadOnly(true);
    d.doc.setEditSettings({false, true, true});
    const Outcome before{d.text(), {}};
    CompiledPattern p;
    p.compile("a", {true, false, false});
    ReplaceAllRequest req;
    req.pattern = &p;
    req.replacement = "b";
    req.rangeEnd = 3;
    EXPECT_EQ(replaceAll(d.doc, req).count, 0);
    EXPECT_EQ(d.text(), "aaa");
}

TEST(ReplaceAll, SizeLimitStopsAtTheFirstReplacementThatDoesNotFit) {
    // A text one replacement short of the limit: the second insertion is
    // refused after its deletion, as the edits one by one would do it.
    const int32_t room = 4;
    std::string big(size_t(TextStore::kMaxTextSize - 1 - room), 'x');
    big.replace(0, 3, "a\r\n");
    big.replace(100, 3, "a\r\n");
    big.replace(200, 3, "a\r\n");
    for (ReplaceStrategy s : {ReplaceStrategy::Planned, ReplaceStrategy::Bulk}) {
        Doc d;
        d.load(big);
        CompiledPattern p;
        p.compile("a", {true, false, false});
        ReplaceAllRequest req;
        req.pattern = &p;
        req.replacement = "aaaa";  // three more bytes each
        req.rangeEnd = d.doc.text().length();
        const ReplaceAllResult r = replaceAll(d.doc, req, s);
        EXPECT_TRUE(r.refused);
        EXPECT_EQ(r.count, 1);
        EXPECT_EQ(d.doc.text().size(), TextStore::kMaxTextSize - room + 3 - 1);
        EXPECT_EQ(d.fake.messages.ids(), std::vector<int>{strings::kTextTooLarge});
        // Undo restores the deleted match, then the first replacement.
        d.doc.undo();
        d.doc.undo();
        EXPECT_EQ(d.doc.text().view(), big);
    }
}

// ---- Random texts and patterns: the fast ways agree with the plain loop.

struct RowState {
    std::vector<int32_t> flags;
    int32_t marked;
    bool modified;
};

RowState rowState(const TextStore& t) {
    RowState s{{}, t.markedRowCount(), t.modifiedRowsPresent()};
    for (int32_t r = 0; r < t.rowCount(); ++r) s.flags.push_back(t.rowFlags(r) & rowflag::kCarried);
    return s;
}

class RandomReplace : public ::testing::Test {
protected:
    std::mt19937 rng{20240607};
    int pick(int n) { return int(rng() % uint32_t(n)); }

    std::string randomText() {
        static const char* pieces[] = {"a", "b", "ab", " ", "_", "\r\n", "\r", "\x0c", "\x82\xa0", "\x83\x41", "A",
                                       "\r\n\n", "aa", "ba"};
        std::string s;
        // Mostly short texts; now and then a long one with many lines, so
        // that untouched stretches lie between the replacements.
        const int n = pick(5) == 0 ? pick(400) : pick(40);
        for (int i = 0; i < n; ++i) s += pieces[pick(14)];
        return s;
    }
    std::string randomPattern(bool& regex) {
        static const char* regexes[] = {"a",   "ab",   "a*",   "b+",    "^a",   "a$",     "$",   "^",
                                        "\\<a", "a\\>", "a.*b", ".*",    "a\\nb", "\\n",   "[ab]+", "[^a]",
                                        "a\\n", "x*",  "\\na", "b*$",  "[\\n]", "a.+",  "\\<",  "b\\n*a"};
        static const char* literals[] = {"a", "ab", "ba", "\r\n", "a\r\nb", "\x82\xa0", "A", "aa", " "};
        regex = pick(3) != 0;
        return regex ? regexes[pick(24)] : literals[pick(9)];
    }
    std::string randomReplacement() {
        static const char* reps[] = {"", "x", "xy", "\r\n", "a", "z\r\nz", "\x0c", "aa", "\x82\xa2", "\r\n\r\n"};
        return reps[pick(10)];
    }
};

TEST_F(RandomReplace, FastWaysAgreeWithOneByOne) {
    const char* env = std::getenv("ORVEX_RANDOM_REPLACE_ROUNDS");
    const int rounds = env ? std::atoi(env) : 1500;
    int replaced = 0, bulk = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string input = randomText();
        bool regex = false;
        const std::string pattern = randomPattern(regex);
        const std::string replacement = randomReplacement();
        const bool wrap = pick(3) == 0;  // wrapped rows: the records' row words may differ
        const int32_t width = wrap ? 10 : 2000;
        LayoutOptions layout;
        layout.wordWrap = wrap && pick(2) == 0;
        layout.kinsoku = wrap && pick(2) == 0;
        const bool forward = pick(2) == 0;
        const bool matchCase = pick(2) == 0;
        const bool wholeWord = !regex && pick(3) == 0;
        CompiledPattern p;
        if (p.compile(pattern, {matchCase, wholeWord, regex}) != CompiledPattern::Status::Ok) continue;

        // The same document three times: text, marks and some earlier
        // edits that left modified rows.
        Doc docs[3];
        const int marks = pick(4);
        std::vector<int32_t> markRows;
        std::string edit = pick(2) ? "q" : "q\r\n";
        const int32_t editAt = pick(int(input.size()) + 1);
        for (int k = 0; k < marks; ++k) markRows.push_back(pick(8));
        const int32_t len = int32_t(input.size());
        int32_t b = pick(len + 1), e = pick(len + 1);
        if (b > e) std::swap(b, e);
        const bool whole = pick(2) == 0;
        for (Doc& d : docs) {
            d.load(input, width, layout);
            for (int32_t r : markRows)
                if (r < d.doc.text().rowCount()) d.doc.text().setMark(r, true);
            const TextPosition at = d.doc.text().positionOf(editAt);
            d.doc.insertRecorded(at.row, at.byteColumn, edit.data(), int32_t(edit.size()), undokind::kInsert);
        }
        const TextStore& t0 = docs[0].doc.text();
        ReplaceAllRequest req;
        req.pattern = &p;
        req.replacement = replacement;
        req.forward = forward;
        req.rangeBegin = whole ? 0 : t0.offsetOf(t0.positionOf(b).row, t0.positionOf(b).byteColumn);
        req.rangeEnd = whole ? t0.length() : t0.offsetOf(t0.positionOf(e).row, t0.positionOf(e).byteColumn);
        if (req.rangeEnd < req.rangeBegin) std::swap(req.rangeBegin, req.rangeEnd);
        req.from = forward ? req.rangeBegin : req.rangeEnd;
        req.sliceBytes = pick(2) == 0 ? 1 + pick(40) : 0;

        const ReplaceStrategy ways[3] = {ReplaceStrategy::OneByOne, ReplaceStrategy::Planned, ReplaceStrategy::Bulk};
        ReplaceAllResult res[3];
        for (int k = 0; k < 3; ++k) res[k] = replaceAll(docs[k].doc, req, ways[k]);
        if (res[0].count > 0) ++replaced;
        // Only a replacement with a lone LF (which the layout turns into CR)
        // is left to the plain loop.
        if (!res[2].stalled && res[2].used != ReplaceStrategy::Automatic) {
            ASSERT_EQ(res[2].used, ReplaceStrategy::Bulk) << round;
            ++bulk;
        }

        const std::string what = "round " + std::to_string(round) + " text \"" + input + "\" pattern \"" + pattern +
                                 "\" replacement \"" + replacement + "\" forward " + std::to_string(forward) +
                                 " range " + std::to_string(req.rangeBegin) + "-" + std::to_string(req.rangeEnd) +
                                 " case " + std::to_string(matchCase) + " word " + std::to_string(wholeWord);
        for (int k = 1; k < 3; ++k) {
            const TextStore& a = docs[0].doc.text();
            const TextStore& t = docs[k].doc.text();
            ASSERT_EQ(t.view(), a.view()) << what << " way " << k;
            ASSERT_EQ(res[k].count, res[0].count) << what;
            ASSERT_EQ(res[k].caret, res[0].caret) << what;
            ASSERT_EQ(res[k].rangeEnd, res[0].rangeEnd) << what;
            ASSERT_EQ(res[k].stalled, res[0].stalled) << what;
            ASSERT_EQ(test::checkInvariants(t), "") << what;
            const RowState ra = rowState(a), rt = rowState(t);
            ASSERT_EQ(rt.flags, ra.flags) << what << " way " << k;
            ASSERT_EQ(rt.marked, ra.marked) << what;
            ASSERT_EQ(rt.modified, ra.modified) << what;
            ASSERT_EQ(docs[k].doc.isModified(), docs[0].doc.isModified()) << what;
            const UndoHistory& ua = docs[0].doc.undoHistory();
            const UndoHistory& ut = docs[k].doc.undoHistory();
            ASSERT_EQ(ut.count(), ua.count()) << what;
            for (int32_t i = 0; i < ua.count(); ++i) {
                const UndoRecord& x = ua.record(i);
                const UndoRecord& y = ut.record(i);
                ASSERT_EQ(y.kind, x.kind) << what << " record " << i;
                ASSERT_EQ(y.textOffset, x.textOffset) << what << " record " << i;
                ASSERT_EQ(y.length, x.length) << what << " record " << i;
                if (!wrap) {
                    ASSERT_EQ(y.row, x.row) << what << " record " << i;
                }
            }
        }
        // Undo step by step gives the same texts.
        for (int step = 0; docs[0].doc.canUndo(); ++step) {
            for (Doc& d : docs) d.doc.undo();
            for (int k = 1; k < 3; ++k)
                ASSERT_EQ(docs[k].doc.text().view(), docs[0].doc.text().view()) << what << " undo " << step;
        }
    }
    // The rounds did real work.
    EXPECT_GT(replaced, rounds / 3);
    EXPECT_GT(bulk, rounds / 3);
}

}  // namespace
