#include "KestrowEditor/ColumnWidths.hpp"
#include "KestrowEditor/CropCard.hpp"
#include "KestrowEditor/SourceGeometry.hpp"

#include "TestTables.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace KestrowEditor;
using namespace TestTables;

TEST(ColumnWidths, MeasuredBetweenFloorAndCapOverSingleCellsOfTheFirst200Rows)
{
    // Every character is 10 points wide.
    auto measure = [](const std::string& s, bool) { return 10.0 * double(s.size()) + 0.5; };
    Table t = table(300, 5,
                    {cell(0, 0, "ab"), cell(1, 1, std::string(10, 'x')), cell(0, 2, std::string(80, 'x')),
                     cell(0, 3, std::string(30, 'x'), 1, 2), cell(250, 4, std::string(30, 'x')), cell(0, 9, "zzz")});
    const auto w = columnWidths(t, 0, measure);
    ASSERT_EQ(w.size(), 5u);
    EXPECT_EQ(w[0], 64) << "short text keeps the floor";
    EXPECT_EQ(w[1], 101 + 14) << "ceil(100.5) + 14";
    EXPECT_EQ(w[2], 320) << "capped";
    EXPECT_EQ(w[3], 64) << "merged cells are not measured";
    EXPECT_EQ(w[4], 64) << "rows from 200 on are not measured";
    EXPECT_TRUE(columnWidths(table(3, 0), 0, measure).empty());
}

TEST(ColumnWidths, HeaderCellsMeasuredInTheHeaderFont)
{
    // The header font is wider: a header as long as the widest body text still sets the width.
    auto measure = [](const std::string& s, bool header) { return (header ? 12.0 : 10.0) * double(s.size()); };
    Table t = table(3, 3, {cell(0, 0, std::string(10, 'x')), cell(1, 0, std::string(10, 'x')),
                           cell(1, 1, std::string(10, 'x')), cell(2, 1, std::string(10, 'x')),
                           cell(2, 2, std::string(10, 'x'))});
    t.cells[2].header = true;  // a marked header cell below the header rows
    const auto w = columnWidths(t, 1, measure);
    EXPECT_EQ(w[0], 120 + 14) << "first row is a header row";
    EXPECT_EQ(w[1], 120 + 14) << "marked header cell";
    EXPECT_EQ(w[2], 100 + 14);
}

TEST(CropCard, CropRectPadsClipsAndRefuses)
{
    using CropCard::PixelRect;
    // 4 points of margin at scale 2 are 8 pixels; edges go outward to whole pixels.
    EXPECT_EQ(CropCard::cropRect({20.5, 30, 10, 10}, 200, 100, 2), (PixelRect{12, 22, 27, 26}));
    // Touching the top-left corner: clipped there, smaller than box plus margin.
    EXPECT_EQ(CropCard::cropRect({0, 0, 10, 10}, 200, 100, 2), (PixelRect{0, 0, 18, 18}));
    EXPECT_FALSE(CropCard::cropRect({500, 500, 10, 10}, 200, 100, 2)) << "wholly outside";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(CropCard::cropRect({nan, 0, 10, 10}, 200, 100, 2));
    EXPECT_EQ(CropCard::cropRect({0, 0, 1e300, 10}, 200, 100, 2), (PixelRect{0, 0, 200, 18})) << "absurd width";
}

TEST(CropCard, PlacementRightLeftBelowAndClamped)
{
    const VozudOzev::BBox bounds{0, 0, 800, 600};
    // A low crop is enlarged to 28 points high: 40 x 10 shows as 112 x 28 in a 120 x 36 card.
    auto card = CropCard::place(40, 10, {100, 50, 80, 26}, bounds);
    EXPECT_EQ(card, (VozudOzev::BBox{188, 50, 120, 36})) << "right of the cell, tops level";

    // A large crop shrinks into 420 x 160.
    card = CropCard::place(840, 100, {100, 50, 80, 26}, bounds);
    EXPECT_DOUBLE_EQ(card.w, 428);
    EXPECT_DOUBLE_EQ(card.h, 58);

    card = CropCard::place(40, 10, {700, 50, 80, 26}, bounds);
    EXPECT_EQ(card.x, 700 - 8 - 120) << "no room on the right: left of the cell";

    card = CropCard::place(400, 100, {100, 580, 600, 26}, bounds);
    EXPECT_EQ(card.x, 100) << "room on neither side: below, from the cell's left edge";
    EXPECT_EQ(card.y, 600 - 108) << "kept inside the bounds";
}

TEST(SourceGeometry, CanvasZoomAndFit)
{
    EXPECT_EQ(SourceGeometry::canvasSize(200, 100, 2), (SourceGeometry::Size{128, 78}));
    EXPECT_EQ(SourceGeometry::canvasSize(200, 100, 0), (SourceGeometry::Size{228, 128})) << "bad scale counts as 1";
    EXPECT_EQ(SourceGeometry::zoomed(8, 1.25), 8);
    EXPECT_EQ(SourceGeometry::zoomed(0.05, 0.8), 0.05);
    EXPECT_DOUBLE_EQ(SourceGeometry::zoomed(1, 1.25), 1.25);
    EXPECT_EQ(SourceGeometry::fitMagnification(800, 300), 1.0) << "never enlarged past 100 %";
    EXPECT_EQ(SourceGeometry::fitMagnification(300, 600), 0.5);
    EXPECT_EQ(SourceGeometry::fitMagnification(10, 100000), 0.05);
    EXPECT_FALSE(SourceGeometry::fitMagnification(0, 300));
    const auto r = SourceGeometry::revealRect({20, 40, 10, 10}, 2);
    EXPECT_EQ(r, (VozudOzev::BBox{14 + 10 - 24, 14 + 20 - 24, 5 + 48, 5 + 48}));
}

TEST(SourceGeometry, PlaceholderImages)
{
    const struct {
        int w, h;
        bool placeholder;
    } cases[] = {{0, 0, true}, {1, 1, true}, {0, 50, true}, {2, 1, false}, {640, 480, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        EXPECT_EQ(SourceGeometry::isPlaceholder(c.w, c.h), c.placeholder);
    }
}
