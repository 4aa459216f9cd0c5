#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// In monospace text every character takes one pitch, so a space leaves a blank of at least
// a whole pitch between the inks (each ink stays inside its own cell). A narrower blank between two words ("0." "3", "j" "ava",
// "12" ":59") is only the side room of a narrow glyph in its cell, which a reading that
// parts words at wide blanks took for a space.
struct MonospaceWords {
    // The lines with such words joined again; `joined` counts the joins.
    static std::vector<OCRLine> rejoined(const std::vector<OCRLine>& lines, double pitch, int& joined);

    // The OCR drops an underscore and parts the words at it ("Umsatz_März.csv" comes back as
    // "Umsatz" "März.csv"); the blank between them then holds a flat stroke along the foot
    // of the text and nothing above it. Such words are joined again by underscores, one per
    // pitch of the blank; `joined` counts the joins.
    static std::vector<OCRLine> underscored(const std::vector<OCRLine>& lines, const Image& image, double pitch,
                                            int& joined);

    // The other way round, the reading may keep a space inside a word ("20,7 %" comes back
    // as "20,7%"): a word wider than its characters take, with a blank
    // of a whole pitch in its ink, is parted there. `parted` counts the words parted.
    static std::vector<OCRLine> spacedOut(const std::vector<OCRLine>& lines, const Image& image, double pitch,
                                          int& parted);

    // A lone dash as wide as a whole character cell and as thin as a stroke is the em dash
    // of an empty value, whatever the reading made of it ("-", "–", "=", a "_" at mid height;
    // a hyphen fills half a cell, an equals sign has two strokes). `h` is the text height.
    static std::vector<OCRLine> emDashes(const std::vector<OCRLine>& lines, double pitch, double h, int& read);

    // Whether the blank `gap` holds only an underscore's stroke: flat, at the foot of text of
    // height `h` whose top is at gap.y, and across most of the blank.
    static bool underscoreIn(const Image& image, const BBox& gap, double h);
};

}  // namespace VozudOzev
