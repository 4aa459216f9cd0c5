#include "VozudOzev/Locale/ParsedDate.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

void to_json(nlohmann::json& j, const ParsedDate& d)
{
    j = nlohmann::json{{"year", d.year}, {"month", d.month}, {"day", d.day}};
}

void from_json(const nlohmann::json& j, ParsedDate& d)
{
    d.year = JSONIO::getInt(j, "year");
    d.month = JSONIO::getInt(j, "month");
    d.day = JSONIO::getInt(j, "day");
}

}  // namespace VozudOzev
