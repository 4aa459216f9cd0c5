#include "VozudOzev/TextGrid/BarExtent.hpp"

#include "Support/Canvas.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

TEST(BarExtent, TheBarAloneNotTheFrameNorALightCellBesideIt)
{
    // A dark frame at both sides, a light spanned cell, then the selection with two grid
    // lines drawn over it.
    Image image = plain(420, 30);
    fill(image, 10, 0, 1, 30, 90);
    fill(image, 409, 0, 1, 30, 90);
    fill(image, 139, 5, 266, 20, 60);
    fill(image, 230, 5, 1, 20, 200);
    fill(image, 290, 5, 2, 20, 200);
    const struct {
        int y, maxGap;
        std::pair<int, int> expected;
    } cases[] = {
        {10, 3, {139, 405}},  // across the grid lines
        {10, 0, {292, 405}},  // without gaps allowed, the longest piece between grid lines
        {2, 3, {10, 11}},     // above the bar only the frame is dark
        {-1, 3, {0, 0}},
        {30, 3, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BarExtent::along(image, c.y, c.maxGap), c.expected) << "y " << c.y << " gap " << c.maxGap;
    EXPECT_EQ(BarExtent::along(plain(50, 10), 5), (std::pair<int, int>{0, 0}));
    EXPECT_EQ(BarExtent::along(Image(), 0), (std::pair<int, int>{0, 0}));
}
