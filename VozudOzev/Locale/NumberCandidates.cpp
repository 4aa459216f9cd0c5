#include "VozudOzev/Locale/NumberCandidates.hpp"

namespace VozudOzev {

bool NumberCandidates::isAmbiguous() const
{
    return dot && comma && dot->value != comma->value;
}

const std::optional<ParsedNumber>& NumberCandidates::reading(NumberStyle style) const
{
    return style == NumberStyle::dotDecimal ? dot : comma;
}

std::optional<NumberStyle> NumberCandidates::onlyStyle() const
{
    if (dot && !comma)
        return NumberStyle::dotDecimal;
    if (comma && !dot)
        return NumberStyle::commaDecimal;
    return std::nullopt;
}

}  // namespace VozudOzev
