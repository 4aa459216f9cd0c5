#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// Terminal fonts draw the zero with a dot inside (DejaVu Sans Mono, Liberation Mono) so that
// it never passes for an O; the OCR, trained on plain zeros, reads that glyph as "9", "6",
// "O" or "®". In monospace text each glyph has its own cell, so the glyph behind every
// character can be looked at: a ring with a separate small dot in its middle is a zero.
struct DottedZeros {
    // The lines with such characters read as "0", and, where the zeros show their dot, a
    // "0" in a word with letters whose glyph is a ring as tall with nothing inside read as
    // "O"; `fixed` counts them. `pitch` is the character pitch of the text.
    static std::vector<OCRLine> read(const std::vector<OCRLine>& lines, const Image& image, double pitch, int& fixed);

    // Whether the glyph in `cell` (one character cell, image pixels) is a ring around a dot.
    static bool dottedZero(const Image& image, const BBox& cell);
};

}  // namespace VozudOzev
