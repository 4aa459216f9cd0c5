#include "VozudOzev/Locale/LocaleSource.hpp"

#include <string>

namespace VozudOzev {

std::string_view rawValue(LocaleSource source)
{
    switch (source) {
    case LocaleSource::override: return "override";
    case LocaleSource::column: return "column";
    case LocaleSource::table: return "table";
    case LocaleSource::fallback: return "fallback";
    }
    return "";
}

std::optional<LocaleSource> localeSourceFromRaw(std::string_view raw)
{
    for (LocaleSource s : {LocaleSource::override, LocaleSource::column, LocaleSource::table, LocaleSource::fallback})
        if (rawValue(s) == raw)
            return s;
    return std::nullopt;
}

}  // namespace VozudOzev
