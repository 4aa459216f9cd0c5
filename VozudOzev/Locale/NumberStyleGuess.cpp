#include "VozudOzev/Locale/NumberStyleGuess.hpp"

#include "VozudOzev/Model/JSONIO.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

void NumberStyleGuess::add(const NumberCandidates& candidates)
{
    const auto& dot = candidates.dot;
    const auto& comma = candidates.comma;
    if (dot && !comma) {
        ++dotOnly;
    } else if (comma && !dot) {
        ++commaOnly;
    } else if (dot && comma && dot->value != comma->value) {
        ++ambiguous;
        if (dot->fractionDigits == 3)
            ++weakComma;
        if (comma->fractionDigits == 3)
            ++weakDot;
    } else {
        ++neutral;
    }
}

std::optional<NumberStyle> NumberStyleGuess::style() const
{
    if (dotOnly > commaOnly)
        return NumberStyle::dotDecimal;
    if (commaOnly > dotOnly)
        return NumberStyle::commaDecimal;
    if (dotOnly == 0)
        return std::nullopt;
    if (weakDot > weakComma)
        return NumberStyle::dotDecimal;
    if (weakComma > weakDot)
        return NumberStyle::commaDecimal;
    return std::nullopt;
}

NumberStyleGuess& NumberStyleGuess::operator+=(const NumberStyleGuess& other)
{
    dotOnly += other.dotOnly;
    commaOnly += other.commaOnly;
    ambiguous += other.ambiguous;
    neutral += other.neutral;
    weakDot += other.weakDot;
    weakComma += other.weakComma;
    return *this;
}

void to_json(nlohmann::json& j, const NumberStyleGuess& g)
{
    j = nlohmann::json{{"dot_only", g.dotOnly}, {"comma_only", g.commaOnly}, {"ambiguous", g.ambiguous},
                       {"neutral", g.neutral}, {"weak_dot", g.weakDot}, {"weak_comma", g.weakComma}};
}

void from_json(const nlohmann::json& j, NumberStyleGuess& g)
{
    g.dotOnly = JSONIO::getInt(j, "dot_only");
    g.commaOnly = JSONIO::getInt(j, "comma_only");
    g.ambiguous = JSONIO::getInt(j, "ambiguous");
    g.neutral = JSONIO::getInt(j, "neutral");
    g.weakDot = JSONIO::getInt(j, "weak_dot");
    g.weakComma = JSONIO::getInt(j, "weak_comma");
}

}  // namespace VozudOzev
