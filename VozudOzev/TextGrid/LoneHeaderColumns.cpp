#include "VozudOzev/TextGrid/LoneHeaderColumns.hpp"

#include <algorithm>
#include <limits>

namespace VozudOzev {

std::vector<TextGridEngine::Band> LoneHeaderColumns::joined(const std::vector<TextGridEngine::Band>& columns,
                                                            const std::vector<TextGridEngine::Row>& rows, double h,
                                                            int& joined)
{
    using Band = TextGridEngine::Band;
    if (rows.size() < 3)
        return columns;
    auto in = [](const Band& b, const TextSegment& s) { return b.lo <= s.bbox.midX() && s.bbox.midX() < b.hi; };
    // The rows holding a phrase in b, and the x extent of those below the top row.
    struct Use {
        bool top = false;
        int below = 0;
        double lo = std::numeric_limits<double>::infinity();
        double hi = -std::numeric_limits<double>::infinity();
    };
    auto useOf = [&](const Band& b) {
        Use u;
        for (size_t r = 0; r < rows.size(); ++r) {
            bool any = false;
            for (const TextSegment& s : rows[r])
                if (in(b, s)) {
                    any = true;
                    if (r > 0) {
                        u.lo = std::min(u.lo, s.bbox.x);
                        u.hi = std::max(u.hi, s.bbox.maxX());
                    }
                }
            if (r == 0)
                u.top = any;
            else
                u.below += any ? 1 : 0;
        }
        return u;
    };
    // The top row's phrases in b: their extent.
    auto labelOf = [&](const Band& b) {
        Band out{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
        for (const TextSegment& s : rows.front())
            if (in(b, s)) {
                out.lo = std::min(out.lo, s.bbox.x);
                out.hi = std::max(out.hi, s.bbox.maxX());
            }
        return out;
    };
    std::vector<Band> out = columns;
    for (size_t i = 0; i + 1 < out.size();) {
        const Use a = useOf(out[i]);
        const Use b = useOf(out[i + 1]);
        bool join = false;
        if (a.top && a.below == 0 && !b.top && b.below >= 2)
            join = b.lo - labelOf(out[i]).hi <= 3 * h;
        else if (b.top && b.below == 0 && !a.top && a.below >= 2)
            join = labelOf(out[i + 1]).lo - a.hi <= 3 * h;
        if (join) {
            out[i].hi = out[i + 1].hi;
            out.erase(out.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            ++joined;
        } else {
            ++i;
        }
    }
    return out;
}

}  // namespace VozudOzev
