#pragma once

#include "VozudOzev/Locale/DateOrder.hpp"
#include "VozudOzev/Locale/NumberStyle.hpp"

#include <map>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

namespace VozudOzev {

// What the caller forces on a table's reading, and the locale that supplies fallbacks.
struct LocaleOverrides {
    std::optional<NumberStyle> numberStyle;    // the whole table's style
    std::optional<DateOrder> dateOrder;        // every column without its own entry
    std::map<int, NumberStyle> columnNumberStyle;
    std::map<int, DateOrder> columnDateOrder;
    std::optional<std::string> defaultLocale;  // a plain identifier such as "en_US"

    bool operator==(const LocaleOverrides&) const = default;
};

// Column maps are written as objects keyed by the column index in decimal.
void to_json(nlohmann::json& j, const LocaleOverrides& o);
void from_json(const nlohmann::json& j, LocaleOverrides& o);

}  // namespace VozudOzev
