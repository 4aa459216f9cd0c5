#pragma once

#include "VozudOzev/Locale/TableLocale.hpp"
#include "VozudOzev/Trust/ColumnTypeInfo.hpp"
#include "VozudOzev/Trust/GridPosition.hpp"
#include "VozudOzev/Trust/TotalCheckResult.hpp"

#include <nlohmann/json_fwd.hpp>
#include <vector>

namespace VozudOzev {

// What the trust analysis found in one table.
struct TrustReport {
    int flaggedCount = 0;  // cells flagged with anything but "edited"
    int lowConfidenceCount = 0;
    int typeMismatchCount = 0;
    int totalMismatchCount = 0;
    int headerRows = 0;
    std::vector<ColumnTypeInfo> columnTypes;
    TableLocale locale;
    std::vector<TotalCheckResult> totals;
    std::vector<int> ambiguousDateColumns;
    std::vector<int> ambiguousNumberColumns;
    std::vector<GridPosition> flaggedPositions;  // by row, then column

    bool isReviewed() const { return flaggedCount == 0; }

    bool operator==(const TrustReport&) const = default;
};

void to_json(nlohmann::json& j, const TrustReport& r);
void from_json(const nlohmann::json& j, TrustReport& r);

}  // namespace VozudOzev
