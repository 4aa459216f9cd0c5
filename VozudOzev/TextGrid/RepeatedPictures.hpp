#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// Buttons drawn as line icons down a column (edit, delete) are read as a letter or two of
// junk, and differently from row to row although every row shows the same picture. Text
// drawn alike is read alike, so a picture standing apart, repeated row under row, whose
// readings disagree is no text.
struct RepeatedPictures {
    // Takes out the short words (up to three characters, as tall as the text, no other word
    // within h either side) whose ink is the same picture in three or more rows at one place
    // across (one side of their boxes lining up), on nearly every row between the first and
    // the last (0.8 of them), when their readings disagree and one is doubtful (confidence
    // under 0.7), or when such a set stands within 2 h beside them on the same rows (the
    // edit button beside the delete button); h is the median word height.
    // Lines left empty go. Returns the boxes of the words taken out: the pictures still take
    // room in their column.
    static std::vector<BBox> remove(std::vector<OCRLine>& lines, const Image& image, double h);
};

}  // namespace VozudOzev
