#include "VozudOzev/Platform/WordGaps.hpp"

#include "VozudOzev/Model/Median.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev::WordGaps {

namespace {

// Whether the step from character i - 1 to i is wider than the word's other steps. Ink gaps
// alone mislead: a monospaced "." or "1" stands alone in its wide cell, and small bold
// headers leave letters apart, while their centres keep the word's own rhythm.
bool wideStep(const std::vector<DongSign::Symbol>& symbols, size_t i)
{
    std::vector<double> others;
    for (size_t k = 1; k < symbols.size(); ++k)
        if (k != i)
            others.push_back(symbols[k].box.midX() - symbols[k - 1].box.midX());
    const double step = symbols[i].box.midX() - symbols[i - 1].box.midX();
    // A word of two characters has no other step: a space there steps more than the
    // characters are tall, a monospaced pitch less.
    if (others.empty()) {
        std::vector<double> heights;
        for (const DongSign::Symbol& s : symbols)
            heights.push_back(s.box.h);
        return step >= 1.2 * upperMedian(std::move(heights));
    }
    return step >= 1.3 * upperMedian(std::move(others));
}

}  // namespace

std::vector<std::vector<DongSign::Symbol>> split(const std::vector<DongSign::Symbol>& symbols, double minGap)
{
    std::vector<std::vector<DongSign::Symbol>> out;
    double right = 0;
    for (size_t i = 0; i < symbols.size(); ++i) {
        const DongSign::Symbol& s = symbols[i];
        // Measured from the rightmost ink so far: boxes of accented or kerned letters overlap.
        if (out.empty() || (s.box.x - right >= minGap && wideStep(symbols, i)))
            out.emplace_back();
        out.back().push_back(s);
        right = out.size() == 1 && out.back().size() == 1 ? s.box.maxX() : std::max(right, s.box.maxX());
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
    return upperMedian(std::move(spreads)) >= 0.12;
}

double spaceGap(const std::vector<DongSign::Symbol>& symbols)
{
    // A space is about a third of an em, the blank between letters a tenth or less; a
    // capital, digit or ascender is about 0.7 em tall. The upper quartile of the heights
    // finds those in lower-case words too, where x-height letters are the median.
    std::vector<double> heights;
    for (const DongSign::Symbol& s : symbols)
        heights.push_back(s.box.h);
    if (heights.empty())
        return 0;
    const size_t upper = heights.size() * 3 / 4;
    std::nth_element(heights.begin(), heights.begin() + static_cast<std::ptrdiff_t>(upper), heights.end());
    return 0.4 * heights[upper];
}

}  // namespace VozudOzev::WordGaps
