#include "VozudOzev/TextGrid/SheetColumnBar.hpp"

#include "VozudOzev/Model/Median.hpp"
#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/TextGrid/ScreenChrome.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace VozudOzev {

namespace {

// One or two letters of the Latin alphabet, as the bar's letters read.
bool letterLike(const std::string& text)
{
    return !text.empty() && text.size() <= 2 &&
           std::all_of(text.begin(), text.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

// The words of the letter bar, left to right: letter-like words at the top of the text, on
// one level, that read as column letters in order.
std::vector<OCRWord> barLetters(const std::vector<OCRLine>& lines, double h)
{
    double top = INFINITY;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            top = std::min(top, w.bbox.y);
    std::vector<OCRWord> words;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            if (letterLike(w.text) && w.bbox.midY() < top + 1.5 * h)
                words.push_back(w);
    if (words.size() < 2)
        return {};
    std::vector<double> mids;
    for (const OCRWord& w : words)
        mids.push_back(w.bbox.midY());
    const double level = upperMedian(mids);
    std::erase_if(words, [&](const OCRWord& w) { return std::abs(w.bbox.midY() - level) > 0.5 * h; });
    std::sort(words.begin(), words.end(), [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
    std::vector<std::string> texts;
    for (const OCRWord& w : words)
        texts.push_back(w.text);
    if (words.size() < 2 || !ScreenChrome::columnLetters(texts))
        return {};
    return words;
}

}  // namespace

std::vector<double> SheetColumnBar::edges(const Image& image, const std::vector<OCRLine>& lines, double h)
{
    const int W = image.width;
    const int H = image.height;
    if (W < 8 || H < 1 || image.rgb.size() < static_cast<size_t>(W) * H * 3 || !(h > 0))
        return {};
    const std::vector<OCRWord> letters = barLetters(lines, h);
    if (letters.empty())
        return {};
    // The letters' common height; a misread letter may come back taller than the bar.
    std::vector<double> tops;
    std::vector<double> bottoms;
    for (const OCRWord& w : letters) {
        tops.push_back(w.bbox.y);
        bottoms.push_back(w.bbox.maxY());
    }
    const double y0 = upperMedian(tops);
    const double y1 = upperMedian(bottoms);
    const int from = std::clamp(static_cast<int>(std::ceil(y0)), 0, H);
    const int to = std::clamp(static_cast<int>(std::floor(y1)), 0, H);
    if (to - from < 3)
        return {};
    const std::vector<std::uint8_t> grey = image.grey();
    // A section line differs from the bar on both sides, all the way down the letters'
    // height, and the bar on its two sides is alike.
    constexpr int side = 3;
    std::vector<bool> flags(static_cast<size_t>(W), false);
    for (int x = side; x < W - side; ++x) {
        int on = 0;
        for (int y = from; y < to; ++y) {
            const size_t i = static_cast<size_t>(y) * W + x;
            const int g = grey[i];
            const int left = grey[i - side];
            const int right = grey[i + side];
            on += std::abs(left - right) <= 12 && std::abs(g - left) >= 25 && std::abs(g - right) >= 25 ? 1 : 0;
        }
        flags[static_cast<size_t>(x)] = on >= 0.9 * (to - from);
    }
    std::vector<double> out;
    for (int x = 0; x < W;) {
        if (!flags[static_cast<size_t>(x)]) {
            ++x;
            continue;
        }
        const int first = x;
        while (x < W && flags[static_cast<size_t>(x)])
            ++x;
        const double mid = (first + x - 1) / 2.0;
        const bool inLetter = std::any_of(letters.begin(), letters.end(), [&](const OCRWord& w) {
            return w.bbox.x - 1 <= mid && mid <= w.bbox.maxX() + 1;
        });
        if (x - first <= side && !inLetter)
            out.push_back(mid);
    }
    // Every two neighbouring letters have a section line between them.
    for (size_t i = 1; i < letters.size(); ++i)
        if (std::none_of(out.begin(), out.end(), [&](double x) {
                return letters[i - 1].bbox.maxX() < x && x < letters[i].bbox.x;
            }))
            return {};
    return out;
}

}  // namespace VozudOzev
