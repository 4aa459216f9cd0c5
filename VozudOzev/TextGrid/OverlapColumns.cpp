#include "VozudOzev/TextGrid/OverlapColumns.hpp"

#include <algorithm>

namespace VozudOzev {

std::vector<TextGridEngine::Band> OverlapColumns::removed(const std::vector<TextGridEngine::Band>& columns,
                                                          const std::vector<TextGridEngine::Row>& rows, double h,
                                                          int& removed)
{
    using Band = TextGridEngine::Band;
    // Judged a little inside each phrase's ends, as placement does, so that an overhang of
    // a pixel or two does not make a phrase reach across.
    auto whole = [&](const Band& b) {
        for (const TextGridEngine::Row& row : rows)
            for (const TextSegment& s : row) {
                const double inset = std::min(0.25 * s.bbox.w, 0.3 * h);
                if (b.lo <= s.bbox.x + inset && s.bbox.maxX() - inset < b.hi)
                    return true;
            }
        return false;
    };
    auto touched = [&](const Band& b) {
        for (const TextGridEngine::Row& row : rows)
            for (const TextSegment& s : row)
                if (s.bbox.x < b.hi && s.bbox.maxX() > b.lo)
                    return true;
        return false;
    };
    // Only between two columns: at the table's edge there is no gap to give it to.
    std::vector<Band> out;
    for (size_t i = 0; i < columns.size(); ++i) {
        const Band& b = columns[i];
        if (i > 0 && i + 1 < columns.size() && !out.empty() && touched(b) && !whole(b)) {
            const double middle = (b.lo + b.hi) / 2;
            out.back().hi = middle;
            out.push_back({middle, columns[i + 1].hi});
            ++i;
            ++removed;
            continue;
        }
        out.push_back(b);
    }
    return out;
}

}  // namespace VozudOzev
