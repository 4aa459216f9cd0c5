#pragma once

#include "VozudOzev/Locale/Decimal.hpp"

#include <optional>

namespace VozudOzev {

struct TrustOptions {
    std::optional<int> headerRows;  // absent: marked header rows, else a guess
    bool lastRowIsTotal = false;    // the last row is a total even without a total word
    std::optional<Decimal> totalTolerance;  // absent: the total-row check's own
    double minTypeShare = 0.6;

    bool operator==(const TrustOptions&) const = default;
};

}  // namespace VozudOzev
