#include "VozudOzev/TextGrid/SheetLetterBar.hpp"

#include "Support/Canvas.hpp"
#include "Support/OCRBuilders.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
namespace Canvas = TestSupport::Canvas;
using namespace TestSupport::OCRBuilders;

namespace {

// A sheet 240 px wide: a light letter bar over rows 0-15 with section lines at x 80 and
// 160, its bottom line at row 16, white cells under it.
Image sheet(std::uint8_t barFill)
{
    Image image(240, 60);
    Canvas::fill(image, 0, 0, 240, 16, barFill);
    Canvas::fill(image, 0, 16, 240, 1, 150);
    Canvas::fill(image, 80, 0, 1, 17, 150);
    Canvas::fill(image, 160, 0, 1, 17, 150);
    return image;
}

// What the page's reading made of the bar, and the header row under it.
std::vector<OCRLine> pageLines()
{
    return {
        line({word("Ẩ", 36, 3, 8, 10, 0.4), word("(€", 116, 2, 10, 11, 0.3)}, 0.3),
        line({word("Name", 10, 22, 40, 12), word("Amount", 90, 22, 56, 12), word("Date", 170, 22, 36, 12)}),
    };
}

// Letters as the bar's reading returns them: in the enlarged strip (3x, margin 8).
std::vector<OCRLine> stripReading(const std::vector<std::string>& texts)
{
    std::vector<OCRWord> words;
    for (size_t i = 0; i < texts.size(); ++i)
        words.push_back(word(texts[i], 3 * (36 + 80 * static_cast<double>(i) + 8), 3 * (3 + 8), 24, 30, 0.9));
    return {line(words)};
}

}  // namespace

TEST(SheetLetterBar, LettersReadAgainReplaceThePageReadingOnlyWhenTheyRunInOrder)
{
    const struct {
        const char* what;
        std::vector<std::string> again;
        bool replaced;
    } cases[] = {
        {"column letters", {"A", "B", "C"}, true},
        {"one letter misread among three", {"A", "B", "Q"}, false},
        {"a header's words", {"NAME", "QTY", "DATE"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<OCRLine> lines = pageLines();
        int asked = 0;
        const int n = SheetLetterBar::reread(lines, sheet(235), [&](const Image& strip) {
            ++asked;
            EXPECT_EQ(strip.width, 3 * (240 + 16));
            EXPECT_EQ(strip.height, 3 * (16 + 16));
            return stripReading(c.again);
        });
        EXPECT_EQ(asked, 1);
        if (!c.replaced) {
            EXPECT_EQ(n, 0);
            EXPECT_EQ(lines, pageLines());
            continue;
        }
        EXPECT_EQ(n, 3);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].text, "A B C");
        EXPECT_EQ(lines[0].words[1].bbox, (BBox{116, 3, 8, 10}));
        EXPECT_EQ(lines[1].text, "Name Amount Date");
    }
}

TEST(SheetLetterBar, SectionLinesArePaintedOutOfTheStrip)
{
    std::vector<OCRLine> lines = pageLines();
    SheetLetterBar::reread(lines, sheet(235), [&](const Image& strip) {
        // Where the section line at x 80 stood (margin 8, 3x), the strip shows the bar's fill.
        for (int y = 30; y < 60; y += 5) {
            EXPECT_NEAR(strip.pixel(3 * 88 + 1, y)[0], 235, 3);
        }
        return stripReading({"A", "B", "C"});
    });
}

TEST(SheetLetterBar, TextOnWhiteOrAWellReadHeaderIsNotReadAgain)
{
    const struct {
        const char* what;
        Image image;
        std::vector<OCRLine> lines;
    } cases[] = {
        {"no bar: the top text stands on white", sheet(255), pageLines()},
        {"a header on a filled bar, read well", sheet(235),
         {line({word("Name", 10, 3, 40, 12), word("Amount", 90, 3, 56, 12)}),
          line({word("Ann", 10, 22, 30, 12), word("12", 90, 22, 16, 12)})}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<OCRLine> lines = c.lines;
        bool asked = false;
        EXPECT_EQ(SheetLetterBar::reread(lines, c.image,
                                         [&](const Image&) {
                                             asked = true;
                                             return stripReading({"A", "B", "C"});
                                         }),
                  0);
        EXPECT_FALSE(asked);
        EXPECT_EQ(lines, c.lines);
    }
}
