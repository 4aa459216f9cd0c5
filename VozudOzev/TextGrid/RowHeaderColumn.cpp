#include "VozudOzev/TextGrid/RowHeaderColumn.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace VozudOzev {

namespace {

// The whole number a word shows once the marks glued to it ("1|", "(2)") are off.
std::optional<long> numberIn(const std::string& text)
{
    std::u32string cps = Unicode::decode(text);
    while (!cps.empty() && !Unicode::isAlphanumeric(cps.back()))
        cps.pop_back();
    size_t from = 0;
    while (from < cps.size() && !Unicode::isAlphanumeric(cps[from]))
        ++from;
    const std::string digits = Unicode::encode(std::u32string_view(cps).substr(from));
    long v = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return v;
}

// What a section border or the edge of a header cell comes back as: strokes and dots only.
bool borderMarks(const std::string& text)
{
    static constexpr std::u32string_view strokes =
        U"-\u2010\u2011\u2012\u2013\u2014\u2015\u2500\u2502_|\u00a6=~.,:;'`\u2018\u2019\"!^\u00ac";
    const std::u32string cps = Unicode::decode(text);
    return std::all_of(cps.begin(), cps.end(), [](char32_t c) { return strokes.find(c) != std::u32string_view::npos; });
}

// Whether the row sections' words count the rows: rising whole numbers, three or more,
// with misreads only between them.
bool countsRows(const std::vector<std::vector<const OCRWord*>>& sections)
{
    int numbers = 0;
    int texts = 0;
    int pending = 0;  // texts since the last number
    bool glyphAfter = false;  // the one text after the last number is a lone glyph
    std::optional<long> last;
    for (const std::vector<const OCRWord*>& section : sections) {
        ++texts;
        // A number that does not rise is a misread digit ("4" as "(2)"), as is other text;
        // misreads stand between numbers, while text before the first or after the last is
        // a label of a column of the table's own (a second header row, a total's label).
        std::optional<long> next;
        for (const OCRWord* w : section)
            if (const std::optional<long> v = numberIn(w->text); v && (!last || *v > *last) && (!next || *v < *next))
                next = v;
        if (next) {
            last = next;
            ++numbers;
            pending = 0;
        } else if (!last) {
            return false;
        } else {
            ++pending;
            glyphAfter = section.size() == 1 && Unicode::graphemes(section.front()->text).size() == 1;
        }
    }
    // A bevelled header's borders spoil its small digits: two rows in three read as rising
    // numbers still count the rows. The last row's number misread as one glyph ("8" as "D")
    // is no label: a total's label is a word.
    const bool ends = pending == 0 || (pending == 1 && glyphAfter);
    return numbers >= 3 && ends && 2 * (texts - numbers) <= numbers;
}

}  // namespace

int RowHeaderColumn::remove(std::vector<OCRLine>& lines, const std::vector<double>& vertical,
                            const std::vector<double>& horizontal, double h)
{
    if (vertical.empty() || horizontal.size() < 3)
        return 0;
    const double top = horizontal.front();
    const double bottom = horizontal.back();
    auto inside = [&](const OCRWord& w) { return w.bbox.midY() > top && w.bbox.midY() < bottom; };
    std::vector<double> xs = vertical;
    std::sort(xs.begin(), xs.end());
    // The first column line with the grid's text on both sides.
    std::optional<double> edge;
    for (double x : xs) {
        bool left = false;
        bool right = false;
        for (const OCRLine& line : lines)
            for (const OCRWord& w : line.words)
                if (inside(w))
                    (w.bbox.midX() < x ? left : right) = true;
        if (left && right) {
            edge = x;
            break;
        }
    }
    if (!edge)
        return 0;
    // The grid's top row may stand just above the first separator (a header bar's edge);
    // its corner must be empty too.
    auto nearTop = [&](const OCRWord& w) { return w.bbox.midY() > top - 2.5 * h && w.bbox.midY() < bottom; };
    std::vector<const OCRWord*> header;
    double firstRow = std::numeric_limits<double>::infinity();
    for (const OCRLine& line : lines)
        for (const OCRWord& w : line.words)
            if (nearTop(w)) {
                if (w.bbox.midX() < *edge)
                    header.push_back(&w);
                else
                    firstRow = std::min(firstRow, w.bbox.midY());
            }
    std::sort(header.begin(), header.end(), [](const OCRWord* a, const OCRWord* b) { return a->bbox.midY() < b->bbox.midY(); });
    // One section per row band: a digit read twice (alone, and again with its bevel) is
    // one reading of the row's number.
    std::vector<std::vector<const OCRWord*>> sections;
    int lastBand = -1;
    for (const OCRWord* w : header) {
        // Row numbers are short; the corner above them, in the grid's top row, is empty.
        if (Unicode::graphemes(w->text).size() > 4 || w->bbox.w > 3 * h)
            return 0;
        if (std::abs(w->bbox.midY() - firstRow) < 0.6 * h)
            return 0;
        if (!Unicode::hasAlphanumeric(w->text)) {
            // A sign over the numbers ("#", "№") labels a numbering column of the table's own;
            // a border comes back flat or thin, a sign as a glyph ("#" may read as "=").
            const bool glyph = w->bbox.h >= 0.6 * h && w->bbox.w >= 0.6 * w->bbox.h;
            if (sections.empty() && (glyph || !borderMarks(w->text)))
                return 0;
            continue;  // a section border read as a dash
        }
        const int band = static_cast<int>(std::upper_bound(horizontal.begin(), horizontal.end(), w->bbox.midY()) -
                                          horizontal.begin());
        if (sections.empty() || band != lastBand)
            sections.emplace_back();
        sections.back().push_back(w);
        lastBand = band;
    }
    if (!countsRows(sections))
        return 0;
    return removeWords(lines, [&](const OCRWord& w) { return inside(w) && w.bbox.midX() < *edge; });
}

}  // namespace VozudOzev
