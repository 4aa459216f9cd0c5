#include "VozudOzev/TextGrid/FootnoteMarks.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace VozudOzev {

namespace {

// What the reading makes of a raised 1, 2 or 3.
char32_t superscriptOf(char32_t c)
{
    switch (c) {
    case U'1': case U'!': case U'l': case U'I': case U'|': case U'\'': case U'’': case U'‘': case U'i':
        return U'¹';
    case U'2': case U'?': case U'z': case U'Z':
        return U'²';
    case U'3':
        return U'³';
    default:
        return 0;
    }
}

struct Run {
    int x0 = 0, x1 = 0;  // inclusive columns
    int top = 0, bottom = 0;
    int stem = 0;  // the most ink in one column
};

// The word's ink in runs of columns parted by blank columns; rows an underline or rule
// crosses are no ink.
std::vector<Run> runsOf(const Image& image, int x0, int y0, int x1, int y1)
{
    const int w = x1 - x0;
    const int hgt = y1 - y0;
    // The page is the commonest grey of the box: a grid line along one of its edges would
    // pass for the page there and turn the page into ink.
    const std::vector<std::uint8_t> grey = image.cropped(x0, y0, x1, y1).grey();
    std::map<int, int> edge;
    for (const std::uint8_t g : grey)
        ++edge[g / 8];
    const int page = 8 * std::max_element(edge.begin(), edge.end(), [](auto& a, auto& b) {
                             return a.second < b.second;
                         })->first + 4;
    std::vector<std::uint8_t> ink(grey.size());
    for (int y = 0; y < hgt; ++y) {
        int count = 0;
        for (int x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            ink[i] = std::abs(grey[i] - page) > 60 ? 1 : 0;
            count += ink[i];
        }
        if (count > 0.7 * w)
            std::fill_n(ink.begin() + static_cast<std::ptrdiff_t>(y) * w, w, 0);
    }
    std::vector<Run> runs;
    bool open = false;
    for (int x = 0; x <= w; ++x) {
        int top = hgt, bottom = -1, count = 0;
        if (x < w)
            for (int y = 0; y < hgt; ++y)
                if (ink[static_cast<size_t>(y) * w + x]) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    ++count;
                }
        if (bottom >= 0) {
            if (!open)
                runs.push_back(Run{x, x, top, bottom, 0});
            Run& r = runs.back();
            r.stem = std::max(r.stem, count);
            r.x1 = x;
            r.top = std::min(r.top, top);
            r.bottom = std::max(r.bottom, bottom);
            open = true;
        } else {
            open = false;
        }
    }
    return runs;
}

}  // namespace

int FootnoteMarks::apply(std::vector<OCRLine>& lines, const Image& image, double h)
{
    if (image.empty() || !(h >= 4) || !std::isfinite(h))
        return 0;
    int changed = 0;
    for (OCRLine& line : lines) {
        bool any = false;
        for (OCRWord& word : line.words) {
            std::u32string cps = Unicode::decode(word.text);
            if (cps.size() < 2)
                continue;
            const char32_t last = cps.back();
            const char32_t raised = superscriptOf(last);
            const bool daggerLike = last == U't' || last == U'+' || last == U'f';
            if (raised == 0 && !daggerLike)
                continue;
            const int x0 = std::clamp(static_cast<int>(word.bbox.x) - 1, 0, image.width);
            const int x1 = std::clamp(static_cast<int>(std::ceil(word.bbox.maxX())) + 2, 0, image.width);
            const int y0 = std::clamp(static_cast<int>(word.bbox.y - 0.3 * h), 0, image.height);
            const int y1 = std::clamp(static_cast<int>(std::ceil(word.bbox.maxY() + 0.3 * h)), 0, image.height);
            if (x1 - x0 < 4 || y1 - y0 < 4)
                continue;
            const std::vector<Run> runs = runsOf(image, x0, y0, x1, y1);
            if (runs.size() < 2)
                continue;
            const Run& mark = runs.back();
            if (mark.x1 - mark.x0 + 1 > 0.6 * h)
                continue;
            int top = runs.front().top;
            for (size_t i = 0; i + 1 < runs.size(); ++i)
                top = std::min(top, runs[i].top);
            // The baseline from the word's own box: the margin searched for a dagger's tail
            // holds the next line's ascenders where lines stand close (terminals). Where the
            // higher half of the letters end: a dot under a letter ("ộ", "ạ") or a descender
            // hangs below it.
            const int wy0 = std::clamp(static_cast<int>(word.bbox.y), y0, y1);
            const int wy1 = std::clamp(static_cast<int>(std::ceil(word.bbox.maxY())) + 1, wy0, y1);
            if (wy1 - wy0 < 4)
                continue;
            std::vector<int> bottoms;
            for (const Run& r : runsOf(image, x0, wy0, x1, wy1))
                if (r.x1 < mark.x0)
                    bottoms.push_back(r.bottom + wy0 - y0);
            if (bottoms.empty())
                continue;
            std::sort(bottoms.begin(), bottoms.end());
            const double baseline = bottoms[(bottoms.size() - 1) / 2];
            const double tall = baseline - top;
            if (tall < 4)
                continue;
            char32_t now = 0;
            const int markW = mark.x1 - mark.x0 + 1;
            const int markH = mark.bottom - mark.top + 1;
            // Raised: clear of the baseline by a third of the letters' height, top near theirs.
            if (raised != 0 && mark.bottom <= baseline - 0.3 * tall && mark.top <= top + 0.25 * tall) {
                now = raised;
                // Marks the reading gives for either digit: a "1" is one upright stroke, a "2"
                // bends; a raised mark wider than tall is an asterisk. Below eight pixels the
                // strokes blur, so the cell is flagged.
                const bool ambiguous = last == U'?' || last == U'!' || last == U'\'' || last == U'’' || last == U'‘';
                if (ambiguous) {
                    const bool quote = last == U'\'' || last == U'’' || last == U'‘';
                    now = quote && markW >= markH ? U'*' : mark.stem >= 0.95 * markH ? U'¹' : U'²';
                    if (markH < 8)
                        word.confidence = std::min(word.confidence, 0.5);
                }
            }
            // A dagger hangs below the baseline; a "t" stands on it.
            if (now == 0 && daggerLike && mark.bottom >= baseline + std::max(1.0, 0.08 * tall) &&
                mark.top <= top + 0.1 * tall)
                now = U'†';
            if (now == 0)
                continue;
            cps.back() = now;
            word.text = Unicode::encode(cps);
            any = true;
            ++changed;
        }
        if (any) {
            rejoinWords(line);
        }
    }
    return changed;
}

}  // namespace VozudOzev
