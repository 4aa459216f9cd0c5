#include "KestrowEditor/TableEditing.hpp"
#include "KestrowEditor/TableSnapshot.hpp"

#include "TestTables.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace KestrowEditor;
using namespace TestTables;

TEST(TableSnapshot, GivesBackTheTableWhateverItSharesWith)
{
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> pick(0, 3);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        Table a = randomTable(rng, 30, 12);
        a.index = round;
        a.bbox = BBox{1, 2, 3, 4};
        const auto sa = TableSnapshot::make(a, nullptr);
        ASSERT_EQ(sa->table(), a);

        // The next state: an edit of a, or an unrelated table.
        Table b = a;
        switch (pick(rng)) {
        case 0: TableEditing::insert(b, TableEditing::Axis::row, round % (a.rows + 1)); break;
        case 1: TableEditing::deleteAt(b, TableEditing::Axis::column, round % a.cols); break;
        case 2: TableEditing::setText(b, "new", CellPos(round % a.rows, round % a.cols), 0.8); break;
        default: b = randomTable(rng, 30, 12); break;
        }
        ASSERT_EQ(TableSnapshot::make(b, sa.get())->table(), b);
    }
}

TEST(TableSnapshot, KeepsCellsThatCompareUnequalToThemselves)
{
    Table t = table(1, 2, {confident(cell(0, 0, "nan"), std::nan("")), cell(0, 1, "x")});
    const auto first = TableSnapshot::make(t, nullptr);
    const auto second = TableSnapshot::make(t, first.get());
    const Table back = second->table();
    ASSERT_EQ(back.cells.size(), 2u);
    EXPECT_TRUE(std::isnan(*back.cells[0].confidence));
    EXPECT_EQ(back.cells[1], t.cells[1]);
}
