#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// The page's reading runs over some word spaces: between the tight letters of a bold header
// ("Lượtxem") and before a sign set apart by a space ("14%" for "14 %", "3,00€"). Such a
// word's ink still shows the blank; the word is read again alone with that blank widened, and
// only the blanks the new reading puts between the word's own letters are taken.
struct GluedWords {
    // Reads an image of a word alone; nothing when nothing is read.
    using Reader = std::function<std::optional<std::string>(const Image&)>;

    // Columns of [x0, x1) between rows [y0, y1) with no ink, as [from, to) runs between the
    // first and the last inked column; bg is the page's grey there.
    static std::vector<std::pair<int, int>> blanks(const std::vector<std::uint8_t>& grey, int width, int x0, int x1,
                                                   int y0, int y1, int bg);

    // Each word whose ink has a blank nearly as wide as the page's word space (the lower
    // quartile of the gaps between its words; h is the median word height) is read again with
    // its blanks widened, and parted at the blanks that reading finds, but never inside a
    // number: a narrow "1" among tabular figures leaves as wide a blank. Returns how many
    // words were parted.
    static int part(std::vector<OCRLine>& lines, const Image& image, double h, const Reader& reread);
};

}  // namespace VozudOzev
