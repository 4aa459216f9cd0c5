#include "VozudOzev/Platform/WordGaps.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev::WordGaps {

std::vector<std::vector<DongSign::Symbol>> split(const std::vector<DongSign::Symbol>& symbols, double minGap)
{
    // The blank before each character, measured from the rightmost ink so far: boxes of
    // accented or kerned letters overlap.
    std::vector<double> gaps;
    double right = 0;
    for (size_t i = 0; i < symbols.size(); ++i) {
        if (i > 0)
            gaps.push_back(symbols[i].box.x - right);
        right = i == 0 ? symbols[i].box.maxX() : std::max(right, symbols[i].box.maxX());
    }
    std::vector<std::vector<DongSign::Symbol>> out;
    for (size_t i = 0; i < symbols.size(); ++i) {
        bool space = false;
        if (i > 0 && gaps[i - 1] >= minGap) {
            // Also well beyond the word's other blanks: letter-spaced or coarsely hinted
            // text spaces every letter widely.
            std::vector<double> others;
            for (size_t k = 0; k < gaps.size(); ++k)
                if (k != i - 1)
                    others.push_back(std::max(gaps[k], 0.0));
            std::nth_element(others.begin(), others.begin() + static_cast<std::ptrdiff_t>(others.size() / 2),
                             others.end());
            space = others.empty() || gaps[i - 1] >= 2.5 * others[others.size() / 2];
        }
        if (out.empty() || space)
            out.emplace_back();
        out.back().push_back(symbols[i]);
    }
    return out;
}

bool proportional(const std::vector<std::vector<DongSign::Symbol>>& words)
{
    // Per word of four or more characters, the spread of the distances between neighbouring
    // centres relative to their mean: near 0 for monospace, 0.2 and more for proportional.
    std::vector<double> spreads;
    for (const auto& word : words) {
        if (word.size() < 4)
            continue;
        std::vector<double> d;
        for (size_t i = 1; i < word.size(); ++i)
            d.push_back(word[i].box.midX() - word[i - 1].box.midX());
        double mean = 0;
        for (double v : d)
            mean += v;
        mean /= static_cast<double>(d.size());
        if (mean <= 0)
            continue;
        double var = 0;
        for (double v : d)
            var += (v - mean) * (v - mean);
        spreads.push_back(std::sqrt(var / static_cast<double>(d.size())) / mean);
    }
    if (spreads.size() < 5)
        return false;
    std::nth_element(spreads.begin(), spreads.begin() + static_cast<std::ptrdiff_t>(spreads.size() / 2), spreads.end());
    return spreads[spreads.size() / 2] >= 0.12;
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
