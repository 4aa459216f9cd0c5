#include "VozudOzev/Locale/DateColumnResolution.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

void to_json(nlohmann::json& j, const DateColumnResolution& r)
{
    j = nlohmann::json{{"order", r.order},
                       {"is_ambiguous", r.isAmbiguous},
                       {"day_first_only", r.dayFirstOnly},
                       {"month_first_only", r.monthFirstOnly},
                       {"ambiguous_count", r.ambiguousCount},
                       {"year_first", r.yearFirst}};
}

void from_json(const nlohmann::json& j, DateColumnResolution& r)
{
    r.order = j.at("order").get<DateOrder>();
    r.isAmbiguous = j.at("is_ambiguous").get<bool>();
    r.dayFirstOnly = JSONIO::getInt(j, "day_first_only");
    r.monthFirstOnly = JSONIO::getInt(j, "month_first_only");
    r.ambiguousCount = JSONIO::getInt(j, "ambiguous_count");
    r.yearFirst = JSONIO::getInt(j, "year_first");
}

}  // namespace VozudOzev
