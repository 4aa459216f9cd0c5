#include "VozudOzev/TextGrid/MergedCells.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

namespace {

void paint(Image& image, int x0, int y0, int x1, int y1, std::uint8_t v)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            std::fill(image.pixel(x, y), image.pixel(x, y) + 3, v);
}

// A grid line at x 100 from row 0 to 120, left out over rows gapFrom to gapTo; a word's
// ink as solid boxes.
Image grid(int gapFrom, int gapTo)
{
    Image image(200, 120);
    paint(image, 100, 0, 101, gapFrom, 160);
    paint(image, 100, gapTo, 101, 120, 160);
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
        paint(image, static_cast<int>(c.a.x), 26, c.inkEnd, 34, 40);
        paint(image, static_cast<int>(c.b.x), 26, static_cast<int>(c.b.maxX()), 34, 40);
        EXPECT_EQ(MergedCells(image, extent).open(100, c.a, c.b), c.open);
    }
}
