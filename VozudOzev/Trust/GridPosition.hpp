#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <nlohmann/json_fwd.hpp>

namespace VozudOzev {

// A slot of a table's grid; ordered by row, then column.
struct GridPosition {
    int row = 0;
    int col = 0;

    auto operator<=>(const GridPosition&) const = default;
};

void to_json(nlohmann::json& j, const GridPosition& p);
void from_json(const nlohmann::json& j, GridPosition& p);

}  // namespace VozudOzev

template <>
struct std::hash<VozudOzev::GridPosition> {
    size_t operator()(const VozudOzev::GridPosition& p) const noexcept
    {
        return std::hash<long long>()((static_cast<long long>(p.row) << 32) ^ static_cast<unsigned>(p.col));
    }
};
