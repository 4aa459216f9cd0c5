// Random edit sequences through the document: what they must never do, and undo and redo
// over all of them.
#include "KestrowEditor/EditorDocument.hpp"

#include "TestTables.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace KestrowEditor;
using namespace TestTables;

namespace {

struct Step {
    std::string name;
    bool committed;
};

// One random user action; selections are always inside the grid, as the views make them.
Step randomEdit(EditorDocument& doc, std::mt19937& rng, bool withHeaders)
{
    const Table& t = doc.table();
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, std::max(n - 1, 0))(rng); };
    const CellPos a(pick(t.rows), pick(t.cols)), b(pick(t.rows), pick(t.cols));
    doc.setSelection(GridSelection(a, pick(3) == 0 ? b : a));
    switch (pick(withHeaders ? 10 : 9)) {
    case 0: return {"setText", doc.setText("t" + std::to_string(pick(4)), b, 0.8)};
    case 1: return {"clear", doc.clearSelection()};
    case 2: doc.insertRow(pick(t.rows + 3) - 1); return {"insertRow", true};
    case 3: doc.insertColumn(pick(t.cols + 3) - 1); return {"insertColumn", true};
    case 4: return {"deleteRows", doc.deleteSelectedRows()};
    case 5: return {"deleteColumns", doc.deleteSelectedColumns()};
    case 6: return {"merge", doc.mergeSelection()};
    case 7: return {"split", doc.splitSelection()};
    case 8: return {"setText empty", doc.setText("", a, 0.8)};
    default: return {"toggleHeader", doc.toggleHeader(pick(t.rows))};
    }
}

// Every cell inside the grid with spans of 1 or more; optionally no slot covered twice.
::testing::AssertionResult wellFormed(const Table& t, bool checkOverlap)
{
    std::vector<int> cover(static_cast<size_t>(t.rows * t.cols), -1);
    for (size_t i = 0; i < t.cells.size(); ++i) {
        const Cell& c = t.cells[i];
        if (c.row < 0 || c.col < 0 || c.rowSpan < 1 || c.colSpan < 1 || c.row + c.rowSpan > t.rows ||
            c.col + c.colSpan > t.cols)
            return ::testing::AssertionFailure() << "cell " << i << " leaves the " << t.rows << " x " << t.cols << " grid";
        if (!checkOverlap)
            continue;
        for (int r = c.row; r < c.row + c.rowSpan; ++r)
            for (int k = c.col; k < c.col + c.colSpan; ++k) {
                int& slot = cover[static_cast<size_t>(r * t.cols + k)];
                if (slot >= 0)
                    return ::testing::AssertionFailure() << "cells " << slot << " and " << i << " overlap at " << r << "," << k;
                slot = static_cast<int>(i);
            }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(EditingSequences, UndoingEverythingGivesBackTheStartAndRedoingGivesBackTheEnd)
{
    std::mt19937 rng(20261210);
    for (int round = 0; round < 60; ++round) {
        EditorDocument doc(randomTable(rng));
        std::vector<Table> states{doc.table()};
        std::string trail;
        for (int i = 0; i < 40; ++i) {
            const Step s = randomEdit(doc, rng, true);
            if (!s.committed)
                continue;
            trail += s.name + " ";
            states.push_back(doc.table());
            ASSERT_TRUE(wellFormed(doc.table(), false)) << round << ": " << trail;
        }
        SCOPED_TRACE(std::to_string(round) + ": " + trail);
        const int commits = static_cast<int>(states.size()) - 1;
        ASSERT_EQ(doc.revision(), commits);

        for (int k = commits - 1; k >= 0; --k) {
            ASSERT_TRUE(doc.canUndo());
            doc.undo();
            ASSERT_EQ(doc.table(), states[static_cast<size_t>(k)]) << "after undoing to state " << k;
            ASSERT_EQ(doc.spanMap(), SpanMap(doc.table()));
        }
        EXPECT_FALSE(doc.canUndo());
        for (int k = 1; k <= commits; ++k) {
            ASSERT_TRUE(doc.canRedo());
            doc.redo();
            ASSERT_EQ(doc.table(), states[static_cast<size_t>(k)]) << "after redoing to state " << k;
        }
        EXPECT_FALSE(doc.canRedo());
        EXPECT_EQ(doc.revision(), 3 * commits);
    }
}

TEST(EditingSequences, NoSequenceLeavesOverlappingCellsOrCellsOutsideTheGrid)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        EditorDocument doc(randomTable(rng, 7, 7));
        ASSERT_TRUE(wellFormed(doc.table(), true));
        std::string trail;
        for (int i = 0; i < 40; ++i) {
            trail += randomEdit(doc, rng, true).name + " ";
            ASSERT_TRUE(wellFormed(doc.table(), true)) << round << ": " << trail;
        }
    }
}
