#include "VozudOzev/TextGrid/DashLookalikes.hpp"

#include "VozudOzev/Model/Median.hpp"
#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/Repair/DashDetector.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace VozudOzev {

namespace {

bool lookalike(const std::string& text)
{
    // A speck beside the bar ("_.") and a thin bar's two ends ("\"") come back too.
    static constexpr std::array<std::string_view, 7> marks{"_", "=", "~", "__", "==", "_.", "\""};
    const std::string t = Unicode::trimmed(text);
    return std::find(marks.begin(), marks.end(), t) != marks.end();
}

// The rows' text from top to bottom: medians over the row's other one-row cells, so that
// the mark is measured against the row's letters rather than its own ink.
std::optional<std::pair<double, double>> rowText(const Table& table, const Cell& mark)
{
    std::vector<double> tops;
    std::vector<double> bottoms;
    for (const Cell& c : table.cells)
        if (&c != &mark && c.row == mark.row && c.rowSpan == 1 && c.bbox && !lookalike(c.text) &&
            !Unicode::trimmed(c.text).empty()) {
            tops.push_back(c.bbox->y);
            bottoms.push_back(c.bbox->maxY());
        }
    if (tops.empty())
        return std::nullopt;
    const double top = upperMedian(tops);
    const double bottom = upperMedian(bottoms);
    if (!(bottom > top))
        return std::nullopt;
    return std::make_pair(top, bottom);
}

}  // namespace

int DashLookalikes::restore(Table& table, const Image& image, double textHeight)
{
    if (!(textHeight > 0) || !std::isfinite(textHeight))
        return 0;
    int changed = 0;
    for (Cell& c : table.cells) {
        if (!c.bbox || !lookalike(c.text))
            continue;
        const std::optional<std::pair<double, double>> text = rowText(table, c);
        if (!text)
            continue;
        const BBox& b = *c.bbox;
        const BBox around{b.x - 0.4 * textHeight, text->first, b.w + 0.8 * textHeight, text->second - text->first};
        if (const std::optional<std::string> dash =
                DashDetector::detect(image, around, textHeight, DashDetector::Specks::ignored)) {
            c.text = *dash;
            ++changed;
        }
    }
    return changed;
}

}  // namespace VozudOzev
