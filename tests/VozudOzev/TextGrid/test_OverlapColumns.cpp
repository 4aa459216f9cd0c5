#include "VozudOzev/TextGrid/OverlapColumns.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using Band = TextGridEngine::Band;

namespace {

TextSegment seg(const std::string& text, double x, double w)
{
    return {text, BBox{x, 0, w, 12}, 1};
}

}  // namespace

TEST(OverlapColumns, ColumnsOnlyPhraseEndsReachIntoJoinTheGap)
{
    // Columns as shared gaps would give them, for a body "Name  21  2%" under two header
    // rows; the third column's header ("Kế hoạch" or a narrower one) sets whether anything
    // stands whole in the second.
    const std::vector<Band> columns{{0, 130}, {130, 246}, {246, 314}, {314, 360}};
    const struct {
        const char* what;
        TextSegment group;
        size_t columns;
    } cases[] = {
        {"a group header reaching from the amounts into the overlap", seg("Plan", 224, 71), 3},
        {"a header standing whole in the middle column", seg("Plan", 250, 40), 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<TextGridEngine::Row> rows{
            {seg("Branch", 40, 77), c.group},
            {seg("Quantity", 164, 68), seg("Growth", 260, 95)},
            {seg("Hanoi", 23, 71), seg("21", 217, 14), seg("2%", 334, 21)},
            {seg("Hue", 23, 40), seg("95", 214, 18), seg("16%", 327, 28)},
        };
        int removed = 0;
        const std::vector<Band> out = OverlapColumns::removed(columns, rows, 12, removed);
        EXPECT_EQ(out.size(), c.columns);
        EXPECT_EQ(removed, static_cast<int>(4 - c.columns));
        EXPECT_EQ(out.front().lo, 0);
        EXPECT_EQ(out.back().hi, 360);
        if (c.columns == 3) {
            EXPECT_EQ(out[1].hi, 280);  // the neighbours meet in the middle of the overlap
        }
    }
}
