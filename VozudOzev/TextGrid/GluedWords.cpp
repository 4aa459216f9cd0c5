#include "VozudOzev/TextGrid/GluedWords.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/TextGrid/GreyPage.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace VozudOzev {

namespace {

bool isDigit(const std::string& g)
{
    return g.size() == 1 && g[0] >= '0' && g[0] <= '9';
}

// Inside a number: a digit, or a mark that stands between or before digits.
bool inNumber(const std::string& g, bool before)
{
    static const std::vector<std::string> marks{".", ",", "/", ":", "-", "(", ")"};
    static const std::vector<std::string> signs{"$", "€", "¥", "£", "₫"};
    return isDigit(g) || std::find(marks.begin(), marks.end(), g) != marks.end() ||
           (before && std::find(signs.begin(), signs.end(), g) != signs.end());
}

// The page's word space: the lower quartile of the gaps between the words of its lines
// (column gaps are wider than a line height). Nothing with too few to tell.
std::optional<double> wordSpace(const std::vector<OCRLine>& lines, double h)
{
    std::vector<double> gaps;
    for (const OCRLine& line : lines)
        for (size_t i = 1; i < line.words.size(); ++i) {
            const double g = line.words[i].bbox.x - line.words[i - 1].bbox.maxX();
            if (g >= 0 && g < 0.8 * h)
                gaps.push_back(g);
        }
    if (gaps.size() < 5)
        return std::nullopt;
    std::nth_element(gaps.begin(), gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() / 4), gaps.end());
    return gaps[gaps.size() / 4];
}

// The word's letter spacing: the upper quartile of the blanks between its glyphs (a glued
// word has few spaces among many letters); 0 with fewer than three, too few to tell.
double letterSpacing(const std::vector<std::pair<int, int>>& blanks)
{
    if (blanks.size() < 3)
        return 0;
    std::vector<int> widths;
    for (const auto& [from, to] : blanks)
        widths.push_back(to - from);
    const auto k = static_cast<std::ptrdiff_t>(3 * (widths.size() - 1) / 4);
    std::nth_element(widths.begin(), widths.begin() + k, widths.end());
    return widths[static_cast<size_t>(k)];
}

// The letters with a blank wherever `again` has one between two of them (not inside a
// number), when `again` holds the same letters but for their marks and for decimal marks.
std::optional<std::string> blanksOf(const std::string& again, const std::vector<std::string>& letters)
{
    std::string out;
    size_t k = 0;
    bool pending = false;
    bool blank = false;
    for (const std::string& g : Unicode::graphemes(again)) {
        if (g == " ") {
            pending = k > 0;
            continue;
        }
        // A decimal or group mark between two digits is small enough for the page's reading
        // to lose; read enlarged, it is seen.
        const bool mark = (g == "," || g == ".") && k > 0 && k < letters.size() && isDigit(letters[k - 1]) &&
                          isDigit(letters[k]) && !pending;
        if (mark) {
            out += g;
            continue;
        }
        if (k >= letters.size() || Unicode::withoutMarks(g) != Unicode::withoutMarks(letters[k]))
            return std::nullopt;
        // Tabular figures leave a narrow "1" wide blanks: no blank is taken inside a number.
        if (pending && !(inNumber(letters[k - 1], true) && inNumber(letters[k], false))) {
            out += ' ';
            blank = true;
        }
        pending = false;
        out += letters[k++];
    }
    if (!blank || k != letters.size())
        return std::nullopt;
    return out;
}

// The word's text parted at its blanks. Where the reading found as many blanks as the ink
// shows, each piece ends at its blank; otherwise the box is shared out by characters.
void partedWords(const OCRWord& w, const std::string& text, const std::vector<std::pair<int, int>>& wide,
                 std::vector<OCRWord>& out)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(' ', start), text.size());
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    size_t letters = 0;
    for (const std::string& piece : pieces)
        letters += Unicode::graphemes(piece).size();
    const double per = w.bbox.w / static_cast<double>(std::max<size_t>(letters, 1));
    double x = w.bbox.x;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const bool atBlanks = wide.size() + 1 == pieces.size();
        const double to = i + 1 == pieces.size() ? w.bbox.maxX()
                          : atBlanks             ? wide[i].first
                                                 : x + per * static_cast<double>(Unicode::graphemes(pieces[i]).size());
        out.push_back(OCRWord{pieces[i], BBox{x, w.bbox.y, to - x, w.bbox.h}, w.confidence});
        x = atBlanks && i + 1 < pieces.size() ? wide[i].second : to;
    }
}

// The crop of [x0, x1) x [y0, y1) padded by pad, each of the blanks made `extra` columns
// wider with the page's colour.
Image widened(const Image& image, int x0, int x1, int y0, int y1, int pad, const std::vector<std::pair<int, int>>& wide,
              int extra)
{
    const int cx0 = std::max(0, x0 - pad);
    const int cx1 = std::min(image.width, x1 + pad);
    const int cy0 = std::max(0, y0 - pad);
    const int cy1 = std::min(image.height, y1 + pad);
    std::vector<int> source;
    for (int x = cx0; x < cx1; ++x) {
        source.push_back(x);
        for (const auto& [from, to] : wide)
            if (x == (from + to) / 2)
                source.insert(source.end(), static_cast<size_t>(extra), x);
    }
    Image out(static_cast<int>(source.size()), cy1 - cy0);
    for (int y = cy0; y < cy1; ++y)
        for (size_t i = 0; i < source.size(); ++i) {
            const std::uint8_t* p = image.pixel(source[i], y);
            std::copy(p, p + 3, out.pixel(static_cast<int>(i), y - cy0));
        }
    return out;
}

}  // namespace

std::vector<std::pair<int, int>> GluedWords::blanks(const std::vector<std::uint8_t>& grey, int width, int x0, int x1,
                                                     int y0, int y1, int bg)
{
    const GreyPage page{grey, width, y1};
    std::vector<std::pair<int, int>> out;
    int start = -1;
    bool inked = false;
    for (int x = x0; x < x1; ++x) {
        bool ink = false;
        for (int y = y0; y < y1 && !ink; ++y)
            ink = std::abs(page.at(x, y) - bg) >= 60;
        if (ink) {
            if (inked && start >= 0)
                out.emplace_back(start, x);
            start = -1;
            inked = true;
        } else if (inked && start < 0) {
            start = x;
        }
    }
    return out;
}

int GluedWords::part(std::vector<OCRLine>& lines, const Image& image, double h, const Reader& reread)
{
    if (image.empty() || !(h >= 4) || !std::isfinite(h) || !reread)
        return 0;
    const int W = image.width;
    const int H = image.height;
    const std::vector<std::uint8_t> grey = image.grey();
    const GreyPage page{grey, W, H};
    const std::optional<double> space = wordSpace(lines, h);
    if (!space)
        return 0;
    return replaceWords(lines, [&](const OCRWord& w, std::vector<OCRWord>& words) {
        const BBox& b = w.bbox;
        const std::vector<std::string> letters = Unicode::graphemes(w.text);
        const auto [x0, x1, y0, y1] = page.span(b);
        // Numbers are written without blanks; a sign after one may stand apart.
        const bool digitsOnly = std::all_of(letters.begin(), letters.end(), [](const std::string& g) {
            return isDigit(g) || g == "." || g == "," || g == "-";
        });
        if (letters.size() < 2 || digitsOnly || w.text.find(' ') != std::string::npos || x1 - x0 < h ||
            y1 - y0 < 4)
            return false;
        const int bg = page.surrounding(x0, x1, y0 - 2, y1 + 1);
        const std::vector<std::pair<int, int>> all = blanks(grey, W, x0, x1, y0, y1, bg);
        std::vector<std::pair<int, int>> wide = all;
        // Letters of a small font may stand nearly a word space apart; not quite. Nor is a
        // blank under twice the word's own letter spacing (a faint bold header's letters
        // stand apart all along).
        const double spacing = letterSpacing(all);
        std::erase_if(wide, [&](const auto& g) {
            const int width = g.second - g.first;
            return width < 2 || width < 0.7 * *space || width < 0.2 * h || width < 2.0 * spacing;
        });
        if (wide.empty())
            return false;
        const int pad = std::max(3, static_cast<int>(0.3 * h));
        const std::optional<std::string> again =
            reread(widened(image, x0, x1, y0, y1, pad, wide, static_cast<int>(std::ceil(0.5 * h))));
        // The page's reading saw the letters with their marks better than a crop does.
        const std::optional<std::string> text =
            again ? blanksOf(Unicode::trimmed(*again), letters) : std::nullopt;
        if (!text)
            return false;
        partedWords(w, *text, wide, words);
        return true;
    });
}

}  // namespace VozudOzev
