#include "VozudOzev/Trust/ColumnType.hpp"

#include <string>

namespace VozudOzev {

std::string_view rawValue(ColumnType type)
{
    switch (type) {
    case ColumnType::number: return "number";
    case ColumnType::currency: return "currency";
    case ColumnType::percent: return "percent";
    case ColumnType::date: return "date";
    case ColumnType::text: return "text";
    case ColumnType::empty: return "empty";
    }
    return "";
}

std::optional<ColumnType> columnTypeFromRaw(std::string_view raw)
{
    for (ColumnType t : {ColumnType::number, ColumnType::currency, ColumnType::percent, ColumnType::date, ColumnType::text, ColumnType::empty})
        if (rawValue(t) == raw)
            return t;
    return std::nullopt;
}

std::optional<ColumnFamily> family(ColumnType type)
{
    switch (type) {
    case ColumnType::number:
    case ColumnType::currency: return ColumnFamily::numeric;
    case ColumnType::percent: return ColumnFamily::percent;
    case ColumnType::date: return ColumnFamily::date;
    case ColumnType::text: return ColumnFamily::text;
    case ColumnType::empty: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace VozudOzev
