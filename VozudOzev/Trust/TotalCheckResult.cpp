#include "VozudOzev/Trust/TotalCheckResult.hpp"

#include <algorithm>

namespace VozudOzev {

bool TotalCheckResult::passed() const
{
    return std::all_of(columns.begin(), columns.end(), [](const TotalColumnResult& c) { return c.ok; });
}

std::vector<int> TotalCheckResult::mismatchedColumns() const
{
    std::vector<int> out;
    for (const auto& c : columns)
        if (!c.ok)
            out.push_back(c.col);
    return out;
}

}  // namespace VozudOzev
