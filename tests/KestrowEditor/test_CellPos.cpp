#include "KestrowEditor/CellPos.hpp"
#include "KestrowEditor/CellRect.hpp"
#include "KestrowEditor/GridSelection.hpp"
#include "TestTables.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <unordered_set>

using namespace KestrowEditor;

TEST(CellPos, ColumnNamesAreBijectiveBase26)
{
    const struct {
        int col;
        const char* want;
    } cases[] = {{0, "A"}, {25, "Z"}, {26, "AA"}, {51, "AZ"}, {52, "BA"}, {701, "ZZ"}, {702, "AAA"}, {-1, ""}, {-7, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.col);
        EXPECT_EQ(CellPos::columnName(c.col), c.want);
    }
}

TEST(CellPos, DescriptionAndRowMajorOrder)
{
    EXPECT_EQ(CellPos(0, 0).description(), "A1");
    EXPECT_EQ(CellPos(9, 27).description(), "AB10");
    EXPECT_EQ(CellPos(2, 1).description(), "B3");
    EXPECT_TRUE(CellPos(1, 9) < CellPos(2, 0));
    EXPECT_FALSE(CellPos(2, 0) < CellPos(2, 0));
    EXPECT_TRUE(CellPos(2, 0) < CellPos(2, 1));
    std::unordered_set<CellPos> set{{1, 2}, {2, 1}, {1, 2}};
    EXPECT_EQ(set.size(), 2u);
}

TEST(CellRect, InitialisersNormaliseAndCountSpansBelowOneAsOne)
{
    const CellRect r(CellPos(5, 1), CellPos(2, 3));
    EXPECT_EQ(r, CellRect::fromSpan(2, 1, 4, 3));
    EXPECT_EQ(r.rowCount(), 4);
    EXPECT_EQ(r.colCount(), 3);
    EXPECT_EQ(r.origin(), CellPos(2, 1));

    const CellRect single = CellRect::fromSpan(2, 3, 0, -4);
    EXPECT_TRUE(single.isSingle());
    EXPECT_EQ(single, CellRect(CellPos(2, 3), CellPos(2, 3)));

    // A corrupt span reaching past the int range stops at its end instead of wrapping.
    const CellRect far = CellRect::fromSpan(INT_MAX - 1, 0, INT_MAX, 1);
    EXPECT_EQ(far.maxRow, INT_MAX);
    EXPECT_GE(far.maxRow, far.minRow);
}

TEST(CellRect, ContainmentIntersectionAndUnion)
{
    const CellRect a = CellRect::fromSpan(0, 0, 2, 2);  // rows 0-1
    const CellRect edge = CellRect::fromSpan(1, 0, 2, 2);  // shares row 1
    const CellRect apart = CellRect::fromSpan(3, 0, 1, 2);  // one row away
    EXPECT_TRUE(a.intersects(edge));
    EXPECT_TRUE(edge.intersects(a));
    EXPECT_FALSE(a.intersects(apart));
    EXPECT_TRUE(a.contains(a));
    EXPECT_EQ(a.unite(a), a);
    EXPECT_FALSE(a.contains(edge));
    EXPECT_EQ(a.unite(apart), CellRect::fromSpan(0, 0, 4, 2));
    EXPECT_TRUE(a.contains(CellPos(1, 1)));
    EXPECT_FALSE(a.contains(CellPos(2, 1)));
}

TEST(GridSelection, RectIsTheRawRectangleBetweenTheEnds)
{
    const GridSelection s(CellPos(4, 0), CellPos(1, 2));
    EXPECT_EQ(s.rect(), CellRect(CellPos(1, 0), CellPos(4, 2)));
    EXPECT_EQ(GridSelection(CellPos(3, 3)).rect().isSingle(), true);
}
