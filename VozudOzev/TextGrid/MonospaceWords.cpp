#include "VozudOzev/TextGrid/MonospaceWords.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/TextGrid/InkMask.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev {

namespace {

std::vector<OCRWord> byLeftEdge(std::vector<OCRWord> words)
{
    std::stable_sort(words.begin(), words.end(), [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
    return words;
}

// The line with its words replaced by `kept`, its text rebuilt when they changed.
OCRLine withWords(const OCRLine& line, std::vector<OCRWord> kept)
{
    OCRLine copy = line;
    if (kept.size() != line.words.size()) {
        copy.text.clear();
        for (const OCRWord& w : kept)
            copy.text += (copy.text.empty() ? "" : " ") + w.text;
    }
    copy.words = std::move(kept);
    return copy;
}

void append(OCRWord& last, const OCRWord& w, const std::string& between)
{
    last.text += between + w.text;
    last.bbox = last.bbox.unite(w.bbox);
    last.confidence = std::min(last.confidence, w.confidence);
}

}  // namespace

std::vector<OCRLine> MonospaceWords::rejoined(const std::vector<OCRLine>& lines, double pitch, int& joined)
{
    std::vector<OCRLine> out;
    for (const OCRLine& line : lines) {
        std::vector<OCRWord> kept;
        for (OCRWord& w : byLeftEdge(line.words)) {
            if (!kept.empty() && w.bbox.x - kept.back().bbox.maxX() < 0.9 * pitch) {
                append(kept.back(), w, "");
                ++joined;
                continue;
            }
            kept.push_back(std::move(w));
        }
        out.push_back(withWords(line, std::move(kept)));
    }
    return out;
}

bool MonospaceWords::underscoreIn(const Image& image, const BBox& gap, double h)
{
    const InkMask mask = InkMask::of(image, gap, 0.4);
    if (mask.width < 2 || mask.height < 4 || !(h >= 4))
        return false;
    // The topmost run of inked rows; what lies below a blank row is the next line's.
    int top = 0;
    while (top < mask.height && mask.rowCount(top) == 0)
        ++top;
    int bottom = top;
    int widest = 0;
    while (bottom < mask.height && mask.rowCount(bottom) > 0)
        widest = std::max(widest, mask.rowCount(bottom++));
    if (top == mask.height || bottom == mask.height)
        return false;
    // At the foot of the text, no taller than a stroke, and right across the blank (a
    // mark over a letter of the next line is narrower); the blank itself, as the mask
    // takes in the whole pixels its edges fall in.
    const double foot = static_cast<double>(mask.y0 + top) - gap.y;
    return foot >= 0.7 * h && foot <= 1.3 * h && bottom - top <= std::max(2.0, 0.2 * h) &&
           widest >= 0.85 * std::min(static_cast<double>(mask.width), gap.w);
}

std::vector<OCRLine> MonospaceWords::underscored(const std::vector<OCRLine>& lines, const Image& image, double pitch,
                                                 int& joined)
{
    std::vector<OCRLine> out;
    for (const OCRLine& line : lines) {
        std::vector<OCRWord> kept;
        for (OCRWord& w : byLeftEdge(line.words)) {
            if (!kept.empty()) {
                const OCRWord& last = kept.back();
                const double blank = w.bbox.x - last.bbox.maxX();
                const double top = std::min(last.bbox.y, w.bbox.y);
                const double h = std::max(last.bbox.maxY(), w.bbox.maxY()) - top;
                // The blank between the inks, and a little room under the text for the stroke.
                const BBox gap{last.bbox.maxX() + 1, top, blank - 2, 1.5 * h};
                if (blank >= 0.3 * pitch && blank <= 3.5 * pitch && underscoreIn(image, gap, h)) {
                    const int count = std::max(1, static_cast<int>(std::lround(blank / pitch)));
                    append(kept.back(), w, std::string(static_cast<size_t>(count), '_'));
                    ++joined;
                    continue;
                }
            }
            kept.push_back(std::move(w));
        }
        out.push_back(withWords(line, std::move(kept)));
    }
    return out;
}

namespace {

// The word cut at each blank of a whole pitch in its ink, or the word itself.
std::vector<OCRWord> partedAtBlanks(const OCRWord& w, const Image& image, double pitch)
{
    const std::u32string cps = Unicode::decode(w.text);
    const size_t n = cps.size();
    if (n < 2 || Unicode::graphemes(w.text).size() != n || w.bbox.w < (static_cast<double>(n) + 0.2) * pitch)
        return {w};
    const InkMask mask = InkMask::of(image, w.bbox, 0.4);
    if (mask.width < 2)
        return {w};
    std::vector<bool> inked(static_cast<size_t>(mask.width), false);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            inked[static_cast<size_t>(x)] = inked[static_cast<size_t>(x)] || mask.at(x, y);
    std::vector<OCRWord> out;
    size_t from = 0;           // first character of the piece being built
    double left = w.bbox.x;    // its left edge
    for (int x = 0; x < mask.width;) {
        if (inked[static_cast<size_t>(x)]) {
            ++x;
            continue;
        }
        int end = x;
        while (end < mask.width && !inked[static_cast<size_t>(end)])
            ++end;
        const double start = mask.x0 + x;
        const double stop = mask.x0 + end;
        // The characters before the blank's middle: the side room of a glyph is under half a cell.
        const auto k = static_cast<size_t>(std::floor((0.5 * (start + stop) - w.bbox.x) / pitch));
        if (stop - start >= 0.95 * pitch && x > 0 && end < mask.width && k > from && k < n) {
            OCRWord piece = w;
            piece.text = Unicode::encode(cps.substr(from, k - from));
            piece.bbox.x = left;
            piece.bbox.w = start - left;
            out.push_back(std::move(piece));
            from = k;
            left = stop;
        }
        x = end;
    }
    if (out.empty())
        return {w};
    OCRWord last = w;
    last.text = Unicode::encode(cps.substr(from));
    last.bbox.x = left;
    last.bbox.w = w.bbox.maxX() - left;
    out.push_back(std::move(last));
    return out;
}

}  // namespace

std::vector<OCRLine> MonospaceWords::emDashes(const std::vector<OCRLine>& lines, double pitch, double h, int& read)
{
    static const std::vector<std::string> dashes{"-", "\u2013", "\u2014", "=", "_", "\u2012", "\u2015"};
    std::vector<OCRLine> out = lines;
    for (OCRLine& line : out) {
        bool changed = false;
        for (OCRWord& w : line.words) {
            if (w.text == "\u2014" || std::find(dashes.begin(), dashes.end(), w.text) == dashes.end())
                continue;
            const bool cellWide = w.bbox.w >= 0.8 * pitch && w.bbox.w <= 1.3 * pitch;
            const bool stroke = w.bbox.h <= std::max(2.5, 0.2 * h);
            const double middle = line.bbox.h > 0 ? (w.bbox.midY() - line.bbox.y) / line.bbox.h : 0.5;
            const bool level = w.text != "_" || (middle >= 0.3 && middle <= 0.75);
            if (cellWide && stroke && level) {
                w.text = "\u2014";
                ++read;
                changed = true;
            }
        }
        if (changed) {
            rejoinWords(line);
        }
    }
    return out;
}

std::vector<OCRLine> MonospaceWords::spacedOut(const std::vector<OCRLine>& lines, const Image& image, double pitch,
                                               int& parted)
{
    std::vector<OCRLine> out;
    for (const OCRLine& line : lines) {
        std::vector<OCRWord> words;
        for (const OCRWord& w : line.words) {
            std::vector<OCRWord> pieces = partedAtBlanks(w, image, pitch);
            parted += pieces.size() > 1 ? 1 : 0;
            words.insert(words.end(), pieces.begin(), pieces.end());
        }
        out.push_back(withWords(line, std::move(words)));
    }
    return out;
}

}  // namespace VozudOzev
