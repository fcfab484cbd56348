// Keywords, URLs, mail addresses and search-highlight occurrences in one
// row's bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RenderTestSupport.h"
#include "display/HighlightScanner.h"
#include "display/KeywordMatcher.h"
#include "display/LinkScanner.h"
#include "settings/KeywordStore.h"

namespace orvex {
namespace {

using test::sjis;

const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// The found stretches of a row as the strings they cover, in UTF-8.
std::vector<std::string> texts(const std::string& row, const std::vector<ByteSpan>& spans) {
    std::vector<std::string> out;
    for (const ByteSpan& s : spans) out.push_back(cp932::toUtf8(row.substr(size_t(s.begin), size_t(s.end - s.begin))));
    return out;
}

// ---- Keywords

class KeywordScan : public ::testing::Test {
protected:
    KeywordScan() {
        for (int slot = 0; slot < settings::kKeywordSlots; ++slot) store.setWord(slot, "");
    }
    // Keywords found in UTF-8 text, as "word:code".
    std::vector<std::string> scan(std::string_view utf8, std::array<bool, 8> groups = {true, true, true, true, true,
                                                                                        true, true, true}) {
        const std::string row = sjis(utf8);
        KeywordMatcher m(store, groups);
        std::vector<KeywordHit> hits;
        m.scan(bytesOf(row), int32_t(row.size()), hits);
        std::vector<std::string> out;
        for (const KeywordHit& h : hits)
            out.push_back(cp932::toUtf8(row.substr(size_t(h.begin), size_t(h.end - h.begin))) + ":" +
                          std::to_string(h.code));
        return out;
    }
    void set(int slot, std::string_view utf8) { store.setWord(slot, sjis(utf8)); }

    settings::KeywordStore store;
};

using Words = std::vector<std::string>;

TEST_F(KeywordScan, AWordKeywordNeedsAWordBoundaryAfterIt) {
    set(0, "if");
    EXPECT_EQ(scan("if(x)"), Words{"if:4"});
    EXPECT_EQ(scan("ifdef"), Words{});
    EXPECT_EQ(scan("_if"), Words{});
    EXPECT_EQ(scan("x if y"), Words{"if:4"});
    EXPECT_EQ(scan("if"), Words{"if:4"});          // the row's end is a boundary
    EXPECT_EQ(scan("if;if_ if"), Words({"if:4", "if:4"}));
    EXPECT_EQ(scan("5if"), Words{});                // inside a run of class 1
    EXPECT_EQ(scan("文if文"), Words{"if:4"});      // double-byte neighbours are no word characters
}

TEST_F(KeywordScan, ComparisonIsCaseSensitive) {
    set(0, "if");
    EXPECT_EQ(scan("If IF iF"), Words{});
}

TEST_F(KeywordScan, KeywordsEndingInOtherClassesNeedNoBoundary) {
    set(0, "#if");
    set(1, "#ifdef");
    set(2, "->");
    // "#if" is tried first but needs a boundary after its "f".
    EXPECT_EQ(scan("#ifdef X"), Words{"#ifdef:4"});
    EXPECT_EQ(scan("#if X"), Words{"#if:4"});
}

TEST_F(KeywordScan, SymbolKeywordsMatchRightAfterAWord) {
    set(0, "->");
    // The run "a" is skipped, then "->" begins at a scan position.
    EXPECT_EQ(scan("a->b"), Words{"->:4"});
}

TEST_F(KeywordScan, HalfWidthKanaFormRunsToo) {
    set(0, "ｱｲ");
    EXPECT_EQ(scan("ｱｲ ｱｲｳ ｳｱｲ ｱｲa"), Words({"ｱｲ:4", "ｱｲ:4"}));
}

TEST_F(KeywordScan, DoubleByteKeywordsMatchAtCharacterBoundariesOnly) {
    set(0, "注意");
    set(1, "A");  // 0x41 is also the trail byte of ア (0x83 0x41)
    EXPECT_EQ(scan("要注意事項"), Words{"注意:4"});
    EXPECT_EQ(scan("アA"), Words{"A:4"});
}

TEST_F(KeywordScan, GroupOrderDecidesAndDisabledGroupsAreSkipped) {
    set(40, "while");  // group 2
    set(80, "whi");    // group 3, ends in class 1: not inside "while"
    set(0, "wh");
    set(120, "while");  // group 4
    EXPECT_EQ(scan("while"), Words{"while:7"});
    EXPECT_EQ(scan("while", {true, false, true, true, false, false, false, false}), Words{"while:9"});
    set(200, "do");  // group 6
    set(280, "end"); // group 8
    EXPECT_EQ(scan("do end"), Words({"do:17", "end:19"}));
}

TEST_F(KeywordScan, AMatchIsNotScannedAgain) {
    set(0, "ab");
    set(1, "b+");
    set(2, "+");
    EXPECT_EQ(scan("ab+"), Words({"ab:4", "+:4"}));
}

// ---- URLs

TEST(UrlScan, KeepsTheFinalPeriodAndStopsBeforeAParenthesis) {
    const std::string row = sjis("See http://example.com/a.html. And (https://x.org/p) too");
    std::vector<ByteSpan> spans;
    findUrls(bytesOf(row), int32_t(row.size()), true, spans);
    EXPECT_EQ(texts(row, spans), Words({"http://example.com/a.html.", "https://x.org/p"}));
}

TEST(UrlScan, SchemesAndTheirCase) {
    const std::string row = sjis("FTP://a File://b HtTpS://c gopher://d ://e tp://f");
    std::vector<ByteSpan> spans;
    findUrls(bytesOf(row), int32_t(row.size()), true, spans);
    EXPECT_EQ(texts(row, spans), Words({"FTP://a", "File://b", "HtTpS://c"}));
}

TEST(UrlScan, StopsAtCharactersOutsideTheUrlClass) {
    const std::string row = sjis("http://a\"b http://c,d http://e;f http://g<h http://i|j http://k*l http://m n");
    std::vector<ByteSpan> spans;
    findUrls(bytesOf(row), int32_t(row.size()), true, spans);
    EXPECT_EQ(texts(row, spans),
              Words({"http://a", "http://c", "http://e", "http://g", "http://i", "http://k", "http://m"}));
    spans.clear();
    const std::string symbols = "http://a!#$%&'+=[]^`{}~-._@/:?\\z end";
    findUrls(bytesOf(symbols), int32_t(symbols.size()), true, spans);
    EXPECT_EQ(texts(symbols, spans), Words{"http://a!#$%&'+=[]^`{}~-._@/:?\\z"});
}

TEST(UrlScan, DoubleByteCharactersNeedUrlKanjiOrTheFileScheme) {
    const std::string row = sjis("http://日本.jp/ページ file://資料/表.txt");
    std::vector<ByteSpan> spans;
    findUrls(bytesOf(row), int32_t(row.size()), true, spans);
    EXPECT_EQ(texts(row, spans), Words({"http://日本.jp/ページ", "file://資料/表.txt"}));
    spans.clear();
    findUrls(bytesOf(row), int32_t(row.size()), false, spans);
    EXPECT_EQ(texts(row, spans), Words({"http://", "file://資料/表.txt"}));
    // Half-width katakana is neither URL class nor double-byte.
    const std::string kana = sjis("http://aｱb");
    spans.clear();
    findUrls(bytesOf(kana), int32_t(kana.size()), true, spans);
    EXPECT_EQ(texts(kana, spans), Words{"http://a"});
}

TEST(UrlScan, TheSchemeMustNotBeATrailByteOrPartOfTheLastUrl) {
    // 0x82 0x68 is one double-byte character whose second byte looks like "h".
    const std::string row = std::string("\x82h") + "ttp://a";
    std::vector<ByteSpan> spans;
    findUrls(bytesOf(row), int32_t(row.size()), true, spans);
    EXPECT_TRUE(spans.empty());
    // "http://a" runs on to "http://b" (both URL class); the second "://"
    // has its scheme inside the first URL and starts nothing new.
    const std::string two = "http://ahttp://b";
    findUrls(bytesOf(two), int32_t(two.size()), true, spans);
    EXPECT_EQ(texts(two, spans), Words{"http://ahttp://b"});
}

// ---- Mail addresses

TEST(MailScan, FindsAddresses) {
    const std::string row = sjis("連絡先:taro.yamada@example.co.jp、 b-c_d@x.org");
    std::vector<ByteSpan> spans;
    findMailAddresses(bytesOf(row), int32_t(row.size()), spans);
    EXPECT_EQ(texts(row, spans), Words({"taro.yamada@example.co.jp", "b-c_d@x.org"}));
}

TEST(MailScan, TheFirstAtThatFormsNoAddressEndsTheRow) {
    const std::string row = "meet @home then a@b.c";
    std::vector<ByteSpan> spans;
    findMailAddresses(bytesOf(row), int32_t(row.size()), spans);
    EXPECT_TRUE(spans.empty());  // empty local part
    const std::string noDot = "x@localhost then a@b.c";
    findMailAddresses(bytesOf(noDot), int32_t(noDot.size()), spans);
    EXPECT_TRUE(spans.empty());  // no "." in the domain
    const std::string second = "a@b@c.d e@f.g";
    findMailAddresses(bytesOf(second), int32_t(second.size()), spans);
    EXPECT_TRUE(spans.empty());  // a second "@" before the "."
    const std::string later = "a@b.c x@y z@w.v";
    findMailAddresses(bytesOf(later), int32_t(later.size()), spans);
    EXPECT_EQ(texts(later, spans), Words{"a@b.c"});
}

TEST(MailScan, TheDomainRunsOverLaterAtSignsAndPeriods) {
    const std::string row = "a@b.c@d. e";
    std::vector<ByteSpan> spans;
    findMailAddresses(bytesOf(row), int32_t(row.size()), spans);
    EXPECT_EQ(texts(row, spans), Words{"a@b.c@d."});
}

TEST(MailScan, TheLocalPartNeverTakesATrailByte) {
    // ア is 0x83 0x41: its second byte looks like "A".
    const std::string row = sjis("アb@c.d");
    std::vector<ByteSpan> spans;
    findMailAddresses(bytesOf(row), int32_t(row.size()), spans);
    EXPECT_EQ(texts(row, spans), Words{"b@c.d"});
}

// ---- Search highlight

TEST(HighlightScan, CaseAndOverlap) {
    const std::string row = "Foo foo FOO";
    std::vector<ByteSpan> spans;
    findOccurrences(bytesOf(row), int32_t(row.size()), "foo", true, spans);
    EXPECT_EQ(spans, (std::vector<ByteSpan>{{4, 7}}));
    spans.clear();
    findOccurrences(bytesOf(row), int32_t(row.size()), "foo", false, spans);
    EXPECT_EQ(spans, (std::vector<ByteSpan>{{0, 3}, {4, 7}, {8, 11}}));
    spans.clear();
    const std::string aaa = "aaaa";
    findOccurrences(bytesOf(aaa), int32_t(aaa.size()), "aa", true, spans);
    EXPECT_EQ(spans, (std::vector<ByteSpan>{{0, 2}, {1, 3}, {2, 4}}));
}

TEST(HighlightScan, DoubleByteCharactersAreNeverSplitOrFolded) {
    const std::string row = sjis("アaＡ日本");  // ア = 0x83 0x41
    std::vector<ByteSpan> spans;
    findOccurrences(bytesOf(row), int32_t(row.size()), "A", false, spans);
    EXPECT_EQ(texts(row, spans), Words{"a"});
    spans.clear();
    findOccurrences(bytesOf(row), int32_t(row.size()), sjis("日本"), false, spans);
    EXPECT_EQ(texts(row, spans), Words{"日本"});
    spans.clear();
    findOccurrences(bytesOf(row), int32_t(row.size()), "", false, spans);
    EXPECT_TRUE(spans.empty());
    // Half-width katakana are single bytes outside ASCII: never folded.
    const std::string kana = sjis("ﾀﾁ");
    findOccurrences(bytesOf(kana), int32_t(kana.size()), sjis("ﾀ"), false, spans);
    EXPECT_EQ(spans, (std::vector<ByteSpan>{{0, 1}}));
}

TEST(HighlightScan, ByteComparisonStillRespectsCharacters) {
    const std::string row = sjis("アA");  // 0x83 0x41 0x41
    std::vector<ByteSpan> spans;
    findOccurrences(bytesOf(row), int32_t(row.size()), "A", true, spans);
    EXPECT_EQ(spans, (std::vector<ByteSpan>{{2, 3}}));
    spans.clear();
    // A needle ending in a lone lead byte never matches a whole character.
    findOccurrences(bytesOf(row), int32_t(row.size()), "\x83", true, spans);
    EXPECT_TRUE(spans.empty());
    findOccurrences(bytesOf(row), int32_t(row.size()), "\x83", false, spans);
    EXPECT_TRUE(spans.empty());
}

TEST(HighlightScan, ANeedleLongerThanTheRowFindsNothing) {
    const std::string row = "ab";
    std::vector<ByteSpan> spans;
    findOccurrences(bytesOf(row), int32_t(row.size()), "abc", false, spans);
    EXPECT_TRUE(spans.empty());
}

}  // namespace
}  // namespace orvex
