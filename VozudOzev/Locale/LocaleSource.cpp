#include "VozudOzev/Locale/LocaleSource.hpp"

#include "VozudOzev/Model/EnumNames.hpp"

#include <string>

namespace VozudOzev {

constexpr EnumName<LocaleSource> localeSourceNames[] = {
    {LocaleSource::override, "override"},
    {LocaleSource::column, "column"},
    {LocaleSource::table, "table"},
    {LocaleSource::fallback, "fallback"},
};

std::string_view rawValue(LocaleSource source)
{
    return nameOf(localeSourceNames, source);
}

std::optional<LocaleSource> localeSourceFromRaw(std::string_view raw)
{
    return valueNamed(localeSourceNames, raw);
}

}  // namespace VozudOzev
