#include "VozudOzev/Locale/DateOrder.hpp"

#include "VozudOzev/Locale/LocaleIdentifier.hpp"

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

std::string_view rawValue(DateOrder order)
{
    switch (order) {
    case DateOrder::dmy: return "dmy";
    case DateOrder::mdy: return "mdy";
    case DateOrder::ymd: return "ymd";
    }
    return "";
}

std::optional<DateOrder> dateOrderFromRaw(std::string_view raw)
{
    for (DateOrder o : {DateOrder::dmy, DateOrder::mdy, DateOrder::ymd})
        if (rawValue(o) == raw)
            return o;
    return std::nullopt;
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
