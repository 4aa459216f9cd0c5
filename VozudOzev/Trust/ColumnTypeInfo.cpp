#include "VozudOzev/Trust/ColumnTypeInfo.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

void to_json(nlohmann::json& j, const ColumnTypeInfo& info)
{
    j = nlohmann::json{{"col", info.col}, {"type", info.type}, {"support", info.support}, {"value_count", info.valueCount}};
}

void from_json(const nlohmann::json& j, ColumnTypeInfo& info)
{
    info.col = JSONIO::getInt(j, "col");
    info.type = j.at("type").get<ColumnType>();
    info.support = j.at("support").get<double>();
    info.valueCount = JSONIO::getInt(j, "value_count");
}

}  // namespace VozudOzev
