// The Shift JIS walker: the document rule (a lead byte never takes a line
// end or NUL) and its named variants, the column advance, and finding
// character starts from a known boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/codepage/SjisWalk.h"

using namespace orvex;

namespace {

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

const uint8_t* u8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.c_str()); }

enum class Rule { Document, DocumentWithin, Plain, PlainWithin, Pair };

// The character lengths a walk over all of s takes under a rule (s.c_str()
// supplies the terminating NUL the unbounded steps rely on).
std::vector<int> walk(const std::string& s, Rule rule) {
    std::vector<int> steps;
    const uint8_t* p = u8(s);
    const auto n = ptrdiff_t(s.size());
    for (ptrdiff_t i = 0; i < n;) {
        int len = 0;
        switch (rule) {
        case Rule::Document: len = sjis::step(p + i); break;
        case Rule::DocumentWithin: len = sjis::stepWithin(p + i, n - i); break;
        case Rule::Plain: len = sjis::plainStep(p + i); break;
        case Rule::PlainWithin: len = sjis::plainStepWithin(p + i, n - i); break;
        case Rule::Pair: len = sjis::pairStepWithin(p + i, n - i); break;
        }
        steps.push_back(len);
        i += len;
    }
    return steps;
}

struct StepRow {
    const char* name;
    std::string text;
    std::vector<int> document;  // step and stepWithin agree on these
    std::vector<int> plain;     // plainStep and plainStepWithin agree on these
    std::vector<int> pair;
};

class WalkRules : public ::testing::TestWithParam<StepRow> {};

TEST_P(WalkRules, StepsOverTheRow) {
    const StepRow& r = GetParam();
    EXPECT_EQ(walk(r.text, Rule::Document), r.document);
    EXPECT_EQ(walk(r.text, Rule::DocumentWithin), r.document);
    EXPECT_EQ(walk(r.text, Rule::Plain), r.plain);
    EXPECT_EQ(walk(r.text, Rule::PlainWithin), r.plain);
    EXPECT_EQ(walk(r.text, Rule::Pair), r.pair);
}

INSTANTIATE_TEST_SUITE_P(
    SjisWalk, WalkRules,
    ::testing::Values(
        StepRow{"DoubleByteThenAscii", bytes({0x82, 0xA0, 'x'}), {2, 1}, {2, 1}, {2, 1}},
        StepRow{"TrailByteIsABackslash", bytes({0x83, 0x5C, 'x'}), {2, 1}, {2, 1}, {2, 1}},
        StepRow{"LeadBeforeCr", bytes({0x82, 0x0D, 'a'}), {1, 1, 1}, {2, 1}, {1, 1, 1}},
        StepRow{"LeadBeforeLf", bytes({0xE0, 0x0A}), {1, 1}, {2}, {1, 1}},
        StepRow{"LeadBeforeFf", bytes({0x9F, 0x0C}), {1, 1}, {2}, {1, 1}},
        StepRow{"LeadAtTheEnd", bytes({'a', 0x82}), {1, 1}, {1, 1}, {1, 1}},
        StepRow{"LeadTakesALeadValue", bytes({0x82, 0x82, 0xA0}), {2, 1}, {2, 1}, {2, 1}},
        StepRow{"InvalidTrail7F", bytes({0x82, 0x7F}), {2}, {2}, {1, 1}},
        StepRow{"InvalidTrailBlank", bytes({0x81, 0x20}), {2}, {2}, {1, 1}},
        StepRow{"HalfWidthKanaAreSingle", bytes({0xB1, 0xDF, 0xA1}), {1, 1, 1}, {1, 1, 1}, {1, 1, 1}},
        StepRow{"EdgesOfTheLeadRanges", bytes({0x80, 0x81, 0x40, 0xA0, 0xFC, 0xFC, 0xFD}), {1, 2, 1, 2, 1},
                {1, 2, 1, 2, 1}, {1, 2, 1, 2, 1}}),
    [](const ::testing::TestParamInfo<StepRow>& info) { return std::string(info.param.name); });

TEST(SjisWalk, TrailBytesAreThePairRulesSecondBytes) {
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const bool trail = (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
        EXPECT_EQ(sjis::isTrailByte(uint8_t(b)), trail);
        EXPECT_EQ(sjis::plainCharLength(uint8_t(b)), sjis::isLeadByte(uint8_t(b)) ? 2 : 1);
    }
}

TEST(SjisWalk, LoneLeadBytes) {
    EXPECT_TRUE(sjis::isLoneLead(u8(bytes({0x82, 0x0D}))));
    EXPECT_TRUE(sjis::isLoneLead(u8(bytes({0x82}))));  // before the terminator
    EXPECT_FALSE(sjis::isLoneLead(u8(bytes({0x82, 'a'}))));
    EXPECT_FALSE(sjis::isLoneLead(u8(bytes({'a', 0x0D}))));

    struct Row {
        std::string text;
        bool lone;
    } rows[] = {{"", false},
                {bytes({0x82}), true},
                {bytes({'a', 0x82}), true},
                {bytes({0x82, 0xA0}), false},
                {bytes({0x82, 0x82}), false},
                {bytes({0x82, 0x82, 0x82}), true},
                {bytes({0x82, 0x0D}), false},  // alone, but not the last character
                {bytes({0x82, 0x0D, 0x82}), true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::PrintToString(r.text));
        EXPECT_EQ(sjis::endsInLoneLead(r.text.data(), ptrdiff_t(r.text.size())), r.lone);
    }
}

TEST(SjisWalk, AdvanceCountsTabsDoubleBytesAndLoneLeads) {
    const std::string s = bytes({'a', '\t', 0x82, 0xA0, 0xB1, 0x82, 0x0D});
    const uint8_t* p = u8(s);
    EXPECT_EQ(sjis::advance(p + 0, 3, 4), 4);
    EXPECT_EQ(sjis::advance(p + 1, 4, 4), 8);  // a TAB at a stop goes to the next one
    EXPECT_EQ(sjis::advance(p + 1, 5, 4), 8);
    EXPECT_EQ(sjis::advance(p + 2, 3, 4), 5);
    EXPECT_EQ(sjis::advance(p + 4, 3, 4), 4);  // half-width katakana: one column
    EXPECT_EQ(sjis::advance(p + 5, 3, 4), 4);  // a lead byte before CR: one column
}

TEST(SjisWalk, CharStartNeverLandsOnATrailByte) {
    // あ, then ソ whose trail byte is 0x5C, then a lead byte before CR.
    const std::string s = bytes({0x82, 0xA0, 0x83, 0x5C, 0x82, 0x0D, 'x'});
    const uint8_t* p = u8(s);
    EXPECT_EQ(sjis::charStartFrom(p, 0, 1), 0u);
    EXPECT_EQ(sjis::charStartFrom(p, 0, 3), 2u);
    EXPECT_EQ(sjis::charStartFrom(p, 2, 3), 2u);
    EXPECT_EQ(sjis::charStartFrom(p, 0, 4), 4u);
    EXPECT_EQ(sjis::charStartFrom(p, 0, 5), 5u);  // the CR is not taken into the lead byte
}

// Whether a byte starts a character, found from a known boundary by the
// lead-run parity, must agree with a forward walk from that boundary, also
// over broken text full of lead-byte values and line ends.
TEST(SjisWalk, ParityAgreesWithAForwardWalk) {
    const uint8_t alphabet[] = {'a', 0x0D, 0x0A, 0x0C, 0x82, 0x9F, 0xE0, 0xFC, 0x5C, 0xA0, 0x40, 0x81};
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string s(size_t(rng() % 40), ' ');
        for (char& c : s) c = char(alphabet[rng() % sizeof alphabet]);
        const uint8_t* p = u8(s);
        const auto n = ptrdiff_t(s.size());
        std::vector<ptrdiff_t> starts;
        for (ptrdiff_t i = 0; i < n; i += sjis::step(p + i)) starts.push_back(i);
        for (size_t k = 0; k < starts.size(); ++k) {
            const ptrdiff_t from = starts[k];
            for (ptrdiff_t at = from; at < n; ++at) {
                const bool expected = std::find(starts.begin(), starts.end(), at) != starts.end();
                ASSERT_EQ(sjis::isCharStart(p, from, at), expected) << testing::PrintToString(s) << " at " << at;
                ASSERT_EQ(sjis::charStartFrom(p, size_t(from), size_t(at)),
                          size_t(*(std::upper_bound(starts.begin(), starts.end(), at) - 1)));
            }
            if (k + 1 < starts.size()) {
                const ptrdiff_t end = starts[k + 1] + sjis::step(p + starts[k + 1]);
                ASSERT_EQ(sjis::previousCharStart(p, from, end), starts[k + 1]) << testing::PrintToString(s);
            }
        }
    }
}

}  // namespace
