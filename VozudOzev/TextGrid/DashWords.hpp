#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// A bold header word on a shaded bar, with the bar's border under it, may come back as a
// run of dashes ("Menge" as "————"). A drawn dash is flat; a box of dashes as tall as the
// text and wider than tall holds a word. Such a box is read again by itself, and the new
// reading replaces the dashes when it shows a letter or digit.
struct DashWords {
    // Reads one box of the image again; nothing when nothing is read there.
    using Reader = std::function<std::optional<std::string>(const BBox&)>;

    // h is the median word height. Returns how many words were replaced.
    static int reread(std::vector<OCRLine>& lines, double h, const Reader& read);
};

}  // namespace VozudOzev
