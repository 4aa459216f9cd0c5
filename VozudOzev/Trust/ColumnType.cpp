#include "VozudOzev/Trust/ColumnType.hpp"

#include "VozudOzev/Model/EnumNames.hpp"

#include <string>

namespace VozudOzev {

constexpr EnumName<ColumnType> columnTypeNames[] = {
    {ColumnType::number, "number"},
    {ColumnType::currency, "currency"},
    {ColumnType::percent, "percent"},
    {ColumnType::date, "date"},
    {ColumnType::text, "text"},
    {ColumnType::empty, "empty"},
};

std::string_view rawValue(ColumnType type)
{
    return nameOf(columnTypeNames, type);
}

std::optional<ColumnType> columnTypeFromRaw(std::string_view raw)
{
    return valueNamed(columnTypeNames, raw);
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
