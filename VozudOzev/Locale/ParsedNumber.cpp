#include "VozudOzev/Locale/ParsedNumber.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

namespace VozudOzev {

Decimal ParsedNumber::fraction() const
{
    return kind == NumberKind::percent ? value * Decimal::pow10(-2) : value;
}

void to_json(nlohmann::json& j, const ParsedNumber& n)
{
    j = nlohmann::json{{"value", n.value}, {"kind", n.kind}, {"fraction_digits", n.fractionDigits}, {"normalized", n.normalized}};
    JSONIO::putOptional(j, "currency", n.currency);
}

void from_json(const nlohmann::json& j, ParsedNumber& n)
{
    n.value = j.at("value").get<Decimal>();
    n.kind = j.at("kind").get<NumberKind>();
    n.fractionDigits = JSONIO::getInt(j, "fraction_digits");
    n.normalized = j.at("normalized").get<std::string>();
    n.currency = JSONIO::getOptional<std::string>(j, "currency");
}

}  // namespace VozudOzev
