#include "VozudOzev/TextGrid/UnderlinedWords.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/TextGrid/GreyPage.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace VozudOzev {

namespace {

// The letters with a blank wherever `again` has one, when `again` holds the same letters
// but for their marks and has a blank at all.
std::optional<std::string> blanksOf(const std::string& again, const std::vector<std::string>& letters)
{
    std::vector<std::string> read = Unicode::graphemes(again);
    std::string out;
    size_t k = 0;
    bool blank = false;
    for (const std::string& g : read) {
        if (g == " ") {
            if (k == 0 || k == letters.size() || out.back() == ' ')
                return std::nullopt;
            out += ' ';
            blank = true;
            continue;
        }
        if (k >= letters.size() || Unicode::withoutMarks(g) != Unicode::withoutMarks(letters[k]))
            return std::nullopt;
        out += letters[k++];
    }
    if (!blank || k != letters.size())
        return std::nullopt;
    return out;
}

// The widest run of columns with no ink between rows y0 and top, after the first inked one.
int widestBlank(const std::vector<std::uint8_t>& grey, int width, int x0, int x1, int y0, int top, int bg)
{
    const GreyPage page{grey, width, top};
    int gap = 0;
    int widest = 0;
    bool inked = false;
    for (int x = x0; x < x1; ++x) {
        bool ink = false;
        for (int y = y0; y < top && !ink; ++y)
            ink = std::abs(page.at(x, y) - bg) >= 60;
        gap = ink ? 0 : gap + 1;
        if (inked)
            widest = std::max(widest, gap);
        inked = inked || ink;
    }
    return widest;
}

// The word's text parted at its blanks, the box shared out by characters, so the words stay
// in the cell the whole one was in.
void partedWords(const OCRWord& w, const std::string& text, size_t letters, std::vector<OCRWord>& out)
{
    const double per = w.bbox.w / static_cast<double>(letters);
    double x = w.bbox.x;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start) {
            const std::string piece = text.substr(start, end - start);
            const double width = per * static_cast<double>(Unicode::graphemes(piece).size());
            out.push_back(OCRWord{piece, BBox{x, w.bbox.y, width, w.bbox.h}, w.confidence});
            x += width;
        }
        start = end + 1;
    }
}

}  // namespace

std::optional<int> UnderlinedWords::underline(const std::vector<std::uint8_t>& grey, int width, int height,
                                              const BBox& box, int bg)
{
    const GreyPage page{grey, width, height};
    const int x0 = std::clamp(static_cast<int>(std::ceil(box.x)), 0, width);
    const int x1 = std::clamp(static_cast<int>(std::floor(box.maxX())), 0, width);
    if (x1 - x0 < 4)
        return std::nullopt;
    // From the box's middle down to a little under it: an underline sits at or below the
    // baseline, and the reading's box may or may not take it in.
    const int from = std::clamp(static_cast<int>(box.midY()), 0, height);
    const int to = std::clamp(static_cast<int>(std::ceil(box.maxY() + 0.25 * box.h)), 0, height);
    auto covered = [&](int y) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            n += std::abs(page.at(x, y) - bg) >= 60 ? 1 : 0;
        return static_cast<double>(n) / (x1 - x0);
    };
    auto longestRun = [&](int y) {
        int run = 0;
        int best = 0;
        for (int x = x0; x < x1; ++x) {
            run = std::abs(page.at(x, y) - bg) >= 60 ? run + 1 : 0;
            best = std::max(best, run);
        }
        return static_cast<double>(best) / (x1 - x0);
    };
    for (int y = to - 1; y >= from; --y) {
        // Browsers break the line around descenders and marks under letters.
        if (covered(y) < 0.7 || longestRun(y) < 0.3)
            continue;
        // A line a few pixels thick with little ink right above it: the bottom of the
        // letters themselves is no underline.
        int top = y;
        while (top - 1 >= from && y - top < 3 && covered(top - 1) >= 0.7)
            --top;
        if (top - 1 >= 0 && covered(top - 1) < 0.5)
            return y;
        y = top;
    }
    return std::nullopt;
}

int UnderlinedWords::part(std::vector<OCRLine>& lines, const Image& image, double h, const Reader& reread)
{
    if (image.empty() || !(h >= 4) || !std::isfinite(h) || !reread)
        return 0;
    const int W = image.width;
    const int H = image.height;
    const std::vector<std::uint8_t> grey = image.grey();
    const GreyPage page{grey, W, H};
    return replaceWords(lines, [&](const OCRWord& w, std::vector<OCRWord>& words) {
        const BBox& b = w.bbox;
        const std::vector<std::string> letters = Unicode::graphemes(w.text);
        const auto [x0, x1, y0, y1] = page.span(b);
        if (letters.size() < 4 || w.text.find(' ') != std::string::npos || x1 - x0 < 2 * h || y1 - y0 < 4)
            return false;
        const int bg = page.surrounding(x0, x1, y0 - 2, y1 + 3);
        const std::optional<int> line_y = underline(grey, W, H, b, bg);
        if (!line_y)
            return false;
        // The underline's rows: the one found and its neighbours the ink crosses as well.
        auto crossed = [&](int y) {
            int n = 0;
            for (int x = x0; x < x1; ++x)
                n += std::abs(page.at(x, y) - bg) >= 60 ? 1 : 0;
            return n >= 0.7 * (x1 - x0);
        };
        int top = *line_y;
        int bottom = *line_y;
        while (top - 1 > b.midY() && crossed(top - 1))
            --top;
        while (bottom + 1 < H && crossed(bottom + 1))
            ++bottom;
        // A blank as wide as a word space in the ink above the line.
        if (widestBlank(grey, W, x0, x1, y0, top, bg) < 0.25 * h)
            return false;
        const int pad = std::max(3, static_cast<int>(0.3 * h));
        const int cx0 = std::max(0, x0 - pad);
        const int cy0 = std::max(0, y0 - pad);
        Image crop = image.cropped(cx0, cy0, std::min(W, x1 + pad), std::min(H, std::max(y1, bottom + 1) + pad));
        const std::uint8_t* paper = image.pixel(std::clamp(x0, 0, W - 1), std::clamp(y0 - 2, 0, H - 1));
        for (int y = top; y <= bottom; ++y)
            for (int x = 0; x < crop.width; ++x)
                if (y - cy0 >= 0 && y - cy0 < crop.height)
                    std::copy(paper, paper + 3, crop.pixel(x, y - cy0));
        const std::optional<std::string> again = reread(crop);
        if (!again)
            return false;
        // The blanks of the new reading put between the word's own letters: the page's
        // reading saw the letters with their marks better than a crop does.
        const std::optional<std::string> text = blanksOf(Unicode::trimmed(*again), letters);
        if (!text)
            return false;
        partedWords(w, *text, letters.size(), words);
        return true;
    });
}

}  // namespace VozudOzev
