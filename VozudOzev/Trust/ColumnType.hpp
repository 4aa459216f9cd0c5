#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string_view>

namespace VozudOzev {

// The kind of value a column holds.
enum class ColumnType { number, currency, percent, date, text, empty };

// Types that are compared with each other: number and currency are both numeric.
enum class ColumnFamily { numeric, percent, date, text };

std::string_view rawValue(ColumnType type);
std::optional<ColumnType> columnTypeFromRaw(std::string_view raw);
// Nothing for an empty column.
std::optional<ColumnFamily> family(ColumnType type);

void to_json(nlohmann::json& j, ColumnType type);
void from_json(const nlohmann::json& j, ColumnType& type);

}  // namespace VozudOzev
