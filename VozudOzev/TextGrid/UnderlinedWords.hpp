#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// A link's underline runs under the blank between its words, and the page's reading then
// takes two words for one ("Longbien" for "Long Bien"). Such a word is read again with the
// underline painted out; only the blanks that reading finds are taken from it.
struct UnderlinedWords {
    // Reads an image of a word alone; nothing when nothing is read.
    using Reader = std::function<std::optional<std::string>(const Image&)>;

    // The row of the word's box (padded a little below, where underlines sit) that an
    // unbroken run of ink crosses from end to end, or nothing; bg is the page's grey.
    static std::optional<int> underline(const std::vector<std::uint8_t>& grey, int width, int height,
                                        const BBox& box, int bg);

    // Each underlined word whose ink above the line has a blank as wide as a word space is
    // read again with the line painted out; when that reading differs only in blanks, the
    // word is parted there (boxes shared out by characters). h is the median word height.
    // Returns how many words were parted.
    static int part(std::vector<OCRLine>& lines, const Image& image, double h, const Reader& reread);
};

}  // namespace VozudOzev
