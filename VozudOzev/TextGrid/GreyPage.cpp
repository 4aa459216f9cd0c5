#include "VozudOzev/TextGrid/GreyPage.hpp"

#include <algorithm>
#include <cmath>

namespace VozudOzev {

GreyPage::Span GreyPage::span(const BBox& box) const
{
    return Span{std::clamp(static_cast<int>(std::floor(box.x)), 0, width),
                std::clamp(static_cast<int>(std::ceil(box.maxX())), 0, width),
                std::clamp(static_cast<int>(std::floor(box.y)), 0, height),
                std::clamp(static_cast<int>(std::ceil(box.maxY())), 0, height)};
}

int GreyPage::surrounding(int x0, int x1, int above, int below) const
{
    std::vector<int> values;
    for (int y : {above, below})
        if (y >= 0 && y < height)
            for (int x = std::max(0, x0); x < std::min(width, x1); ++x)
                values.push_back(at(x, y));
    if (values.empty())
        return 255;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

}  // namespace VozudOzev
