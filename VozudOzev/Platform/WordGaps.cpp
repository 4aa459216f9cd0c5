#include "VozudOzev/Platform/WordGaps.hpp"

#include <algorithm>

namespace VozudOzev::WordGaps {

namespace {

double median(std::vector<double> v)
{
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// Whether the step from character i-1 to i (centre to centre) is wider than the word's
// other steps, as a space makes it. In a monospace font every character steps one pitch,
// so the side room of a narrow glyph ("0.3", "12:59", "java") leaves a wide blank without
// a wider step. A word of two characters has no other step: a space there steps more than
// the characters are tall.
bool widerStep(const std::vector<DongSign::Symbol>& symbols, size_t i)
{
    auto step = [&](size_t k) { return symbols[k].box.midX() - symbols[k - 1].box.midX(); };
    std::vector<double> others;
    for (size_t k = 1; k < symbols.size(); ++k)
        if (k != i)
            others.push_back(step(k));
    if (others.empty()) {
        std::vector<double> heights;
        for (const DongSign::Symbol& s : symbols)
            heights.push_back(s.box.h);
        return step(i) >= 1.2 * median(heights);
    }
    return step(i) >= 1.3 * median(others);
}

}  // namespace

std::vector<std::vector<DongSign::Symbol>> split(const std::vector<DongSign::Symbol>& symbols, double minGap)
{
    std::vector<std::vector<DongSign::Symbol>> out;
    double right = 0;
    for (size_t i = 0; i < symbols.size(); ++i) {
        const DongSign::Symbol& s = symbols[i];
        // Measured from the rightmost ink so far: boxes of accented or kerned letters overlap.
        if (out.empty() || (s.box.x - right >= minGap && widerStep(symbols, i)))
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
