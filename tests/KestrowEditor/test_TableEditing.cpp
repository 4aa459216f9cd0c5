#include "KestrowEditor/SpanMap.hpp"
#include "KestrowEditor/TableEditing.hpp"

#include "TestTables.hpp"

#include <gtest/gtest.h>

#include <climits>

#include <random>

using namespace KestrowEditor;
using namespace KestrowEditor::TableEditing;
using namespace TestTables;

namespace {

const CellFlag low = CellFlag::lowConfidence;
const CellFlag type = CellFlag::typeMismatch;
const CellFlag total = CellFlag::totalMismatch;
const CellFlag edited = CellFlag::edited;

}  // namespace

TEST(TableEditing, NeedsCheck)
{
    const struct {
        const char* name;
        Cell cell;
        bool want;
    } cases[] = {
        {"plain", cell(0, 0), false},
        {"low confidence value", confident(cell(0, 0), 0.5), true},
        {"at the threshold", confident(cell(0, 0), 0.8), false},
        {"edited exempts confidence", flagged(confident(cell(0, 0), 0.5), {edited}), false},
        {"edited keeps low_confidence", flagged(cell(0, 0), {low, edited}), true},
        {"type mismatch", flagged(confident(cell(0, 0), 0.99), {type}), true},
        {"total mismatch though edited", flagged(cell(0, 0), {edited, total}), true},
        {"empty flag list", flagged(confident(cell(0, 0), 0.9), {}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(needsCheck(c.cell, 0.8), c.want);
    }
}

TEST(TableEditing, CoveringAndExpansion)
{
    // A rectangle cutting the 2 x 2 cell grows over it, then over the tall cell it now reaches,
    // then (in a second pass) over the wide cell listed first.
    const Table t = table(5, 5, {cell(0, 0, "c", 1, 2), cell(1, 1, "m", 2, 2), cell(0, 3, "tall", 3, 1), cell(3, 2, "w", 1, 2)});
    EXPECT_EQ(cellIndex(t, CellPos(2, 2)), 1u);
    EXPECT_EQ(cellIndex(t, CellPos(4, 4)), std::nullopt);
    EXPECT_EQ(spanRect(t, CellPos(2, 3)), CellRect::fromSpan(0, 3, 3, 1));
    EXPECT_EQ(spanRect(t, CellPos(4, 4)), CellRect::fromSpan(4, 4, 1, 1));

    EXPECT_EQ(expandedToSpans(t, CellRect::fromSpan(2, 2, 1, 2)), CellRect(CellPos(0, 0), CellPos(2, 3)));
    EXPECT_EQ(expandedToSpans(t, CellRect::fromSpan(4, 0, 1, 1)), CellRect::fromSpan(4, 0, 1, 1));
    EXPECT_EQ(expandedToSpans(table(3, 3), CellRect::fromSpan(0, 0, 2, 2)), CellRect::fromSpan(0, 0, 2, 2));
}

TEST(TableEditing, SetText)
{
    const std::string composed = "\xC3\xA9";     // é
    const std::string decomposed = "e\xCC\x81";  // e + combining acute
    const struct {
        const char* name;
        Table before;
        std::string text;
        CellPos at;
        bool changed;
        std::vector<Cell> after;
    } cases[] = {
        {"new text on an uncovered slot adds a cell", table(2, 2), "x", {1, 0}, true, {flagged(cell(1, 0, "x"), {edited})}},
        {"empty text on an uncovered slot", table(2, 2), "", {1, 0}, false, {}},
        {"outside the grid", table(2, 2), "x", {2, 0}, false, {}},
        {"negative position", table(2, 2), "x", {0, -1}, false, {}},
        {"same text keeps a mismatch", table(1, 1, {flagged(cell(0, 0, "a"), {low, type})}), "a", {0, 0}, false,
         {flagged(cell(0, 0, "a"), {low, type})}},
        {"new text drops low_confidence", table(1, 1, {flagged(cell(0, 0, "a"), {low, type})}), "b", {0, 0}, true,
         {flagged(cell(0, 0, "b"), {type, edited})}},
        {"same text confirms a low confidence value", table(1, 1, {confident(cell(0, 0, "a"), 0.5)}), "a", {0, 0}, true,
         {flagged(confident(cell(0, 0, "a"), 0.5), {edited})}},
        {"same text on a confirmed cell", table(1, 1, {flagged(cell(0, 0, "a"), {edited})}), "a", {0, 0}, false,
         {flagged(cell(0, 0, "a"), {edited})}},
        {"canonically equal text is the same text", table(1, 1, {cell(0, 0, composed)}), decomposed, {0, 0}, false,
         {cell(0, 0, composed)}},
        {"a merged cell is written through any of its slots", table(3, 3, {cell(0, 0, "m", 2, 2)}), "n", {1, 1}, true,
         {flagged(cell(0, 0, "n", 2, 2), {edited})}},
        {"duplicates on the anchor go, even for the same text",
         table(3, 3, {cell(0, 0, "k"), cell(1, 1, "a"), cell(1, 1, "b"), cell(1, 1, "c")}), "a", {1, 1}, true,
         {cell(0, 0, "k"), flagged(cell(1, 1, "a"), {edited})}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table t = c.before;
        EXPECT_EQ(setText(t, c.text, c.at, 0.8), c.changed);
        EXPECT_EQ(t.cells, c.changed || !c.after.empty() ? c.after : c.before.cells);
        if (!c.changed) {
            EXPECT_EQ(t, c.before);
        }
    }
}

TEST(TableEditing, ClearEmptiesTouchedCellsAndDropsTheirDuplicates)
{
    Table t = table(3, 3,
                    {flagged(confident(cell(0, 0, "a"), 0.3), {low}), cell(0, 1, "m", 2, 2), cell(0, 1, "dup"),
                     cell(2, 2, "keep"), cell(1, 0, "")});
    const Table before = t;
    EXPECT_FALSE(clear(t, CellRect::fromSpan(1, 0, 1, 1)));  // touches only an empty cell
    EXPECT_EQ(t, before);
    EXPECT_TRUE(clear(t, CellRect(CellPos(0, 0), CellPos(1, 1))));
    EXPECT_EQ(t.cells, (std::vector<Cell>{flagged(confident(cell(0, 0, ""), 0.3), {edited}),
                                          flagged(cell(0, 1, "", 2, 2), {edited}), cell(2, 2, "keep"), cell(1, 0, "")}));

    Table empty = table(2, 2, {cell(0, 0), cell(1, 1)});
    EXPECT_FALSE(clear(empty, CellRect(CellPos(0, 0), CellPos(1, 1))));
}

TEST(TableEditing, InsertShiftsLaterCellsAndGrowsSpansAcross)
{
    const Table base = table(3, 3, {cell(0, 0, "tall", 2, 1), cell(1, 1, "b"), cell(0, 1, "wide", 1, 2)});
    const struct {
        const char* name;
        Axis axis;
        int at;
        Table want;
    } cases[] = {
        {"row inside a span", Axis::row, 1, table(4, 3, {cell(0, 0, "tall", 3, 1), cell(2, 1, "b"), cell(0, 1, "wide", 1, 2)})},
        {"row at the top", Axis::row, -5, table(4, 3, {cell(1, 0, "tall", 2, 1), cell(2, 1, "b"), cell(1, 1, "wide", 1, 2)})},
        {"row past the end", Axis::row, 6, table(4, 3, base.cells)},
        {"column inside a span", Axis::column, 2, table(3, 4, {cell(0, 0, "tall", 2, 1), cell(1, 1, "b"), cell(0, 1, "wide", 1, 3)})},
        {"column at the front", Axis::column, 0, table(3, 4, {cell(0, 1, "tall", 2, 1), cell(1, 2, "b"), cell(0, 2, "wide", 1, 2)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table t = base;
        insert(t, c.axis, c.at);
        EXPECT_EQ(t, c.want);
    }
}

TEST(TableEditing, DeleteShrinksSpansDropsCoveredCellsAndKeepsOneLine)
{
    Table t = table(4, 2, {cell(0, 0, "tall", 3, 1), cell(1, 1, "gone"), cell(3, 0, "below"), cell(2, 1, "x")});
    EXPECT_TRUE(deleteAt(t, Axis::row, 1));
    EXPECT_EQ(t, table(3, 2, {cell(0, 0, "tall", 2, 1), cell(2, 0, "below"), cell(1, 1, "x")}));

    const struct {
        const char* name;
        Table t;
        Axis axis;
        int index;
    } refused[] = {
        {"the only row", table(1, 3, {cell(0, 0, "a")}), Axis::row, 0},
        {"the only column", table(3, 1), Axis::column, 0},
        {"negative index", table(3, 3), Axis::row, -1},
        {"past the end", table(3, 3), Axis::column, 3},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        Table copy = c.t;
        EXPECT_FALSE(deleteAt(copy, c.axis, c.index));
        EXPECT_EQ(copy, c.t);
    }
}

TEST(TableEditing, InsertThenDeleteOfTheSameLineGivesBackTheTable)
{
    std::mt19937 rng(12);
    for (int round = 0; round < 200; ++round) {
        const Table t = randomTable(rng);
        for (Axis axis : {Axis::row, Axis::column}) {
            const int count = axis == Axis::row ? t.rows : t.cols;
            for (int k = 0; k <= count; ++k) {
                SCOPED_TRACE(std::to_string(round) + (axis == Axis::row ? " row " : " column ") + std::to_string(k));
                Table copy = t;
                insert(copy, axis, k);
                ASSERT_TRUE(deleteAt(copy, axis, k));
                ASSERT_EQ(copy, t);
            }
        }
    }
}

TEST(TableEditing, DeleteRangeEqualsDeletingEachLineFromTheHighestDown)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        const Table t = randomTable(rng, 7, 7);
        const Axis axis = round % 2 ? Axis::row : Axis::column;
        const int count = axis == Axis::row ? t.rows : t.cols;
        std::uniform_int_distribution<int> pick(-1, count);
        const int a = pick(rng), b = pick(rng);
        SCOPED_TRACE(std::to_string(round) + ": " + std::to_string(a) + ".." + std::to_string(b));
        Table one = t, each = t;
        const bool changed = deleteRange(one, axis, a, b);
        if (std::abs(a - b) + 1 < count)
            for (int i = std::max(a, b); i >= std::min(a, b); --i)
                deleteAt(each, axis, i);
        EXPECT_EQ(one, each);
        EXPECT_EQ(changed, one != t);
    }
}

TEST(TableEditing, MergeCombinesTheCoveredCells)
{
    const BBox b1{10, 10, 20, 10}, b2{0, 20, 5, 30};
    Table t = table(3, 3,
                    {cell(2, 2, "z"), flagged(header(confident(cell(1, 0, "b"), 0.7), false), {type, low}),
                     header(confident(cell(0, 1, ""), 0.9), std::nullopt), flagged(cell(0, 0, "a"), {low, total})});
    t.cells[1].bbox = b2;
    t.cells[3].bbox = b1;
    ASSERT_TRUE(merge(t, CellRect(CellPos(0, 0), CellPos(1, 1))));
    Cell want = flagged(cell(0, 0, "a b", 2, 2), {low, total, type});
    want.confidence = 0.7;
    want.bbox = BBox{0, 10, 30, 40};
    want.header = std::nullopt;  // the first sorted cell's, (0,0): none
    EXPECT_EQ(t.cells, (std::vector<Cell>{cell(2, 2, "z"), want}));

    const struct {
        const char* name;
        std::vector<std::optional<bool>> headers;  // of (0,0) then (0,1)
        std::optional<bool> want;
    } headers[] = {
        {"any true", {std::nullopt, true}, true},
        {"first false", {false, std::nullopt}, false},
        {"none", {std::nullopt, std::nullopt}, std::nullopt},
    };
    for (const auto& c : headers) {
        SCOPED_TRACE(c.name);
        Table h = table(1, 2, {header(cell(0, 1, "y"), c.headers[1]), header(cell(0, 0, "x"), c.headers[0])});
        ASSERT_TRUE(merge(h, CellRect(CellPos(0, 0), CellPos(0, 1))));
        EXPECT_EQ(h.cells.back().header, c.want);
        EXPECT_EQ(h.cells.back().text, "x y");
    }
}

TEST(TableEditing, MergeGrowsOverCutCellsAndRefusesSingleSlotsAndTheOutside)
{
    // The 2 x 2 cell cut by the rectangle draws it down to the tall cell, which draws it further.
    Table t = table(4, 4, {cell(0, 1, "m", 2, 2), cell(1, 0, "t", 3, 1), cell(3, 3, "k"), cell(2, 1, "x"), cell(3, 2, "y")});
    ASSERT_TRUE(merge(t, CellRect::fromSpan(0, 0, 1, 2)));
    EXPECT_EQ(t.cells, (std::vector<Cell>{cell(3, 3, "k"), cell(0, 0, "m t x y", 4, 3)}));

    Table blank = table(2, 2);
    ASSERT_TRUE(merge(blank, CellRect(CellPos(0, 0), CellPos(1, 1))));
    EXPECT_EQ(blank.cells, (std::vector<Cell>{cell(0, 0, "", 2, 2)}));

    for (const CellRect& r : {CellRect::fromSpan(1, 1, 1, 1), CellRect(CellPos(-1, 0), CellPos(0, 0)),
                              CellRect(CellPos(1, 1), CellPos(2, 1))}) {
        Table s = table(2, 2, {cell(0, 0, "a"), cell(1, 1, "b")});
        EXPECT_FALSE(merge(s, r));
        EXPECT_EQ(s, table(2, 2, {cell(0, 0, "a"), cell(1, 1, "b")}));
    }
}

TEST(TableEditing, SplitTilesTheCellAndItsBox)
{
    Cell big = header(flagged(confident(cell(1, 1, "big", 2, 3), 0.4), {low}), true);
    big.bbox = BBox{0, 0, 30, 20};
    Table t = table(4, 4, {cell(0, 0, "a"), big, cell(3, 3, "z")});
    ASSERT_TRUE(split(t, CellPos(2, 3)));
    ASSERT_EQ(t.cells.size(), 8u);
    EXPECT_EQ(t.cells[0], cell(0, 0, "a"));
    EXPECT_EQ(t.cells[1], cell(3, 3, "z"));
    Cell first = header(flagged(confident(cell(1, 1, "big"), 0.4), {low}), true);
    first.bbox = BBox{0, 0, 10, 10};
    EXPECT_EQ(t.cells[2], first);
    Cell last = header(cell(2, 3, ""), true);
    last.bbox = BBox{20, 10, 10, 10};
    EXPECT_EQ(t.cells[7], last);
    EXPECT_EQ(CellPos(t.cells[5].row, t.cells[5].col), CellPos(2, 1));

    Table single = table(2, 2, {cell(0, 0, "a")});
    EXPECT_FALSE(split(single, CellPos(0, 0)));
    EXPECT_FALSE(split(single, CellPos(1, 1)));
}

TEST(TableEditing, SplitOfAZeroSpanCellKeepsItsContent)
{
    // A stored row span of 0 still stands for one row: the cell becomes three pieces, not none.
    Table t = table(2, 3, {cell(0, 0, "keep", 0, 3)});
    ASSERT_TRUE(split(t, CellPos(0, 1)));
    EXPECT_EQ(t.cells, (std::vector<Cell>{cell(0, 0, "keep"), cell(0, 1), cell(0, 2)}));

    // A corrupt span far past the grid gives pieces on the grid only.
    Table huge = table(2, 2, {cell(0, 0, "h", 1'000'000, 1'000'000)});
    ASSERT_TRUE(split(huge, CellPos(1, 1)));
    EXPECT_EQ(huge.cells, (std::vector<Cell>{cell(0, 0, "h"), cell(0, 1), cell(1, 0), cell(1, 1)}));
}

TEST(TableEditing, HeaderRows)
{
    EXPECT_EQ(headerRowCount(table(3, 2, {header(cell(1, 0)), header(cell(2, 0))})), 0);
    EXPECT_EQ(headerRowCount(table(3, 2, {header(cell(0, 0)), header(cell(1, 0)), header(cell(1, 1), false)})), 1);
    EXPECT_EQ(headerRowCount(table(0, 2)), 0);

    // Row 1 is only covered by a cell from row 0: that cell is cut at row 1 and its lower
    // part becomes row 1's header cell, so no slot holds two cells.
    Table t = table(3, 2, {cell(0, 0, "h", 2, 2), header(cell(2, 0, "x")), cell(2, 1, "y")});
    ASSERT_TRUE(setHeaderRows(t, 2));
    EXPECT_EQ(t.cells, (std::vector<Cell>{header(cell(0, 0, "h", 1, 2)), header(cell(2, 0, "x"), false),
                                          cell(2, 1, "y"), header(cell(1, 0, "", 1, 2))}));
    EXPECT_EQ(headerRowCount(t), 2);
    EXPECT_FALSE(setHeaderRows(t, 2));
    ASSERT_TRUE(setHeaderRows(t, -4));
    EXPECT_EQ(headerRowCount(t), 0);
    EXPECT_EQ(t.cells[2].header, std::nullopt);  // none stays none
    EXPECT_EQ(t.cells[3].header, false);
}

TEST(TableEditing, HeaderRowsNeverPutTwoCellsOnOneSlot)
{
    const struct {
        const char* what;
        Table before;
        std::vector<Cell> after;
    } cases[] = {
        {"the first uncovered slot takes the new cell", table(2, 3, {cell(0, 0, "a", 2, 1), cell(0, 1), cell(0, 2)}),
         {header(cell(0, 0, "a", 2, 1)), header(cell(0, 1)), header(cell(0, 2)), header(cell(1, 1))}},
        {"a row covered from above by two cells cuts the one over column 0",
         table(3, 3, {cell(0, 0, "a", 3, 2), cell(0, 2, "b", 2, 1), cell(2, 2)}),
         {header(cell(0, 0, "a", 1, 2)), header(cell(0, 2, "b", 2, 1)), cell(2, 2), header(cell(1, 0, "", 2, 2))}},
        {"a span far past the grid is cut the same way", table(2, 1, {cell(0, 0, "a", INT_MAX, INT_MAX)}),
         {header(cell(0, 0, "a", 1, INT_MAX)), header(cell(1, 0, "", INT_MAX - 1, INT_MAX))}},
        {"no columns: nothing to anchor on", table(2, 0), {}},
        {"no columns, cells outside still get their marks", table(2, 0, {cell(0, 3)}), {header(cell(0, 3))}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Table t = c.before;
        setHeaderRows(t, 2);
        EXPECT_EQ(t.cells, c.after);
    }
}

TEST(TableEditing, FlaggedPositionsAndNext)
{
    const Table t = table(3, 3,
                          {flagged(cell(2, 0), {type}), confident(cell(0, 2), 0.1), cell(1, 1),
                           flagged(cell(0, 2), {total}), flagged(cell(5, 0), {type}), flagged(cell(1, 0), {edited})});
    EXPECT_EQ(flaggedPositions(t, 0.8), (std::vector<CellPos>{{0, 2}, {0, 2}, {2, 0}}));
    EXPECT_EQ(nextFlagged(t, std::nullopt, 0.8), CellPos(0, 2));
    EXPECT_EQ(nextFlagged(t, CellPos(0, 2), 0.8), CellPos(2, 0));
    EXPECT_EQ(nextFlagged(t, CellPos(2, 0), 0.8), CellPos(0, 2));
    EXPECT_EQ(nextFlagged(t, CellPos(1, 1), 0.8), CellPos(2, 0));
    EXPECT_EQ(nextFlagged(table(2, 2, {cell(0, 0)}), CellPos(0, 0), 0.8), std::nullopt);
}

TEST(TableEditing, ClearMatchesClearingEachCellThroughSetText)
{
    // The rule itself, cell by cell; clear takes a shorter road on tables without overlaps.
    auto reference = [](Table& t, CellRect r) {
        bool changed = false;
        for (size_t i = 0; i < t.cells.size(); ++i)
            if (!t.cells[i].text.empty() && rect(t.cells[i]).intersects(r))
                changed = setText(t, "", CellPos(t.cells[i].row, t.cells[i].col), 0) || changed;
        return changed;
    };
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        Table t = randomTable(rng, 6, 6);
        if (round % 3 == 0)  // some with overlaps and cells reaching off the grid
            t.cells.push_back(flagged(cell(round % 4 - 1, round % 5, "over", 2, 2), {low}));
        std::uniform_int_distribution<int> pick(-1, 6);
        const CellRect r(CellPos(pick(rng), pick(rng)), CellPos(pick(rng), pick(rng)));
        SCOPED_TRACE(round);
        Table fast = t, slow = t;
        EXPECT_EQ(clear(fast, r), reference(slow, r));
        EXPECT_EQ(fast, slow);
    }
}

TEST(TableEditing, HeaderRowCountFollowsTheRowByRowRule)
{
    auto reference = [](const Table& t) {
        int r = 0;
        for (; r < t.rows; ++r) {
            bool any = false, all = true;
            for (const Cell& c : t.cells)
                if (c.row == r) {
                    any = true;
                    all = all && c.header == true;
                }
            if (!any || !all)
                break;
        }
        return r;
    };
    std::mt19937 rng(9);
    std::uniform_int_distribution<int> pick(0, 9);
    for (int round = 0; round < 500; ++round) {
        Table t = randomTable(rng, 5, 3);
        for (Cell& c : t.cells)
            c.header = pick(rng) < 7 ? std::optional<bool>(true) : pick(rng) < 5 ? std::optional<bool>(false) : std::nullopt;
        if (pick(rng) == 0)
            t.cells.push_back(header(cell(-1, 0)));
        SCOPED_TRACE(round);
        EXPECT_EQ(headerRowCount(t), reference(t));
    }
}
