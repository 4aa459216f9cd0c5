#include "VozudOzev/TextGrid/FaintLines.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using namespace TestSupport::OCRBuilders;
using TestSupport::Canvas::fill;
using TestSupport::Canvas::plain;

namespace {

// A line of "ink" strokes in one grey at y, with its reading.
OCRLine drawn(Image& image, int y, std::uint8_t ink)
{
    for (int x = 20; x < 120; x += 6)
        fill(image, x, y + 2, 2, 8, ink);
    return line({word("text", 18, y, 104, 12)});
}

}  // namespace

TEST(FaintLines, LightGreyLabelsOnALightPageOnly)
{
    const struct {
        const char* what;
        std::vector<std::uint8_t> inks;  // one line each, 30 px apart
        bool barUnderFirst;
        size_t bands;
    } cases[] = {
        {"grey labels over black rows", {150, 20, 20, 20}, false, 1},
        {"every line dark", {20, 20, 20, 20}, false, 0},
        {"a page of grey text has no dark text to compare", {150, 150, 150, 20}, false, 0},
        {"grey under a filled bar the band reaches into", {150, 20, 20, 20}, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Image image = plain(200, 140);
        if (c.barUnderFirst)
            fill(image, 0, 0, 200, 6, 90);
        std::vector<OCRLine> lines;
        for (size_t i = 0; i < c.inks.size(); ++i)
            lines.push_back(drawn(image, 8 + 30 * static_cast<int>(i), c.inks[i]));
        const auto bands = FaintLines().find(image, lines);
        ASSERT_EQ(bands.size(), c.bands);
        if (!bands.empty()) {
            EXPECT_LE(bands[0].first, 8);
            EXPECT_GE(bands[0].second, 20);
            EXPECT_LT(bands[0].second, 38);
        }
    }
}
