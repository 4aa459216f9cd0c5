#pragma once

#include "VozudOzev/Locale/ParsedDate.hpp"

#include <optional>

namespace VozudOzev {

// The readings of one text under each date order.
struct DateCandidates {
    std::optional<ParsedDate> dmy;
    std::optional<ParsedDate> mdy;
    std::optional<ParsedDate> ymd;

    bool operator==(const DateCandidates&) const = default;
};

}  // namespace VozudOzev
