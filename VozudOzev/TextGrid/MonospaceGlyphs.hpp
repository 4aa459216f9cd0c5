#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <string>
#include <vector>

namespace VozudOzev {

// A terminal draws every character into its own cell at whole pixels, so one character's
// glyph is the same pixels wherever it stands. The reading does not always agree with itself
// on them ("alice" and "aLice", "tty1" and "ttyl"); where the readings of the same pixels
// clearly agree on one character, the others are read as that character too. Likewise a
// glyph read as a letter that another glyph is read as throughout, and as tall as the
// letter's other case ("units" where the small "u"s are a third shorter), is that case, and
// a "T" with a foot as wide as its top is a serifed "I", an "L" or "t" with a serif on the
// left of its top and nothing else beside its stem above the foot an "l".
struct MonospaceGlyphs {
    // The lines with each character that a clear majority of the readings of its glyph name
    // otherwise read as they do; `changed` counts the characters changed. `pitch` is the
    // character pitch.
    static std::vector<OCRLine> agreed(const std::vector<OCRLine>& lines, const Image& image, double pitch,
                                       int& changed);

    // The glyph in the cell centred at `cx` of a word whose ink is `word`: the size and ink of
    // the components whose middle falls in the cell; empty when the cell has no ink or a
    // stroke runs on into a neighbour's cell.
    static std::string glyphKey(const Image& image, double cx, const BBox& word, double pitch);
};

}  // namespace VozudOzev
