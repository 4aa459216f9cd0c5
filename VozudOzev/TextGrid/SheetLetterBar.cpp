#include "VozudOzev/TextGrid/SheetLetterBar.hpp"

#include "VozudOzev/Model/Median.hpp"
#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/TextGrid/ScreenChrome.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

namespace VozudOzev {

namespace {

struct RowFill {
    int value = 0;  // the row's most common grey
    int count = 0;  // pixels within a few levels of it
};

RowFill fillOf(const std::vector<std::uint8_t>& grey, int width, int y)
{
    std::array<int, 256> histogram{};
    for (int x = 0; x < width; ++x)
        ++histogram[grey[static_cast<size_t>(y) * width + x]];
    const int mode = static_cast<int>(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
    int count = 0;
    for (int v = std::max(0, mode - 3); v <= std::min(255, mode + 3); ++v)
        count += histogram[static_cast<size_t>(v)];
    return {mode, count};
}

double medianHeight(const std::vector<OCRLine>& lines)
{
    std::vector<double> heights;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            heights.push_back(w.bbox.h);
    return upperMedian(heights);
}

std::vector<OCRWord> wordsOn(const std::vector<OCRLine>& lines, int y0, int y1)
{
    std::vector<OCRWord> out;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            if (w.bbox.midY() >= y0 && w.bbox.midY() < y1)
                out.push_back(w);
    std::sort(out.begin(), out.end(), [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
    return out;
}

std::vector<std::string> textsOf(const std::vector<OCRWord>& words)
{
    std::vector<std::string> texts;
    for (const OCRWord& w : words)
        texts.push_back(w.text);
    return texts;
}

}  // namespace

std::optional<std::pair<int, int>> SheetLetterBar::band(const Image& image, const std::vector<OCRLine>& lines,
                                                          double h)
{
    const int W = image.width;
    const int H = image.height;
    if (W < 8 || H < 4 || image.rgb.size() < static_cast<size_t>(W) * H * 3 || !(h > 0))
        return std::nullopt;
    double top = INFINITY;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            top = std::min(top, w.bbox.y);
    std::vector<double> mids;
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            if (w.bbox.midY() < top + 1.5 * h)
                mids.push_back(w.bbox.midY());
    if (mids.empty())
        return std::nullopt;
    const int centre = std::clamp(static_cast<int>(upperMedian(mids)), 0, H - 1);
    const std::vector<std::uint8_t> grey = image.grey();
    // A light fill: white is the cells' own ground, a dark one is a theme's or a header's.
    const RowFill fill = fillOf(grey, W, centre);
    if (fill.value < 170 || fill.value > 250 || fill.count < W / 2)
        return std::nullopt;
    auto same = [&](int y) {
        const RowFill f = fillOf(grey, W, y);
        return std::abs(f.value - fill.value) <= 4 && f.count >= W / 2;
    };
    int y0 = centre;
    while (y0 > 0 && same(y0 - 1))
        --y0;
    int y1 = centre + 1;
    while (y1 < H && same(y1))
        ++y1;
    if (y1 - y0 < 0.8 * h || y1 - y0 > 3 * h)
        return std::nullopt;
    return std::pair{y0, y1};
}

int SheetLetterBar::reread(std::vector<OCRLine>& lines, const Image& image, const Reader& read)
{
    const double h = medianHeight(lines);
    const std::optional<std::pair<int, int>> rows = band(image, lines, h);
    if (!rows)
        return 0;
    const auto [y0, y1] = *rows;
    const std::vector<OCRWord> onBar = wordsOn(lines, y0, y1);
    // Letters read well already, or a header's words: nothing to read again.
    if (onBar.empty() || ScreenChrome::columnLetters(textsOf(onBar)) ||
        std::any_of(onBar.begin(), onBar.end(), [](const OCRWord& w) {
            return Unicode::graphemes(w.text).size() >= 4 && w.confidence >= 0.75;
        }))
        return 0;

    const int W = image.width;
    const int bh = y1 - y0;
    const std::vector<std::uint8_t> grey = image.grey();
    const int fill = fillOf(grey, W, y0).value;
    // The bar on a margin of its own fill, as a reading expects around a line.
    const int margin = std::max(4, bh / 2);
    Image strip(W + 2 * margin, bh + 2 * margin);
    for (std::uint8_t& v : strip.rgb)
        v = static_cast<std::uint8_t>(fill);
    for (int x = 0; x < W; ++x) {
        // A section line runs the bar's whole height and would read as an "I".
        int ink = 0;
        for (int y = y0; y < y1; ++y)
            ink += std::abs(grey[static_cast<size_t>(y) * W + x] - fill) >= 20 ? 1 : 0;
        if (ink >= 0.8 * bh)
            continue;
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* from = image.pixel(x, y);
            std::uint8_t* to = strip.pixel(x + margin, y - y0 + margin);
            std::copy(from, from + 3, to);
        }
    }
    constexpr double scale = 3.0;
    const std::optional<Image> big = strip.scaled(scale);
    if (!big)
        return 0;
    std::vector<OCRLine> again = read(*big);
    std::vector<OCRWord> letters;
    for (OCRLine& line : again)
        for (OCRWord& w : line.words) {
            w.bbox = BBox{w.bbox.x / scale - margin, w.bbox.y / scale - margin + y0, w.bbox.w / scale, w.bbox.h / scale};
            letters.push_back(w);
        }
    std::sort(letters.begin(), letters.end(), [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
    if (letters.size() < 2 || !ScreenChrome::columnLetters(textsOf(letters)))
        return 0;

    for (OCRLine& line : lines) {
        if (!std::erase_if(line.words, [&](const OCRWord& w) { return w.bbox.midY() >= y0 && w.bbox.midY() < y1; }))
            continue;
        line.text.clear();
        for (const OCRWord& w : line.words) {
            line.bbox = line.text.empty() ? w.bbox : line.bbox.unite(w.bbox);
            line.text += (line.text.empty() ? "" : " ") + w.text;
        }
    }
    std::erase_if(lines, [](const OCRLine& l) { return l.words.empty(); });
    OCRLine bar;
    bar.bbox = letters.front().bbox;
    bar.confidence = 1;
    for (const OCRWord& w : letters) {
        bar.bbox = bar.bbox.unite(w.bbox);
        bar.confidence = std::min(bar.confidence, w.confidence);
        bar.text += (bar.text.empty() ? "" : " ") + w.text;
    }
    bar.words = letters;
    lines.insert(lines.begin(), std::move(bar));
    return static_cast<int>(letters.size());
}

}  // namespace VozudOzev
