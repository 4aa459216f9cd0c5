#include "KestrowEditor/EditorDocument.hpp"

#include "TestTables.hpp"

#include "VozudOzev/Model/VozudOzevError.hpp"

#include <gtest/gtest.h>

#include <climits>

using namespace KestrowEditor;
using namespace TestTables;

namespace {

const CellFlag edited = CellFlag::edited;

std::optional<GridSelection> sel(CellPos anchor, CellPos focus)
{
    return GridSelection(anchor, focus);
}

std::optional<GridSelection> at(int row, int col)
{
    return GridSelection(CellPos(row, col));
}

}  // namespace

TEST(EditorDocument, StartsWithTheTableAsGivenAndNothingToUndo)
{
    const Table t = filled(2, 2);
    EditorDocument doc(t);
    doc.setPostProcess([](const Table& x) {
        Table y = x;
        y.index = 99;
        return y;
    });
    EXPECT_EQ(doc.table(), t);
    EXPECT_EQ(doc.revision(), 0);
    EXPECT_EQ(doc.selection(), std::nullopt);
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.canRedo());
    EXPECT_EQ(doc.undoTitle(), "");
    EXPECT_EQ(doc.redoTitle(), "");
    EXPECT_EQ(doc.spanMap(), SpanMap(t));
    EXPECT_EQ(doc.undoStack().levelsOfUndo(), 200u);
}

TEST(EditorDocument, UnchangedTextAddsNoStep)
{
    EditorDocument doc(table(1, 1, {flagged(cell(0, 0, "a"), {edited})}));
    EXPECT_FALSE(doc.setText("a", CellPos(0, 0), 0.8));
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(doc.revision(), 0);
    EXPECT_TRUE(doc.setText("b", CellPos(0, 0), 0.8));
    EXPECT_EQ(doc.undoTitle(), "Edit Cell");
    EXPECT_EQ(doc.revision(), 1);
}

TEST(EditorDocument, UndoOfAMergeRestoresEverythingAndOffersRedo)
{
    const Table t = filled(3, 3);
    EditorDocument doc(t);
    doc.setSelection(sel({0, 0}, {1, 1}));
    ASSERT_TRUE(doc.mergeSelection());
    EXPECT_EQ(doc.selection(), at(0, 0));
    const Table merged = doc.table();
    EXPECT_EQ(doc.cell(CellPos(1, 1))->rowSpan, 2);

    doc.undo();
    EXPECT_EQ(doc.table(), t);
    EXPECT_EQ(doc.spanMap(), SpanMap(t));
    EXPECT_EQ(doc.selection(), sel({0, 0}, {1, 1}));
    EXPECT_EQ(doc.revision(), 2);
    EXPECT_TRUE(doc.canRedo());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(doc.redoTitle(), "Merge Cells");

    doc.redo();
    EXPECT_EQ(doc.table(), merged);
    EXPECT_EQ(doc.selection(), at(0, 0));  // the one the undo replaced
    EXPECT_EQ(doc.undoTitle(), "Merge Cells");
    EXPECT_EQ(doc.revision(), 3);
}

TEST(EditorDocument, UndoRunsTheHookOverTheOldTable)
{
    EditorDocument doc(filled(2, 2));
    doc.setPostProcess([](const Table& x) {
        Table y = x;
        for (Cell& c : y.cells)
            c.confidence = 0.5;
        return y;
    });
    ASSERT_TRUE(doc.setText("x", CellPos(0, 0), 0.8));
    doc.undo();
    EXPECT_EQ(doc.table().cells[0].text, "0,0");
    EXPECT_EQ(doc.table().cells[3].confidence, 0.5);
}

// An analysis that finishes after its edit brings its flags in without a step of its own,
// and only onto the revision it was made from.
TEST(EditorDocument, FlagsOfALaterAnalysisAreAdoptedOnlyByTheirRevision)
{
    EditorDocument doc(filled(2, 2));
    ASSERT_TRUE(doc.setText("x", CellPos(0, 0), 0.8));
    const int revision = doc.revision();
    Table analysed = doc.table();
    analysed.cells[3].flags = std::vector<CellFlag>{CellFlag::typeMismatch};

    Table moved = analysed;
    moved.cells[2].text = "other";
    Table fewer = analysed;
    fewer.cells.pop_back();
    EXPECT_FALSE(doc.adoptFlags(revision - 1, analysed));
    EXPECT_FALSE(doc.adoptFlags(revision, moved));
    EXPECT_FALSE(doc.adoptFlags(revision, fewer));
    EXPECT_EQ(doc.revision(), revision);
    EXPECT_FALSE(doc.table().cells[3].flags);

    int heard = 0;
    doc.addListener([&] { ++heard; });
    ASSERT_TRUE(doc.adoptFlags(revision, analysed));
    EXPECT_EQ(doc.table().cells[3].flags, analysed.cells[3].flags);
    EXPECT_EQ(doc.revision(), revision + 1);
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(doc.undoTitle(), "Edit Cell");
    EXPECT_TRUE(doc.adoptFlags(doc.revision(), analysed));  // nothing new: no new revision
    EXPECT_EQ(doc.revision(), revision + 1);

    // Undoing the next edit comes back to the adopted flags; undoing the first, to none.
    ASSERT_TRUE(doc.setText("y", CellPos(1, 0), 0.8));
    doc.undo();
    EXPECT_EQ(doc.table().cells[3].flags, analysed.cells[3].flags);
    doc.undo();
    EXPECT_FALSE(doc.table().cells[3].flags);
}

TEST(EditorDocument, KeepsTheLast200Steps)
{
    EditorDocument doc(table(1, 1));
    for (int i = 0; i <= 200; ++i)
        ASSERT_TRUE(doc.setText(std::to_string(i), CellPos(0, 0), 0.8));
    int undone = 0;
    while (doc.canUndo()) {
        doc.undo();
        ++undone;
    }
    EXPECT_EQ(undone, 200);
    EXPECT_EQ(doc.table().cells.at(0).text, "0");
}

TEST(EditorDocument, InsertionsSelectTheNewLineThroughTheClamp)
{
    EditorDocument doc(filled(3, 3));
    doc.setSelection(at(2, 1));
    doc.insertRow(-3);
    EXPECT_EQ(doc.table().rows, 4);
    EXPECT_EQ(doc.table().cells[0].row, 1);
    EXPECT_EQ(doc.selection(), at(0, 1));
    EXPECT_EQ(doc.undoTitle(), "Insert Row");
    doc.insertColumn(10);
    EXPECT_EQ(doc.table().cols, 4);
    EXPECT_EQ(doc.selection(), at(0, 3));

    EditorDocument none(filled(2, 2));
    none.insertColumn(1);
    EXPECT_EQ(none.selection(), std::nullopt);
    EXPECT_EQ(none.undoTitle(), "Insert Column");
}

TEST(EditorDocument, DeletionsNeverRemoveEveryLine)
{
    EditorDocument three(filled(3, 3));
    three.setSelection(sel({0, 1}, {2, 1}));
    EXPECT_FALSE(three.deleteSelectedRows());
    EXPECT_EQ(three.table(), filled(3, 3));
    EXPECT_FALSE(three.canUndo());

    EditorDocument four(filled(4, 3));
    four.setSelection(sel({2, 0}, {1, 2}));
    ASSERT_TRUE(four.deleteSelectedRows());
    EXPECT_EQ(four.table().rows, 2);
    EXPECT_EQ(four.table().cells.back().text, "3,2");
    EXPECT_EQ(four.selection(), at(1, 2));
    EXPECT_EQ(four.undoTitle(), "Delete Row");

    four.setSelection(sel({0, 2}, {1, 1}));
    ASSERT_TRUE(four.deleteSelectedColumns());
    EXPECT_EQ(four.table().cols, 1);
    EXPECT_EQ(four.selection(), at(1, 0));  // (focus row, column 1) clamped into one column
    EXPECT_EQ(four.undoTitle(), "Delete Column");
}

TEST(EditorDocument, HeaderToggling)
{
    EditorDocument doc(filled(4, 2));
    ASSERT_TRUE(doc.toggleHeader(2));
    EXPECT_EQ(doc.headerRowCount(), 3);
    EXPECT_EQ(doc.undoTitle(), "Mark Header Row");
    ASSERT_TRUE(doc.toggleHeader(1));
    EXPECT_EQ(doc.headerRowCount(), 1);
    EXPECT_EQ(doc.undoTitle(), "Unmark Header Row");
    EXPECT_EQ(doc.table().cells[2].header, false);  // row 1 was marked, now explicitly not
    EXPECT_EQ(doc.table().cells[6].header, std::nullopt);  // row 3 never was
}

TEST(EditorDocument, ClearAndSplitOverTheSelection)
{
    EditorDocument doc(table(3, 3, {cell(0, 0, "m", 2, 2), cell(2, 2, "z"), cell(2, 0, "")}));
    doc.setSelection(at(1, 1));
    EXPECT_TRUE(doc.canSplit());
    EXPECT_TRUE(doc.canMerge());  // the selection grows to the 2 x 2 cell
    EXPECT_EQ(doc.selectedRect(), CellRect(CellPos(0, 0), CellPos(1, 1)));
    ASSERT_TRUE(doc.clearSelection());
    EXPECT_EQ(doc.undoTitle(), "Clear");
    EXPECT_EQ(doc.table().cells[0], flagged(cell(0, 0, "", 2, 2), {edited}));
    EXPECT_FALSE(doc.clearSelection());

    ASSERT_TRUE(doc.splitSelection());
    EXPECT_EQ(doc.undoTitle(), "Split Cells");
    EXPECT_EQ(doc.selection(), sel({0, 0}, {1, 1}));
    EXPECT_FALSE(doc.canSplit());
    EXPECT_TRUE(doc.canMerge());
    EXPECT_EQ(doc.table().cells.size(), 6u);
}

TEST(EditorDocument, SelectedRectGrowsToWholeCellsAndAnchorIsTheCellOrigin)
{
    // Two merged cells chained: selecting into the first draws in the second.
    EditorDocument doc(table(5, 5, {cell(1, 1, "a", 2, 2), cell(2, 3, "b", 3, 1)}));
    doc.setSelection(sel({0, 0}, {1, 1}));
    EXPECT_EQ(doc.selectedRect(), CellRect(CellPos(0, 0), CellPos(2, 2)));
    doc.setSelection(sel({0, 0}, {2, 3}));
    EXPECT_EQ(doc.selectedRect(), CellRect(CellPos(0, 0), CellPos(4, 3)));
    EXPECT_EQ(doc.selectedRect(), TableEditing::expandedToSpans(doc.table(), doc.selection()->rect()));
    doc.setSelection(sel({4, 4}, {2, 2}));
    EXPECT_EQ(doc.selectedAnchor(), CellPos(1, 1));
    EXPECT_EQ(doc.cell(CellPos(4, 3))->text, "b");
    EXPECT_EQ(doc.cell(CellPos(0, 4)), nullptr);
    EXPECT_EQ(doc.spanRect(CellPos(0, 4)), CellRect(CellPos(0, 4), CellPos(0, 4)));
}

TEST(EditorDocument, SelectionMoves)
{
    // 6 x 4, a merged cell over rows 1-3 of column 1.
    const Table t = table(6, 4, {cell(1, 1, "m", 3, 1)});
    const struct {
        const char* name;
        std::optional<GridSelection> start;
        std::function<void(EditorDocument&)> action;
        std::optional<GridSelection> want;
    } cases[] = {
        {"down out of a merged cell", at(1, 1), [](auto& d) { d.move(1, 0, false); }, at(4, 1)},
        {"up out of a merged cell", at(3, 1), [](auto& d) { d.move(-1, 0, false); }, at(0, 1)},
        {"extending down walks slot by slot", at(1, 1), [](auto& d) { d.move(1, 0, true); }, sel({1, 1}, {2, 1})},
        {"move without a selection", std::nullopt, [](auto& d) { d.move(1, 1, false); }, at(0, 0)},
        {"move stops at the edge", at(5, 3), [](auto& d) { d.move(4, 9, false); }, at(5, 3)},
        {"extend keeps the anchor", sel({0, 0}, {2, 2}), [](auto& d) { d.select(CellPos(4, 3), true); }, sel({0, 0}, {4, 3})},
        {"select clamps", std::nullopt, [](auto& d) { d.select(CellPos(-2, 9), false); }, at(0, 3)},
        {"tab forward", at(0, 0), [](auto& d) { d.tab(false); }, at(0, 1)},
        {"tab over a merged cell", at(2, 1), [](auto& d) { d.tab(false); }, at(2, 2)},
        {"tab wraps to the next row", at(2, 3), [](auto& d) { d.tab(false); }, at(3, 0)},
        {"tab at the very end stays on the last row", at(5, 3), [](auto& d) { d.tab(false); }, at(5, 0)},
        {"back tab at the start", at(0, 0), [](auto& d) { d.tab(true); }, at(0, 3)},
        {"back tab wraps to the row above", at(3, 0), [](auto& d) { d.tab(true); }, at(2, 3)},
        {"tab without a selection", std::nullopt, [](auto& d) { d.tab(true); }, at(0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorDocument doc(t);
        doc.setSelection(c.start);
        c.action(doc);
        EXPECT_EQ(doc.selection(), c.want);
        EXPECT_EQ(doc.revision(), 0);
    }

    EditorDocument empty(table(0, 3));
    empty.select(CellPos(0, 0), false);
    EXPECT_EQ(empty.selection(), std::nullopt);
}

TEST(EditorDocument, NextCellToCheck)
{
    EditorDocument doc(table(3, 3,
                             {flagged(cell(0, 1), {CellFlag::typeMismatch}), confident(cell(2, 2, "x"), 0.2),
                              cell(1, 1, "m", 2, 1), flagged(cell(7, 7), {CellFlag::totalMismatch})}));
    EXPECT_EQ(doc.flaggedCount(0.8), 3);  // the one outside the grid counts too
    doc.setSelection(at(2, 1));  // inside the merged cell anchored at (1, 1)
    ASSERT_TRUE(doc.selectNextFlagged(0.8));
    EXPECT_EQ(doc.selection(), at(2, 2));
    ASSERT_TRUE(doc.selectNextFlagged(0.8));
    EXPECT_EQ(doc.selection(), at(0, 1));

    EditorDocument clean(filled(2, 2));
    clean.setSelection(at(1, 0));
    EXPECT_FALSE(clean.selectNextFlagged(0.8));
    EXPECT_EQ(clean.selection(), at(1, 0));
}

TEST(EditorDocument, ListenersHearCommitsAndMoves)
{
    EditorDocument doc(filled(2, 2));
    int heard = 0;
    const int id = doc.addListener([&] { ++heard; });
    doc.select(CellPos(1, 1), false);
    doc.setText("x", CellPos(0, 0), 0.8);
    doc.undo();
    EXPECT_EQ(heard, 3);
    doc.removeListener(id);
    doc.redo();
    EXPECT_EQ(heard, 3);
}

TEST(EditorDocument, AGridTooLargeToMapLeavesTheDocumentAsItWas)
{
    EditorDocument doc(table(1, static_cast<int>(SpanMap::maxSlots / 2 + 1)));
    EXPECT_THROW(doc.insertRow(0), VozudOzev::VozudOzevError);
    EXPECT_EQ(doc.table().rows, 1);
    EXPECT_EQ(doc.revision(), 0);
    EXPECT_FALSE(doc.canUndo());
}

TEST(EditorDocument, SelectionsStayInTheGridWhateverTheSizesClaim)
{
    // A damaged record can claim INT_MIN rows; the clamp must not wrap around to INT_MAX.
    EditorDocument damaged(table(INT_MIN, 3));
    damaged.setSelection(GridSelection(CellPos(5, 5), CellPos(5, 5)));
    EXPECT_EQ(damaged.selection(), GridSelection(CellPos(0, 2), CellPos(0, 2)));
    damaged.insertColumn(1);
    EXPECT_EQ(damaged.selection()->focus.row, 0);

    // A selection set far outside is clamped when it is set, so moves start from the grid.
    EditorDocument doc(filled(3, 3));
    doc.setSelection(GridSelection(CellPos(INT_MIN, INT_MIN), CellPos(INT_MIN, INT_MIN)));
    EXPECT_EQ(doc.selection(), GridSelection(CellPos(0, 0), CellPos(0, 0)));
    doc.tab(true);
    EXPECT_EQ(doc.selection(), GridSelection(CellPos(0, 2), CellPos(0, 2)));
    doc.setSelection(GridSelection(CellPos(INT_MAX, INT_MAX), CellPos(INT_MAX, INT_MAX)));
    doc.tab(false);
    EXPECT_EQ(doc.selection(), GridSelection(CellPos(2, 0), CellPos(2, 0)));
}
