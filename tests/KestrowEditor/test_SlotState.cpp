#include "KestrowEditor/EditorDocument.hpp"
#include "KestrowEditor/SlotState.hpp"

#include "TestTables.hpp"

#include <gtest/gtest.h>

using namespace KestrowEditor;
using namespace TestTables;

namespace {

// Row 0 is a header row; a 2 x 2 merged cell at (1, 0); a flagged and a mismatching cell.
Table fixture()
{
    return table(4, 3, {header(cell(0, 0, "Name")), header(cell(0, 1, "Qty")), cell(1, 0, "merged", 2, 2),
                        confident(cell(1, 2, "12"), 0.4), flagged(cell(3, 0, "x"), {CellFlag::typeMismatch, CellFlag::edited}),
                        cell(3, 1, "y")});
}

}  // namespace

TEST(SlotState, MergedCellSlotsShareOneSpanAndDrawOnlyOuterEdges)
{
    EditorDocument doc(fixture());
    const struct {
        int row, viewCol;
        bool right, bottom;
    } cases[] = {{1, 1, false, false}, {1, 2, true, false}, {2, 1, false, true}, {2, 2, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.viewCol);
        const auto s = SlotState::make(doc, c.row, c.viewCol, std::nullopt, 1, 0.8);
        EXPECT_EQ(s.text, "merged");
        ASSERT_TRUE(s.span);
        EXPECT_EQ(*s.span, CellRect(CellPos(1, 0), CellPos(2, 1)));
        EXPECT_EQ(s.rightEdge, c.right);
        EXPECT_EQ(s.bottomEdge, c.bottom);
    }
    EXPECT_FALSE(SlotState::make(doc, 1, 3, std::nullopt, 1, 0.8).span) << "a single slot has no span";
}

TEST(SlotState, FlagsHeadersAndEmptySlots)
{
    EditorDocument doc(fixture());
    const auto lowConfidence = SlotState::make(doc, 1, 3, std::nullopt, 1, 0.8);
    EXPECT_TRUE(lowConfidence.flagged);
    EXPECT_FALSE(SlotState::make(doc, 1, 3, std::nullopt, 1, 0.3).flagged) << "above a lower threshold";

    const auto mismatch = SlotState::make(doc, 3, 1, std::nullopt, 1, 0.8);
    EXPECT_TRUE(mismatch.mismatch);
    EXPECT_TRUE(mismatch.flagged);
    EXPECT_TRUE(mismatch.edited);

    // An uncovered slot in a header row draws as header.
    const auto emptyHeader = SlotState::make(doc, 0, 3, std::nullopt, 1, 0.8);
    EXPECT_EQ(emptyHeader.text, "");
    EXPECT_TRUE(emptyHeader.header);
    EXPECT_TRUE(emptyHeader.rightEdge && emptyHeader.bottomEdge);
    EXPECT_FALSE(SlotState::make(doc, 3, 3, std::nullopt, 1, 0.8).header);
}

TEST(SlotState, SelectionEdgesAndGutter)
{
    EditorDocument doc(fixture());
    const CellRect sel(CellPos(1, 0), CellPos(2, 2));
    const auto topLeft = SlotState::make(doc, 1, 1, sel, 1, 0.8);
    EXPECT_TRUE(topLeft.inSelection && topLeft.selTop && topLeft.selLeft);
    EXPECT_FALSE(topLeft.selBottom || topLeft.selRight);
    const auto bottomRight = SlotState::make(doc, 2, 3, sel, 1, 0.8);
    EXPECT_TRUE(bottomRight.selBottom && bottomRight.selRight);
    EXPECT_FALSE(SlotState::make(doc, 3, 1, sel, 1, 0.8).inSelection);

    const auto gutter = SlotState::make(doc, 2, 0, sel, 1, 0.8);
    EXPECT_EQ(gutter.kind, SlotState::Kind::gutter);
    EXPECT_EQ(gutter.text, "3");
    EXPECT_TRUE(gutter.inSelection);
    EXPECT_FALSE(gutter.selTop || gutter.flagged || gutter.mismatch);
    EXPECT_TRUE(SlotState::make(doc, 0, 0, sel, 1, 0.8).header);
    EXPECT_FALSE(SlotState::make(doc, 0, 0, sel, 1, 0.8).inSelection);
}
