#pragma once

#include <compare>
#include <nlohmann/json_fwd.hpp>

namespace VozudOzev {

// A calendar date read from a cell; always a valid Gregorian date.
struct ParsedDate {
    int year = 0;
    int month = 1;
    int day = 1;

    auto operator<=>(const ParsedDate&) const = default;
};

void to_json(nlohmann::json& j, const ParsedDate& d);
void from_json(const nlohmann::json& j, ParsedDate& d);

}  // namespace VozudOzev
