#include "VozudOzev/TextGrid/MonospaceWords.hpp"

#include <algorithm>

namespace VozudOzev {

std::vector<OCRLine> MonospaceWords::rejoined(const std::vector<OCRLine>& lines, double pitch, int& joined)
{
    std::vector<OCRLine> out;
    for (const OCRLine& line : lines) {
        std::vector<OCRWord> words = line.words;
        std::stable_sort(words.begin(), words.end(),
                         [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
        std::vector<OCRWord> kept;
        for (OCRWord& w : words) {
            if (!kept.empty() && w.bbox.x - kept.back().bbox.maxX() < 0.9 * pitch) {
                OCRWord& last = kept.back();
                last.text += w.text;
                last.bbox = last.bbox.unite(w.bbox);
                last.confidence = std::min(last.confidence, w.confidence);
                ++joined;
                continue;
            }
            kept.push_back(std::move(w));
        }
        OCRLine copy = line;
        if (kept.size() != line.words.size()) {
            copy.text.clear();
            for (const OCRWord& w : kept)
                copy.text += (copy.text.empty() ? "" : " ") + w.text;
        }
        copy.words = std::move(kept);
        out.push_back(std::move(copy));
    }
    return out;
}

}  // namespace VozudOzev
