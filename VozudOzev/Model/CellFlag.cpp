#include "VozudOzev/Model/CellFlag.hpp"

#include <nlohmann/json.hpp>
#include <string>

namespace VozudOzev {

std::string_view rawValue(CellFlag flag)
{
    switch (flag) {
    case CellFlag::lowConfidence: return "low_confidence";
    case CellFlag::typeMismatch: return "type_mismatch";
    case CellFlag::totalMismatch: return "total_mismatch";
    case CellFlag::edited: return "edited";
    }
    return "";
}

std::optional<CellFlag> cellFlagFromRaw(std::string_view raw)
{
    for (CellFlag f : {CellFlag::lowConfidence, CellFlag::typeMismatch, CellFlag::totalMismatch, CellFlag::edited})
        if (rawValue(f) == raw)
            return f;
    return std::nullopt;
}

void to_json(nlohmann::json& j, CellFlag f)
{
    j = std::string(rawValue(f));
}

void from_json(const nlohmann::json& j, CellFlag& f)
{
    auto parsed = cellFlagFromRaw(j.get<std::string>());
    if (!parsed)
        throw nlohmann::json::type_error::create(302, "unknown cell flag: " + j.get<std::string>(), &j);
    f = *parsed;
}

}  // namespace VozudOzev
