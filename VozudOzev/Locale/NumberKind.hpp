#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string_view>

namespace VozudOzev {

enum class NumberKind { number, currency, percent };

std::string_view rawValue(NumberKind kind);
std::optional<NumberKind> numberKindFromRaw(std::string_view raw);

void to_json(nlohmann::json& j, NumberKind kind);
void from_json(const nlohmann::json& j, NumberKind& kind);

}  // namespace VozudOzev
