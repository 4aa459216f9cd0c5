#pragma once

#include "VozudOzev/Locale/DateOrder.hpp"

#include <nlohmann/json_fwd.hpp>

namespace VozudOzev {

// The date order chosen for a column and the counts it was chosen from.
struct DateColumnResolution {
    DateOrder order = DateOrder::dmy;
    bool isAmbiguous = false;
    int dayFirstOnly = 0;
    int monthFirstOnly = 0;
    int ambiguousCount = 0;  // texts whose day-first and month-first readings differ
    int yearFirst = 0;

    bool operator==(const DateColumnResolution&) const = default;
};

void to_json(nlohmann::json& j, const DateColumnResolution& r);
void from_json(const nlohmann::json& j, DateColumnResolution& r);

}  // namespace VozudOzev
