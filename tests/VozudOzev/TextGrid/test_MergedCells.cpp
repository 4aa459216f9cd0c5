#include "VozudOzev/TextGrid/MergedCells.hpp"

#include "Support/Canvas.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
namespace Canvas = TestSupport::Canvas;

namespace {

// A grid line at x 100 from row 0 to 120, left out over rows gapFrom to gapTo; a word's
// ink as solid boxes.
Image grid(int gapFrom, int gapTo)
{
    Image image(200, 120);
    Canvas::fill(image, 100, 0, 1, gapFrom, 160);
    Canvas::fill(image, 100, gapTo, 1, 120 - gapTo, 160);
    return image;
}

}  // namespace

TEST(MergedCells, AColumnLineLeftOutAcrossAPhraseLeavesItWhole)
{
    const BBox extent{10, 0, 180, 120};
    const BBox left{70, 24, 24, 12};
    const BBox right{106, 24, 24, 12};
    const BBox overLine{84, 24, 22, 12};  // a word whose ink covers x 100
    const struct {
        const char* what;
        Image image;
        BBox a, b;
        int inkEnd;  // where the left word's ink stops
        bool open;
    } cases[] = {
        {"line left out in the gap between the words", grid(20, 40), left, right, 94, true},
        {"line drawn through the gap", grid(60, 60), left, right, 94, false},
        {"a word drawn where the line is left out", grid(20, 40), overLine, right, 106, true},
        {"a word's box reaching over a drawn line", grid(60, 60), overLine, right, 98, false},
        {"no line down the table at all", grid(0, 120), left, right, 94, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Image image = c.image;
        Canvas::fill(image, static_cast<int>(c.a.x), 26, c.inkEnd - static_cast<int>(c.a.x), 8, 40);
        Canvas::fill(image, static_cast<int>(c.b.x), 26, static_cast<int>(c.b.maxX()) - static_cast<int>(c.b.x), 8, 40);
        EXPECT_EQ(MergedCells(image, extent).open(100, c.a, c.b), c.open);
    }
}
