#include "VozudOzev/TextGrid/TouchingColumns.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace VozudOzev {

namespace {

struct Candidate {
    double end = 0;    // right edge of the left word
    double start = 0;  // left edge of the right word
    double from = 0;   // left edge of the phrase the left word ends
    size_t line = 0;
    std::string right;  // the right word
};

double spread(const std::vector<double>& v)
{
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    return *hi - *lo;
}

bool digitAt(const std::u32string& cps, bool last)
{
    return !cps.empty() && Unicode::isNumber(last ? cps.back() : cps.front());
}

// A date or time ("02/06/2024", "2024-06-02", "12:30"): never the next group of the number
// before it.
bool dateOrTime(const std::u32string& cps)
{
    for (size_t i = 1; i + 1 < cps.size(); ++i)
        if ((cps[i] == U'/' || cps[i] == U':' || cps[i] == U'-') && Unicode::isNumber(cps[i - 1]) &&
            Unicode::isNumber(cps[i + 1]))
            return true;
    return false;
}

// The left word is an amount (digits, no letters) and the right word could open a cell:
// two or more characters with a letter or digit. A unit or currency sign after an amount
// ("14 %", "7,00 €") and the next group of a number ("1 234") belong to the amount; a code
// of four digits or more ("306 086286") does not.
bool opensCell(const OCRWord& left, const OCRWord& right)
{
    const std::u32string a = Unicode::decode(left.text);
    const std::u32string b = Unicode::decode(right.text);
    if (!std::any_of(a.begin(), a.end(), [](char32_t c) { return Unicode::isNumber(c); }) ||
        std::any_of(a.begin(), a.end(), [](char32_t c) { return Unicode::isLetter(c); }))
        return false;
    if (Unicode::graphemes(right.text).size() < 2)
        return false;
    if (!std::any_of(b.begin(), b.end(), [](char32_t c) { return Unicode::isAlphanumeric(c); }))
        return false;
    // A group of a number has three digits; a run of four or more ("086286") is a code.
    const auto run = std::find_if(b.begin(), b.end(), [](char32_t c) { return !Unicode::isNumber(c); }) - b.begin();
    return !(digitAt(a, true) && digitAt(b, false) && !dateOrTime(b) && run < 4);
}

// Whether a line the candidates left out shows the same edge with words on both sides: the
// header of a right-aligned column ending where the amounts end, and the next column's
// header starting where its words start, one blank apart.
bool edgeInOtherLine(const std::vector<OCRLine>& lines, const std::set<size_t>& onLines, double end, double start,
                     double h)
{
    const double tolerance = 0.25 * h;
    for (size_t li = 0; li < lines.size(); ++li) {
        if (onLines.count(li))
            continue;
        std::vector<OCRWord> words = lines[li].words;
        std::stable_sort(words.begin(), words.end(), [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
        for (size_t i = 1; i < words.size(); ++i) {
            const double gap = words[i].bbox.x - words[i - 1].bbox.maxX();
            if (gap >= 0 && gap <= 1.0 * h && std::abs(words[i - 1].bbox.maxX() - end) <= tolerance &&
                std::abs(words[i].bbox.x - start) <= tolerance)
                return true;
        }
    }
    return false;
}

double median(std::vector<double> v)
{
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

}  // namespace

std::vector<double> TouchingColumns::find(const std::vector<OCRLine>& lines, double h)
{
    const double tolerance = 0.25 * h;
    std::vector<Candidate> candidates;
    for (size_t li = 0; li < lines.size(); ++li) {
        std::vector<OCRWord> words = lines[li].words;
        std::stable_sort(words.begin(), words.end(), [](const OCRWord& a, const OCRWord& b) { return a.bbox.x < b.bbox.x; });
        double from = words.empty() ? 0 : words.front().bbox.x;
        for (size_t i = 1; i < words.size(); ++i) {
            const double gap = words[i].bbox.x - words[i - 1].bbox.maxX();
            // Farther apart, the gap between them parts the columns by itself; a little over a
            // word space still reads as one column to the shared gaps.
            if (gap > 1.0 * h) {
                from = words[i].bbox.x;
                continue;
            }
            if (gap >= 0 && opensCell(words[i - 1], words[i]))
                candidates.push_back({words[i - 1].bbox.maxX(), words[i].bbox.x, from, li, words[i].text});
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) { return a.start < b.start; });

    std::vector<double> edges;
    size_t i = 0;
    while (i < candidates.size()) {
        size_t j = i + 1;
        while (j < candidates.size() && candidates[j].start - candidates[i].start <= tolerance)
            ++j;
        std::vector<double> ends, starts, froms;
        std::set<size_t> onLines;
        std::set<std::string> rights;
        // Short words without digits on every row are units or currency codes ("12,00 EUR").
        bool units = true;
        for (size_t k = i; k < j; ++k) {
            rights.insert(candidates[k].right);
            const std::u32string r = Unicode::decode(candidates[k].right);
            units = units && Unicode::graphemes(candidates[k].right).size() <= 3 &&
                    std::none_of(r.begin(), r.end(), [](char32_t c) { return Unicode::isNumber(c); });
            ends.push_back(candidates[k].end);
            starts.push_back(candidates[k].start);
            froms.push_back(candidates[k].from);
            onLines.insert(candidates[k].line);
        }
        i = j;
        // Three rows at least; the left words end together but start apart (a fixed-width
        // first word, a date before a time, is one cell), unless a header line shows the
        // same edge between words of its own.
        if (onLines.size() < 3 || rights.size() < 2 || units || spread(ends) > tolerance)
            continue;
        if (spread(froms) < 0.5 * h && !edgeInOtherLine(lines, onLines, median(ends), median(starts), h))
            continue;
        const double x = (*std::max_element(ends.begin(), ends.end()) + *std::min_element(starts.begin(), starts.end())) / 2;
        // No word of any line runs across the edge.
        const bool crossed = std::any_of(lines.begin(), lines.end(), [&](const OCRLine& line) {
            return std::any_of(line.words.begin(), line.words.end(),
                               [&](const OCRWord& w) { return w.bbox.x + 1 < x && x < w.bbox.maxX() - 1; });
        });
        if (!crossed)
            edges.push_back(x);
    }
    return edges;
}

}  // namespace VozudOzev
