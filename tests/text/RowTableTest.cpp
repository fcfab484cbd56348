// The row table against a plain vector: the gap and the lazily applied
// shift must never show.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "text/RowTable.h"

using namespace orvex;

namespace {

RowBuffer buffer(const std::vector<Row>& rows) {
    RowBuffer b;
    for (const Row& r : rows) b.push_back(r);
    return b;
}

TEST(RowTable, MatchesAPlainVectorUnderRandomReplacements) {
    std::mt19937 rng(7);
    RowTable table;
    std::vector<Row> model;
    for (int i = 0; i < 50; ++i) model.push_back(Row{i, i * 10, 10, 10, i % 3});
    table.adopt(buffer(model));
    table.setGrowthStep(16);
    for (int step = 0; step < 4000; ++step) {
        const int32_t n = int32_t(model.size());
        const int32_t first = n ? int32_t(rng() % uint32_t(n)) : 0;
        const int32_t remove = std::min<int32_t>(int32_t(rng() % 4), n - first);
        const int32_t add = int32_t(rng() % 4);
        const int32_t dl = int32_t(rng() % 5) - 2, db = int32_t(rng() % 41) - 20;
        std::vector<Row> fresh;
        for (int32_t k = 0; k < add; ++k) fresh.push_back(Row{step, step * 3 + k, k + 1, k + 2, k});
        model.erase(model.begin() + first, model.begin() + first + remove);
        model.insert(model.begin() + first, fresh.begin(), fresh.end());
        for (size_t k = size_t(first + add); k < model.size(); ++k) {
            model[k].line += dl;
            model[k].offset += db;
        }
        table.replace(first, remove, fresh.data(), add, dl, db);
        if (rng() % 7 == 0 && !model.empty()) {
            const int32_t r = int32_t(rng() % model.size());
            model[size_t(r)].flags ^= 0x2;
            table.setFlags(r, table.flags(r) ^ 0x2);
        }
        ASSERT_EQ(table.size(), int32_t(model.size())) << step;
        ASSERT_EQ(table.snapshot(), model) << step;
        if (model.empty()) {
            model.push_back(Row{0, 0, 1, 1, 0});
            table.replace(0, 0, model.data(), 1, 0, 0);
        }
    }
    EXPECT_EQ(table.countRowsWith(0x2), int32_t(std::count_if(model.begin(), model.end(),
                                                              [](const Row& r) { return r.flags & 0x2; })));
    table.clearFlagBits(0x3);
    for (int32_t r = 0; r < table.size(); ++r) EXPECT_EQ(table.flags(r) & 0x3, 0);
}

TEST(RowTable, RepeatedEditsInOnePlaceShiftNothingEagerly) {
    RowTable table;
    std::vector<Row> rows;
    for (int i = 0; i < 1000; ++i) rows.push_back(Row{i, i * 5, 5, 5, 0});
    table.adopt(buffer(rows));
    const Row line{10, 50, 6, 6, 0};
    for (int k = 1; k <= 100; ++k) {
        const Row grown{10, 50, 5 + k, 5 + k, 0};
        table.replace(10, 1, &grown, 1, 0, 1);
        EXPECT_EQ(table.at(999).offset, 999 * 5 + k);
        EXPECT_EQ(table.offset(11), 55 + k);
    }
    (void)line;
    EXPECT_EQ(table.at(10).length, 105);
    EXPECT_EQ(table.line(500), 500);
}

TEST(RowTable, GrowsInSteps) {
    RowTable table;
    table.adopt(buffer({Row{0, 0, 1, 1, 0}}));
    table.setGrowthStep(1024);
    const Row r{0, 0, 1, 1, 0};
    table.replace(0, 0, &r, 1, 1, 1);
    const size_t first = table.capacity();
    EXPECT_GE(first, 2u);
    EXPECT_LE(first, 1025u);
    for (int i = 0; i < 1023; ++i) table.replace(0, 0, &r, 1, 1, 1);
    EXPECT_EQ(table.capacity(), 1025u);  // one step of 1024 beyond the first record
    table.replace(0, 0, &r, 1, 1, 1);
    EXPECT_EQ(table.capacity(), 2049u);
}

}  // namespace
