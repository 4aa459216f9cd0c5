#include "VozudOzev/TextGrid/CrossedWords.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
namespace Canvas = TestSupport::Canvas;
using namespace TestSupport::OCRBuilders;

namespace {

// Letters as ink boxes 6 px wide with 2 px between them, from x on rows 22 to 34.
void letters(Image& image, int x, int count)
{
    for (int i = 0; i < count; ++i)
        Canvas::fill(image, x + 8 * i, 22, 6, 12, 30);
}

}  // namespace

TEST(CrossedWords, AWordReadAcrossADrawnColumnLineIsPartedThere)
{
    // Three letters right-aligned up to x 95, a grid line at x 100, ten letters from x 105.
    const struct {
        const char* what;
        bool lineAcross;  // the grid draws the line over the word's rows
        std::vector<std::string> want;
    } cases[] = {
        {"line drawn", true, {"231", "2023-05-19"}},
        {"line left out (a merged cell)", false, {"2312023-05-19"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Image image(240, 80);
        Canvas::fill(image, 100, 0, 1, c.lineAcross ? 80 : 20, 150);
        if (!c.lineAcross)
            Canvas::fill(image, 100, 36, 1, 44, 150);
        letters(image, 73, 3);
        letters(image, 105, 10);
        std::vector<OCRLine> lines{line({word("2312023-05-19", 73, 21, 110, 14)})};
        const MergedCells grid(image, BBox{10, 0, 220, 80});
        EXPECT_EQ(CrossedWords::split(lines, {100}, grid, 14), static_cast<int>(c.want.size()) - 1);
        std::vector<std::string> got;
        for (const OCRWord& w : lines[0].words)
            got.push_back(w.text);
        EXPECT_EQ(got, c.want);
        if (c.lineAcross) {
            EXPECT_NEAR(lines[0].words[0].bbox.maxX(), 95, 1);
            EXPECT_NEAR(lines[0].words[1].bbox.x, 105, 1);
        }
    }
}
