#pragma once

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <cstdint>
#include <utility>
#include <vector>

namespace VozudOzev {

// A grid hides its line inside a merged cell: a column line drawn down the table that is
// missing across one phrase ("Năm nay" centred over two columns) does not part that phrase.
class MergedCells {
public:
    MergedCells(const Image& image, const BBox& extent);

    // Whether a thin column line stands at x over most of the table's height, yet not in
    // the gap between the words left and right of it.
    bool open(double x, const BBox& left, const BBox& right) const;

    // Whether a thin column line stands at x over most of the table's height and keeps its
    // grey across the word's box too: two cells' texts read as one word.
    bool drawnAcross(double x, const BBox& word) const;

    // Where the ink left of x ends and where the ink right of x starts, over the word's
    // rows: the blank around a line between two cells' texts.
    std::pair<double, double> blankAround(double x, const BBox& word) const;

private:
    // The share of the table's rows with a thin line pixel at x, the best over x - 2 to x + 2.
    double drawnDown(double x) const;
    // Whether the line at x keeps its grey over rows y0 to y1 where a word's ink stands.
    bool drawnUnderInk(double x, int y0, int y1) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> grey_;
    BBox extent_;
};

}  // namespace VozudOzev
