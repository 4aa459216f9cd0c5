#include "VozudOzev/Platform/WordGaps.hpp"

#include <algorithm>

namespace VozudOzev::WordGaps {

std::vector<std::vector<DongSign::Symbol>> split(const std::vector<DongSign::Symbol>& symbols, double minGap)
{
    std::vector<std::vector<DongSign::Symbol>> out;
    double right = 0;
    for (const DongSign::Symbol& s : symbols) {
        // Measured from the rightmost ink so far: boxes of accented or kerned letters overlap.
        if (out.empty() || s.box.x - right >= minGap)
            out.emplace_back();
        out.back().push_back(s);
        right = out.size() == 1 && out.back().size() == 1 ? s.box.maxX() : std::max(right, s.box.maxX());
    }
    return out;
}

double spaceGap(const std::vector<DongSign::Symbol>& symbols)
{
    // A space is about a third of an em, the blank between letters a tenth or less; the
    // median character is a digit, capital or ascender about 0.7 em tall.
    std::vector<double> heights;
    for (const DongSign::Symbol& s : symbols)
        heights.push_back(s.box.h);
    if (heights.empty())
        return 0;
    std::nth_element(heights.begin(), heights.begin() + static_cast<std::ptrdiff_t>(heights.size() / 2), heights.end());
    return 0.4 * heights[heights.size() / 2];
}

}  // namespace VozudOzev::WordGaps
