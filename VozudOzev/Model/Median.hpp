#pragma once

#include <algorithm>
#include <vector>

namespace VozudOzev {

// The middle value of an odd count, the higher of the two middle ones of an even count
// (always one of the values, never a mean); 0 when there are none.
inline double upperMedian(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace VozudOzev
