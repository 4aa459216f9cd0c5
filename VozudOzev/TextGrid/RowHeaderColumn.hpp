#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"

#include <vector>

namespace VozudOzev {

// A table widget's row header: a narrow column of row numbers left of the grid's first
// column line, under an empty corner. Its section borders come back as dashes and its
// small digits as other marks ("3" as "ec!"), which would part the rows of the grid.
struct RowHeaderColumn {
    // Takes out every word between the first and last row separator that stands left of
    // the first column line with text on both sides, when those words are short, whole
    // numbers rising down the column (three or more; one row in three between them may be
    // misread, the last as one glyph, and a row read twice counts once), and none stands in the top text row of
    // the grid beside them nor labels them above the first (a word or a sign such as "#").
    // vertical and horizontal are the separators, h the median word height. Returns the
    // words taken.
    static int remove(std::vector<OCRLine>& lines, const std::vector<double>& vertical,
                      const std::vector<double>& horizontal, double h);
};

}  // namespace VozudOzev
