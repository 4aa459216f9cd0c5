#include "VozudOzev/Model/CellFlag.hpp"

#include "VozudOzev/Model/EnumNames.hpp"
#include "VozudOzev/Model/JSONIO.hpp"

#include <nlohmann/json.hpp>
#include <string>

namespace VozudOzev {

constexpr EnumName<CellFlag> cellFlagNames[] = {
    {CellFlag::lowConfidence, "low_confidence"},
    {CellFlag::typeMismatch, "type_mismatch"},
    {CellFlag::totalMismatch, "total_mismatch"},
    {CellFlag::edited, "edited"},
};

std::string_view rawValue(CellFlag flag)
{
    return nameOf(cellFlagNames, flag);
}

std::optional<CellFlag> cellFlagFromRaw(std::string_view raw)
{
    return valueNamed(cellFlagNames, raw);
}

void to_json(nlohmann::json& j, CellFlag f)
{
    j = std::string(rawValue(f));
}

void from_json(const nlohmann::json& j, CellFlag& f)
{
    f = JSONIO::getEnum<CellFlag>(j, cellFlagFromRaw, "cell flag");
}

}  // namespace VozudOzev
