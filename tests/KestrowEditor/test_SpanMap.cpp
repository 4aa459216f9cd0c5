#include "KestrowEditor/SpanMap.hpp"

#include "TestTables.hpp"

#include "VozudOzev/Model/VozudOzevError.hpp"

#include <gtest/gtest.h>

using namespace KestrowEditor;
using namespace TestTables;

TEST(SpanMap, FirstCoverInListOrderWinsAndClipsToTheGrid)
{
    const Table t = table(5, 3,
                          {
                              cell(0, 0, "wide", 1, 2),    // 0
                              cell(0, 1, "under"),         // 1: hidden under 0
                              cell(3, 2, "tall", 4, 1),    // 2: rows 3-4 only
                              cell(-1, 0, "above", 2, 1),  // 3: row 0 is taken, so nothing
                              cell(-1, 1, "above", 3, 1),  // 4: row 1 only (row 0 is taken)
                              cell(9, 9, "outside"),       // 5: no trace
                          });
    const SpanMap m(t);
    EXPECT_EQ(m.rows(), 5);
    EXPECT_EQ(m.cols(), 3);
    const struct {
        int row, col;
        std::optional<int> want;
    } cases[] = {
        {0, 0, 0}, {0, 1, 0}, {0, 2, std::nullopt}, {1, 0, std::nullopt}, {1, 1, 4},
        {2, 1, std::nullopt}, {3, 2, 2}, {4, 2, 2}, {-1, 0, std::nullopt}, {5, 0, std::nullopt},
        {0, 3, std::nullopt}, {0, -1, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.col));
        EXPECT_EQ(m.index(c.row, c.col), c.want);
    }
}

TEST(SpanMap, EmptyGridsHaveNoSlots)
{
    for (const Table& t : {table(0, 4, {cell(0, 0, "x")}), table(3, 0), table(-2, -2)}) {
        const SpanMap m(t);
        EXPECT_EQ(m.index(0, 0), std::nullopt);
        EXPECT_GE(m.rows(), 0);
        EXPECT_GE(m.cols(), 0);
    }
}

TEST(SpanMap, RefusesAnAbsurdGridInsteadOfAllocatingIt)
{
    EXPECT_THROW(SpanMap(table(1'000'000'000, 1'000'000'000)), VozudOzev::VozudOzevError);
    EXPECT_THROW(SpanMap(table(static_cast<int>(SpanMap::maxSlots) + 1, 1)), VozudOzev::VozudOzevError);
}
