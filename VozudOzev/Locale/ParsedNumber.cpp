#include "VozudOzev/Locale/ParsedNumber.hpp"

namespace VozudOzev {

Decimal ParsedNumber::fraction() const
{
    return kind == NumberKind::percent ? value * Decimal::pow10(-2) : value;
}

}  // namespace VozudOzev
