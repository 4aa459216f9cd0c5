#include "VozudOzev/Locale/DateOrder.hpp"

#include "VozudOzev/Locale/LocaleIdentifier.hpp"
#include "VozudOzev/Model/EnumNames.hpp"

#include <algorithm>
#include <string>

namespace VozudOzev {

namespace {

constexpr std::string_view monthFirstRegions[] = {"US", "PH", "FM", "MH", "PW", "AS", "GU", "MP", "PR", "UM", "VI"};
constexpr std::string_view yearFirstLanguages[] = {"zh", "ja", "ko", "hu", "lt", "mn"};

template <class List>
bool contains(const List& list, std::string_view value)
{
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

}  // namespace

constexpr EnumName<DateOrder> dateOrderNames[] = {
    {DateOrder::dmy, "dmy"},
    {DateOrder::mdy, "mdy"},
    {DateOrder::ymd, "ymd"},
};

std::string_view rawValue(DateOrder order)
{
    return nameOf(dateOrderNames, order);
}

std::optional<DateOrder> dateOrderFromRaw(std::string_view raw)
{
    return valueNamed(dateOrderNames, raw);
}

DateOrder dateOrder(std::string_view localeIdentifier)
{
    const LocaleIdentifier id = LocaleIdentifier::parse(localeIdentifier);
    if (id.region && contains(monthFirstRegions, *id.region))
        return DateOrder::mdy;
    if (contains(yearFirstLanguages, id.language))
        return DateOrder::ymd;
    if (id.language == "en" && !id.region)
        return DateOrder::mdy;
    return DateOrder::dmy;
}

}  // namespace VozudOzev
