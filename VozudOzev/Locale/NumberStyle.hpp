#pragma once

#include <array>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string_view>

namespace VozudOzev {

// Which character separates the decimals: "1,234.5" (dot) or "1.234,5" (comma).
enum class NumberStyle { dotDecimal, commaDecimal };

inline constexpr std::array<NumberStyle, 2> allNumberStyles = {NumberStyle::dotDecimal, NumberStyle::commaDecimal};

std::string_view rawValue(NumberStyle style);
std::optional<NumberStyle> numberStyleFromRaw(std::string_view raw);
NumberStyle other(NumberStyle style);

// The style a locale writes numbers in: comma for the comma languages, dot otherwise,
// and dot in Switzerland and Liechtenstein whatever the language.
NumberStyle numberStyle(std::string_view localeIdentifier);

void to_json(nlohmann::json& j, NumberStyle style);
void from_json(const nlohmann::json& j, NumberStyle& style);

}  // namespace VozudOzev
