#include "VozudOzev/Locale/NumberKind.hpp"

#include <nlohmann/json.hpp>
#include <string>

namespace VozudOzev {

std::string_view rawValue(NumberKind kind)
{
    switch (kind) {
    case NumberKind::number: return "number";
    case NumberKind::currency: return "currency";
    case NumberKind::percent: return "percent";
    }
    return "";
}

std::optional<NumberKind> numberKindFromRaw(std::string_view raw)
{
    for (NumberKind k : {NumberKind::number, NumberKind::currency, NumberKind::percent})
        if (rawValue(k) == raw)
            return k;
    return std::nullopt;
}

void to_json(nlohmann::json& j, NumberKind kind)
{
    j = std::string(rawValue(kind));
}

void from_json(const nlohmann::json& j, NumberKind& kind)
{
    const auto parsed = numberKindFromRaw(j.get<std::string>());
    if (!parsed)
        throw nlohmann::json::type_error::create(302, "unknown number kind: " + j.get<std::string>(), &j);
    kind = *parsed;
}

}  // namespace VozudOzev
