#include "VozudOzev/Locale/NumberKind.hpp"

#include "VozudOzev/Model/EnumNames.hpp"

#include <string>

namespace VozudOzev {

constexpr EnumName<NumberKind> numberKindNames[] = {
    {NumberKind::number, "number"},
    {NumberKind::currency, "currency"},
    {NumberKind::percent, "percent"},
};

std::string_view rawValue(NumberKind kind)
{
    return nameOf(numberKindNames, kind);
}

std::optional<NumberKind> numberKindFromRaw(std::string_view raw)
{
    return valueNamed(numberKindNames, raw);
}

}  // namespace VozudOzev
