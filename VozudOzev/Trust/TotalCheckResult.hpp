#pragma once

#include "VozudOzev/Locale/Decimal.hpp"

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// One column of a total row compared with the sum of the numbers it totals.
struct TotalColumnResult {
    int col = 0;
    Decimal expected;  // the sum computed from the rows
    Decimal found;     // the number printed in the total row
    bool ok = false;
    int terms = 0;     // numbers summed

    bool operator==(const TotalColumnResult&) const = default;
};

struct TotalCheckResult {
    int row = 0;
    std::optional<std::string> label;  // the normalised label text
    std::vector<TotalColumnResult> columns;
    // Sums that disagree where the row is not a plain sum (a derived figure, or a total
    // with nothing above it).
    std::vector<int> unverifiableColumns;

    // Every compared column agrees; unverifiable ones do not count.
    bool passed() const;
    std::vector<int> mismatchedColumns() const;

    bool operator==(const TotalCheckResult&) const = default;
};

void to_json(nlohmann::json& j, const TotalColumnResult& r);
void from_json(const nlohmann::json& j, TotalColumnResult& r);
void to_json(nlohmann::json& j, const TotalCheckResult& r);
void from_json(const nlohmann::json& j, TotalCheckResult& r);

}  // namespace VozudOzev
