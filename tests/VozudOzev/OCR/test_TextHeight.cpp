#include "VozudOzev/OCR/TextHeight.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

namespace {

OCRWord tall(double h)
{
    return OCRWord{"x", BBox{0, 0, 10, h}, 90};
}

}  // namespace

TEST(TextHeight, UpperMedianOfTheBoxes)
{
    const struct {
        std::vector<double> heights;
        double want;
    } cases[] = {
        {{}, 0},
        {{12}, 12},
        {{30, 10, 12}, 12},      // one tall mark does not move it
        {{10, 14, 12, 40}, 14},  // even count: the higher middle, never a mean
    };
    for (const auto& c : cases) {
        std::vector<OCRWord> words;
        std::vector<TextSegment> segments;
        for (double h : c.heights) {
            words.push_back(tall(h));
            segments.push_back(TextSegment{"x", BBox{0, 0, 10, h}, 90});
        }
        EXPECT_EQ(TextHeight::median(words), c.want);
        EXPECT_EQ(TextHeight::median(segments), c.want);
        // The same words spread over two lines give the same height.
        std::vector<OCRLine> lines(2);
        for (size_t i = 0; i < words.size(); ++i)
            lines[i % 2].words.push_back(words[i]);
        EXPECT_EQ(TextHeight::median(lines), c.want);
    }
}
