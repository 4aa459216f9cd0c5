#include "VozudOzev/Locale/LocaleSource.hpp"

#include <nlohmann/json.hpp>
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

void to_json(nlohmann::json& j, LocaleSource source)
{
    j = std::string(rawValue(source));
}

void from_json(const nlohmann::json& j, LocaleSource& source)
{
    const auto parsed = localeSourceFromRaw(j.get<std::string>());
    if (!parsed)
        throw nlohmann::json::type_error::create(302, "unknown locale source: " + j.get<std::string>(), &j);
    source = *parsed;
}

}  // namespace VozudOzev
