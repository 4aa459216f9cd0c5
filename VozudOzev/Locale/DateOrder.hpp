#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string_view>

namespace VozudOzev {

// The order in which a numeric date writes its parts.
enum class DateOrder { dmy, mdy, ymd };

std::string_view rawValue(DateOrder order);
std::optional<DateOrder> dateOrderFromRaw(std::string_view raw);

// Month first for the US and the regions that follow it (and English without a region),
// year first for Chinese, Japanese, Korean, Hungarian, Lithuanian and Mongolian, day
// first elsewhere. A region decides before a language.
DateOrder dateOrder(std::string_view localeIdentifier);

void to_json(nlohmann::json& j, DateOrder order);
void from_json(const nlohmann::json& j, DateOrder& order);

}  // namespace VozudOzev
