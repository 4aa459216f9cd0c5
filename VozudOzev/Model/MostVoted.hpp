#pragma once

#include <cstddef>
#include <map>
#include <utility>

namespace VozudOzev {

// The value with the most votes and its count; the smallest such value on a tie, and
// {0, 0} when nothing was voted for.
template <typename Count>
std::pair<long long, Count> mostVoted(const std::map<long long, Count>& votes)
{
    std::pair<long long, Count> best{0, Count{}};
    for (const auto& [value, n] : votes)
        if (n > best.second)
            best = {value, n};
    return best;
}

}  // namespace VozudOzev
