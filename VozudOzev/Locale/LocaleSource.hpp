#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string_view>

namespace VozudOzev {

// Where a column's number style or date order came from.
enum class LocaleSource { override, column, table, fallback };

std::string_view rawValue(LocaleSource source);
std::optional<LocaleSource> localeSourceFromRaw(std::string_view raw);

void to_json(nlohmann::json& j, LocaleSource source);
void from_json(const nlohmann::json& j, LocaleSource& source);

}  // namespace VozudOzev
