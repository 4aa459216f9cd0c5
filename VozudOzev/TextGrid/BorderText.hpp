#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <vector>

namespace VozudOzev {

// Terminal tables draw their grid with characters (| + - = and the box-drawing set).
// The OCR reads them as text; here they are taken out of the words and kept as
// separator positions instead, so they never end up in a cell.
struct BorderText {
    struct Mark {
        double x = 0;    // centre of a vertical border character
        double top = 0;  // the line it was read on
        double bottom = 0;
    };

    std::vector<OCRLine> lines;     // the text without border characters, blank lines dropped
    std::vector<Mark> vertical;     // where vertical borders were read
    std::vector<double> horizontal; // y of lines made only of border characters

    // Strips border characters from words: whole border words are dropped, bars at a
    // word's edge or inside it cut the word there.
    static BorderText strip(const std::vector<OCRLine>& lines);
    // The same, and a line whose ink in `image` is one flat stroke is a drawn rule whatever
    // the OCR made of it ("+-----+" read as "==-22----2---4-").
    static BorderText strip(const std::vector<OCRLine>& lines, const Image& image);

    // Whether the ink inside `box` is a rule: nearly all of it in a band no taller than a
    // stroke of text of height `h`, running along much of a box at least a few words long
    // (dashes leave gaps between them).
    static bool flatInk(const Image& image, const BBox& box, double h);

    static bool isVerticalBorder(char32_t cp);
    static bool isBorder(char32_t cp);
};

}  // namespace VozudOzev
