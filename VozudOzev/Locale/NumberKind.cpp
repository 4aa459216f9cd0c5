#include "VozudOzev/Locale/NumberKind.hpp"

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

}  // namespace VozudOzev
