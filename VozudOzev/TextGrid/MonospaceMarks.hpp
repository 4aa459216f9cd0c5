#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// The reading now and then drops a mark that the glyph plainly carries ("Marz" for "März",
// "500d" for "500đ"): the dots are a pixel or two apart, the bar through the d a short
// stroke. In monospace text each character has its own cell, so the marks can be looked for
// in the glyph itself. Only marks whose shape names one letter are put back: two dots side
// by side over a, o or u, a bar across the ascender of a d, and a bar under a barred d (₫).
struct MonospaceMarks {
    // The lines with those letters read with their marks; `added` counts them. `pitch` is
    // the character pitch of the text.
    static std::vector<OCRLine> read(const std::vector<OCRLine>& lines, const Image& image, double pitch, int& added);

    // Whether the glyph in `cell` (one character cell with room above the letter) carries two
    // dots side by side straight over its body, and nothing else there.
    static bool twoDotsAbove(const Image& image, const BBox& cell);

    // Whether the glyph in `cell` has a stroke across its ascender, clear of the bowl below
    // and with the stem running on above it (a d with no bar has its stem alone there; a
    // serif sits at the very top).
    static bool barredAscender(const Image& image, const BBox& cell);

    // Whether the glyph in `cell` has one flat stroke of its own close under its foot: the
    // bar under the dong sign ₫, which the reading takes for the letter đ.
    static bool underlined(const Image& image, const BBox& cell);
};

}  // namespace VozudOzev
