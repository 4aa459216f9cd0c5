#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Internet date-times (ISO 8601) in UTC with whole seconds: 2026-01-05T13:30:00Z.
namespace VozudOzev::ISODate {

// Fractions of a second are cut off (floored), never rounded.
std::string format(std::chrono::system_clock::time_point at);

// Accepts "YYYY-MM-DDTHH:MM:SS" followed by Z or an offset "+hh:mm"/"-hh:mm"; a
// fraction of a second, a missing zone, an impossible date or a moment the system clock
// cannot hold (before 1677 or after 2262) gives nothing.
std::optional<std::chrono::system_clock::time_point> parse(std::string_view text);

}  // namespace VozudOzev::ISODate
