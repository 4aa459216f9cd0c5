#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string_view>

namespace VozudOzev {

// A mark on a cell, stored as its raw text.
enum class CellFlag { lowConfidence, typeMismatch, totalMismatch, edited };

std::string_view rawValue(CellFlag flag);
std::optional<CellFlag> cellFlagFromRaw(std::string_view raw);

void to_json(nlohmann::json& j, CellFlag f);
void from_json(const nlohmann::json& j, CellFlag& f);

}  // namespace VozudOzev
