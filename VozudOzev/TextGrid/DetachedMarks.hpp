#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"

#include <vector>

namespace VozudOzev {

// The accents over a line of text ("Hàng tiêu dùng") are read now and then a second time as
// a line of their own, a few pixels tall (". ca ay"), on top of the words that carry them.
// No cell text is that small, and in a table those marks would make a row of their own.
struct DetachedMarks {
    // Takes out each word far lower than the page's words (under 0.4 of their median
    // height) that stands over or under a word of full height, within that word's width;
    // lines left empty go. Returns how many words were taken out.
    static int remove(std::vector<OCRLine>& lines);
};

}  // namespace VozudOzev
