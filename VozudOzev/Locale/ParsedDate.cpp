#include "VozudOzev/Locale/ParsedDate.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

void to_json(nlohmann::json& j, const ParsedDate& d)
{
    j = nlohmann::json{{"year", d.year}, {"month", d.month}, {"day", d.day}};
}

void from_json(const nlohmann::json& j, ParsedDate& d)
{
    d.year = j.at("year").get<int>();
    d.month = j.at("month").get<int>();
    d.day = j.at("day").get<int>();
}

}  // namespace VozudOzev
