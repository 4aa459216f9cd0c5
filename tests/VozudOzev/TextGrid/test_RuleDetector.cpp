#include "VozudOzev/TextGrid/RuleDetector.hpp"

#include "Support/Canvas.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace VozudOzev;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

namespace {

struct Rect {
    int x, y, w, h;
    std::uint8_t grey = 0;
};

Image draw(int W, int H, std::uint8_t background, const std::vector<Rect>& rects)
{
    Image image = plain(W, H, background);
    for (const Rect& r : rects)
        fill(image, r.x, r.y, r.w, r.h, r.grey);
    return image;
}

}  // namespace

namespace VozudOzev {
void PrintTo(const RuleDetector::Rules& r, std::ostream* os)
{
    *os << "horizontal " << ::testing::PrintToString(r.horizontal) << ", vertical "
        << ::testing::PrintToString(r.vertical);
}
}  // namespace VozudOzev

TEST(RuleDetector, Detect)
{
    const BBox whole{0, 0, 100, 40};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::string name;
        std::uint8_t background;
        std::vector<Rect> rects;
        BBox extent;
        std::vector<double> horizontal, vertical;
    } cases[] = {
        {"70% of the width is a line", 255, {{10, 20, 70, 1}}, whole, {20}, {}},
        {"50% is not", 255, {{10, 20, 50, 1}}, whole, {}, {}},
        {"vertical line over 75% of the height", 255, {{30, 5, 1, 30}}, whole, {}, {30}},
        {"dash gaps of 3 are bridged", 255, {{0, 20, 15, 1}, {18, 20, 15, 1}, {36, 20, 15, 1}, {54, 20, 10, 1}},
         whole, {20}, {}},
        {"a dash gap of 4 splits the run", 255, {{0, 20, 30, 1}, {34, 20, 30, 1}}, whole, {}, {}},
        {"three rows give their middle", 255, {{0, 10, 80, 3}}, whole, {11}, {}},
        {"two rows give a half pixel", 255, {{0, 10, 80, 2}}, whole, {10.5}, {}},
        {"a bar of seven rows is no line", 255, {{0, 10, 80, 7}}, whole, {}, {}},
        {"six rows still are", 255, {{0, 10, 80, 6}}, whole, {12.5}, {}},
        {"lines outside the extent still qualify", 255, {{60, 5, 15, 1}}, {30, 30, 20, 5}, {5}, {}},
        {"light lines on a dark page", 30, {{0, 20, 80, 1, 220}, {50, 0, 1, 40, 220}}, whole, {20}, {50}},
        {"too little contrast", 255, {{0, 20, 80, 1, 232}}, whole, {}, {}},
        {"zero-width extent finds no horizontal", 255, {{0, 20, 80, 1}, {50, 0, 1, 40}}, {10, 0, 0, 40}, {}, {50}},
        {"zero-height extent finds no vertical", 255, {{0, 20, 80, 1}, {50, 0, 1, 40}}, {0, 10, 100, 0}, {20}, {}},
        {"extent beyond the image is clipped", 255, {{0, 20, 65, 1}}, {0, 0, 1000, 40}, {20}, {}},
        {"non-finite extent finds nothing", 255, {{0, 20, 80, 1}}, {nan, 0, 100, nan}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RuleDetector::Rules rules = RuleDetector().detect(draw(100, 40, c.background, c.rects), c.extent, 0.6);
        EXPECT_EQ(rules.horizontal, c.horizontal);
        EXPECT_EQ(rules.vertical, c.vertical);
    }
}

TEST(RuleDetector, DegenerateImages)
{
    // Nothing to measure, or nothing that stands out from the background.
    EXPECT_EQ(RuleDetector().detect(Image(), {0, 0, 10, 10}, 0.6), RuleDetector::Rules{});
    EXPECT_EQ(RuleDetector().detect(plain(50, 30, 128), {0, 0, 50, 30}, 0.6), RuleDetector::Rules{});
    EXPECT_EQ(RuleDetector().detect(plain(300, 1, 0), {0, 0, 300, 1}, 0.6), RuleDetector::Rules{});
    // A one-pixel-high strip mostly covered by a line: the line is the background, and the
    // white rest is one stretch of columns far too wide to be a line.
    const Image strip = draw(300, 1, 255, {{0, 0, 250, 1}});
    EXPECT_EQ(RuleDetector().detect(strip, {0, 0, 300, 1}, 0.6), RuleDetector::Rules{});
}

TEST(RuleDetector, Groups)
{
    const struct {
        std::vector<bool> flags;
        std::vector<double> want;
    } cases[] = {
        {{}, {}},
        {{true}, {0}},
        {{false, true, true, false, true}, {1.5, 4}},
        {{true, true, true, true, true, true, true}, {}},
        {{true, true, true, true, true, true, false, true}, {2.5, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.flags));
        EXPECT_EQ(RuleDetector().groups(c.flags), c.want);
    }
    RuleDetector thin;
    thin.maxThickness = 1;
    EXPECT_EQ(thin.groups({true, true, false, true}), std::vector<double>{3});
}
