// The skip by pieces (stretches of text without one of the pattern's
// literal pieces are passed over) finds exactly what the plain search finds,
// start by start: random patterns, options, ranges and edge contexts over
// random texts of ASCII, double-byte characters whose trail bytes equal
// ASCII bytes, lone lead bytes and every kind of line end.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "search/PatternMatcher.h"

using namespace orvex;
using namespace orvex::search;

namespace {

Subject subjectOf(const std::string& s) { return Subject{reinterpret_cast<const uint8_t*>(s.data()), int32_t(s.size())}; }

class RandomPatterns : public ::testing::Test {
protected:
    std::mt19937 rng{20261208};
    int pick(int n) { return int(rng() % uint32_t(n)); }

    // Bytes the texts and patterns share: ASCII, double-byte characters
    // whose trail is "A", "@", "\", a lead-byte value or a full-width
    // letter of either case, and a lead byte that may stand alone.
    static constexpr const char* kTextPieces[] = {
        "a",        "b",        "A",        "B",        "ab",       "@",        "\\",     "_",
        " ",        "0",        "1",        "\x83\x41", "\x83\x40", "\x95\x5c", "\x82\x60", "\x82\x81",
        "\x82\xa0", "\x88\x9f", "\x9f\x88", "\r\n",     "\r",       "\n",       "\x0c",   "\r\n\n",
        "\x83",     "ba",       "a@",       "\x83\x41\x83\x40"};

    std::string randomText() {
        std::string s;
        const int kinds = int(std::size(kTextPieces));
        // Now and then a text longer than a backward slice, with long lines.
        const int n = pick(40) == 0 ? 20000 + pick(20000) : pick(300);
        const int lineEvery = 1 + pick(200);
        for (int i = 0; i < n; ++i) {
            const char* piece = kTextPieces[pick(kinds)];
            // Long texts: fewer line ends, so that lines are long too.
            if (n > 1000 && (piece[0] == '\r' || piece[0] == '\n' || piece[0] == '\x0c') && pick(lineEvery) != 0)
                continue;
            s += piece;
        }
        return s;
    }

    std::string randomRegex() {
        static const char* atoms[] = {
            "a",        "b",        "A",        "ab",       "@",        "\\\\",     "_",        "0",
            "\x83\x41", "\x83\x40", "\x95\x5c", "\x82\x60", "\x82\x81", "\x82\xa0", "\x88\x9f", ".",
            "*",        "+",        "[ab]",     "[^a]",     "[0-9@]",   "\\n",      "\\<",      "\\>",
            "\\x41",    "\\f",      "a@",       "\x83\x41\x83\x40", "[\x82\xa0-\x83\x96]", "\\\x83\x40", "ba",
            "\x83"};
        std::string s;
        if (pick(5) == 0) s += "^";
        const int n = 1 + pick(4);
        for (int i = 0; i < n; ++i) s += atoms[pick(int(std::size(atoms)))];
        if (pick(5) == 0) s += "$";
        return s;
    }

    // A pattern drawn from the text itself, so that it often matches: a
    // few of its characters (special ones escaped) with operators between.
    std::string regexFromText(const std::string& text) {
        const Subject s = subjectOf(text);
        if (s.length == 0) return randomRegex();
        static const char* between[] = {"", "", "", ".*", ".", "*", "+", "[^a]", "[ab]*", "\\>", "\\<"};
        std::string out;
        int32_t p = boundaryAtOrBelow(s, pick(s.length));
        const int n = 1 + pick(4);
        for (int i = 0; i < n && p < s.length; ++i) {
            const int len = s.charLength(p);
            const char c = text[size_t(p)];
            if (len == 1 && (c == '\\' || c == '.' || c == '*' || c == '+' || c == '[' || c == '^' || c == '$'))
                out += '\\';
            if (c == '\r' || c == '\n') out += "\\n";
            else out.append(text, size_t(p), size_t(len));
            p += len;
            // Skip ahead now and then, so that ".*" has something to cross.
            if (pick(3) == 0)
                for (int k = pick(6); k > 0 && p < s.length; --k) p += s.charLength(p);
            out += between[pick(int(std::size(between)))];
        }
        return out.empty() ? randomRegex() : out;
    }

    std::string literalFromText(const std::string& text) {
        if (text.empty()) return randomLiteral();
        const size_t at = size_t(pick(int(text.size())));
        return text.substr(at, size_t(1 + pick(6)));
    }

    std::string randomLiteral() {
        std::string s;
        const int n = 1 + pick(3);
        for (int i = 0; i < n; ++i) s += kTextPieces[pick(int(std::size(kTextPieces)))];
        return s;
    }

    // A character boundary at or below at, walking from the start.
    static int32_t boundaryAtOrBelow(Subject s, int32_t at) {
        int32_t p = 0;
        while (p < at) {
            const int32_t next = p + s.charLength(p);
            if (next > at) break;
            p = next;
        }
        return p;
    }

    EdgeContext randomEdge() {
        EdgeContext e;
        e.given = pick(3) == 0;
        e.lineEnd = pick(2) == 0;
        e.word = pick(2) == 0;
        return e;
    }
};

// Every match from the range start on, each search starting one character
// after the last match, as the replace loop and the benchmarks do.
std::vector<Match> allMatches(PatternMatcher& m, const SearchRange& r, Subject s) {
    std::vector<Match> out;
    for (int32_t from = r.begin; from <= r.end;) {
        const Match hit = m.findFirst(r, from, r.end);
        if (!hit.found()) break;
        out.push_back(hit);
        if (hit.offset >= s.length) break;
        from = hit.offset + s.charLength(hit.offset);
    }
    return out;
}

TEST_F(RandomPatterns, SkipByPiecesFindsWhatThePlainSearchFinds) {
    const char* env = std::getenv("ORVEX_RANDOM_PATTERN_ROUNDS");
    const int rounds = env ? std::atoi(env) : 50000;
    int skipping = 0, found = 0, absent = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string text = randomText();
        const bool regex = pick(4) != 0;
        const bool fromText = pick(2) == 0;
        const std::string pattern = regex ? (fromText ? regexFromText(text) : randomRegex())
                                          : (fromText ? literalFromText(text) : randomLiteral());
        const PatternOptions options{pick(2) == 0, pick(4) == 0, regex};
        CompiledPattern p;
        if (p.compile(pattern, options) != CompiledPattern::Status::Ok) continue;
        if (p.pieces().empty()) continue;
        ++skipping;

        const Subject s = subjectOf(text);
        SearchRange r;
        r.begin = boundaryAtOrBelow(s, pick(4) == 0 ? pick(s.length + 1) : 0);
        r.end = pick(4) == 0 ? boundaryAtOrBelow(s, pick(s.length + 1)) : s.length;
        if (r.end < r.begin) std::swap(r.begin, r.end);
        r.before = randomEdge();
        r.after = randomEdge();

        PatternMatcher fast(p, s);
        PatternMatcher plain(p, s);
        plain.setSkipByPieces(false);
        const std::string what = "round " + std::to_string(round) + " pattern \"" + pattern + "\" case " +
                                 std::to_string(options.matchCase) + " word " + std::to_string(options.wholeWord) +
                                 " regex " + std::to_string(regex) + " range " + std::to_string(r.begin) + "-" +
                                 std::to_string(r.end) + " text \"" + (text.size() < 400 ? text : "(long)") + "\"";

        const Match fw = fast.findForward(r), pw = plain.findForward(r);
        ASSERT_EQ(fw.offset, pw.offset) << what;
        ASSERT_EQ(fw.length, pw.length) << what;
        const Match fb = fast.findBackward(r), pb = plain.findBackward(r);
        ASSERT_EQ(fb.offset, pb.offset) << what << " backward";
        ASSERT_EQ(fb.length, pb.length) << what << " backward";
        if (pw.found()) ++found;
        else ++absent;

        // From a start inside the range with a start limit short of its end.
        const int32_t from = boundaryAtOrBelow(s, r.begin + pick(r.end - r.begin + 1));
        const int32_t limit = from + pick(r.end - from + 1);
        const Match ff = fast.findFirst(r, from, limit), pf = plain.findFirst(r, from, limit);
        ASSERT_EQ(ff.offset, pf.offset) << what << " from " << from << " limit " << limit;
        ASSERT_EQ(ff.length, pf.length) << what << " from " << from << " limit " << limit;

        if (text.size() < 2000) {
            const std::vector<Match> fa = allMatches(fast, r, s), pa = allMatches(plain, r, s);
            ASSERT_EQ(fa.size(), pa.size()) << what;
            for (size_t k = 0; k < fa.size(); ++k) {
                ASSERT_EQ(fa[k].offset, pa[k].offset) << what << " match " << k;
                ASSERT_EQ(fa[k].length, pa[k].length) << what << " match " << k;
            }
        }
    }
    // The rounds did real work: patterns with pieces, found and not found.
    std::printf("rounds %d, with pieces %d, found %d, absent %d\n", rounds, skipping, found, absent);
    EXPECT_GT(skipping, rounds / 3);
    EXPECT_GT(found, skipping / 6);
    EXPECT_GT(absent, skipping / 4);
}

}  // namespace

namespace {

// A typed pattern takes any byte after a lead byte as its trail, a CR too:
// the literal "\x9c\rz" then matches the bytes of a lone lead byte, a line
// end and "z" in the text. Such a literal is not bounded by a line, so the
// pieces must not limit it to its start's line.
TEST(SkipByPieces, LiteralWithACarriageReturnTrailIsFoundFromItsOwnStart) {
    const std::string text = "   \x9c\rzz \x9cMzz ";
    const Subject s = subjectOf(text);
    for (const bool regex : {false, true}) {
        CompiledPattern p;
        ASSERT_EQ(p.compile("\x9c\rz", {false, false, regex}), CompiledPattern::Status::Ok);
        SearchRange r;
        r.end = s.length;
        PatternMatcher m(p, s);
        const Match whole = m.findFirst(r, 0, r.end);
        EXPECT_EQ(whole.offset, 3) << regex;
        EXPECT_EQ(whole.length, 3) << regex;
        const Match alone = m.findFirst(r, 3, 3);
        EXPECT_EQ(alone.offset, 3) << regex;
        EXPECT_EQ(alone.length, 3) << regex;
    }
}

}  // namespace

namespace {

// The last start allowed may be an LF inside a CR LF LF line end. The
// start at its CR spans the whole line end and one more line, so the
// search for the pieces must look as far as that start's window, not as
// far as a window counted from the LF.
TEST(SkipByPieces, StartLimitInsideACrLfLfLineEndStillReachesTheNextLine) {
    const std::string text = "ab\r\n\n0c\r\n";
    const Subject s = subjectOf(text);
    for (const bool regex : {false, true}) {
        CompiledPattern p;
        ASSERT_EQ(p.compile(regex ? "\\n0" : "\n0", {true, false, regex}), CompiledPattern::Status::Ok);
        SearchRange r;
        r.end = s.length;
        PatternMatcher m(p, s);
        const Match hit = m.findFirst(r, 0, 3);
        EXPECT_EQ(hit.offset, 2) << regex;
        EXPECT_EQ(hit.length, 4) << regex;
    }
}

}  // namespace
