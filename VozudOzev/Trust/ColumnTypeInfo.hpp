#pragma once

#include "VozudOzev/Trust/ColumnType.hpp"

#include <nlohmann/json_fwd.hpp>

namespace VozudOzev {

struct ColumnTypeInfo {
    int col = 0;
    ColumnType type = ColumnType::empty;
    double support = 0;  // share of the counted values that back the type
    int valueCount = 0;  // values counted (empty cells and placeholders are not)

    bool operator==(const ColumnTypeInfo&) const = default;
};

void to_json(nlohmann::json& j, const ColumnTypeInfo& info);
void from_json(const nlohmann::json& j, ColumnTypeInfo& info);

}  // namespace VozudOzev
