#include "VozudOzev/TextGrid/CrossedWords.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <cmath>
#include <limits>
#include <string>

namespace VozudOzev {

namespace {

std::string joined(const std::vector<std::string>& parts, size_t from, size_t to)
{
    std::string out;
    for (size_t i = from; i < to; ++i)
        out += parts[i];
    return out;
}

}  // namespace

int CrossedWords::split(std::vector<OCRLine>& lines, const std::vector<double>& columnLines, const MergedCells& grid,
                        double h)
{
    int parted = 0;
    for (OCRLine& line : lines) {
        std::vector<OCRWord> out;
        bool changed = false;
        for (const OCRWord& word : line.words) {
            std::vector<OCRWord> pending{word};
            if (word.bbox.h > 1.5 * h) {
                out.push_back(word);
                continue;
            }
            for (double x : columnLines) {
                OCRWord& w = pending.back();
                const std::vector<std::string> chars = Unicode::graphemes(w.text);
                if (chars.size() < 2 || !(w.bbox.x + 1 < x && x < w.bbox.maxX() - 1) || !grid.drawnAcross(x, w.bbox))
                    continue;
                const auto [inkEnd, inkStart] = grid.blankAround(x, w.bbox);
                const double leftWidth = inkEnd - w.bbox.x;
                const double rightWidth = w.bbox.maxX() - inkStart;
                if (leftWidth <= 0 || rightWidth <= 0)
                    continue;
                // Letters of one font are about as wide on both sides of the line.
                size_t best = 0;
                double bestMiss = std::numeric_limits<double>::infinity();
                for (size_t k = 1; k < chars.size(); ++k) {
                    const double miss = std::abs(std::log((leftWidth / static_cast<double>(k)) /
                                                          (rightWidth / static_cast<double>(chars.size() - k))));
                    if (miss < bestMiss) {
                        bestMiss = miss;
                        best = k;
                    }
                }
                OCRWord left = w;
                left.text = joined(chars, 0, best);
                left.bbox.w = leftWidth;
                OCRWord right = w;
                right.text = joined(chars, best, chars.size());
                right.bbox.x = inkStart;
                right.bbox.w = rightWidth;
                pending.back() = left;
                pending.push_back(right);
                ++parted;
                changed = true;
            }
            out.insert(out.end(), pending.begin(), pending.end());
        }
        if (!changed)
            continue;
        line.words = std::move(out);
        rejoinWords(line);
    }
    return parted;
}

}  // namespace VozudOzev
