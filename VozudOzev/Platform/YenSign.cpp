#include "VozudOzev/Platform/YenSign.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace VozudOzev::YenSign {

namespace {

struct Run {
    int from = 0;  // first inked column
    int to = 0;    // one past the last
};

// The runs of ink along each row of the glyph, trimmed to its ink.
std::vector<std::vector<Run>> runsOf(const std::vector<std::uint8_t>& grey, int width, int height, int background,
                                     const BBox& box, int& inkWidth)
{
    const int x0 = std::clamp(static_cast<int>(std::floor(box.x)), 0, width);
    const int x1 = std::clamp(static_cast<int>(std::ceil(box.maxX())), 0, width);
    const int y0 = std::clamp(static_cast<int>(std::floor(box.y)), 0, height);
    const int y1 = std::clamp(static_cast<int>(std::ceil(box.maxY())), 0, height);
    int strongest = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            strongest = std::max(strongest, std::abs(grey[static_cast<size_t>(y) * width + x] - background));
    std::vector<std::vector<Run>> rows;
    inkWidth = 0;
    if (strongest < 60)
        return rows;
    const int threshold = strongest / 2;
    int left = x1, right = x0;
    for (int y = y0; y < y1; ++y) {
        std::vector<Run> runs;
        for (int x = x0; x < x1; ++x) {
            if (std::abs(grey[static_cast<size_t>(y) * width + x] - background) < threshold)
                continue;
            if (runs.empty() || runs.back().to < x)
                runs.push_back({x, x + 1});
            else
                runs.back().to = x + 1;
            left = std::min(left, x);
            right = std::max(right, x + 1);
        }
        if (!runs.empty() || !rows.empty())
            rows.push_back(std::move(runs));
    }
    while (!rows.empty() && rows.back().empty())
        rows.pop_back();
    for (auto& row : rows)
        for (Run& r : row) {
            r.from -= left;
            r.to -= left;
        }
    inkWidth = right - left;
    return rows;
}

}  // namespace

bool drawnAt(const std::vector<std::uint8_t>& grey, int width, int height, int background, const BBox& box)
{
    if (width <= 0 || height <= 0 || grey.size() < static_cast<size_t>(width) * height || !(box.w > 0 && box.h > 0))
        return false;
    int W = 0;
    const std::vector<std::vector<Run>> rows = runsOf(grey, width, height, background, box, W);
    const int H = static_cast<int>(rows.size());
    if (H < 10 || W < 0.4 * H || W > 1.2 * H)
        return false;
    const double middle = W / 2.0;
    auto isBar = [&](int y) { return rows[y].size() == 1 && rows[y].front().to - rows[y].front().from >= 0.6 * W; };
    // The arms: two runs, one in each outer part of the glyph.
    for (int y = 0; y < std::max(2, H / 6); ++y) {
        if (rows[y].size() != 2 || rows[y][0].from > 0.3 * W || rows[y][1].to < 0.7 * W)
            return false;
    }
    // Below the arms a bar or two across most of the width, and between and under them the
    // stem: one narrow run, centred (a serif may widen the last rows).
    bool bar = false;
    for (int y = H / 3; y < H * 6 / 10; ++y)
        bar = bar || isBar(y);
    int stem = 0;
    for (int y = H * 6 / 10; y < H * 9 / 10; ++y) {
        if (isBar(y)) {
            bar = true;
            continue;
        }
        if (rows[y].size() != 1)
            return false;
        const Run& r = rows[y].front();
        if (r.to - r.from > 0.4 * W || std::abs((r.from + r.to) / 2.0 - middle) > 0.15 * W)
            return false;
        ++stem;
    }
    return bar && stem >= 2;
}

void restore(PageWord& word, const std::vector<DongSign::Symbol>& symbols, const std::vector<std::uint8_t>& grey,
             int width, int height, int background)
{
    const std::vector<std::string> letters = Unicode::graphemes(word.text);
    if (letters.size() < 2 || symbols.size() != letters.size() || symbols.front().text != letters.front())
        return;
    static const std::vector<std::string> readAs{"2", "4", "7", "Y", "V", "X", "y", "v", "x"};
    if (std::find(readAs.begin(), readAs.end(), letters.front()) == readAs.end())
        return;
    // An amount: digits after the sign, with the marks of a number among them.
    bool digit = false;
    for (size_t i = 1; i < letters.size(); ++i) {
        const std::string& g = letters[i];
        const bool isDigit = g.size() == 1 && Unicode::isAsciiDigit(g[0]);
        if (!isDigit && g != "." && g != "," && g != "'" && g != "\u00a0")
            return;
        digit = digit || isDigit;
    }
    if (!digit || !drawnAt(grey, width, height, background, symbols.front().box))
        return;
    word.text = "\u00a5" + word.text.substr(letters.front().size());
}

}  // namespace VozudOzev::YenSign
