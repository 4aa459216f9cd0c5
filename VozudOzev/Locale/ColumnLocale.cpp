#include "VozudOzev/Locale/ColumnLocale.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

void to_json(nlohmann::json& j, const ColumnLocale& c)
{
    j = nlohmann::json{{"number_style", c.numberStyle},
                       {"number_source", c.numberSource},
                       {"number_ambiguous", c.numberAmbiguous},
                       {"date", c.date},
                       {"date_source", c.dateSource}};
}

void from_json(const nlohmann::json& j, ColumnLocale& c)
{
    c.numberStyle = j.at("number_style").get<NumberStyle>();
    c.numberSource = j.at("number_source").get<LocaleSource>();
    c.numberAmbiguous = j.at("number_ambiguous").get<bool>();
    c.date = j.at("date").get<DateColumnResolution>();
    c.dateSource = j.at("date_source").get<LocaleSource>();
}

}  // namespace VozudOzev
