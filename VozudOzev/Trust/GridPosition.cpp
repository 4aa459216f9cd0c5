#include "VozudOzev/Trust/GridPosition.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

void to_json(nlohmann::json& j, const GridPosition& p)
{
    j = nlohmann::json{{"row", p.row}, {"col", p.col}};
}

void from_json(const nlohmann::json& j, GridPosition& p)
{
    p.row = JSONIO::getInt(j, "row");
    p.col = JSONIO::getInt(j, "col");
}

}  // namespace VozudOzev
