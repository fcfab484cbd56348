// Randomized rows of arbitrary bytes (broken double-byte characters,
// tabs, delimiters, URL and mail characters) with random options and
// selections: the displayed cells and the runs keep their invariants.
#include <gtest/gtest.h>

#include <random>

#include "RenderTestSupport.h"
#include "common/codepage/ShiftJis.h"
#include "display/ColumnWalk.h"
#include "display/RowRuns.h"

namespace orvex {
namespace {

uint8_t randomByte(std::mt19937& rng) {
    static const uint8_t kInteresting[] = {'\t', ':', '/', '@', '.', 'h', 't', 'p', 'i', 'f', ' ', '(', ')',
                                           '*', 0x81, 0x40, 0x82, 0xA0, 0x83, 0x41, 0xB1, 0xE0, 0xFC, 0x7F};
    std::uniform_int_distribution<int> pick(0, 3);
    if (pick(rng) == 0) return uint8_t(std::uniform_int_distribution<int>(1, 255)(rng));
    return kInteresting[std::uniform_int_distribution<size_t>(0, sizeof kInteresting - 1)(rng)];
}

TEST(RandomRows, CellsAndRunsKeepTheirInvariants) {
    std::mt19937 rng(20240607);
    test::RowFixture f;
    f.keywords.setWord(40, "http");
    f.keywords.setWord(41, test::sjis("ア"));
    RowRuns runs;
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::string content;
        const int len = std::uniform_int_distribution<int>(0, 120)(rng);
        for (int i = 0; i < len; ++i) {
            uint8_t b = randomByte(rng);
            if (b == '\r' || b == '\n' || b == '\f' || b == 0) b = ' ';
            content.push_back(char(b));
        }
        f.options.tabDisp = rng() & 1;
        f.options.dspcDisp = rng() & 1;
        f.options.tabDispCode = (rng() & 1) ? test::sjis("→") : std::string(1, char(randomByte(rng)));
        f.options.dblSpc = std::string(1, char(randomByte(rng))) + char(randomByte(rng));
        f.options.urlKanji = rng() & 1;
        f.view.caretRow = int32_t(rng() % 2);
        f.view.highlight = (rng() & 1) ? "ht" : "";
        SelectionPoints& s = f.view.selection;
        s.active = rng() & 1;
        s.box = rng() & 1;
        s.startRow = 0;
        s.endRow = int32_t(rng() % 2);
        s.startByte = int32_t(rng() % 130);
        s.endByte = int32_t(rng() % 130);
        s.left = int32_t(rng() % 140);
        s.right = int32_t(rng() % 140);
        const int tab = int(1 + rng() % 8);
        const auto end = test::RowFixture::End(rng() % 4);
        f.comments.clear();
        if (len > 0) {
            const int32_t a = int32_t(rng() % uint32_t(len)), b = int32_t(rng() % uint32_t(len + 1));
            f.comments.push_back({std::min(a, b), std::max(a, b)});
        }
        const RowAttributes& row = f.buildSjis(content, end, rowflag::kCommentDelimiter, 0, tab);

        SCOPED_TRACE(iteration);
        const auto* p = reinterpret_cast<const uint8_t*>(content.data());
        const int32_t width = displayWidth(p, int32_t(content.size()), tab);
        ASSERT_EQ(row.contentColumns(), width);
        ASSERT_EQ(row.columns(), width + (end == test::RowFixture::End::Wrapped ? 0 : 1));
        const std::string_view cells = row.cells();
        for (int32_t c = 0; c < row.columns(); ++c) {
            const auto b = uint8_t(cells[size_t(c)]);
            ASSERT_NE(b, '\t');
            ASSERT_LE(row.attribute(c) & attr::kCodeMask, attr::kLastCode);
            if (row.kind(c) == RowAttributes::kLead) {
                ASSERT_LT(c + 1, row.columns());
                ASSERT_EQ(row.kind(c + 1), RowAttributes::kTrail);
                ASSERT_EQ(row.attribute(c), row.attribute(c + 1)) << c;
                ASSERT_TRUE(sjis::isLeadByte(b));
                const auto t = uint8_t(cells[size_t(c + 1)]);
                ASSERT_TRUE(t >= 0x40 && t <= 0xFC && t != 0x7F) << c;
            } else if (row.kind(c) != RowAttributes::kTrail) {
                ASSERT_FALSE(sjis::isLeadByte(b)) << c;  // never a lone lead byte
            }
        }

        const int32_t left = int32_t(rng() % 130), visible = int32_t(rng() % 90);
        runs.build(row, f.colours, left, visible);
        int32_t next = -1;
        for (const AttrRun& r : runs.runs()) {
            ASSERT_GT(r.length, 0);
            ASSERT_NE(row.kind(r.cell), RowAttributes::kTrail);
            ASSERT_NE(row.kind(r.cell + r.length - 1), RowAttributes::kLead);
            ASSERT_EQ(r.column, r.cell - left);
            ASSERT_GE(r.column, -1);
            if (next >= 0) {
                ASSERT_EQ(r.cell, next);
            }
            next = r.cell + r.length;
        }
        if (left < row.columns() && visible > 0) {
            ASSERT_FALSE(runs.runs().empty());
            ASSERT_LE(runs.runs().front().cell, left);
            ASSERT_GE(next, std::min(row.columns(), left + visible));
        } else {
            ASSERT_TRUE(runs.runs().empty());
        }
    }
}

}  // namespace
}  // namespace orvex
