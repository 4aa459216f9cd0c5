#pragma once

#include "VozudOzev/Locale/Decimal.hpp"
#include "VozudOzev/Locale/NumberKind.hpp"

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

namespace VozudOzev {

// One reading of a cell text as a number.
struct ParsedNumber {
    Decimal value;                        // a percent as written: 12.5 for "12.5%"
    NumberKind kind = NumberKind::number;
    std::optional<std::string> currency;  // the mark as spelled in the cell
    int fractionDigits = 0;               // digits written after the separator; 0 with a multiplier
    std::string normalized;               // no group separators, "." for decimals

    // The value as a plain number: a percent divided by 100.
    Decimal fraction() const;

    bool operator==(const ParsedNumber&) const = default;
};

void to_json(nlohmann::json& j, const ParsedNumber& n);
void from_json(const nlohmann::json& j, ParsedNumber& n);

}  // namespace VozudOzev
